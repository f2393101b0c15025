// TDesignerBoard: the designer's picture and the board that draws it. The
// picture is the player board of a puzzle object of its own whose solution
// is kept equal to it, so the strips show the picture's clues; that puzzle's
// Undo history is the picture's. It also owns the drawing tools, the marks
// of the cells make-unique changed and the board's look.
//
// Every change of the picture, whatever made it (a stroke, a key, a
// whole-picture command, Undo, Redo, a new board), ends in pictureChanged
// once; the marks coming or going end in marksChanged. Work that must not
// meet a change of the picture (make-unique, the solver behind Open) holds a
// TLock; the board is locked while one lives, and lockChanged tells when
// that begins and ends.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

#include "generation/design_verdict.h"
#include "util/color.h"

class QKeyEvent;
class QWidget;
class TNonoGame;
class TframeGrid;

class TDesignerBoard : public QObject {
  Q_OBJECT

 public:
  // What a press on the board does: strokes as in play, a rectangle from the
  // press to the release (left button fills, right empties), or a flood fill
  // (the cells of the pressed cell's kind joined to it side by side turn to
  // the other kind).
  enum class TTool { Pen, Rectangle, FloodFill };

  // Makes the board's room ("pDesignBoard") in parent and starts with
  // picture.
  TDesignerBoard(QWidget* parent, const TDesignPicture& picture);
  ~TDesignerBoard() override;

  // The widget to lay out: the board fits the room it is given.
  QWidget* Room() const { return FpBoardHost; }
  TframeGrid* Grid() const { return FBoard; }

  // The picture as it stands.
  TDesignPicture Picture() const;
  // A new board with this picture, its history cleared.
  void SetPicture(const TDesignPicture& picture);
  // The picture of the same size as one undo step; nothing when no cell
  // changes.
  void ApplyPicture(const TDesignPicture& picture);

  // The commands on the picture; none works while the board is locked.
  void NewBoard(int width, int height);
  void MirrorLeftRight();
  void MirrorUpDown();
  void Shift(int dx, int dy);
  void Invert();
  void Clear();
  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();

  // Locks the board while it lives. Locks nest: the first locks the
  // board, the last one to end frees it, however it ends.
  class TLock {
   public:
    explicit TLock(TDesignerBoard& board);
    ~TLock();
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

   private:
    TDesignerBoard& FBoard;
  };
  // Locked, no command, stroke or key changes the picture.
  bool Locked() const { return FLocks > 0; }

  void SetTool(TTool tool);
  TTool Tool() const { return FTool; }

  // The board look of the game, for the designer's board too.
  void SetLook(TBoardLook look);

  // Marks the cells (y * width + x) make-unique changed until they are
  // accepted or the picture changes.
  void ShowChanges(const std::vector<int>& cells);
  void AcceptChanges();
  // The marked cells, ascending; empty when none are shown.
  std::vector<int> ShownChanges() const;
  // Tints the cells line logic leaves open (1 open, row by row).
  void ShowOpenCells(std::vector<std::uint8_t> open);

  // The board's keys (arrows, Space, Delete, Shift strokes); true when the
  // key was the board's.
  bool KeyPress(QKeyEvent* e);
  bool KeyRelease(QKeyEvent* e);

 signals:
  void pictureChanged();
  void marksChanged();
  void lockChanged();
  void toolChanged(TTool tool);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void SetUpBoard();
  // The picture changed: the clues, the strips' depth, the marks and tints.
  void Changed();
  // A press, move or release on the board for the rectangle and fill tools;
  // true when it was theirs.
  bool ToolMouse(QEvent* e);

  std::unique_ptr<TNonoGame> FGame;
  QWidget* FpBoardHost = nullptr;
  TframeGrid* FBoard = nullptr;
  bool FRelayoutQueued = false;
  int FLocks = 0;  // the TLocks alive
  TBoardLook FLook = blDefault;
  TTool FTool = TTool::Pen;
  int FRectCol = -1;  // where the rectangle's press was, -1 for none
  int FRectRow = -1;
  bool FRectFill = true;
  // How deep the clue strips are at least (see Changed).
  int FRowClueDepth = 0;
  int FColumnClueDepth = 0;
};
