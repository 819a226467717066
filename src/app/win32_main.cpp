// The launcher on Windows: creates the main window, which loads its
// settings, and runs until it is closed.

#include <windows.h>

#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  tarq::forms::MainController controller;
  tarq::forms::FrmMain model(controller, tarq::platform::DataFolderOfThisRun());
  // The model loads first; the controls then bind to what it holds.
  model.Form_Load();
  tarq::ui::win32::MainWindow window(controller, model);
  window.Show(showCommand);
  return tarq::ui::win32::RunMessageLoop();
}
