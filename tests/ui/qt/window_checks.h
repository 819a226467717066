#pragma once
// What the Qt window tests share: their start and end, the layout table,
// the Tab order, and the message boxes a test brings up.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/layout.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/temp_dir.h"
#include "ui/qt/main_window.h"

namespace tarq::testing {

// The window follows its layout table: its title and client size, and for
// every control a widget of its name where the table puts it (a label that
// sizes itself from its top-left corner), with the table's caption, enabled
// as the table says, named by the caption the table says; a control that
// is never shown has no widget. The Tab
// order is checked by FocusCycle.
inline void CheckLayout(QWidget* window, const tarq::forms::WindowLayout& layout) {
  using tarq::forms::ControlKind;
  using tarq::forms::TwipsToPixels;
  QCOMPARE(window->windowTitle(), QString::fromUtf8(layout.caption));
  QCOMPARE(window->size(), QSize(TwipsToPixels(layout.width), TwipsToPixels(layout.height)));
  for (const tarq::forms::ControlLayout& c : layout.controls) {
    const QString name = QString::fromUtf8(c.name);
    auto* w = window->findChild<QWidget*>(name);
    if (!c.visible) {
      QVERIFY2(w == nullptr, c.name.data());
      continue;
    }
    QVERIFY2(w != nullptr, c.name.data());
    const QRect expected(TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.width),
                         TwipsToPixels(c.height));
    if (c.kind == ControlKind::kCaptionLabel) {
      QCOMPARE(w->pos(), expected.topLeft());
    } else {
      QCOMPARE(w->geometry(), expected);
    }
    QVERIFY2(w->isVisible(), c.name.data());
    QCOMPARE(w->isEnabled(), c.enabled);
    if (!c.caption.empty()) {
      const QString caption = QString::fromUtf8(c.caption);
      if (auto* label = qobject_cast<QLabel*>(w)) QCOMPARE(label->text(), caption);
      if (auto* button = qobject_cast<QAbstractButton*>(w)) QCOMPARE(button->text(), caption);
    }
    // A screen reader reads the name the table gives, else the caption it
    // says, as the control's name: as the name, or by a labelled-by relation.
    if (!c.accessibleName.empty()) {
      const QString given = QString::fromUtf8(c.accessibleName);
      QAccessibleInterface* named = QAccessible::queryAccessibleInterface(w);
      bool related = false;
      for (const auto& [by, relation] : named->relations(QAccessible::Label)) {
        related = related || by->text(QAccessible::Name) == given;
      }
      QVERIFY2(related || named->text(QAccessible::Name) == given, c.name.data());
    } else if (const tarq::forms::ControlLayout* caption = layout.CaptionOf(c)) {
      auto* label = window->findChild<QLabel*>(QString::fromUtf8(caption->name));
      QCOMPARE(label->buddy(), w);
      // As a labelled-by relation, or as the name where there is none (item views).
      QAccessibleInterface* named = QAccessible::queryAccessibleInterface(w);
      bool related = false;
      for (const auto& [by, relation] : named->relations(QAccessible::Label)) {
        related = related || by->object() == label;
      }
      QVERIFY2(related || named->text(QAccessible::Name) == label->text(), c.name.data());
    }
  }
}

// The names of the focused controls, from the focused one through `steps`
// presses of Tab.
inline QStringList FocusCycle(int steps) {
  QStringList visited{QApplication::focusWidget()->objectName()};
  for (int i = 0; i < steps; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  return visited;
}

// Watches the message boxes a test brings up. Each one is closed as soon as
// it is up, so no test waits on one. A box the test expected (Expect) is
// noted as "title|text|icon"; any other is a failure the test's cleanup
// reports (Unexpected), where Qt Test's watchdog would otherwise have ended
// the whole program minutes later.
class MessageBoxWatch final : public QObject {
 public:
  MessageBoxWatch() { QApplication::instance()->installEventFilter(this); }
  ~MessageBoxWatch() override { QApplication::instance()->removeEventFilter(this); }

  void Expect(QString* shown) { expected_.push_back(shown); }
  const QStringList& Unexpected() const { return unexpected_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = qobject_cast<QMessageBox*>(watched);
    if (box != nullptr && event->type() == QEvent::Show) {
      const QString seen = box->windowTitle() + "|" + box->text() + "|" +
                           QString::number(static_cast<int>(box->icon()));
      if (expected_.isEmpty()) {
        unexpected_ << seen;
      } else {
        *expected_.takeFirst() = seen;
      }
      // Closed from its own event loop, which is not running yet.
      QTimer::singleShot(0, box, [box] { box->accept(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QList<QString*> expected_;
  QStringList unexpected_;
};

// The base of the Qt window tests: each test starts in a program folder of
// its own (Start), with the main window shown on it (ShowWindow), and ends
// (Finish) with the window gone, the current folder as it was, and the
// message boxes nobody expected.
class WindowTest : public QObject {
 protected:
  void Start() {
    boxes_ = std::make_unique<MessageBoxWatch>();
    saved_ = platform::CurrentFolder();
    dir_ = std::make_unique<TempDir>();
  }
  // A game folder in the program folder, with hl.exe and these maps, which
  // the settings file restores at start.
  std::string MakeGame(const std::string& name, const std::vector<std::string>& maps) {
    const std::string game = *dir_ / name;
    const std::string folder = platform::JoinPath(game, "valve");
    MakeFolders(platform::JoinPath(folder, "maps"));
    WriteBytes(platform::JoinPath(game, "hl.exe"), "");
    for (const std::string& map : maps) {
      WriteBytes(platform::JoinPath(platform::JoinPath(folder, "maps"), map), "");
    }
    WriteBytes(*dir_ / "tarqcfg.dat", game + "\r\n");
    return game;
  }
  bool ShowWindow(const std::function<void(forms::FrmMain&)>& beforeShow = nullptr) {
    controller_ = std::make_unique<forms::MainController>();
    model_ = std::make_unique<forms::FrmMain>(*controller_, dir_->Path());
    model_->Form_Load();
    window_ = std::make_unique<ui::qt::MainWindow>(*controller_, *model_);
    if (beforeShow) beforeShow(*model_);
    window_->show();
    return QTest::qWaitForWindowExposed(window_.get());
  }
  forms::FrmMain& Model() { return *model_; }
  // The dialog window on screen, if any.
  static QWidget* ShownDialog() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->objectName().startsWith("dlg")) return w;
    }
    return nullptr;
  }
  QStringList Finish() {
    window_.reset();
    model_.reset();
    controller_.reset();
    dir_.reset();
    platform::ChangeFolder(saved_);
    const QStringList unexpected = boxes_->Unexpected();
    boxes_.reset();
    return unexpected;
  }

  std::unique_ptr<MessageBoxWatch> boxes_;
  std::string saved_;
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<forms::MainController> controller_;
  std::unique_ptr<forms::FrmMain> model_;
  std::unique_ptr<ui::qt::MainWindow> window_;
};

}  // namespace tarq::testing
