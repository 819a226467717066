#pragma once
// What every form model is to the window that shows it: the layout table
// its window is built from, whether it takes input, its first activation
// and its close box. The window's life around these is WindowController's.

#include <functional>

namespace tarq::forms {

struct WindowLayout;

class Form {
 public:
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The table whose rows name this form's controls.
  const WindowLayout& Layout() const { return layout_; }

  // A disabled form's window takes no input (a dialog is up over it).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void()> EnabledObserver;  // the window

  // Runs when the window first becomes the active one.
  virtual void Form_Activate() {}
  // The close box: unloads the form unless it refuses; true when its window
  // may go.
  virtual bool CloseBox() = 0;

 protected:
  explicit Form(const WindowLayout& layout) : layout_(layout) {}
  ~Form() = default;

 private:
  const WindowLayout& layout_;
  bool enabled_ = true;
};

}  // namespace tarq::forms
