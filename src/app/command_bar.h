// TCommandBar: the window's bar of command buttons (pButtons) along one edge:
// Game, New, Start Over, Check, Undo and Redo in a row (a column at the left
// or right edge), then the clock and the grade of the shown puzzle. The bar
// places itself and the board area in the window; what the buttons do is
// bound by the window.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "persistence/game_settings.h"

class QPushButton;
class TBarClock;
class TSlot;
class TGradeLabel;

class TCommandBar : public QWidget {
  Q_OBJECT

 public:
  // The gap between the bar's items and at its ends.
  static constexpr int kSpacing = 8;

  // current: the shown slot (or null), for the clock.
  TCommandBar(QWidget* window, std::function<TSlot*()> current);

  QPushButton* bGame() const { return FbGame; }
  QPushButton* bNew() const { return FbNew; }
  QPushButton* bStartOver() const { return FbStartOver; }
  QPushButton* bCheck() const { return FbCheck; }
  QPushButton* bUndo() const { return FbUndo; }
  QPushButton* bRedo() const { return FbRedo; }
  TBarClock* Clock() const { return FlClock; }

  // The buttons share one width: 125 px, or what the longest caption of the
  // language needs.
  void FitButtons();
  // Places the bar along edge of the window and board in the rest.
  void Dock(TButtonsPosition edge, QWidget* board);
  // The bar's layout along edge, docked with board.
  struct TFit {
    int Extent = 0;  // the row's length (a column bar: its width before)
    QSize MinimumWindow;
  };
  TFit Layout(TButtonsPosition edge, QWidget* board);
  // The length the clock and the grade take after a row.
  int NotesLength() const;
  // The difficulty and grade of game (none without one).
  void ShowGrade(TSlot* game);

 private:
  // Puts the clock and the grade after the row of buttons; answers where the
  // row starts.
  int PlaceNotes(int rowLength, int barLength, bool vertical);
  std::array<QPushButton*, 6> Buttons() const;

  int FThickness = 0;
  QPushButton* FbGame = nullptr;
  QPushButton* FbNew = nullptr;
  QPushButton* FbStartOver = nullptr;
  QPushButton* FbCheck = nullptr;
  QPushButton* FbUndo = nullptr;
  QPushButton* FbRedo = nullptr;
  TGradeLabel* FlGrade = nullptr;
  TBarClock* FlClock = nullptr;
};
