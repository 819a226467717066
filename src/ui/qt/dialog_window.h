#pragma once
// A dialog's window: a humble view of its form model (forms::DlgComment or
// forms::DlgFldSelect), built from the dialog's layout table.
//
//   shown --> cmdOK has the focus; first activation --> the model's Form_Activate
//   close box --> the model's Unload (which enables the main window)
//   model unloaded --> Detach: the window lets go of the model, whose life
//                      may end before the window's deferred deletion

#include <QWidget>
#include <functional>

#include "forms/dialog_form.h"
#include "forms/layout.h"
#include "ui/qt/form_widgets.h"

namespace tarq::ui::qt {

class DialogWindow final : public QWidget {
  Q_OBJECT

 public:
  // activate: what the model does when the dialog first becomes the active
  // window (the comment dialog's fill), or nothing.
  DialogWindow(const forms::WindowLayout& layout, forms::DialogForm& model,
               const FormWidgets::Lookup& lookup, std::function<void()> activate = nullptr);
  ~DialogWindow() override;

  void Detach();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  forms::DialogForm& model_;
  FormWidgets widgets_;
  std::function<void()> activate_;
  bool detached_ = false;
  bool shownOnce_ = false;
};

}  // namespace tarq::ui::qt
