// The window program, started by the tavelo command for a window start (no
// arguments, --diagnostics, or one puzzle file to open) with the arguments
// it was given; it decides from them the same way. Started for anything else
// it runs the command line as tavelo does.
#include <QApplication>
#include <QFileInfo>
#include <iostream>
#include <memory>
#include <string>

#include "app/f_main.h"
#include "app/from_image_command.h"
#include "app/message_box.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "cli/command_line.h"
#include "cli/program_start.h"
#include "text/lang_helper.h"
#include "util/app_environment.h"
#include "util/debug_log.h"

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
  bool created = false;
  // A signal while the window is made (a start-up message open, say) lets
  // the start finish without asking, then ends it.
  OnTerminationSignals(&window, [&window, &created] {
    if (created) window.close();
  });
  if (!window.FormCreate()) return 1;
  created = true;
  if (EndingUnattended()) {
    window.Shutdown();
    return 0;
  }
  if (instance) {
    QObject::connect(instance.get(), &TSingleInstance::Activated, &window,
                     [&window](const QStringList& passed) {
                       DebugLog("another start brings the window to the front");
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

int main(int argc, char** argv) {
  const TProgramStart start = ChooseProgramStart(argc, argv);
  if (start.WindowOption == "--from-image")
    return RunFromImageCommand(argc, argv, std::cout, std::cerr);
  if (start.Window)
    return RunWindow(argc, argv, start.WindowOption == "--diagnostics",
                     QString::fromLocal8Bit(start.File.c_str()));
  std::ios::sync_with_stdio(false);
  return RunCommandLine(argc, argv, std::cin, std::cout, std::cerr);
}
