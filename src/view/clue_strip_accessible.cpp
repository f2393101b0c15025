// The clue strips as accessible lists of the lines' clues.
#include "view/clue_strip_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/clue_marks.h"
#include "model/nono_game.h"
#include "view/board_accessible.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

constexpr char kAskedFor[] = "accessibleStripAskedFor";

bool IsRowStrip(const QWidget* strip) {
  return strip && strip->objectName() == QLatin1String("pbLeft");
}

int LineCount(const QWidget* strip) {
  const TframeGrid* frame = FrameOfPaintBox(strip);
  const TNonoGame* game = frame ? frame->Game() : nullptr;
  if (!game) return 0;
  return IsRowStrip(strip) ? game->Height() : game->Width();
}

TCounterArr ClueOf(const TNonoGame& game, bool row, int line) {
  return row ? game.RowClue(line) : game.ColumnClue(line);
}

bool All(const TClueMarks& marks, TClueMark mark) {
  return !marks.empty() &&
         std::all_of(marks.begin(), marks.end(), [mark](TClueMark m) { return m == mark; });
}

bool Completed(const QWidget* strip, int line) {
  const TframeGrid* frame = FrameOfPaintBox(strip);
  return frame && LineShown(*frame, IsRowStrip(strip), line) == TLineShown::Completed;
}

class TClueLineAccessible : public QAccessibleInterface {
 public:
  TClueLineAccessible(QWidget* strip, int line) : FStrip(strip), FLine(line) {}

  int Line() const { return FLine; }

  bool isValid() const override { return FStrip && FLine < LineCount(FStrip); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FStrip ? FStrip->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(FStrip.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return LineClueName(*FrameOfPaintBox(FStrip), IsRowStrip(FStrip), FLine);
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.readOnly = true;
    s.checkable = true;
    s.checked = Completed(FStrip, FLine);
    return s;
  }

  QRect rect() const override {
    const TframeGrid* frame = FrameOfPaintBox(FStrip);
    if (!frame || !isValid()) return {};
    const bool row = IsRowStrip(FStrip);
    const TNonoGrid* grid = row ? frame->LeftGrid() : frame->TopGrid();
    if (!grid) return {};
    QRect area;
    for (const TCellCacheRec& c : grid->CellCache())
      if ((row ? c.Row : c.Col) == FLine)
        area |= QRect(c.Rect.Left, c.Rect.Top, c.Rect.Width(), c.Rect.Height());
    return area.translated(FStrip->mapToGlobal(QPoint(0, 0)));
  }

 private:
  QPointer<QWidget> FStrip;
  int FLine;
};

class TClueStripAccessible : public QAccessibleWidget {
 public:
  explicit TClueStripAccessible(QWidget* strip) : QAccessibleWidget(strip, QAccessible::List) {
    strip->setProperty(kAskedFor, true);
    Sync();
  }
  ~TClueStripAccessible() override { DropChildren(); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const TBoardAccessibleTexts& texts = BoardAccessibleTexts();
    return IsRowStrip(widget()) ? texts.RowClues : texts.ColumnClues;
  }

  int childCount() const override { return LineCount(widget()); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    auto found = FChildren.find(index);
    if (found != FChildren.end()) return QAccessible::accessibleInterface(found->second);
    auto* item = new TClueLineAccessible(widget(), index);
    FChildren[index] = QAccessible::registerAccessibleInterface(item);
    return item;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* item = dynamic_cast<const TClueLineAccessible*>(child);
    return item && child->parent() == this ? item->Line() : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i)
      if (child(i)->rect().contains(x, y)) return child(i);
    return nullptr;
  }

  // Tells of the lines whose shown state changed since the last call; a new
  // puzzle size starts the lines anew.
  void Sync() {
    const int lines = LineCount(widget());
    const TframeGrid* frame = FrameOfPaintBox(widget());
    std::vector<TLineShown> now(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i)
      now[static_cast<std::size_t>(i)] = LineShown(*frame, IsRowStrip(widget()), i);
    if (lines != static_cast<int>(FSeen.size())) {
      DropChildren();
      FSeen = std::move(now);
      return;
    }
    for (int i = 0; i < lines; ++i) {
      if (FSeen[static_cast<std::size_t>(i)] == now[static_cast<std::size_t>(i)]) continue;
      FSeen[static_cast<std::size_t>(i)] = now[static_cast<std::size_t>(i)];
      SendChildChanged(widget(), i);
    }
  }

 private:
  void DropChildren() {
    for (const auto& [index, id] : FChildren) QAccessible::deleteAccessibleInterface(id);
    FChildren.clear();
  }

  mutable std::unordered_map<int, QAccessible::Id> FChildren;
  std::vector<TLineShown> FSeen;
};

}  // namespace

TLineShown LineShown(const TframeGrid& frame, bool row, int line) {
  const TNonoGame* game = frame.Game();
  if (!game || (!frame.ShowCompletedClues() && !frame.ShowMistakeLines())) return TLineShown::Plain;
  const int length = row ? game->Width() : game->Height();
  std::vector<std::int32_t> cells(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i)
    cells[static_cast<std::size_t>(i)] =
        PlayerCellValue(row ? game->PlayerState(i, line) : game->PlayerState(line, i));
  const TClueMarks marks = LineClueMarks(ClueOf(*game, row, line), cells, frame.ShowMistakeLines());
  if (All(marks, TClueMark::Wrong)) return TLineShown::Mistake;
  if (frame.ShowCompletedClues() && All(marks, TClueMark::Done)) return TLineShown::Completed;
  return TLineShown::Plain;
}

QString LineClueName(const TframeGrid& frame, bool row, int line) {
  const TNonoGame* game = frame.Game();
  if (!game) return {};
  QStringList numbers;
  for (const std::int32_t n : ClueOf(*game, row, line)) numbers << QString::number(n);
  const TBoardAccessibleTexts& texts = BoardAccessibleTexts();
  const QString name =
      (row ? texts.RowClue : texts.ColumnClue).arg(line + 1).arg(numbers.join(' '));
  switch (LineShown(frame, row, line)) {
    case TLineShown::Completed:
      return texts.ClueCompleted.arg(name);
    case TLineShown::Mistake:
      return texts.ClueMistake.arg(name);
    default:
      return name;
  }
}

QAccessibleInterface* NewClueStripAccessible(QWidget* strip) {
  return new TClueStripAccessible(strip);
}

void ClueStripPainted(QWidget* strip) {
  if (!strip->property(kAskedFor).toBool()) return;
  if (auto* list =
          dynamic_cast<TClueStripAccessible*>(QAccessible::queryAccessibleInterface(strip)))
    list->Sync();
}
