// TNonoGame: one puzzle of at most 128 x 128 cells. It holds the hidden
// solution and the player's board, the parameters the puzzle was generated
// with, the undo history of the player's moves and a few values the board
// view keeps with the puzzle. Each board holds exactly Width x Height cells,
// so a small puzzle takes little memory.
//
// Cells are addressed (x, y): x the column, y the row. Single-cell operations
// do not validate positions; staying on the board is the caller's contract
// (only InBoard and StateOrNone accept any position).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_types.h"
#include "model/difficulty.h"
#include "model/game_view_flags.h"
#include "model/layout_flags.h"
#include "model/pointer_flags.h"

constexpr int MaxBoardSide = 128;

// A board size as slots, state codes and the command line name it: "WxH".
std::string SlotName(int width, int height);

// Status of the player board against the solution.
struct TPuzzleStatus {
  int SolutionFilled = 0;   // the puzzle's stored SolutionFilled
  int PlayerFilled = 0;     // psFilled player cells
  int CorrectFilled = 0;    // psFilled on both boards
  int WrongFilled = 0;      // psFilled on the player board, psEmpty in the solution
  bool LinesMatch = false;  // AllLinesAgree strict
  bool LinesFit = false;    // AllLinesAgree lenient
};

bool IsSolved(const TPuzzleStatus& status);
bool NoMistakes(const TPuzzleStatus& status);
bool HasWrongCells(const TPuzzleStatus& status);

class TNonoGame {
 public:
  TNonoGame(int width, int height);
  TNonoGame(const TNonoGame&) = delete;
  TNonoGame& operator=(const TNonoGame&) = delete;

  // --- Storage and size ---
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int SolutionFilled() const { return FSolutionFilled; }
  // Sets the two numbers; the caller keeps the cell area consistent. Should
  // the size differ from the one the boards were laid out for, both boards
  // are laid out again, keeping the cells the two sizes share (new cells
  // psEmpty), so a cell inside the board is always there to be read.
  void SetSize(int width, int height);
  // Used by a restore that recounts the solution through SetSolutionState.
  void SetSolutionFilled(int v) { FSolutionFilled = v; }
  // Takes a generated letter board as the new solution; both boards start over
  // at the grid's size ("E" empty, "#"/"d"/"c" filled, anything else crossed).
  // Throws std::invalid_argument for an empty, ragged or over-128 grid.
  void LoadSolutionGrid(const TInternalArrArr& grid);

  // --- Single cells (no undo recording) ---
  TPiece& SolutionCell(int x, int y) { return FSolution[Slot(x, y)]; }
  TPiece& PlayerCell(int x, int y) { return FPlayer[Slot(x, y)]; }
  const TPiece& SolutionCell(int x, int y) const { return FSolution[Slot(x, y)]; }
  const TPiece& PlayerCell(int x, int y) const { return FPlayer[Slot(x, y)]; }
  TPieceState SolutionState(int x, int y) const { return FSolution[Slot(x, y)].State; }
  TPieceState PlayerState(int x, int y) const { return FPlayer[Slot(x, y)].State; }
  // Adds 1 to SolutionFilled when state is psFilled; never subtracts.
  void SetSolutionState(int x, int y, TPieceState state);
  void SetPlayerState(int x, int y, TPieceState state) { FPlayer[Slot(x, y)].State = state; }
  bool InBoard(int x, int y) const { return x >= 0 && x < FWidth && y >= 0 && y < FHeight; }
  TPieceState StateOrNone(int x, int y) const { return InBoard(x, y) ? PlayerState(x, y) : psNone; }

  // --- Whole boards and lines ---
  TGridArr PlayerGrid();
  TGridArr SolutionGrid();
  TGridStateArr SolutionStates() const;
  TPiecesArr PlayerColumn(int x);
  TPiecesArr PlayerRow(int y);
  static int CountState(const TPiecesArr& line, TPieceState state);

  // --- Clues of the solution ---
  TCounterArr ColumnClue(int x) const;
  TCounterArr RowClue(int y) const;
  TCountersArr ColumnClues(bool ragged) const;
  TCountersArr RowClues(bool ragged) const;
  static TCounterArr LineRuns(const TPiecesArr& line);
  static bool LineAgrees(const TCounterArr& clue, const TPiecesArr& line, bool lenient);
  bool AllLinesAgree(bool lenient);

  // --- Moves, undo and redo ---
  void ApplyMove(int x, int y, TBoardMouseFlags flags, TPieceState newState);
  // Closes the stroke in progress into one step after the steps in effect;
  // steps undone before are dropped, as a new move makes them unreachable.
  // Returns the new step's index.
  int CommitGroup();
  bool CanUndo() const { return FUndo.Done > 0; }
  bool CanRedo() const { return FUndo.Done < static_cast<int>(FUndo.Groups.size()); }
  // One step each: Undo returns the board to where it was before the step,
  // Redo makes the step again.
  void Undo();
  void Redo();
  void ClearHistory();
  void StartOver();
  void ShowSolution();
  const std::vector<TUndoRec>& PendingGroup() const { return FUndo.PendingGroup; }
  const std::vector<std::vector<TUndoRec>>& History() const { return FUndo.Groups; }
  // The step Undo takes back next and the one Redo makes next, -1 for none.
  int UndoIndex() const { return FUndo.Done - 1; }
  int RedoIndex() const { return CanRedo() ? FUndo.Done : -1; }

  // --- Pointer input (the board view hands every pointer event here) ---
  // Applies one pointer event at cell (x, y) (any position; off-board positions
  // change no cell). A release always closes the stroke in progress into one
  // undo step, wherever it happens.
  void HandleMouse(int x, int y, TBoardMouseFlags flags);
  // HandleMouse at the cell of the last event that reached the board.
  void RepeatMouse(TBoardMouseFlags flags) {
    HandleMouse(FPointer.LastCol, FPointer.LastRow, flags);
  }
  // Numbers the runs that end at (x, y) while CtrlHeld and no button is held.
  void UpdatePositionCounters(int x, int y, TBoardMouseFlags flags);
  void ClearPositionCounters();

  // --- Checking and completion ---
  TPuzzleStatus GetStatus();
  void MarkIncorrect();

  // --- Diagnostic text forms ---
  std::string RowListing() const;
  std::string ColumnListing() const;
  std::string SolutionArrayText(const std::string& name) const;

  // --- View-facing values ---
  // 14 when zoomed, else 1 with AutoFit, else 2.
  TLayoutFlags LayoutFlags() const;
  int LastCol() const { return FPointer.LastCol; }
  int LastRow() const { return FPointer.LastRow; }
  void SetLastCell(int col, int row) {
    FPointer.LastCol = col;
    FPointer.LastRow = row;
  }
  bool PointerOutside() const { return FPointer.Outside; }
  void SetPointerOutside(bool v) { FPointer.Outside = v; }
  bool AutoFit() const { return FView.AutoFit; }
  void SetAutoFit(bool v) { FView.AutoFit = v; }
  TPieceState DragState() const { return FPointer.DragState; }
  void SetDragState(TPieceState v) { FPointer.DragState = v; }
  TGameViewFlags GameState() const { return FView.GameState; }
  void SetGameState(TGameViewFlags v) { FView.GameState = v; }
  int FillPct() const { return FFillPct; }
  void SetFillPct(int v) { FFillPct = v; }
  TCountersArr& PositionCounters() { return FPointer.PositionCounters; }
  const TCountersArr& PositionCounters() const { return FPointer.PositionCounters; }
  TDifficulty Difficulty() const { return FDifficulty; }
  void SetDifficulty(TDifficulty v) { FDifficulty = v; }
  std::uint8_t RandomFillType() const { return FRandomFillType; }
  void SetRandomFillType(std::uint8_t v) { FRandomFillType = v; }

 private:
  int Slot(int x, int y) const { return y * FStride + x; }
  void AllocateBoard(std::vector<TPiece>& board);
  void RelayBoard(std::vector<TPiece>& board, int width, int height) const;
  TGridArr BoardToGrid(std::vector<TPiece>& board);

  // The puzzle: its size, the solution and the player's board, and what it
  // was generated with.
  int FWidth;
  int FHeight;
  int FSolutionFilled = 0;
  int FStride;                    // the width both boards are laid out for
  std::vector<TPiece> FSolution;  // row by row, FStride cells a row
  std::vector<TPiece> FPlayer;
  int FFillPct = 0;
  TDifficulty FDifficulty = TDifficulty::Normal;
  std::uint8_t FRandomFillType = 0;

  // What Undo and Redo work on: the stroke being recorded and the steps.
  // The first Done steps are in effect on the board; those after them were
  // undone and wait for Redo.
  struct THistory {
    std::vector<TUndoRec> PendingGroup;
    std::vector<std::vector<TUndoRec>> Groups;
    int Done = 0;
  } FUndo;

  // What the pointer interpretation keeps from one event to the next.
  struct TPointerState {
    int LastCol = 0;
    int LastRow = 0;
    bool Outside = false;
    TPieceState DragState = psNone;  // what the stroke in progress paints
    TCountersArr PositionCounters;   // numbers shown while Ctrl is held
  } FPointer;

  // What the board view keeps with the puzzle: whether it fits the board to
  // the room, and the view flags stored with the game.
  struct TViewValues {
    bool AutoFit = true;
    TGameViewFlags GameState = 0;  // stored with the game
  } FView;
};
