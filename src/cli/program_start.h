// What a start of tavelo asks for: the game window or a command-line
// command. The tavelo program decides this without loading the window's
// libraries and hands a window start over to the window program, which
// decides the same way from the same arguments.
//
// The window: no arguments; an option served by the window program because
// it needs the window's libraries (--diagnostics; kWindowOptions lists them,
// with whether they take further arguments); one argument that is no option,
// or one that starts with '-' but names an existing file and no command;
// "--" and one file. Everything else is the command line's.
#pragma once

#include <string>

struct TProgramStart {
  bool Window = false;
  // The window option given (--diagnostics), or empty.
  std::string WindowOption;
  // The puzzle file the window opens, or empty.
  std::string File;
};

TProgramStart ChooseProgramStart(int argc, char** argv);
