// The puzzle's generation operations: a new picture for the puzzle, either
// generated or, on the first run, one of the built-in ones.
#include <stdexcept>

#include "generation/generation_flow.h"
#include "generation/rnd.h"
#include "generation/templates.h"
#include "model/nono_game.h"
#include "model/process_flags.h"

void TNonoGame::NewRandom(int width, int height, int fillPct) {
  SetFillPct(fillPct);
  if (RandomFillType() != 0) throw std::runtime_error("Unsupported RandomFillType");
  if (SettingsFileMissing) {
    for (const TTemplateRec& rec : Templates())
      if (rec.Width == width && rec.Height == height)
        LoadSolutionGrid(TemplateBoard(rec, TRnd::RandomRange(0, 2)));
    return;
  }
  // Kept between requests of the same thread, so a request reuses the storage
  // of the last one instead of allocating it again.
  thread_local TPuzzleGenerator generator;
  LoadSolutionGrid(generator.Generate(GenerationParams(width, height, fillPct)));
}

void TNonoGame::Regenerate() {
  NewRandom(Width(), Height(), FillPct());
  ClearHistory();
}
