#include "forms/dialog_form.h"

#include "forms/frm_main.h"

namespace tarq::forms {

void DialogForm::EnableMainWindow() {
  main_.SetEnabled(true);
}

void DialogForm::Form_Unload() {
  EnableMainWindow();
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
