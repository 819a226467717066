#pragma once
// The life of a window, the same in both front ends and tested without
// one. A front end supplies its FormWindow (a WindowView), which makes and
// owns an adapter per control kind (a ControlView); the controller does the
// rest:
//
//   Bind ──> the window makes an adapter per shown row of the model's layout;
//            they are put in Tab order, and each control is named for
//            screen readers: by its row's own name, else by the caption
//            that names it
//            model control ──Observer──> adapter.Show...
//            adapter ──Clicked, Picked, Edited, FocusedByUser, Highlighted,
//                      Opened──> the model's control or event, while bound
//   Shown, the first time ──> the first control in Tab order has the focus
//   Activated, the first time ──> the model's Form_Activate, posted
//   Deactivated, model disabled ──> the focused control is kept
//   Activated again, model enabled ──> the kept control has the focus again
//   close box ──> the model's CloseBox; false keeps the window
//   Detach ──> no observer left on the model, no event reaches it; hidden
//
// A controller outlives its window, which unbinds it as it goes: the
// adapters and their widgets then go while what they report to is still
// there, and report nothing.
//
// MainController is the main window's controller and the form models'
// FormHost: it makes, shows and closes the dialogs' windows, each with a
// controller of its own, shows the message boxes, and runs a shutdown in one
// order: the dialog's close box, then the main window's (tarqcfg.dat), then
// the window goes.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "forms/form_host.h"
#include "forms/layout.h"

namespace tarq::forms {

class DialogForm;
class FrmMain;
class WindowController;

// One shown control in a front end: an adapter per control kind. The
// controller calls what the kind has.
class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void ShowText(const std::string& text) { (void)text; }  // labels, text boxes
  virtual void RowsAboutToChange() {}                             // lists
  virtual void ShowRows() {}  // the rows and the selection, from the model
  virtual void ShowListIndex(int index) { (void)index; }
  virtual void ShowFolders() {}  // folder lists
  // Gives the control the focus as the program does: no GotFocus.
  virtual void Focus() = 0;
  // True when the control has its window's focus, active or not.
  virtual bool HasFocus() const = 0;
  virtual bool Enabled() const = 0;
};

// A shown control's row, its model control and its adapter. The adapter
// reports the user's actions here; they reach the model while it is bound.
class BoundControl final {
 public:
  BoundControl(const ControlLayout& row, ControlBinding binding, const bool& bound)
      : row_(row), binding_(std::move(binding)), bound_(bound) {}

  const ControlLayout& Row() const { return row_; }
  const ControlBinding& Binding() const { return binding_; }

  void Clicked() const;  // a button; ignored while it is disabled
  void Picked(int row) const;
  void Edited(const std::string& text) const;
  void FocusedByUser() const;  // by mouse or Tab, not by the program
  void Highlighted(int index) const;
  void Opened(int index) const;

 private:
  friend class WindowController;
  const ControlLayout& row_;
  ControlBinding binding_;
  const bool& bound_;
  ControlView* view_ = nullptr;  // the window's
};

// A front end's adapter for a row's control kind, made by its window:
//   MakeControlOfKind<Control, LabelControl, ButtonControl, ListControl,
//                     TextBoxControl, FolderListControl>(window, control)
// The file list's row is not shown, so it has none.
template <typename Base, typename Label, typename Button, typename List, typename Text,
          typename Folders, typename Window>
std::unique_ptr<Base> MakeControlOfKind(Window& window, BoundControl& control) {
  switch (control.Row().kind) {
    case ControlKind::kCaptionLabel:
    case ControlKind::kFixedCaptionLabel:
    case ControlKind::kValueLabel:
      return std::make_unique<Label>(window, control);
    case ControlKind::kButton:
      return std::make_unique<Button>(window, control);
    case ControlKind::kDropDownList:
    case ControlKind::kDriveList:
      return std::make_unique<List>(window, control);
    case ControlKind::kTextBox:
      return std::make_unique<Text>(window, control);
    case ControlKind::kFolderList:
      return std::make_unique<Folders>(window, control);
    case ControlKind::kFileList:
      break;
  }
  return nullptr;
}

// A window in a front end, as the controller drives it.
class WindowView {
 public:
  virtual ~WindowView() = default;
  // The controller this window reports its events to, from now on.
  virtual void Attach(WindowController& controller) = 0;
  // Makes the adapter for a shown row's control kind, reporting to
  // `control`, and keeps it for the window's life.
  virtual ControlView* MakeControl(BoundControl& control) = 0;
  // The Tab key visits these in this order.
  virtual void SetTabOrder(const std::vector<ControlView*>& order) = 0;
  // Screen readers read the caption label as the control's name.
  virtual void NameControl(ControlView& control, ControlView& caption) = 0;
  // Screen readers read `name` as the control's name.
  virtual void NameControl(ControlView& control, std::string_view name) = 0;
  virtual void Show() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void Activate() = 0;  // the active window, in front
  virtual void Hide() = 0;
  virtual void Destroy() = 0;  // the main window's end: the program's loop ends
  // Runs the task once the event being handled is done, unless the window
  // has gone by then.
  virtual void Post(std::function<void()> task) = 0;
  // A warning box over this window; returns when the user has closed it.
  virtual void MsgBox(std::string_view text) = 0;
};

// The main window in a front end: a window that also makes the dialogs'.
class MainView : public virtual WindowView {
 public:
  // A dialog's window over `dialog`, driven by `controller` and bound to the
  // dialog, not shown yet, in front of this window, which owns it.
  virtual std::unique_ptr<WindowView> MakeDialog(DialogForm& dialog,
                                                 WindowController& controller) = 0;
};

class WindowController {
 public:
  WindowController() = default;
  virtual ~WindowController() = default;
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;

  // Attaches the view, then makes the controls of the model's layout and
  // binds them.
  void Bind(Form& model, WindowView& view);
  bool Bound() const { return bound_; }

  // The window's events, as the front end reports them.
  void Shown();
  // True when a kept control got the focus back.
  bool Activated();
  void Deactivated();
  virtual bool CloseBox();
  // Enter that the toolkit leaves to the window (Win32's dialog manager): a
  // focused button is clicked, a focused folder list opens its entry.
  void Enter();

  // The model's life may end from here on: no observer is left on it.
  virtual void Unbind();
  // Unbinds and hides the window.
  void Detach();

 protected:
  WindowView& View() { return *view_; }

 private:
  // The bound control of a row; nullptr for a row not shown.
  BoundControl* ControlOf(const ControlLayout* row) const;
  void MirrorEnabled();
  void KeepFocus();
  bool RestoreFocus();

  Form* model_ = nullptr;
  WindowView* view_ = nullptr;
  std::vector<std::unique_ptr<BoundControl>> controls_;
  BoundControl* kept_ = nullptr;  // the control that gets the focus back
  bool bound_ = false;
  bool shown_ = false;
  bool activated_ = false;
};

class MainController final : public WindowController, public FormHost {
 public:
  void Bind(FrmMain& model, MainView& view);

  void MsgBox(std::string_view text) override;
  void ShowDialog(DialogForm& dialog) override;
  void CloseDialog() override;

  // Refused while a dialog is up, which then comes to the front.
  bool CloseBox() override;
  // The dialog's windows go first.
  void Unbind() override;
  // The end of the session: closes what is open as its close boxes would.
  void Shutdown();

 private:
  // A dialog's window and the controller that outlives it.
  struct Dialog {
    WindowController controller;
    std::unique_ptr<WindowView> window;
  };

  MainView* main_ = nullptr;
  std::unique_ptr<Dialog> dialog_;
  // Closed dialogs, deleted once the event that closed them is done.
  std::vector<std::unique_ptr<Dialog>> closed_;
};

}  // namespace tarq::forms
