#pragma once
// Checks the Qt window tests share: a layout table in twips, the Tab order,
// and the message box a click brings up.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <initializer_list>
#include <span>

namespace tarq::testing {

struct Geometry {
  const char* name;
  int left, top, width, height;  // twips
};

// Every control of the table stands where it says, at 15 twips to the pixel.
inline void CheckLayout(QWidget* window, std::span<const Geometry> table) {
  for (const Geometry& g : table) {
    auto* w = window->findChild<QWidget*>(g.name);
    QVERIFY2(w != nullptr, g.name);
    QCOMPARE(w->geometry(), QRect(g.left / 15, g.top / 15, g.width / 15, g.height / 15));
  }
}

inline void CheckLayout(QWidget* window, std::initializer_list<Geometry> table) {
  CheckLayout(window, std::span<const Geometry>(table.begin(), table.size()));
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

// Closes the next message box once it is up, noting "title|text|icon".
inline void CloseNextMessageBox(QString* shown) {
  QTimer::singleShot(0, [shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    *shown = box->windowTitle() + "|" + box->text() + "|" +
             QString::number(static_cast<int>(box->icon()));
    box->accept();
  });
}

}  // namespace tarq::testing
