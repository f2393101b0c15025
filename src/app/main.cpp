// The program's entry: the window when started without options (or with
// --diagnostics), the command line otherwise.
#include <iostream>
#include <string>

#include "cli/command_line.h"

#ifdef TAVELO_WITH_WINDOW
#include <QApplication>

#include "app/f_main.h"
#include "app/quit_signals.h"

namespace {

int RunWindow(int argc, char** argv, bool diagnostics) {
  CatchTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName("tavelo");
  TfrmMain window(diagnostics);
  if (!window.FormCreate()) return 1;
  CloseOnTerminationSignals(&window);
  window.show();
  return QApplication::exec();
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef TAVELO_WITH_WINDOW
  const bool diagnostics = argc == 2 && std::string(argv[1]) == "--diagnostics";
  if (argc == 1 || diagnostics) return RunWindow(argc, argv, diagnostics);
#endif
  if (argc == 1) {
    WriteUsage(std::cout);
    return std::cout.flush() ? 0 : 1;
  }
  // Unsynchronised streams read through a file buffer, which reports a read
  // error (standard input from a folder) instead of taking it for the end.
  std::ios::sync_with_stdio(false);
  return RunCommandLine(argc, argv, std::cin, std::cout, std::cerr);
}
