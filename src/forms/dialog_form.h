#pragma once
// What the two dialogs' form models share: they are loaded when created,
// and every way of closing them (their buttons, the close box) unloads them
// once, which enables the main window again and removes the window.

#include "forms/form_host.h"

namespace tarq::forms {

class FrmMain;

class DialogForm {
 public:
  DialogForm(const DialogForm&) = delete;
  DialogForm& operator=(const DialogForm&) = delete;

  // Enables the main window again.
  void Form_Unload();

  // Closes the dialog: runs Form_Unload once and removes the window. What
  // OK, erase, cancel and the close box end with.
  void Unload();
  bool Loaded() const { return loaded_; }

 protected:
  DialogForm(FormHost& host, FrmMain& main) : host_(host), main_(main) {}
  ~DialogForm() = default;

  FormHost& host_;
  FrmMain& main_;

 private:
  bool loaded_ = true;
};

}  // namespace tarq::forms
