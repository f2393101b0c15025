// The clue strips (pbLeft, pbTop) as accessible lists for screen readers: one
// item per board line, named by its clue ("Row 3 clue: 2 4"), with
// ", completed" added while completed clues are marked and every number of
// the line stands complete on the board, and ", has a mistake" while lines
// with a mistake are marked and the line has one. The board table's headers
// carry the same names. The texts come from SetBoardAccessibleTexts.
//
// The board's accessibility factory makes these too (InstallBoardAccessible).
// After each paint of a strip the frame calls ClueStripPainted: the list
// sends a name change for every line whose completed state changed. Nothing
// is compared until assistive technology has asked for the strip.
#pragma once

#include <QString>
#include <cstdint>

class QAccessibleInterface;
class QWidget;
class TframeGrid;

// What the strip shows of a line's state: nothing, its clue completed, or a
// mistake (which wins). Only what the frame's settings mark is told.
enum class TLineShown : std::uint8_t { Plain, Completed, Mistake };
TLineShown LineShown(const TframeGrid& frame, bool row, int line);
// The line's clue with its shown state, e.g. "Row 3 clue: 2 4, completed".
QString LineClueName(const TframeGrid& frame, bool row, int line);

// strip is the frame's pbLeft or pbTop.
QAccessibleInterface* NewClueStripAccessible(QWidget* strip);
void ClueStripPainted(QWidget* strip);
