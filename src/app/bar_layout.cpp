#include "app/bar_layout.h"

#include <algorithm>

namespace {

int Along(const QSize& size, bool vertical) {
  return vertical ? size.height() : size.width();
}

}  // namespace

int NotesLength(const std::vector<TBarNote>& notes, bool vertical, int spacing) {
  int length = 0;
  for (const TBarNote& note : notes) length += spacing + Along(note.Size, vertical);
  return length;
}

TBarPlacement PlaceAfterRow(const std::vector<TBarNote>& notes, int rowLength, int barLength,
                            int barThickness, bool vertical, int spacing) {
  const int centred = (barLength - rowLength) / 2;
  TBarPlacement placement{centred, std::vector<std::optional<QPoint>>(notes.size())};
  // The most notes that fit, dropping from the end.
  std::vector<TBarNote> shown = notes;
  for (std::size_t count = notes.size(); count > 0; --count) {
    shown.resize(count);
    const int length = NotesLength(shown, vertical, spacing);
    const int start = std::min(centred, barLength - spacing - length - rowLength);
    if (start < std::min(centred, spacing)) continue;
    placement.RowStart = start;
    int at = start + rowLength;
    for (std::size_t i = 0; i < count; ++i) {
      at += spacing;
      const int across =
          (barThickness - (vertical ? notes[i].Size.width() : notes[i].Size.height())) / 2;
      placement.At[i] = vertical ? QPoint(across, at) : QPoint(at, across);
      at += Along(notes[i].Size, vertical);
    }
    break;
  }
  return placement;
}
