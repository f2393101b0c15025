// TfrmSettings: the modal dialog in which the player changes the game
// settings: the two hot-tracking switches, the clue and solving aids, the
// game mode, the difficulty of new puzzles, the edge of the button bar, the
// language and the board look. Its controls are those of the settings table
// (persistence/settings_table.h), in its order, named as the table says.
//
// EditSettings binds the dialog to a TGameSettings (not owned) and shows its
// values; only OK writes the controls back, Cancel, Esc and the close box
// change nothing. A stored value without a matching choice (an out-of-range
// number from the settings file) shows no selection and is kept as it is on
// OK; a language that is not offered shows the first one, which OK stores.
//
// The page lays itself out whenever the dialog is shown or activated: its
// controls are stacked top-down, each label above the control it names, and
// the dialog takes the height the stack needs. The width is fixed.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TGameSettings;
struct TSettingRow;

class TfrmSettings : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSettings(QWidget* parent = nullptr);

  void EditSettings(TGameSettings& settings);

  // Stacks the page's visible controls and sizes the page and the dialog.
  void FormActivate();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  // A control of the page with the tag that groups a label with the control
  // it names; tag 0 stands alone.
  struct TStackedControl {
    QWidget* Control;
    int Tag;
  };

  void FormCreate();
  void bOKClick();
  // n times the screen's vertical dots per inch over 96, truncated.
  int Scale(int n) const;
  void CenterOnScreen();

  TGameSettings* FSettings = nullptr;  // not owned
  int FScreenDpi = 96;

  QTabWidget* PageControl1;
  QWidget* tsGame;
  QWidget* pbuttons;
  QPushButton* bOK;
  QPushButton* bCancel;

  // The controls of the settings the dialog offers, one per row of the
  // settings table: a check box, or a list with its label.
  struct TSettingControl {
    const TSettingRow* Row;
    QCheckBox* Box = nullptr;
    QLabel* Label = nullptr;
    QComboBox* List = nullptr;
  };
  std::vector<TSettingControl> FControls;
  std::vector<TStackedControl> FStack;
};
