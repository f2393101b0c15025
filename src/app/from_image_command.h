// tavelo --from-image FILE --size WxH [--threshold 0..255] [--invert] [--crop]
//                     [--format id|non|xml]
// prints a line-solvable puzzle made from the image: the thresholded picture
// after "make it unique", as a game ID (default), a .non text or a webpbn XML
// set, the picture included in the last two. Standard error gets how many
// cells differ from the thresholded image. It needs Qt's image readers, so
// it lives beside the window rather than in the plain command line.
#pragma once

#include <iosfwd>

// True when the arguments ask for this command.
bool IsFromImageCommand(int argc, char** argv);
// Runs it; exit status 0, 2 for a usage error, 1 for an unusable image or a
// failed write.
int RunFromImageCommand(int argc, char** argv, std::ostream& out, std::ostream& err);
