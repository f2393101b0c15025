#include "generation/templates.h"

#include <string_view>

namespace {

// Pictures as rows of text, '#' filled and '.' empty.
using TPictureText = std::vector<std::string_view>;

struct TTemplateText {
  int Width;
  int Height;
  std::array<TPictureText, 3> Pictures;
};

const std::vector<TTemplateText> kTemplateTexts = {
    {3,
     3,
     {TPictureText{"##.", "#..", "#.."}, TPictureText{"##.", "#..", "#.."},
      TPictureText{"##.", "#..", "#.."}}},
};

std::vector<std::int32_t> PictureValues(const TPictureText& rows) {
  std::vector<std::int32_t> values;
  for (const std::string_view row : rows)
    for (const char c : row) values.push_back(c == '#' ? psChecked : psUnchecked);
  return values;
}

}  // namespace

const std::vector<TTemplateRec>& Templates() {
  static const std::vector<TTemplateRec> templates = [] {
    std::vector<TTemplateRec> list;
    for (const TTemplateText& text : kTemplateTexts) {
      TTemplateRec rec{.Width = text.Width, .Height = text.Height, .Pictures = {}};
      for (std::size_t i = 0; i < rec.Pictures.size(); ++i)
        rec.Pictures[i] = PictureValues(text.Pictures[i]);
      list.push_back(std::move(rec));
    }
    return list;
  }();
  return templates;
}

TInternalArrArr TemplateBoard(const TTemplateRec& rec, int variant) {
  const std::vector<std::int32_t>& picture = rec.Pictures[variant];
  TInternalArrArr board(rec.Height, TInternalArr(rec.Width));
  for (int y = 0; y < rec.Height; ++y)
    for (int x = 0; x < rec.Width; ++x)
      board[y][x] = picture[static_cast<std::size_t>(y) * rec.Width + x] == psChecked
                        ? kLetterFilled
                        : kLetterEmpty;
  return board;
}
