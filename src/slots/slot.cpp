#include "slots/slot.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "generation/new_random.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "util/app_environment.h"
#include "view/frame_grid.h"
#include "view/nono_grid.h"

TSlot::TSlot(const QFont& font, const std::string& name, int width, int height,
             TGameSettings* settings, TPictureSource pictures, TChangeEvent onChange)
    : FName(name),
      FSettings(settings),
      FPictures(pictures),
      FSession(std::make_unique<TGameSession>(width, height)),
      FView(std::make_unique<TframeGrid>()),
      FOnChange(std::move(onChange)) {
  FView->setFont(font);
  FView->SetOnBoardMouse([this](int, int, TBoardMouseFlags) {
    FSession->BoardChanged();
    if (FOnChange) FOnChange();
  });
  FView->hide();
}

TSlot::~TSlot() = default;

void TSlot::Attach(bool generate, int pct) {
  if (generate)
    NewRandom(Puzzle(), Puzzle().Width(), Puzzle().Height(), pct, FPictures, &FShownPictures);
  FGrade.reset();
  FView->SetUp(&Puzzle());
  FView->setParent(FHost);
}

void TSlot::AttachTo(QWidget* panel) {
  FHost = panel;
  FView->SetPaintEnabled(false);
  FView->FitToParent();
  const bool visible = FView->isVisible();
  FView->setParent(panel);
  FView->SetPaintEnabled(true);
  FView->FitToParent();
  if (panel && visible) FView->show();
}

void TSlot::ShowView() {
  FView->ShowBoard();
}

void TSlot::SetVisible(bool on) {
  FView->setVisible(on);
}

void TSlot::Refresh(TLayoutFlags flags) {
  if (FView->parentWidget()) FView->Relayout(flags | Puzzle().LayoutFlags());
}

void TSlot::SetInputEnabled(bool on) {
  FView->SetInputEnabled(on);
}

bool TSlot::ZoomStep(int delta, std::optional<QPoint> at) {
  if (!FView->Zoom(delta, at)) return false;
  Puzzle().SetAutoFit(true);
  // The view keeps the place the zoom left it at.
  const QPoint place = FView->ScrollPos();
  FView->Relayout(lfKeep);
  FView->SetScrollPos(place);
  return true;
}

void TSlot::ApplyBackground() {
  FView->SetPanelColor(FView->Palette()[prBoardArea]);
}

void TSlot::SetClueMarks(bool completed, bool mistakes) {
  FView->SetShowCompletedClues(completed);
  FView->SetShowMistakeLines(mistakes);
}

void TSlot::SetLook(TBoardLook look) {
  FView->SetPalette(BoardPaletteOfLook(look));
  FView->SetLook(look);
  ApplyBackground();
}

void TSlot::SetHotTrackCounters(bool on) {
  FView->SetHotTrackCounters(on);
}
void TSlot::SetHotTrackBoard(bool on) {
  FView->SetHotTrackBoard(on);
}
void TSlot::SetDrawCellsPos(bool on) {
  FView->SetDrawCellsPos(on);
}
void TSlot::SetKeepStrokeStraight(bool on) {
  FView->SetKeepStrokeStraight(on);
}

void TSlot::StartNewPuzzle(TDifficulty difficulty) {
  TakePicture(difficulty, MakePicture(difficulty, nullptr));
}

TInternalArrArr TSlot::MakePicture(TDifficulty difficulty, const std::atomic<bool>* cancel) {
  const int width = Puzzle().Width();
  const int height = Puzzle().Height();
  return NewPicture(width, height, DefaultFillPct(width, height, difficulty), FPictures,
                    &FShownPictures, cancel);
}

void TSlot::TakePicture(TDifficulty difficulty, const TInternalArrArr& picture) {
  Puzzle().SetFillPct(DefaultFillPct(Puzzle().Width(), Puzzle().Height(), difficulty));
  Puzzle().SetDifficulty(difficulty);
  Puzzle().LoadSolutionGrid(picture);
  FView->ClearHotTrack();
  FGrade.reset();
  FSession->NewPuzzleStarted();
}

void TSlot::StartOver() {
  FSession->StartOver();
  FView->ClearHotTrack();
}

const TPuzzleGrade& TSlot::Grade() {
  if (!FGrade) FGrade = GradeGame(Puzzle());
  return *FGrade;
}

void TSlot::FlashCorrect(int count, int ms) {
  FView->Flash(count, ms);
  FSession->SetStatus(stCheckedOk);
}

void TSlot::FlashMistakes() {
  FView->Shake(Puzzle().LayoutFlags(), 3, 5, 50);
  FSession->SetStatus(stCheckedWrong);
}

void TSlot::CopyAsImage() {
  FView->CopyBoardImageToClipboard();
}

void TSlot::CopyAsText() {
  QApplication::clipboard()->setText(QString::fromStdString(StateText()));
}

std::string TSlot::StateText() const {
  const TNonoGrid* grid = FView->BoardGrid();
  return GameStateText(FName, Puzzle(), grid ? grid->CellWidth() : 20,
                       grid ? grid->CellHeight() : 20);
}

void TSlot::ApplyGameState(const std::string& text) {
  ApplyGameState(ParseGameState(text));
}

int TSlot::LargestCellSize() const {
  QSize room(4096, 4096);  // no screen: a bound of the same order
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    room = screen->availableGeometry().size();
  // A line of n cells has at most (n + 1) / 2 clue numbers, so the board with
  // its clue strips spans at most this many cells each way.
  const int across = Puzzle().Width() + (Puzzle().Width() + 1) / 2;
  const int down = Puzzle().Height() + (Puzzle().Height() + 1) / 2;
  return std::max(FView->MinCellSize(), std::min(room.width() / across, room.height() / down));
}

bool TSlot::Fits(const TGameStateRec& rec) const {
  return rec.w == Puzzle().Width() && rec.h == Puzzle().Height();
}

void TSlot::ApplyGameState(const TGameStateRec& rec) {
  TNonoGrid* grid = FView->BoardGrid();
  int cellWidth = grid ? grid->CellWidth() : 20;
  int cellHeight = grid ? grid->CellHeight() : 20;
  FGrade.reset();
  ApplyGameStateRec(Puzzle(), rec, cellWidth, cellHeight);
  FSession->NewPuzzleStarted();
  // A pasted or stored code may ask for any cell size; one beyond the screen
  // would only cost memory (the board is drawn at that size before it is
  // fitted) and a long fit.
  if (grid) {
    const int largest = LargestCellSize();
    grid->SetCellSize(std::min(cellWidth, largest), std::min(cellHeight, largest));
  }
}
