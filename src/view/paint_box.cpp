#include "view/paint_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

void Raise(const TPaintBox::TMouseEvent& handler, const QMouseEvent* event) {
  if (!handler) return;
  const QPoint at = event->position().toPoint();
  handler(event->button(), event->buttons(), at.x(), at.y());
}

}  // namespace

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  // The owner's drawing covers the box, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!OnPaint || !OnPaint(painter))
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  Raise(OnMouseDown, event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  Raise(OnMouseMove, event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  Raise(OnMouseUp, event);
}

// A quick second click is a second press, as the player means it.
void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  Raise(OnMouseDown, event);
}

void TPaintBox::enterEvent(QEnterEvent*) {
  if (OnMouseEnter) OnMouseEnter();
}

void TPaintBox::leaveEvent(QEvent*) {
  if (OnMouseLeave) OnMouseLeave();
}
