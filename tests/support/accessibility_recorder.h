// Listens as a screen reader would, for one test: accessibility is switched
// on (the offscreen platform starts with it off, and Qt then sends no
// events) and every accessibility event is recorded. Both are undone when the
// recorder goes.
#pragma once

#include <QAccessible>
#include <vector>

class QObject;

namespace test_support {

struct AccessibleEventRec {
  QAccessible::Event Type;
  QObject* Object;
  int Child;
};

class AccessibilityRecorder {
 public:
  AccessibilityRecorder();
  ~AccessibilityRecorder();
  AccessibilityRecorder(const AccessibilityRecorder&) = delete;
  AccessibilityRecorder& operator=(const AccessibilityRecorder&) = delete;

  // The events of the given types sent for object since the last call, as
  // (type, child) pairs.
  std::vector<std::pair<QAccessible::Event, int>> Take(const QObject* object,
                                                       std::vector<QAccessible::Event> types);

 private:
  static void Record(QAccessibleEvent* event);
  std::vector<AccessibleEventRec> FEvents;
  QAccessible::UpdateHandler FPrevious = nullptr;
};

}  // namespace test_support
