// TPaintBox: a plain widget that hands its paint and pointer events to the
// owner through callbacks, so the owner keeps all drawing and input logic.
// Pointer moves are reported with and without a held button. Where OnPaint
// draws nothing (it answers false), the box shows its background colour.
#pragma once

#include <QWidget>
#include <functional>

class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  // Button that changed (for press/release), the buttons held after the event,
  // and the position in the paint box.
  using TMouseEvent = std::function<void(Qt::MouseButton, Qt::MouseButtons, int x, int y)>;

  explicit TPaintBox(QWidget* parent = nullptr);

  // Draws the whole box and answers true, or answers false.
  std::function<bool(QPainter&)> OnPaint;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};
