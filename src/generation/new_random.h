// A new picture for a puzzle: generated, or on the very first run one of the
// built-in pictures. These are the generation layer's operations on a
// TNonoGame; the model knows nothing of how a picture is made.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/nono_game.h"

// Where a new picture comes from.
enum class TPictureSource : std::uint8_t {
  Generated,  // a random line-solvable picture
  BuiltIn,    // one of the built-in pictures of the size, when it has any;
              // they are filled for Normal, so another fill is generated
};

// The built-in pictures of a size already handed out, one bit per picture.
// With it, a built-in picture is never handed out twice, so New never brings
// back the picture on the board; once all are shown, pictures are generated.
using TShownPictures = std::uint8_t;

// A new picture of width x height cells at fillPct, touching no puzzle: one of
// the built-in pictures not shown yet (source BuiltIn, Normal's fill, when the
// size has any; shown, when given, records it) or a generated one. Runs on
// any thread, one request at a time (the draws of TRnd); throws
// EGenerationCancelled soon after cancel becomes true, and
// std::runtime_error when none was found.
TInternalArrArr NewPicture(int width, int height, int fillPct, TPictureSource source,
                           TShownPictures* shown = nullptr,
                           const std::atomic<bool>* cancel = nullptr);

// Stores fillPct and replaces the solution with a new picture of the size,
// through LoadSolutionGrid. Throws "Unsupported RandomFillType" when the
// game's RandomFillType is not 0, leaving the solution as it was.
void NewRandom(TNonoGame& game, int width, int height, int fillPct,
               TPictureSource source = TPictureSource::Generated,
               TShownPictures* shown = nullptr);
// NewRandom at the game's size and FillPct, then ClearHistory.
void Regenerate(TNonoGame& game, TPictureSource source = TPictureSource::Generated,
                TShownPictures* shown = nullptr);

// The model side of a slot's new-puzzle request: the fill percentage for the
// puzzle's size and the difficulty, the difficulty, then Regenerate.
void StartNewPuzzleModel(TNonoGame& game, TDifficulty difficulty,
                         TPictureSource source = TPictureSource::Generated,
                         TShownPictures* shown = nullptr);
