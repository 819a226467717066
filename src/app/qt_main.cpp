// The launcher: creates the main window, which loads its settings, and runs
// until it is closed, by the user or by the end of the session.

#include <QApplication>

#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/termination_signals.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TARQ"));
  // The desktop entry's name, by which the desktop shows the window with its
  // entry (on X11 the entry names the window's class, TARQ, instead).
  QApplication::setDesktopFileName(QStringLiteral(TARQ_APP_ID));
  QApplication::setWindowIcon(tarq::ui::qt::AppIcon());
  tarq::ui::qt::InstallFontSubstitutes();
  // From here on the session's end (SIGTERM, SIGINT, SIGHUP) closes the
  // window once it is up, as its close box would: the settings are saved.
  tarq::ui::qt::TerminationSignals termination;
  tarq::forms::MainController controller;
  tarq::forms::FrmMain model(controller, tarq::platform::DataFolderOfThisRun());
  // The model loads first; the controls then bind to what it holds.
  model.Form_Load();
  tarq::ui::qt::MainWindow window(controller, model);
  QObject::connect(&termination, &tarq::ui::qt::TerminationSignals::Received, &window,
                   &tarq::ui::qt::MainWindow::CloseForShutdown);
  window.show();
  return QApplication::exec();
}
