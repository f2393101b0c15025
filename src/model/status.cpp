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
      if (p == psFilled) ++status.PlayerFilled;
      if (s == psFilled && p == psFilled)
        ++status.CorrectFilled;
      else if (s == psEmpty && p == psFilled)
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
      if (PlayerState(x, y) == psFilled && SolutionState(x, y) == psEmpty)
        SetPlayerState(x, y, psIncorrect);
}
