#include "app/app_look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

#include "platform/dark_theme.h"
#include "util/app_environment.h"

namespace {

QPalette DarkPalette() {
  const QColor window(45, 45, 48);
  const QColor base(30, 30, 32);
  const QColor text(230, 230, 230);
  const QColor disabledText(120, 120, 120);
  QPalette p;
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::ToolTipBase, base);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(60, 60, 64));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::red);
  p.setColor(QPalette::Highlight, QColor(70, 110, 170));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(110, 160, 230));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, disabledText);
  return p;
}

}  // namespace

void ApplyStyle(QWidget* window, int mode, bool forceDark) {
  if (mode == 0) {
    if (SystemUsesDarkTheme() || forceDark) {
      ApplyStyle(window, 1, false);
      return;
    }
    ThemeMode = 0;
    return;  // the platform's native look stays
  }
  if (mode != 1) return;
  ThemeMode = 1;
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setPalette(DarkPalette());
  if (window) window->setPalette(DarkPalette());
}

QFont SystemFont() {
  return QApplication::font();
}
