// THintPanel: the sentence of the explained hint over the board area, along
// its bottom unless it would cover the board there and a side has room. It
// keeps clear of the board when a later layout moves the board, and goes as
// soon as the board has moved on from the hint.
#pragma once

#include <QLabel>
#include <functional>
#include <string>

class TSlot;

class THintPanel : public QLabel {
 public:
  // boardArea is the panel the slots' views are shown in; shown answers the
  // slot shown there (may be null).
  THintPanel(QWidget* boardArea, std::function<TSlot*()> shown);

  // Shows the sentence of a hint just drawn on the shown slot's board.
  void Tell(const std::string& sentence);
  // Hides the sentence once the board has moved on from the hint.
  void Follow();
  // Places the shown sentence again (the board area or the board moved).
  void Place();

 private:
  std::function<TSlot*()> FShown;
};
