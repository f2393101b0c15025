// TSettingsGuard: what keeps app.ini from losing the player's games. A file
// that could not be read, or whose damaged content has no copy yet, must not
// be overwritten without asking; a save that fails leaves the old file and
// lets the player retry, discard or keep playing; when the system ends the
// program nothing is asked, and what cannot go to app.ini goes to
// "app.ini.unsaved" beside it, offered at the next start.
#pragma once

#include <string>

class TAppSettings;

class TSettingsGuard {
 public:
  explicit TSettingsGuard(TAppSettings& store) : FStore(store) {}

  // Where the corrupted settings file was kept, empty when none was.
  const std::string& DamagedCopy() const { return FDamagedCopy; }
  // Why app.ini must not be overwritten without asking the player; empty
  // when saving may go ahead.
  const std::string& SaveBlocked() const { return FSaveBlocked; }
  // A save, and maybe a question about it, is under way.
  bool Saving() const { return FSaving; }

  // Something that cannot be read stands where app.ini belongs.
  void Block(const std::string& reason) { FSaveBlocked = reason; }
  // Keeps a copy of the damaged app.ini; on failure blocks saving until a
  // later save manages the copy.
  bool KeepDamagedFile();
  // Writes app.ini, asking the player what to do when it must not or cannot
  // be written: true once it is written or the player chose to close without
  // saving, false when the player chose to keep playing.
  bool Save();
  // At start-up: offers the games of a session whose save went beside
  // app.ini, when app.ini has not been written since; true when the store
  // took them.
  bool OfferUnsavedGames();

 private:
  // The save when the system ends the program: never asks.
  bool SaveUnattended();
  bool SaveAsking();

  TAppSettings& FStore;
  std::string FDamagedCopy;
  std::string FSaveBlocked;
  bool FDamagedCopyPending = false;  // saving waits for a copy of the damaged file
  bool FSaving = false;
};
