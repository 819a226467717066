// The launcher: creates the main window, which loads its settings, and runs
// until it is closed.

#include <QApplication>

#include "platform/fs.h"
#include "platform/memory.h"
#include "ui/look.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  tarq::platform::KeepLargeBuffersInHeap();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TARQ"));
  QApplication::setWindowIcon(tarq::ui::AppIcon());
  tarq::ui::InstallFontSubstitutes();
  tarq::ui::MainWindow window(tarq::platform::ProgramFolder());
  window.show();
  return QApplication::exec();
}
