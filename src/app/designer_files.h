// TDesignerFiles: the design as a puzzle and the ways in and out of the
// designer: a new board, Open (a puzzle, or a game ID whose picture the
// solver finds), Save as .non, webpbn XML, game ID or state code, Copy game
// ID and Play it in the game. It owns the puzzle's title, author and
// licence fields; the picture stays the board's.
#pragma once

#include <functional>
#include <string>

class QHBoxLayout;
class QLineEdit;
class QWidget;
class TDesignerBoard;
struct TPuzzle;

class TDesignerFiles {
 public:
  // Takes a puzzle text (a .non) into the game; the main window's Open.
  using TPlayIt = std::function<bool(const std::string& text)>;

  // window is the parent of the fields and the dialogs; board (not owned)
  // outlives the files.
  TDesignerFiles(QWidget* window, TDesignerBoard& board, TPlayIt playIt);

  // The title, author and licence fields with their labels, to lay out.
  QHBoxLayout* Fields() const { return FFields; }
  void ApplyTexts();

  // The design as a puzzle with its title, author and licence.
  TPuzzle PuzzleOfDesign() const;

  // The commands; a failure is explained to the player.
  void NewBoardAsked();
  void OpenAsked();
  void OpenFile(const std::string& path);
  void SaveAsAsked();
  // The format follows the extension (.xml, .txt, .code, else .non).
  bool SaveAs(const std::string& path);
  void CopyGameId();
  // Hands the design to the game, which comes to the front with it; false
  // when the game did not take it.
  bool PlayIt();

 private:
  QWidget* FWindow;
  TDesignerBoard& FBoard;
  TPlayIt FPlayIt;
  QHBoxLayout* FFields;
  QLineEdit* FeTitle = nullptr;
  QLineEdit* FeAuthor = nullptr;
  QLineEdit* FeLicence = nullptr;
};
