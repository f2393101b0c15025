// The program's entry: the window when started without options, with
// --diagnostics or with one puzzle file to open; the command line otherwise.
#include <iostream>
#include <memory>
#include <string>

#include "cli/command_line.h"

#ifdef TAVELO_WITH_WINDOW
#include <QApplication>
#include <QFileInfo>

#include "app/f_main.h"
#include "app/from_image_command.h"
#include "app/message_box.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/utils.h"

namespace {

int RunWindow(int argc, char** argv, bool diagnostics, const QString& file) {
  CatchTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName("tavelo");
  // A running game has another working folder: it gets the file's full path.
  QStringList arguments = QApplication::arguments().mid(1);
  if (!file.isEmpty()) arguments = {QFileInfo(file).absoluteFilePath()};

  // One game per settings folder: a second start brings the running one to
  // the front. A folder that cannot be made is reported by the window.
  std::unique_ptr<TSingleInstance> instance;
  try {
    instance = std::make_unique<TSingleInstance>(QString::fromStdString(GetSettingsFolder(true)));
  } catch (const std::exception&) {
  }
  if (instance) {
    switch (instance->Start(arguments)) {
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
    QObject::connect(instance.get(), &TSingleInstance::Activated, &window,
                     [&window](const QStringList& passed) {
                       TUtils::DebugLog("another start brings the window to the front");
                       if (window.isMinimized()) window.showNormal();
                       window.show();
                       window.raise();
                       window.activateWindow();
                       for (const QString& argument : passed)
                         if (!argument.startsWith('-'))
                           window.OpenWhenReady(argument.toStdString());
                     });
  }
  if (!file.isEmpty()) window.OpenWhenReady(arguments[0].toStdString());
  window.show();
  if (instance) instance->SetReady();
  return QApplication::exec();
}

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef TAVELO_WITH_WINDOW
  const bool diagnostics = argc == 2 && std::string(argv[1]) == "--diagnostics";
  // One argument that is no option names a puzzle file for the window.
  const bool file = argc == 2 && argv[1][0] != '-' && argv[1][0] != '\0';
  if (argc == 1 || diagnostics || file)
    return RunWindow(argc, argv, diagnostics, file ? QString::fromLocal8Bit(argv[1]) : QString());
  if (IsFromImageCommand(argc, argv)) return RunFromImageCommand(argc, argv, std::cout, std::cerr);
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
