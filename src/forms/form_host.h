#pragma once
// What the windows do for the form models. MainController implements it
// for both front ends, through their windows; the headless tests implement
// it as a recorder.

#include <string_view>

namespace tarq::forms {

class DialogForm;

class FormHost {
 public:
  virtual ~FormHost() = default;

  // A message box: exclamation icon, one OK button, title "TARQ". Returns
  // when the user has closed it.
  virtual void MsgBox(std::string_view text) = 0;

  // Shows a loaded dialog without waiting for it, in front of the main
  // window, which owns it. The window runs the dialog's Form_Activate once
  // when it first becomes active.
  virtual void ShowDialog(DialogForm& dialog) = 0;

  // The dialog has been unloaded: its window goes away.
  virtual void CloseDialog() = 0;
};

}  // namespace tarq::forms
