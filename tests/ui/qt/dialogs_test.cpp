// The two dialog windows: controls, layout, place on the screen, focus
// order, and one whole flow each through the real widgets.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "platform/fs.h"
#include "platform/process.h"
#include "support/temp_dir.h"
#include "ui/qt/main_window.h"
#include "window_checks.h"

using tarq::testing::TempDir;

using tarq::testing::CheckLayout;
using tarq::testing::FocusCycle;

// At 2760, 3690 twips from the top-left corner of the main window's screen,
// and announced as a dialog.
void ExpectOnTheMainWindowsScreen(QWidget* dialog, QWidget* main) {
  QCOMPARE(dialog->screen(), main->screen());
  QCOMPARE(dialog->geometry().topLeft(), main->screen()->geometry().topLeft() + QPoint(184, 246));
  QCOMPARE(QAccessible::queryAccessibleInterface(dialog)->role(), QAccessible::Dialog);
}

class DialogsTest : public tarq::testing::WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    Start();
    MakeGame("game", {"c1a0.bsp"});
    QVERIFY(ShowWindow());
  }
  void cleanup() {
    const QStringList unexpected = Finish();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join("; ")));
  }

  void commentDialogLayoutAndFocus() {
    Model().cmbMapComment.SetListIndex(1);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdComment"), Qt::LeftButton);
    QWidget* dialog = ShownDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(dialog->windowFlags() & Qt::Tool);
    QVERIFY(dialog->parentWidget() == nullptr);
    QVERIFY(dialog->windowHandle()->transientParent() == window_->windowHandle());
    ExpectOnTheMainWindowsScreen(dialog, window_.get());
    QVERIFY(!window_->isEnabled());
    CheckLayout(dialog, tarq::forms::kDlgCommentLayout);
    auto* labFile = dialog->findChild<QLabel*>("labFile");
    QCOMPARE(labFile->text(), QString("c1a0.bsp"));
    QVERIFY(labFile->width() > 6);  // grew to the name
    QCOMPARE(dialog->findChild<QComboBox*>("cmbMark")->count(), 10);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdOK"));
    QCOMPARE(FocusCycle(5),
             (QStringList{"cmdOK", "cmdCansel", "cmbMark", "txtComment", "cmdDelete", "cmdOK"}));
  }

  void commentDialogSavesThroughTheWidgets() {
    Model().cmbMapComment.SetListIndex(1);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdComment"), Qt::LeftButton);
    QWidget* dialog = ShownDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::qWait(0);  // the fill runs as the dialog becomes active
    auto* mark = dialog->findChild<QComboBox*>("cmbMark");
    mark->setFocus();
    QTest::keyClick(mark, Qt::Key_Down);
    auto* text = dialog->findChild<QLineEdit*>("txtComment");
    text->setFocus();
    QTest::keyClicks(text, "boss");
    auto* ok = dialog->findChild<QPushButton*>("cmdOK");
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);  // Enter presses the focused button
    QCOMPARE(QString::fromStdString(tarq::testing::ReadBytes(*dir_ / "tarqcom.dat")),
             QString::fromStdString(std::string("\"c1a0.bsp\",\"\x81\x9D\",\"boss\"\r\n")));
    QVERIFY(window_->isEnabled());
    QVERIFY(ShownDialog() == nullptr);
  }

  void commentDialogCloseBoxEnablesTheMainWindow() {
    Model().cmbMapComment.SetListIndex(1);
    Model().cmdComment_Click();
    QWidget* dialog = ShownDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    dialog->close();
    QVERIFY(window_->isEnabled());
    QVERIFY(!tarq::testing::Exists(*dir_ / "tarqcom.dat"));
  }

  void folderDialogLayoutAndFocus() {
    tarq::platform::ChangeFolder(dir_->Path());
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdFldSelect"), Qt::LeftButton);
    QWidget* dialog = ShownDialog();
    QVERIFY(dialog != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(dialog->windowFlags() & Qt::Tool);
    QVERIFY(dialog->windowHandle()->transientParent() == window_->windowHandle());
    ExpectOnTheMainWindowsScreen(dialog, window_.get());
    CheckLayout(dialog, tarq::forms::kDlgFldSelectLayout);
    QVERIFY(dialog->findChild<QLabel*>("Label2")->font().bold());
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdOK"));
    QCOMPARE(FocusCycle(4), (QStringList{"cmdOK", "cmdCancel", "dirHL", "drvHL", "cmdOK"}));
  }

  // Run with a second screen to the right of the first and higher
  // (two_screens.json). The offscreen platform moves a window to x >= 0.
  void dialogsOpenOnTheMainWindowsScreen() {
    if (QGuiApplication::screens().size() < 2) QSKIP("one screen");
    QScreen* second = QGuiApplication::screens().at(1);
    window_->move(second->geometry().topLeft() + QPoint(100, 300));
    QTRY_COMPARE(window_->screen(), second);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdFldSelect"), Qt::LeftButton);
    QWidget* dialog = ShownDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    ExpectOnTheMainWindowsScreen(dialog, window_.get());
  }

  void folderDialogChoosesTheGameFolderThroughTheWidgets() {
    const std::string other = *dir_ / "other";
    tarq::testing::MakeFolders(tarq::platform::JoinPath(other, "valve/maps"));
    tarq::testing::WriteBytes(tarq::platform::JoinPath(other, "hl.exe"), "");
    tarq::platform::ChangeFolder(dir_->Path());
    Model().cmdFldSelect_Click();
    QWidget* dialog = ShownDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* list = dialog->findChild<QListWidget*>("dirHL");
    const QList<QListWidgetItem*> found = list->findItems("other", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QListWidgetItem* target = found.front();
    const QRect cell = list->visualItemRect(target);
    // A double click: the press and release of the first click, then the second.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(QString::fromStdString(Model().dlgFldSelect()->dirHL.Path()),
             QString::fromStdString(dir_->Path()));  // a single click only highlights
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(QString::fromStdString(Model().dlgFldSelect()->dirHL.Path()),
             QString::fromStdString(other));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(window_->findChild<QLabel*>("labHL")->text(), QString::fromStdString(other));
    QCOMPARE(window_->findChild<QLabel*>("labMaps")->text(),
             QString::fromStdString(other + "/valve/maps"));
    QVERIFY(window_->isEnabled());
    QVERIFY(ShownDialog() == nullptr);
  }

  void folderListHighlightsTheFolderOfATypedLetterAndEnterOpensIt() {
    for (const char* sub : {"alpha", "home", "hz"}) tarq::testing::MakeFolders(*dir_ / sub);
    tarq::platform::ChangeFolder(dir_->Path());
    Model().cmdFldSelect_Click();
    QVERIFY(QTest::qWaitForWindowExposed(ShownDialog()));
    auto* list = ShownDialog()->findChild<QListWidget*>("dirHL");
    QTest::keyClick(list, 'h');
    QCOMPARE(list->currentItem()->text(), QString("home"));  // the name: the indent is drawn
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(Model().dlgFldSelect()->dirHL.Path()),
             QString::fromStdString(*dir_ / "home"));
  }

  void folderDialogRefusalShowsTheMessage() {
    tarq::platform::ChangeFolder(dir_->Path());
    Model().cmdFldSelect_Click();
    QWidget* dialog = ShownDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QString shown;
    boxes_->Expect(&shown);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(shown,
             QString("TARQ|このフォルダにはhl.exeがありません。\nフォルダを再選択して下さい。|%1")
                 .arg(static_cast<int>(QMessageBox::Warning)));
    QVERIFY(!window_->isEnabled());
    QVERIFY(ShownDialog() == dialog);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
