// The board paint box (pbBoard) for screen readers: a canvas that answers as
// a table (see board_accessible.cpp for why not a table), one cell object per
// board cell, named by its state alone ("filled", "crossed", "empty"), with
// the row and column clues as its headers ("Row 3 clue: 2 4, completed"),
// which tell its place. The view knows no language tables, so the window
// hands the texts in through SetBoardAccessibleTexts.
//
// A screen reader speaks the focused cell when the cursor moves, but not its
// change of name: after each change of the cursor's cell the table hands its
// new state to the speaker (SetBoardSpeaker), with the news of its row or
// column when that became complete or wrong ("filled. Row 3 complete").
//
// InstallBoardAccessible registers the factory once per process. After each
// paint of the board the frame calls BoardCellsPainted: the table compares
// the board with what it last reported and sends a name and a state change
// for every cell that changed (moves, undo, redo, paste, start over all end
// in a paint). Nothing is compared until assistive technology has asked
// for the table.
//
// The keyboard cursor's cell, while the cursor shows, is the table's focused
// cell: BoardCursorMoved sends a focus event for it after every move, so a
// screen reader speaks the cell the player has moved to.
#pragma once

#include <QString>
#include <functional>

class QWidget;

struct TBoardAccessibleTexts {
  QString Filled;
  QString Empty;
  QString Crossed;
  QString RowClue;        // %1 row, %2 the clue's numbers
  QString ColumnClue;     // %1 column, %2 the clue's numbers
  QString RowClues;       // the row clue strip
  QString ColumnClues;    // the column clue strip
  QString ClueCompleted;  // %1 a line's clue name
  QString ClueMistake;    // %1 a line's clue name
  QString RowComplete;    // %1 row (from 1)
  QString ColumnComplete;
  QString RowMistake;
  QString ColumnMistake;
};

void SetBoardAccessibleTexts(const TBoardAccessibleTexts& texts);
const TBoardAccessibleTexts& BoardAccessibleTexts();

// Speaks a line without moving the focus; none by default.
using TBoardSpeaker = std::function<void(const QString&)>;
void SetBoardSpeaker(TBoardSpeaker speaker);

// Registers the board's and the clue strips' accessibility.
void InstallBoardAccessible();

class TframeGrid;
// The frame a paint box of it belongs to, nullptr for none.
TframeGrid* FrameOfPaintBox(const QWidget* box);

// Tells assistive technology that child (a cell or a clue line) of the
// accessible widget changed its name and state.
void SendChildChanged(QWidget* widget, int child);

// board is the frame's pbBoard.
void BoardCellsPainted(QWidget* board);
// board is the frame's pbBoard; its frame's cursor has moved.
void BoardCursorMoved(QWidget* board);
