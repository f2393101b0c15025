// A puzzle from outside is judged by the complete solver before it replaces
// anything: one without a picture, or with more than one, is refused, since
// Check and the celebration need exactly one.
#include "app/puzzle_files.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "app/designer_window.h"
#include "app/f_size.h"
#include "app/file_dialog.h"
#include "app/file_refusal.h"
#include "app/message_box.h"
#include "app/paste_check.h"
#include "model/process_flags.h"
#include "persistence/app_settings.h"
#include "persistence/game_settings.h"
#include "persistence/puzzle_formats.h"
#include "platform/atomic_file.h"
#include "platform/file_read.h"
#include "slots/slot.h"
#include "slots/slot_shelf.h"
#include "solver/complete_solver.h"
#include "text/lang_helper.h"
#include "view/frame_grid.h"

namespace {

// How long a file handed over to a busy window waits before it asks again.
constexpr int kBusyRetryMs = 250;

std::string TextWith(TTextName name, const std::string& arg) {
  return QString::fromStdString(TextFor(name)).arg(QString::fromStdString(arg)).toStdString();
}

void Tell(const std::string& text, const std::string& caption) {
  ShowMessageBox(text, caption, mkInfo | mkOk);
}

// The picture of a unique verdict (row by row) as a goal: '#' filled, '.'
// empty.
std::string GoalOf(const TAnalysis& analysis) {
  std::string goal;
  for (const int cell : analysis.Solutions[0]) goal += cell > 0 ? '#' : '.';
  return goal;
}

// The player's words for a puzzle the solver refused; empty when it is
// playable.
std::string RefusalOf(const TAnalysis& analysis) {
  switch (analysis.Verdict) {
    case TVerdict::LineSolvable:
    case TVerdict::Unique:
      return {};
    case TVerdict::None: {
      std::string text = TextFor(ttnPuzzleNoSolution);
      if (analysis.BadLine >= 0) {
        const std::string line = TextWith(analysis.BadLineIsColumn ? ttnHintColumn : ttnHintRow,
                                          std::to_string(analysis.BadLine + 1));
        text += "\n\n" + TextWith(ttnPuzzleBadLine, line);
      }
      return text;
    }
    case TVerdict::Multiple:
      return TextFor(ttnPuzzleMultiple);
    case TVerdict::Undecided:
      return TextFor(ttnPuzzleUndecided);
  }
  return {};
}

enum class TSaveFormat { Non, Xml, GameId };

struct TSaveChoice {
  TSaveFormat Format;
  const char* Extension;
};

constexpr TSaveChoice kSaveChoices[] = {
    {TSaveFormat::Non, "non"}, {TSaveFormat::Xml, "xml"}, {TSaveFormat::GameId, "txt"}};

std::vector<std::string> SaveFilters() {
  return {".non (*.non)", "webpbn XML (*.xml)", TitleFor(ttnGameIdFormat) + " (*.txt)"};
}

}  // namespace

TPuzzleFiles::TPuzzleFiles(TPuzzleFilesHost host, QObject* parent)
    : QObject(parent),
      FHost(std::move(host)),
      FShelf(FHost.Shelf),
      FGameSettings(FHost.GameSettings) {}

// --- Opening ---

void TPuzzleFiles::aOpenPuzzleExecute() {
  TFileDialogRequest request;
  request.Caption = TitleFor(ttnOpenPuzzle);
  request.Filters = {TitleFor(ttnPuzzleFiles) + " (*.non *.nonpack *.xml *.pbn *.txt)",
                     TitleFor(ttnAllFiles) + " (*)"};
  const TFileDialogAnswer answer = ShowFileDialog(FHost.Window, request);
  if (!answer.Path.empty()) OpenPuzzleFile(answer.Path);
}

bool TPuzzleFiles::OpenPuzzleFile(const std::string& path) {
  const TFileContent file = ReadRegularFile(path, kMaxPuzzleText);
  if (file.Status != TReadStatus::Ok) {
    Tell(FileReadRefusal(path, file), TitleFor(ttnOpenPuzzle));
    return false;
  }
  return OpenPuzzleText(file.Bytes);
}

void TPuzzleFiles::OpenWhenReady(const std::string& path) {
  // Never opened here: a hand-over may arrive inside any command (while a
  // question waits for its answer, or a puzzle is being made), and opening
  // a puzzle then would rebuild what that command still works on.
  FPendingFiles.push_back(path);
  if (AppPhase == apRunning && !FPendingScheduled) {
    FPendingScheduled = true;
    QTimer::singleShot(0, this, [this] { OpenPendingFiles(); });
  }
}

void TPuzzleFiles::OpenPendingFiles() {
  FPendingScheduled = false;
  if (AppPhase != apRunning || FPendingFiles.empty()) return;
  FPendingScheduled = true;
  if (FHost.InCommand()) {
    QTimer::singleShot(kBusyRetryMs, this, [this] { OpenPendingFiles(); });
    return;
  }
  const std::string path = FPendingFiles.front();
  FPendingFiles.erase(FPendingFiles.begin());
  FHost.Guarded([this, &path] { OpenPuzzleFile(path); });
  // The next one after the events this one has left.
  QTimer::singleShot(0, this, [this] { OpenPendingFiles(); });
}

bool TPuzzleFiles::OpenPuzzleText(const std::string& text, bool fromClipboard) {
  if (FHost.Busy()) return false;
  const TPasteCheck check = CheckPaste(text, *FShelf);
  switch (check.Verdict) {
    case pvLoadable:
      return OpenStateCode(check);
    case pvPuzzle:
      return OpenSharedPuzzle(check);
    default:
      if (fromClipboard)
        Tell(PasteRefusalText(check), TextFor(ttnPaste));
      else
        Tell(OpenRefusalText(check), TitleFor(ttnOpenPuzzle));
      return false;
  }
}

bool TPuzzleFiles::OpenStateCode(const TPasteCheck& check) {
  if (!ConfirmReplace(FShelf->FindByName(check.SlotName))) return false;
  TSlot* slot = SlotOfSize(check.Rec.w, check.Rec.h);
  FHost.StopCelebration();
  slot->StartOver();
  slot->ApplyGameState(check.Rec);
  ShowLoadedSlot(slot);
  FHost.Announce(TextWith(ttnPuzzleOpened, check.SlotName));
  return true;
}

bool TPuzzleFiles::OpenSharedPuzzle(const TPasteCheck& check) {
  const TPuzzle& puzzle = check.Puzzle;
  TAnalysis analysis;
  // Escape stops the check at once and keeps the old game.
  if (!FHost.RunWithPanel(TextFor(ttnCheckingPuzzle), [&](const std::atomic<bool>& cancel) {
        TAnalysisLimits limits;
        limits.Cancel = &cancel;
        analysis = AnalysePuzzle(puzzle.Rows, puzzle.Columns, limits);
      }))
    return false;
  const std::string refusal = RefusalOf(analysis);
  if (!refusal.empty()) {
    Tell(refusal, TitleFor(ttnOpenPuzzle));
    return false;
  }
  if (!ConfirmReplace(FShelf->FindByName(check.SlotName))) return false;
  TPuzzle solved = puzzle;
  solved.Goal = GoalOf(analysis);
  TSlot* slot = SlotOfSize(puzzle.Width, puzzle.Height);
  FHost.StopCelebration();
  slot->TakePicture(TDifficulty::Normal, LettersOfGoal(solved));
  ShowLoadedSlot(slot);
  FHost.Announce(TextWith(ttnPuzzleOpened, check.SlotName));

  // Told once, in one box: what else the file held and what the puzzle asks.
  std::string notice;
  if (check.PuzzleCount > 1)
    notice = QString::fromStdString(CountedTextFor(ttnPuzzleCount, check.PuzzleCount))
                 .arg(check.PuzzleCount)
                 .toStdString();
  if (analysis.Verdict == TVerdict::Unique)
    notice += (notice.empty() ? "" : "\n\n") + TextFor(ttnPuzzleNeedsGuessing);
  if (!notice.empty()) Tell(notice, TitleFor(ttnOpenPuzzle));
  return true;
}

bool TPuzzleFiles::InProgress(TSlot* game) {
  if (!game || game->Status() == stSolved) return false;
  TNonoGame& puzzle = game->Puzzle();
  bool moved = false;
  for (int y = 0; y < puzzle.Height() && !moved; ++y)
    for (int x = 0; x < puzzle.Width() && !moved; ++x) {
      const TPieceState state = puzzle.PlayerState(x, y);
      moved = state != psEmpty && state != psNone;
    }
  if (!moved) return false;
  return !IsSolved(puzzle.GetStatus());
}

bool TPuzzleFiles::ConfirmReplace(TSlot* game) {
  if (!InProgress(game)) return true;
  return ShowMessageBox(TextWith(ttnReplaceGame, game->Name()), TitleFor(ttnOpenPuzzle),
                        mkQuestion | mkYesNo) == maYes;
}

TSlot* TPuzzleFiles::SlotOfSize(int width, int height) {
  const std::string name = SlotName(width, height);
  if (TSlot* slot = FShelf->FindByName(name)) return slot;
  TSlot* slot = FShelf->Create(name, width, height, FGameSettings->NewDifficulty(), false);
  FHost.ApplySlotSettings(slot);
  return slot;
}

void TPuzzleFiles::ShowLoadedSlot(TSlot* slot) {
  FShelf->Show(slot);
  FHost.BuildGameMenu();
  FHost.SyncSlot();
}

// --- Drag and drop ---

void TPuzzleFiles::DragEnter(QDragEnterEvent* e) {
  const QMimeData* mime = e->mimeData();
  const bool file = mime->hasUrls() && !mime->urls().isEmpty() && mime->urls()[0].isLocalFile();
  if ((file || mime->hasText()) && !FHost.Busy()) e->acceptProposedAction();
}

void TPuzzleFiles::Drop(QDropEvent* e) {
  const QMimeData* mime = e->mimeData();
  std::string path;
  std::string text;
  if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls()[0].isLocalFile())
    path = mime->urls()[0].toLocalFile().toStdString();
  else if (mime->hasText())
    text = mime->text().toStdString();
  else
    return;
  e->acceptProposedAction();
  // The drag source waits for the drop to return; the puzzle opens after.
  QMetaObject::invokeMethod(
      this,
      [this, path, text] {
        if (!path.empty()) {
          // Here at the top of the event loop, it opens at once unless files
          // handed over before it still wait.
          OpenWhenReady(path);
          OpenPendingFiles();
        } else
          FHost.Guarded([&] { OpenPuzzleText(text); });
      },
      Qt::QueuedConnection);
}

// --- Saving ---

void TPuzzleFiles::aSavePuzzleAsExecute() {
  const TSlot* shown = FShelf->Shown();
  if (!shown) return;
  const std::vector<std::string> filters = SaveFilters();
  const TFileDialogAnswer answer = ShowFileDialog(
      FHost.Window, {true, TitleFor(ttnSavePuzzleAs), filters, filters[0], shown->Name() + ".non"});
  if (answer.Path.empty()) return;
  // The file's extension names the format; without a known one, the filter
  // chosen does, and its extension is added.
  std::string path = answer.Path;
  const std::string extension =
      QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
  const TSaveChoice* choice = nullptr;
  for (const TSaveChoice& c : kSaveChoices)
    if (extension == c.Extension) choice = &c;
  if (!choice) {
    const auto at = std::find(filters.begin(), filters.end(), answer.Filter);
    choice = &kSaveChoices[at == filters.end() ? 0 : at - filters.begin()];
    path += std::string(".") + choice->Extension;
  }
  TPuzzle puzzle = PuzzleOfGame(FShelf->Shown()->Puzzle());
  std::string text;
  switch (choice->Format) {
    case TSaveFormat::Non:
      text = WriteNon(puzzle);
      break;
    case TSaveFormat::Xml:
      text = WritePbnXml({puzzle});
      break;
    case TSaveFormat::GameId:
      text = WriteGameId(puzzle) + "\n";
      break;
  }
  try {
    WriteFileAtomically(path, text);
  } catch (const std::exception& e) {
    ShowMessageBox(TextFor(ttnPuzzleNotSaved) + "\n\n" + ProblemForThePlayer(e),
                   TitleFor(ttnSavePuzzleAs), mkError | mkOk);
  }
}

// --- Designing ---

void TPuzzleFiles::aDesignExecute() {
  const auto puzzleInPlay = [shelf = FShelf] {
    TDesignPicture current;
    if (const TSlot* game = shelf->Shown()) {
      const TPuzzle puzzle = PuzzleOfGame(game->Puzzle());
      current = {puzzle.Width, puzzle.Height, puzzle.Goal};
    }
    return current;
  };
  ShowDesigner(
      FHost.Window, &FHost.AppSettings(), FGameSettings->BoardLook(), puzzleInPlay,
      [this](const std::string& text) { return OpenPuzzleText(text); }, FHost.Busy);
}

// --- Sizes ---

void TPuzzleFiles::aOtherSizeExecute() {
  if (FShelf->Count() >= kMaxStoredSlots) {
    Tell(TextFor(ttnTooManySizes), TitleFor(ttnOtherSize));
    return;
  }
  const TSlot* shown = FShelf->Shown();
  const int width = shown ? shown->Puzzle().Width() : kFirstShownSide;
  const int height = shown ? shown->Puzzle().Height() : kFirstShownSide;
  TfrmSize dialog(FHost.Window, width, height);
  if (dialog.exec() == QDialog::Accepted) AddSize(dialog.BoardWidth(), dialog.BoardHeight());
}

bool TPuzzleFiles::AddSize(int width, int height) {
  const std::string name = SlotName(width, height);
  if (TSlot* slot = FShelf->FindByName(name)) {
    FShelf->Show(slot);
    return true;
  }
  if (!SizeOffered(*FShelf, width, height)) return false;
  FHost.StopCelebration();
  TSlot* slot = SlotOfSize(width, height);
  const TDifficulty difficulty = FGameSettings->NewDifficulty();
  TInternalArrArr picture;
  bool made = false;
  try {
    made = FHost.RunWithPanel(
        QString::fromStdString(TextFor(ttnMakingPuzzle))
            .arg(QString::fromStdString(name))
            .toStdString(),
        [&](const std::atomic<bool>& cancel) { picture = slot->MakePicture(difficulty, &cancel); });
  } catch (...) {
    FShelf->Remove(slot);
    throw;
  }
  // Cancelled: the size is not kept without a puzzle.
  if (!made) {
    FShelf->Remove(slot);
    return false;
  }
  slot->TakePicture(difficulty, picture);
  ShowLoadedSlot(slot);
  return true;
}

void TPuzzleFiles::aRemoveSizeExecute() {
  const TSlot* shown = FShelf->Shown();
  if (!shown || IsDefaultSlot(shown->Name())) return;
  if (ShowMessageBox(TextWith(ttnRemoveSizeAsk, shown->Name()), TitleFor(ttnRemoveSize),
                     mkQuestion | mkYesNo) != maYes)
    return;
  RemoveCurrentSize();
}

void TPuzzleFiles::RemoveCurrentSize() {
  TSlot* gone = FShelf->Shown();
  if (!gone || IsDefaultSlot(gone->Name())) return;
  TSlotShelf::ForgetClock(FHost.AppSettings(), *gone);
  // The shelf shows the size a first start shows in its place.
  FShelf->Remove(gone);
  FHost.BuildGameMenu();
}
