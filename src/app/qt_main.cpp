// The launcher: creates the main window, which loads its settings, and runs
// until it is closed.

#include <QApplication>

#include "platform/fs.h"
#include "platform/memory.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/system_fonts.h"

int main(int argc, char* argv[]) {
  tarq::platform::KeepLargeBuffersInHeap();
  tarq::ui::qt::StartLoadingFonts();  // while the toolkit starts
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TARQ"));
  QApplication::setWindowIcon(tarq::ui::qt::AppIcon());
  tarq::ui::qt::InstallFontSubstitutes();
  // Chosen once for the whole run.
  const std::string programFolder = tarq::platform::ProgramFolder();
  const std::string dataFolder = tarq::platform::DataFolder(programFolder);
  tarq::ui::qt::MainWindow window(dataFolder.empty() ? programFolder : dataFolder);
  window.show();
  return QApplication::exec();
}
