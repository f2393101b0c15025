// The puzzle designer: a window where the player draws a picture of 3..128
// cells each way with the strokes of play (left button fills, right button
// and Delete empty, a drag paints a run, the arrow keys with Shift a line),
// watches the clues follow and a verdict computed in the background after
// every change, and turns the picture into a puzzle: "make it unique", save
// it, copy its game ID, or play it in the game.
//
// The window makes its parts and lays them out; each part owns its state:
//  - the board (TDesignerBoard): the picture with its Undo history, the
//    tools, make-unique's marks and the look;
//  - the checks (TDesignerChecks): the verdict and make-unique, in the
//    background;
//  - the files (TDesignerFiles): new board, open, save, copy and play, with
//    the puzzle's title, author and licence;
//  - the image import (TDesignerImageImport);
//  - the actions (TDesignerActions): the buttons, their keys and captions.
// The window connects the board's and the checks' signals to the verdict
// line and to the buttons' enabled state, and keeps the picture in app.ini
// under "designer" after every change; it comes back with the next start.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "app/designer_files.h"
#include "app/f_base.h"
#include "generation/design_verdict.h"
#include "util/color.h"

class QLabel;
class TAppSettings;
class TDesignerActions;
class TDesignerBoard;
class TDesignerChecks;
class TDesignerImageImport;

class TfrmDesigner : public TfrmBase {
  Q_OBJECT

 public:
  using TPlayIt = TDesignerFiles::TPlayIt;
  // The picture of the puzzle the game shows now, for "From the puzzle in
  // play"; width 0 for none.
  using TPuzzleInPlay = std::function<TDesignPicture()>;

  // settings (not owned) keeps the design; playIt hands a design to the game.
  TfrmDesigner(QWidget* parent, TAppSettings* settings, TPuzzleInPlay puzzleInPlay, TPlayIt playIt);
  ~TfrmDesigner() override;

  TDesignerBoard* Board() const { return FBoard.get(); }
  TDesignerChecks* Checks() const { return FChecks.get(); }
  TDesignerFiles* Files() const { return FFiles.get(); }
  TDesignerImageImport* Images() const { return FImages.get(); }
  QLabel* lVerdict() const { return FlVerdict; }

  // The board look of the game, for the designer's board too.
  void SetLook(TBoardLook look);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BindCommands();
  void ApplyTexts();
  // The verdict line and the buttons follow the board and the checks.
  void Follow();

  TAppSettings* FSettings;
  TPuzzleInPlay FPuzzleInPlay;
  // The parts, each reaching only those before it; freed in the reverse
  // order, so the checks' worker has stopped before the board goes.
  std::unique_ptr<TDesignerBoard> FBoard;
  std::unique_ptr<TDesignerChecks> FChecks;
  std::unique_ptr<TDesignerFiles> FFiles;
  std::unique_ptr<TDesignerImageImport> FImages;
  std::unique_ptr<TDesignerActions> FActions;
  QLabel* FlVerdict = nullptr;
};

// Shows the designer of the main window (made on first use, then raised)
// with the game's board look. Its board waits like the main window's boards
// while busy() says so.
void ShowDesigner(QWidget* mainWindow, TAppSettings* settings, TBoardLook look,
                  const TfrmDesigner::TPuzzleInPlay& puzzleInPlay,
                  const TfrmDesigner::TPlayIt& playIt, std::function<bool()> busy);
