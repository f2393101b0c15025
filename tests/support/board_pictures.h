// Boards as small ASCII pictures for tests: '#' filled, '.' empty, 'x' crossed,
// '!' a Nightmare mark, and for the states the board view shows over filled
// cells 'o' psCorrect and '*' psAllCorrect.
#pragma once

#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/nono_game.h"

namespace test_support {

using Picture = std::vector<std::string>;

inline TPieceState StateOfChar(char c) {
  switch (c) {
    case '#':
      return psFilled;
    case '.':
      return psEmpty;
    case 'x':
      return psCrossed;
    case 'o':
      return psCorrect;
    case '*':
      return psAllCorrect;
    case '!':
      return psIncorrect;
    default:
      throw std::invalid_argument(std::string("unknown picture character ") + c);
  }
}

inline char CharOfState(TPieceState s) {
  switch (s) {
    case psFilled:
      return '#';
    case psEmpty:
      return '.';
    case psCrossed:
      return 'x';
    case psCorrect:
      return 'o';
    case psAllCorrect:
      return '*';
    case psIncorrect:
      return '!';
    default:
      return '?';
  }
}

// The generator's letter board for a picture: '#' -> "#", '.' -> "E"; other
// letters ('d', 'c', or anything else) are passed through as they stand.
inline TInternalArrArr LettersOf(const Picture& rows) {
  TInternalArrArr grid;
  for (const std::string& row : rows) {
    TInternalArr line;
    for (char c : row) line.push_back(c == '.' ? kLetterEmpty : static_cast<std::uint8_t>(c));
    grid.push_back(line);
  }
  return grid;
}

// A letter board back as a picture: "E" -> '.', other letters as they stand.
inline Picture PictureOfLetters(const TInternalArrArr& grid) {
  Picture rows;
  for (const TInternalArr& line : grid) {
    std::string row;
    for (std::uint8_t c : line) row += c == kLetterEmpty ? '.' : static_cast<char>(c);
    rows.push_back(row);
  }
  return rows;
}

inline void SetPlayer(TNonoGame& game, const Picture& rows) {
  for (int y = 0; y < game.Height(); ++y)
    for (int x = 0; x < game.Width(); ++x) game.SetPlayerState(x, y, StateOfChar(rows[y][x]));
}

inline Picture PlayerOf(const TNonoGame& game) {
  Picture rows(game.Height(), std::string(game.Width(), ' '));
  for (int y = 0; y < game.Height(); ++y)
    for (int x = 0; x < game.Width(); ++x) rows[y][x] = CharOfState(game.PlayerState(x, y));
  return rows;
}

inline Picture SolutionOf(const TNonoGame& game) {
  Picture rows(game.Height(), std::string(game.Width(), ' '));
  for (int y = 0; y < game.Height(); ++y)
    for (int x = 0; x < game.Width(); ++x) rows[y][x] = CharOfState(game.SolutionState(x, y));
  return rows;
}

// The runs of '#' in one line of a picture, as the solver takes a clue: a
// line without a run has no numbers.
inline TCounterArr RunsOfLine(const std::string& cells) {
  TCounterArr runs;
  int run = 0;
  for (const char c : cells + ".") {
    if (c == '#') {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

// The clues of a picture, rows and columns, as the solver takes them.
struct PictureClues {
  TCountersArr Rows;
  TCountersArr Columns;
};

inline PictureClues CluesOfPicture(const Picture& picture) {
  PictureClues clues;
  for (const std::string& row : picture) clues.Rows.push_back(RunsOfLine(row));
  for (std::size_t x = 0; x < picture[0].size(); ++x) {
    std::string column;
    for (const std::string& row : picture) column += row[x];
    clues.Columns.push_back(RunsOfLine(column));
  }
  return clues;
}

// Solver cells as text: '#' 1, '.' -1, '?' 0.
inline TCounterArr CellsOf(const std::string& text) {
  TCounterArr cells;
  for (const char c : text) cells.push_back(c == '#' ? 1 : c == '.' ? -1 : 0);
  return cells;
}

inline std::string TextOf(std::span<const std::int32_t> cells) {
  std::string text;
  for (const std::int32_t v : cells) text += v == 1 ? '#' : v == -1 ? '.' : '?';
  return text;
}

// A puzzle with the given solution and, optionally, player board.
inline std::unique_ptr<TNonoGame> GameOf(const Picture& solution, const Picture& player = {}) {
  auto game = std::make_unique<TNonoGame>(static_cast<int>(solution[0].size()),
                                          static_cast<int>(solution.size()));
  game->LoadSolutionGrid(LettersOf(solution));
  if (!player.empty()) SetPlayer(*game, player);
  return game;
}

}  // namespace test_support
