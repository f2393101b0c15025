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

#include "app/application_stuff.h"
#include "app/language_choices.h"
#include "persistence/game_settings.h"
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

// Shows the item at position value, or no item when the list has none there.
void SelectPosition(QComboBox* combo, int value) {
  combo->setCurrentIndex(value < combo->count() ? value : -1);
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

  cbDrawHotTrackCounters = new QCheckBox(tsGame);
  cbDrawHotTrackCounters->setObjectName("cbDrawHotTrackCounters");
  cbDrawHotTrackBoard = new QCheckBox(tsGame);
  cbDrawHotTrackBoard->setObjectName("cbDrawHotTrackBoard");
  cbKeepStrokeStraight = new QCheckBox(tsGame);
  cbKeepStrokeStraight->setObjectName("cbKeepStrokeStraight");
  cbCompletedClues = new QCheckBox(tsGame);
  cbCompletedClues->setObjectName("cbCompletedClues");
  cbMistakeLines = new QCheckBox(tsGame);
  cbMistakeLines->setObjectName("cbMistakeLines");
  cbSolvedAtOnce = new QCheckBox(tsGame);
  cbSolvedAtOnce->setObjectName("cbSolvedAtOnce");
  lGameMode = new QLabel(tsGame);
  lGameMode->setObjectName("lGameMode");
  cbGameMode = new QComboBox(tsGame);
  cbGameMode->setObjectName("cbGameMode");
  cbGameMode->addItems({"Normal", "Nightmare"});
  lNewDifficulty = new QLabel(tsGame);
  lNewDifficulty->setObjectName("lNewDifficulty");
  cbNewDifficulty = new QComboBox(tsGame);
  cbNewDifficulty->setObjectName("cbNewDifficulty");
  lButtonsPosition = new QLabel(tsGame);
  lButtonsPosition->setObjectName("lButtonsPosition");
  cbButtonPosition = new QComboBox(tsGame);
  cbButtonPosition->setObjectName("cbButtonPosition");
  cbButtonPosition->addItems({"Bottom", "Left", "Top", "Right"});
  lLanguage = new QLabel(tsGame);
  lLanguage->setObjectName("lLanguage");
  cbLanguage = new QComboBox(tsGame);
  cbLanguage->setObjectName("cbLanguage");
  lGameMode->setBuddy(cbGameMode);
  lNewDifficulty->setBuddy(cbNewDifficulty);
  lButtonsPosition->setBuddy(cbButtonPosition);
  lLanguage->setBuddy(cbLanguage);
  lBoardLook = new QLabel(tsGame);
  lBoardLook->setObjectName("lBoardLook");
  cbBoardLook = new QComboBox(tsGame);
  cbBoardLook->setObjectName("cbBoardLook");
  lBoardLook->setBuddy(cbBoardLook);
  // Qt gives assistive technology no selection in a list, so a screen reader
  // cannot tell a drop-down's value; its description carries the value, and
  // a change of it is spoken while the list has the focus.
  for (QComboBox* combo : {cbGameMode, cbNewDifficulty, cbButtonPosition, cbLanguage, cbBoardLook})
    connect(combo, &QComboBox::currentTextChanged, combo,
            [combo](const QString& text) { combo->setAccessibleDescription(text); });

  FStack = {{cbDrawHotTrackCounters, 0},
            {cbDrawHotTrackBoard, 0},
            {cbKeepStrokeStraight, 0},
            {cbCompletedClues, 0},
            {cbMistakeLines, 0},
            {cbSolvedAtOnce, 0},
            {lGameMode, 1},
            {cbGameMode, 1},
            {lNewDifficulty, 4},
            {cbNewDifficulty, 4},
            {lButtonsPosition, 2},
            {cbButtonPosition, 2},
            {lLanguage, 3},
            {cbLanguage, 3},
            {lBoardLook, 5},
            {cbBoardLook, 5}};

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
  cbDrawHotTrackCounters->setFocus();

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
  cbDrawHotTrackCounters->setText(Text(ttnHotTrackCounters));
  cbDrawHotTrackBoard->setText(Text(ttnHotTrackBoard));
  cbKeepStrokeStraight->setText(Text(ttnKeepStrokeStraight));
  cbCompletedClues->setText(Text(ttnCompletedClues));
  cbMistakeLines->setText(Text(ttnMistakeLines));
  cbSolvedAtOnce->setText(Text(ttnSolvedAtOnce));
  lGameMode->setText(Text(ttnGameMode));
  lNewDifficulty->setText(Text(ttnNewDifficulty));
  lButtonsPosition->setText(Text(ttnButtonsPosition));
  lLanguage->setText(Text(ttnLanguage));
  lBoardLook->setText(Text(ttnBoardLook));
  bOK->setText(Text(ttnOk));
  bCancel->setText(Text(ttnCancel));
  cbGameMode->clear();
  cbGameMode->addItems({Text(ttnNormal), Text(ttnSuddenDeath)});
  // Easiest first; each item carries its difficulty.
  cbNewDifficulty->clear();
  for (const auto& [difficulty, text] :
       {std::pair{2, ttnEasy}, std::pair{1, ttnMedium}, std::pair{0, ttnNormalDifficulty}})
    cbNewDifficulty->addItem(Text(text), difficulty);
  cbNewDifficulty->setCurrentIndex(cbNewDifficulty->findData(settings.NewDifficulty()));
  cbButtonPosition->clear();
  cbButtonPosition->addItems({Text(ttnBottom), Text(ttnLeft), Text(ttnTop), Text(ttnRight)});

  // In the order of the looks' stored values.
  cbBoardLook->clear();
  cbBoardLook->addItems({Text(ttnLookDefault), Text(ttnLookHighContrastLight),
                         Text(ttnLookHighContrastDark), Text(ttnLookColourBlindSafe)});
  SelectPosition(cbBoardLook, settings.BoardLook());

  cbLanguage->clear();
  for (const TLangRec& rec : LanguageChoices(SystemLanguage()))
    cbLanguage->addItem(QString::fromStdString(rec.Name), static_cast<int>(rec.Lang));
  const int match = cbLanguage->findData(static_cast<int>(settings.Language()));
  cbLanguage->setCurrentIndex(match >= 0 ? match : 0);

  SelectPosition(cbButtonPosition, settings.ButtonsPosition());
  cbDrawHotTrackCounters->setChecked(settings.DrawHotTrackCounters());
  cbDrawHotTrackBoard->setChecked(settings.DrawHotTrackBoard());
  cbKeepStrokeStraight->setChecked(settings.KeepStrokeStraight());
  cbCompletedClues->setChecked(settings.CompletedClues());
  cbMistakeLines->setChecked(settings.MistakeLines());
  cbSolvedAtOnce->setChecked(settings.SolvedAtOnce());
  SelectPosition(cbGameMode, settings.GameMode());
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
    if (cbButtonPosition->currentIndex() >= 0)
      FSettings->SetButtonsPosition(
          static_cast<TButtonsPosition>(cbButtonPosition->currentIndex()));
    FSettings->SetDrawHotTrackCounters(cbDrawHotTrackCounters->isChecked());
    FSettings->SetDrawHotTrackBoard(cbDrawHotTrackBoard->isChecked());
    FSettings->SetKeepStrokeStraight(cbKeepStrokeStraight->isChecked());
    FSettings->SetCompletedClues(cbCompletedClues->isChecked());
    FSettings->SetMistakeLines(cbMistakeLines->isChecked());
    FSettings->SetSolvedAtOnce(cbSolvedAtOnce->isChecked());
    if (cbGameMode->currentIndex() >= 0)
      FSettings->SetGameMode(static_cast<TGameMode>(cbGameMode->currentIndex()));
    if (cbNewDifficulty->currentIndex() >= 0)
      FSettings->SetNewDifficulty(static_cast<TDifficulty>(cbNewDifficulty->currentData().toInt()));
    if (cbLanguage->currentIndex() >= 0)
      FSettings->SetLanguage(static_cast<TLanguage>(cbLanguage->currentData().toInt()));
    if (cbBoardLook->currentIndex() >= 0)
      FSettings->SetBoardLook(static_cast<TBoardLook>(cbBoardLook->currentIndex()));
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
