#include "ui/qt/form_widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "ui/qt/look.h"

namespace tarq::ui::qt {

using forms::ControlKind;

FormWidgets::FormWidgets(QWidget& window, const forms::WindowLayout& layout, const Lookup& lookup)
    : layout_(layout) {
  SetUpWindow(window, layout);
  for (const forms::ControlLayout& c : layout.controls) {
    if (!c.visible) continue;
    QWidget* widget = Make(window, c, lookup(c.name));
    widgets_.emplace_back(c.name, widget);
  }
  // The Tab key visits the controls in tab-index order; disabled ones are
  // skipped.
  QWidget* previous = nullptr;
  for (const forms::ControlLayout* c : layout.TabOrder()) {
    QWidget* next = Find(c->name);
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

QWidget* FormWidgets::Make(QWidget& window, const forms::ControlLayout& c,
                           const forms::ControlBinding& binding) {
  switch (c.kind) {
    case ControlKind::kCaptionLabel:
    case ControlKind::kFixedCaptionLabel: {
      QLabel* label = MakeCaptionLabel(&window, c);
      if (binding.label != nullptr) {
        bindings_.Label(*binding.label, label, c.kind == ControlKind::kCaptionLabel);
      }
      return label;
    }
    case ControlKind::kValueLabel: {
      QLabel* label = MakeValueLabel(&window, c);
      if (binding.label != nullptr) bindings_.Label(*binding.label, label, false);
      return label;
    }
    case ControlKind::kButton: {
      QPushButton* button = MakeButton(&window, c);
      if (binding.click) bindings_.Click(button, binding.click);
      return button;
    }
    case ControlKind::kDropDownList:
    case ControlKind::kDriveList: {
      auto* list = new QComboBox(&window);
      list->setObjectName(QString::fromUtf8(c.name));
      list->setEditable(false);
      list->setGeometry(Pixels(c));
      if (binding.list != nullptr) bindings_.Combo(*binding.list, list);
      if (!c.font.family.empty()) list->setFont(ControlFont(c.font));  // after binding
      if (binding.gotFocus) bindings_.Focus(list, binding.gotFocus);
      return list;
    }
    case ControlKind::kTextBox: {
      auto* text = new QLineEdit(&window);
      text->setObjectName(QString::fromUtf8(c.name));
      text->setGeometry(Pixels(c));
      if (binding.textBox != nullptr) bindings_.TextBox(*binding.textBox, text);
      return text;
    }
    case ControlKind::kFolderList: {
      auto* list = new QListWidget(&window);
      list->setObjectName(QString::fromUtf8(c.name));
      list->setGeometry(Pixels(c));
      if (binding.folderList != nullptr) bindings_.Folders(*binding.folderList, list);
      return list;
    }
    case ControlKind::kFileList:  // never shown
      break;
  }
  return nullptr;
}

QWidget* FormWidgets::Find(std::string_view name) const {
  for (const auto& [n, widget] : widgets_) {
    if (n == name) return widget;
  }
  return nullptr;
}

void FormWidgets::FocusFirst() const {
  if (QWidget* first = Find(layout_.firstFocus)) first->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarq::ui::qt
