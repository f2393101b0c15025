// TfrmStatistics: the modal window of the player's records, one row per board
// size and difficulty that has been played: puzzles played and solved, the
// best and the average time, and how many were solved with hints. Close, Esc
// and the close box close it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class TRecords;

class TfrmStatistics : public QDialog {
  Q_OBJECT

 public:
  TfrmStatistics(const TRecords& records, QWidget* parent = nullptr);

  // Times as the clock shows them: "m:ss", or a dash for none.
  static QString TimeText(const std::optional<std::int64_t>& seconds);

 private:
  QTableWidget* FtRecords;
  QLabel* FlEmpty;
  QPushButton* FbClose;
};
