// TfrmMain: the records. A puzzle counts as played once the first move is
// made on it (a stroke or a key that changed the board, kept for Undo), and
// as solved when its celebration starts, with the time its clock shows and
// whether it took hints or Nightmare marks. Each slot remembers how far its
// puzzle has been counted ("progress.<size>" in app.ini: counted, hints,
// Nightmare marks), so neither a restart nor a repeated celebration counts it
// twice. F6 shows the records.
#include <QAction>
#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "app/f_main.h"
#include "app/f_statistics.h"
#include "persistence/app_settings.h"
#include "persistence/records.h"
#include "slots/game.h"
#include "slots/games.h"

namespace {

std::string ProgressKey(const TGame& game) {
  return "progress." + game.Name();
}

TRecordKey KeyOf(const TGame& game) {
  return {game.Name(), game.Puzzle().Difficulty()};
}

// "counted,hints,marks" as SaveRecords writes it; false for anything else.
bool ParseProgress(const std::string& text, std::array<int, 3>& v) {
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i > 0 && (at == end || *at++ != ',')) return false;
    const auto result = std::from_chars(at, end, v[i]);
    if (result.ec != std::errc()) return false;
    at = result.ptr;
  }
  return at == end && v[0] >= 0 && v[0] <= 2 && v[1] >= 0 && (v[2] == 0 || v[2] == 1);
}

}  // namespace

void TfrmMain::CountPlayed() {
  if (!FCurrentGame || FCurrentGame->Progress() != TPuzzleProgress::Fresh ||
      !FCurrentGame->CanUndo())
    return;
  FRecords->CountPlayed(KeyOf(*FCurrentGame));
  FCurrentGame->SetProgress(TPuzzleProgress::Played);
}

void TfrmMain::CountSolved() {
  if (!FCurrentGame || FCurrentGame->Progress() == TPuzzleProgress::Solved) return;
  // Solved without a move left to undo (a pasted finished board) is still
  // a puzzle played.
  if (FCurrentGame->Progress() == TPuzzleProgress::Fresh)
    FRecords->CountPlayed(KeyOf(*FCurrentGame));
  FRecords->CountSolved(
      KeyOf(*FCurrentGame),
      {FCurrentGame->PlayedMs() / 1000, FCurrentGame->HintsUsed(), FCurrentGame->NightmareMarked(),
       FCurrentGame->Puzzle().SolutionFilled() == 0});
  FCurrentGame->SetProgress(TPuzzleProgress::Solved);
}

void TfrmMain::SaveRecords() {
  FRecords->SaveTo(*FAppSettings);
  // The progress of a size no longer kept would be taken for the puzzle of a
  // size of that name made later.
  std::vector<std::string> stale;
  for (const std::string& line : FAppSettings->Lines()) {
    const std::string key = line.substr(0, line.find('='));
    if (key.rfind("progress.", 0) == 0 && !FGames->FindByName(key.substr(9))) stale.push_back(key);
  }
  for (const std::string& key : stale) FAppSettings->WriteString(key, "");
  for (TGame* game : FGames->Items()) {
    const bool fresh = game->Progress() == TPuzzleProgress::Fresh && game->HintsUsed() == 0 &&
                       !game->NightmareMarked();
    FAppSettings->WriteString(ProgressKey(*game),
                              fresh ? ""
                                    : std::to_string(static_cast<int>(game->Progress())) + "," +
                                          std::to_string(game->HintsUsed()) + "," +
                                          (game->NightmareMarked() ? "1" : "0"));
  }
}

void TfrmMain::LoadRecords() {
  FRecords->LoadFrom(*FAppSettings);
  for (TGame* game : FGames->Items()) {
    // A value that cannot be read leaves the puzzle fresh.
    std::array<int, 3> v{};
    if (!ParseProgress(FAppSettings->ReadString(ProgressKey(*game)), v)) continue;
    game->SetProgress(static_cast<TPuzzleProgress>(v[0]));
    game->SetHintsUsed(v[1]);
    game->SetNightmareMarked(v[2] == 1);
  }
}

void TfrmMain::aStatisticsExecute() {
  TfrmStatistics dialog(*FRecords, this);
  dialog.exec();
}
