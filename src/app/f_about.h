// TfrmAbout: the small modal window about the program: its icon and name,
// the full version string, read-only but selectable so that the player can
// copy it, one sentence on what the game is, and the copyright and licence.
// Close, Enter, Esc and the close box close it. It opens centred on the
// screen every time.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void FormCreate();

  QWidget* Panel1;
  QLabel* lIcon;
  QLabel* lName;
  QLineEdit* Edit1;
  QScrollArea* ScrollBox1;
  QLabel* lDescription;
  QLabel* lLicense;
  QWidget* pbuttons;
  QPushButton* bOK;
};
