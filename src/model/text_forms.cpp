// Diagnostic text forms of a puzzle: clue listings and the solution as an
// integer array constant.
#include <string>

#include "model/nono_game.h"

namespace {
const char* const kCrLf = "\r\n";
}

std::string TNonoGame::RowListing() const {
  std::string out;
  for (int y = 0; y < FHeight; ++y) {
    if (y > 0) out += kCrLf;
    const TCounterArr clue = RowClue(y);
    for (std::size_t i = 0; i < clue.size(); ++i) {
      if (i > 0) out += ',';
      out += std::to_string(clue[i]);
    }
  }
  return out;
}

std::string TNonoGame::ColumnListing() const {
  std::string out;
  for (int x = 0; x < FWidth; ++x) {
    if (x > 0) out += kCrLf;
    bool first = true;
    for (const int value : ColumnClue(x)) {
      if (value == 0) continue;
      if (!first) out += ' ';
      out += std::to_string(value);
      first = false;
    }
  }
  return out;
}

std::string TNonoGame::SolutionArrayText(const std::string& name) const {
  std::string out = name + "c" + std::to_string(FHeight) + "x" + std::to_string(FWidth) +
                    "X : array[0.." + std::to_string(FHeight - 1) + ", 0.." +
                    std::to_string(FWidth - 1) + "] of integer = (";
  const TGridStateArr states = SolutionStates();
  for (int y = 0; y < FHeight; ++y) {
    if (y > 0) out += ", ";
    out += '(';
    for (int x = 0; x < FWidth; ++x) {
      if (x > 0) out += ',';
      out += std::to_string(static_cast<int>(states[y][x]));
    }
    out += ')';
  }
  return out + ");";
}
