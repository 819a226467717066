#pragma once
// The main window, titled "TARQ" and the version: a FormWindow over
// forms::FrmMain, driven by a forms::MainController, which the form models
// have as their FormHost, and the maker of the dialogs' windows, which it
// owns. It holds no rules. The same class as ui/win32/main_window.h.

#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "ui/qt/form_window.h"

namespace tarq::ui::qt {

class MainWindow final : public FormWindow, public forms::MainView {
  Q_OBJECT

 public:
  // Makes the window of a loaded model and binds it; shown by Show.
  MainWindow(forms::MainController& controller, forms::FrmMain& model);

  std::unique_ptr<forms::WindowView> MakeDialog(forms::DialogForm& dialog,
                                                forms::WindowController& controller) override;

  // The end of the session: a message box up is closed first, then the
  // controller's shutdown runs once its event procedure has returned.
  void CloseForShutdown();

 private:
  forms::MainController& main_;
};

}  // namespace tarq::ui::qt
