// Status of the player board: solved, mistakes, wrongly filled cells.
#include "model/nono_game.h"

bool IsSolved(const TPuzzleStatus& s) {
  return s.LinesMatch || (s.PlayerFilled == s.SolutionFilled && s.LinesFit) ||
         (s.CorrectFilled == s.SolutionFilled && s.WrongFilled == 0);
}

bool NoMistakes(const TPuzzleStatus& s) {
  return s.LinesFit || s.PlayerFilled == s.CorrectFilled;
}

bool HasWrongCells(const TPuzzleStatus& s) {
  return s.WrongFilled > 0;
}

TPuzzleStatus TNonoGame::GetStatus() {
  TPuzzleStatus status;
  status.SolutionFilled = FSolutionFilled;
  for (int x = 0; x < FWidth; ++x) {
    for (int y = 0; y < FHeight; ++y) {
      const TPieceState p = PlayerState(x, y);
      const TPieceState s = SolutionState(x, y);
      if (p == psChecked) ++status.PlayerFilled;
      if (s == psChecked && p == psChecked)
        ++status.CorrectFilled;
      else if (s == psUnchecked && p == psChecked)
        ++status.WrongFilled;
    }
  }
  status.LinesFit = AllLinesAgree(true);
  status.LinesMatch = AllLinesAgree(false);
  return status;
}

void TNonoGame::MarkIncorrect() {
  for (int x = 0; x < FWidth; ++x)
    for (int y = 0; y < FHeight; ++y)
      if (PlayerState(x, y) == psChecked && SolutionState(x, y) == psUnchecked)
        SetPlayerState(x, y, psIncorrect);
}
