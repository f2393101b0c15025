// The designer's whole-picture edits and the form app.ini keeps a design in.
// Each edit takes a picture and gives the changed one; none touches a board,
// so the designer's board applies the result as one undo step.
#pragma once

#include <string>

#include "generation/design_verdict.h"

TDesignPicture EmptyPicture(int width, int height);
TDesignPicture MirroredLeftRight(const TDesignPicture& picture);
TDesignPicture MirroredUpDown(const TDesignPicture& picture);
// Cells shifted off one side come back at the other, so nothing is lost.
TDesignPicture Shifted(const TDesignPicture& picture, int dx, int dy);
TDesignPicture Inverted(const TDesignPicture& picture);
// The cells of (x, y)'s kind joined to it side by side turn to the other
// kind.
TDesignPicture FloodFilled(const TDesignPicture& picture, int x, int y);
// Every cell of the rectangle between the two corners (either order)
// filled or emptied.
TDesignPicture WithRectangle(const TDesignPicture& picture, int x1, int y1, int x2, int y2,
                             bool fill);

// The design as app.ini keeps it ("WxH:" and the cells), and back: false
// for a damaged value, which leaves picture as it was.
std::string DesignStoredForm(const TDesignPicture& picture);
bool DesignFromStoredForm(const std::string& text, TDesignPicture& picture);
