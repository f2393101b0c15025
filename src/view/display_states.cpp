#include "view/display_states.h"

TPieceState TDisplayStates::Shown(TPieceState player) const {
  if (player != psFilled) return player;
  if (FFlashing) return psCorrect;
  if (FCelebrating) return psAllCorrect;
  return player;
}

void TDisplayStates::Celebrate(TColor colour) {
  FCelebrating = true;
  FCelebrationColor = colour;
}
