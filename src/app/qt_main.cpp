// The launcher: creates the main window, which loads its settings, and runs
// until it is closed, by the user or by the end of the session.

#include <QApplication>

#include "platform/fs.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/system_fonts.h"
#include "ui/qt/termination_signals.h"

int main(int argc, char* argv[]) {
  tarq::ui::qt::StartLoadingFonts();  // while the toolkit starts
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TARQ"));
  QApplication::setWindowIcon(tarq::ui::qt::AppIcon());
  tarq::ui::qt::InstallFontSubstitutes();
  // From here on the session's end (SIGTERM, SIGINT, SIGHUP) closes the
  // window once it is up, as its close box would: the settings are saved.
  tarq::ui::qt::TerminationSignals termination;
  // Chosen once for the whole run.
  const std::string programFolder = tarq::platform::ProgramFolder();
  const std::string dataFolder = tarq::platform::DataFolder(programFolder);
  tarq::ui::qt::MainWindow window(dataFolder.empty() ? programFolder : dataFolder);
  QObject::connect(&termination, &tarq::ui::qt::TerminationSignals::Received, &window,
                   &tarq::ui::qt::MainWindow::CloseForShutdown);
  window.show();
  return QApplication::exec();
}
