// The settings dialog driven the way the player drives it: clicks and keys on
// the real controls, found by their names.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusFrame>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/f_settings.h"
#include "app/focus_mark.h"
#include "app/language_choices.h"
#include "persistence/game_settings.h"
#include "persistence/settings_table.h"
#include "support/accessibility_recorder.h"
#include "support/accessible_names.h"
#include "text/lang_helper.h"

namespace {

using Fields = std::vector<std::pair<std::string, int>>;

// Every setting of the table, drawcellspos included, which the dialog must
// never touch.
Fields FieldsOf(const TGameSettings& s) {
  Fields fields;
  for (const TSettingRow& row : SettingRows())
    fields.emplace_back(std::string(row.Key), s.Value(row.Id));
  return fields;
}

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FSettings.SetButtonsPosition(bpLeft);
    FSettings.SetDrawHotTrackCounters(true);
    FSettings.SetDrawHotTrackBoard(false);
    FSettings.SetGameMode(gmNormal);
    FSettings.SetDrawCellsPos(true);
    FSettings.SetLanguage(lgEnglish);
    FSettings.SetNewDifficulty(TDifficulty::Normal);
  }

  // A dialog bound to FSettings and shown non-modally.
  std::unique_ptr<TfrmSettings> Open() {
    auto dialog = std::make_unique<TfrmSettings>();
    dialog->EditSettings(FSettings);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }

  template <class T>
  static T* Child(const TfrmSettings& dialog, const char* name) {
    T* child = dialog.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  // Changes every control of the dialog from the values of SetUp.
  static void ChangeEverything(TfrmSettings& dialog) {
    QTest::mouseClick(Child<QCheckBox>(dialog, "cbDrawHotTrackCounters"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>(dialog, "cbDrawHotTrackBoard"), Qt::LeftButton);
    QTest::keyClick(Child<QComboBox>(dialog, "cbGameMode"), Qt::Key_Down);
    QTest::keyClick(Child<QComboBox>(dialog, "cbButtonPosition"), Qt::Key_Down);
    QTest::keyClick(Child<QComboBox>(dialog, "cbNewDifficulty"), Qt::Key_Up);
  }

  TGameSettings FSettings;
};

TEST_F(SettingsDialogTest, ShowsTheTextsAndTheCurrentValues) {
  FSettings.SetButtonsPosition(bpRight);
  FSettings.SetGameMode(gmNightmare);
  FSettings.SetDrawHotTrackCounters(false);
  FSettings.SetDrawHotTrackBoard(true);
  FSettings.SetNewDifficulty(TDifficulty::Medium);
  const auto dialog = Open();

  EXPECT_EQ(dialog->windowTitle(), Text(ttnSettings));
  const auto* pages = Child<QTabWidget>(*dialog, "PageControl1");
  ASSERT_EQ(pages->count(), 1);
  EXPECT_EQ(pages->widget(0), Child<QWidget>(*dialog, "tsGame"));
  EXPECT_EQ(pages->tabText(0), Text(ttnGame1));
  EXPECT_EQ(Child<QLabel>(*dialog, "lGameMode")->text(), Text(ttnGameMode));
  EXPECT_EQ(Child<QLabel>(*dialog, "lNewDifficulty")->text(), Text(ttnNewDifficulty));
  EXPECT_EQ(Child<QLabel>(*dialog, "lButtonsPosition")->text(), Text(ttnButtonsPosition));
  EXPECT_EQ(Child<QLabel>(*dialog, "lLanguage")->text(), Text(ttnLanguage));
  EXPECT_EQ(Child<QPushButton>(*dialog, "bOK")->text(), Text(ttnOk));
  EXPECT_EQ(Child<QPushButton>(*dialog, "bCancel")->text(), Text(ttnCancel));

  const auto* counters = Child<QCheckBox>(*dialog, "cbDrawHotTrackCounters");
  const auto* board = Child<QCheckBox>(*dialog, "cbDrawHotTrackBoard");
  const auto* mode = Child<QComboBox>(*dialog, "cbGameMode");
  const auto* buttons = Child<QComboBox>(*dialog, "cbButtonPosition");
  const auto* language = Child<QComboBox>(*dialog, "cbLanguage");
  const auto* difficulty = Child<QComboBox>(*dialog, "cbNewDifficulty");
  EXPECT_EQ(Items(difficulty),
            QStringList({Text(ttnEasy), Text(ttnMedium), Text(ttnNormalDifficulty)}));
  EXPECT_EQ(difficulty->currentText(), Text(ttnMedium));
  // Below the game mode, with its label above it.
  EXPECT_GT(Child<QLabel>(*dialog, "lNewDifficulty")->y(), mode->y());
  EXPECT_GT(difficulty->y(), Child<QLabel>(*dialog, "lNewDifficulty")->y());
  EXPECT_LT(difficulty->y(), buttons->y());
  EXPECT_EQ(counters->text(), Text(ttnHotTrackCounters));
  EXPECT_EQ(board->text(), Text(ttnHotTrackBoard));
  EXPECT_EQ(Items(mode), QStringList({Text(ttnNormal), Text(ttnSuddenDeath)}));
  EXPECT_EQ(Items(buttons),
            QStringList({Text(ttnBottom), Text(ttnLeft), Text(ttnTop), Text(ttnRight)}));
  QStringList languages;
  for (const TLangRec& rec : LanguageChoices(SystemLanguage()))
    languages << QString::fromStdString(rec.Name);
  EXPECT_EQ(Items(language), languages);

  EXPECT_FALSE(counters->isChecked());
  EXPECT_TRUE(board->isChecked());
  EXPECT_EQ(mode->currentIndex(), gmNightmare);
  EXPECT_EQ(buttons->currentIndex(), bpRight);
  EXPECT_EQ(language->currentText(), "English");
}

TEST_F(SettingsDialogTest, EditingAgainRefillsTheListsWithoutDuplicates) {
  const auto dialog = Open();
  TGameSettings other = FSettings;
  other.SetButtonsPosition(bpTop);
  dialog->EditSettings(other);
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbGameMode")->count(), 2);
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbButtonPosition")->count(), 4);
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbButtonPosition")->currentIndex(), bpTop);
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbLanguage")->count(),
            static_cast<int>(LanguageList().size()));
}

TEST_F(SettingsDialogTest, EachControlChangesWhatItNamesOnOk) {
  struct Case {
    const char* Control;
    std::function<void(TfrmSettings&)> Change;
    std::function<void(TGameSettings&)> Expect;
  };
  const std::vector<Case> cases = {
      {"cbDrawHotTrackCounters",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbDrawHotTrackCounters"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetDrawHotTrackCounters(false); }},
      {"cbDrawHotTrackBoard",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbDrawHotTrackBoard"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetDrawHotTrackBoard(true); }},
      {"cbKeepStrokeStraight",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbKeepStrokeStraight"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetKeepStrokeStraight(true); }},
      {"cbCompletedClues",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbCompletedClues"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetCompletedClues(false); }},
      {"cbMistakeLines",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbMistakeLines"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetMistakeLines(true); }},
      {"cbSolvedAtOnce",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QCheckBox>(d, "cbSolvedAtOnce"), Qt::LeftButton);
       },
       [](TGameSettings& s) { s.SetSolvedAtOnce(false); }},
      {"cbGameMode",
       [](TfrmSettings& d) { QTest::keyClick(Child<QComboBox>(d, "cbGameMode"), Qt::Key_Down); },
       [](TGameSettings& s) { s.SetGameMode(gmNightmare); }},
      {"cbButtonPosition Up",
       [](TfrmSettings& d) {
         QTest::keyClick(Child<QComboBox>(d, "cbButtonPosition"), Qt::Key_Up);
       },
       [](TGameSettings& s) { s.SetButtonsPosition(bpBottom); }},
      {"cbButtonPosition End",
       [](TfrmSettings& d) {
         QTest::keyClick(Child<QComboBox>(d, "cbButtonPosition"), Qt::Key_End);
       },
       [](TGameSettings& s) { s.SetButtonsPosition(bpRight); }},
      {"cbNewDifficulty Home",
       [](TfrmSettings& d) {
         QTest::keyClick(Child<QComboBox>(d, "cbNewDifficulty"), Qt::Key_Home);
       },
       [](TGameSettings& s) { s.SetNewDifficulty(TDifficulty::Easy); }},
      {"cbNewDifficulty Up",
       [](TfrmSettings& d) { QTest::keyClick(Child<QComboBox>(d, "cbNewDifficulty"), Qt::Key_Up); },
       [](TGameSettings& s) { s.SetNewDifficulty(TDifficulty::Medium); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Control);
    SetUp();
    TGameSettings expected = FSettings;
    c.Expect(expected);
    const auto dialog = Open();
    c.Change(*dialog);
    QTest::mouseClick(Child<QPushButton>(*dialog, "bOK"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(FieldsOf(FSettings), FieldsOf(expected));
  }
}

// Every setting the table offers has its control in the dialog, and changing
// that control changes that setting alone on OK.
TEST_F(SettingsDialogTest, EveryOfferedSettingHasAControlThatChangesItAlone) {
  for (const TSettingRow& row : SettingRows()) {
    if (row.Control.empty()) continue;
    SCOPED_TRACE(std::string(row.Control));
    SetUp();
    const Fields before = FieldsOf(FSettings);
    const auto dialog = Open();
    auto* control =
        dialog->findChild<QWidget*>(QString::fromUtf8(row.Control.data(), row.Control.size()));
    ASSERT_NE(control, nullptr);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      box->click();
    } else {
      auto* list = qobject_cast<QComboBox*>(control);
      ASSERT_NE(list, nullptr);
      ASSERT_GT(list->count(), 1);
      list->setCurrentIndex((list->currentIndex() + 1) % list->count());
    }
    Child<QPushButton>(*dialog, "bOK")->click();
    const Fields after = FieldsOf(FSettings);
    int changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
      if (after[i] != before[i]) {
        ++changed;
        EXPECT_EQ(after[i].first, row.Key);
      }
    EXPECT_EQ(changed, 1);
  }
}

TEST_F(SettingsDialogTest, NothingIsWrittenBeforeOk) {
  const Fields before = FieldsOf(FSettings);
  const auto dialog = Open();
  ChangeEverything(*dialog);
  EXPECT_EQ(FieldsOf(FSettings), before);
}

TEST_F(SettingsDialogTest, CancelEscAndTheCloseBoxChangeNothing) {
  const std::vector<std::pair<const char*, std::function<void(TfrmSettings&)>>> ways = {
      {"bCancel",
       [](TfrmSettings& d) {
         QTest::mouseClick(Child<QPushButton>(d, "bCancel"), Qt::LeftButton);
       }},
      {"Esc", [](TfrmSettings& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
      {"close box", [](TfrmSettings& d) { d.close(); }},
  };
  const Fields before = FieldsOf(FSettings);
  for (const auto& [name, leave] : ways) {
    SCOPED_TRACE(name);
    const auto dialog = Open();
    ChangeEverything(*dialog);
    leave(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(FieldsOf(FSettings), before);
  }
}

TEST_F(SettingsDialogTest, EnterInAModalRunConfirms) {
  TfrmSettings dialog;
  dialog.EditSettings(FSettings);
  QTimer::singleShot(0, &dialog, [&dialog] {
    QTest::keyClick(Child<QComboBox>(dialog, "cbGameMode"), Qt::Key_Down);
    QTest::keyClick(&dialog, Qt::Key_Return);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(FSettings.GameMode(), gmNightmare);
}

TEST_F(SettingsDialogTest, AStoredLanguageNotOfferedShowsTheFirstAndOkStoresIt) {
  // 11 names no language.
  FSettings.SetLanguage(static_cast<TLanguage>(11));
  const auto dialog = Open();
  const auto* language = Child<QComboBox>(*dialog, "cbLanguage");
  const TLangRec first = LanguageChoices(SystemLanguage()).front();
  EXPECT_EQ(language->currentIndex(), 0);
  EXPECT_EQ(language->currentText().toStdString(), first.Name);
  QTest::mouseClick(Child<QPushButton>(*dialog, "bOK"), Qt::LeftButton);
  EXPECT_EQ(FSettings.Language(), first.Lang);
}

TEST_F(SettingsDialogTest, TheNextLanguageInTheListIsStoredOnOk) {
  const auto dialog = Open();
  auto* language = Child<QComboBox>(*dialog, "cbLanguage");
  const TLangRec next = LanguageChoices(SystemLanguage()).at(language->currentIndex() + 1);
  QTest::keyClick(language, Qt::Key_Down);
  EXPECT_EQ(language->currentText().toStdString(), next.Name);
  QTest::mouseClick(Child<QPushButton>(*dialog, "bOK"), Qt::LeftButton);
  EXPECT_EQ(FSettings.Language(), next.Lang);
}

TEST_F(SettingsDialogTest, OutOfRangeChoicesShowNothingAndAreKeptOnOk) {
  FSettings.SetButtonsPosition(static_cast<TButtonsPosition>(7));
  FSettings.SetGameMode(static_cast<TGameMode>(200));
  const auto dialog = Open();
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbButtonPosition")->currentIndex(), -1);
  EXPECT_EQ(Child<QComboBox>(*dialog, "cbGameMode")->currentIndex(), -1);
  QTest::mouseClick(Child<QCheckBox>(*dialog, "cbDrawHotTrackBoard"), Qt::LeftButton);
  QTest::mouseClick(Child<QPushButton>(*dialog, "bOK"), Qt::LeftButton);
  EXPECT_EQ(FSettings.ButtonsPosition(), 7);
  EXPECT_EQ(FSettings.GameMode(), 200);
  EXPECT_TRUE(FSettings.DrawHotTrackBoard());
}

// The stacked page: stand-alone check boxes first, then each label with its
// list, 4 px apart; the page holds exactly that and the dialog the page and
// the button bar.
TEST_F(SettingsDialogTest, StacksThePageAndFitsTheDialogToIt) {
  const auto dialog = Open();
  const char* const order[] = {"cbDrawHotTrackCounters",
                               "cbDrawHotTrackBoard",
                               "cbKeepStrokeStraight",
                               "cbCompletedClues",
                               "cbMistakeLines",
                               "cbSolvedAtOnce",
                               "lGameMode",
                               "cbGameMode",
                               "lNewDifficulty",
                               "cbNewDifficulty",
                               "lButtonsPosition",
                               "cbButtonPosition",
                               "lLanguage",
                               "cbLanguage",
                               "lBoardLook",
                               "cbBoardLook"};
  const int lefts[] = {8, 8, 8, 8, 8, 8, 8, 12, 8, 12, 8, 12, 8, 12, 8, 12};
  int top = 8;
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(order[i]);
    const QWidget* control = Child<QWidget>(*dialog, order[i]);
    EXPECT_EQ(control->pos(), QPoint(lefts[i], top));
    EXPECT_GT(control->height(), 0);
    top += control->height() + 4;
  }
  const int content = top + 4;
  const auto* pages = Child<QTabWidget>(*dialog, "PageControl1");
  const auto* page = Child<QWidget>(*dialog, "tsGame");
  const auto* bar = Child<QWidget>(*dialog, "pbuttons");
  EXPECT_EQ(page->height(), content);
  EXPECT_EQ(pages->geometry(), QRect(0, 0, dialog->width(), pages->height()));
  EXPECT_EQ(bar->geometry(), QRect(0, pages->height(), dialog->width(), 41));
  EXPECT_EQ(dialog->height(), pages->height() + bar->height());
  EXPECT_EQ(dialog->width(), 462);
  EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize()) << "fixed size";

  const QScreen* screen = QGuiApplication::primaryScreen();
  const int eight = 8 * static_cast<int>(screen->logicalDotsPerInchY()) / 96;
  for (const char* name : {"cbDrawHotTrackCounters", "cbDrawHotTrackBoard"}) {
    SCOPED_TRACE(name);
    const auto* box = Child<QCheckBox>(*dialog, name);
    EXPECT_EQ(box->width(), box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                                QFontMetrics(dialog->font()).horizontalAdvance(box->text()) +
                                eight);
  }

  const auto* ok = Child<QPushButton>(*dialog, "bOK");
  const auto* cancel = Child<QPushButton>(*dialog, "bCancel");
  EXPECT_EQ(ok->size(), QSize(90, 25));
  EXPECT_EQ(cancel->size(), QSize(90, 25));
  EXPECT_EQ(ok->y(), (41 - 25) / 2);
  EXPECT_EQ(cancel->y(), ok->y());
  EXPECT_EQ(ok->x() + ok->width() + 8, cancel->x());
  EXPECT_EQ(cancel->x() + cancel->width() + 8, bar->width());
  EXPECT_TRUE(ok->isDefault());
}

TEST_F(SettingsDialogTest, OnlyVisibleControlsTakePartAtTheNextActivation) {
  const auto dialog = Open();
  auto* board = Child<QCheckBox>(*dialog, "cbDrawHotTrackBoard");
  const int fullHeight = dialog->height();
  const int boardStep = board->height() + 4;

  board->hide();
  TfrmSettings other;
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));

  const auto* counters = Child<QCheckBox>(*dialog, "cbDrawHotTrackCounters");
  EXPECT_EQ(Child<QCheckBox>(*dialog, "cbKeepStrokeStraight")->y(),
            counters->y() + counters->height() + 4);
  EXPECT_EQ(dialog->height(), fullHeight - boardStep);
  EXPECT_EQ(Child<QWidget>(*dialog, "pbuttons")->y() + 41, dialog->height());
}

TEST_F(SettingsDialogTest, LargerFontsWidenTheCheckBoxesAndGrowTheDialog) {
  const auto normal = Open();
  auto large = std::make_unique<TfrmSettings>();
  QFont font = large->font();
  font.setPointSizeF(font.pointSizeF() * 2);
  large->setFont(font);
  large->EditSettings(FSettings);
  large->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(large.get()));

  for (const char* name : {"cbDrawHotTrackCounters", "cbDrawHotTrackBoard"}) {
    SCOPED_TRACE(name);
    const auto* box = Child<QCheckBox>(*large, name);
    EXPECT_GT(box->width(), Child<QCheckBox>(*normal, name)->width());
  }
  EXPECT_GT(large->height(), normal->height());
  const auto* list = Child<QComboBox>(*large, "cbLanguage");
  EXPECT_LE(list->y() + list->height() + 4, Child<QWidget>(*large, "tsGame")->height());
}

TEST_F(SettingsDialogTest, OpensCentredOnTheScreenEveryTime) {
  const auto dialog = Open();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((dialog->frameGeometry().center() - area.center()).manhattanLength(), 2);
  dialog->hide();
  dialog->move(area.topLeft());
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  EXPECT_LE((dialog->frameGeometry().center() - area.center()).manhattanLength(), 2);
}

// A screen reader names each control: check boxes and buttons by their
// texts; a list by its current item and, through the labelled-by relation,
// by the label above it.
TEST_F(SettingsDialogTest, EveryControlHasAnAccessibleNameAndEachListItsLabels) {
  test_support::AccessibilityRecorder reader;
  auto dialog = Open();
  EXPECT_EQ(test_support::NamelessControls(dialog.get()), "");
  EXPECT_EQ(test_support::UnnamedTabStops(dialog.get()), "");
  const std::pair<const char*, TTextName> lists[] = {
      {"cbGameMode", ttnGameMode},
      {"cbNewDifficulty", ttnNewDifficulty},
      {"cbButtonPosition", ttnButtonsPosition},
      {"cbLanguage", ttnLanguage},
  };
  for (const auto& [name, label] : lists) {
    QAccessibleInterface* list =
        QAccessible::queryAccessibleInterface(Child<QComboBox>(*dialog, name));
    const auto labelled = list->relations(QAccessible::Label);
    ASSERT_EQ(labelled.size(), 1) << name;
    EXPECT_EQ(labelled[0].first->text(QAccessible::Name).toStdString(), TextFor(label));
  }
}

// A screen reader finds no selection in Qt's lists: a drop-down's value is in
// its description, from the start and after every change.
TEST_F(SettingsDialogTest, EachDropDownTellsItsValueInItsDescription) {
  test_support::AccessibilityRecorder reader;
  auto dialog = Open();
  for (const char* name :
       {"cbGameMode", "cbNewDifficulty", "cbButtonPosition", "cbLanguage", "cbBoardLook"}) {
    auto* combo = Child<QComboBox>(*dialog, name);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(combo);
    EXPECT_EQ(list->text(QAccessible::Description), combo->currentText()) << name;
    combo->setFocus();
    const int was = combo->currentIndex();
    QTest::keyClick(combo, was + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_NE(combo->currentIndex(), was) << name;
    EXPECT_EQ(list->text(QAccessible::Description), combo->currentText()) << name;
    EXPECT_FALSE(reader.Take(combo, {QAccessible::DescriptionChanged}).empty()) << name;
  }
}

// The control with the keyboard is framed in the text colour from the start,
// not only after the first Tab, and the frame moves with Tab: a mark of at
// least 3:1 against the dialog's background.
TEST_F(SettingsDialogTest, TheFocusedControlIsFramedPlainlyFromTheStart) {
  InstallFocusMarks();
  auto dialog = Open();
  QApplication::setActiveWindow(dialog.get());
  QApplication::processEvents();
  const auto luminance = [](QColor c) {
    const auto channel = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  for (int tab = 0; tab < 3; ++tab) {
    QWidget* focused = dialog->focusWidget();
    ASSERT_NE(focused, nullptr);
    auto* mark = qobject_cast<QFocusFrame*>(FocusMark());
    ASSERT_NE(mark, nullptr) << tab;
    EXPECT_EQ(mark->widget(), focused) << focused->objectName().toStdString();
    EXPECT_TRUE(mark->isVisible());
    const QImage image = dialog->grab().toImage();
    const QColor ink = image.pixelColor(mark->mapTo(dialog.get(), QPoint(0, mark->height() / 2)));
    const QColor paper = dialog->palette().color(QPalette::Window);
    const double light = std::max(luminance(ink), luminance(paper));
    const double dark = std::min(luminance(ink), luminance(paper));
    EXPECT_GE((light + 0.05) / (dark + 0.05), 3.0) << focused->objectName().toStdString();
    QTest::keyClick(focused, Qt::Key_Tab);
  }
}

TEST_F(SettingsDialogTest, TheBoardLookIsChosenFromItsListAndOnlyOkStoresIt) {
  FSettings.SetBoardLook(blColourBlindSafe);
  {
    auto dialog = Open();
    auto* looks = Child<QComboBox>(*dialog, "cbBoardLook");
    EXPECT_EQ(Items(looks),
              QStringList({Text(ttnLookDefault), Text(ttnLookHighContrastLight),
                           Text(ttnLookHighContrastDark), Text(ttnLookColourBlindSafe)}));
    EXPECT_EQ(looks->currentIndex(), 3);
    EXPECT_EQ(Child<QLabel>(*dialog, "lBoardLook")->buddy(), looks);
    EXPECT_TRUE(looks->isVisible());
    looks->setCurrentIndex(2);
    Child<QPushButton>(*dialog, "bCancel")->click();
  }
  EXPECT_EQ(FSettings.BoardLook(), blColourBlindSafe);
  auto dialog = Open();
  Child<QComboBox>(*dialog, "cbBoardLook")->setCurrentIndex(2);
  Child<QPushButton>(*dialog, "bOK")->click();
  EXPECT_EQ(FSettings.BoardLook(), blHighContrastDark);
}

}  // namespace
