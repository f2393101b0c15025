// The board as an accessible table: the table, its cells and clue headers.
#include "view/board_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/nono_game.h"
#include "view/clue_strip_accessible.h"
#include "view/frame_grid.h"
#include "view/paint_box.h"

namespace {

TBoardAccessibleTexts& Texts() {
  static TBoardAccessibleTexts texts;
  return texts;
}

TBoardSpeaker& Speaker() {
  static TBoardSpeaker speaker;
  return speaker;
}

TframeGrid* FrameOf(const QWidget* board) {
  return FrameOfPaintBox(board);
}

TNonoGame* GameOf(const QWidget* board) {
  const TframeGrid* frame = FrameOf(board);
  return frame ? frame->Game() : nullptr;
}

bool HasCursor(const QWidget* board, int row, int col) {
  const TframeGrid* frame = FrameOf(board);
  if (!frame || !frame->Cursor().Shown()) return false;
  return frame->Cursor().Row() == row && frame->Cursor().Col() == col;
}

// What a player can tell apart on a cell: a Nightmare mark shows a filled
// cell.
enum TSpokenState : std::uint8_t { ssEmpty, ssFilled, ssCrossed };

TSpokenState SpokenState(TPieceState state) {
  switch (state) {
    case psCrossed:
      return ssCrossed;
    case psFilled:
    case psIncorrect:
      return ssFilled;
    default:
      return ssEmpty;
  }
}

const QString& StateText(TSpokenState state) {
  const TBoardAccessibleTexts& texts = Texts();
  return state == ssFilled ? texts.Filled : state == ssCrossed ? texts.Crossed : texts.Empty;
}

// Set on the board once its table has been asked for: until then no one
// listens for its changes.
constexpr char kAskedFor[] = "accessibleTableAskedFor";

// A cell (Row, Col both set) or a clue header (Col -1: row header, Row -1:
// column header).
class TBoardItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TBoardItemAccessible(QWidget* board, int row, int col) : FBoard(board), FRow(row), FCol(col) {}

  bool IsCell() const { return FRow >= 0 && FCol >= 0; }

  bool isValid() const override {
    const TNonoGame* game = GameOf(FBoard);
    return game && FRow < game->Height() && FCol < game->Width();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return FBoard ? FBoard->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(FBoard.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    if (FCol < 0) return LineClueName(*FrameOf(FBoard), true, FRow);
    if (FRow < 0) return LineClueName(*FrameOf(FBoard), false, FCol);
    return StateText(SpokenState(GameOf(FBoard)->PlayerState(FCol, FRow)));
  }

  QAccessible::Role role() const override {
    if (FCol < 0) return QAccessible::RowHeader;
    if (FRow < 0) return QAccessible::ColumnHeader;
    return QAccessible::Cell;
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.readOnly = !IsCell();
    if (IsCell()) {
      s.checkable = true;
      s.checked = SpokenState(GameOf(FBoard)->PlayerState(FCol, FRow)) == ssFilled;
      s.focusable = true;
      s.focused = HasCursor(FBoard, FRow, FCol);
    }
    return s;
  }

  QRect rect() const override {
    const TframeGrid* frame = FrameOf(FBoard);
    if (!frame || !isValid()) return {};
    const TNonoGrid* grid = FCol < 0   ? frame->LeftGrid()
                            : FRow < 0 ? frame->TopGrid()
                                       : frame->BoardGrid();
    const QWidget* box = FCol < 0   ? static_cast<const QWidget*>(frame->pbLeft())
                         : FRow < 0 ? static_cast<const QWidget*>(frame->pbTop())
                                    : FBoard.data();
    if (!grid) return {};
    // A clue strip has one line of cells per board line; its whole line is
    // the header.
    QRect area;
    for (const TCellCacheRec& c : grid->CellCache()) {
      const bool hit = FCol < 0   ? c.Row == FRow
                       : FRow < 0 ? c.Col == FCol
                                  : c.Row == FRow && c.Col == FCol;
      if (hit) area |= QRect(c.Rect.Left, c.Rect.Top, c.Rect.Width(), c.Rect.Height());
    }
    return area.translated(box->mapToGlobal(QPoint(0, 0)));
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableCellInterface && IsCell())
      return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
  }

  // --- Table cell ---
  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return FCol; }
  int rowIndex() const override { return FRow; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<QWidget> FBoard;
  int FRow;
  int FCol;
};

// Children are the cells row by row, then the row headers, then the column
// headers. Child objects are made when first asked for and live as long as
// the board keeps its size.
//
// The board reports the role of a canvas, not of a table, while it answers
// every question a table answers: screen readers read the whole row of a
// table each time the focus changes rows (Orca's default), which on a board
// is ten or more cells of noise; of a canvas's cells they read the one
// focused, with its row header when the row changed and its column header
// when the column changed.
class TBoardTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TBoardTableAccessible(QWidget* board) : QAccessibleWidget(board, QAccessible::Canvas) {
    board->setProperty(kAskedFor, true);
    Sync();
  }
  ~TBoardTableAccessible() override { DropChildren(); }

  int Rows() const {
    const TNonoGame* game = GameOf(widget());
    return game ? game->Height() : 0;
  }
  int Cols() const {
    const TNonoGame* game = GameOf(widget());
    return game ? game->Width() : 0;
  }

  QAccessibleInterface* Item(int row, int col) const {
    if (IndexOf(row, col) < 0) return nullptr;
    // Keyed by place, not by child index, so an item never changes its cell.
    const int key = (row + 1) * 256 + (col + 1);
    auto found = FChildren.find(key);
    if (found != FChildren.end()) return QAccessible::accessibleInterface(found->second);
    auto* item = new TBoardItemAccessible(widget(), row, col);
    FChildren[key] = QAccessible::registerAccessibleInterface(item);
    return item;
  }

  int IndexOf(int row, int col) const {
    const int rows = Rows(), cols = Cols();
    if (row >= rows || col >= cols || (row < 0 && col < 0)) return -1;
    if (col < 0) return rows * cols + row;
    if (row < 0) return rows * cols + rows + col;
    return row * cols + col;
  }

  int childCount() const override { return Rows() * Cols() + Rows() + Cols(); }
  QAccessibleInterface* child(int index) const override {
    const int rows = Rows(), cols = Cols();
    if (index < 0 || index >= childCount()) return nullptr;
    if (index < rows * cols) return Item(index / cols, index % cols);
    index -= rows * cols;
    return index < rows ? Item(index, -1) : Item(-1, index - rows);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* item = dynamic_cast<const TBoardItemAccessible*>(child);
    if (!item || child->parent() != this) return -1;
    return IndexOf(item->rowIndex(), item->columnIndex());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const TframeGrid* frame = FrameOf(widget());
    if (!frame || !frame->BoardGrid()) return nullptr;
    const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
    const TCellHit hit = frame->BoardGrid()->HitTest(p.x(), p.y());
    return hit.Row < 0 ? nullptr : Item(hit.Row, hit.Col);
  }

  QAccessibleInterface* focusChild() const override {
    const TframeGrid* frame = FrameOf(widget());
    if (!frame || !frame->Cursor().Shown()) return nullptr;
    return Item(frame->Cursor().Row(), frame->Cursor().Col());
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // --- Table ---
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return row >= 0 && column >= 0 ? Item(row, column) : nullptr;
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    QAccessibleInterface* header = Item(-1, column);
    return header ? header->text(QAccessible::Name) : QString();
  }
  QString rowDescription(int row) const override {
    QAccessibleInterface* header = Item(row, -1);
    return header ? header->text(QAccessible::Name) : QString();
  }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Cols(); }
  int rowCount() const override { return Rows(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override { DropChildren(); }

  // Reports the cells whose spoken state changed since the last call, and
  // speaks the cursor's news. A new puzzle size resets the whole table
  // instead.
  void Sync() {
    const TNonoGame* game = GameOf(widget());
    const int rows = game ? game->Height() : 0, cols = game ? game->Width() : 0;
    if (rows != FSeenRows || cols != FSeenCols) {
      DropChildren();
      FSeen.clear();
      const bool hadBoard = FSeenRows > 0;
      FSeenRows = rows;
      FSeenCols = cols;
      for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) FSeen.push_back(SpokenState(game->PlayerState(c, r)));
      FCursor = {};
      if (hadBoard) {
        QAccessibleTableModelChangeEvent reset(widget(),
                                               QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
      }
      return;
    }
    const TframeGrid* frame = FrameOf(widget());
    const bool cursorShown = frame->Cursor().Shown();
    const int cursorRow = cursorShown ? frame->Cursor().Row() : -1;
    const int cursorCol = cursorShown ? frame->Cursor().Col() : -1;
    bool cursorCellChanged = false;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < cols; ++c) {
        const TSpokenState now = SpokenState(game->PlayerState(c, r));
        std::uint8_t& seen = FSeen[static_cast<std::size_t>(r * cols + c)];
        if (seen == now) continue;
        seen = now;
        cursorCellChanged |= r == cursorRow && c == cursorCol;
        SendChildChanged(widget(), r * cols + c);
      }
    }
    SpeakCursorNews(*frame, cursorRow, cursorCol, cursorCellChanged);
  }

 private:
  void DropChildren() {
    for (const auto& [index, id] : FChildren) QAccessible::deleteAccessibleInterface(id);
    FChildren.clear();
  }

  // The cell the cursor stood on at the last call, its lines' clues and what
  // the lines showed.
  struct TCursorSeen {
    int Row = -1;
    int Col = -1;
    TCounterArr RowClue;
    TCounterArr ColClue;
    TLineShown RowShown = TLineShown::Plain;
    TLineShown ColShown = TLineShown::Plain;
  };

  // A cell the cursor has just moved to is spoken by the focus move; only a
  // change of the cell it stays on is news, and a line of it that became
  // complete or wrong since the last call.
  void SpeakCursorNews(const TframeGrid& frame, int row, int col, bool cellChanged) {
    if (row < 0) {
      FCursor = {};
      return;
    }
    const TBoardAccessibleTexts& texts = Texts();
    const TNonoGame& game = *frame.Game();
    TCursorSeen seen{row,
                     col,
                     game.RowClue(row),
                     game.ColumnClue(col),
                     LineShown(frame, true, row),
                     LineShown(frame, false, col)};
    // Other clues on the cursor's lines: another puzzle of the same size,
    // whose cells and lines are no news of the player's.
    const bool samePuzzle = seen.RowClue == FCursor.RowClue && seen.ColClue == FCursor.ColClue;
    const TLineShown rowShown = seen.RowShown, colShown = seen.ColShown;
    QStringList news;
    if (cellChanged && samePuzzle && row == FCursor.Row && col == FCursor.Col)
      news << StateText(SpokenState(game.PlayerState(col, row)));
    const auto lineNews = [&](bool sameLine, TLineShown was, TLineShown now,
                              const QString& complete, const QString& mistake, int number) {
      if (!sameLine || now == was || now == TLineShown::Plain) return;
      news << (now == TLineShown::Completed ? complete : mistake).arg(number);
    };
    lineNews(samePuzzle && row == FCursor.Row, FCursor.RowShown, rowShown, texts.RowComplete,
             texts.RowMistake, row + 1);
    lineNews(samePuzzle && col == FCursor.Col, FCursor.ColShown, colShown, texts.ColumnComplete,
             texts.ColumnMistake, col + 1);
    FCursor = std::move(seen);
    if (!news.isEmpty() && Speaker()) Speaker()(news.join(". "));
  }

  mutable std::unordered_map<int, QAccessible::Id> FChildren;
  std::vector<std::uint8_t> FSeen;
  int FSeenRows = 0;
  int FSeenCols = 0;
  TCursorSeen FCursor;
};

QList<QAccessibleInterface*> TBoardItemAccessible::columnHeaderCells() const {
  auto* table = static_cast<TBoardTableAccessible*>(parent());
  QAccessibleInterface* header = table ? table->Item(-1, FCol) : nullptr;
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> TBoardItemAccessible::rowHeaderCells() const {
  auto* table = static_cast<TBoardTableAccessible*>(parent());
  QAccessibleInterface* header = table ? table->Item(FRow, -1) : nullptr;
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("TPaintBox") || !object) return nullptr;
  auto* box = static_cast<QWidget*>(object);
  if (object->objectName() == QLatin1String("pbBoard")) return new TBoardTableAccessible(box);
  if (object->objectName() == QLatin1String("pbLeft") ||
      object->objectName() == QLatin1String("pbTop"))
    return NewClueStripAccessible(box);
  return nullptr;
}

}  // namespace

void SetBoardAccessibleTexts(const TBoardAccessibleTexts& texts) {
  Texts() = texts;
}

void SetBoardSpeaker(TBoardSpeaker speaker) {
  Speaker() = std::move(speaker);
}

const TBoardAccessibleTexts& BoardAccessibleTexts() {
  return Texts();
}

TframeGrid* FrameOfPaintBox(const QWidget* box) {
  for (QObject* o = box ? box->parent() : nullptr; o; o = o->parent())
    if (auto* frame = qobject_cast<TframeGrid*>(o)) return frame;
  return nullptr;
}

void InstallBoardAccessible() {
  static const bool installed = (QAccessible::installFactory(BoardFactory), true);
  (void)installed;
}

void SendChildChanged(QWidget* widget, int child) {
  QAccessibleEvent named(widget, QAccessible::NameChanged);
  named.setChild(child);
  QAccessible::updateAccessibility(&named);
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent stated(widget, changed);
  stated.setChild(child);
  QAccessible::updateAccessibility(&stated);
}

void BoardCellsPainted(QWidget* board) {
  if (!board->property(kAskedFor).toBool()) return;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(board);
  if (auto* table = dynamic_cast<TBoardTableAccessible*>(iface)) table->Sync();
}

void BoardCursorMoved(QWidget* board) {
  if (!board->property(kAskedFor).toBool()) return;
  auto* table = dynamic_cast<TBoardTableAccessible*>(QAccessible::queryAccessibleInterface(board));
  const TframeGrid* frame = FrameOf(board);
  if (!table || !frame || !frame->Cursor().Shown()) return;
  // The table catches up first, so the reader never sees the cell under an
  // old name.
  table->Sync();
  QAccessibleEvent focus(board, QAccessible::Focus);
  focus.setChild(table->IndexOf(frame->Cursor().Row(), frame->Cursor().Col()));
  QAccessible::updateAccessibility(&focus);
}
