// A settings file with many record lines (state.range(0) of them, 100,000
// for a player with records of very many sizes): reading it into the records
// at start-up and writing the records back at closing, as the window does.
// Both must grow with the lines, not with their square.
#include <benchmark/benchmark.h>

#include <string>

#include "persistence/app_settings.h"
#include "persistence/records.h"

namespace {

std::string RecordsFile(int lines) {
  std::string file = "state=0A\r\n";
  for (int i = 0; i < lines; ++i)
    file += "records." + std::to_string(3 + i / 400) + "x" + std::to_string(3 + i % 400) +
            ".0=3,2,1,40,100\r\n";
  return file;
}

void BM_LoadRecords(benchmark::State& state) {
  const std::string file = RecordsFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TAppSettings store("/nonexistent", "app.ini", '=');
    store.LoadBytes(file);
    TRecords records;
    records.LoadFrom(store);
    benchmark::DoNotOptimize(records.Empty());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadRecords)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_SaveRecords(benchmark::State& state) {
  TAppSettings store("/nonexistent", "app.ini", '=');
  store.LoadBytes(RecordsFile(static_cast<int>(state.range(0))));
  TRecords records;
  records.LoadFrom(store);
  for (auto _ : state) {
    records.SaveTo(store);
    benchmark::DoNotOptimize(store.Bytes());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveRecords)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
