// The notes the button bar shows after its row (or, on a bar at the left or
// right edge, its column) of buttons: the clock, then the grade. The row
// keeps its centred place when the notes fit after it; otherwise it moves
// back just enough; where even that is not enough, the last notes give way
// first.
#pragma once

#include <QPoint>
#include <QSize>
#include <optional>
#include <vector>

struct TBarNote {
  QSize Size;  // the same whatever the note shows, so the buttons stay put
};

struct TBarPlacement {
  int RowStart = 0;
  // Where each note goes; none for one without room.
  std::vector<std::optional<QPoint>> At;
};

// A row rowLength long centred in a bar barLength long and barThickness
// across, spacing between neighbours and at the bar's ends.
TBarPlacement PlaceAfterRow(const std::vector<TBarNote>& notes, int rowLength, int barLength,
                            int barThickness, bool vertical, int spacing);

// The length along the bar the notes take after the row, gaps included.
int NotesLength(const std::vector<TBarNote>& notes, bool vertical, int spacing);
