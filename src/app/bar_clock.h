// TBarClock: the shown puzzle's clock in the button bar, "m:ss", with
// "Solved in" over the time once solved. It ticks while the shown slot's
// clock runs; the slot's session decides when that is.
#pragma once

#include <QLabel>
#include <functional>

class QTimer;
class TSlot;

class TBarClock : public QLabel {
 public:
  // shown answers the slot whose clock is shown (may be null).
  TBarClock(QWidget* parent, std::function<const TSlot*()> shown);

  // Shows the time now.
  void Show();
  // Ticks while the shown slot's clock runs, and shows the time.
  void Follow();
  // Room for its longest text.
  QSize Room() const;
  // The texts of the language: what the clock is, for its tooltip and for
  // assistive technology (its name is the time it shows).
  void ApplyTexts();

 private:
  std::function<const TSlot*()> FShown;
  QTimer* FtClock;
};
