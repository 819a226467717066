#include "forms/window_controller.h"

#include "forms/dialog_form.h"
#include "forms/frm_main.h"

namespace tarq::forms {

void BoundControl::Clicked() const {
  // Some toolkits report a click on a disabled button (Wine, for BM_CLICK).
  if (bound_ && binding_.click && view_->Enabled()) binding_.click();
}

void BoundControl::Picked(int row) const {
  if (bound_ && binding_.list != nullptr) binding_.list->SetListIndex(row);
}

void BoundControl::Edited(const std::string& text) const {
  if (bound_ && binding_.textBox != nullptr) binding_.textBox->SetText(text);
}

void BoundControl::FocusedByUser() const {
  if (bound_ && binding_.gotFocus) binding_.gotFocus();
}

void BoundControl::Highlighted(int index) const {
  if (bound_ && binding_.folderList != nullptr) binding_.folderList->SetListIndex(index);
}

void BoundControl::Opened(int index) const {
  if (bound_ && binding_.folderList != nullptr) binding_.folderList->Open(index);
}

void WindowController::Bind(Form& model, WindowView& view) {
  model_ = &model;
  view_ = &view;
  bound_ = true;
  view.Attach(*this);
  for (const ControlLayout& row : model.Layout().controls) {
    if (!row.visible) continue;
    auto control = std::make_unique<BoundControl>(
        row, row.binder != nullptr ? row.binder(model) : ControlBinding{}, bound_);
    control->view_ = view.MakeControl(*control);
    controls_.push_back(std::move(control));
  }
  std::vector<ControlView*> order;
  for (const ControlLayout* row : model.Layout().TabOrder()) order.push_back(ControlOf(row)->view_);
  view.SetTabOrder(order);
  for (const auto& c : controls_) {
    if (!c->row_.accessibleName.empty()) {
      view.NameControl(*c->view_, c->row_.accessibleName);
    } else if (BoundControl* caption = ControlOf(model.Layout().CaptionOf(c->row_))) {
      view.NameControl(*c->view_, *caption->view_);
    }
  }
  for (const auto& c : controls_) {
    ControlView& v = *c->view_;
    const ControlBinding& b = c->binding_;
    if (Label* label = b.label) {
      v.ShowText(label->Caption());
      label->Observer = [&v, label] { v.ShowText(label->Caption()); };
    }
    if (TextBox* text = b.textBox) {
      v.ShowText(text->Text());
      text->Observer = [&v, text] { v.ShowText(text->Text()); };
    }
    if (ComboList* list = b.list) {
      v.ShowRows();
      list->Observer = {[&v] { v.RowsAboutToChange(); }, [&v] { v.ShowRows(); },
                        [&v, list] { v.ShowListIndex(list->ListIndex()); }};
    }
    if (FolderList* folders = b.folderList) {
      v.ShowFolders();
      folders->Observer = [&v] { v.ShowFolders(); };
    }
  }
  model.EnabledObserver = [this] { MirrorEnabled(); };
}

void WindowController::Unbind() {
  if (!bound_) return;
  bound_ = false;
  model_->EnabledObserver = nullptr;
  for (const auto& c : controls_) {
    const ControlBinding& b = c->binding_;
    if (b.label != nullptr) b.label->Observer = nullptr;
    if (b.textBox != nullptr) b.textBox->Observer = nullptr;
    if (b.list != nullptr) b.list->Observer = {};
    if (b.folderList != nullptr) b.folderList->Observer = nullptr;
  }
}

void WindowController::Detach() {
  if (!bound_) return;
  Unbind();
  view_->Hide();
}

void WindowController::Shown() {
  if (shown_ || !bound_) return;
  shown_ = true;
  kept_ = ControlOf(model_->Layout().FirstFocus());
  RestoreFocus();
}

bool WindowController::Activated() {
  if (!bound_) return false;
  if (!activated_) {
    activated_ = true;
    // Once the window is up, as it becomes the active one.
    view_->Post([this] {
      if (bound_) model_->Form_Activate();
    });
  }
  return RestoreFocus();
}

void WindowController::Deactivated() {
  KeepFocus();
}

bool WindowController::CloseBox() {
  return !bound_ || model_->CloseBox();
}

void WindowController::Enter() {
  for (const auto& c : controls_) {
    if (!c->view_->HasFocus()) continue;
    if (c->row_.kind == ControlKind::kButton) c->Clicked();
    if (const FolderList* folders = c->binding_.folderList) c->Opened(folders->ListIndex());
    return;
  }
}

BoundControl* WindowController::ControlOf(const ControlLayout* row) const {
  for (const auto& c : controls_) {
    if (&c->row_ == row) return c.get();
  }
  return nullptr;
}

void WindowController::MirrorEnabled() {
  if (!model_->Enabled()) {
    KeepFocus();
    view_->SetEnabled(false);
    return;
  }
  view_->SetEnabled(true);
  RestoreFocus();
  view_->Activate();
}

void WindowController::KeepFocus() {
  for (const auto& c : controls_) {
    if (c->view_->HasFocus()) kept_ = c.get();
  }
}

bool WindowController::RestoreFocus() {
  if (kept_ == nullptr || !kept_->view_->Enabled()) return false;
  kept_->view_->Focus();
  return true;
}

void MainController::Bind(FrmMain& model, MainView& view) {
  main_ = &view;
  WindowController::Bind(model, view);
}

void MainController::MsgBox(std::string_view text) {
  (dialog_ != nullptr ? *dialog_->window : View()).MsgBox(text);
}

void MainController::ShowDialog(DialogForm& dialog) {
  CloseDialog();
  auto opened = std::make_unique<Dialog>();
  opened->window = main_->MakeDialog(dialog, opened->controller);
  dialog_ = std::move(opened);
  dialog_->window->Show();
}

void MainController::CloseDialog() {
  if (dialog_ == nullptr) return;
  dialog_->controller.Detach();
  // The dialog's own event (its button, its close box) may still be
  // running: its window goes once that is done.
  closed_.push_back(std::move(dialog_));
  View().Post([this] { closed_.clear(); });
}

bool MainController::CloseBox() {
  if (WindowController::CloseBox()) return true;
  if (dialog_ != nullptr) dialog_->window->Activate();
  return false;
}

void MainController::Unbind() {
  dialog_.reset();  // before the window that owns it
  closed_.clear();
  WindowController::Unbind();
}

void MainController::Shutdown() {
  if (!Bound()) return;
  if (dialog_ != nullptr) dialog_->controller.CloseBox();  // enables this window again
  if (CloseBox()) View().Destroy();
}

}  // namespace tarq::forms
