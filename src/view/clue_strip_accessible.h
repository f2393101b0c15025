// The clue strips (pbLeft, pbTop) as accessible lists for screen readers: one
// item per board line, named by its clue ("Row 3 clue: 2 4"), with
// ", completed" added while completed clues are marked and every number of
// the line stands complete on the board. The names come from the texts the
// window hands to SetBoardAccessibleTexts.
//
// The board's accessibility factory makes these too (InstallBoardAccessible).
// After each paint of a strip the frame calls ClueStripPainted: the list
// sends a name change for every line whose completed state changed. Nothing
// is compared until assistive technology has asked for the strip.
#pragma once

class QAccessibleInterface;
class QWidget;

// strip is the frame's pbLeft or pbTop.
QAccessibleInterface* NewClueStripAccessible(QWidget* strip);
void ClueStripPainted(QWidget* strip);
