#include "forms/dialog_form.h"

namespace tarq::forms {

void DialogForm::Form_Unload() {
  if (unloaded_) unloaded_();
}

bool DialogForm::CloseBox() {
  Unload();
  return true;
}

void DialogForm::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  Form_Unload();
  host_.CloseDialog();
}

}  // namespace tarq::forms
