#pragma once
// What only a windowing toolkit can do for the form models. The Qt windows
// implement it; the headless tests implement it as a recorder.

#include <string_view>

namespace tarq::forms {

class FormHost {
 public:
  virtual ~FormHost() = default;
  // A message box: exclamation icon, one OK button, title "TARQ". Returns
  // when the user has closed it.
  virtual void MsgBox(std::string_view text) = 0;
};

}  // namespace tarq::forms
