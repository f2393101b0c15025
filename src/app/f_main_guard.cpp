// TfrmMain: the settings file when the system ends the program. A logout or a
// shutdown may come with nobody at the screen, so nothing is asked then: a
// healthy app.ini is saved as at any close; one that must not be overwritten
// (it could not be read, or no copy of its damaged content could be kept) or
// cannot be written stays exactly as it is, and the session's games and
// settings go to "app.ini.unsaved" beside it (numbered like the copies of
// damaged files). The next start tells the player where that file is and
// offers to use it.
#include <filesystem>
#include <string>

#include "app/f_main.h"
#include "app/message_box.h"
#include "persistence/app_settings.h"
#include "persistence/settings_check.h"
#include "platform/file_read.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/debug_log.h"

bool TfrmMain::SaveUnattended() {
  if (FDamagedCopyPending) KeepDamagedFile();
  if (FSaveBlocked.empty()) {
    try {
      FAppSettings->Save();
      FDamagedCopyPending = false;
      return true;
    } catch (const std::exception& e) {
      DebugLog(std::string("cannot save while the system ends the game: ") + e.what());
    }
  }
  try {
    const std::filesystem::path copy = WriteNumberedCopy(FAppSettings->FileName(), kUnsavedTag,
                                                         FAppSettings->Bytes(), kKeptDamagedCopies);
    DebugLog("the session's games and settings are kept in " + copy.string());
  } catch (const std::exception& e) {
    DebugLog(std::string("cannot keep the session's games: ") + e.what());
  }
  // The system waits for the program to end; there is nothing more to try.
  return true;
}

void TfrmMain::OfferUnsavedGames() {
  const std::filesystem::path file = FAppSettings->FileName();
  const std::filesystem::path copy = NewestNumberedCopy(file, kUnsavedTag);
  if (copy.empty()) return;
  // Once app.ini has been written after it, the copy is history.
  std::error_code error;
  if (std::filesystem::is_regular_file(file, error) &&
      std::filesystem::last_write_time(file, error) >=
          std::filesystem::last_write_time(copy, error))
    return;
  std::string text = TextFor(ttnUnsavedGamesFound);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, copy.string());
  if (ShowMessageBox(text, kProductName, mkQuestion | mkYesNo) != maYes) return;
  const TFileContent content = ReadRegularFile(copy, kMaxSettingsFileSize);
  if (content.Status != TReadStatus::Ok) {
    ShowMessageBox(TextFor(ttnSettingsUnusable) + "\n\n" + copy.string() + ": " + content.Reason,
                   kProductName, mkError | mkOk);
    return;
  }
  FAppSettings->LoadBytes(content.Bytes);
  FFirstRun = false;
}
