// The panel in the middle of the board area that says what the program is
// busy with ("Please wait...", "Making a 20x20 puzzle..."). It is never
// smaller than 249 x 97 px and grows to its text whenever it is shown, so a
// long translation is never cut off; it stays centred in its parent, and a
// text wider than the parent wraps.
#pragma once

#include <QLabel>

class TWaitPanel : public QLabel {
 public:
  explicit TWaitPanel(QWidget* parent);

  // Sizes the panel to its text and centres it in its parent.
  void FitToText();

 protected:
  void showEvent(QShowEvent* event) override;
};
