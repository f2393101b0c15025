// TfrmMain: start-up (the settings, the slots, the first layout, the
// activation) and shutdown (saving everything, ending the event loop).
#include "app/f_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include "app/app_look.h"
#include "app/bar_clock.h"
#include "app/busy_scope.h"
#include "app/command_bar.h"
#include "app/file_refusal.h"
#include "app/hint_panel.h"
#include "app/message_box.h"
#include "app/quit_signals.h"
#include "app/settings_guard.h"
#include "generation/rnd.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "persistence/records.h"
#include "persistence/settings_check.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/debug_log.h"
#include "view/frame_grid.h"

// --- Start-up ---

bool TfrmMain::FormCreate() {
  AppPhase = apStarting;
  const TBusyScope starting(FBusy);
  // Until the settings are read, what must be said is said in the system's
  // language, the one a first run would choose.
  CurrentLanguage = SystemLanguage();
  ApplyStyle(this, 0, false);
  try {
    FAppSettings = std::make_unique<TAppSettings>("app.ini", '=');
    FGuard = std::make_unique<TSettingsGuard>(*FAppSettings);
  } catch (const std::exception& e) {
    ShowMessageBox(e.what(), kProductName, mkError | mkOk);
    return false;
  }
  try {
    FFirstRun = !FAppSettings->Load();
  } catch (const std::exception& e) {
    // Something that cannot be read stands where app.ini belongs: start as
    // on a first run and leave it alone unless the player says otherwise.
    FGuard->Block(ProblemForThePlayer(e));
    FFirstRun = true;
    ShowMessageBox(TextFor(ttnSettingsUnusable) + "\n\n" + FGuard->SaveBlocked(), kProductName,
                   mkError | mkOk);
  }
  if (FGuard->OfferUnsavedGames()) FFirstRun = false;
  RemoveLeftoversOfKilledWrites(FAppSettings->FileName());
  SetSettings(FAppSettings.get());
  FGameSettings->LoadFrom(*FAppSettings, FFirstRun);
  ApplyTexts();

  if (FFirstRun) {
    // The row of buttons and the clock and grade after it, with a button's
    // width to spare, as far as the screen allows.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int width = std::min(
        LayoutButtons() + FpButtons->bGame()->width() + FpButtons->NotesLength(), screen.width());
    const int height = screen.height() / 2;
    setGeometry(screen.x() + (screen.width() - width) / 2,
                screen.y() + (screen.height() - height) / 2, width, height);
  } else {
    resize(LayoutButtons() + FpButtons->bGame()->width(), 600);
  }
  TRnd::SeedFromClock();
  LoadOrCreateSlots();
  return true;
}

void TfrmMain::LoadOrCreateSlots() {
  bool loaded = false;
  std::string damage =
      FFirstRun ? std::string() : SettingsDamage(*FAppSettings, IntegerSettingsKeys(FormName()));
  if (damage.empty()) {
    try {
      loaded = FShelf->LoadFrom(*FAppSettings);
    } catch (const std::exception& e) {
      damage = e.what();
    }
  }
  if (!damage.empty()) {
    RecoverFromDamagedState(damage);
    loaded = true;
  }
  if (!loaded) {
    FpPleaseWait->show();
    QApplication::processEvents();
    CreateDefaultSlots();
    FpPleaseWait->hide();
  }
  FShelf->LoadKept(*FAppSettings, *FRecords);
  LoadBoardArea();
  BuildGameMenu();
  ApplySettings();
}

// A damaged settings file must not cost the player the games still in it:
// the file is copied aside before anything can overwrite it, every stored
// game that passes its check is restored (wherever the damage left it in the
// file), and the missing default sizes get fresh puzzles. The next shutdown
// then writes a whole file again.
void TfrmMain::RecoverFromDamagedState(const std::string& reason) {
  // The technical reason is for the developer; the player is told what it
  // means for the games, once they are back.
  DebugLog("damaged settings file: " + reason);
  const bool kept = FGuard->KeepDamagedFile();

  for (const TGameStateRec& rec : SalvageStoredGames(*FAppSettings, kMaxStoredSlots)) {
    if (FShelf->FindByName(rec.name)) continue;  // restored before the damaged one
    FShelf->Create(rec.name, rec.w, rec.h, rec.difficulty, false)->ApplyGameState(rec);
  }
  // A broken number would place or size the window at 0.
  RemoveUnreadableLines(*FAppSettings, IntegerSettingsKeys(FormName()));
  const std::vector<std::string> renewed = CreateMissingDefaultSlots();
  FShelf->ShowNamedOr(FAppSettings->ReadString("active_game"));

  std::string text = TextFor(ttnSavedGamesDamaged) + "\n\n";
  if (renewed.empty()) {
    text += TextFor(ttnAllGamesRestored);
  } else {
    std::string sizes;
    for (const std::string& name : renewed)
      sizes += (sizes.empty() ? "" : TextFor(ttnListSeparator)) + name;
    std::string line = TextFor(ttnSizesRenewed);
    const std::size_t at = line.find("%s");
    if (at != std::string::npos) line.replace(at, 2, sizes);
    text += line;
  }
  text += "\n\n";
  if (kept)
    text += TextFor(ttnDamagedCopyKept) + "\n" + FGuard->DamagedCopy();
  else
    text += TextFor(ttnDamagedCopyFailed) + "\n\n" + FGuard->SaveBlocked();
  ShowMessageBox(text, kProductName, mkError | mkOk);
}

std::vector<std::string> TfrmMain::CreateMissingDefaultSlots() {
  std::vector<int> sides(kDefaultSides.begin(), kDefaultSides.end());
  std::erase_if(sides, [this](int s) { return FShelf->FindByName(SlotName(s, s)) != nullptr; });
  std::vector<std::string> names;
  for (int s : sides) names.push_back(SlotName(s, s));
  if (sides.empty()) return names;
  FpPleaseWait->show();
  QApplication::processEvents();
  for (int s : sides) FShelf->Create(SlotName(s, s), s, s, FGameSettings->NewDifficulty(), true);
  FpPleaseWait->hide();
  return names;
}

std::unique_ptr<TSlot> TfrmMain::MakeSlot(const std::string& name, int width, int height,
                                          TDifficulty difficulty, bool generate) {
  auto game = std::make_unique<TSlot>(
      font(), name, width, height, FGameSettings.get(),
      FFirstRun ? TPictureSource::BuiltIn : TPictureSource::Generated, [this] { OnSlotChanged(); });
  game->SetLook(FGameSettings->BoardLook());
  game->Puzzle().SetRandomFillType(0);
  if (generate) game->Puzzle().SetDifficulty(difficulty);
  game->Attach(generate, DefaultFillPct(width, height, difficulty));
  game->View().SetBusyQuery([this] { return Busy(); });
  TSlot* slot = game.get();
  ListenTo(slot->Session(), slot);
  return game;
}

void TfrmMain::CreateDefaultSlots() {
  for (int s : kDefaultSides)
    FShelf->Create(SlotName(s, s), s, s, FGameSettings->NewDifficulty(), true);
  FShelf->ShowNamedOr(SlotName(kFirstShownSide, kFirstShownSide));
}

void TfrmMain::showEvent(QShowEvent* e) {
  TfrmBase::showEvent(e);
  // The first show stands for the first activation: a window manager may
  // never activate the window (or there may be none at all).
  if (!FActivated) {
    FActivated = true;
    FtActivate->start();
  }
}

bool TfrmMain::event(QEvent* e) {
  // When a modal box or dialog closes, the keyboard comes back here: without
  // a window manager nobody else hands it back, and keys would be lost.
  if (e->type() == QEvent::WindowUnblocked && isVisible() && AppPhase == apRunning) {
    activateWindow();
    setFocus();
    AnnounceBoard();
  }
  // A dialog over the board takes the pointer from it.
  if (e->type() == QEvent::WindowBlocked && CurrentGame()) CurrentGame()->View().PointerGone();
  return TfrmBase::event(e);
}

void TfrmMain::tActivateTimer() {
  FtActivate->stop();
  ApplyBarAndColors();
  AppPhase = apRunning;
  KeepOnScreen();
  // Take the keyboard at once, also where no window manager hands it over.
  activateWindow();
  setFocus();
  // The window runs now: the shown slot's board is set up in full.
  if (TSlot* shown = FShelf->Shown()) FShelf->Show(shown);
  // Files given at the start open once the window is up.
  FFiles->OpenPendingFiles();
  AnnounceBoard();
}

// --- Shutdown ---

// A close can arrive while a command is still running: inside the message
// processing of a flash, a shake, a board press or a slot switch. So the
// shutdown only saves and asks the event loop to end; the slots and their
// views stay alive until the window is destroyed after the loop has ended,
// and the frames still on the stack return over living objects. When the
// games cannot be saved and the player keeps the window, nothing ends.
bool TfrmMain::Shutdown() {
  AppPhase = apClosing;
  // Nothing starts while the games are saved and the player maybe asked.
  const TBusyScope closing(FBusy);
  SaveFormBounds();
  StopCelebration();
  if (!SaveEverything()) {
    AppPhase = apRunning;
    return false;
  }
  QApplication::quit();
  return true;
}

bool TfrmMain::SaveEverything() {
  if (FShelf) {
    FShelf->SaveTo(*FAppSettings, *FRecords);
    FGameSettings->SaveTo(*FAppSettings);
    SaveBoardArea();
  }
  return FGuard->Save();
}

void TfrmMain::closeEvent(QCloseEvent* e) {
  // A close while the player is asked about a failed save (the Exit command
  // asks outside a close) waits for the answer to that question.
  if ((FGuard && FGuard->Saving()) || (AppPhase != apClosing && !Shutdown())) {
    e->ignore();
    return;
  }
  e->accept();
}
