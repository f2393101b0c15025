#include "app/f_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <utility>

#include "app/app_look.h"
#include "app/language_choices.h"
#include "persistence/game_settings.h"
#include "persistence/settings_table.h"
#include "text/lang_helper.h"

namespace {

constexpr int kDesignWidth = 462;
constexpr int kDesignHeight = 282;
constexpr int kButtonBarHeight = 41;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 25;
constexpr int kComboWidth = 240;

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

}  // namespace

TfrmSettings::TfrmSettings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  if (const QScreen* s = QGuiApplication::primaryScreen())
    FScreenDpi = static_cast<int>(s->logicalDotsPerInchY());

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  tsGame = new QWidget;
  tsGame->setObjectName("tsGame");
  PageControl1->addTab(tsGame, "Game");

  // Check boxes stand alone; each list forms a group with its label.
  int tag = 0;
  for (const TSettingRow& row : SettingRows()) {
    if (row.Control.empty()) continue;
    TSettingControl control{&row};
    const bool flag = row.Kind == TSettingKind::OriginalFlag || row.Kind == TSettingKind::Flag;
    if (flag) {
      control.Box = new QCheckBox(tsGame);
      control.Box->setObjectName(QString::fromUtf8(row.Control.data(), row.Control.size()));
      FStack.push_back({control.Box, 0});
    } else {
      ++tag;
      control.Label = new QLabel(tsGame);
      control.Label->setObjectName(QString::fromUtf8(row.Label.data(), row.Label.size()));
      control.List = new QComboBox(tsGame);
      control.List->setObjectName(QString::fromUtf8(row.Control.data(), row.Control.size()));
      control.Label->setBuddy(control.List);
      // Qt gives assistive technology no selection in a list, so a screen
      // reader cannot tell a drop-down's value; its description carries the
      // value, and a change of it is spoken while the list has the focus.
      QComboBox* list = control.List;
      connect(list, &QComboBox::currentTextChanged, list,
              [list](const QString& text) { list->setAccessibleDescription(text); });
      FStack.push_back({control.Label, tag});
      FStack.push_back({control.List, tag});
    }
    FControls.push_back(control);
  }

  pbuttons = new QWidget(this);
  pbuttons->setObjectName("pbuttons");
  bOK = new QPushButton("OK", pbuttons);
  bOK->setObjectName("bOK");
  bOK->setDefault(true);
  bCancel = new QPushButton("Cancel", pbuttons);
  bCancel->setObjectName("bCancel");
  connect(bOK, &QPushButton::clicked, this, &TfrmSettings::bOKClick);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(kDesignWidth, kDesignHeight);
  PageControl1->setGeometry(0, 0, kDesignWidth, kDesignHeight - kButtonBarHeight);
  pbuttons->setGeometry(0, kDesignHeight - kButtonBarHeight, kDesignWidth, kButtonBarHeight);
  bOK->resize(kButtonWidth, kButtonHeight);
  bCancel->resize(kButtonWidth, kButtonHeight);
  if (!FStack.empty()) FStack.front().Control->setFocus();

  FormCreate();
}

void TfrmSettings::FormCreate() {
  setFont(SystemFont());
  // The buttons stand at the right edge, 8 px apart and 8 px from the edge.
  int total = 0;
  for (const QPushButton* b : {bOK, bCancel})
    if (!b->isHidden()) total += b->width() + 8;
  int left = width() - total;
  const int top = (kButtonBarHeight - kButtonHeight) / 2;
  for (QPushButton* b : {bOK, bCancel}) {
    if (b->isHidden()) continue;
    b->move(left, top);
    left += b->width() + 8;
  }
}

void TfrmSettings::EditSettings(TGameSettings& settings) {
  FSettings = &settings;

  setWindowTitle(Text(ttnSettings));
  PageControl1->setTabText(PageControl1->indexOf(tsGame), Text(ttnGame1));
  bOK->setText(Text(ttnOk));
  bCancel->setText(Text(ttnCancel));
  for (const TSettingControl& c : FControls) {
    const int value = settings.Value(c.Row->Id);
    if (c.Box) {
      c.Box->setText(Text(c.Row->Text));
      c.Box->setChecked(value != 0);
      continue;
    }
    c.Label->setText(Text(c.Row->Text));
    c.List->clear();
    for (const TSettingItem& item : c.Row->Items) c.List->addItem(Text(item.Text), item.Value);
    if (c.Row->Id == TSetting::Language) {
      for (const TLangRec& rec : LanguageChoices(SystemLanguage()))
        c.List->addItem(QString::fromStdString(rec.Name), static_cast<int>(rec.Lang));
      // A language that is not offered shows the first.
      c.List->setCurrentIndex(std::max(0, c.List->findData(value)));
    } else {
      // A value without a choice (a number from a hand-edited file) shows none.
      c.List->setCurrentIndex(c.List->findData(value));
    }
  }
}

void TfrmSettings::FormActivate() {
  // Labels and lists fit their texts in the current font, as the check boxes
  // do below.
  for (const TStackedControl& c : FStack) {
    if (auto* label = qobject_cast<QLabel*>(c.Control)) {
      label->adjustSize();
    } else if (auto* combo = qobject_cast<QComboBox*>(c.Control)) {
      const QSize hint = combo->sizeHint();
      combo->resize(std::max(kComboWidth, hint.width()), hint.height());
    }
  }

  // Stand-alone controls first, then each label with the control it names,
  // groups in the order their tags first occur.
  std::vector<TStackedControl> order;
  std::vector<int> groups;
  for (const TStackedControl& c : FStack) {
    if (c.Tag == 0)
      order.push_back(c);
    else if (std::find(groups.begin(), groups.end(), c.Tag) == groups.end())
      groups.push_back(c.Tag);
  }
  for (const int tag : groups)
    for (const TStackedControl& c : FStack)
      if (c.Tag == tag) order.push_back(c);

  const QFontMetrics metrics(font());
  int top = 8;
  int right = 0;
  for (const TStackedControl& c : order) {
    QWidget* control = c.Control;
    if (control->isHidden()) continue;
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
      box->resize(indicator + metrics.horizontalAdvance(box->text()) + Scale(8),
                  box->sizeHint().height());
    }
    control->move(c.Tag == 0 || qobject_cast<QLabel*>(control) ? 8 : 12, top);
    top += control->height() + 4;
    right = std::max(right, control->x() + control->width());
  }
  const int contentHeight = top + 4;

  // The page holds exactly the content; the dialog's client area holds the
  // page control and the button bar. Texts longer than the design width (in
  // some languages) widen the dialog rather than being cut.
  const int pageFrame = PageControl1->width() - tsGame->width();
  const int clientWidth = std::max(kDesignWidth, right + 8 + pageFrame);
  const int pageHeight = contentHeight + (PageControl1->height() - tsGame->height());
  const int clientHeight = pageHeight + pbuttons->height();
  setFixedSize(clientWidth, clientHeight);
  PageControl1->setGeometry(0, 0, clientWidth, pageHeight);
  pbuttons->setGeometry(0, pageHeight, clientWidth, pbuttons->height());
  for (QPushButton* button : {bOK, bCancel})
    button->resize(std::max(kButtonWidth, button->sizeHint().width()), kButtonHeight);

  bOK->move(pbuttons->width() - bOK->width() - bCancel->width() - 16,
            (pbuttons->height() - bOK->height()) / 2);
  bCancel->move(bOK->x() + bOK->width() + 8, bOK->y());
}

bool TfrmSettings::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(e);
}

void TfrmSettings::showEvent(QShowEvent* e) {
  // Sized before it appears, so that it opens centred at its final size.
  FormActivate();
  CenterOnScreen();
  QDialog::showEvent(e);
}

void TfrmSettings::bOKClick() {
  if (FSettings) {
    for (const TSettingControl& c : FControls) {
      if (c.Box)
        FSettings->SetValue(c.Row->Id, c.Box->isChecked() ? 1 : 0);
      else if (c.List->currentIndex() >= 0)
        FSettings->SetValue(c.Row->Id, c.List->currentData().toInt());
    }
  }
  accept();
}

int TfrmSettings::Scale(int n) const {
  return n * FScreenDpi / 96;
}

void TfrmSettings::CenterOnScreen() {
  const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  // move() places the frame, so the frame is what gets centred.
  const QSize frame = size() + (frameGeometry().size() - geometry().size());
  const QRect area = s->availableGeometry();
  move(area.x() + (area.width() - frame.width()) / 2,
       area.y() + (area.height() - frame.height()) / 2);
}
