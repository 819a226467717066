#pragma once
// A window's widgets, made by walking its layout table:
//
//   forms::WindowLayout ──> title, size, place, one widget per shown
//                           control, fonts, Tab order
//   each widget ──Bindings──> the form model's control of its name
//
// Controls that are never shown (the hidden map list, the file list) have
// no widget: the form model alone carries them.

#include <QWidget>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/layout.h"
#include "ui/qt/bind.h"

namespace tarq::ui::qt {

class FormWidgets final {
 public:
  using Lookup = std::function<forms::ControlBinding(std::string_view name)>;
  FormWidgets(QWidget& window, const forms::WindowLayout& layout, const Lookup& lookup);

  // The widget of a shown control; nullptr for any other name.
  QWidget* Find(std::string_view name) const;
  // Gives the focus to the control that has it when the window is shown.
  void FocusFirst() const;
  // Lets go of the model: see Bindings::Release.
  void Release() { bindings_.Release(); }

 private:
  QWidget* Make(QWidget& window, const forms::ControlLayout& c,
                const forms::ControlBinding& binding);

  const forms::WindowLayout& layout_;
  std::vector<std::pair<std::string_view, QWidget*>> widgets_;
  Bindings bindings_;
};

}  // namespace tarq::ui::qt
