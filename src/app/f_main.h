// TfrmMain: the program's only top-level window. It owns the settings store,
// the game settings and the game slots, shows the board of the current slot
// with a bar of command buttons and the game menu, keeps the caption, and
// runs start-up and shutdown: everything the player does survives a restart
// through app.ini in the settings folder.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/busy_scope.h"
#include "app/celebration.h"
#include "app/command_bar.h"
#include "app/f_base.h"
#include "app/main_actions.h"
#include "app/player_sizes.h"
#include "app/puzzle_files.h"
#include "app/settings_guard.h"
#include "app/wait_panel.h"
#include "model/difficulty.h"
#include "util/color.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class TAnnouncer;
class TAppSettings;
class TSlot;
class TGameSession;
class TGameSettings;
class TSlotShelf;
class TPlayCommands;
class THintPanel;
class TRecords;

// UpdateActions flags.
constexpr int uaDisableAll = 2;
constexpr int uaEnableAll = 4;

class TfrmMain : public TfrmBase {
  Q_OBJECT

 public:
  // diagnostics offers the two developer commands (F5, Ctrl+D).
  explicit TfrmMain(bool diagnostics = false);
  ~TfrmMain() override;

  // Start-up: look, settings, slots. False when the program cannot run (the
  // player has been told why); the window must then not be shown.
  bool FormCreate();

  // --- Components ---
  QWidget* pButtons() const { return FpButtons; }
  QWidget* pBoard() const { return FpBoard; }
  QLabel* pPleaseWait() const { return FpPleaseWait; }
  // The sentence of the hint shown on the board.
  QLabel* lHint() const;
  // The current puzzle's clock in the button bar, after the buttons: "m:ss",
  // and "Solved in" over the time once solved.
  QLabel* lClock() const;
  QMenu* pmGame() const { return FActions->pmGame(); }
  // The spoken status line: what the board shows only as a picture.
  TAnnouncer* lAnnounce() const { return FlAnnounce; }
  // The celebration's pulse timer.
  QTimer* tCongrats() const { return FCelebration->Timer(); }
  QPushButton* bGame() const { return FpButtons->bGame(); }

  // --- State ---
  TSlotShelf& Shelf() const { return *FShelf; }
  // The shelf's shown slot.
  TSlot* CurrentGame() const;
  TGameSettings& GameSettings() const { return *FGameSettings; }
  TAppSettings& AppSettings() const { return *FAppSettings; }
  bool FirstRun() const { return FFirstRun; }
  bool Activated() const { return FActivated; }
  bool Celebrating() const { return FCelebration->Celebrating(); }
  int PulseOffset() const { return FCelebration->PulseOffset(); }
  TColor PulseColor() const { return FCelebration->PulseColor(); }
  int ButtonsExtent() const { return FButtonsExtent; }
  // Start-up, shutdown or long work has the window: the commands wait.
  bool Busy() const { return FBusy.Busy(); }
  // Long work elsewhere makes the window busy through a scope of this.
  TBusyState& BusyState() { return FBusy; }
  // The guard of app.ini (damaged files, failed saves), made with the store.
  const TSettingsGuard& Guard() const { return *FGuard; }
  const std::string& DamagedCopy() const { return FGuard->DamagedCopy(); }
  const std::string& SaveBlocked() const { return FGuard->SaveBlocked(); }

  // --- Window operations ---
  void CreateDefaultSlots();
  // What the shelf makes a slot with: the window's look and settings, and
  // the bar listening to its session.
  std::unique_ptr<TSlot> MakeSlot(const std::string& name, int width, int height,
                                  TDifficulty difficulty, bool generate);
  void LoadOrCreateSlots();
  void BuildGameMenu();
  // A size whose fitted cells would be hard to read gets a larger window,
  // for as long as that slot is shown.
  void GrowForReadableCells();
  // Back to the size the player chose for the current slot (or last chose),
  // unless maximized.
  void RestorePlayerSize();
  // One zoom step of the current slot about a point of the screen, or about
  // the keyboard cursor (or the view's centre) without one.
  void ZoomBoard(int delta, std::optional<QPoint> globalAt = std::nullopt);
  const TPlayerSizes& PlayerSizes() const { return FPlayerSizes; }
  // Has the shelf show the slot of that name; false when there is none.
  bool SelectSlotByName(const std::string& name);
  void ApplySettings();
  void ApplyBarAndColors();
  void ApplyTexts();
  int LayoutButtons();
  void RelayoutWindow();
  void RefreshBoard();
  // After a command changed the current slot: its board, the actions and the
  // caption.
  void SyncSlot();
  void UpdateCaption();
  // Without flags: the play state of the current slot shown, derived from
  // the slot alone: Undo, Redo and Check are enabled while the puzzle is not
  // solved and the history allows, and the clock runs (UpdateClock).
  void UpdateActions(int flags);
  void OnSlotChanged();
  // Starts the celebration when the current board is solved and not yet
  // celebrated (the solved-at-once setting).
  void CelebrateIfSolved();
  // Has assistive technology read text out (through lAnnounce).
  void Announce(const std::string& text);
  // The board's opening line: its size, the filled count and the keys.
  void AnnounceBoard();
  // Runs the clock of the shown slot while the window is active and the
  // puzzle unsolved, and stops every other.
  void UpdateClock();
  // The bar's clock shows the time now.
  void ShowClock();
  // The clock's size in the bar: room for its longest text.
  QSize ClockSize() const;
  // The records: a puzzle counts as played with its first move and as solved
  // when it is celebrated, each once; they are kept in app.ini with every
  // slot's hints and progress.
  const TRecords& Records() const { return *FRecords; }
  void CountPlayed();
  void CountSolved();
  // Saves everything and asks the event loop to end (the slots are freed with
  // the window); false, with the window and all in it left as it was, when
  // the games could not be saved and the player chose to keep the window.
  bool Shutdown();

  // --- Commands ---
  void StartCelebration();
  void StopCelebration();
  // One step of the celebration's pulse (tCongrats' tick).
  void tCongratsTimer();
  // Loads a pasted state code into the slot of its size; anything unusable
  // is ignored silently.
  void ImportStateText(const std::string& text);

  // --- Puzzles from outside, custom sizes (TPuzzleFiles) ---
  bool OpenPuzzleText(const std::string& text, bool fromClipboard = false) {
    return FFiles->OpenPuzzleText(text, fromClipboard);
  }
  bool OpenPuzzleFile(const std::string& path) { return FFiles->OpenPuzzleFile(path); }
  void OpenWhenReady(const std::string& path) { FFiles->OpenWhenReady(path); }
  bool AddSize(int width, int height) { return FFiles->AddSize(width, height); }

  // The files the diagnostic commands write.
  std::string CluesDumpPath() const;
  std::string PuzzlesDumpPath() const;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override { FFiles->DragEnter(e); }
  void dropEvent(QDropEvent* e) override { FFiles->Drop(e); }

 private:
  void CreateComponents();
  void CreateActions();
  // The play commands, connected to their actions.
  void CreatePlayCommands();
  // The puzzle files, with what they need of the window.
  void CreatePuzzleFiles();
  void DockPanels();
  void tActivateTimer();
  void bGameClick();
  // Runs a command; a failure is shown to the player instead of ending the
  // program.
  void Guarded(const std::function<void()>& command);
  // A command, a dialog, a menu or long work has the window.
  bool InCommand() const;
  void RecoverFromDamagedState(const std::string& reason);
  // Generates the default sizes that have no slot; returns their names.
  std::vector<std::string> CreateMissingDefaultSlots();
  // Writes the games, the game settings and the window bounds to app.ini
  // (through the guard); false when the player chose to keep the window open.
  bool SaveEverything();
  void RepaintBoardOnly();
  // The bar's note of the current puzzle's difficulty and grade.
  void ShowGrade();
  void KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void KeyUp(int key);
  void ApplySlotSettings(TSlot* game);
  // The shelf showed now instead of before: the board, the menu, the bar,
  // the caption, the actions and the clock follow.
  void FollowShownSlot(TSlot* before, TSlot* now);
  // The bar follows the play state of the slot's session while it is shown.
  void ListenTo(TGameSession& session, const TSlot* slot);
  // What the window's busy state changes: the commands and the game menu
  // (the board views ask the state themselves); once free again, the
  // commands and the board follow the current slot.
  void SetBusy(bool busy);
  // Runs job off the UI thread with the commands disabled; false when it was
  // cancelled.
  bool RunWithPanel(const std::string& text,
                    const std::function<void(const std::atomic<bool>&)>& job);

  void aSettingsExecute();
  void aResetZoomExecute();
  void aZoomInExecute();
  void aZoomOutExecute();
  // The load of ImportStateText.
  bool OpenStateCode(const TPasteCheck& check) { return FFiles->OpenStateCode(check); }
  // The board-area keys of app.ini (player sizes, zooms), read after the
  // slots exist and written with them.
  void LoadBoardArea();
  void SaveBoardArea();
  // A resize the window did not ask for itself is the player's.
  void NoteResize();
  // The window resizes itself (not the player's size).
  void ResizeByItself(QSize size);
  void aCopyToClipboardAsImageExecute();
  void aCopyToClipboardAsTextExecute();
  void aPasteExecute();
  void aAboutExecute();
  void aExitExecute();
  void aHintExecute();
  void aOpenPuzzleExecute() { FFiles->aOpenPuzzleExecute(); }
  void aSavePuzzleAsExecute() { FFiles->aSavePuzzleAsExecute(); }
  void aOtherSizeExecute() { FFiles->aOtherSizeExecute(); }
  void aRemoveSizeExecute() { FFiles->aRemoveSizeExecute(); }
  void aStatisticsExecute();
  void aDesignExecute() { FFiles->aDesignExecute(); }

  // Open, Save as, drops, hand-overs and custom sizes.
  TPuzzleFiles* FFiles = nullptr;
  int FCommandDepth = 0;  // commands running (Guarded)
  // The commands as actions, the game menu and the bar buttons' binding.
  TMainActions* FActions = nullptr;
  // New, Start over, Check, Undo, Redo, the solution and the dumps.
  std::unique_ptr<TPlayCommands> FPlay;

  bool FDiagnostics;
  TBusyState FBusy;
  std::unique_ptr<TAppSettings> FAppSettings;
  std::unique_ptr<TSettingsGuard> FGuard;
  std::unique_ptr<TGameSettings> FGameSettings;
  std::unique_ptr<TSlotShelf> FShelf;
  std::unique_ptr<TRecords> FRecords;
  bool FActivated = false;
  TPlayerSizes FPlayerSizes;
  QSize FRequestedSize;  // the last size the window gave itself
  bool FFirstRun = false;
  std::string FLastCaption;
  int FButtonsExtent = 0;

  // The pulse over a solved board.
  TCelebration* FCelebration = nullptr;

  TCommandBar* FpButtons = nullptr;
  QWidget* FpBoard = nullptr;
  TWaitPanel* FpPleaseWait = nullptr;
  THintPanel* FlHint = nullptr;
  TAnnouncer* FlAnnounce = nullptr;
  QTimer* FtActivate = nullptr;
};
