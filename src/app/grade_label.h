// TGradeLabel: the button bar's note on the current puzzle: the difficulty it
// was started with above its grade in stars ("Easy" over two stars of five),
// the grade in words as its tooltip ("Grade: 2 / 5"). The window places it
// in the bar beside the clock (app/bar_layout.h) and hides it where the bar
// has no room for it.
#pragma once

#include <QLabel>
#include <optional>

#include "model/difficulty.h"

class TGradeLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TGradeLabel(QWidget* bar);

  // A difficulty outside the three shows no name; 0 stars (a puzzle line
  // logic does not solve) show a dash.
  void ShowGrade(TDifficulty difficulty, int stars);
  // Nothing to show: no current puzzle.
  void Clear();

  bool Showing() const { return FShowing; }
  // The same size whatever it shows, so the buttons do not move with it.
  QSize FixedSize() const;
  // Placed at, or hidden for want of room (nullopt).
  void PlaceAt(const std::optional<QPoint>& at);

 private:
  bool FShowing = false;  // there is a grade to show
  bool FFits = false;     // the bar has room for it
};
