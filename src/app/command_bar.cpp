#include "app/command_bar.h"

#include <QPushButton>
#include <algorithm>
#include <utility>
#include <vector>

#include "app/bar_clock.h"
#include "app/bar_layout.h"
#include "app/grade_label.h"
#include "slots/slot.h"

namespace {

constexpr int kButtonWidth = 125;
constexpr int kButtonHeight = 25;
// Room the board area keeps at least beside a bar at the top or bottom.
constexpr int kMinBoardHeight = 160;

}  // namespace

TCommandBar::TCommandBar(QWidget* window, std::function<TSlot*()> current) : QWidget(window) {
  setObjectName("pButtons");
  const auto makeButton = [this](const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
  };
  FbGame = makeButton("bGame", "Game...");
  FbNew = makeButton("bNew", "New");
  FbStartOver = makeButton("bStartOver", "Start Over");
  FbCheck = makeButton("bCheck", "Check");
  FbUndo = makeButton("bUndo", "Undo");
  FbRedo = makeButton("bRedo", "Redo");
  FbGame->setEnabled(false);
  FlGrade = new TGradeLabel(this);
  FlClock = new TBarClock(this, std::move(current));
}

std::array<QPushButton*, 6> TCommandBar::Buttons() const {
  return {FbGame, FbNew, FbStartOver, FbCheck, FbUndo, FbRedo};
}

void TCommandBar::FitButtons() {
  // One width for the whole bar: the classic one, or wider where a
  // language's captions need more, so the buttons stay a tidy row.
  int width = kButtonWidth;
  for (QPushButton* b : Buttons()) width = std::max(width, b->sizeHint().width());
  for (QPushButton* b : Buttons()) b->setFixedWidth(width);
}

void TCommandBar::Dock(TButtonsPosition edge, QWidget* board) {
  const int w = parentWidget()->width();
  const int h = parentWidget()->height();
  const int t = FThickness;
  switch (edge) {
    case bpLeft:
      setGeometry(0, 0, t, h);
      board->setGeometry(t, 0, std::max(0, w - t), h);
      break;
    case bpTop:
      setGeometry(0, 0, w, t);
      board->setGeometry(0, t, w, std::max(0, h - t));
      break;
    case bpRight:
      setGeometry(std::max(0, w - t), 0, t, h);
      board->setGeometry(0, 0, std::max(0, w - t), h);
      break;
    default:
      setGeometry(0, std::max(0, h - t), w, t);
      board->setGeometry(0, 0, w, std::max(0, h - t));
      break;
  }
}

TCommandBar::TFit TCommandBar::Layout(TButtonsPosition edge, QWidget* board) {
  std::vector<QPushButton*> visible;
  for (QPushButton* b : Buttons())
    if (!b->isHidden()) visible.push_back(b);

  int result = 0;
  int minWidth = 0;
  int minHeight = 0;
  if (edge == bpLeft || edge == bpRight) {
    result = width();
    FThickness = FbGame->width() + 2 * kSpacing;
    Dock(edge, board);
    int column = 0;
    for (QPushButton* b : visible) column += b->height();
    column += kSpacing * std::max(0, static_cast<int>(visible.size()) - 1);
    int top = PlaceNotes(column, height(), true);
    for (QPushButton* b : visible) {
      b->move((FThickness - b->width()) / 2, top);
      top += b->height() + kSpacing;
    }
    minWidth = 3 * FThickness + result + 2 * kSpacing;
    // The clock stays in view; the grade may give way.
    minHeight = column + kSpacing + FlClock->Room().height() + 2 * kSpacing;
  } else {
    for (QPushButton* b : visible) result += b->width();
    result += kSpacing * std::max(0, static_cast<int>(visible.size()) - 1);
    FThickness = FbGame->height() + 2 * kSpacing;
    Dock(edge, board);
    int left = PlaceNotes(result, width(), false);
    for (QPushButton* b : visible) {
      b->move(left, (FThickness - FbGame->height()) / 2);
      left += b->width() + kSpacing;
    }
    minWidth = result + kSpacing + FlClock->Room().width() + 4 * kSpacing;
    minHeight = FThickness + kMinBoardHeight;
  }
  return {result, QSize(minWidth, minHeight)};
}

int TCommandBar::PlaceNotes(int rowLength, int barLength, bool vertical) {
  const TBarPlacement placement =
      PlaceAfterRow({{FlClock->Room()}, {FlGrade->FixedSize()}}, rowLength, barLength, FThickness,
                    vertical, kSpacing);
  FlClock->resize(FlClock->Room());
  if (placement.At[0]) FlClock->move(*placement.At[0]);
  FlClock->setVisible(placement.At[0].has_value());
  FlGrade->PlaceAt(placement.At[1]);
  return placement.RowStart;
}

int TCommandBar::NotesLength() const {
  return ::NotesLength({{FlClock->Room()}, {FlGrade->FixedSize()}}, false, kSpacing);
}

void TCommandBar::ShowGrade(TSlot* game) {
  if (game)
    FlGrade->ShowGrade(game->Puzzle().Difficulty(), game->Grade().Stars);
  else
    FlGrade->Clear();
}
