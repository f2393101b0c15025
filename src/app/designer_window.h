// The puzzle designer: a window where the player draws a picture of 3..128
// cells each way with the strokes of play (left button fills, right button
// and Delete empty, a drag paints a run, the arrow keys with Shift a line),
// watches the clues follow and a verdict computed in the background after
// every change, and turns the picture into a puzzle: "make it unique", save
// it, copy its game ID, or play it in the game.
//
// The picture is the player board of the designer's own puzzle object; its
// solution is the same picture, so the board view shows the picture's clues.
// The picture is kept in app.ini under "designer" after every change and
// comes back with the next start.
#pragma once

#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/f_base.h"
#include "generation/design_verdict.h"
#include "generation/make_unique.h"
#include "util/color.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TAppSettings;
class TNonoGame;
class TframeGrid;

class TfrmDesigner : public TfrmBase {
  Q_OBJECT

 public:
  // Takes a puzzle text (a .non) into the game; the main window's Open.
  using TPlayIt = std::function<bool(const std::string& text)>;

  // settings (not owned) keeps the design; current is the game's puzzle
  // picture, offered as a start.
  TfrmDesigner(QWidget* parent, TAppSettings* settings, TPlayIt playIt);
  ~TfrmDesigner() override;

  // The picture as it stands; a new board (history cleared).
  TDesignPicture Picture() const;
  void SetPicture(const TDesignPicture& picture);
  // The board look of the game, for the designer's board too.
  void SetLook(TBoardLook look);
  // Offered by "From the puzzle in play".
  void SetCurrentPuzzle(const TDesignPicture& picture) {
    FCurrent = picture;
    UpdateButtons();
  }

  // The last verdict and whether it is for the picture as it stands.
  const TDesignVerdict& Verdict() const { return FVerdict; }
  bool VerdictCurrent() const { return FVerdictVersion == FVersion && !FJudging; }
  bool MakingUnique() const { return FMaking; }
  // The cells the last "make it unique" changed, shown until accepted or
  // undone.
  const std::vector<int>& ShownChanges() const { return FChanged; }

  TframeGrid* Board() const { return FBoard; }
  QLabel* lVerdict() const { return FlVerdict; }

  // What a press on the board does: strokes as in play, a rectangle from the
  // press to the release (left button fills, right empties), or a flood fill
  // (the cells of the pressed cell's kind joined to it side by side turn to
  // the other kind).
  enum class TTool { Pen, Rectangle, FloodFill };
  void SetTool(TTool tool);
  TTool Tool() const { return FTool; }

  // Commands (also the buttons').
  void NewBoard(int width, int height);
  void MirrorLeftRight();
  void MirrorUpDown();
  void Shift(int dx, int dy);
  void Invert();
  void Clear();
  void Undo();
  void Redo();
  void StartMakeUnique();
  void CancelMakeUnique();
  void AcceptChanges();
  void ShowTwoPictures();
  bool PlayIt();
  void CopyGameId();
  bool SaveAs(const std::string& path);
  void OpenFile(const std::string& path);
  void FromImageFile(const std::string& path);
  void PasteImage();
  // The design as a puzzle with its title, author and licence.
  struct TPuzzle PuzzleOfDesign() const;

  // The design as app.ini keeps it, and back (false for a bad value).
  static std::string StoredForm(const TDesignPicture& picture);
  static bool FromStoredForm(const std::string& text, TDesignPicture& picture);

 signals:
  // A verdict for the picture as it stands has arrived.
  void VerdictReady();
  // Make-unique has ended (done or cancelled).
  void MadeUnique();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void CreateComponents();
  void ApplyTexts();
  void SetUpBoard();
  // The picture changed: clues, the stored design, a new verdict.
  void Changed();
  // Applies a whole picture as one undo step.
  void ApplyPicture(const TDesignPicture& picture);
  void StartJudging();
  void Judged(const TDesignVerdict& verdict, int version);
  void ShowVerdict();
  void UpdateButtons();
  void MadeUniqueDone(const TMadeUnique& made, int version);
  void JoinWorker();
  void NewBoardAsked();
  void OpenAsked();
  void SaveAsAsked();
  void FromImageAsked();
  void TakeImage(const class QImage& image);
  // A press, move or release on the board for the rectangle and fill tools;
  // true when it was theirs.
  bool ToolMouse(QEvent* e);

  TAppSettings* FSettings;
  TPlayIt FPlayIt;
  TDesignPicture FCurrent;
  std::unique_ptr<TNonoGame> FGame;
  QWidget* FpBoardHost = nullptr;
  TframeGrid* FBoard = nullptr;
  bool FRelayoutQueued = false;
  QLabel* FlVerdict = nullptr;
  QLineEdit* FeTitle = nullptr;
  QLineEdit* FeAuthor = nullptr;
  QLineEdit* FeLicence = nullptr;
  QPushButton* FbMakeUnique = nullptr;
  QPushButton* FbAccept = nullptr;
  QPushButton* FbTwoPictures = nullptr;
  std::vector<QPushButton*> FCommandButtons;

  // The background work: one thread at a time, for the verdict or for
  // make-unique; the cancel flag of the running one.
  std::thread FWorker;
  std::shared_ptr<std::atomic<bool>> FCancel;
  bool FJudging = false;
  bool FJudgeAgain = false;
  bool FMaking = false;
  int FVersion = 0;  // counts the picture's changes
  int FVerdictVersion = -1;
  TDesignVerdict FVerdict;
  std::vector<int> FChanged;
  int FProgress = 0;
  TBoardLook FLook = blDefault;
  TTool FTool = TTool::Pen;
  int FRectCol = -1;  // where the rectangle's press was, -1 for none
  int FRectRow = -1;
  bool FRectFill = true;
  // How deep the clue strips are at least (see Changed).
  int FRowClueDepth = 0;
  int FColumnClueDepth = 0;
};

// Shows the designer of the main window (made on first use, then raised),
// starting from the current puzzle's picture when there is no design yet.
// Its board waits like the main window's boards while busy() says so.
void ShowDesigner(QWidget* mainWindow, TAppSettings* settings, const TDesignPicture& current,
                  TBoardLook look, const TfrmDesigner::TPlayIt& playIt, std::function<bool()> busy);
