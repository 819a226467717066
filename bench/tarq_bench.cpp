// The figures users feel, each a median over repeated runs against a floor
// measured in the same run. `make bench` prints the table; `--tiny` runs
// every row once at a small size (for `make test`).

#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_table.h"
#include "catalogue/comment_store.h"
#include "catalogue/map_folder.h"
#include "catalogue/record_index.h"
#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "support/null_host.h"
#include "support/records.h"
#include "ui/qt/controls.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "worst_case.h"

// Last: Xlib defines names that Qt uses.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace tarq::bench;  // the fixtures and the table
using tarq::testing::NullHost;

struct Options {
  bool tiny = false;
  int maps = 32767;
  int records = 32767;
  int runs = 15;
  std::string only;  // run just this row (for profiling)
};

// `count` rows alternating between two texts, from a row source as the map
// lists' are.
class TwoRowsRepeated final : public tarq::forms::RowSource {
 public:
  TwoRowsRepeated(std::string even, std::string odd, int count)
      : texts_{std::move(even), std::move(odd)}, count_(count) {}
  int Count() const override { return count_; }
  std::string Text(int row) const override { return texts_[row % 2]; }

 private:
  std::string texts_[2];
  int count_;
};

// Processes events until `widget` has painted once.
class PaintWatch final : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  ~PaintWatch() override {
    if (widget_ != nullptr) widget_->removeEventFilter(this);
  }
  void Wait() {
    while (!painted_) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == widget_ && e->type() == QEvent::Paint) painted_ = true;
    return false;
  }

 private:
  QWidget* widget_;
  bool painted_ = false;
};

class BareWindow final : public QWidget {
 public:
  BareWindow() {
    setFixedSize(330, 385);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
  }
};

void ShowAndPaint(QWidget& w) {
  PaintWatch watch(&w);
  w.show();
  watch.Wait();
}

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Shows a list's popup, waits for it to paint once, and closes it.
void OpenDropDown(QComboBox* combo) {
  combo->showPopup();
  PaintWatch watch(combo->view()->viewport());
  watch.Wait();
  combo->hidePopup();
  QApplication::processEvents();
}

// Child mode of row 6: shows the bare window or the launcher's main window
// on `program`, and after opening the map list once prints the peak
// resident memory in KiB.
int WindowChild(int argc, char* argv[], const std::string& what, const std::string& program) {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication app(argc, argv);
  if (what == "bare") {
    BareWindow w;
    ShowAndPaint(w);
  } else {
    tarq::ui::qt::InstallFontSubstitutes();  // as the launcher's main() does
    tarq::forms::MainController controller;
    tarq::forms::FrmMain model(controller, program);
    model.Form_Load();
    tarq::ui::qt::MainWindow w(controller, model);
    ShowAndPaint(w);
    OpenDropDown(w.findChild<QComboBox*>(QStringLiteral("cmbMapComment")));
  }
  std::printf("%ld\n", PeakRssKiB());
  return 0;
}

// Runs this program in a child mode and returns the number it prints.
double RunChild(const char* self, const char* mode, const std::string& what,
                const std::string& program) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    execl(self, self, mode, what.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  close(out[1]);
  char buffer[64] = {};
  const ssize_t n = read(out[0], buffer, sizeof buffer - 1);
  close(out[0]);
  waitpid(child, nullptr, 0);
  return n > 0 ? std::atof(buffer) : -1;
}

// Whether the window shows the yellow of the title label ("TARQ", the
// first control of the table) yet.
bool ShowsTitle(Display* x, Window window) {
  const tarq::forms::ControlLayout& title = tarq::forms::kFrmMainLayout.controls[0];
  XImage* image = XGetImage(x, window, tarq::forms::TwipsToPixels(title.left),
                            tarq::forms::TwipsToPixels(title.top), 60, 20, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool yellow = false;
  for (int row = 0; row < image->height && !yellow; ++row) {
    for (int column = 0; column < image->width && !yellow; ++column) {
      const unsigned long p = XGetPixel(image, column, row);
      yellow = (p >> 16 & 0xff) > 200 && (p >> 8 & 0xff) > 200 && (p & 0xff) < 80;
    }
  }
  XDestroyImage(image);
  return yellow;
}

// Starts a Qt program of the main window on the X display and returns the
// seconds until the display shows its window painted: what a user sees.
// The program is then ended, before it writes anything.
double StartUntilPainted(Display* x, const std::string& program) {
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // a window going away
  XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
  XSync(x, True);
  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    freopen("/dev/null", "w", stderr);  // Qt's notes about the environment
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  const timespec pause{0, 200000};
  Window window = 0;
  bool painted = false;
  while (!painted && Now() - start < 60 && waitpid(child, nullptr, WNOHANG) == 0) {
    while (window == 0 && XPending(x) > 0) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type == MapNotify) window = e.xmap.window;
    }
    painted = window != 0 && ShowsTitle(x, window);
    if (!painted) nanosleep(&pause, nullptr);
  }
  const double seconds = Now() - start;
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return painted ? seconds : -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--tiny") {
      o.tiny = true;
      o.maps = 50;
      o.records = 50;
      o.runs = 1;
    } else if (a == "--only" && i + 1 < argc) {
      o.only = argv[++i];
    } else if (a == "--runs" && i + 1 < argc) {
      o.runs = std::atoi(argv[++i]);
    } else if (a == "--rss" && i + 2 < argc) {
      return WindowChild(argc, argv, argv[i + 1], argv[i + 2]);
    }
  }
  // The offscreen platform's notes about raise() and keyboard grabs are noise here.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication app(argc, argv);
  std::vector<Row> rows;
  NullHost host;

  Fixture worst;
  tarq::bench::Build(worst, o.maps, o.records);
  const auto listFolder = [&] {
    auto names = tarq::platform::ListPlainFiles(worst.maps, [](std::string_view) { return true; });
    auto bytes = tarq::platform::ReadWholeFile(worst.commentFile);
    if (!names || bytes.bytes.empty()) std::abort();
  };
  char scale[96];
  std::snprintf(scale, sizeof scale, "%d maps, %d records", o.maps, o.records);

  if (o.only.empty() || o.only == "1") {  // 1: the rebuild through the form model
    tarq::forms::FrmMain form(host, worst.program);
    form.Form_Load();
    if (form.cmbMap.ListCount() != std::min(o.maps + 1, 32768)) std::abort();
    const auto [s, f] = Compare(
        o.runs, [&] { form.RebuildMapList(); }, listFolder);
    rows.push_back({"1", std::string("RebuildMapList, form model, ") + scale, Ms(s),
                    "list the folder + read tarqcom.dat", Ms(f), s / f, "<= 1.5", s / f <= 1.5});
  }
  if (o.only.empty() || o.only == "2") {  // 2 and 3: through the Qt window
    tarq::forms::MainController controller;
    tarq::forms::FrmMain model(controller, worst.program);
    model.Form_Load();
    tarq::ui::qt::MainWindow window(controller, model);
    ShowAndPaint(window);
    const auto [s, f] = Compare(
        o.runs, [&] { model.RebuildMapList(); }, listFolder);
    rows.push_back({"2", "RebuildMapList with the Qt list taking the rows", Ms(s),
                    "list the folder + read tarqcom.dat", Ms(f), s / f, "<= 2", s / f <= 2.0});

    auto* list = window.findChild<QComboBox*>(QStringLiteral("cmbMapComment"));
    // The same kind of drop-down, bound the same way, with 20 rows.
    tarq::forms::ComboList twenty;
    twenty.ReplaceRows(std::make_shared<TwoRowsRepeated>(model.cmbMapComment.List(0),
                                                         model.cmbMapComment.List(1), 20));
    tarq::forms::ControlLayout row{};
    for (const auto& c : tarq::forms::kFrmMainLayout.controls) {
      if (c.name == "cmbMapComment") row = c;
    }
    row.top += 600;  // 40 pixels below
    const bool bound = true;
    tarq::forms::BoundControl control(row, {.list = &twenty}, bound);
    const auto small = tarq::ui::qt::MakeControl(window, control);
    small->ShowRows();
    small->Widget()->show();
    const auto [p, q] = Compare(
        o.runs, [&] { OpenDropDown(list); },
        [&] { OpenDropDown(static_cast<QComboBox*>(small->Widget())); });
    rows.push_back({"3", "open the map list's drop-down (popup shown and painted)", Ms(p),
                    "a drop-down of 20 rows", Ms(q), p / q, "<= 3", p / q <= 3.0});
  }
  if (o.only.empty() || o.only == "4") {  // 4: save and delete on the worst-case file
    const tarq::catalogue::CommentStore store(worst.commentFile);
    const std::string name = tarq::catalogue::ListMapFiles(worst.maps)->front();
    const std::string copy = worst.commentFile + ".copy";
    const auto durableCopy = [&] {
      const auto bytes = tarq::platform::ReadWholeFile(worst.commentFile);
      if (!tarq::platform::ReplaceFileContents(copy, bytes.bytes)) std::abort();
    };
    // Each run pairs the operation with a copy right after it, and the
    // ratio is the median of the runs' own ratios: the sync's time swings
    // with the machine's other writes, by phases that weigh on both sides.
    std::vector<double> saves, deletes, saveFloors, deleteFloors;
    durableCopy();  // the file into the page cache once
    for (int i = 0; i < o.runs; ++i) {
      saves.push_back(Seconds([&] {
        if (store.SaveComment(name, "◎", "saved by the benchmark") !=
            tarq::catalogue::StoreStatus::kOk) {
          std::abort();
        }
      }));
      saveFloors.push_back(Seconds(durableCopy));
      deletes.push_back(Seconds([&] {
        if (store.DeleteComment(name) != tarq::catalogue::StoreStatus::kOk) std::abort();
      }));
      deleteFloors.push_back(Seconds(durableCopy));
    }
    const double s = PairedRatio(saves, saveFloors), d = PairedRatio(deletes, deleteFloors);
    const char* floorWhat = "copy the file (read whole, write whole, sync, rename)";
    rows.push_back({"4a", "SaveComment on the worst-case file", Ms(Median(saves)), floorWhat,
                    Ms(Median(saveFloors)), s, "<= 1.5, runs paired", s <= 1.5});
    rows.push_back({"4b", "DeleteComment on the worst-case file", Ms(Median(deletes)), floorWhat,
                    Ms(Median(deleteFloors)), d, "<= 1.5, runs paired", d <= 1.5});
  }
  if (o.only.empty() || o.only == "5") {  // 5: process start to the first paint
    Fixture typical;
    tarq::bench::Build(typical, o.tiny ? 10 : 100, o.tiny ? 5 : 50);
    // The launcher keeps its data beside itself.
    const std::string launcher = typical.program + "/tarq";
    std::filesystem::copy_file(TARQ_APP, launcher);
    const std::string what =
        "the launcher, process start to the first paint on X, 100 maps and 50 records restored";
    const char* floorWhat =
        "the same window without the launcher: 21 widgets, their rows and fonts, no files read";
    // Start-up as users see it is on a display server; `make bench` runs on
    // Xvfb.
    const char* display = std::getenv("DISPLAY");
    Display* x = display != nullptr && *display != '\0' ? XOpenDisplay(nullptr) : nullptr;
    if (x == nullptr) {
      rows.push_back({"5", what, "-", floorWhat, "-", 0, "<= 1.3 (needs an X display)", false});
    } else {
      const auto once = [&](const std::string& program) {
        const double painted = StartUntilPainted(x, program);
        if (painted < 0) std::abort();
        return painted;
      };
      once(launcher);  // the libraries and fonts into the page cache once
      once(TARQ_QT_FLOOR);
      std::vector<double> main, bare;
      for (int i = 0; i < std::max(o.runs, 1); ++i) {
        main.push_back(once(launcher));
        bare.push_back(once(TARQ_QT_FLOOR));
      }
      XCloseDisplay(x);
      const double s = Median(main), f = Median(bare), ratio = PairedRatio(main, bare);
      rows.push_back(
          {"5", what, Ms(s), floorWhat, Ms(f), ratio, "<= 1.3, rounds paired", ratio <= 1.3});
    }
  }
  if (o.only.empty() || o.only == "6") {  // 6: peak resident memory
    const double worstKiB = RunChild(argv[0], "--rss", "worst", worst.program);
    const double bareKiB = RunChild(argv[0], "--rss", "bare", worst.program);
    const double extraMiB = static_cast<double>(worstKiB - bareKiB) / 1024.0;
    rows.push_back({"6", "peak resident memory, worst case shown with its drop-down open",
                    MiB(worstKiB), "the bare window", MiB(bareKiB), worstKiB / bareKiB,
                    "<= +20 MiB", worstKiB > 0 && bareKiB > 0 && extraMiB <= 20.0});
  }
  if (o.only.empty() ||
      o.only == "7") {  // 7: the rows by the per-map scan over all records, against ours
    const auto names = tarq::catalogue::ListMapFiles(worst.maps);
    const auto snapshot = tarq::catalogue::CommentStore(worst.commentFile).ReadAllComments();
    const auto& records = snapshot.records;
    std::size_t sink = 0;
    const int runs = o.tiny ? 1 : 3;
    std::vector<double> naive, ours;
    for (int i = 0; i < runs; ++i) {
      naive.push_back(Seconds([&] {
        for (const auto& n : *names) sink += tarq::testing::ReferenceMapRow(n, records).size();
      }));
      ours.push_back(Seconds([&] {
        const tarq::catalogue::RecordIndex index(records);
        for (const auto& n : *names) sink += index.ComposeMapRow(n).size();
      }));
    }
    const double s = Median(naive), f = Median(ours);
    rows.push_back({"7", "map rows by scanning every record per map (the naive way)", Ms(s),
                    "ours: records indexed by name once", Ms(f), s / f, "speed-up (hundreds)",
                    sink > 0});
  }
  const bool all = Print(rows);
  return o.tiny || all ? 0 : 1;
}
