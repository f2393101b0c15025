#include "app/designer_image_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/paste_check.h"
#include "text/lang_helper.h"

namespace {

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

constexpr int kPreviewSide = 256;

}  // namespace

TfrmImagePicture::TfrmImagePicture(QWidget* parent, const QImage& image)
    : QDialog(parent), FImage(image) {
  setObjectName("frmImagePicture");
  setWindowTitle(Text(ttnDesignFromImage).remove("..."));
  // A first size of 20 cells on the longer side, the aspect kept.
  const double aspect = static_cast<double>(image.width()) / std::max(1, image.height());
  const int width =
      aspect >= 1 ? 20 : std::clamp(static_cast<int>(std::lround(20 * aspect)), kMinSlotSide, 20);
  const int height =
      aspect >= 1 ? std::clamp(static_cast<int>(std::lround(20 / aspect)), kMinSlotSide, 20) : 20;
  FeWidth = new QSpinBox(this);
  FeWidth->setObjectName("eWidth");
  FeWidth->setRange(kMinSlotSide, kMaxSlotSide);
  FeWidth->setValue(width);
  FeHeight = new QSpinBox(this);
  FeHeight->setObjectName("eHeight");
  FeHeight->setRange(kMinSlotSide, kMaxSlotSide);
  FeHeight->setValue(height);
  FsThreshold = new QSlider(Qt::Horizontal, this);
  FsThreshold->setObjectName("sThreshold");
  FsThreshold->setRange(0, 255);
  FsThreshold->setValue(128);
  FcbInvert = new QCheckBox(Text(ttnImageInvert), this);
  FcbInvert->setObjectName("cbInvert");
  FcbCrop = new QCheckBox(Text(ttnImageCrop), this);
  FcbCrop->setObjectName("cbCrop");
  FlPreview = new QLabel(this);
  FlPreview->setObjectName("lPreview");
  FlPreview->setMinimumSize(kPreviewSide, kPreviewSide);
  FlPreview->setAlignment(Qt::AlignCenter);

  auto* form = new QFormLayout;
  auto* size = new QHBoxLayout;
  size->addWidget(FeWidth);
  size->addWidget(new QLabel(QStringLiteral("x"), this));
  size->addWidget(FeHeight);
  form->addRow(Text(ttnImageSize), size);
  form->addRow(Text(ttnImageThreshold), FsThreshold);
  form->addRow(FcbInvert);
  form->addRow(FcbCrop);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Text(ttnOk));
  buttons->button(QDialogButtonBox::Cancel)->setText(Text(ttnCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(FlPreview, 1);
  layout->addWidget(buttons);

  for (QSpinBox* box : {FeWidth, FeHeight})
    connect(box, &QSpinBox::valueChanged, this, &TfrmImagePicture::UpdatePreview);
  connect(FsThreshold, &QSlider::valueChanged, this, &TfrmImagePicture::UpdatePreview);
  for (QCheckBox* box : {FcbInvert, FcbCrop})
    connect(box, &QCheckBox::toggled, this, &TfrmImagePicture::UpdatePreview);
  UpdatePreview();
}

TImageFit TfrmImagePicture::Fit() const {
  return {FeWidth->value(), FeHeight->value(), FcbCrop->isChecked(), FsThreshold->value(),
          FcbInvert->isChecked()};
}

void TfrmImagePicture::UpdatePreview() {
  const TDesignPicture picture = Picture();
  const int cell = std::max(1, kPreviewSide / std::max(picture.Width, picture.Height));
  QImage preview(picture.Width * cell, picture.Height * cell, QImage::Format_RGB32);
  preview.fill(Qt::white);
  QPainter painter(&preview);
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x)
      if (picture.Filled(x, y)) painter.fillRect(x * cell, y * cell, cell, cell, Qt::black);
  painter.end();
  FlPreview->setPixmap(QPixmap::fromImage(preview));
}
