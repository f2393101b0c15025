// The about window: the version text can be read, selected and copied but
// not edited, the copyright and licence show in full; OK and Enter close it,
// Esc does not.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/f_about.h"
#include "support/accessibility_recorder.h"
#include "support/accessible_names.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"

namespace {

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FAbout.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FAbout));
    FEdit = FAbout.findChild<QLineEdit*>("Edit1");
    ASSERT_NE(FEdit, nullptr);
  }

  TfrmAbout FAbout;
  QLineEdit* FEdit = nullptr;
};

TEST_F(AboutWindowTest, ShowsTheVersionWithThePlatformInAFixedWindow) {
  EXPECT_EQ(FAbout.windowTitle().toStdString(), TextFor(ttnAbout));
  EXPECT_EQ(FEdit->text().toStdString(), GetVersionString(true));
  EXPECT_TRUE(FEdit->text().startsWith(QString::fromStdString(GetVersionString(false)) + "/"));
  EXPECT_TRUE(FEdit->isReadOnly());
  EXPECT_EQ(FEdit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(FAbout.size(), QSize(624, 276));
  EXPECT_EQ(FAbout.minimumSize(), FAbout.maximumSize());

  const auto* panel = FAbout.findChild<QWidget*>("Panel1");
  const auto* scroll = FAbout.findChild<QScrollArea*>("ScrollBox1");
  const auto* bar = FAbout.findChild<QWidget*>("pbuttons");
  const auto* ok = FAbout.findChild<QPushButton*>("bOK");
  ASSERT_TRUE(panel && scroll && bar && ok);
  EXPECT_EQ(panel->geometry(), QRect(0, 0, 624, 97));
  EXPECT_EQ(FEdit->parentWidget(), panel);
  EXPECT_EQ(scroll->geometry(), QRect(0, 97, 624, 276 - 97 - 41));
  EXPECT_EQ(scroll->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(bar->geometry(), QRect(0, 276 - 41, 624, 41));
  EXPECT_EQ(ok->text().toStdString(), TextFor(ttnClose));
  EXPECT_EQ(ok->geometry(), QRect(522, 6, 90, 25));
  EXPECT_TRUE(ok->isDefault());
}

TEST_F(AboutWindowTest, ShowsTheIconTheNameAndWhatTheGameIs) {
  const auto* icon = FAbout.findChild<QLabel*>("lIcon");
  const auto* name = FAbout.findChild<QLabel*>("lName");
  const auto* description = FAbout.findChild<QLabel*>("lDescription");
  ASSERT_TRUE(icon && name && description);
  EXPECT_EQ(icon->pixmap().size(), QSize(64, 64));
  EXPECT_EQ(name->text(), "TAVELO");
  EXPECT_TRUE(name->font().bold());
  EXPECT_EQ(description->text().toStdString(), TextFor(ttnAboutSentence));
  EXPECT_TRUE(description->isVisible());
}

TEST_F(AboutWindowTest, ShowsTheCopyrightAndTheLicenceUnclipped) {
  const auto* scroll = FAbout.findChild<QScrollArea*>("ScrollBox1");
  const auto* licence = FAbout.findChild<QLabel*>("lLicense");
  ASSERT_TRUE(scroll && licence);
  EXPECT_TRUE(licence->isVisible());
  EXPECT_EQ(licence->text(), QString::fromUtf8("Copyright \u00a9 2026 The TAVELO authors\n") +
                                 QString::fromStdString(TextFor(ttnLicense)));
  EXPECT_TRUE(licence->text().contains("MIT License"));
  // Both lines fit the middle of the window without scrolling.
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
  EXPECT_LE(licence->sizeHint().width(), scroll->viewport()->width());
  EXPECT_LE(licence->heightForWidth(scroll->viewport()->width()), scroll->viewport()->height());
}

TEST_F(AboutWindowTest, TheVersionCanBeSelectedAndCopiedButNotEdited) {
  const QString version = FEdit->text();
  FEdit->setFocus();
  QTest::keyClicks(FEdit, "xyz");
  QTest::keyClick(FEdit, Qt::Key_Backspace);
  QTest::keyClick(FEdit, Qt::Key_Delete);
  EXPECT_EQ(FEdit->text(), version);

  QTest::keyClick(FEdit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(FEdit->selectedText(), version);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(FEdit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), version);
  QTest::keyClick(FEdit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(FEdit->text(), version);
}

TEST_F(AboutWindowTest, EscTheCloseButtonAndEnterCloseIt) {
  QTest::keyClick(FEdit, Qt::Key_Escape);
  EXPECT_FALSE(FAbout.isVisible());

  FAbout.show();
  QTest::mouseClick(FAbout.findChild<QPushButton*>("bOK"), Qt::LeftButton);
  EXPECT_FALSE(FAbout.isVisible());
  EXPECT_EQ(FAbout.result(), QDialog::Accepted);

  TfrmAbout modal;
  QTimer::singleShot(0, &modal, [&modal] {
    QTest::keyClick(modal.findChild<QLineEdit*>("Edit1"), Qt::Key_Return);
  });
  EXPECT_EQ(modal.exec(), QDialog::Accepted);
}

TEST_F(AboutWindowTest, OpensCentredOnTheScreenEveryTime) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((FAbout.frameGeometry().center() - area.center()).manhattanLength(), 2);
  FAbout.hide();
  FAbout.move(area.topLeft());
  FAbout.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&FAbout));
  EXPECT_LE((FAbout.frameGeometry().center() - area.center()).manhattanLength(), 2);
}

TEST_F(AboutWindowTest, EveryPartIsNamedForAScreenReader) {
  test_support::AccessibilityRecorder reader;
  EXPECT_EQ(test_support::NamelessControls(&FAbout), "");
  EXPECT_EQ(test_support::UnnamedTabStops(&FAbout), "");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(FEdit)->text(QAccessible::Name).toStdString(),
            TextFor(ttnVersion));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(FEdit)->text(QAccessible::Value), FEdit->text());
}

}  // namespace
