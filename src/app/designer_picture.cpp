#include "app/designer_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/nono_game.h"

namespace {

std::size_t At(const TDesignPicture& picture, int x, int y) {
  return static_cast<std::size_t>(y) * picture.Width + x;
}

}  // namespace

TDesignPicture EmptyPicture(int width, int height) {
  return {width, height, std::string(static_cast<std::size_t>(width) * height, '.')};
}

TDesignPicture MirroredLeftRight(const TDesignPicture& picture) {
  TDesignPicture mirrored = picture;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      mirrored.Cells[At(picture, x, y)] = picture.Cells[At(picture, picture.Width - 1 - x, y)];
  return mirrored;
}

TDesignPicture MirroredUpDown(const TDesignPicture& picture) {
  TDesignPicture mirrored = picture;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      mirrored.Cells[At(picture, x, y)] = picture.Cells[At(picture, x, picture.Height - 1 - y)];
  return mirrored;
}

TDesignPicture Shifted(const TDesignPicture& picture, int dx, int dy) {
  TDesignPicture shifted = picture;
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      const int tx = ((x + dx) % picture.Width + picture.Width) % picture.Width;
      const int ty = ((y + dy) % picture.Height + picture.Height) % picture.Height;
      shifted.Cells[At(picture, tx, ty)] = picture.Cells[At(picture, x, y)];
    }
  return shifted;
}

TDesignPicture Inverted(const TDesignPicture& picture) {
  TDesignPicture inverted = picture;
  for (char& c : inverted.Cells) c = c == '#' ? '.' : '#';
  return inverted;
}

TDesignPicture FloodFilled(const TDesignPicture& picture, int x, int y) {
  const char kind = picture.Cells[At(picture, x, y)];
  std::vector<std::uint8_t> seen(picture.Cells.size(), 0);
  std::vector<int> region{y * picture.Width + x};
  seen[region[0]] = 1;
  for (std::size_t next = 0; next < region.size(); ++next) {
    const int cx = region[next] % picture.Width;
    const int cy = region[next] / picture.Width;
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = cx + dx;
      const int ny = cy + dy;
      if (nx < 0 || ny < 0 || nx >= picture.Width || ny >= picture.Height) continue;
      const int cell = ny * picture.Width + nx;
      if (seen[cell] || picture.Cells[cell] != kind) continue;
      seen[cell] = 1;
      region.push_back(cell);
    }
  }
  TDesignPicture filled = picture;
  const char other = kind == '#' ? '.' : '#';
  for (const int cell : region) filled.Cells[cell] = other;
  return filled;
}

TDesignPicture WithRectangle(const TDesignPicture& picture, int x1, int y1, int x2, int y2,
                             bool fill) {
  TDesignPicture drawn = picture;
  for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
      drawn.Cells[At(picture, x, y)] = fill ? '#' : '.';
  return drawn;
}

std::string DesignStoredForm(const TDesignPicture& picture) {
  return std::to_string(picture.Width) + "x" + std::to_string(picture.Height) + ":" + picture.Cells;
}

bool DesignFromStoredForm(const std::string& text, TDesignPicture& picture) {
  int width = 0, height = 0, used = 0;
  if (std::sscanf(text.c_str(), "%dx%d:%n", &width, &height, &used) != 2 || used == 0) return false;
  if (width < 3 || height < 3 || width > MaxBoardSide || height > MaxBoardSide) return false;
  const std::string cells = text.substr(used);
  if (cells.size() != static_cast<std::size_t>(width) * height ||
      cells.find_first_not_of("#.") != std::string::npos)
    return false;
  picture = {width, height, cells};
  return true;
}
