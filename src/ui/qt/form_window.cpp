#include "ui/qt/form_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "forms/messages.h"
#include "ui/qt/controls.h"
#include "ui/qt/look.h"

namespace tarq::ui::qt {

FormWindow::FormWindow(const forms::WindowLayout& layout)
    : QWidget(nullptr, WindowFlags(layout.kind)) {
  SetUpWindow(*this, layout);
}

FormWindow::~FormWindow() {
  // Nothing reaches the model from here on; the widgets' last signals reach
  // the controller, which outlives the window.
  if (controller_ != nullptr) controller_->Unbind();
}

forms::ControlView* FormWindow::MakeControl(forms::BoundControl& control) {
  controls_.push_back(qt::MakeControl(*this, control));
  return controls_.back().get();
}

void FormWindow::SetTabOrder(const std::vector<forms::ControlView*>& order) {
  QWidget* previous = nullptr;
  for (forms::ControlView* view : order) {
    QWidget* next = static_cast<Control*>(view)->Widget();
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

void FormWindow::NameControl(forms::ControlView& control, forms::ControlView& caption) {
  // The buddy is the labelled-by relation, and the caption's text the name
  // for item views, whose accessible side ignores buddies. The captions hold
  // no mnemonic, so a buddy changes nothing on the screen and takes no key.
  QWidget* named = static_cast<Control&>(control).Widget();
  auto* label = qobject_cast<QLabel*>(static_cast<Control&>(caption).Widget());
  if (label == nullptr) return;
  label->setBuddy(named);
  named->setAccessibleName(label->text());
}

void FormWindow::NameControl(forms::ControlView& control, std::string_view name) {
  QWidget* named = static_cast<Control&>(control).Widget();
  const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  named->setAccessibleName(text);
  // On Linux Qt reads a drop-down list's shown row as its name, and its
  // label by the labelled-by relation: a buddy that is never shown says it.
  if (qobject_cast<QComboBox*>(named) != nullptr) {
    auto* label = new QLabel(text, this);
    label->hide();
    label->setBuddy(named);
  }
}

void FormWindow::Post(std::function<void()> task) {
  QTimer::singleShot(0, this, std::move(task));
}

void FormWindow::MsgBox(std::string_view text) {
  QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(forms::kAppTitle), message,
                  QMessageBox::Ok, this);
  box.exec();
}

void FormWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (controller_ == nullptr) return;
  controller_->Shown();
  if (shownOnce_) return;
  shownOnce_ = true;
  activateWindow();
  controller_->Activated();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (controller_ != nullptr && !controller_->CloseBox()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tarq::ui::qt
