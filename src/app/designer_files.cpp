#include "app/designer_files.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/background_work.h"
#include "app/designer_board.h"
#include "app/f_size.h"
#include "app/file_dialog.h"
#include "app/file_refusal.h"
#include "app/message_box.h"
#include "model/nono_game.h"
#include "persistence/game_state.h"
#include "persistence/puzzle.h"
#include "persistence/puzzle_formats.h"
#include "platform/atomic_file.h"
#include "platform/file_read.h"
#include "text/lang_helper.h"

TDesignerFiles::TDesignerFiles(QWidget* window, TDesignerBoard& board, TPlayIt playIt)
    : FWindow(window), FBoard(board), FPlayIt(std::move(playIt)), FFields(new QHBoxLayout) {
  const auto field = [&](const char* name, QLineEdit*& edit) {
    auto* label = new QLabel(window);
    label->setObjectName(QString(name).replace(0, 1, "l"));
    edit = new QLineEdit(window);
    edit->setObjectName(name);
    edit->setMaxLength(200);
    label->setBuddy(edit);
    FFields->addWidget(label);
    FFields->addWidget(edit, 1);
  };
  field("eTitle", FeTitle);
  field("eAuthor", FeAuthor);
  field("eLicence", FeLicence);
}

void TDesignerFiles::ApplyTexts() {
  for (const auto& [name, text] :
       {std::pair{"lTitle", ttnPuzzleTitle}, std::pair{"lAuthor", ttnPuzzleAuthor},
        std::pair{"lLicence", ttnPuzzleLicence}})
    if (auto* l = FWindow->findChild<QLabel*>(name))
      l->setText(QString::fromStdString(TextFor(text)));
}

TPuzzle TDesignerFiles::PuzzleOfDesign() const {
  const TDesignPicture picture = FBoard.Picture();
  TPuzzle puzzle = PuzzleOfGoal(picture.Width, picture.Height, picture.Cells);
  const auto field = [](const QLineEdit* edit) { return edit->text().simplified().toStdString(); };
  puzzle.Title = field(FeTitle);
  puzzle.Author = field(FeAuthor);
  puzzle.Licence = field(FeLicence);
  return puzzle;
}

void TDesignerFiles::NewBoardAsked() {
  const TDesignPicture now = FBoard.Picture();
  TfrmSize dialog(FWindow, now.Width, now.Height);
  dialog.setWindowTitle(QString::fromStdString(TextFor(ttnDesignNewBoard)).remove("..."));
  if (dialog.exec() == QDialog::Accepted)
    FBoard.NewBoard(dialog.BoardWidth(), dialog.BoardHeight());
}

void TDesignerFiles::OpenFile(const std::string& path) {
  // One piece of long work at a time, and none beside make-unique.
  if (FBoard.Locked() || TBackgroundWork::Running()) return;
  try {
    const TFileContent file = ReadRegularFile(path, kMaxPuzzleText);
    if (file.Status != TReadStatus::Ok) {
      ShowMessageBox(FileReadRefusal(path, file), TitleFor(ttnOpenPuzzle), mkError | mkOk);
      return;
    }
    const std::vector<TPuzzle> puzzles = ReadPuzzles(file.Bytes);
    TPuzzle puzzle = puzzles.front();
    if (puzzle.Goal.empty()) {
      // Clues only: the picture is what the solver finds, off the UI thread
      // (Escape gives up).
      TAnalysis analysis;
      const TDesignerBoard::TLock lock(FBoard);
      if (!TBackgroundWork::Run(nullptr, QString(), [&](const std::atomic<bool>& cancel) {
            analysis =
                AnalyseDesignClues(puzzle.Rows, puzzle.Columns, kDefaultSolverBudget, &cancel);
          }))
        return;
      if (analysis.Solutions.empty()) throw EPuzzleInvalid(TextFor(ttnReasonNoPictureFits));
      puzzle.Goal.clear();
      for (const std::int32_t v : analysis.Solutions.front()) puzzle.Goal += v == 1 ? '#' : '.';
    }
    if (puzzle.Width < 3 || puzzle.Height < 3) throw EPuzzleInvalid(TextFor(ttnReasonDesignerSize));
    FBoard.SetPicture({puzzle.Width, puzzle.Height, puzzle.Goal});
    FeTitle->setText(QString::fromStdString(puzzle.Title));
    FeAuthor->setText(QString::fromStdString(puzzle.Author));
    FeLicence->setText(QString::fromStdString(puzzle.Licence));
  } catch (const std::exception& e) {
    ShowMessageBox(TextFor(ttnInvalidDataFound) + "\n\n" + e.what(), TitleFor(ttnOpenPuzzle),
                   mkError | mkOk);
  }
}

void TDesignerFiles::OpenAsked() {
  const std::vector<std::string> filters = {TitleFor(ttnOpenPuzzle) +
                                            " (*.non *.xml *.txt *.code)"};
  const TFileDialogAnswer answer =
      ShowFileDialog(FWindow, {false, TitleFor(ttnOpenPuzzle), filters, filters[0], ""});
  if (!answer.Path.empty()) OpenFile(answer.Path);
}

bool TDesignerFiles::SaveAs(const std::string& path) {
  const TPuzzle puzzle = PuzzleOfDesign();
  const std::string extension =
      QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
  std::string text;
  if (extension == "xml") {
    text = WritePbnXml({puzzle});
  } else if (extension == "txt") {
    text = WriteGameId(puzzle) + "\n";
  } else if (extension == "code") {
    TNonoGame game(puzzle.Width, puzzle.Height);
    game.LoadSolutionGrid(LettersOfGoal(puzzle));
    text = GameStateText(SlotName(puzzle.Width, puzzle.Height), game, 20, 20) + "\n";
  } else {
    text = WriteNon(puzzle);
  }
  try {
    WriteFileAtomically(path, text);
    return true;
  } catch (const std::exception& e) {
    ShowMessageBox(TextFor(ttnPuzzleNotSaved) + "\n\n" + ProblemForThePlayer(e),
                   TitleFor(ttnSavePuzzleAs), mkError | mkOk);
    return false;
  }
}

void TDesignerFiles::SaveAsAsked() {
  const std::vector<std::string> filters = {".non (*.non)", "webpbn XML (*.xml)",
                                            TitleFor(ttnGameIdFormat) + " (*.txt)",
                                            TitleFor(ttnStateCodeFormat) + " (*.code)"};
  const char* extensions[] = {"non", "xml", "txt", "code"};
  const TFileDialogAnswer answer =
      ShowFileDialog(FWindow, {true, TitleFor(ttnSavePuzzleAs), filters, filters[0], "design.non"});
  if (answer.Path.empty()) return;
  std::string path = answer.Path;
  if (QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) {
    const auto at = std::find(filters.begin(), filters.end(), answer.Filter);
    path += std::string(".") + extensions[at == filters.end() ? 0 : at - filters.begin()];
  }
  SaveAs(path);
}

void TDesignerFiles::CopyGameId() {
  QApplication::clipboard()->setText(QString::fromStdString(WriteGameId(PuzzleOfDesign())));
}

bool TDesignerFiles::PlayIt() {
  if (FBoard.Locked() || !FPlayIt) return false;
  if (!FPlayIt(WriteNon(PuzzleOfDesign()))) return false;
  // The game comes to the front with the puzzle.
  if (QWidget* game = FWindow->parentWidget()) {
    game->raise();
    game->activateWindow();
  }
  return true;
}
