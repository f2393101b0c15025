// Helper of the end-to-end run: reads what the real program left behind.
//
//   e2e_probe state CODE
//     decodes a state code and prints "name N", "size W H", then the player
//     board and the solution as W-character rows after the lines "player"
//     and "solution" ('#' filled, '.' empty, 'x' crossed).
//   e2e_probe board IMAGE.ppm
//     finds the board in a binary PPM screenshot of the window and prints its
//     outer frame as "left top right bottom" (pixels, inclusive).
//   e2e_probe bands IMAGE.ppm
//     prints "top thickness" of every dark horizontal band at least 3 pixels
//     thick and wider than 40 % of the image, top to bottom: the frames of
//     the board and of the column clues that cross the view.
//   e2e_probe code N
//     prints the state code of an N x N puzzle with many clues in a slot
//     "NxN".
//
// Anything unusable ends with one line on standard error and exit status 1.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "support/board_pictures.h"

namespace {

struct TImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Rgb;

  bool Dark(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * Width + x) * 3;
    return Rgb[at] <= 0x20 && Rgb[at + 1] <= 0x20 && Rgb[at + 2] <= 0x20;
  }
};

// The next header number of a PPM file, skipping white space and comments.
int HeaderNumber(std::istream& in) {
  for (;;) {
    const int c = in.peek();
    if (c == '#') {
      std::string comment;
      std::getline(in, comment);
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      in.get();
    } else {
      break;
    }
  }
  int value = 0;
  if (!(in >> value) || value <= 0) throw std::runtime_error("bad PPM header");
  return value;
}

TImage ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::string magic(2, '\0');
  in.read(magic.data(), 2);
  if (magic != "P6") throw std::runtime_error(path + " is not a binary PPM (P6)");
  TImage image;
  image.Width = HeaderNumber(in);
  image.Height = HeaderNumber(in);
  if (HeaderNumber(in) != 255) throw std::runtime_error(path + " is not an 8-bit PPM");
  if (image.Width > 20000 || image.Height > 20000) throw std::runtime_error(path + " is too large");
  in.get();  // the single white space before the pixels
  image.Rgb.resize(static_cast<std::size_t>(image.Width) * image.Height * 3);
  in.read(reinterpret_cast<char*>(image.Rgb.data()),
          static_cast<std::streamsize>(image.Rgb.size()));
  if (!in) throw std::runtime_error(path + " ends early");
  return image;
}

struct TRect {
  int Left, Top, Right, Bottom;
};

// The board and both clue strips are drawn with dark frames; the board is
// the lowest framed box, and the rightmost one when the row clues' box ends
// on the same line.
std::optional<TRect> FindBoard(const TImage& image) {
  constexpr int kMinSide = 30;
  const auto darkUpwards = [&](int x, int y) {
    int n = 0;
    while (y - n >= 0 && image.Dark(x, y - n)) ++n;
    return n;
  };
  for (int y = image.Height - 1; y >= kMinSide; --y) {
    std::optional<TRect> best;
    for (int x = 0; x < image.Width;) {
      if (!image.Dark(x, y)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.Width && image.Dark(x, y)) ++x;
      const int end = x - 1;
      if (end - start + 1 < kMinSide) continue;
      const int height = darkUpwards(start, y);
      if (height < kMinSide || std::abs(darkUpwards(end, y) - height) > 3) continue;
      best = TRect{start, y - height + 1, end, y};
    }
    if (best) return best;
  }
  return std::nullopt;
}

int ShowState(const std::string& code) {
  const TGameStateRec rec = ParseGameState(code);
  TNonoGame game(rec.w, rec.h);
  int cellWidth = 0;
  int cellHeight = 0;
  ApplyGameStateRec(game, rec, cellWidth, cellHeight);
  std::cout << "name " << rec.name << "\nsize " << rec.w << ' ' << rec.h << "\nplayer\n";
  for (int y = 0; y < rec.h; ++y) {
    for (int x = 0; x < rec.w; ++x) std::cout << test_support::CharOfState(game.PlayerState(x, y));
    std::cout << '\n';
  }
  std::cout << "solution\n";
  for (int y = 0; y < rec.h; ++y) {
    for (int x = 0; x < rec.w; ++x)
      std::cout << test_support::CharOfState(game.SolutionState(x, y));
    std::cout << '\n';
  }
  return 0;
}

int ShowBoard(const std::string& path) {
  const std::optional<TRect> board = FindBoard(ReadPpm(path));
  if (!board) throw std::runtime_error("no board found in " + path);
  std::cout << board->Left << ' ' << board->Top << ' ' << board->Right << ' ' << board->Bottom
            << '\n';
  return 0;
}

// Rows with a dark run wider than 40 % of the image, grouped into bands.
int ShowBands(const std::string& path) {
  const TImage image = ReadPpm(path);
  const auto wide = [&](int y) {
    int run = 0;
    for (int x = 0; x < image.Width; ++x) {
      run = image.Dark(x, y) ? run + 1 : 0;
      if (run * 10 > image.Width * 4) return true;
    }
    return false;
  };
  for (int y = 0; y < image.Height;) {
    if (!wide(y)) {
      ++y;
      continue;
    }
    const int top = y;
    while (y < image.Height && wide(y)) ++y;
    if (y - top >= 3) std::cout << top << ' ' << y - top << '\n';
  }
  return 0;
}

int ShowBusyCode(int n) {
  if (n < 1 || n > 128) throw std::runtime_error("size out of range");
  test_support::Picture rows;
  for (int y = 0; y < n; ++y) {
    std::string row;
    for (int x = 0; x < n; ++x) row += (x / 2 + y) % 3 == 0 ? '#' : '.';
    rows.push_back(row);
  }
  TNonoGame game(n, n);
  game.LoadSolutionGrid(test_support::LettersOf(rows));
  const std::string name = std::to_string(n) + "x" + std::to_string(n);
  std::cout << GameStateText(name, game, 20, 20) << '\n';
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "state") return ShowState(args[1]);
    if (args.size() == 2 && args[0] == "board") return ShowBoard(args[1]);
    if (args.size() == 2 && args[0] == "bands") return ShowBands(args[1]);
    if (args.size() == 2 && args[0] == "code") return ShowBusyCode(std::atoi(args[1].c_str()));
    std::cerr << "usage: e2e_probe state CODE | e2e_probe board IMAGE.ppm | e2e_probe bands "
                 "IMAGE.ppm | e2e_probe code N\n";
  } catch (const std::exception& e) {
    std::cerr << "e2e_probe: " << e.what() << '\n';
  }
  return 1;
}
