#include "app/f_statistics.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "app/app_look.h"
#include "persistence/records.h"
#include "text/lang_helper.h"

namespace {

QString Text(TTextName name) {
  return QString::fromStdString(TextFor(name));
}

QString DifficultyName(TDifficulty difficulty) {
  constexpr std::array<TTextName, 3> kNames = {ttnNormalDifficulty, ttnMedium, ttnEasy};
  const int level = StoredDifficulty(difficulty);
  return level < kDifficultyCount ? Text(kNames[static_cast<std::size_t>(level)])
                                  : QString::number(level);
}

}  // namespace

QString TfrmStatistics::TimeText(const std::optional<std::int64_t>& seconds) {
  if (!seconds) return QStringLiteral("\u2013");
  return QString("%1:%2").arg(*seconds / 60).arg(*seconds % 60, 2, 10, QChar('0'));
}

TfrmStatistics::TfrmStatistics(const TRecords& records, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("frmStatistics");
  setFont(SystemFont());
  setWindowTitle(Text(ttnStatistics));
  setAccessibleName(Text(ttnStatistics));

  const TTextName headers[] = {ttnRecordSize, ttnRecordDifficulty, ttnPlayed,         ttnSolved,
                               ttnBestTime,   ttnAverageTime,      ttnSolvedWithHints};
  const auto rows = records.Rows();
  FtRecords =
      new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(std::size(headers)), this);
  FtRecords->setObjectName("tRecords");
  FtRecords->setAccessibleName(Text(ttnRecordsTable));
  QStringList titles;
  for (const TTextName name : headers) titles << Text(name);
  FtRecords->setHorizontalHeaderLabels(titles);
  FtRecords->verticalHeader()->hide();
  FtRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FtRecords->setSelectionBehavior(QAbstractItemView::SelectRows);
  FtRecords->setSelectionMode(QAbstractItemView::SingleSelection);
  FtRecords->setTabKeyNavigation(false);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto& [key, record] = rows[r];
    const QString cells[] = {
        QString::fromStdString(key.Size),       DifficultyName(key.Difficulty),
        QString::number(record.Played),         QString::number(record.Solved),
        TimeText(record.BestSeconds),           TimeText(record.AverageSeconds()),
        QString::number(record.SolvedWithHints)};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setTextAlignment(c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
      // A screen reader reads a cell with its column: "Best time: 1:05".
      item->setData(Qt::AccessibleTextRole, titles[c] + ": " + cells[c]);
      FtRecords->setItem(r, c, item);
    }
  }
  FtRecords->resizeColumnsToContents();
  FtRecords->horizontalHeader()->setStretchLastSection(true);
  FtRecords->setVisible(!rows.empty());

  FlEmpty = new QLabel(Text(ttnNoRecords), this);
  FlEmpty->setObjectName("lNoRecords");
  FlEmpty->setAlignment(Qt::AlignCenter);
  FlEmpty->setVisible(rows.empty());

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  FbClose = buttons->button(QDialogButtonBox::Close);
  FbClose->setObjectName("bClose");
  FbClose->setText(Text(ttnClose));
  FbClose->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addWidget(FtRecords);
  column->addWidget(FlEmpty);
  column->addWidget(buttons);

  // Wide enough for every column; as tall as the rows, within reason.
  int width = FtRecords->verticalHeader()->width() + 4;
  for (int c = 0; c < FtRecords->columnCount(); ++c) width += FtRecords->columnWidth(c);
  const int height = FtRecords->horizontalHeader()->height() +
                     std::min(12, std::max(3, FtRecords->rowCount())) *
                         FtRecords->verticalHeader()->defaultSectionSize() +
                     4;
  FtRecords->setMinimumSize(width, height);
  FbClose->setFocus();
}
