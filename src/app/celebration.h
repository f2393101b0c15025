// TCelebration: the pulse over a solved board. While it runs the ticks on the
// board glow brighter and darker in turn and the board takes no input; its
// end gives the board back its input and its colours. It works on the shown
// slot, whichever that is when it ticks; the window starts and ends it.
#pragma once

#include <QObject>
#include <functional>

#include "util/color.h"

class QTimer;
class TSlot;

class TCelebration : public QObject {
  Q_OBJECT

 public:
  // current: the shown slot (or null); repaint: repaints the board alone,
  // when it is on screen.
  TCelebration(QObject* parent, std::function<TSlot*()> current, std::function<void()> repaint);

  // The pulse's pace (the window ticks it on its timeout).
  QTimer* Timer() const { return FtCongrats; }
  // The first tick has taken the board.
  bool Celebrating() const { return FCelebrating; }
  int PulseOffset() const { return FPulseOffset; }
  TColor PulseColor() const { return FPulseColor; }

  void Start();
  // Ends the pulse and gives the shown board back its input and colours.
  void Stop();
  // One step of the pulse.
  void Tick();

 private:
  std::function<TSlot*()> FCurrent;
  std::function<void()> FRepaint;
  QTimer* FtCongrats;
  TColor FPulseColor = 0;
  int FPulseStep = 2;
  int FPulseOffset = 0;
  int FPulseLimit = 20;
  bool FCelebrating = false;
};
