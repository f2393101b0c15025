#include "app/designer_checks.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/designer_board.h"
#include "app/message_box.h"
#include "text/lang_helper.h"
#include "util/debug_log.h"

namespace {

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

// A picture of two pictures side by side, for "several pictures fit".
QImage TwoPictures(const TDesignPicture& a, const TDesignPicture& b) {
  const int cell = std::max(2, 240 / std::max(a.Width, a.Height));
  const int gap = 2 * cell;
  QImage image(2 * a.Width * cell + gap, a.Height * cell, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (int side = 0; side < 2; ++side) {
    const TDesignPicture& p = side == 0 ? a : b;
    const int left = side * (a.Width * cell + gap);
    painter.setPen(Qt::lightGray);
    for (int y = 0; y < p.Height; ++y)
      for (int x = 0; x < p.Width; ++x) {
        const QRect r(left + x * cell, y * cell, cell, cell);
        // Cells where the two differ are red.
        const bool differs = a.Filled(x, y) != b.Filled(x, y);
        if (p.Filled(x, y)) painter.fillRect(r, differs ? QColor(200, 0, 0) : QColor(Qt::black));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
      }
  }
  return image;
}

}  // namespace

TDesignerChecks::TDesignerChecks(TDesignerBoard& board) : FBoard(board) {
  connect(&FBoard, &TDesignerBoard::pictureChanged, this, &TDesignerChecks::PictureChanged);
  PictureChanged();
}

TDesignerChecks::~TDesignerChecks() {
  StopJob();
}

void TDesignerChecks::StopJob() {
  if (FCancel) FCancel->store(true);
  if (FWorker.joinable()) FWorker.join();
  ++FJobNumber;  // its answer, queued or not, is dropped
  FJob = TJob::None;
}

void TDesignerChecks::PictureChanged() {
  ++FVersion;
  StartJudging();
}

void TDesignerChecks::StartJudging() {
  if (FJob == TJob::Making) return;
  if (FJob == TJob::Judging) {
    // The running verdict is for an old picture: stop it, start afresh when
    // it has ended, so the UI thread never waits for the search.
    FCancel->store(true);
    FJudgeAgain = true;
    emit stateChanged();
    return;
  }
  StopJob();
  FJob = TJob::Judging;
  FJudgeAgain = false;
  FCancel = std::make_shared<std::atomic<bool>>(false);
  const TDesignPicture picture = FBoard.Picture();
  const int job = FJobNumber;
  const int version = FVersion;
  FWorker = std::thread([this, picture, job, version, cancel = FCancel] {
    TDesignVerdict verdict = JudgeDesign(picture, kDesignVerdictBudget, cancel.get());
    QMetaObject::invokeMethod(
        this, [this, verdict = std::move(verdict), job, version] { Judged(verdict, job, version); },
        Qt::QueuedConnection);
  });
  emit stateChanged();
}

void TDesignerChecks::Judged(const TDesignVerdict& verdict, int job, int version) {
  if (job != FJobNumber) return;
  FJob = TJob::None;
  if (FJudgeAgain || version != FVersion) {
    StartJudging();
    return;
  }
  FVerdict = verdict;
  FVerdictVersion = version;
  static constexpr const char* kKinds[] = {"line-solvable", "needs guessing", "several pictures",
                                           "undecided"};
  DebugLog("designer verdict: " + std::string(kKinds[static_cast<int>(verdict.Kind)]) + ", grade " +
           std::to_string(verdict.Stars) + ", " + std::to_string(verdict.OpenCount) +
           " open cells");
  FBoard.ShowOpenCells(verdict.Open);
  emit stateChanged();
  emit verdictReady();
}

void TDesignerChecks::StartMakeUnique() {
  if (FJob == TJob::Making) return;
  StopJob();
  FJob = TJob::Making;
  FProgress = 0;
  FLock.emplace(FBoard);
  FCancel = std::make_shared<std::atomic<bool>>(false);
  const TDesignPicture picture = FBoard.Picture();
  const int job = FJobNumber;
  const int version = FVersion;
  FWorker = std::thread([this, picture, job, version, cancel = FCancel] {
    const auto progress = [this, job](int percent) {
      QMetaObject::invokeMethod(
          this,
          [this, job, percent] {
            if (job != FJobNumber) return;
            FProgress = percent;
            emit stateChanged();
          },
          Qt::QueuedConnection);
    };
    TMadeUnique made = MakeUnique(picture, cancel.get(), progress);
    QMetaObject::invokeMethod(
        this, [this, made = std::move(made), job, version] { MadeUniqueDone(made, job, version); },
        Qt::QueuedConnection);
  });
  emit stateChanged();
}

void TDesignerChecks::CancelMakeUnique() {
  if (FJob == TJob::Making) FCancel->store(true);
}

void TDesignerChecks::MadeUniqueDone(const TMadeUnique& made, int job, int version) {
  if (job != FJobNumber) return;
  const bool cancelled = FCancel->load();
  StopJob();
  FLock.reset();
  if (made.LineSolvable && version == FVersion) {
    // A new picture is judged afresh; the marks show what changed.
    FBoard.ApplyPicture(made.Picture);
    FBoard.ShowChanges(made.Changed);
  } else if (!made.LineSolvable && !cancelled) {
    ShowMessageBox(TitleFor(ttnMakeUniqueFailed), TitleFor(ttnMakeUnique), mkInfo | mkOk);
  }
  if (!VerdictCurrent() && FJob == TJob::None) StartJudging();
  emit stateChanged();
  emit madeUnique();
}

QString TDesignerChecks::Description() const {
  if (FJob == TJob::Making) return Text(ttnMakingUnique).arg(FProgress);
  if (!VerdictCurrent()) return Text(ttnVerdictChecking);
  const QString open = QString::number(FVerdict.OpenCount);
  QString text;
  switch (FVerdict.Kind) {
    case TDesignVerdictKind::LineSolvable:
      text = Text(ttnVerdictLineSolvable).arg(FVerdict.Stars);
      break;
    case TDesignVerdictKind::NeedsGuessing:
      text = Text(ttnVerdictNeedsGuessing).arg(open);
      break;
    case TDesignVerdictKind::Several:
      text = Text(ttnVerdictSeveral).arg(open);
      break;
    case TDesignVerdictKind::Undecided:
      text = Text(ttnVerdictUndecided).arg(open);
      break;
  }
  const std::size_t changed = FBoard.ShownChanges().size();
  if (changed > 0) text += "\n" + Text(ttnMadeUnique).arg(static_cast<int>(changed));
  return text;
}

void TDesignerChecks::ShowTwoPictures(QWidget* parent) const {
  if (!VerdictCurrent() || FVerdict.Kind != TDesignVerdictKind::Several) return;
  QDialog dialog(parent);
  dialog.setObjectName("frmTwoPictures");
  dialog.setWindowTitle(Text(ttnShowTwoPictures));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(&dialog);
  label->setPixmap(QPixmap::fromImage(TwoPictures(FVerdict.First, FVerdict.Second)));
  label->setAccessibleName(Text(ttnVerdictSeveral).arg(FVerdict.OpenCount));
  layout->addWidget(label);
  auto* ok = new QPushButton(Text(ttnOk), &dialog);
  connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  layout->addWidget(ok);
  dialog.exec();
}
