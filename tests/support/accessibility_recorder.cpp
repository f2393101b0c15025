#include "support/accessibility_recorder.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAccessibleEvent>
#include <algorithm>
#include <cstdlib>

namespace test_support {

namespace {

std::vector<AccessibleEventRec>* Sink = nullptr;

void SetPlatformActive(bool on) {
  QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
  QPlatformAccessibility* accessibility = integration ? integration->accessibility() : nullptr;
  if (!accessibility) std::abort();  // the platform cannot report accessibility at all
  accessibility->setActive(on);
}

}  // namespace

AccessibilityRecorder::AccessibilityRecorder() {
  Sink = &FEvents;
  FPrevious = QAccessible::installUpdateHandler(&AccessibilityRecorder::Record);
  SetPlatformActive(true);
}

AccessibilityRecorder::~AccessibilityRecorder() {
  SetPlatformActive(false);
  QAccessible::installUpdateHandler(FPrevious);
  Sink = nullptr;
}

void AccessibilityRecorder::Record(QAccessibleEvent* event) {
  if (Sink) Sink->push_back({event->type(), event->object(), event->child()});
}

std::vector<std::pair<QAccessible::Event, int>> AccessibilityRecorder::Take(
    const QObject* object, std::vector<QAccessible::Event> types) {
  std::vector<std::pair<QAccessible::Event, int>> taken;
  for (const AccessibleEventRec& e : FEvents)
    if (e.Object == object && std::find(types.begin(), types.end(), e.Type) != types.end())
      taken.emplace_back(e.Type, e.Child);
  FEvents.clear();
  return taken;
}

}  // namespace test_support
