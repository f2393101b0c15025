#include "app/f_size.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/paste_check.h"
#include "text/lang_helper.h"

namespace {

QString Text(TTextName name) {
  QString text = QString::fromStdString(TextFor(name));
  if (text.endsWith("...")) text.chop(3);
  return text;
}

QSpinBox* SideBox(QWidget* parent, const char* name, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(kMinSlotSide, kMaxSlotSide);
  box->setValue(value);
  return box;
}

}  // namespace

TfrmSize::TfrmSize(QWidget* parent, int width, int height) : QDialog(parent) {
  setObjectName("frmSize");
  setWindowTitle(Text(ttnOtherSize));
  FeWidth = SideBox(this, "eWidth", width);
  FeHeight = SideBox(this, "eHeight", height);
  FlRange = new QLabel(QString::fromStdString(CountedTextFor(ttnSizeRange, kMaxSlotSide))
                           .arg(kMinSlotSide)
                           .arg(kMaxSlotSide),
                       this);
  FlRange->setObjectName("lRange");
  FlRange->setWordWrap(true);

  auto* form = new QFormLayout;
  form->addRow(Text(ttnWidth), FeWidth);
  form->addRow(Text(ttnHeight), FeHeight);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(Text(ttnOk));
  buttons->button(QDialogButtonBox::Ok)->setObjectName("bOk");
  buttons->button(QDialogButtonBox::Cancel)->setText(Text(ttnCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FlRange);
  layout->addLayout(form);
  layout->addWidget(buttons);
  // Room for the range sentence on one or two lines.
  setMinimumWidth(300);
  FeWidth->setFocus();
  FeWidth->selectAll();
}

int TfrmSize::BoardWidth() const {
  return FeWidth->value();
}

int TfrmSize::BoardHeight() const {
  return FeHeight->value();
}
