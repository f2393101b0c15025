#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "app/quit_signals.h"
#include "text/lang_helper.h"
#include "util/debug_log.h"

namespace {

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}

TMessageAnswer ShowOnScreen(const TMessageBoxRequest& request) {
  // Also on the debug output, for a player (or a test) without a screen.
  DebugLog(request.Caption + ": " + request.Text);
  QMessageBox box(QApplication::activeWindow());
  box.setText(QString::fromStdString(request.Text));
  box.setWindowTitle(QString::fromStdString(request.Caption));
  if (request.Kinds & mkInfo) box.setIcon(QMessageBox::Information);
  if (request.Kinds & mkQuestion) box.setIcon(QMessageBox::Question);
  if (request.Kinds & mkError) box.setIcon(QMessageBox::Critical);

  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  if (request.Kinds & mkYesNo) buttons = QMessageBox::Yes | QMessageBox::No;
  if (request.Kinds & mkYesNoCancel)
    buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  if (request.Kinds & mkOkCancel) buttons = QMessageBox::Ok | QMessageBox::Cancel;
  if (request.Kinds & mkRetryDiscardCancel)
    buttons = QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel;
  box.setStandardButtons(buttons);
  if (QAbstractButton* discard = box.button(QMessageBox::Discard))
    discard->setText(QString::fromStdString(TextFor(ttnCloseWithoutSaving)));
  if (request.SecondDefault) {
    if (buttons & QMessageBox::No)
      box.setDefaultButton(QMessageBox::No);
    else if (buttons & QMessageBox::Cancel)
      box.setDefaultButton(QMessageBox::Cancel);
  }
  if (request.Kinds & mkTopmost) box.setWindowFlag(Qt::WindowStaysOnTopHint);

  switch (box.exec()) {
    case QMessageBox::Ok:
      return maOk;
    case QMessageBox::Yes:
      return maYes;
    case QMessageBox::No:
      return maNo;
    case QMessageBox::Retry:
      return maRetry;
    case QMessageBox::Discard:
      return maDiscard;
    default:
      return maCancel;
  }
}

}  // namespace

TMessageAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                              TMessageKinds kinds, bool secondDefault) {
  const TMessageBoxRequest request{text, caption, kinds, secondDefault};
  // Nobody may be there to answer while the system ends the program.
  if (EndingUnattended()) {
    DebugLog("not asked while the system ends the program: " + caption + ": " + text);
    return maCancel;
  }
  if (Handler()) return Handler()(request);
  return ShowOnScreen(request);
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  TMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
