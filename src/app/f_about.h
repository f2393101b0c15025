// TfrmAbout: the small modal window that shows the program's full version
// string, read-only but selectable so that the player can copy it, with the
// copyright and the licence under it. OK, Enter and the close box close it;
// Esc does nothing, as there is no cancel button. It opens centred on the
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
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void FormCreate();

  QWidget* Panel1;
  QLineEdit* Edit1;
  QScrollArea* ScrollBox1;
  QLabel* lLicense;
  QWidget* pbuttons;
  QPushButton* bOK;
};
