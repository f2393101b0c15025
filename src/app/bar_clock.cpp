#include "app/bar_clock.h"

#include <QFontMetrics>
#include <QTimer>
#include <algorithm>
#include <string>

#include "slots/slot.h"
#include "text/lang_helper.h"

namespace {

std::string MinutesSeconds(std::int64_t ms) {
  const std::int64_t seconds = ms / 1000;
  const std::string ss = std::to_string(seconds % 60);
  return std::to_string(seconds / 60) + ":" + (ss.size() < 2 ? "0" : "") + ss;
}

}  // namespace

TBarClock::TBarClock(QWidget* parent, std::function<const TSlot*()> shown)
    : QLabel(parent), FShown(std::move(shown)), FtClock(new QTimer(this)) {
  setObjectName("lClock");
  setAlignment(Qt::AlignCenter);
  FtClock->setObjectName("tClock");
  FtClock->setInterval(500);
  connect(FtClock, &QTimer::timeout, this, [this] { Show(); });
}

void TBarClock::Follow() {
  const TSlot* game = FShown();
  if (game && game->ClockRunning())
    FtClock->start();
  else
    FtClock->stop();
  Show();
}

void TBarClock::Show() {
  const TSlot* game = FShown();
  if (!game) {
    clear();
    setAccessibleName({});
    return;
  }
  const std::string time = MinutesSeconds(game->PlayedMs());
  const std::string shown = game->Status() == stSolved ? TextFor(ttnSolvedIn) + "\n" + time : time;
  if (text().toStdString() == shown) return;
  setText(QString::fromStdString(shown));
  setAccessibleName(text().replace('\n', ' '));
}

QSize TBarClock::Room() const {
  const QFontMetrics metrics(font());
  const int width =
      std::max(metrics.horizontalAdvance(QString::fromStdString(TextFor(ttnSolvedIn))),
               metrics.horizontalAdvance("000:00"));
  return {width + 4, 2 * metrics.height()};
}

void TBarClock::ApplyTexts() {
  setAccessibleDescription(QString::fromStdString(TextFor(ttnTimePlayed)));
  setToolTip(accessibleDescription());
}
