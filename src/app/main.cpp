// The program's entry: the window when started without options (or with
// --diagnostics), the command line otherwise.
#include <iostream>
#include <memory>
#include <string>

#include "cli/command_line.h"

#ifdef TAVELO_WITH_WINDOW
#include <QApplication>

#include "app/f_main.h"
#include "app/message_box.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/utils.h"

namespace {

int RunWindow(int argc, char** argv, bool diagnostics) {
  CatchTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName("tavelo");

  // One game per settings folder: a second start brings the running one to
  // the front. A folder that cannot be made is reported by the window.
  std::unique_ptr<TSingleInstance> instance;
  try {
    instance = std::make_unique<TSingleInstance>(QString::fromStdString(GetSettingsFolder(true)));
  } catch (const std::exception&) {
  }
  if (instance) {
    switch (instance->Start(QApplication::arguments().mid(1))) {
      case TSingleInstance::TStart::HandedOver:
        return 0;
      case TSingleInstance::TStart::Unanswered:
        ShowMessageBox(TextFor(ttnAlreadyRunning), kProductName, mkError | mkOk);
        return 1;
      default:
        break;
    }
  }

  TfrmMain window(diagnostics);
  if (!window.FormCreate()) return 1;
  CloseOnTerminationSignals(&window);
  if (instance) {
    QObject::connect(instance.get(), &TSingleInstance::Activated, &window, [&window] {
      TUtils::DebugLog("another start brings the window to the front");
      if (window.isMinimized()) window.showNormal();
      window.show();
      window.raise();
      window.activateWindow();
    });
  }
  window.show();
  if (instance) instance->SetReady();
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
