#pragma once
// The main window, titled "TARQ" and the version: a FormWindow over
// forms::FrmMain, driven by a forms::MainController, which the form models
// have as their FormHost, and the maker of the dialogs' windows, which it
// owns. It holds no rules. The same class as ui/qt/main_window.h.
//
//   close box ──> the controller's CloseBox; accepted, the window goes and
//   the message loop ends
//   end of the Windows session, a Restart Manager close ──> the
//   controller's Shutdown: the settings are written and the loop ends

#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "ui/win32/form_window.h"

namespace tarq::ui::win32 {

class MainWindow final : public FormWindow, public forms::MainView {
 public:
  // Makes the window of a loaded model and binds it; shown by Show.
  MainWindow(forms::MainController& controller, forms::FrmMain& model);

  void Show(int showCommand);
  std::unique_ptr<forms::WindowView> MakeDialog(forms::DialogForm& dialog,
                                                forms::WindowController& controller) override;

 protected:
  void Place(int dpi, const RECT* suggested) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  forms::MainController& main_;
};

}  // namespace tarq::ui::win32
