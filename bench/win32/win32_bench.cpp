// The Win32 front end's figures under Wine, each a median over repeated
// runs against a floor measured in the same run, printed in the table of
// the Qt benchmark. `--tiny` runs every row once at a small size.

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "../bench_table.h"
#include "../worst_case.h"
#include "forms/frm_main.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "support/null_host.h"
#include "ui/win32/controls.h"
#include "ui/win32/look.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/system_fonts.h"

namespace {

using namespace tarq::bench;  // the fixtures and the table
using tarq::testing::NullHost;
using tarq::ui::win32::Wide;

struct Options {
  bool tiny = false;
  int maps = 32767;
  int records = 32767;
  int runs = 9;
  std::wstring only;  // run just this row group (W1, W2, W3, W4)
};

double Now() {
  LARGE_INTEGER t{}, f{};
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Dispatches until no message and no paint is pending: every window has
// painted.
void PaintAll() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) tarq::ui::win32::Dispatch(message);
  }
}

// The floor of W3's memory: a black window of the main window's
// client size with one Japanese label in the message font.
void ShowBareWindow() {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = L"TARQ.Bare";
  RegisterClassExW(&c);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT r{0, 0, tarq::forms::TwipsToPixels(tarq::forms::kFrmMainLayout.width),
         tarq::forms::TwipsToPixels(tarq::forms::kFrmMainLayout.height)};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  const HWND window =
      CreateWindowExW(0, c.lpszClassName, L"bare", style, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, c.hInstance, nullptr);
  const HWND label = CreateWindowExW(0, L"STATIC", L"Half-Lifeフォルダ", WS_CHILD | WS_VISIBLE, 8,
                                     40, 120, 17, window, nullptr, c.hInstance, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(tarq::ui::win32::MakeFont({}, 96)),
               FALSE);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
}

double PeakKiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

// Child mode of W3: shows the bare window or the launcher's main window on
// a program folder, lets it paint, drops the map list down once and writes
// to `out` the peak working set in KiB.
int WindowChild(const std::wstring& what, const std::wstring& program, const std::wstring& out) {
  tarq::forms::MainController controller;
  std::unique_ptr<tarq::forms::FrmMain> model;
  std::unique_ptr<tarq::ui::win32::MainWindow> window;
  if (what == L"bare") {
    ShowBareWindow();
    PaintAll();
  } else {
    model = std::make_unique<tarq::forms::FrmMain>(controller, tarq::ui::win32::Narrow(program));
    model->Form_Load();
    window = std::make_unique<tarq::ui::win32::MainWindow>(controller, *model);
    window->Show(SW_SHOWNORMAL);
    PaintAll();
    HWND list = nullptr;
    for (const auto& c : tarq::forms::kFrmMainLayout.controls) {
      if (c.name == "cmbMapComment") {
        list = GetDlgItem(window->Handle(),
                          tarq::ui::win32::ControlId(tarq::forms::kFrmMainLayout, c));
      }
    }
    SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
    PaintAll();
    SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  }
  const double value = PeakKiB();
  FILE* f = _wfopen(out.c_str(), L"w");
  if (f == nullptr) return 1;
  std::fprintf(f, "%.9f\n", value);
  std::fclose(f);
  return 0;
}

// Runs this program in a child mode and returns the number it writes.
double RunChild(const wchar_t* mode, const wchar_t* what, const std::string& program) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring out = Wide(tarq::platform::JoinPath(program, "bench.out"));
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + mode + L" " + what + L" \"" +
                         Wide(program) + L"\" \"" + out + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  FILE* f = _wfopen(out.c_str(), L"r");
  if (f == nullptr) return -1;
  double value = -1;
  if (std::fscanf(f, "%lf", &value) != 1) value = -1;
  std::fclose(f);
  DeleteFileW(out.c_str());
  return value;
}

// Starts a program in a folder and returns the seconds until it waits for
// input with nothing left to do: its window shown and painted. The program
// is then ended, before it writes anything.
double StartUntilIdle(const std::wstring& program, const std::wstring& folder,
                      const std::wstring& argument = {}) {
  std::wstring command = L"\"" + program + L"\"";
  if (!argument.empty()) command += L" \"" + argument + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return -1;
  }
  const bool idle = WaitForInputIdle(process.hProcess, 60000) == 0;
  const double seconds = Now() - start;
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return idle ? seconds : -1;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--tiny") {
      o.tiny = true;
      o.maps = 50;
      o.records = 50;
      o.runs = 1;
    } else if (a == L"--only" && i + 1 < argc) {
      o.only = argv[++i];
    } else if (a == L"--runs" && i + 1 < argc) {
      o.runs = _wtoi(argv[++i]);
    } else if (a == L"--rss" && i + 3 < argc) {
      return WindowChild(argv[i + 1], argv[i + 2], argv[i + 3]);
    }
  }
  std::vector<Row> rows;
  Fixture worst;
  tarq::bench::Build(worst, o.maps, o.records);
  const auto ioFloor = [&] {
    auto names = tarq::platform::ListPlainFiles(worst.maps, [](std::string_view) { return true; });
    auto bytes = tarq::platform::ReadWholeFile(worst.commentFile);
    if (!names || bytes.bytes.empty()) std::abort();
  };
  char scale[96];
  std::snprintf(scale, sizeof scale, "%d maps, %d records", o.maps, o.records);
  const std::string floorWhat = "list the folder + read tarqcom.dat";

  const auto wanted = [&](const wchar_t* group) { return o.only.empty() || o.only == group; };
  if (wanted(L"W1")) {  // W1: start-up to the first paint
    Fixture typical;
    tarq::bench::Build(typical, o.tiny ? 10 : 100, o.tiny ? 5 : 50);
    // tarq.exe keeps its data beside itself.
    const std::wstring tarq = Wide(tarq::platform::JoinPath(typical.program, "tarq.exe"));
    if (!CopyFileW(Wide(TARQ_EXE).c_str(), tarq.c_str(), FALSE)) std::abort();
    const std::wstring floor = Wide(TARQ_WIN32_FLOOR_EXE);
    const std::wstring folder = Wide(typical.program);
    // The face tarq.exe draws its window font in, for the floor to draw in.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const std::wstring windowFace =
        tarq::ui::win32::JapaneseUiFont(metrics.lfMessageFont).lfFaceName;
    const auto once = [&](const std::wstring& program) {
      const double painted = StartUntilIdle(program, folder, program == floor ? windowFace : L"");
      if (painted < 0) std::abort();
      return painted;
    };
    // For comparison: tarq.exe where it finds no settings, so it lists no
    // maps and reads no comments.
    const std::string empty = tarq::platform::JoinPath(typical.root, "empty");
    CreateDirectoryW(Wide(empty).c_str(), nullptr);
    const std::wstring alone = Wide(tarq::platform::JoinPath(empty, "tarq.exe"));
    if (!CopyFileW(Wide(TARQ_EXE).c_str(), alone.c_str(), FALSE)) std::abort();
    const auto onceAlone = [&] {
      const double painted = StartUntilIdle(alone, Wide(empty));
      if (painted < 0) std::abort();
      return painted;
    };
    once(tarq);  // the programs and fonts into the page cache once
    once(floor);
    onceAlone();
    // Each round in an order of its own. Wine's start-up times swing with
    // the machine's other work, by phases of a few rounds: the ratio is the
    // median of the rounds' own ratios, each of programs started one after
    // the other.
    std::vector<double> main, bare, unset;
    std::mt19937 order(7);
    for (int i = 0; i < (o.tiny ? o.runs : std::max(o.runs, 15)); ++i) {
      int which[] = {0, 1, 2};
      std::shuffle(std::begin(which), std::end(which), order);
      for (const int w : which) {
        if (w == 0) main.push_back(once(tarq));
        if (w == 1) bare.push_back(once(floor));
        if (w == 2) unset.push_back(onceAlone());
      }
    }
    const double s = Median(main), f = Median(bare), u = Median(unset);
    const double ratio = PairedRatio(main, bare);
    rows.push_back({"W1",
                    "Win32: tarq.exe, process start until idle after the first paint, 100 maps and "
                    "50 records restored",
                    Ms(s),
                    "the same window without the launcher: 21 controls, their rows and fonts, "
                    "no files read",
                    Ms(f), ratio, "<= 1.1, rounds paired", ratio <= 1.1});
    rows.push_back({"W1e", "for comparison: W1 in a folder without settings (no maps listed)",
                    Ms(u), "the floor of W1", Ms(f), PairedRatio(unset, bare), "none", true});
  }
  if (wanted(L"W2")) {  // W2: the worst-case map lists through the Win32 window
    tarq::forms::MainController controller;
    tarq::forms::FrmMain model(controller, worst.program);
    model.Form_Load();
    tarq::ui::win32::MainWindow window(controller, model);
    window.Show(SW_SHOWNORMAL);
    PaintAll();
    if (model.cmbMapComment.ListCount() != std::min(o.maps + 1, 32768)) std::abort();
    const auto [s, f] = Compare(
        o.runs, [&] { model.RebuildMapList(); }, ioFloor);
    rows.push_back({"W2",
                    std::string("Win32: RebuildMapList, the map list taking the rows, ") + scale,
                    Ms(s), floorWhat, Ms(f), s / f, "<= 2", s / f <= 2.0});

    // From a game folder without maps to the worst case: the list grows from
    // one row to all of them.
    const std::string game = model.labHL.Caption();
    const std::string bare = tarq::platform::JoinPath(worst.root, "no maps");
    std::vector<double> fills, floors;
    for (int i = 0; i < o.runs; ++i) {
      model.labHL.SetCaption(bare);
      fills.push_back(Seconds([&] { model.labHL.SetCaption(game); }));
      floors.push_back(Seconds(ioFloor));
    }
    const double g = Median(fills), h = Median(floors);
    rows.push_back({"W2a", "Win32: the game folder set, the map lists filled from 1 row to all",
                    Ms(g), floorWhat, Ms(h), g / h, "<= 2", g / h <= 2.0});

    // The same through the form model alone: what the window adds to W2a.
    NullHost host;
    tarq::forms::FrmMain alone(host, worst.program);
    alone.Form_Load();
    std::vector<double> models, modelFloors;
    for (int i = 0; i < o.runs; ++i) {
      alone.labHL.SetCaption(bare);
      models.push_back(Seconds([&] { alone.labHL.SetCaption(game); }));
      modelFloors.push_back(Seconds(ioFloor));
    }
    const double m = Median(models), n = Median(modelFloors);
    rows.push_back({"W2m", "for comparison: W2a through the form model alone", Ms(m), floorWhat,
                    Ms(n), m / n, "none", true});
  }
  if (wanted(L"W3")) {  // W3: peak memory
    const double worstKiB = RunChild(L"--rss", L"main", worst.program);
    const double bareKiB = RunChild(L"--rss", L"bare", worst.program);
    const double extraMiB = (worstKiB - bareKiB) / 1024.0;
    rows.push_back({"W3", "Win32: peak working set, worst case shown with its drop-down open",
                    MiB(worstKiB), "the bare window", MiB(bareKiB), worstKiB / bareKiB,
                    "<= +20 MiB", worstKiB > 0 && bareKiB > 0 && extraMiB <= 20.0});
  }
  if (wanted(L"W4")) {  // W4: the size of tarq.exe
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool found =
        GetFileAttributesExW(Wide(TARQ_EXE).c_str(), GetFileExInfoStandard, &data) != 0;
    const double kib = found ? static_cast<double>(data.nFileSizeLow) / 1024.0 : 0;
    char size[32];
    std::snprintf(size, sizeof size, "%.0f KiB", kib);
    rows.push_back({"W4", "size of tarq.exe (stripped, statically linked)", size, "2 MiB",
                    "2048 KiB", kib / 2048.0, "<= 2 MiB", found && kib <= 2048.0});
  }
  const bool all = Print(rows);
  return o.tiny || all ? 0 : 1;
}
