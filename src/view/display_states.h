// TDisplayStates: what the board shows over the player's cells for a while.
// The check's flash ticks every filled cell; the celebration of a solved
// puzzle ticks them in its pulsing colour. The puzzle keeps only what the
// player set, so nothing here is stored, undone or counted: the board view
// owns one of these and draws each cell in its shown state.
#pragma once

#include "model/cell_types.h"
#include "util/color.h"

class TDisplayStates {
 public:
  // The state a cell in the player's state is drawn in: a filled cell shows
  // as psCorrect during the flash and as psAllCorrect during the celebration;
  // every other cell shows as it is.
  TPieceState Shown(TPieceState player) const;

  bool Flashing() const { return FFlashing; }
  void SetFlashing(bool on) { FFlashing = on; }

  bool Celebrating() const { return FCelebrating; }
  // Ticks the filled cells in colour until EndCelebration.
  void Celebrate(TColor colour);
  void EndCelebration() { FCelebrating = false; }
  // The colour of the celebration's ticks, kept after it ends.
  TColor CelebrationColor() const { return FCelebrationColor; }

 private:
  bool FFlashing = false;
  bool FCelebrating = false;
  TColor FCelebrationColor = 0;
};
