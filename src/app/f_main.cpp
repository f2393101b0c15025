#include "app/f_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/announcer.h"
#include "app/application_stuff.h"
#include "app/bar_clock.h"
#include "app/bar_layout.h"
#include "app/busy_scope.h"
#include "app/celebration.h"
#include "app/command_bar.h"
#include "app/focus_mark.h"
#include "app/grade_label.h"
#include "app/hint_panel.h"
#include "app/main_actions.h"
#include "app/main_window_accessible.h"
#include "app/message_box.h"
#include "app/paste_check.h"
#include "app/qt_translations.h"
#include "app/quit_signals.h"
#include "app/settings_guard.h"
#include "generation/rnd.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/game_state.h"
#include "persistence/records.h"
#include "persistence/settings_check.h"
#include "slots/game.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/utils.h"
#include "view/board_accessible.h"
#include "view/frame_grid.h"
#include "view/view_colors.h"

namespace {

// The panel's labels (clock, grade, hint) write in black or white, whichever
// stands out on the panel: a high-contrast board area may be black.
void SetPanelColour(QWidget* panel, TColor colour) {
  QPalette p = panel->palette();
  const QColor background = ToQColor(colour);
  p.setColor(QPalette::Window, background);
  p.setColor(QPalette::WindowText, background.lightness() >= 128 ? Qt::black : Qt::white);
  panel->setPalette(p);
  panel->setAutoFillBackground(true);
}

}  // namespace

TfrmMain::TfrmMain(bool diagnostics)
    : TfrmBase("frmMain"),
      FDiagnostics(diagnostics),
      FBusy([this](bool busy) { SetBusy(busy); }),
      FGameSettings(std::make_unique<TGameSettings>()),
      FShelf(std::make_unique<TSlotShelf>(
          [this](const std::string& name, int width, int height, TDifficulty difficulty,
                 bool generate) { return MakeSlot(name, width, height, difficulty, generate); })),
      FRecords(std::make_unique<TRecords>()) {
  setObjectName("frmMain");
  InstallMainWindowAccessible();
  InstallFocusMarks();
  CreateComponents();
  CreateActions();
  // The board's news (a cell's new state, a line completed) is spoken
  // through the window's news line (a later window takes it over; the line
  // of a closed one is gone).
  SetBoardSpeaker([line = QPointer<TAnnouncer>(FlAnnounce)](const QString& text) {
    if (line) line->Announce(text);
  });
  // The window itself takes the keys, so it sees them before any control.
  setFocusPolicy(Qt::StrongFocus);
}

// A slot owns its view, and the shown view is also a child widget of pBoard.
// Freeing the slots here, while pBoard still exists, lets each view leave its
// parent through its own destructor; were Qt to delete pBoard's children
// first (QWidget's destructor runs after this body), the slots would later
// free views that no longer exist.
TfrmMain::~TfrmMain() {
  FreeSlots();
}

void TfrmMain::CreateComponents() {
  FpButtons = new TCommandBar(this, [this] { return FCurrentGame; });
  FpBoard = new QWidget(this);
  FpBoard->setObjectName("pBoard");
  connect(FpButtons->bGame(), &QPushButton::clicked, this,
          [this] { Guarded([this] { bGameClick(); }); });

  FpPleaseWait = new TWaitPanel(FpBoard);

  FlAnnounce = new TAnnouncer(this);
  FlHint = new THintPanel(FpBoard, [this] { return FCurrentGame; });

  FCelebration = new TCelebration(
      this, [this] { return FCurrentGame; }, [this] { RepaintBoardOnly(); });
  connect(tCongrats(), &QTimer::timeout, this, [this] { Guarded([this] { tCongratsTimer(); }); });

  FtActivate = new QTimer(this);
  FtActivate->setObjectName("tActivate");
  FtActivate->setInterval(10);
  FtActivate->setSingleShot(true);
  connect(FtActivate, &QTimer::timeout, this, [this] { Guarded([this] { tActivateTimer(); }); });
}

void TfrmMain::CreateActions() {
  FActions = new TMainActions(this, FDiagnostics);
  const TMainActions& a = *FActions;
  const std::pair<QAction*, void (TfrmMain::*)()> commands[] = {
      {a.aNew, &TfrmMain::aNewExecute},
      {a.aNewEasy, &TfrmMain::aNewEasyExecute},
      {a.aNewMedium, &TfrmMain::aNewMediumExecute},
      {a.aNewNormal, &TfrmMain::aNewNormalExecute},
      {a.aStartOver, &TfrmMain::aStartOverExecute},
      {a.aCheck, &TfrmMain::aCheckExecute},
      {a.aCheck1, &TfrmMain::aCheckExecute},
      {a.aUndo, &TfrmMain::aUndoExecute},
      {a.aRedo, &TfrmMain::aRedoExecute},
      {a.aSettings, &TfrmMain::aSettingsExecute},
      {a.aResetZoom, &TfrmMain::aResetZoomExecute},
      {a.aZoomIn, &TfrmMain::aZoomInExecute},
      {a.aZoomOut, &TfrmMain::aZoomOutExecute},
      {a.aCopyToClipboardAsImage, &TfrmMain::aCopyToClipboardAsImageExecute},
      {a.aCopyToClipboardAsText, &TfrmMain::aCopyToClipboardAsTextExecute},
      {a.aPaste, &TfrmMain::aPasteExecute},
      {a.aAbout, &TfrmMain::aAboutExecute},
      {a.aExit, &TfrmMain::aExitExecute},
      {a.aGameMenu, &TfrmMain::bGameClick},
      {a.aCheat, &TfrmMain::aCheatExecute},
      {a.aAsText, &TfrmMain::aAsTextExecute},
      {a.aDebug, &TfrmMain::aDebugExecute},
      {a.aHint, &TfrmMain::aHintExecute},
      {a.aStatistics, &TfrmMain::aStatisticsExecute},
      {a.aOpenPuzzle, &TfrmMain::aOpenPuzzleExecute},
      {a.aSavePuzzleAs, &TfrmMain::aSavePuzzleAsExecute},
      {a.aDesign, &TfrmMain::aDesignExecute},
      {a.aOtherSize, &TfrmMain::aOtherSizeExecute},
      {a.aRemoveSize, &TfrmMain::aRemoveSizeExecute},
  };
  for (const auto& [action, execute] : commands)
    connect(action, &QAction::triggered, this,
            [this, execute] { Guarded([this, execute] { (this->*execute)(); }); });
  setAcceptDrops(true);

  FActions->BindButton(FpButtons->bNew(), a.aNew);
  FActions->BindButton(FpButtons->bStartOver(), a.aStartOver);
  FActions->BindButton(FpButtons->bCheck(), a.aCheck);
  FActions->BindButton(FpButtons->bUndo(), a.aUndo);
  FActions->BindButton(FpButtons->bRedo(), a.aRedo);
  // Check has a second key of its own action.
  connect(a.aCheck, &QAction::changed, FpButtons->bCheck(), [this] {
    FpButtons->bCheck()->setToolTip(
        ToolTipWithKeys(FActions->aCheck->text(), {FActions->aCheck, FActions->aCheck1}));
  });
}

void TfrmMain::Guarded(const std::function<void()>& command) {
  // Once the games are saved for the close, nothing new starts.
  if (AppPhase == apClosing) return;
  ++FCommandDepth;
  try {
    command();
  } catch (const std::exception& e) {
    ShowMessageBox(e.what(), TextFor(ttnError), mkError | mkOk);
  }
  --FCommandDepth;
}

// --- Start-up ---

bool TfrmMain::FormCreate() {
  AppPhase = apStarting;
  const TBusyScope starting(FBusy);
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
    FGuard->Block(e.what());
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
  TUtils::DebugLog("damaged settings file: " + reason);
  const bool kept = FGuard->KeepDamagedFile();

  for (const TGameStateRec& rec : SalvageStoredGames(*FAppSettings, kMaxStoredSlots)) {
    if (FShelf->FindByName(rec.name)) continue;  // restored before the damaged one
    FShelf->Create(rec.name, rec.w, rec.h, rec.difficulty, false)->ApplyGameState(rec);
  }
  // A broken number would place or size the window at 0.
  RemoveUnreadableLines(*FAppSettings, IntegerSettingsKeys(FormName()));
  const std::string stored = FAppSettings->ReadString("active_game");
  const std::vector<std::string> renewed = CreateMissingDefaultSlots();
  FShelf->SetActiveName(FShelf->FindByName(stored) ? stored
                                                   : SlotName(kFirstShownSide, kFirstShownSide));

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

std::unique_ptr<TGame> TfrmMain::MakeSlot(const std::string& name, int width, int height,
                                          TDifficulty difficulty, bool generate) {
  auto game = std::make_unique<TGame>(
      font(), name, width, height, FGameSettings.get(),
      FFirstRun ? TPictureSource::BuiltIn : TPictureSource::Generated, [this] { OnSlotChanged(); });
  game->SetLook(FGameSettings->BoardLook());
  game->Puzzle().SetRandomFillType(0);
  if (generate) game->Puzzle().SetDifficulty(difficulty);
  game->Attach(generate, DefaultFillPct(width, height, difficulty));
  TGame* slot = game.get();
  ListenTo(slot->Session(), slot);
  // The first slot made is the current one until start-up shows the stored one.
  if (!FCurrentGame) FCurrentGame = slot;
  return game;
}

void TfrmMain::CreateDefaultSlots() {
  for (int s : kDefaultSides)
    FShelf->Create(SlotName(s, s), s, s, FGameSettings->NewDifficulty(), true);
  FShelf->SetActiveName(SlotName(kFirstShownSide, kFirstShownSide));
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
  if (e->type() == QEvent::WindowBlocked && FCurrentGame) FCurrentGame->View().PointerGone();
  return TfrmBase::event(e);
}

void TfrmMain::tActivateTimer() {
  FtActivate->stop();
  ApplyBarAndColors();
  if (FCurrentGame && FCurrentGame->Host()) FCurrentGame->SetVisible(true);
  AppPhase = apRunning;
  KeepOnScreen();
  // Take the keyboard at once, also where no window manager hands it over.
  activateWindow();
  setFocus();
  SelectSlotByName(FShelf->ActiveName());
  // Files given at the start open once the window is up.
  OpenPendingFiles();
  AnnounceBoard();
}

// --- Game menu and switching ---

void TfrmMain::BuildGameMenu() {
  FActions->BuildGameMenu(*FShelf, FCurrentGame, [this](QAction* item) {
    Guarded([this, item] {
      if (FShelf->FindByName(SlotNameOf(item->text()))) SwitchToSlot(item);
    });
  });
}

void TfrmMain::bGameClick() {
  // Its key reaches here too, also before start-up has made the slots.
  if (Busy() || FShelf->Count() == 0) return;
  const std::optional<std::string> text = ClipboardText();
  const TPasteVerdict verdict = text ? CheckPaste(*text, *FShelf).Verdict : pvBadPuzzle;
  FActions->aPaste->setEnabled(verdict == pvLoadable || verdict == pvPuzzle);
  BuildGameMenu();
  pmGame()->popup(FpButtons->bGame()->mapToGlobal(QPoint(0, FpButtons->bGame()->height())));
}

bool TfrmMain::SelectSlotByName(const std::string& name) {
  QAction* item = FActions->SlotItem(name);
  if (item) item->trigger();
  return item != nullptr;
}

void TfrmMain::SwitchToSlot(QAction* item) {
  StopCelebration();
  item->setChecked(true);
  if (FCurrentGame) {
    // A hint belongs to the board it was asked on.
    FCurrentGame->View().ClearHint();
    FCurrentGame->AttachTo(nullptr);
  }
  FlHint->hide();
  const std::string name = SlotNameOf(item->text());
  FCurrentGame = FShelf->FindByName(name);
  FShelf->SetActiveName(name);
  FCurrentGame->AttachTo(FpBoard);
  FCurrentGame->ApplyBackground();
  if (AppPhase == apRunning) {
    RestorePlayerSize();
    GrowForReadableCells();
    FCurrentGame->SetVisible(true);
    RefreshBoard();
    FCurrentGame->ShowView();
  }
  UpdateCaption();
  UpdateActions(0);
  if (IsSolved(FCurrentGame->Puzzle().GetStatus())) RunCheck();
  UpdateClock();
}

// --- Settings, look and layout ---

void TfrmMain::ApplySettings() {
  for (TGame* game : FShelf->Items()) ApplySlotSettings(game);
  ApplyBarAndColors();
  ApplyTexts();
  RelayoutWindow();
  RefreshBoard();
}

void TfrmMain::ApplySlotSettings(TGame* game) {
  game->SetHotTrackCounters(FGameSettings->DrawHotTrackCounters());
  game->SetHotTrackBoard(FGameSettings->DrawHotTrackBoard());
  game->SetDrawCellsPos(FGameSettings->DrawCellsPos());
  game->SetKeepStrokeStraight(FGameSettings->KeepStrokeStraight());
  game->SetClueMarks(FGameSettings->CompletedClues(), FGameSettings->MistakeLines());
  game->SetLook(FGameSettings->BoardLook());
}

void TfrmMain::ApplyBarAndColors() {
  DockPanels();
  RelayoutWindow();
  const TBoardPalette palette = BoardPaletteOfLook(FGameSettings->BoardLook());
  SetPanelColour(FpBoard, palette[prBoardArea]);
  SetPanelColour(FpButtons, TUtils::ShiftColor(palette[prBoardArea], -20));
}

void TfrmMain::ApplyTexts() {
  CurrentLanguage = FGameSettings->Language();
  UseQtTranslationsFor(CurrentLanguage);
  FActions->ApplyTexts();
  FpButtons->bGame()->setText(QString::fromStdString(TextFor(ttnGame)));
  FpPleaseWait->setText(QString::fromStdString(TextFor(ttnPleaseWait)));
  FpButtons->FitButtons();
  FpButtons->bGame()->setToolTip(
      ToolTipWithKeys(FpButtons->bGame()->text(), {FActions->aGameMenu}));
  FpButtons->bCheck()->setToolTip(
      ToolTipWithKeys(FActions->aCheck->text(), {FActions->aCheck, FActions->aCheck1}));
  FpButtons->Clock()->ApplyTexts();
  ApplyBoardAccessibleTexts();
  ShowGrade();
}

// Places the bar along its edge and the board area in the rest.
void TfrmMain::DockPanels() {
  FpButtons->Dock(FGameSettings->ButtonsPosition(), FpBoard);
}

int TfrmMain::LayoutButtons() {
  const TCommandBar::TFit fit = FpButtons->Layout(FGameSettings->ButtonsPosition(), FpBoard);
  if (fit.Extent != 0) setMinimumSize(fit.MinimumWindow);
  FButtonsExtent = fit.Extent;
  return fit.Extent;
}

void TfrmMain::RelayoutWindow() {
  LayoutButtons();
  FpPleaseWait->FitToText();
  FlHint->Place();
  // Layouts settle now; input and timers wait for the command to end.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void TfrmMain::resizeEvent(QResizeEvent* e) {
  TfrmBase::resizeEvent(e);
  DockPanels();
  if (!FActivated) return;
  NoteResize();
  const bool pulsing = tCongrats()->isActive();
  if (pulsing) tCongrats()->stop();
  RefreshBoard();
  RelayoutWindow();
  if (pulsing) tCongrats()->start();
}

void TfrmMain::RefreshBoard() {
  if (FActivated && FCurrentGame) FCurrentGame->Refresh(lfResized);
}

void TfrmMain::SyncSlot() {
  RefreshBoard();
  FlHint->Follow();
  UpdateActions(0);
  UpdateCaption();
}

void TfrmMain::ShowGrade() {
  FpButtons->ShowGrade(FCurrentGame);
}

void TfrmMain::UpdateCaption() {
  ShowGrade();
  if (!FCurrentGame) return;
  const TPuzzleStatus status = FCurrentGame->Puzzle().GetStatus();
  const std::string caption = GetVersionString(false) + " - " + FCurrentGame->Name() + " - " +
                              std::to_string(status.PlayerFilled) + " / " +
                              std::to_string(status.SolutionFilled);
  if (caption == FLastCaption) return;
  setWindowTitle(QString::fromStdString(caption));
  // A screen reader reads the window's name again after every dialog: the
  // product and the size are enough, the board's opening line tells the rest.
  setAccessibleName(
      QString::fromStdString(std::string(kProductName) + " - " + FCurrentGame->Name()));
  FLastCaption = caption;
}

void TfrmMain::SetBusy(bool busy) {
  AppBusy = busy;
  UpdateActions(busy ? uaDisableAll : uaEnableAll);
  FpButtons->bGame()->setEnabled(!busy);
  if (busy) return;
  FActions->FollowSlot(FCurrentGame);
  UpdateActions(0);
  RefreshBoard();
}

void TfrmMain::UpdateActions(int flags) {
  if (flags & uaDisableAll) {
    FActions->SetAllEnabled(false);
    FpButtons->bNew()->setEnabled(false);
    return;
  }
  if (flags & uaEnableAll) {
    FActions->SetAllEnabled(true);
    FpButtons->bNew()->setEnabled(true);
  }
  if (!FCurrentGame) return;
  FActions->Follow(FCurrentGame->Session());
  FpButtons->Clock()->Show();
}

void TfrmMain::ListenTo(TGameSession& session, const TGame* slot) {
  // Only the shown slot's session speaks to the bar; the others are heard
  // again when they are shown.
  const auto shown = [this, slot] { return slot == FCurrentGame && AppPhase != apClosing; };
  for (auto signal : {&TGameSession::canUndoChanged, &TGameSession::canRedoChanged,
                      &TGameSession::canCheckChanged})
    connect(&session, signal, this, [this, shown] {
      if (shown()) UpdateActions(0);
    });
  connect(&session, &TGameSession::clockChanged, this, [this, shown] {
    if (shown()) FpButtons->Clock()->Follow();
  });
}

void TfrmMain::OnSlotChanged() {
  if (Celebrating()) return;
  UpdateActions(0);
  UpdateCaption();
  FlHint->Follow();
  CountPlayed();
  if (FGameSettings->SolvedAtOnce()) CelebrateIfSolved();
}

void TfrmMain::CelebrateIfSolved() {
  // Only between strokes: the celebration takes the input away, and a stroke
  // in progress must still be closed by its release.
  if (!FCurrentGame || FCurrentGame->Status() == gsSolved || tCongrats()->isActive() ||
      !FCurrentGame->Puzzle().PendingGroup().empty())
    return;
  const TPuzzleStatus status = FCurrentGame->Puzzle().GetStatus();
  if (!IsSolved(status)) return;
  // A board that fits every clue but differs from the picture is left to
  // Check in Nightmare mode, where such cells are mistakes.
  if (FGameSettings->GameMode() == gmNightmare && HasWrongCells(status)) return;
  StartCelebration();
  UpdateActions(0);
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

void TfrmMain::FreeSlots() {
  FCurrentGame = nullptr;
  FShelf->Clear();
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
