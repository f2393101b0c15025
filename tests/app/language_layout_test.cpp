// Every language lays out without clipping at the common interface font
// sizes (9, 10 and 11 pt): the buttons of the main window's bar, the panel of
// a puzzle being made, every control of the settings dialog, the other size
// dialog, the about window and the statistics window show their whole text in
// each registered language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "app/f_about.h"
#include "app/f_settings.h"
#include "app/f_size.h"
#include "app/f_statistics.h"
#include "main_window_harness.h"
#include "persistence/game_settings.h"
#include "persistence/records.h"
#include "text/lang_helper.h"

namespace {

std::string NameOf(TLanguage language) {
  for (const TLangRec& rec : LanguageList())
    if (rec.Lang == language) return rec.Name;
  return std::to_string(static_cast<int>(language));
}

// The width a control needs to show its whole text: the text itself with
// what the style puts beside it (a check box's indicator; a push button's
// margins and frame, which its size hint adds); for the other controls their
// size hint.
QSize Needed(QWidget* control) {
  // The widget's own metrics: they follow its screen's resolution.
  const QFontMetrics metrics = control->fontMetrics();
  QStyle* style = control->style();
  if (auto* box = qobject_cast<QCheckBox*>(control))
    return {style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box) +
                metrics.horizontalAdvance(box->text()),
            metrics.height()};
  // A push button: the width Qt's style gives its caption with the margins
  // and frame, at the button's own font and screen.
  if (auto* button = qobject_cast<QPushButton*>(control))
    return {button->sizeHint().width(), metrics.height()};
  if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap())
    return {0, label->heightForWidth(label->width())};
  return control->sizeHint();
}

// Each shown control of top shows its whole text and lies inside top.
void ExpectNothingClipped(const QWidget& top) {
  const QRect inside = top.rect();
  for (QWidget* child : top.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&top)) continue;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(child))
      text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(child))
      text = label->text();
    else if (!qobject_cast<QComboBox*>(child))
      continue;
    const std::string what = child->objectName().toStdString() + " \"" + text.toStdString() + "\"";
    const QSize needed = Needed(child);
    EXPECT_LE(needed.width(), child->width()) << what;
    EXPECT_LE(needed.height(), child->height()) << what;
    const QRect at(child->mapTo(&top, QPoint(0, 0)), child->size());
    EXPECT_TRUE(inside.contains(at)) << what << " leaves the window";
  }
}

class LanguageLayoutTest : public test_support::MainWindowTest {
 protected:
  void TearDown() override {
    CurrentLanguage = lgEnglish;
    QApplication::setFont(FFont);
    MainWindowTest::TearDown();
  }

  // Runs check once for each interface font size, in every language.
  template <typename TCheck>
  void ForEachSizeAndLanguage(const TCheck& check) {
    for (const int points : {9, 10, 11}) {
      SCOPED_TRACE(std::to_string(points) + " pt");
      QFont font = FFont;
      font.setPointSize(points);
      QApplication::setFont(font);
      for (const TLanguage language : SupportedLanguages()) {
        SCOPED_TRACE(NameOf(language));
        CurrentLanguage = language;
        check(language);
      }
    }
  }

 private:
  const QFont FFont = QApplication::font();
};

// The bar and the panel of a puzzle being made (the longest size name).
TEST_F(LanguageLayoutTest, TheButtonBarAndTheWaitPanelShowEveryTextWhole) {
  ForEachSizeAndLanguage([this](TLanguage language) {
    WriteIni({"language=" + std::to_string(static_cast<int>(language))});
    StartWindow();
    ASSERT_EQ(CurrentLanguage, language);
    const auto* bar = Window->findChild<QWidget*>("pButtons");
    ASSERT_NE(bar, nullptr);
    ExpectNothingClipped(*bar);
    // One width for every button: 125 px unless a caption needs more.
    std::set<int> widths;
    for (const auto* button : bar->findChildren<QPushButton*>()) widths.insert(button->width());
    EXPECT_EQ(widths.size(), 1u);
    const bool fitsClassic =
        std::ranges::all_of(bar->findChildren<QPushButton*>(),
                            [](const QPushButton* b) { return b->sizeHint().width() <= 125; });
    if (fitsClassic) {
      EXPECT_EQ(*widths.begin(), 125);
    }

    QLabel* panel = Window->pPleaseWait();
    for (const QString& text : {QString::fromStdString(TextFor(ttnMakingPuzzle)).arg("128x128"),
                                QString::fromStdString(TextFor(ttnCheckingPuzzle))}) {
      panel->setText(text);
      panel->show();
      const QFontMetrics metrics = panel->fontMetrics();
      for (const QString& line : panel->text().split('\n'))
        EXPECT_LE(metrics.horizontalAdvance(line), panel->contentsRect().width())
            << line.toStdString();
      EXPECT_LE(panel->heightForWidth(panel->width()), panel->height());
      EXPECT_TRUE(panel->parentWidget()->rect().contains(panel->geometry()));
      panel->hide();
    }
    CloseWindow();
    std::filesystem::remove(IniPath());
  });
}

TEST_F(LanguageLayoutTest, TheSettingsDialogShowsEveryTextWhole) {
  ForEachSizeAndLanguage([&](TLanguage language) {
    TGameSettings settings;
    settings.SetLanguage(language);
    TfrmSettings dialog;
    dialog.EditSettings(settings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ExpectNothingClipped(dialog);
  });
}

TEST_F(LanguageLayoutTest, TheOtherSizeDialogShowsEveryTextWhole) {
  ForEachSizeAndLanguage([&](TLanguage) {
    TfrmSize dialog(nullptr, 10, 10);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ExpectNothingClipped(dialog);
  });
}

TEST_F(LanguageLayoutTest, TheAboutWindowShowsEveryTextWhole) {
  ForEachSizeAndLanguage([&](TLanguage) {
    TfrmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ExpectNothingClipped(about);
    const auto* scroll = about.findChild<QScrollArea*>("ScrollBox1");
    ASSERT_NE(scroll, nullptr);
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  });
}

TEST_F(LanguageLayoutTest, TheStatisticsWindowShowsEveryTextWhole) {
  // Every difficulty, so each of its names stands in the table.
  TRecords records;
  for (const int difficulty : {0, 1, 2}) {
    const TRecordKey key{"15x15", static_cast<TDifficulty>(difficulty)};
    records.CountPlayed(key);
    records.CountSolved(key, {.Seconds = 754, .HintsUsed = difficulty});
  }
  records.CountPlayed({"7x12", TDifficulty::Medium});
  ForEachSizeAndLanguage([&](TLanguage) {
    for (const TRecords& shown : {records, TRecords()}) {
      SCOPED_TRACE(shown.Empty() ? "no records" : "records");
      TfrmStatistics dialog(shown);
      dialog.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      ExpectNothingClipped(dialog);
      const auto* table = dialog.findChild<QTableWidget*>("tRecords");
      ASSERT_NE(table, nullptr);
      if (!table->isVisible()) continue;
      // Each column heading and each cell whole, with no scrolling.
      const QHeaderView* header = table->horizontalHeader();
      for (int c = 0; c < table->columnCount(); ++c) {
        const std::string what = table->horizontalHeaderItem(c)->text().toStdString();
        EXPECT_LE(header->sectionSizeHint(c), header->sectionSize(c)) << what;
        for (int r = 0; r < table->rowCount(); ++r)
          EXPECT_LE(table->sizeHintForIndex(table->model()->index(r, c)).width(),
                    table->columnWidth(c))
              << what << " row " << r;
      }
      EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
      EXPECT_TRUE(
          dialog.rect().contains(QRect(table->mapTo(&dialog, QPoint(0, 0)), table->size())));
    }
  });
}

}  // namespace
