#include "app/designer_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "app/designer_actions.h"
#include "app/designer_board.h"
#include "app/designer_checks.h"
#include "app/designer_image_import.h"
#include "app/designer_picture.h"
#include "persistence/app_settings.h"
#include "text/lang_helper.h"
#include "view/frame_grid.h"

namespace {

constexpr const char* kDesignKey = "designer";
constexpr int kFirstSide = 10;

}  // namespace

TfrmDesigner::TfrmDesigner(QWidget* parent, TAppSettings* settings, TPuzzleInPlay puzzleInPlay,
                           TPlayIt playIt)
    : TfrmBase("frmDesigner", parent, Qt::Window),
      FSettings(settings),
      FPuzzleInPlay(std::move(puzzleInPlay)) {
  SetSettings(settings);
  setObjectName("frmDesigner");
  resize(760, 620);
  TDesignPicture stored = EmptyPicture(kFirstSide, kFirstSide);
  if (FSettings) DesignFromStoredForm(FSettings->ReadString(kDesignKey), stored);

  FBoard = std::make_unique<TDesignerBoard>(this, stored);
  FChecks = std::make_unique<TDesignerChecks>(*FBoard);
  // Tab goes through the buttons, then the fields: made in that order.
  FActions = std::make_unique<TDesignerActions>(this);
  FFiles = std::make_unique<TDesignerFiles>(this, *FBoard, std::move(playIt));
  FImages = std::make_unique<TDesignerImageImport>(this, *FBoard);
  FlVerdict = new QLabel(this);
  FlVerdict->setObjectName("lVerdict");
  FlVerdict->setWordWrap(true);
  FlVerdict->setTextInteractionFlags(Qt::TextSelectableByKeyboard);
  FlVerdict->setFocusPolicy(Qt::TabFocus);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(FActions->Layout());
  layout->addLayout(FFiles->Fields());
  layout->addWidget(FBoard->Room(), 1);
  layout->addWidget(FlVerdict);
  setFocusPolicy(Qt::StrongFocus);

  BindCommands();
  const auto picture = [this] {
    if (FSettings) FSettings->WriteString(kDesignKey, DesignStoredForm(FBoard->Picture()));
  };
  connect(FBoard.get(), &TDesignerBoard::pictureChanged, this, picture);
  connect(FBoard.get(), &TDesignerBoard::pictureChanged, this, &TfrmDesigner::Follow);
  connect(FBoard.get(), &TDesignerBoard::marksChanged, this, &TfrmDesigner::Follow);
  connect(FBoard.get(), &TDesignerBoard::lockChanged, this, &TfrmDesigner::Follow);
  connect(FBoard.get(), &TDesignerBoard::toolChanged, FActions.get(), &TDesignerActions::ShowTool);
  connect(FChecks.get(), &TDesignerChecks::stateChanged, this, &TfrmDesigner::Follow);
  picture();
  ApplyTexts();
  Follow();
}

TfrmDesigner::~TfrmDesigner() {
  // The parts go quietly: nothing follows them while they are freed.
  FBoard->disconnect(this);
  FChecks->disconnect(this);
}

void TfrmDesigner::BindCommands() {
  TDesignerBoard* board = FBoard.get();
  TDesignerChecks* checks = FChecks.get();
  TDesignerFiles* files = FFiles.get();
  TDesignerImageImport* images = FImages.get();
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"bNewBoard", [files] { files->NewBoardAsked(); }},
      {"bFromPuzzle",
       [this] {
         const TDesignPicture picture = FPuzzleInPlay ? FPuzzleInPlay() : TDesignPicture{};
         if (picture.Width > 0) FBoard->SetPicture(picture);
       }},
      {"bOpen", [files] { files->OpenAsked(); }},
      {"bFromImage", [images] { images->FromImageAsked(); }},
      {"bPasteImage", [images] { images->PasteImage(); }},
      {"bSaveAs", [files] { files->SaveAsAsked(); }},
      {"bUndo", [board] { board->Undo(); }},
      {"bRedo", [board] { board->Redo(); }},
      {"bMirrorLeftRight", [board] { board->MirrorLeftRight(); }},
      {"bMirrorUpDown", [board] { board->MirrorUpDown(); }},
      {"bInvert", [board] { board->Invert(); }},
      {"bClear", [board] { board->Clear(); }},
      {"bShiftLeft", [board] { board->Shift(-1, 0); }},
      {"bShiftRight", [board] { board->Shift(1, 0); }},
      {"bShiftUp", [board] { board->Shift(0, -1); }},
      {"bShiftDown", [board] { board->Shift(0, 1); }},
      {"bCopyGameId", [files] { files->CopyGameId(); }},
      {"bPlayIt", [files] { files->PlayIt(); }},
      {"bMakeUnique",
       [checks] {
         if (checks->MakingUnique())
           checks->CancelMakeUnique();
         else
           checks->StartMakeUnique();
       }},
      {"bAccept", [board] { board->AcceptChanges(); }},
      {"bTwoPictures", [this] { FChecks->ShowTwoPictures(this); }},
  };
  for (const auto& [name, command] : commands) FActions->Bind(name, command);
  FActions->BindTools([board](TDesignerBoard::TTool tool) { board->SetTool(tool); });
}

void TfrmDesigner::ApplyTexts() {
  setWindowTitle(QString::fromStdString(TextFor(ttnDesigner)));
  FActions->ApplyTexts();
  FFiles->ApplyTexts();
  FlVerdict->setAccessibleName(QString::fromStdString(TextFor(ttnDesigner)));
}

void TfrmDesigner::Follow() {
  const QString text = FChecks->Description();
  FlVerdict->setText(text);
  FlVerdict->setAccessibleDescription(text);
  FActions->Follow({.Busy = FBoard->Locked(),
                    .MakingUnique = FChecks->MakingUnique(),
                    .CanUndo = FBoard->CanUndo(),
                    .CanRedo = FBoard->CanRedo(),
                    .PuzzleInPlay = FPuzzleInPlay && FPuzzleInPlay().Width > 0,
                    .ChangesShown = !FBoard->ShownChanges().empty(),
                    .VerdictCurrent = FChecks->VerdictCurrent(),
                    .Verdict = FChecks->Verdict().Kind});
}

void TfrmDesigner::SetLook(TBoardLook look) {
  FBoard->SetLook(look);
}

void TfrmDesigner::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    // Stops make-unique; otherwise the keys go back to the board.
    if (FChecks->MakingUnique())
      FChecks->CancelMakeUnique();
    else
      setFocus();
  } else if (!FBoard->KeyPress(e)) {
    TfrmBase::keyPressEvent(e);
  }
}

void TfrmDesigner::keyReleaseEvent(QKeyEvent* e) {
  FBoard->KeyRelease(e);
  TfrmBase::keyReleaseEvent(e);
}

void TfrmDesigner::closeEvent(QCloseEvent* e) {
  FChecks->CancelMakeUnique();
  SaveFormBounds();
  TfrmBase::closeEvent(e);
}

void ShowDesigner(QWidget* mainWindow, TAppSettings* settings, TBoardLook look,
                  const TfrmDesigner::TPuzzleInPlay& puzzleInPlay,
                  const TfrmDesigner::TPlayIt& playIt, std::function<bool()> busy) {
  static QPointer<TfrmDesigner> designer;
  if (!designer || designer->parentWidget() != mainWindow) {
    delete designer;
    designer = new TfrmDesigner(mainWindow, settings, puzzleInPlay, playIt);
  }
  designer->Board()->Grid()->SetBusyQuery(std::move(busy));
  designer->SetLook(look);
  designer->show();
  designer->raise();
  designer->activateWindow();
}
