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

bool AllDone(const TClueMarks& marks) {
  return !marks.empty() &&
         std::all_of(marks.begin(), marks.end(), [](TClueMark m) { return m == TClueMark::Done; });
}

// Whether the strip shows the line's clue as completed.
bool Completed(const QWidget* strip, int line) {
  const TframeGrid* frame = FrameOfPaintBox(strip);
  const TNonoGame* game = frame ? frame->Game() : nullptr;
  if (!game || !frame->ShowCompletedClues()) return false;
  const bool row = IsRowStrip(strip);
  const int length = row ? game->Width() : game->Height();
  std::vector<std::int32_t> cells(static_cast<std::size_t>(length));
  for (int i = 0; i < length; ++i)
    cells[static_cast<std::size_t>(i)] =
        PlayerCellValue(row ? game->PlayerState(i, line) : game->PlayerState(line, i));
  return AllDone(LineClueMarks(ClueOf(*game, row, line), cells, false));
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
    const TNonoGame& game = *FrameOfPaintBox(FStrip)->Game();
    const bool row = IsRowStrip(FStrip);
    QStringList numbers;
    for (const std::int32_t n : ClueOf(game, row, FLine)) numbers << QString::number(n);
    const TBoardAccessibleTexts& texts = BoardAccessibleTexts();
    const QString name =
        (row ? texts.RowClue : texts.ColumnClue).arg(FLine + 1).arg(numbers.join(' '));
    return Completed(FStrip, FLine) ? texts.ClueCompleted.arg(name) : name;
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

  // Tells of the lines whose completed state changed since the last call; a
  // new puzzle size starts the lines anew.
  void Sync() {
    const int lines = LineCount(widget());
    std::vector<bool> now(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) now[static_cast<std::size_t>(i)] = Completed(widget(), i);
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
  std::vector<bool> FSeen;
};

}  // namespace

QAccessibleInterface* NewClueStripAccessible(QWidget* strip) {
  return new TClueStripAccessible(strip);
}

void ClueStripPainted(QWidget* strip) {
  if (!strip->property(kAskedFor).toBool()) return;
  if (auto* list =
          dynamic_cast<TClueStripAccessible*>(QAccessible::queryAccessibleInterface(strip)))
    list->Sync();
}
