#pragma once
// What the two dialogs' form models share: they are loaded when created,
// and every way of closing them (their buttons, the close box) unloads them
// once, which tells the form that opened them and removes the window.

#include <functional>

#include "forms/form.h"
#include "forms/form_host.h"

namespace tarq::forms {

class DialogForm : public Form {
 public:
  // Runs what the opener asked for at the unload.
  void Form_Unload();

  // Closes the dialog: runs Form_Unload once and removes the window. What
  // OK, erase, cancel and the close box end with.
  void Unload();
  bool Loaded() const { return loaded_; }

  // Unloads: a dialog's close box never refuses.
  bool CloseBox() override;

 protected:
  // `unloaded`: what the form that opened the dialog does once it has
  // unloaded (it takes input again).
  DialogForm(const WindowLayout& layout, FormHost& host, std::function<void()> unloaded)
      : Form(layout), host_(host), unloaded_(std::move(unloaded)) {}
  ~DialogForm() = default;

  FormHost& host_;

 private:
  std::function<void()> unloaded_;
  bool loaded_ = true;
};

}  // namespace tarq::forms
