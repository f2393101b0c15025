// What a screen reader would read out as nameless: every control (a thing
// the player can reach and act on, or read as the window's content) under an
// accessible object whose name is empty, as "role objectName" (role in hex).
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>

namespace test_support {

inline bool IsNamedRole(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::PopupMenu:
    case QAccessible::Graphic:
    case QAccessible::StaticText:
    case QAccessible::Dialog:
    case QAccessible::Window:
      return true;
    default:
      return false;
  }
}

inline void CollectNameless(QAccessibleInterface* iface, QStringList& nameless, int depth = 0) {
  if (!iface || depth > 20 || iface->state().invisible) return;
  if (IsNamedRole(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty()) {
    const QObject* o = iface->object();
    nameless << QString::number(iface->role(), 16) + " " + (o ? o->objectName() : QString());
  }
  for (int i = 0; i < iface->childCount(); ++i)
    CollectNameless(iface->child(i), nameless, depth + 1);
}

// Empty when every control is named, else the nameless ones, comma-separated.
inline std::string NamelessControls(QObject* root) {
  QStringList nameless;
  CollectNameless(QAccessible::queryAccessibleInterface(root), nameless);
  return nameless.join(", ").toStdString();
}

// Empty when every Tab stop of the window (a visible, enabled widget that Tab
// reaches) has an accessible name, else the nameless ones by object name. A
// widget that hands its focus on is skipped (its proxy is the stop), and a
// stop whose focus lies on a part of it (the current tab of a tab bar) is
// named by that part, as a screen reader hears it.
inline std::string UnnamedTabStops(QWidget* window) {
  QStringList nameless;
  QWidget* w = window;
  do {
    w = w->nextInFocusChain();
    if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled() ||
        !(w->focusPolicy() & Qt::TabFocus) || w->focusProxy())
      continue;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface && iface->focusChild()) iface = iface->focusChild();
    if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
      nameless << w->metaObject()->className() + QString(" ") + w->objectName();
  } while (w != window);
  return nameless.join(", ").toStdString();
}

}  // namespace test_support
