// TfrmSize: the dialog of "Other size...": the width and height of a board,
// each within the sides a slot can have (the sizes New can make).
#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;

class TfrmSize : public QDialog {
  Q_OBJECT

 public:
  // Starts at the given size, kept within the range.
  TfrmSize(QWidget* parent, int width, int height);

  int BoardWidth() const;
  int BoardHeight() const;
  QSpinBox* eWidth() const { return FeWidth; }
  QSpinBox* eHeight() const { return FeHeight; }

 private:
  QSpinBox* FeWidth;
  QSpinBox* FeHeight;
  QLabel* FlRange;
};
