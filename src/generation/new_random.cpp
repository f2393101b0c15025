#include "generation/new_random.h"

#include <stdexcept>
#include <vector>

#include "generation/generation_flow.h"
#include "generation/rnd.h"
#include "generation/templates.h"

TInternalArrArr NewPicture(int width, int height, int fillPct, TPictureSource source,
                           TShownPictures* shown, const std::atomic<bool>* cancel) {
  // The built-in pictures are filled for Normal; another fill is generated.
  if (source == TPictureSource::BuiltIn &&
      fillPct == DefaultFillPct(width, height, TDifficulty::Normal)) {
    for (const TTemplateRec& rec : Templates()) {
      if (rec.Width != width || rec.Height != height) continue;
      std::vector<int> left;
      for (int v = 0; v < static_cast<int>(rec.Pictures.size()); ++v)
        if (!shown || !(*shown & (1u << v))) left.push_back(v);
      if (left.empty()) break;  // every one was shown: a generated picture
      const int variant = left[TRnd::RandomRange(0, static_cast<int>(left.size()) - 1)];
      if (shown) *shown |= static_cast<TShownPictures>(1u << variant);
      return TemplateBoard(rec, variant);
    }
  }
  // Kept between requests of the same thread, so a request reuses the storage
  // of the last one instead of allocating it again.
  thread_local TPuzzleGenerator generator;
  return generator.Generate(GenerationParams(width, height, fillPct), TPuzzleGenerator::MaxTime,
                            cancel);
}

void NewRandom(TNonoGame& game, int width, int height, int fillPct, TPictureSource source,
               TShownPictures* shown) {
  game.SetFillPct(fillPct);
  if (game.RandomFillType() != 0) throw std::runtime_error("Unsupported RandomFillType");
  game.LoadSolutionGrid(NewPicture(width, height, fillPct, source, shown));
}

void Regenerate(TNonoGame& game, TPictureSource source, TShownPictures* shown) {
  NewRandom(game, game.Width(), game.Height(), game.FillPct(), source, shown);
  game.ClearHistory();
}

void StartNewPuzzleModel(TNonoGame& game, TDifficulty difficulty, TPictureSource source,
                         TShownPictures* shown) {
  game.SetFillPct(DefaultFillPct(game.Width(), game.Height(), difficulty));
  game.SetDifficulty(difficulty);
  Regenerate(game, source, shown);
}
