#include "app/f_main.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "app/announcer.h"
#include "app/app_look.h"
#include "app/background_work.h"
#include "app/bar_clock.h"
#include "app/busy_scope.h"
#include "app/celebration.h"
#include "app/command_bar.h"
#include "app/focus_mark.h"
#include "app/hint_panel.h"
#include "app/main_actions.h"
#include "app/main_window_accessible.h"
#include "app/message_box.h"
#include "app/paste_check.h"
#include "app/play_commands.h"
#include "app/qt_translations.h"
#include "app/settings_guard.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/color.h"
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
  CreatePuzzleFiles();
  connect(FShelf.get(), &TSlotShelf::shownChanged, this, &TfrmMain::FollowShownSlot);
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
  FShelf->Clear();
}

void TfrmMain::CreateComponents() {
  FpButtons = new TCommandBar(this, [this] { return CurrentGame(); });
  FpBoard = new QWidget(this);
  FpBoard->setObjectName("pBoard");
  connect(FpButtons->bGame(), &QPushButton::clicked, this,
          [this] { Guarded([this] { bGameClick(); }); });

  FpPleaseWait = new TWaitPanel(FpBoard);

  FlAnnounce = new TAnnouncer(this);
  FlHint = new THintPanel(FpBoard, [this] { return CurrentGame(); });

  FCelebration = new TCelebration(
      this, [this] { return CurrentGame(); }, [this] { RepaintBoardOnly(); });
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
  CreatePlayCommands();
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

bool TfrmMain::InCommand() const {
  return FCommandDepth > 0 || Busy() || QApplication::activeModalWidget() ||
         QApplication::activePopupWidget();
}

bool TfrmMain::RunWithPanel(const std::string& text,
                            const std::function<void(const std::atomic<bool>&)>& job) {
  // One piece of long work at a time.
  if (TBackgroundWork::Running()) return false;
  bool done = false;
  {
    const TBusyScope busy(FBusy);
    done = TBackgroundWork::Run(FpPleaseWait, QString::fromStdString(text), job);
  }
  return done && AppPhase != apClosing;
}

void TfrmMain::CreatePuzzleFiles() {
  TPuzzleFilesHost host;
  host.Window = this;
  host.Shelf = FShelf.get();
  host.GameSettings = FGameSettings.get();
  host.AppSettings = [this]() -> TAppSettings& { return *FAppSettings; };
  host.Busy = [this] { return Busy(); };
  host.InCommand = [this] { return InCommand(); };
  host.Guarded = [this](const std::function<void()>& command) { Guarded(command); };
  host.RunWithPanel = [this](const std::string& text,
                             const std::function<void(const std::atomic<bool>&)>& job) {
    return RunWithPanel(text, job);
  };
  host.ApplySlotSettings = [this](TSlot* game) { ApplySlotSettings(game); };
  host.StopCelebration = [this] { StopCelebration(); };
  host.BuildGameMenu = [this] { BuildGameMenu(); };
  host.SyncSlot = [this] { SyncSlot(); };
  host.Announce = [this](const std::string& text) { Announce(text); };
  FFiles = new TPuzzleFiles(std::move(host), this);
}

// --- Game menu and switching ---

void TfrmMain::BuildGameMenu() {
  FActions->BuildGameMenu(*FShelf, CurrentGame(), [this](QAction* item) {
    Guarded([this, item] { SelectSlotByName(SlotNameOf(item->text())); });
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

void TfrmMain::CreatePlayCommands() {
  TPlayWindow window;
  window.CurrentGame = [this] { return CurrentGame(); };
  window.RunWithPanel = [this](const std::string& text,
                               const std::function<void(const std::atomic<bool>&)>& job) {
    return RunWithPanel(text, job);
  };
  window.StartCelebration = [this] { StartCelebration(); };
  window.StopCelebration = [this] { StopCelebration(); };
  window.PulseRunning = [this] { return tCongrats()->isActive(); };
  window.RefreshBoard = [this] { RefreshBoard(); };
  window.UpdateActions = [this] { UpdateActions(0); };
  window.UpdateCaption = [this] { UpdateCaption(); };
  window.SyncSlot = [this] { SyncSlot(); };
  window.CelebrateIfSolved = [this] { CelebrateIfSolved(); };
  window.Announce = [this](const std::string& text) { Announce(text); };
  window.SelectSlotByName = [this](const std::string& name) { return SelectSlotByName(name); };
  FPlay = std::make_unique<TPlayCommands>(std::move(window), *FGameSettings, FBusy, *FActions,
                                          FDiagnostics);
  const TMainActions& a = *FActions;
  const std::pair<QAction*, void (TPlayCommands::*)()> commands[] = {
      {a.aNew, &TPlayCommands::aNewExecute},
      {a.aNewEasy, &TPlayCommands::aNewEasyExecute},
      {a.aNewMedium, &TPlayCommands::aNewMediumExecute},
      {a.aNewNormal, &TPlayCommands::aNewNormalExecute},
      {a.aStartOver, &TPlayCommands::aStartOverExecute},
      {a.aCheck, &TPlayCommands::aCheckExecute},
      {a.aCheck1, &TPlayCommands::aCheckExecute},
      {a.aUndo, &TPlayCommands::aUndoExecute},
      {a.aRedo, &TPlayCommands::aRedoExecute},
      {a.aCheat, &TPlayCommands::aCheatExecute},
      {a.aAsText, &TPlayCommands::aAsTextExecute},
      {a.aDebug, &TPlayCommands::aDebugExecute},
  };
  for (const auto& [action, execute] : commands)
    connect(action, &QAction::triggered, this,
            [this, execute] { Guarded([this, execute] { (FPlay.get()->*execute)(); }); });
}

TSlot* TfrmMain::CurrentGame() const {
  return FShelf->Shown();
}

bool TfrmMain::SelectSlotByName(const std::string& name) {
  TSlot* slot = FShelf->FindByName(name);
  if (slot) FShelf->Show(slot);
  return slot != nullptr;
}

// Every way to show a slot ends here: the size menu, Other size, Remove this
// size, a puzzle or code opened into a slot, start-up.
void TfrmMain::FollowShownSlot(TSlot* before, TSlot* now) {
  StopCelebration();
  if (before) {
    // A hint belongs to the board it was asked on.
    before->View().ClearHint();
    before->AttachTo(nullptr);
  }
  FlHint->hide();
  if (!now) return;
  if (QAction* item = FActions->SlotItem(now->Name())) item->setChecked(true);
  FActions->FollowSlot(now);
  now->AttachTo(FpBoard);
  now->ApplyBackground();
  // The rest waits for the activation, which shows the slot again.
  if (AppPhase != apRunning) return;
  RestorePlayerSize();
  GrowForReadableCells();
  now->SetVisible(true);
  RefreshBoard();
  now->ShowView();
  UpdateCaption();
  UpdateActions(0);
  if (IsSolved(now->Puzzle().GetStatus())) FPlay->RunCheck();
  UpdateClock();
}

// --- Settings, look and layout ---

void TfrmMain::ApplySettings() {
  for (TSlot* game : FShelf->Items()) ApplySlotSettings(game);
  ApplyBarAndColors();
  ApplyTexts();
  RelayoutWindow();
  RefreshBoard();
}

void TfrmMain::ApplySlotSettings(TSlot* game) {
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
  SetPanelColour(FpButtons, ShiftColor(palette[prBoardArea], -20));
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
  if (FActivated && CurrentGame()) CurrentGame()->Refresh(lfResized);
}

void TfrmMain::SyncSlot() {
  RefreshBoard();
  FlHint->Follow();
  UpdateActions(0);
  UpdateCaption();
}

void TfrmMain::ShowGrade() {
  FpButtons->ShowGrade(CurrentGame());
}

void TfrmMain::UpdateCaption() {
  ShowGrade();
  TSlot* const game = CurrentGame();
  if (!game) return;
  const TPuzzleStatus status = game->Puzzle().GetStatus();
  const std::string caption = GetVersionString(false) + " - " + game->Name() + " - " +
                              std::to_string(status.PlayerFilled) + " / " +
                              std::to_string(status.SolutionFilled);
  if (caption == FLastCaption) return;
  setWindowTitle(QString::fromStdString(caption));
  // A screen reader reads the window's name again after every dialog: the
  // product and the size are enough, the board's opening line tells the rest.
  setAccessibleName(QString::fromStdString(std::string(kProductName) + " - " + game->Name()));
  FLastCaption = caption;
}

void TfrmMain::SetBusy(bool busy) {
  UpdateActions(busy ? uaDisableAll : uaEnableAll);
  FpButtons->bGame()->setEnabled(!busy);
  if (busy) return;
  FActions->FollowSlot(CurrentGame());
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
  if (!CurrentGame()) return;
  FActions->Follow(CurrentGame()->Session());
  FpButtons->Clock()->Show();
}

void TfrmMain::ListenTo(TGameSession& session, const TSlot* slot) {
  // Only the shown slot's session speaks to the bar; the others are heard
  // again when they are shown.
  const auto shown = [this, slot] { return slot == CurrentGame() && AppPhase != apClosing; };
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
  TSlot* const game = CurrentGame();
  if (!game || game->Status() == stSolved || tCongrats()->isActive() ||
      !game->Puzzle().PendingGroup().empty())
    return;
  const TPuzzleStatus status = game->Puzzle().GetStatus();
  if (!IsSolved(status)) return;
  // A board that fits every clue but differs from the picture is left to
  // Check in Nightmare mode, where such cells are mistakes.
  if (FGameSettings->GameMode() == gmNightmare && HasWrongCells(status)) return;
  StartCelebration();
  UpdateActions(0);
}
