// The main window's board area: the window's size between the player's choice
// and the room a big board needs, and zooming the current slot's board.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "app/f_main.h"
#include "model/nono_game.h"
#include "persistence/app_settings.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "view/frame_grid.h"
#include "view/nono_grid.h"

namespace {

// The cell size below which a fitted board gets a larger window.
constexpr int kComfortableCell = 18;

// "zoom.<slot>": the cell size of a zoomed slot. Its state code keeps the size
// too, but a restored code is held to the screen, and a zoom may go past it.
std::string ZoomKey(const std::string& slot) {
  return "zoom." + slot;
}

}  // namespace

void TfrmMain::ResizeByItself(QSize size) {
  FRequestedSize = size;
  resize(size);
}

void TfrmMain::NoteResize() {
  if (!CurrentGame() || isMaximized() || isFullScreen() || isMinimized()) return;
  if (size() == FRequestedSize) return;
  FPlayerSizes.Chosen(CurrentGame()->Name(), size());
  FRequestedSize = size();
}

void TfrmMain::RestorePlayerSize() {
  FPlayerSizes.Start(size());
  if (!CurrentGame() || isMaximized() || isFullScreen()) return;
  const QSize wanted = FPlayerSizes.For(CurrentGame()->Name());
  if (wanted.isValid() && wanted != size()) {
    ResizeByItself(wanted);
    RelayoutWindow();
  }
}

// A size whose fitted cells would be hard to read or hit gets a larger
// window first, as far as the screen allows; the board is then fitted to it.
void TfrmMain::GrowForReadableCells() {
  // A size the player set for this slot is kept as it is.
  TSlot* const game = CurrentGame();
  if (!game || !game->Puzzle().AutoFit() || (game->Puzzle().GameState() & vfZoomed) ||
      isMaximized() || isFullScreen() || FPlayerSizes.HasOwn(game->Name()))
    return;
  const QSize needed = game->View().RoomFor(kComfortableCell);
  const int dw = std::max(0, needed.width() - FpBoard->width());
  const int dh = std::max(0, needed.height() - FpBoard->height());
  if (dw == 0 && dh == 0) return;
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect area = s->availableGeometry();
  // A frame the window manager has not caught up with yet may be smaller
  // than the window; never grow past the screen on its account.
  const QSize decoration = (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
  const int width = std::min(this->width() + dw, area.width() - decoration.width());
  const int height = std::min(this->height() + dh, area.height() - decoration.height());
  if (width <= this->width() && height <= this->height()) return;
  ResizeByItself(QSize(std::max(width, this->width()), std::max(height, this->height())));
  // Kept whole on the screen: a window grown past the bottom or right edge
  // moves back in.
  QRect frame = frameGeometry();
  const int x =
      std::clamp(frame.x(), area.left(), std::max(area.left(), area.right() - frame.width() + 1));
  const int y =
      std::clamp(frame.y(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1));
  if (x != frame.x() || y != frame.y()) move(x, y);
  RelayoutWindow();
}

void TfrmMain::ZoomBoard(int delta, std::optional<QPoint> globalAt) {
  if (!CurrentGame() || !CurrentGame()->Host()) return;
  std::optional<QPoint> at;
  if (globalAt) at = CurrentGame()->View().Viewport()->mapFromGlobal(*globalAt);
  CurrentGame()->ZoomStep(delta, at);
}

void TfrmMain::aZoomInExecute() {
  ZoomBoard(1);
}

void TfrmMain::aZoomOutExecute() {
  ZoomBoard(-1);
}

void TfrmMain::aResetZoomExecute() {
  if (!CurrentGame()) return;
  TNonoGame& puzzle = CurrentGame()->Puzzle();
  puzzle.SetGameState(static_cast<TGameViewFlags>(puzzle.GameState() & ~vfZoomed));
  RefreshBoard();
}

void TfrmMain::LoadBoardArea() {
  FPlayerSizes.LoadFrom(*FAppSettings, FormName());
  for (TSlot* game : FShelf->Items()) {
    TNonoGrid* grid = game->View().BoardGrid();
    const int zoom = FAppSettings->ReadInteger(ZoomKey(game->Name()));
    if (!grid || !(game->Puzzle().GameState() & vfZoomed) || zoom <= 0) continue;
    const int largest = std::max(TframeGrid::kLargestZoomCell, game->LargestCellSize());
    if (zoom >= game->View().MinCellSize() && zoom <= largest) grid->SetCellSize(zoom, zoom);
  }
}

void TfrmMain::SaveBoardArea() {
  FPlayerSizes.SaveTo(*FAppSettings, FormName());
  for (TSlot* game : FShelf->Items()) {
    const TNonoGrid* grid = game->View().BoardGrid();
    // Only a zoomed slot has one: its state code says whether it is read.
    if (grid && (game->Puzzle().GameState() & vfZoomed))
      FAppSettings->WriteInteger(ZoomKey(game->Name()), grid->CellWidth());
  }
}
