#include "app/grade_label.h"

#include <QFontMetrics>
#include <algorithm>
#include <array>

#include "text/lang_helper.h"

namespace {

constexpr int kMaxStars = 5;

QString Stars(int stars) {
  return QString(stars, QChar(0x2605)) + QString(kMaxStars - stars, QChar(0x2606));
}

QString DifficultyName(TDifficulty difficulty) {
  constexpr std::array<TTextName, 3> kNames = {ttnNormalDifficulty, ttnMedium, ttnEasy};
  return difficulty < kNames.size() ? QString::fromStdString(TextFor(kNames[difficulty]))
                                    : QString();
}

}  // namespace

TGradeLabel::TGradeLabel(QWidget* bar) : QLabel(bar) {
  setObjectName("lGrade");
  setAlignment(Qt::AlignCenter);
  hide();
}

void TGradeLabel::ShowGrade(TDifficulty difficulty, int stars) {
  const QString grade = stars > 0 ? Stars(std::min(stars, kMaxStars)) : QStringLiteral("\u2013");
  setText(DifficultyName(difficulty) + "\n" + grade);
  setToolTip(QString::fromStdString(TextFor(ttnGrade)) +
             QString(": %1 / %2").arg(stars).arg(kMaxStars));
  FShowing = true;
  setVisible(FFits);
}

void TGradeLabel::Clear() {
  FShowing = false;
  hide();
}

QSize TGradeLabel::FixedSize() const {
  const QFontMetrics metrics(font());
  int width = metrics.horizontalAdvance(Stars(0));
  for (const TTextName name : {ttnNormalDifficulty, ttnMedium, ttnEasy})
    width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(TextFor(name))));
  return {width + 4, 2 * metrics.height()};
}

int TGradeLabel::PlaceAfterRow(int rowStart, int rowLength, int barLength, int barThickness,
                               bool vertical, int spacing) {
  const QSize size = FixedSize();
  const int length = vertical ? size.height() : size.width();
  const int room = barLength - spacing - (rowStart + rowLength + spacing);
  const int start = room >= length ? rowStart : std::max(spacing, rowStart - (length - room));
  const int at = start + rowLength + spacing;
  FFits = at + length <= barLength - spacing;
  resize(size);
  if (vertical)
    move((barThickness - size.width()) / 2, at);
  else
    move(at, (barThickness - size.height()) / 2);
  setVisible(FShowing && FFits);
  return FFits ? start : rowStart;
}
