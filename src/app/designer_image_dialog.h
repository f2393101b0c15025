// The dialog that turns an image into a picture for the designer: the board
// size (the image's aspect kept, or the board filled and the rest cut off),
// the threshold and invert, with a live preview of the cells.
#pragma once

#include <QDialog>
#include <QImage>

#include "app/image_picture.h"

class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

class TfrmImagePicture : public QDialog {
  Q_OBJECT

 public:
  TfrmImagePicture(QWidget* parent, const QImage& image);

  TImageFit Fit() const;
  TDesignPicture Picture() const { return PictureOfImage(FImage, Fit()); }

  QSpinBox* eWidth() const { return FeWidth; }
  QSpinBox* eHeight() const { return FeHeight; }
  QSlider* sThreshold() const { return FsThreshold; }
  QCheckBox* cbInvert() const { return FcbInvert; }
  QCheckBox* cbCrop() const { return FcbCrop; }
  QLabel* lPreview() const { return FlPreview; }

 private:
  void UpdatePreview();

  QImage FImage;
  QSpinBox* FeWidth;
  QSpinBox* FeHeight;
  QSlider* FsThreshold;
  QCheckBox* FcbInvert;
  QCheckBox* FcbCrop;
  QLabel* FlPreview;
};
