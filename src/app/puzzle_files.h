// TPuzzleFiles: puzzles from anywhere and the sizes beyond the default ones.
// Open puzzle, a file or text dropped on the window, files given at the
// start or handed over by a later start, Paste of a game ID or a .non text
// besides state codes, Save puzzle as, Design, Other size and Remove this
// size. It keeps the queue of files handed over; the slots and which one is
// shown stay the shelf's.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QDragEnterEvent;
class QDropEvent;
class QWidget;
class TAppSettings;
class TGameSettings;
class TSlot;
class TSlotShelf;
struct TPasteCheck;

// What the puzzle files need of the window.
struct TPuzzleFilesHost {
  QWidget* Window = nullptr;  // the parent of the dialogs
  TSlotShelf* Shelf = nullptr;
  TGameSettings* GameSettings = nullptr;
  // Made at start-up, after the window.
  std::function<TAppSettings&()> AppSettings;
  // Start-up, shutdown or long work has the window.
  std::function<bool()> Busy;
  // A command, a dialog, a menu or long work has the window.
  std::function<bool()> InCommand;
  // Runs a command; a failure is shown to the player.
  std::function<void(const std::function<void()>&)> Guarded;
  // Runs job off the UI thread with the commands disabled; false when it
  // was cancelled.
  std::function<bool(const std::string&, const std::function<void(const std::atomic<bool>&)>&)>
      RunWithPanel;
  // A new slot gets the window's settings.
  std::function<void(TSlot*)> ApplySlotSettings;
  std::function<void()> StopCelebration;
  std::function<void()> BuildGameMenu;
  // After a slot's game changed: its board, the actions and the caption.
  std::function<void()> SyncSlot;
  std::function<void(const std::string&)> Announce;
};

class TPuzzleFiles : public QObject {
  Q_OBJECT

 public:
  TPuzzleFiles(TPuzzleFilesHost host, QObject* parent);

  // Opens a text as Paste does: a state code, or a puzzle in a sharing format
  // judged by the complete solver; a refusal is explained to the player.
  // True when a game was loaded.
  // fromClipboard words a refusal for the clipboard, else for a file or a
  // dropped text.
  bool OpenPuzzleText(const std::string& text, bool fromClipboard = false);
  bool OpenPuzzleFile(const std::string& path);
  // Opens a file given on the command line or by a later start, once the
  // window is up.
  // Files handed over queue up and open one after another, each once no
  // command, dialog or long work has the window.
  void OpenWhenReady(const std::string& path);
  // Opens the first file handed over when the window is free, else tries
  // again shortly.
  void OpenPendingFiles();
  // Makes a slot of that size beside the others and starts a puzzle in it
  // (or shows the slot when it exists); false when nothing was made.
  bool AddSize(int width, int height);
  // Loads a state code found loadable into the slot of its size (made when
  // missing), asking first before a game in progress is replaced.
  bool OpenStateCode(const TPasteCheck& check);
  // Removes the shown slot when it is not one of the default sizes.
  void RemoveCurrentSize();

  // The window's drag and drop.
  void DragEnter(QDragEnterEvent* e);
  void Drop(QDropEvent* e);

  // The commands.
  void aOpenPuzzleExecute();
  void aSavePuzzleAsExecute();
  void aDesignExecute();
  void aOtherSizeExecute();
  void aRemoveSizeExecute();

 private:
  // The game in a slot has moves and is not solved: replacing it asks first.
  bool InProgress(TSlot* game);
  bool ConfirmReplace(TSlot* game);
  // The slot of that name, made (empty) when missing.
  TSlot* SlotOfSize(int width, int height);
  // Shows a slot a game was loaded into, and the menu with it.
  void ShowLoadedSlot(TSlot* slot);
  bool OpenSharedPuzzle(const TPasteCheck& check);

  TPuzzleFilesHost FHost;
  TSlotShelf* FShelf;
  TGameSettings* FGameSettings;
  std::vector<std::string> FPendingFiles;  // handed over, not opened yet
  bool FPendingScheduled = false;          // OpenPendingFiles is due
};
