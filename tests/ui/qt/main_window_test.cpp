// The Qt main window: its controls, layout and look, and that it forwards the
// user's events to the form model.

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

#include "core/version.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/temp_dir.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/system_fonts.h"
#include "window_checks.h"

using tarq::testing::TempDir;

namespace {

// The faces that draw `text` in `font`: Qt takes another face for the
// characters the first one lacks.
QList<QRawFont> FacesDrawing(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  QList<QRawFont> faces;
  for (const QGlyphRun& run : layout.glyphRuns()) faces << run.rawFont();
  return faces;
}

// True when the face's name table has a name in Japanese: the faces made for
// Japanese carry one, pan-CJK faces whose kanji take Chinese shapes do not.
bool NamesItselfInJapanese(const QRawFont& face) {
  const QByteArray table = face.fontTable("name");
  auto word = [&](qsizetype at) {
    return at + 2 <= table.size() ? (static_cast<unsigned char>(table[at]) << 8) |
                                        static_cast<unsigned char>(table[at + 1])
                                  : -1;
  };
  for (qsizetype i = 0, n = word(2); i < n; ++i) {
    const int platform = word(6 + 12 * i);
    const int language = word(6 + 12 * i + 4);
    if ((platform == 3 && language == 0x0411) || (platform == 1 && language == 11)) return true;
  }
  return false;
}

}  // namespace

class MainWindowTest : public tarq::testing::WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    Start();
    QVERIFY(ShowWindow());
  }
  void cleanup() {
    const QStringList unexpected = Finish();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join("; ")));
  }

  void windowIsTheFixedBlackMainWindow() {
    QCOMPARE(window_->windowTitle(), "TARQ " TARQ_VERSION);
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window_->windowIcon().isNull());
    QCOMPARE(window_->windowIcon().availableSizes().value(0), QSize(32, 32));
  }

  void controlsStandWhereTheLayoutPutsThem() {
    tarq::testing::CheckLayout(window_.get(), tarq::forms::kFrmMainLayout);
  }

  void captionLabelsAreYellowOnBlack() {
    for (const auto& c : tarq::forms::kFrmMainLayout.controls) {
      if (c.kind != tarq::forms::ControlKind::kCaptionLabel) continue;
      auto* label = window_->findChild<QLabel*>(QString::fromUtf8(c.name));
      QVERIFY2(label != nullptr, c.name.data());
      QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 255, 0));
      QVERIFY(!label->autoFillBackground());
      // Sized to its text from its top-left corner.
      QCOMPARE(label->size(), label->sizeHint());
    }
    auto* banner = window_->findChild<QLabel*>("Label1");
    QVERIFY(banner->font().bold() && banner->font().italic());
    QCOMPARE(banner->font().pointSize(), 18);
    QCOMPARE(window_->findChild<QComboBox*>("cmbMapComment")->font().pointSize(), 9);
  }

  void controlsWithoutAFontOfTheirOwnUseTheJapaneseFont() {
    QVERIFY2(!tarq::ui::qt::JapaneseUiFamily().isEmpty(),
             "fontconfig names no font for Japanese text");
    // The face of the map lists, at 9 pt: the platform's own family for
    // Japanese text is only the fallback.
    const QString family = QFontInfo(tarq::ui::qt::NamedFont(tarq::ui::qt::kGothic, 9)).family();
    QCOMPARE(family, QString("IPAGothic"));
    QVERIFY(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese));
    for (const char* name : {"Label2", "labHL", "cmdStart", "cmbDiff"}) {
      auto* control = window_->findChild<QWidget*>(name);
      QVERIFY2(control != nullptr, name);
      QCOMPARE(QFontInfo(control->font()).family(), family);
      QCOMPARE(control->font().pointSize(), 9);
    }
    QCOMPARE(QFontInfo(window_->findChild<QWidget*>("Label1")->font()).family(),
             QString("IPAPGothic"));
    // Full hinting, as Windows draws; IPAGothic without antialiasing, which
    // with full hinting draws no `_` at 12 pixels.
    const struct {
      const char* name;
      bool antialiased;
    } drawing[] = {
        {"Label1", true}, {"Label2", false}, {"cmbMapComment", false}, {"cmdStart", false}};
    for (const auto& d : drawing) {
      const QFont font = window_->findChild<QWidget*>(d.name)->font();
      QCOMPARE(font.hintingPreference(), QFont::PreferFullHinting);
      QCOMPARE(!(font.styleStrategy() & QFont::NoAntialias), d.antialiased);
    }
  }

  // ctest runs this again where more fonts are installed (scripts/test-fonts):
  // Droid Sans Fallback, whose kanji take Chinese shapes, and Noto Sans CJK in
  // its five languages. Whatever else there is, every control draws Japanese
  // in a face made for it, and the map list in one that keeps its columns.
  void everyControlDrawsJapaneseInAFaceMadeForIt() {
    const QString japanese = QStringLiteral("最初からゲームを始めます");
    for (const auto& c : tarq::forms::kFrmMainLayout.controls) {
      auto* control = window_->findChild<QWidget*>(QString::fromUtf8(c.name));
      if (control == nullptr) continue;  // never shown
      for (const QRawFont& face : FacesDrawing(japanese, control->font())) {
        QVERIFY2(NamesItselfInJapanese(face),
                 qPrintable(QString::fromUtf8(c.name) + " in " + face.familyName()));
      }
    }
    const QFontMetrics list(window_->findChild<QComboBox*>("cmbMapComment")->font());
    QCOMPARE(list.horizontalAdvance(QStringLiteral("あ漢")), 4 * list.horizontalAdvance('i'));
    // Drawn, not as boxes: two names of three kana or kanji look different.
    auto* label = window_->findChild<QLabel*>("labHL");
    Model().labHL.SetCaption("/ゲーム");
    const QImage first = label->grab().toImage();
    Model().labHL.SetCaption("/遊戯場");
    QVERIFY(label->grab().toImage() != first);
  }

  void listsDropDownBelowTheBox() {
    for (const char* name : {"cmbDiff", "cmbMapComment"}) {
      auto* list = window_->findChild<QComboBox*>(name);
      list->showPopup();
      QWidget* popup = list->view()->window();
      QVERIFY(QTest::qWaitForWindowExposed(popup));
      QVERIFY2(popup->geometry().top() >= list->mapToGlobal(list->rect().bottomLeft()).y(), name);
      list->hidePopup();
    }
    // The map list lays out rows of one height: 32768 rows drop down at once.
    auto* view = qobject_cast<QListView*>(window_->findChild<QComboBox*>("cmbMapComment")->view());
    QVERIFY(view != nullptr && view->uniformItemSizes());
  }

  void hiddenAndDisabledControls() {
    // The hidden lists have no widget: the form model carries them.
    QVERIFY(window_->findChild<QWidget*>("cmbMap") == nullptr);
    QVERIFY(window_->findChild<QWidget*>("flbSelect") == nullptr);
    auto* pak = window_->findChild<QPushButton*>("Command3");
    QVERIFY(pak->isVisible());
    QVERIFY(!pak->isEnabled());
    QCOMPARE(pak->text(), QString("Add PakFile"));
  }

  void tabVisitsTheControlsInOrder() {
    const QStringList expected{"cmdFldSelect", "cmbMemory", "cmbConsole",    "cmdComment",
                               "cmdStart",     "cmbDiff",   "cmbMapComment", "cmdFldSelect"};
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.first());
    QCOMPARE(tarq::testing::FocusCycle(expected.size() - 1), expected);
  }

  void optionListsHoldTheirRowsAndTags() {
    auto* memory = window_->findChild<QComboBox*>("cmbMemory");
    QCOMPARE(memory->count(), 5);
    QCOMPARE(memory->itemText(0), QString("無指定"));
    QCOMPARE(memory->itemText(4), QString("128MB"));
    QCOMPARE(Model().cmbMemory.ItemData(2), 32000);  // the tags stay in the model
    auto* diff = window_->findChild<QComboBox*>("cmbDiff");
    QCOMPARE(diff->count(), 4);
    QCOMPARE(diff->itemText(2), QString("Nomal"));
    auto* console = window_->findChild<QComboBox*>("cmbConsole");
    QCOMPARE(console->itemText(2), QString("-dev toconsole"));
    QCOMPARE(window_->findChild<QComboBox*>("cmbMapComment")->itemText(0),
             QString("最初から　　　　－　HALF-LIFEを最初から始めます"));
  }

  void aPickRecomposesTheCommandLine() {
    auto* diff = window_->findChild<QComboBox*>("cmbDiff");
    auto* command = window_->findChild<QLabel*>("labCommand");
    diff->setFocus();
    QTest::keyClick(diff, Qt::Key_Down);
    QTest::keyClick(diff, Qt::Key_Down);
    QCOMPARE(Model().cmbDiff.ListIndex(), 2);
    QCOMPARE(command->text(), QString(" +skill \"2\""));
    Model().cmbMemory.SetListIndex(1);
    QCOMPARE(window_->findChild<QComboBox*>("cmbMemory")->currentIndex(), 1);
    QCOMPARE(command->text(), QString(" +skill \"2\" -heapsize 16000"));
  }

  void startWithoutAGameShowsTheWarning() {
    QString shown;
    boxes_->Expect(&shown);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdStart"), Qt::LeftButton);
    QCOMPARE(shown, QString("TARQ|ゲームが実行できません。\n設定し直して下さい。|%1")
                        .arg(static_cast<int>(QMessageBox::Warning)));
  }

  void startRunsTheGame() {
    const std::string saved = tarq::platform::CurrentFolder();
    const std::string game = *dir_ / "game";
    tarq::testing::MakeFolders(game);
    tarq::testing::MakeExecutable(tarq::platform::JoinPath(game, "hl.exe"),
                                  "#!/bin/sh\nprintf '%s|' \"$@\" > \"$0.tmp\"; "
                                  "mv \"$0.tmp\" \"$0.record\"\n");
    Model().labHL.SetCaption(game);
    QCOMPARE(window_->findChild<QLabel*>("labHL")->text(), QString::fromStdString(game));
    Model().cmbConsole.SetListIndex(1);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdStart"), Qt::LeftButton);
    tarq::platform::ChangeFolder(saved);
    const std::string record = tarq::platform::JoinPath(game, "hl.exe.record");
    QVERIFY(tarq::testing::WaitForFile(record));
    QCOMPARE(QString::fromStdString(tarq::testing::ReadBytes(record)), QString("-console|"));
  }

  void closingWritesTheSettings() {
    Model().cmbDiff.SetListIndex(3);
    window_->close();
    QCOMPARE(QString::fromStdString(tarq::testing::ReadBytes(*dir_ / "tarqcfg.dat")),
             QString("\r\n 3 \r\n 0 \r\n 0 \r\n"));
  }

  void closingForShutdownUnloadsAnOpenDialogFirst() {
    Model().cmbDiff.SetListIndex(2);
    QTest::mouseClick(window_->findChild<QPushButton*>("cmdFldSelect"), Qt::LeftButton);
    QVERIFY(ShownDialog() != nullptr);
    window_->close();  // the close box does nothing while a dialog is up
    QVERIFY(window_->isVisible());
    window_->CloseForShutdown();
    QVERIFY(Model().dlgFldSelect() == nullptr);
    QVERIFY(!window_->isVisible());
    QCOMPARE(QString::fromStdString(tarq::testing::ReadBytes(*dir_ / "tarqcfg.dat")),
             QString("\r\n 2 \r\n 0 \r\n 0 \r\n"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
