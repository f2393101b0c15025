#include "app/designer_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "app/background_work.h"
#include "app/designer_image_dialog.h"
#include "app/f_size.h"
#include "app/file_dialog.h"
#include "app/image_picture.h"
#include "app/message_box.h"
#include "model/nono_game.h"
#include "persistence/app_settings.h"
#include "persistence/game_state.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "platform/atomic_file.h"
#include "platform/file_read.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/debug_log.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

constexpr const char* kDesignKey = "designer";

struct TCommandKey {
  const char* Button;
  QKeyCombination Key;
};

const TCommandKey kCommandKeys[] = {
    {"bNewBoard", Qt::CTRL | Qt::Key_N},
    {"bFromPuzzle", Qt::CTRL | Qt::Key_G},
    {"bOpen", Qt::CTRL | Qt::Key_O},
    {"bFromImage", Qt::CTRL | Qt::Key_I},
    {"bPasteImage", Qt::CTRL | Qt::SHIFT | Qt::Key_V},
    {"bSaveAs", Qt::CTRL | Qt::Key_S},
    {"bUndo", Qt::CTRL | Qt::Key_Z},
    {"bRedo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
    {"bMirrorLeftRight", Qt::CTRL | Qt::Key_M},
    {"bMirrorUpDown", Qt::CTRL | Qt::SHIFT | Qt::Key_M},
    {"bInvert", Qt::CTRL | Qt::SHIFT | Qt::Key_I},
    {"bClear", Qt::CTRL | Qt::Key_Delete},
    {"bShiftLeft", Qt::CTRL | Qt::Key_Left},
    {"bShiftRight", Qt::CTRL | Qt::Key_Right},
    {"bShiftUp", Qt::CTRL | Qt::Key_Up},
    {"bShiftDown", Qt::CTRL | Qt::Key_Down},
    {"bCopyGameId", Qt::CTRL | Qt::SHIFT | Qt::Key_C},
    {"bPlayIt", Qt::CTRL | Qt::Key_P},
    {"bMakeUnique", Qt::CTRL | Qt::Key_U},
    {"bAccept", Qt::CTRL | Qt::Key_Return},
    {"bTwoPictures", Qt::CTRL | Qt::Key_T},
    {"bToolPen", Qt::CTRL | Qt::Key_1},
    {"bToolRectangle", Qt::CTRL | Qt::Key_2},
    {"bToolFloodFill", Qt::CTRL | Qt::Key_3},
};

// The cells of the picture's kind at (x, y) joined to it side by side.
std::vector<int> RegionAt(const TDesignPicture& picture, int x, int y) {
  const char kind = picture.Cells[static_cast<std::size_t>(y) * picture.Width + x];
  std::vector<std::uint8_t> seen(picture.Cells.size(), 0);
  std::vector<int> region{y * picture.Width + x};
  seen[region[0]] = 1;
  for (std::size_t next = 0; next < region.size(); ++next) {
    const int cx = region[next] % picture.Width;
    const int cy = region[next] / picture.Width;
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = cx + dx;
      const int ny = cy + dy;
      if (nx < 0 || ny < 0 || nx >= picture.Width || ny >= picture.Height) continue;
      const int cell = ny * picture.Width + nx;
      if (seen[cell] || picture.Cells[cell] != kind) continue;
      seen[cell] = 1;
      region.push_back(cell);
    }
  }
  return region;
}
constexpr int kFirstSide = 10;
constexpr int kFirstClueDepth = 4;

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}
std::string Plain(TTextName name) {
  std::string text = TextFor(name);
  if (text.ends_with("...")) text.resize(text.size() - 3);
  return text;
}

TDesignPicture EmptyPicture(int width, int height) {
  return {width, height, std::string(static_cast<std::size_t>(width) * height, '.')};
}

TDesignPicture PictureOfPuzzle(const TPuzzle& puzzle) {
  return {puzzle.Width, puzzle.Height, puzzle.Goal};
}

// A picture of two pictures side by side, for "several pictures fit".
QImage TwoPictures(const TDesignPicture& a, const TDesignPicture& b) {
  const int cell = std::max(2, 240 / std::max(a.Width, a.Height));
  const int gap = 2 * cell;
  QImage image(2 * a.Width * cell + gap, a.Height * cell, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int side = 0; side < 2; ++side) {
    const TDesignPicture& p = side == 0 ? a : b;
    const int left = side * (a.Width * cell + gap);
    painter.setPen(Qt::lightGray);
    for (int y = 0; y < p.Height; ++y)
      for (int x = 0; x < p.Width; ++x) {
        const QRect r(left + x * cell, y * cell, cell, cell);
        // Cells where the two differ are red.
        const bool differs = a.Filled(x, y) != b.Filled(x, y);
        if (p.Filled(x, y)) painter.fillRect(r, differs ? QColor(200, 0, 0) : QColor(Qt::black));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
      }
  }
  return image;
}

}  // namespace

TfrmDesigner::TfrmDesigner(QWidget* parent, TAppSettings* settings, TPlayIt playIt)
    : TfrmBase("frmDesigner", parent, Qt::Window), FSettings(settings), FPlayIt(std::move(playIt)) {
  SetSettings(settings);
  CreateComponents();
  TDesignPicture stored = EmptyPicture(kFirstSide, kFirstSide);
  if (FSettings) FromStoredForm(FSettings->ReadString(kDesignKey), stored);
  SetPicture(stored);
  ApplyTexts();
}

TfrmDesigner::~TfrmDesigner() {
  if (FCancel) FCancel->store(true);
  JoinWorker();
}

void TfrmDesigner::CreateComponents() {
  setObjectName("frmDesigner");
  resize(760, 620);
  auto* layout = new QVBoxLayout(this);
  auto* commands = new QGridLayout;
  // Every command is a button and a key of the window, the key working while
  // the button is enabled.
  const auto button = [&](const char* name, int row, int column, auto slot) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, slot);
    commands->addWidget(b, row, column);
    FCommandButtons.push_back(b);
    const auto key =
        std::find_if(std::begin(kCommandKeys), std::end(kCommandKeys),
                     [&](const TCommandKey& k) { return std::strcmp(k.Button, name) == 0; });
    if (key != std::end(kCommandKeys)) {
      auto* action = new QAction(this);
      action->setShortcut(key->Key);
      action->setShortcutContext(Qt::WindowShortcut);
      connect(action, &QAction::triggered, b, [b] {
        if (b->isEnabled()) b->click();
      });
      addAction(action);
    }
    return b;
  };
  button("bNewBoard", 0, 0, [this] { NewBoardAsked(); });
  button("bFromPuzzle", 0, 1, [this] {
    if (FCurrent.Width > 0) SetPicture(FCurrent);
  });
  button("bOpen", 0, 2, [this] { OpenAsked(); });
  button("bFromImage", 0, 3, [this] { FromImageAsked(); });
  button("bPasteImage", 0, 4, [this] { PasteImage(); });
  button("bSaveAs", 0, 5, [this] { SaveAsAsked(); });
  button("bUndo", 1, 0, [this] { Undo(); });
  button("bRedo", 1, 1, [this] { Redo(); });
  button("bMirrorLeftRight", 1, 2, [this] { MirrorLeftRight(); });
  button("bMirrorUpDown", 1, 3, [this] { MirrorUpDown(); });
  button("bInvert", 1, 4, [this] { Invert(); });
  button("bClear", 1, 5, [this] { Clear(); });
  button("bShiftLeft", 2, 0, [this] { Shift(-1, 0); });
  button("bShiftRight", 2, 1, [this] { Shift(1, 0); });
  button("bShiftUp", 2, 2, [this] { Shift(0, -1); });
  button("bShiftDown", 2, 3, [this] { Shift(0, 1); });
  button("bCopyGameId", 2, 4, [this] { CopyGameId(); });
  button("bPlayIt", 2, 5, [this] { PlayIt(); });
  FbMakeUnique = button("bMakeUnique", 3, 0, [this] {
    if (FMaking)
      CancelMakeUnique();
    else
      StartMakeUnique();
  });
  FbAccept = button("bAccept", 3, 1, [this] { AcceptChanges(); });
  FbTwoPictures = button("bTwoPictures", 3, 2, [this] { ShowTwoPictures(); });
  const std::pair<const char*, TTool> tools[] = {{"bToolPen", TTool::Pen},
                                                 {"bToolRectangle", TTool::Rectangle},
                                                 {"bToolFloodFill", TTool::FloodFill}};
  int column = 3;
  for (const auto& [name, tool] : tools) {
    QPushButton* b = button(name, 3, column++, [this, tool] { SetTool(tool); });
    b->setCheckable(true);
    b->setChecked(tool == FTool);
  }
  layout->addLayout(commands);

  auto* fields = new QHBoxLayout;
  const auto field = [&](const char* name, QLineEdit*& edit) {
    auto* label = new QLabel(this);
    label->setObjectName(QString(name).replace(0, 1, "l"));
    edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(200);
    label->setBuddy(edit);
    fields->addWidget(label);
    fields->addWidget(edit, 1);
  };
  field("eTitle", FeTitle);
  field("eAuthor", FeAuthor);
  field("eLicence", FeLicence);
  layout->addLayout(fields);

  FpBoardHost = new QWidget(this);
  FpBoardHost->setObjectName("pDesignBoard");
  FpBoardHost->installEventFilter(this);
  layout->addWidget(FpBoardHost, 1);
  FBoard = new TframeGrid(FpBoardHost);
  FBoard->pbBoard()->installEventFilter(this);
  FBoard->setFont(QApplication::font());
  FBoard->SetOnBoardMouse([this](int, int, TBoardMouseFlags flags) {
    if (flags & (mfUp | mfDown | mfMove)) {
      // The picture changes with every painted cell; the clues and the
      // verdict follow once the stroke ends.
      if (flags & mfUp) Changed();
    }
  });
  FlVerdict = new QLabel(this);
  FlVerdict->setObjectName("lVerdict");
  FlVerdict->setWordWrap(true);
  FlVerdict->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
  FlVerdict->setFocusPolicy(Qt::TabFocus);
  layout->addWidget(FlVerdict);
  setFocusPolicy(Qt::StrongFocus);
}

void TfrmDesigner::ApplyTexts() {
  setWindowTitle(Text(ttnDesigner));
  const std::pair<const char*, TTextName> texts[] = {
      {"bNewBoard", ttnDesignNewBoard},
      {"bFromPuzzle", ttnDesignFromPuzzle},
      {"bOpen", ttnOpenPuzzle},
      {"bFromImage", ttnDesignFromImage},
      {"bPasteImage", ttnDesignPasteImage},
      {"bSaveAs", ttnSavePuzzleAs},
      {"bUndo", ttnUndo},
      {"bRedo", ttnRedo},
      {"bMirrorLeftRight", ttnMirrorLeftRight},
      {"bMirrorUpDown", ttnMirrorUpDown},
      {"bInvert", ttnInvertPicture},
      {"bClear", ttnClearPicture},
      {"bShiftLeft", ttnShiftLeft},
      {"bShiftRight", ttnShiftRight},
      {"bShiftUp", ttnShiftUp},
      {"bShiftDown", ttnShiftDown},
      {"bCopyGameId", ttnCopyGameId},
      {"bPlayIt", ttnPlayIt},
      {"bMakeUnique", ttnMakeUnique},
      {"bAccept", ttnAcceptChanges},
      {"bTwoPictures", ttnShowTwoPictures},
      {"bToolPen", ttnToolPen},
      {"bToolRectangle", ttnToolRectangle},
      {"bToolFloodFill", ttnToolFloodFill},
  };
  for (const auto& [name, text] : texts) {
    auto* b = findChild<QPushButton*>(name);
    if (!b) continue;
    b->setText(Text(text));
    for (const TCommandKey& key : kCommandKeys)
      if (std::strcmp(key.Button, name) == 0)
        b->setToolTip(Text(text).remove("...") + " (" +
                      QKeySequence(key.Key).toString(QKeySequence::NativeText) + ")");
  }
  for (const auto& [name, text] :
       {std::pair{"lTitle", ttnPuzzleTitle}, std::pair{"lAuthor", ttnPuzzleAuthor},
        std::pair{"lLicence", ttnPuzzleLicence}})
    if (auto* l = findChild<QLabel*>(name)) l->setText(Text(text));
  FlVerdict->setAccessibleName(Text(ttnDesigner));
}

TDesignPicture TfrmDesigner::Picture() const {
  TDesignPicture picture = EmptyPicture(FGame->Width(), FGame->Height());
  for (int y = 0; y < FGame->Height(); ++y)
    for (int x = 0; x < FGame->Width(); ++x)
      if (FGame->PlayerState(x, y) == psFilled)
        picture.Cells[static_cast<std::size_t>(y) * picture.Width + x] = '#';
  return picture;
}

void TfrmDesigner::SetPicture(const TDesignPicture& picture) {
  if (FMaking) return;
  FGame = std::make_unique<TNonoGame>(picture.Width, picture.Height);
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      if (picture.Filled(x, y)) FGame->SetPlayerState(x, y, psFilled);
  FGame->ClearHistory();
  // Room for a few numbers from the start.
  FRowClueDepth = std::min((picture.Width + 1) / 2, kFirstClueDepth);
  FColumnClueDepth = std::min((picture.Height + 1) / 2, kFirstClueDepth);
  SetUpBoard();
  Changed();
}

void TfrmDesigner::SetLook(TBoardLook look) {
  FLook = look;
  FBoard->SetPalette(BoardPaletteOfLook(look));
  FBoard->SetLook(look);
  FBoard->RepaintAll();
}

void TfrmDesigner::SetUpBoard() {
  FBoard->SetPalette(BoardPaletteOfLook(FLook));
  FBoard->SetUp(FGame.get());
  FBoard->SetLook(FLook);
  FBoard->SetShowCompletedClues(false);
  FBoard->SetShowMistakeLines(false);
  FBoard->SetHotTrackBoard(true);
  FBoard->FitToParent();
  FBoard->ShowBoard();
}

void TfrmDesigner::Changed() {
  ++FVersion;
  FChanged.clear();
  FBoard->ClearHint();
  // The solution is the picture, so the strips show the picture's clues.
  FGame->SetSolutionFilled(0);
  for (int y = 0; y < FGame->Height(); ++y)
    for (int x = 0; x < FGame->Width(); ++x)
      FGame->SetSolutionState(x, y, FGame->PlayerState(x, y) == psFilled ? psFilled : psEmpty);
  FBoard->SetCellTints({});
  // The strips grow with the clues but never shrink while the board is
  // drawn, so the board stays under the pointer.
  const auto depth = [](const TCountersArr& clues) {
    std::size_t most = 0;
    for (const TCounterArr& clue : clues) most = std::max(most, clue.size());
    return static_cast<int>(most);
  };
  FRowClueDepth = std::max(FRowClueDepth, depth(FGame->RowClues(true)));
  FColumnClueDepth = std::max(FColumnClueDepth, depth(FGame->ColumnClues(true)));
  FBoard->SetMinClueDepth(FRowClueDepth, FColumnClueDepth);
  FBoard->Relayout(lfFit);
  if (FSettings) FSettings->WriteString(kDesignKey, StoredForm(Picture()));
  StartJudging();
}

void TfrmDesigner::ApplyPicture(const TDesignPicture& picture) {
  if (FMaking || picture.Width != FGame->Width() || picture.Height != FGame->Height()) return;
  bool first = true;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      const TPieceState want = picture.Filled(x, y) ? psFilled : psEmpty;
      const TPieceState now = FGame->PlayerState(x, y) == psFilled ? psFilled : psEmpty;
      if (want == now && FGame->PlayerState(x, y) != psCrossed) continue;
      FGame->ApplyMove(x, y, first ? mfDown : 0, want);
      first = false;
    }
  if (first) return;  // nothing changed
  FGame->ApplyMove(0, 0, mfUp, psNone);
  Changed();
}

// --- The verdict in the background ---

void TfrmDesigner::JoinWorker() {
  if (FWorker.joinable()) FWorker.join();
}

void TfrmDesigner::StartJudging() {
  if (FMaking) return;
  if (FJudging) {
    // The running verdict is for an old picture: stop it, start afresh when
    // it has ended.
    FCancel->store(true);
    FJudgeAgain = true;
    ShowVerdict();
    return;
  }
  JoinWorker();
  FJudging = true;
  FJudgeAgain = false;
  FCancel = std::make_shared<std::atomic<bool>>(false);
  const TDesignPicture picture = Picture();
  const int version = FVersion;
  FWorker = std::thread([this, picture, version, cancel = FCancel] {
    TDesignVerdict verdict = JudgeDesign(picture, kDesignVerdictBudget, cancel.get());
    QMetaObject::invokeMethod(
        this, [this, verdict = std::move(verdict), version] { Judged(verdict, version); },
        Qt::QueuedConnection);
  });
  ShowVerdict();
}

void TfrmDesigner::Judged(const TDesignVerdict& verdict, int version) {
  FJudging = false;
  if (version == FVersion) {
    FVerdict = verdict;
    FVerdictVersion = version;
    FBoard->SetCellTints(verdict.Open);
    FBoard->RepaintAll();
  }
  if (FJudgeAgain || version != FVersion) {
    StartJudging();
    return;
  }
  ShowVerdict();
  emit VerdictReady();
}

void TfrmDesigner::ShowVerdict() {
  QString text;
  if (FMaking) {
    text = Text(ttnMakingUnique).arg(FProgress);
  } else if (!VerdictCurrent()) {
    text = Text(ttnVerdictChecking);
  } else {
    const QString open = QString::number(FVerdict.OpenCount);
    switch (FVerdict.Kind) {
      case TDesignVerdictKind::LineSolvable:
        text = Text(ttnVerdictLineSolvable).arg(FVerdict.Stars);
        break;
      case TDesignVerdictKind::NeedsGuessing:
        text = Text(ttnVerdictNeedsGuessing).arg(open);
        break;
      case TDesignVerdictKind::Several:
        text = Text(ttnVerdictSeveral).arg(open);
        break;
      case TDesignVerdictKind::Undecided:
        text = Text(ttnVerdictUndecided).arg(open);
        break;
    }
    if (!FChanged.empty())
      text += "\n" + Text(ttnMadeUnique).arg(static_cast<int>(FChanged.size()));
  }
  if (FlVerdict->text() != text && VerdictCurrent()) {
    static constexpr const char* kKinds[] = {"line-solvable", "needs guessing", "several pictures",
                                             "undecided"};
    DebugLog("designer verdict: " + std::string(kKinds[static_cast<int>(FVerdict.Kind)]) +
             ", grade " + std::to_string(FVerdict.Stars) + ", " +
             std::to_string(FVerdict.OpenCount) + " open cells");
  }
  FlVerdict->setText(text);
  FlVerdict->setAccessibleDescription(text);
  UpdateButtons();
}

void TfrmDesigner::UpdateButtons() {
  // While make-unique runs, its button (now Cancel) is the only command.
  for (QPushButton* b : FCommandButtons) b->setEnabled(!FMaking);
  const bool current = VerdictCurrent();
  FbTwoPictures->setEnabled(!FMaking && current && FVerdict.Kind == TDesignVerdictKind::Several);
  FbAccept->setEnabled(!FMaking && !FChanged.empty());
  FbMakeUnique->setText(FMaking ? Text(ttnCancel) : Text(ttnMakeUnique));
  FbMakeUnique->setEnabled(FMaking ||
                           !(current && FVerdict.Kind == TDesignVerdictKind::LineSolvable));
  if (auto* b = findChild<QPushButton*>("bUndo")) b->setEnabled(!FMaking && FGame->CanUndo());
  if (auto* b = findChild<QPushButton*>("bRedo")) b->setEnabled(!FMaking && FGame->CanRedo());
  if (auto* b = findChild<QPushButton*>("bFromPuzzle"))
    b->setEnabled(!FMaking && FCurrent.Width > 0);
}

// --- Make it unique ---

void TfrmDesigner::StartMakeUnique() {
  if (FMaking) return;
  if (FCancel) FCancel->store(true);
  JoinWorker();
  FJudging = false;
  FMaking = true;
  FProgress = 0;
  FBoard->SetInputEnabled(false);
  FCancel = std::make_shared<std::atomic<bool>>(false);
  const TDesignPicture picture = Picture();
  const int version = FVersion;
  FWorker = std::thread([this, picture, version, cancel = FCancel] {
    const auto progress = [this, cancel](int percent) {
      QMetaObject::invokeMethod(
          this,
          [this, percent] {
            FProgress = percent;
            if (FMaking) ShowVerdict();
          },
          Qt::QueuedConnection);
    };
    TMadeUnique made = MakeUnique(picture, cancel.get(), progress);
    QMetaObject::invokeMethod(
        this, [this, made = std::move(made), version] { MadeUniqueDone(made, version); },
        Qt::QueuedConnection);
  });
  ShowVerdict();
}

void TfrmDesigner::CancelMakeUnique() {
  if (FMaking && FCancel) FCancel->store(true);
}

void TfrmDesigner::MadeUniqueDone(const TMadeUnique& made, int version) {
  JoinWorker();
  FMaking = false;
  FBoard->SetInputEnabled(true);
  if (made.LineSolvable && version == FVersion) {
    ApplyPicture(made.Picture);
    // Shown on the board until accepted or undone: the hint marks go away by
    // themselves once the board changes.
    FChanged = made.Changed;
    TBoardHint marks;
    marks.Index = -1;
    for (const int cell : made.Changed)
      marks.Cells.push_back({cell % made.Picture.Width, cell / made.Picture.Width,
                             made.Picture.Cells[cell] == '#' ? 1 : -1});
    FBoard->ShowHint(marks);
    FBoard->RepaintAll();
    if (made.Changed.empty()) StartJudging();
  } else if (!made.LineSolvable && !(FCancel && FCancel->load())) {
    ShowMessageBox(Plain(ttnMakeUniqueFailed), Plain(ttnMakeUnique), mkInfo | mkOk);
  }
  if (!VerdictCurrent() && !FJudging) StartJudging();
  ShowVerdict();
  emit MadeUnique();
}

void TfrmDesigner::AcceptChanges() {
  FChanged.clear();
  FBoard->ClearHint();
  FBoard->RepaintAll();
  ShowVerdict();
}

void TfrmDesigner::ShowTwoPictures() {
  if (!VerdictCurrent() || FVerdict.Kind != TDesignVerdictKind::Several) return;
  QDialog dialog(this);
  dialog.setObjectName("frmTwoPictures");
  dialog.setWindowTitle(Text(ttnShowTwoPictures));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(&dialog);
  label->setPixmap(QPixmap::fromImage(TwoPictures(FVerdict.First, FVerdict.Second)));
  label->setAccessibleName(Text(ttnVerdictSeveral).arg(FVerdict.OpenCount));
  layout->addWidget(label);
  auto* ok = new QPushButton(Text(ttnOk), &dialog);
  connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  layout->addWidget(ok);
  dialog.exec();
}

// --- Drawing commands ---

void TfrmDesigner::NewBoard(int width, int height) {
  SetPicture(EmptyPicture(width, height));
}

void TfrmDesigner::MirrorLeftRight() {
  const TDesignPicture now = Picture();
  TDesignPicture mirrored = now;
  for (int y = 0; y < now.Height; ++y)
    for (int x = 0; x < now.Width; ++x)
      mirrored.Cells[static_cast<std::size_t>(y) * now.Width + x] =
          now.Cells[static_cast<std::size_t>(y) * now.Width + (now.Width - 1 - x)];
  ApplyPicture(mirrored);
}

void TfrmDesigner::MirrorUpDown() {
  const TDesignPicture now = Picture();
  TDesignPicture mirrored = now;
  for (int y = 0; y < now.Height; ++y)
    for (int x = 0; x < now.Width; ++x)
      mirrored.Cells[static_cast<std::size_t>(y) * now.Width + x] =
          now.Cells[static_cast<std::size_t>(now.Height - 1 - y) * now.Width + x];
  ApplyPicture(mirrored);
}

void TfrmDesigner::Shift(int dx, int dy) {
  // Cells shifted off one side come back at the other, so nothing is lost.
  const TDesignPicture now = Picture();
  TDesignPicture shifted = now;
  for (int y = 0; y < now.Height; ++y)
    for (int x = 0; x < now.Width; ++x) {
      const int tx = ((x + dx) % now.Width + now.Width) % now.Width;
      const int ty = ((y + dy) % now.Height + now.Height) % now.Height;
      shifted.Cells[static_cast<std::size_t>(ty) * now.Width + tx] =
          now.Cells[static_cast<std::size_t>(y) * now.Width + x];
    }
  ApplyPicture(shifted);
}

void TfrmDesigner::Invert() {
  TDesignPicture picture = Picture();
  for (char& c : picture.Cells) c = c == '#' ? '.' : '#';
  ApplyPicture(picture);
}

void TfrmDesigner::Clear() {
  ApplyPicture(EmptyPicture(FGame->Width(), FGame->Height()));
}

void TfrmDesigner::Undo() {
  if (FMaking || !FGame->CanUndo()) return;
  FGame->Undo();
  Changed();
  FBoard->RepaintAll();
}

void TfrmDesigner::Redo() {
  if (FMaking || !FGame->CanRedo()) return;
  FGame->Redo();
  Changed();
  FBoard->RepaintAll();
}

// --- The design as a puzzle ---

TPuzzle TfrmDesigner::PuzzleOfDesign() const {
  const TDesignPicture picture = Picture();
  TPuzzle puzzle = PuzzleOfGoal(picture.Width, picture.Height, picture.Cells);
  const auto field = [](const QLineEdit* edit) {
    std::string text = edit->text().simplified().toStdString();
    return text;
  };
  puzzle.Title = field(FeTitle);
  puzzle.Author = field(FeAuthor);
  puzzle.Licence = field(FeLicence);
  return puzzle;
}

bool TfrmDesigner::PlayIt() {
  if (FMaking || !FPlayIt) return false;
  if (!FPlayIt(WriteNon(PuzzleOfDesign()))) return false;
  // The game comes to the front with the puzzle.
  if (QWidget* game = parentWidget()) {
    game->raise();
    game->activateWindow();
  }
  return true;
}

void TfrmDesigner::CopyGameId() {
  QApplication::clipboard()->setText(QString::fromStdString(WriteGameId(PuzzleOfDesign())));
}

bool TfrmDesigner::SaveAs(const std::string& path) {
  const TPuzzle puzzle = PuzzleOfDesign();
  const std::string extension =
      QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
  std::string text;
  if (extension == "xml") {
    text = WritePbnXml({puzzle});
  } else if (extension == "txt") {
    text = WriteGameId(puzzle) + "\n";
  } else if (extension == "code") {
    TNonoGame game(puzzle.Width, puzzle.Height);
    game.LoadSolutionGrid(LettersOfGoal(puzzle));
    text = GameStateText(SlotName(puzzle.Width, puzzle.Height), game, 20, 20) + "\n";
  } else {
    text = WriteNon(puzzle);
  }
  try {
    WriteFileAtomically(path, text);
    return true;
  } catch (const std::exception& e) {
    ShowMessageBox(TextFor(ttnPuzzleNotSaved) + "\n\n" + e.what(), Plain(ttnSavePuzzleAs),
                   mkError | mkOk);
    return false;
  }
}

void TfrmDesigner::SaveAsAsked() {
  const std::vector<std::string> filters = {".non (*.non)", "webpbn XML (*.xml)",
                                            Plain(ttnGameIdFormat) + " (*.txt)",
                                            Plain(ttnStateCodeFormat) + " (*.code)"};
  const char* extensions[] = {"non", "xml", "txt", "code"};
  const TFileDialogAnswer answer =
      ShowFileDialog(this, {true, Plain(ttnSavePuzzleAs), filters, filters[0], "design.non"});
  if (answer.Path.empty()) return;
  std::string path = answer.Path;
  if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) {
    const auto at = std::find(filters.begin(), filters.end(), answer.Filter);
    path += std::string(".") + extensions[at == filters.end() ? 0 : at - filters.begin()];
  }
  SaveAs(path);
}

void TfrmDesigner::OpenFile(const std::string& path) {
  try {
    const TFileContent file = ReadRegularFile(path, kMaxPuzzleText);
    if (file.Status != TReadStatus::Ok)
      throw EPuzzleInvalid(file.Reason.empty() ? "no such file" : file.Reason);
    const std::vector<TPuzzle> puzzles = ReadPuzzles(file.Bytes);
    TPuzzle puzzle = puzzles.front();
    if (puzzle.Goal.empty()) {
      // Clues only: the picture is what the solver finds, off the UI thread
      // (Escape gives up).
      TAnalysis analysis;
      if (!TBackgroundWork::Run(nullptr, QString(), [&](const std::atomic<bool>& cancel) {
            analysis =
                AnalyseDesignClues(puzzle.Rows, puzzle.Columns, kDefaultSolverBudget, &cancel);
          }))
        return;
      if (analysis.Solutions.empty()) throw EPuzzleInvalid("no picture fits the clues");
      puzzle.Goal.clear();
      for (const std::int32_t v : analysis.Solutions.front()) puzzle.Goal += v == 1 ? '#' : '.';
    }
    if (puzzle.Width < 3 || puzzle.Height < 3)
      throw EPuzzleInvalid("the designer takes boards of 3 to 128 cells each way");
    SetPicture(PictureOfPuzzle(puzzle));
    FeTitle->setText(QString::fromStdString(puzzle.Title));
    FeAuthor->setText(QString::fromStdString(puzzle.Author));
    FeLicence->setText(QString::fromStdString(puzzle.Licence));
  } catch (const std::exception& e) {
    ShowMessageBox(TextFor(ttnInvalidDataFound) + "\n\n" + e.what(), Plain(ttnOpenPuzzle),
                   mkError | mkOk);
  }
}

void TfrmDesigner::OpenAsked() {
  const std::vector<std::string> filters = {Plain(ttnOpenPuzzle) + " (*.non *.xml *.txt *.code)"};
  const TFileDialogAnswer answer =
      ShowFileDialog(this, {false, Plain(ttnOpenPuzzle), filters, filters[0], ""});
  if (!answer.Path.empty()) OpenFile(answer.Path);
}

void TfrmDesigner::NewBoardAsked() {
  TfrmSize dialog(this, FGame->Width(), FGame->Height());
  dialog.setWindowTitle(Text(ttnDesignNewBoard).remove("..."));
  if (dialog.exec() == QDialog::Accepted) NewBoard(dialog.BoardWidth(), dialog.BoardHeight());
}

// --- Pictures from images ---

void TfrmDesigner::TakeImage(const QImage& image) {
  TfrmImagePicture dialog(this, image);
  if (dialog.exec() == QDialog::Accepted) SetPicture(dialog.Picture());
}

void TfrmDesigner::FromImageFile(const std::string& path) {
  try {
    TakeImage(ReadPictureImage(QString::fromStdString(path)));
  } catch (const EImageUnusable& e) {
    ShowMessageBox(TextFor(ttnImageUnusable) + "\n\n" + e.what(), Plain(ttnDesignFromImage),
                   mkError | mkOk);
  }
}

void TfrmDesigner::FromImageAsked() {
  const std::vector<std::string> filters = {Plain(ttnDesignFromImage) +
                                            " (*.png *.jpg *.jpeg *.bmp *.gif *.svg)"};
  const TFileDialogAnswer answer =
      ShowFileDialog(this, {false, Plain(ttnDesignFromImage), filters, filters[0], ""});
  if (!answer.Path.empty()) FromImageFile(answer.Path);
}

void TfrmDesigner::PasteImage() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  try {
    if (!mime || !mime->hasImage()) throw EImageUnusable("the clipboard holds no image");
    TakeImage(CheckedPictureImage(qvariant_cast<QImage>(mime->imageData())));
  } catch (const EImageUnusable& e) {
    ShowMessageBox(TextFor(ttnImageUnusable) + "\n\n" + e.what(), Plain(ttnDesignPasteImage),
                   mkError | mkOk);
  }
}

// --- Stored form ---

std::string TfrmDesigner::StoredForm(const TDesignPicture& picture) {
  return std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + ":" + picture.Cells;
}

bool TfrmDesigner::FromStoredForm(const std::string& text, TDesignPicture& picture) {
  int width = 0, height = 0, used = 0;
  if (std::sscanf(text.c_str(), "%dx%d:%n", &width, &height, &used) != 2 || used == 0) return false;
  if (width < 3 || height < 3 || width > MaxBoardSide || height > MaxBoardSide) return false;
  const std::string cells = text.substr(used);
  if (cells.size() != static_cast<std::size_t>(width) * height ||
      cells.find_first_not_of("#.") != std::string::npos)
    return false;
  picture = {width, height, cells};
  return true;
}

// --- Keys ---

void TfrmDesigner::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    // Stops make-unique; otherwise the keys go back to the board.
    if (FMaking)
      CancelMakeUnique();
    else
      setFocus();
  } else if (!FMaking && FBoard->BoardKeyPress(e->key(), e->modifiers())) {
    // A key press that is not part of a Shift stroke ends its move at once.
    if (!(e->modifiers() & Qt::ShiftModifier)) Changed();
  } else {
    TfrmBase::keyPressEvent(e);
  }
}

void TfrmDesigner::keyReleaseEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Shift) {
    FBoard->BoardKeyRelease(e->key());
    Changed();
  }
  TfrmBase::keyReleaseEvent(e);
}

void TfrmDesigner::SetTool(TTool tool) {
  FTool = tool;
  FRectCol = FRectRow = -1;
  for (const auto& [name, which] :
       {std::pair{"bToolPen", TTool::Pen}, std::pair{"bToolRectangle", TTool::Rectangle},
        std::pair{"bToolFloodFill", TTool::FloodFill}})
    if (auto* b = findChild<QPushButton*>(name)) b->setChecked(which == tool);
}

bool TfrmDesigner::ToolMouse(QEvent* e) {
  const QEvent::Type type = e->type();
  if (FTool == TTool::Pen || FMaking ||
      (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
       type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove))
    return false;
  const auto* mouse = static_cast<QMouseEvent*>(e);
  const QPoint at = mouse->position().toPoint();
  const TCellHit hit = FBoard->BoardGrid()->HitTest(at.x(), at.y());
  const bool onBoard = hit.Col >= 0 && hit.Row >= 0;
  if (type == QEvent::MouseMove) {
    FBoard->SetHotTrack(hit.Row, hit.Col);
    return FRectCol >= 0;  // a rectangle's drag paints nothing on the way
  }
  const bool left = mouse->button() == Qt::LeftButton;
  if (!left && mouse->button() != Qt::RightButton) return true;
  TDesignPicture picture = Picture();
  if (FTool == TTool::FloodFill) {
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && onBoard) {
      const std::size_t pressed = static_cast<std::size_t>(hit.Row) * picture.Width + hit.Col;
      const char other = picture.Cells[pressed] == '#' ? '.' : '#';
      for (const int cell : RegionAt(picture, hit.Col, hit.Row)) picture.Cells[cell] = other;
      ApplyPicture(picture);
    }
    return true;
  }
  if (type != QEvent::MouseButtonRelease) {
    if (onBoard) {
      FRectCol = hit.Col;
      FRectRow = hit.Row;
      FRectFill = left;
    }
    return true;
  }
  if (FRectCol >= 0 && onBoard) {
    for (int y = std::min(FRectRow, hit.Row); y <= std::max(FRectRow, hit.Row); ++y)
      for (int x = std::min(FRectCol, hit.Col); x <= std::max(FRectCol, hit.Col); ++x)
        picture.Cells[static_cast<std::size_t>(y) * picture.Width + x] = FRectFill ? '#' : '.';
    ApplyPicture(picture);
  }
  FRectCol = FRectRow = -1;
  return true;
}

bool TfrmDesigner::eventFilter(QObject* watched, QEvent* e) {
  if (FBoard && watched == FBoard->pbBoard() && ToolMouse(e)) return true;
  // The board fits the room it has: laid out again once the room's new size
  // has reached the board view too.
  if (watched == FpBoardHost && e->type() == QEvent::Resize && !FRelayoutQueued) {
    FRelayoutQueued = true;
    QTimer::singleShot(0, this, [this] {
      FRelayoutQueued = false;
      FBoard->Relayout(lfFit);
    });
  }
  return TfrmBase::eventFilter(watched, e);
}

void TfrmDesigner::closeEvent(QCloseEvent* e) {
  CancelMakeUnique();
  SaveFormBounds();
  TfrmBase::closeEvent(e);
}

void ShowDesigner(QWidget* mainWindow, TAppSettings* settings, const TDesignPicture& current,
                  TBoardLook look, const TfrmDesigner::TPlayIt& playIt,
                  std::function<bool()> busy) {
  static QPointer<TfrmDesigner> designer;
  if (!designer || designer->parentWidget() != mainWindow) {
    delete designer;
    designer = new TfrmDesigner(mainWindow, settings, playIt);
  }
  designer->Board()->SetBusyQuery(std::move(busy));
  designer->SetCurrentPuzzle(current);
  designer->SetLook(look);
  designer->show();
  designer->raise();
  designer->activateWindow();
}
