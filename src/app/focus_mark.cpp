#include "app/focus_mark.h"

#include <QApplication>
#include <QDialog>
#include <QFocusFrame>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int kWidth = 2;

// QFocusFrame follows its widget as it moves, resizes or changes parent, and
// stays above it; only the painting is our own.
class TFocusMark : public QFocusFrame {
 public:
  explicit TFocusMark(QWidget* widget) : QFocusFrame(widget) {
    setObjectName("focusMark");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWidget(widget);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor ink = parentWidget() ? parentWidget()->palette().color(QPalette::WindowText)
                                      : palette().color(QPalette::WindowText);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const QRect r = rect();
    painter.drawRect(r.left(), r.top(), r.width(), kWidth);
    painter.drawRect(r.left(), r.bottom() - kWidth + 1, r.width(), kWidth);
    painter.drawRect(r.left(), r.top(), kWidth, r.height());
    painter.drawRect(r.right() - kWidth + 1, r.top(), kWidth, r.height());
  }
};

QPointer<TFocusMark>& Mark() {
  static QPointer<TFocusMark> mark;
  return mark;
}

void Follow(QWidget* now) {
  QPointer<TFocusMark>& mark = Mark();
  const bool inDialog = now && qobject_cast<QDialog*>(now->window()) && now != now->window();
  if (!inDialog) {
    if (mark) mark->setWidget(nullptr);
    return;
  }
  // The frame is a child of a dialog's control and goes with the dialog.
  if (!mark) {
    mark = new TFocusMark(now);
  } else {
    mark->setWidget(now);
  }
  mark->show();
  mark->raise();
}

}  // namespace

void InstallFocusMarks() {
  static const bool installed = [] {
    QObject::connect(qApp, &QApplication::focusChanged, qApp,
                     [](QWidget*, QWidget* now) { Follow(now); });
    return true;
  }();
  (void)installed;
}

QWidget* FocusMark() {
  QPointer<TFocusMark>& mark = Mark();
  return mark && mark->widget() ? mark.data() : nullptr;
}
