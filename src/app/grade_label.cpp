#include "app/grade_label.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "text/lang_helper.h"

namespace {

constexpr int kMaxStars = 5;
constexpr QChar kStar(0x2605);
// The stars are drawn larger than the name, so filled and empty ones tell
// apart at a glance.
constexpr double kStarScale = 1.4;

QFont StarFont(const QFont& font) {
  QFont stars = font;
  stars.setPointSizeF(font.pointSizeF() * kStarScale);
  return stars;
}

// The height of text laid out on one line: taller than the font's own when
// a fallback font draws some of it (Japanese or Chinese names).
int LineHeight(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  return line.isValid() ? static_cast<int>(std::ceil(line.height())) : 0;
}

QString DifficultyName(TDifficulty difficulty) {
  constexpr std::array<TTextName, 3> kNames = {ttnNormalDifficulty, ttnMedium, ttnEasy};
  const auto level = static_cast<std::size_t>(StoredDifficulty(difficulty));
  return level < kNames.size() ? QString::fromStdString(TextFor(kNames[level])) : QString();
}

}  // namespace

TGradeLabel::TGradeLabel(QWidget* bar) : QLabel(bar) {
  setObjectName("lGrade");
  setAlignment(Qt::AlignCenter);
  setTextFormat(Qt::RichText);
  hide();
}

void TGradeLabel::ShowGrade(TDifficulty difficulty, int stars) {
  // Earned stars in the text colour, the others faded.
  const int earned = std::clamp(stars, 0, kMaxStars);
  const QString grade =
      earned > 0 ? QString(earned, kStar) + QString("<span style=\"color:%1\">%2</span>")
                                                .arg(palette().color(QPalette::Mid).name(),
                                                     QString(kMaxStars - earned, kStar))
                 : QStringLiteral("\u2013");
  setText(QString("%1<br><span style=\"font-size:%2pt\">%3</span>")
              .arg(DifficultyName(difficulty).toHtmlEscaped())
              .arg(StarFont(font()).pointSizeF())
              .arg(grade));
  setToolTip(QString::fromStdString(TextFor(ttnGradeToolTip))
                 .arg(QString::fromStdString(TextFor(ttnGrade)))
                 .arg(stars)
                 .arg(kMaxStars));
  // The text holds every star, earned or not: a screen reader hears the
  // grade in words instead.
  setAccessibleName(DifficultyName(difficulty) + QString::fromStdString(TextFor(ttnListSeparator)) +
                    toolTip());
  FShowing = true;
  setVisible(FFits);
}

void TGradeLabel::Clear() {
  FShowing = false;
  setAccessibleName({});
  hide();
}

QSize TGradeLabel::FixedSize() const {
  const QFontMetrics metrics(font());
  const QFontMetrics starMetrics(StarFont(font()));
  int width = starMetrics.horizontalAdvance(QString(kMaxStars, kStar));
  int nameHeight = metrics.height();
  for (const TTextName name : {ttnNormalDifficulty, ttnMedium, ttnEasy}) {
    const QString text = QString::fromStdString(TextFor(name));
    width = std::max(width, metrics.horizontalAdvance(text));
    nameHeight = std::max(nameHeight, LineHeight(text, font()));
  }
  return {width + 4, nameHeight + starMetrics.height()};
}

void TGradeLabel::PlaceAt(const std::optional<QPoint>& at) {
  FFits = at.has_value();
  resize(FixedSize());
  if (at) move(*at);
  setVisible(FShowing && FFits);
}
