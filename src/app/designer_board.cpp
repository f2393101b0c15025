#include "app/designer_board.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "app/designer_picture.h"
#include "model/nono_game.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

constexpr int kFirstClueDepth = 4;

}  // namespace

TDesignerBoard::TDesignerBoard(QWidget* parent, const TDesignPicture& picture) {
  FpBoardHost = new QWidget(parent);
  FpBoardHost->setObjectName("pDesignBoard");
  FpBoardHost->installEventFilter(this);
  FBoard = new TframeGrid(FpBoardHost);
  FBoard->pbBoard()->installEventFilter(this);
  FBoard->setFont(QApplication::font());
  FBoard->SetOnBoardMouse([this](int, int, TBoardMouseFlags flags) {
    // The picture changes with every painted cell; the clues and the
    // verdict follow once the stroke ends.
    if (flags & mfUp) Changed();
  });
  SetPicture(picture);
}

TDesignerBoard::~TDesignerBoard() = default;

TDesignPicture TDesignerBoard::Picture() const {
  TDesignPicture picture = EmptyPicture(FGame->Width(), FGame->Height());
  for (int y = 0; y < FGame->Height(); ++y)
    for (int x = 0; x < FGame->Width(); ++x)
      if (FGame->PlayerState(x, y) == psFilled)
        picture.Cells[static_cast<std::size_t>(y) * picture.Width + x] = '#';
  return picture;
}

void TDesignerBoard::SetPicture(const TDesignPicture& picture) {
  if (Locked()) return;
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

void TDesignerBoard::ApplyPicture(const TDesignPicture& picture) {
  if (Locked() || picture.Width != FGame->Width() || picture.Height != FGame->Height()) return;
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

void TDesignerBoard::SetLook(TBoardLook look) {
  FLook = look;
  FBoard->SetPalette(BoardPaletteOfLook(look));
  FBoard->SetLook(look);
  FBoard->RepaintAll();
}

void TDesignerBoard::SetUpBoard() {
  FBoard->SetPalette(BoardPaletteOfLook(FLook));
  FBoard->SetUp(FGame.get());
  FBoard->SetLook(FLook);
  FBoard->SetShowCompletedClues(false);
  FBoard->SetShowMistakeLines(false);
  FBoard->SetHotTrackBoard(true);
  FBoard->FitToParent();
  FBoard->ShowBoard();
}

void TDesignerBoard::Changed() {
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
  FBoard->RepaintAll();
  emit pictureChanged();
}

// --- Commands ---

void TDesignerBoard::NewBoard(int width, int height) {
  SetPicture(EmptyPicture(width, height));
}

void TDesignerBoard::MirrorLeftRight() {
  ApplyPicture(MirroredLeftRight(Picture()));
}

void TDesignerBoard::MirrorUpDown() {
  ApplyPicture(MirroredUpDown(Picture()));
}

void TDesignerBoard::Shift(int dx, int dy) {
  ApplyPicture(Shifted(Picture(), dx, dy));
}

void TDesignerBoard::Invert() {
  ApplyPicture(Inverted(Picture()));
}

void TDesignerBoard::Clear() {
  ApplyPicture(EmptyPicture(FGame->Width(), FGame->Height()));
}

bool TDesignerBoard::CanUndo() const {
  return FGame->CanUndo();
}

bool TDesignerBoard::CanRedo() const {
  return FGame->CanRedo();
}

void TDesignerBoard::Undo() {
  if (Locked() || !FGame->CanUndo()) return;
  FGame->Undo();
  Changed();
}

void TDesignerBoard::Redo() {
  if (Locked() || !FGame->CanRedo()) return;
  FGame->Redo();
  Changed();
}

TDesignerBoard::TLock::TLock(TDesignerBoard& board) : FBoard(board) {
  if (FBoard.FLocks++ > 0) return;
  FBoard.FBoard->SetInputEnabled(false);
  emit FBoard.lockChanged();
}

TDesignerBoard::TLock::~TLock() {
  if (--FBoard.FLocks > 0) return;
  FBoard.FBoard->SetInputEnabled(true);
  emit FBoard.lockChanged();
}

// --- Marks ---

void TDesignerBoard::ShowChanges(const std::vector<int>& cells) {
  if (cells.empty()) return;
  // Hint marks, so they go away by themselves once the board changes.
  TBoardHint marks;
  marks.Index = -1;
  const TDesignPicture picture = Picture();
  for (const int cell : cells)
    marks.Cells.push_back(
        {cell % picture.Width, cell / picture.Width, picture.Cells[cell] == '#' ? 1 : -1});
  FBoard->ShowHint(marks);
  FBoard->RepaintAll();
  emit marksChanged();
}

void TDesignerBoard::AcceptChanges() {
  FBoard->ClearHint();
  FBoard->RepaintAll();
  emit marksChanged();
}

std::vector<int> TDesignerBoard::ShownChanges() const {
  std::vector<int> cells;
  if (!FBoard->HintShown()) return cells;
  for (const auto& mark : FBoard->Hint().Cells) cells.push_back(mark.Y * FGame->Width() + mark.X);
  return cells;
}

void TDesignerBoard::ShowOpenCells(std::vector<std::uint8_t> open) {
  FBoard->SetCellTints(std::move(open));
  FBoard->RepaintAll();
}

// --- Keys and tools ---

bool TDesignerBoard::KeyPress(QKeyEvent* e) {
  if (Locked() || !FBoard->BoardKeyPress(e->key(), e->modifiers())) return false;
  // A key press that is not part of a Shift stroke ends its move at once.
  if (!(e->modifiers() & Qt::ShiftModifier)) Changed();
  return true;
}

bool TDesignerBoard::KeyRelease(QKeyEvent* e) {
  if (e->key() != Qt::Key_Shift) return false;
  // Ends a Shift stroke; while locked the picture is make-unique's and must
  // not look changed under it.
  FBoard->BoardKeyRelease(e->key());
  if (!Locked()) Changed();
  return true;
}

void TDesignerBoard::SetTool(TTool tool) {
  FTool = tool;
  FRectCol = FRectRow = -1;
  emit toolChanged(tool);
}

bool TDesignerBoard::ToolMouse(QEvent* e) {
  const QEvent::Type type = e->type();
  if (FTool == TTool::Pen || Locked() ||
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
  if (FTool == TTool::FloodFill) {
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && onBoard)
      ApplyPicture(FloodFilled(Picture(), hit.Col, hit.Row));
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
  if (FRectCol >= 0 && onBoard)
    ApplyPicture(WithRectangle(Picture(), FRectCol, FRectRow, hit.Col, hit.Row, FRectFill));
  FRectCol = FRectRow = -1;
  return true;
}

bool TDesignerBoard::eventFilter(QObject* watched, QEvent* e) {
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
  return QObject::eventFilter(watched, e);
}
