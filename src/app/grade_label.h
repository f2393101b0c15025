// TGradeLabel: the button bar's note on the current puzzle: the difficulty it
// was started with above its grade in stars ("Easy" over two stars of five),
// the grade in words as its tooltip ("Grade: 2 / 5"). It follows the buttons
// along the bar, on whatever edge the bar stands, and hides where the bar has
// no room for it.
#pragma once

#include <QLabel>

#include "model/mytypes.h"

class TGradeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TGradeLabel(QWidget* bar);

  // A difficulty outside the three shows no name; 0 stars (a puzzle line
  // logic does not solve) show a dash.
  void ShowGrade(TDifficulty difficulty, int stars);
  // Nothing to show: no current puzzle.
  void Clear();

  // Lays the label out after a row (or, on a bar at the left or right edge,
  // a column) of buttons that starts at rowStart and is rowLength long, in a
  // bar barLength long and barThickness across, with a gap of spacing. The
  // row keeps its place when the label fits after it; otherwise it moves
  // back just enough, and where even that is not enough the label hides.
  // Answers where the row starts now.
  int PlaceAfterRow(int rowStart, int rowLength, int barLength, int barThickness, bool vertical,
                    int spacing);

 private:
  // The same size whatever it shows, so the buttons do not move with it.
  QSize FixedSize() const;

  bool FShowing = false;  // there is a grade to show
  bool FFits = false;     // the bar has room for it
};
