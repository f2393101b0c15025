#include "generation/new_random.h"

#include <stdexcept>

#include "generation/generation_flow.h"
#include "generation/rnd.h"
#include "generation/templates.h"

TInternalArrArr NewPicture(int width, int height, int fillPct, TPictureSource source,
                           const std::atomic<bool>* cancel) {
  // The built-in pictures are filled for Normal; another fill is generated.
  if (source == TPictureSource::BuiltIn && fillPct == DefaultFillPct(width, height, 0)) {
    TInternalArrArr picture;
    for (const TTemplateRec& rec : Templates())
      if (rec.Width == width && rec.Height == height)
        picture = TemplateBoard(rec, TRnd::RandomRange(0, 2));
    return picture;
  }
  // Kept between requests of the same thread, so a request reuses the storage
  // of the last one instead of allocating it again.
  thread_local TPuzzleGenerator generator;
  return generator.Generate(GenerationParams(width, height, fillPct), TPuzzleGenerator::MaxTime,
                            cancel);
}

void NewRandom(TNonoGame& game, int width, int height, int fillPct, TPictureSource source) {
  game.SetFillPct(fillPct);
  if (game.RandomFillType() != 0) throw std::runtime_error("Unsupported RandomFillType");
  const TInternalArrArr picture = NewPicture(width, height, fillPct, source);
  if (!picture.empty()) game.LoadSolutionGrid(picture);
}

void Regenerate(TNonoGame& game, TPictureSource source) {
  NewRandom(game, game.Width(), game.Height(), game.FillPct(), source);
  game.ClearHistory();
}

void StartNewPuzzleModel(TNonoGame& game, TDifficulty difficulty, TPictureSource source) {
  game.SetFillPct(DefaultFillPct(game.Width(), game.Height(), difficulty));
  game.SetDifficulty(difficulty);
  Regenerate(game, source);
}
