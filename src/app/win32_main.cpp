// The launcher on Windows: creates the main window, which loads its
// settings, and runs until it is closed.

#include <windows.h>

#include <string>

#include "platform/fs.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // Chosen once for the whole run.
  const std::string programFolder = tarq::platform::ProgramFolder();
  const std::string dataFolder = tarq::platform::DataFolder(programFolder);
  tarq::ui::win32::MainWindow window(dataFolder.empty() ? programFolder : dataFolder);
  window.Show(showCommand);
  return tarq::ui::win32::RunMessageLoop();
}
