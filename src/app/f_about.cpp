#include "app/f_about.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "app/application_stuff.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"

namespace {

constexpr int kClientWidth = 624;
constexpr int kClientHeight = 276;
constexpr int kPanelHeight = 97;
constexpr int kButtonBarHeight = 41;
// A legal notice, the same in every language; the licence line under it is a
// text of the language table.
constexpr const char* kCopyright = "Copyright \u00a9 2026 The TAVELO authors";

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setFixedSize(kClientWidth, kClientHeight);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(0, 0, kClientWidth, kPanelHeight);
  Edit1 = new QLineEdit(Panel1);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(55, 38, 513, 23);
  Edit1->setReadOnly(true);
  Edit1->setAlignment(Qt::AlignCenter);
  QPalette editPalette = Edit1->palette();
  editPalette.setColor(QPalette::Base, editPalette.color(QPalette::Button));
  Edit1->setPalette(editPalette);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ScrollBox1->verticalScrollBar()->setTracking(true);
  ScrollBox1->setGeometry(0, kPanelHeight, kClientWidth,
                          kClientHeight - kPanelHeight - kButtonBarHeight);
  ScrollBox1->setWidgetResizable(true);
  lLicense = new QLabel(ScrollBox1);
  lLicense->setObjectName("lLicense");
  lLicense->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lLicense->setWordWrap(true);
  lLicense->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ScrollBox1->setWidget(lLicense);

  pbuttons = new QWidget(this);
  pbuttons->setObjectName("pbuttons");
  pbuttons->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);
  bOK = new QPushButton("OK", pbuttons);
  bOK->setObjectName("bOK");
  bOK->setGeometry(522, 6, 90, 25);
  bOK->setDefault(true);
  bOK->setFocus();
  connect(bOK, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate();
}

void TfrmAbout::FormCreate() {
  setFont(SystemFont());
  setWindowTitle(QString::fromStdString(TextFor(ttnAbout)));
  Edit1->setText(QString::fromStdString(GetVersionString(true)));
  lLicense->setText(QString::fromUtf8(kCopyright) + '\n' +
                    QString::fromStdString(TextFor(ttnLicense)));
}

void TfrmAbout::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Cancel)) {
    e->accept();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfrmAbout::showEvent(QShowEvent* e) {
  if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    // move() places the frame, so the frame is what gets centred.
    const QSize frame = size() + (frameGeometry().size() - geometry().size());
    const QRect area = s->availableGeometry();
    move(area.x() + (area.width() - frame.width()) / 2,
         area.y() + (area.height() - frame.height()) / 2);
  }
  QDialog::showEvent(e);
}
