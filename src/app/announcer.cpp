#include "app/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

class TAnnouncerAccessible : public QAccessibleWidget {
 public:
  explicit TAnnouncerAccessible(TAnnouncer* line)
      : QAccessibleWidget(line, QAccessible::Notification) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Value)
      return static_cast<const TAnnouncer*>(widget())->LastAnnouncement();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    // Too small to see, but there for the reader.
    s.invisible = false;
    s.offscreen = false;
    return s;
  }
};

QAccessibleInterface* AnnouncerFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("TAnnouncer") || !object) return nullptr;
  return new TAnnouncerAccessible(static_cast<TAnnouncer*>(object));
}

}  // namespace

TAnnouncer::TAnnouncer(QWidget* parent) : QWidget(parent) {
  InstallAnnouncerAccessible();
  setObjectName("lAnnounce");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 1, 1);
}

void TAnnouncer::Announce(const QString& text) {
  FText = text;
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

void InstallAnnouncerAccessible() {
  static const bool installed = (QAccessible::installFactory(AnnouncerFactory), true);
  (void)installed;
}
