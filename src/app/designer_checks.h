// TDesignerChecks: what the designer's picture is worth as a puzzle, found in
// the background. After every change of the board's picture it judges the
// picture afresh (line-solvable and its grade, needs guessing, several
// pictures, undecided); on request it runs "make it unique", which locks the
// board, and hands the changed picture and its marks back to the board.
//
// One job runs at a time on one worker thread. A job that is cancelled or
// overtaken by a newer one never reports: its answer is dropped, so only an
// answer for the picture as it stands becomes the verdict.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "app/designer_board.h"
#include "generation/design_verdict.h"
#include "generation/make_unique.h"

class QWidget;

class TDesignerChecks : public QObject {
  Q_OBJECT

 public:
  // board (not owned) outlives the checks; its picture is judged at once.
  explicit TDesignerChecks(TDesignerBoard& board);
  // Cancels the running job and waits for its thread.
  ~TDesignerChecks() override;

  // The last verdict and whether it is for the picture as it stands.
  const TDesignVerdict& Verdict() const { return FVerdict; }
  bool VerdictCurrent() const { return FVerdictVersion == FVersion && FJob != TJob::Judging; }
  bool MakingUnique() const { return FJob == TJob::Making; }

  void StartMakeUnique();
  void CancelMakeUnique();

  // The verdict, the progress of make-unique or the wait, for the player.
  QString Description() const;
  // The two pictures of a "several pictures" verdict side by side, in a
  // dialog over parent.
  void ShowTwoPictures(QWidget* parent) const;

 signals:
  // A verdict for the picture as it stands has arrived.
  void verdictReady();
  // Make-unique has ended (done, failed or cancelled).
  void madeUnique();
  // Anything Description or the commands' state depends on has changed.
  void stateChanged();

 private:
  enum class TJob { None, Judging, Making };

  void PictureChanged();
  void StartJudging();
  void Judged(const TDesignVerdict& verdict, int job, int version);
  void MadeUniqueDone(const TMadeUnique& made, int job, int version);
  // Cancels the running job, waits for its thread and forgets its answer.
  void StopJob();

  TDesignerBoard& FBoard;
  std::optional<TDesignerBoard::TLock> FLock;  // held while make-unique works
  std::thread FWorker;
  std::shared_ptr<std::atomic<bool>> FCancel;  // the running job's
  TJob FJob = TJob::None;
  int FJobNumber = 0;        // counts the jobs started; an answer names its job
  bool FJudgeAgain = false;  // the picture changed while it was judged
  int FVersion = 0;          // counts the picture's changes
  int FVerdictVersion = -1;
  TDesignVerdict FVerdict;
  int FProgress = 0;
};
