#include "app/f_about.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/app_look.h"
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

// The program's resources live in this static library, which Qt does not
// register by itself. (Q_INIT_RESOURCE must not stand in a namespace.)
static void RegisterIcons() {
  Q_INIT_RESOURCE(tavelo);
}

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setFixedSize(kClientWidth, kClientHeight);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(0, 0, kClientWidth, kPanelHeight);
  lIcon = new QLabel(Panel1);
  lIcon->setObjectName("lIcon");
  lIcon->setGeometry(16, 16, 64, 64);
  RegisterIcons();
  lIcon->setPixmap(QPixmap(":/icons/tavelo.png"));
  lName = new QLabel(QString::fromLatin1(kProductName), Panel1);
  lName->setObjectName("lName");
  lName->setGeometry(96, 12, 513, 30);
  Edit1 = new QLineEdit(Panel1);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(96, 50, 513, 23);
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
  auto* texts = new QWidget(ScrollBox1);
  auto* column = new QVBoxLayout(texts);
  column->setContentsMargins(16, 4, 16, 4);
  lDescription = new QLabel(texts);
  lDescription->setObjectName("lDescription");
  lLicense = new QLabel(texts);
  lLicense->setObjectName("lLicense");
  for (QLabel* label : {lDescription, lLicense}) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(label);
  }
  column->addStretch();
  ScrollBox1->setWidget(texts);

  pbuttons = new QWidget(this);
  pbuttons->setObjectName("pbuttons");
  pbuttons->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);
  bOK = new QPushButton("Close", pbuttons);
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
  Edit1->setAccessibleName(QString::fromStdString(TextFor(ttnVersion)));
  lIcon->setAccessibleName(QString::fromLatin1(kProductName));
  // The text area takes Tab (to scroll by keys): a screen reader needs its name.
  ScrollBox1->setAccessibleName(windowTitle());
  QFont big = font();
  big.setBold(true);
  big.setPointSize(font().pointSize() + 6);
  lName->setFont(big);
  bOK->setText(QString::fromStdString(TextFor(ttnClose)));
  // Wider for a long caption at a large font, its right edge kept in place.
  const int right = bOK->geometry().right();
  bOK->setFixedWidth(std::max(90, bOK->sizeHint().width()));
  bOK->move(right + 1 - bOK->width(), bOK->y());
  lDescription->setText(QString::fromStdString(TextFor(ttnAboutSentence)));
  lLicense->setText(QString::fromUtf8(kCopyright) + '\n' +
                    QString::fromStdString(TextFor(ttnLicense)));
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
