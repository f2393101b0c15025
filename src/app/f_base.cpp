#include "app/f_base.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/app_look.h"
#include "persistence/app_settings.h"

TfrmBase::TfrmBase(const std::string& formName, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), FFormName(formName) {
  setFont(SystemFont());
}

void TfrmBase::LoadFormBounds() {
  if (!FSettings) return;
  const QRect r = geometry();
  TFormBounds current{r.x(), r.y(), r.width(), r.height()};
  // Nothing stored yet: a window of another one opens over it rather than
  // at the screen's corner, where a window manager puts its title bar out of
  // reach.
  if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
    const QPoint centre = owner->geometry().center();
    current.Left = centre.x() - (r.width() - 1) / 2;
    current.Top = centre.y() - (r.height() - 1) / 2;
  }
  const TFormBounds b = FSettings->LoadFormBounds(FFormName, current);
  // The frame counts as part of the window where the platform knows it yet.
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  setGeometry(FitToScreen(b, minimumSize(), frame));
}

void TfrmBase::KeepOnScreen() {
  const QRect r = geometry();
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const QRect fitted =
      FitToScreen(TFormBounds{r.x(), r.y(), r.width(), r.height()}, minimumSize(), frame);
  if (fitted != r) setGeometry(fitted);
}

QRect TfrmBase::FitToScreen(const TFormBounds& bounds, QSize minimum, QMargins frame) {
  // 64-bit sums: stored values are whatever the file says.
  const std::int64_t centreX = std::int64_t{bounds.Left} + bounds.Width / 2;
  const std::int64_t centreY = std::int64_t{bounds.Top} + bounds.Height / 2;
  const QScreen* screen = nullptr;
  if (centreX >= INT_MIN && centreX <= INT_MAX && centreY >= INT_MIN && centreY <= INT_MAX)
    screen =
        QGuiApplication::screenAt(QPoint(static_cast<int>(centreX), static_cast<int>(centreY)));
  if (!screen) screen = QGuiApplication::primaryScreen();
  // Without any screen, a bound of the same order.
  const QRect room =
      (screen ? screen->availableGeometry() : QRect(0, 0, 4096, 4096)).marginsRemoved(frame);
  // The smallest size wins over a smaller screen; otherwise all of the window
  // is on the screen.
  const int width =
      std::max(std::clamp(bounds.Width, 1, std::max(1, room.width())), minimum.width());
  const int height =
      std::max(std::clamp(bounds.Height, 1, std::max(1, room.height())), minimum.height());
  const int left = std::max(room.left(), std::min(bounds.Left, room.left() + room.width() - width));
  const int top = std::max(room.top(), std::min(bounds.Top, room.top() + room.height() - height));
  return QRect(left, top, width, height);
}

void TfrmBase::SaveFormBounds() {
  if (!FSettings) return;
  const QRect r = geometry();
  FSettings->SaveFormBounds(FFormName, TFormBounds{r.x(), r.y(), r.width(), r.height()});
}

void TfrmBase::showEvent(QShowEvent* e) {
  // Only the first show restores: later shows (un-minimising) keep the place
  // the player left the window at.
  if (FRememberBounds && !FBoundsLoaded && !e->spontaneous()) {
    FBoundsLoaded = true;
    LoadFormBounds();
  }
  QWidget::showEvent(e);
}
