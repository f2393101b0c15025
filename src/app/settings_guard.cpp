// The settings file when the system ends the program: a logout or a
// shutdown may come with nobody at the screen, so nothing is asked then: a
// healthy app.ini is saved as at any close; one that must not be overwritten
// (it could not be read, or no copy of its damaged content could be kept) or
// cannot be written stays exactly as it is, and the session's games and
// settings go to "app.ini.unsaved" beside it (numbered like the copies of
// damaged files). The next start tells the player where that file is and
// offers to use it.
#include <filesystem>
#include <string>

#include "app/settings_guard.h"

#include "app/file_refusal.h"
#include "app/message_box.h"
#include "app/quit_signals.h"
#include "persistence/app_settings.h"
#include "persistence/settings_check.h"
#include "platform/file_read.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/debug_log.h"

bool TSettingsGuard::KeepDamagedFile() {
  try {
    FDamagedCopy = KeepDamagedCopy(FStore.FileName(), kKeptDamagedCopies).string();
    FSaveBlocked.clear();
    FDamagedCopyPending = false;
    return true;
  } catch (const std::exception& e) {
    FDamagedCopy.clear();
    FSaveBlocked = ProblemForThePlayer(e);
    FDamagedCopyPending = true;
    return false;
  }
}

bool TSettingsGuard::Save() {
  FSaving = true;
  const bool saved = SaveAsking();
  FSaving = false;
  return saved;
}

bool TSettingsGuard::SaveAsking() {
  if (EndingUnattended()) return SaveUnattended();
  // The damaged file may be copied now (space freed, a folder moved away).
  if (FDamagedCopyPending) KeepDamagedFile();
  if (!FSaveBlocked.empty()) {
    switch (ShowMessageBox(TextFor(ttnReplaceUnsavedFile) + "\n\n" + FSaveBlocked, kProductName,
                           mkQuestion | mkYesNoCancel)) {
      case maYes:
        break;
      case maNo:
        return true;
      default:
        return false;
    }
  }
  for (;;) {
    try {
      FStore.Save();
      FSaveBlocked.clear();
      FDamagedCopyPending = false;
      return true;
    } catch (const std::exception& e) {
      // The previous file is still intact; the player decides what follows.
      const TMessageAnswer answer =
          ShowMessageBox(TextFor(ttnSaveFailed) + "\n\n" + ProblemForThePlayer(e), kProductName,
                         mkError | mkRetryDiscardCancel);
      if (answer == maDiscard) return true;
      if (answer != maRetry) return false;
    }
  }
}

bool TSettingsGuard::SaveUnattended() {
  if (FDamagedCopyPending) KeepDamagedFile();
  if (FSaveBlocked.empty()) {
    try {
      FStore.Save();
      FDamagedCopyPending = false;
      return true;
    } catch (const std::exception& e) {
      DebugLog(std::string("cannot save while the system ends the game: ") + e.what());
    }
  }
  try {
    const std::filesystem::path copy =
        WriteNumberedCopy(FStore.FileName(), kUnsavedTag, FStore.Bytes(), kKeptDamagedCopies);
    DebugLog("the session's games and settings are kept in " + copy.string());
  } catch (const std::exception& e) {
    DebugLog(std::string("cannot keep the session's games: ") + e.what());
  }
  // The system waits for the program to end; there is nothing more to try.
  return true;
}

bool TSettingsGuard::OfferUnsavedGames() {
  const std::filesystem::path file = FStore.FileName();
  const std::filesystem::path copy = NewestNumberedCopy(file, kUnsavedTag);
  if (copy.empty()) return false;
  // Once app.ini has been written after it, the copy is history.
  std::error_code error;
  if (std::filesystem::is_regular_file(file, error) &&
      std::filesystem::last_write_time(file, error) >=
          std::filesystem::last_write_time(copy, error))
    return false;
  std::string text = TextFor(ttnUnsavedGamesFound);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, copy.string());
  if (ShowMessageBox(text, kProductName, mkQuestion | mkYesNo) != maYes) return false;
  const TFileContent content = ReadRegularFile(copy, kMaxSettingsFileSize);
  if (content.Status != TReadStatus::Ok) {
    ShowMessageBox(TextFor(ttnSettingsUnusable) + "\n\n" + copy.string() + ": " + content.Reason,
                   kProductName, mkError | mkOk);
    return false;
  }
  FStore.LoadBytes(content.Bytes);
  return true;
}
