// Every character the windows show is drawn whole, in every kind of control
// that carries text, as the real windows build them:
//  - two texts that differ only in `_` against a space look different;
//  - the ink of "gjpqy_" is as tall as the same text drawn on its own (nothing
//    cut off), and stays clear of the control's inner bottom edge (a row of a
//    list, which has no edge of its own, keeps it within the row);
//  - the map list's fixed-pitch face keeps full-width characters exactly
//    twice the half-width ones, so the padded rows line up their marks.
// The program runs at 1x, 1.25x, 1.5x and 2x (QT_SCALE_FACTOR); the checks
// count device pixels.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QtTest>
#include <algorithm>
#include <cmath>

#include "platform/fs.h"
#include "platform/process.h"
#include "platform/text.h"
#include "support/temp_dir.h"
#include "ui/qt/main_window.h"
#include "window_checks.h"

using tarq::testing::TempDir;

namespace {

// Where a control shows a text: the widget to grab, the area of it that holds
// the control, and the control's inner area (inside its frame; a row's own
// rectangle in a list), both in the grabbed widget's coordinates; the font
// it draws in.
struct Shown {
  QWidget* host = nullptr;
  QRect area;
  QRect inner;
  QFont font;
  bool row = false;  // a row of a list
};

// The device rows of `inner` within an image of `area` grabbed at `dpr`.
struct DeviceRows {
  int top;
  int bottom;  // the last row inside
};

DeviceRows InnerRows(const Shown& s, qreal dpr) {
  const int top = static_cast<int>(std::floor((s.inner.top() - s.area.top()) * dpr));
  const int end = static_cast<int>(std::ceil((s.inner.bottom() + 1 - s.area.top()) * dpr));
  return {top, end - 1};
}

QImage Grab(const Shown& s) {
  return s.host->grab(s.area).toImage().convertToFormat(QImage::Format_RGB32);
}

// The first and last device rows in which two grabs of one area differ; -1
// when they are the same.
std::pair<int, int> DifferingRows(const QImage& a, const QImage& b) {
  int first = -1;
  int last = -1;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

// The largest difference of one colour channel between two grabs of one
// area, 0 to 255.
int StrongestDifference(const QImage& a, const QImage& b) {
  int strongest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      strongest = std::max({strongest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                            std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return strongest;
}

// The height in device pixels of the ink of `text` drawn on its own.
int InkHeight(const QFont& font, const QString& text, qreal dpr) {
  const QFontMetrics metrics(font);
  const int line = metrics.height();
  QImage image(QSize(metrics.horizontalAdvance(text) + 2 * line, 3 * line) * dpr,
               QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(line, 2 * line, text);
  }
  QImage white(image.size(), QImage::Format_RGB32);
  white.fill(Qt::white);
  const auto [first, last] = DifferingRows(image, white);
  return last - first + 1;
}

QRect InWindow(QWidget* w, const QRect& r) {
  return r.translated(w->mapTo(w->window(), QPoint(0, 0)));
}

// Inside the frame. (A caption label has none: all of it is its inner area.)
QRect ValueLabelInner(QLabel* label) {
  return InWindow(label, label->contentsRect());
}

QRect ComboInner(QComboBox* list) {
  QStyleOptionComboBox option;
  option.initFrom(list);
  option.editable = list->isEditable();
  option.frame = true;
  option.subControls = QStyle::SC_All;
  return InWindow(list, list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list));
}

QRect LineEditInner(QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  return InWindow(edit, edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit));
}

// Every row of a list shows one text: a row source, as the map lists have.
class SameText final : public tarq::forms::RowSource {
 public:
  SameText(std::string text, int count) : text_(std::move(text)), count_(count) {}
  int Count() const override { return count_; }
  std::string Text(int) const override { return text_; }

 private:
  std::string text_;
  int count_;
};

void ShowInEveryRow(tarq::forms::ComboList& list, const std::string& text) {
  list.ReplaceRows(std::make_shared<SameText>(text, std::max(list.ListCount(), 2)));
}

QRect ButtonInner(QPushButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  return InWindow(button,
                  button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button));
}

// Row 1 of a drop-down list's popup; the list drops down.
Shown PopupRow(QComboBox* list) {
  if (!list->view()->isVisible()) {
    list->showPopup();
    if (!QTest::qWaitForWindowExposed(list->view()->window())) return {};
  }
  QWidget* viewport = list->view()->viewport();
  const QRect row = list->view()->visualRect(list->model()->index(1, 0));
  return {viewport, row, row, list->view()->font(), true};
}

// The maps of the test's game folder.
const char* const kMaps[] = {"c1a0.bsp", "c1a1.bsp", "c2a1.bsp"};

}  // namespace

class GlyphsTest : public tarq::testing::WindowTest {
  Q_OBJECT

 private slots:
  void init() {
    Start();
    MakeGame("Half-Life", {std::begin(kMaps), std::end(kMaps)});
    // Three folders for the folder list, and the drives of the drive list.
    for (const char* folder : {"a", "b", "c"}) tarq::testing::MakeFolders(*dir_ / folder);
    QVERIFY(ShowWindow([this](tarq::forms::FrmMain& m) {
      m.ListDrives = [this] {
        return std::vector<tarq::platform::Drive>{{"/", "/"}, {*dir_ / "a", "a"}};
      };
    }));
  }
  void cleanup() {
    const QStringList unexpected = Finish();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join("; ")));
  }

  void underscoresShow_data() { Controls(); }
  // The underscore comes last, so that in a proportional face nothing after
  // it moves: the two grabs differ only where the underscore draws. It must
  // be plain to see: a line of a third of the text's contrast, as some faces
  // draw it when antialiased, is not.
  void underscoresShow() {
    QFETCH(QString, control);
    const Shown withSpace = Show(control, QStringLiteral("de_dust "));
    QVERIFY(withSpace.host != nullptr);
    const Shown withUnderscore = Show(control, QStringLiteral("de_dust_"));
    Shown both = withUnderscore;
    both.area = withSpace.area | withUnderscore.area;
    const QImage underscore = Grab(both);
    Show(control, QStringLiteral("de_dust "));
    const QImage space = Grab(both);
    const int strongest = StrongestDifference(underscore, space);
    QVERIFY2(
        strongest >= 128,
        qPrintable(QStringLiteral("%1: \"de_dust_\" and \"de_dust \" differ by %2 of 255 at most")
                       .arg(control)
                       .arg(strongest)));
  }

  void descendersStayInside_data() { Controls(); }
  void descendersStayInside() {
    QFETCH(QString, control);
    const QString text = QStringLiteral("gjpqy_");
    const Shown shown = Show(control, text);
    QVERIFY(shown.host != nullptr);
    const QImage ink = Grab(shown);
    Show(control, QString());
    const QImage blank = Grab(shown);
    const auto [first, last] = DifferingRows(ink, blank);
    const qreal dpr = ink.devicePixelRatio();
    const DeviceRows inner = InnerRows(shown, dpr);
    const int whole = InkHeight(shown.font, text, dpr);
    const QString figures =
        QStringLiteral("%1 in %2: ink in device rows %3..%4 (%5 of %6), inner area %7..%8")
            .arg(control, QFontInfo(shown.font).family())
            .arg(first)
            .arg(last)
            .arg(last - first + 1)
            .arg(whole)
            .arg(inner.top)
            .arg(inner.bottom);
    QVERIFY2(first >= 0, qPrintable(figures));
    QVERIFY2(last - first + 1 == whole, qPrintable(figures));
    // Ink on the inner area's last row touches the edge.
    QVERIFY2(shown.row ? last <= inner.bottom : last < inner.bottom, qPrintable(figures));
  }

  // Rows padded to 16 characters put their marks in one column, under the
  // "－" of row 0, and with a full-width mark their comments line up as well:
  // rows whose comment ends like row 0 end on the same device pixel.
  void fixedPitchLinesUpTheMarks() {
    std::string records;
    const char* const marks[] = {"◎", "×", "λ"};
    for (std::size_t i = 0; i < std::size(kMaps); ++i) {
      records += std::string("\"") + kMaps[i] + "\",\"" + marks[i] +
                 "\",\"HALF-LIFEを最初から始めます\"\r\n";
    }
    tarq::testing::WriteBytes(*dir_ / "tarqcom.dat", *tarq::platform::EncodeCp932(records));
    auto* list = window_->findChild<QComboBox*>("cmbMapComment");
    Model().cmbMapComment_GotFocus();  // rebuilt, as when the list gets the focus
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->itemText(2), QString("c1a1.bsp        ×　HALF-LIFEを最初から始めます"));
    list->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(list->view()->window()));
    const QImage image =
        list->view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = image.devicePixelRatio();
    // The rightmost ink of a row: the rightmost pixel unlike the row's own
    // background (the selected row has another), looked for away from the
    // focus frame that the selected row draws along its edges.
    auto rightmostInk = [&](int row) {
      const QRect r = list->view()->visualRect(list->model()->index(row, 0)).adjusted(0, 2, -3, -2);
      const int right = static_cast<int>(r.right() * dpr);
      int ink = -1;
      for (int y = static_cast<int>(r.top() * dpr); y < static_cast<int>(r.bottom() * dpr); ++y) {
        const QRgb background = image.pixel(right, y);
        for (int x = static_cast<int>(r.left() * dpr); x < right; ++x) {
          if (image.pixel(x, y) != background) ink = std::max(ink, x);
        }
      }
      return ink;
    };
    const QRect row0 = list->view()->visualRect(list->model()->index(0, 0));
    QVERIFY2(QFontMetrics(list->font()).horizontalAdvance(list->itemText(0)) < row0.width() - 8,
             "row 0 fits its row: it is not cut short");
    const int end0 = rightmostInk(0);
    QVERIFY(end0 > 0);
    for (int row = 1; row <= 3; ++row) {
      QVERIFY2(rightmostInk(row) == end0,
               qPrintable(QStringLiteral("row %1 ends at device column %2, row 0 at %3")
                              .arg(row)
                              .arg(rightmostInk(row))
                              .arg(end0)));
    }
    list->hidePopup();
  }

 private:
  // The kinds of control that carry text, by the windows' control names.
  static void Controls() {
    QTest::addColumn<QString>("control");
    for (const char* c : {
             "Label2 (caption label)",
             "labFile (caption label, own font)",
             "labValve (value label)",
             "labCommand (value label, second line)",
             "cmbMapComment (closed)",
             "cmbMapComment (drop-down row)",
             "cmbDiff (closed)",
             "cmbDiff (drop-down row)",
             "txtComment (text box)",
             "cmdComment (button)",
             "dirHL (folder list row)",
             "drvHL (closed)",
             "drvHL (drop-down row)",
         }) {
      QTest::newRow(c) << QString::fromLatin1(c);
    }
  }

  // Makes the control show `text` the way the launcher would (through its
  // form model where the model holds the text) and says where it shows it.
  Shown Show(const QString& control, const QString& text) {
    const std::string utf8 = text.toStdString();
    tarq::forms::FrmMain& m = Model();
    const QString name = control.section(' ', 0, 0);
    if (name == "Label2" || name == "labValve" || name == "labCommand" || name == "cmbMapComment" ||
        name == "cmbDiff" || name == "cmdComment") {
      QWidget* w = window_->findChild<QWidget*>(name);
      if (w == nullptr) return {};
      if (name == "Label2") {
        auto* label = static_cast<QLabel*>(w);
        label->setText(text);
        label->adjustSize();  // a caption label sizes itself to its text
        return {window_.get(), label->geometry(), label->geometry(), label->font()};
      }
      if (name == "labValve") {
        m.labValve.SetCaption(utf8);
        return {window_.get(), w->geometry(), ValueLabelInner(static_cast<QLabel*>(w)), w->font()};
      }
      if (name == "labCommand") {
        // The first line is full; the text ends the second.
        m.labCommand.SetCaption(" +skill \"3\" -heapsize 128000 -dev toconsole +map " + utf8);
        if (w->heightForWidth(w->width()) < 2 * w->fontMetrics().height()) return {};
        return {window_.get(), w->geometry(), ValueLabelInner(static_cast<QLabel*>(w)), w->font()};
      }
      if (name == "cmdComment") {
        auto* button = static_cast<QPushButton*>(w);
        button->setText(text);
        return {window_.get(), button->geometry(), ButtonInner(button), button->font()};
      }
      auto* list = static_cast<QComboBox*>(w);
      tarq::forms::ComboList& rows = name == "cmbDiff" ? m.cmbDiff : m.cmbMapComment;
      ShowInEveryRow(rows, utf8);
      if (control.contains("drop-down")) return PopupRow(list);
      rows.SetListIndex(1);
      return {window_.get(), list->geometry(), ComboInner(list), list->font()};
    }
    if (name == "labFile" || name == "txtComment") {
      QWidget* dialog = OpenDialog(true);
      if (dialog == nullptr) return {};
      tarq::forms::DlgComment& d = *m.dlgComment();
      if (name == "labFile") {
        d.labFile.SetCaption(utf8);
        auto* label = dialog->findChild<QLabel*>(name);
        return {dialog, label->geometry(), label->geometry(), label->font()};
      }
      d.txtComment.SetText(utf8);
      auto* edit = dialog->findChild<QLineEdit*>(name);
      return {dialog, edit->geometry(), LineEditInner(edit), edit->font()};
    }
    QWidget* dialog = OpenDialog(false);
    if (dialog == nullptr) return {};
    if (name == "dirHL") {
      auto* list = dialog->findChild<QListWidget*>(name);
      // The last row, a subfolder: not the current one, so not highlighted.
      QListWidgetItem* item = list->item(list->count() - 1);
      item->setText(text);
      const QRect row = list->visualItemRect(item);
      return {list->viewport(), row, row, list->font(), true};
    }
    auto* list = dialog->findChild<QComboBox*>("drvHL");
    ShowInEveryRow(m.dlgFldSelect()->drvHL, utf8);
    if (control.contains("drop-down")) return PopupRow(list);
    return {dialog, list->geometry(), ComboInner(list), list->font()};
  }

  // The comment dialog for map row 1, or the folder dialog on the test's
  // folder; once open, it stays for the rest of the test.
  QWidget* OpenDialog(bool comment) {
    if (ShownDialog() == nullptr) {
      tarq::forms::FrmMain& m = Model();
      if (comment) {
        m.cmbMapComment.SetListIndex(1);
        m.cmdComment_Click();
      } else {
        tarq::platform::ChangeFolder(dir_->Path());
        m.cmdFldSelect_Click();
      }
      if (!QTest::qWaitForWindowExposed(ShownDialog())) return nullptr;
      QTest::qWait(0);  // the comment dialog fills itself as it becomes active
    }
    return ShownDialog();
  }
};

QTEST_MAIN(GlyphsTest)
#include "glyphs_test.moc"
