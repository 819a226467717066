#pragma once
// What the two dialogs' form models share: they are loaded when created,
// and every way of closing them (their buttons, the close box) unloads them
// once, which enables the main window again and removes the window.

#include "forms/form.h"
#include "forms/form_host.h"

namespace tarq::forms {

class FrmMain;

class DialogForm : public Form {
 public:
  // Enables the main window again.
  void Form_Unload();

  // Closes the dialog: runs Form_Unload once and removes the window. What
  // OK, erase, cancel and the close box end with.
  void Unload();
  bool Loaded() const { return loaded_; }

  // Unloads: a dialog's close box never refuses.
  bool CloseBox() override;

 protected:
  DialogForm(const WindowLayout& layout, FormHost& host, FrmMain& main)
      : Form(layout), host_(host), main_(main) {}
  ~DialogForm() = default;

  // The main window takes input again.
  void EnableMainWindow();

  FormHost& host_;
  FrmMain& main_;

 private:
  bool loaded_ = true;
};

}  // namespace tarq::forms
