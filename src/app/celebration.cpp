#include "app/celebration.h"

#include <QTimer>
#include <cstdlib>
#include <utility>

#include "model/process_flags.h"
#include "slots/slot.h"
#include "util/color.h"
#include "view/frame_grid.h"

TCelebration::TCelebration(QObject* parent, std::function<TSlot*()> current,
                           std::function<void()> repaint)
    : QObject(parent),
      FCurrent(std::move(current)),
      FRepaint(std::move(repaint)),
      FtCongrats(new QTimer(this)) {
  FtCongrats->setObjectName("tCongrats");
  // The pulse steps at the display's pace: about 60 steps a second.
  FtCongrats->setInterval(16);
}

void TCelebration::Start() {
  FtCongrats->start();
}

void TCelebration::Stop() {
  FtCongrats->stop();
  if (TSlot* game = FCurrent()) {
    FPulseColor = game->View().Palette()[prTickPen];
    game->SetInputEnabled(true);
    game->View().Display().EndCelebration();
    FRepaint();
  }
  FCelebrating = false;
}

void TCelebration::Tick() {
  TSlot* game = FCurrent();
  if (AppPhase == apClosing || !game) return;
  if (!FCelebrating) {
    FPulseColor = game->View().Palette()[prTickPen];
    FPulseLimit = 20;
    FPulseStep = 2;
    FPulseOffset = 0;
    FCelebrating = true;
    game->SetInputEnabled(false);
  }
  if (std::abs(FPulseOffset) == FPulseLimit) FPulseStep = -FPulseStep;
  FPulseOffset += FPulseStep;
  FPulseColor = ShiftColor(FPulseColor, FPulseOffset);
  game->View().Display().Celebrate(FPulseColor);
  // Only the ticks on the board change colour: repaint the board alone.
  FRepaint();
}
