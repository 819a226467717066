#pragma once
// The three windows as data: each window's controls in one table, with
// their kind, place and size in twips, tab index, initial caption or rows,
// font, and whether they are shown and enabled. Both front ends build their
// windows by walking these tables and bind each control to the form
// model's control of the same name:
//
//   WindowLayout ──walk──> a widget per shown row ──Control(name)──> model
//
// Twips: 1440 to the inch, 15 to the pixel at 96 dots per inch; places are
// relative to the client area's top-left corner.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/launch_options.h"

namespace tarq::forms {

class ComboList;
class FolderList;
class Label;
class TextBox;

enum class ControlKind : std::uint8_t {
  kCaptionLabel,       // yellow on the window's black, no border; sizes itself to its text
  kFixedCaptionLabel,  // the same, keeping its size
  kValueLabel,         // single border, button face; cuts off what does not fit
  kButton,
  kDropDownList,  // pick a row, no typing
  kTextBox,       // one line
  kFolderList,
  kDriveList,  // a drop-down list of drives
  kFileList,   // never shown: the form model alone carries it
};

inline constexpr std::string_view kGothic = "ＭＳ ゴシック";     // fixed pitch
inline constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";  // proportional

// No family: the window's font, the platform's font for Japanese text.
struct FontSpec {
  std::string_view family;
  int points = 0;
  bool bold = false;
  bool italic = false;
};

struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  int left, top, width, height;  // twips
  int tabIndex;
  std::string_view caption;               // labels and buttons
  std::span<const core::OptionRow> rows;  // lists filled at creation
  FontSpec font;
  bool visible = true;
  bool enabled = true;
};

enum class WindowKind : std::uint8_t {
  kMain,        // fixed border, minimise and close, a taskbar button
  kToolDialog,  // fixed tool window with a close box only, no taskbar button,
                // its client area at kDialogLeft, kDialogTop on the screen
};

inline constexpr int kDialogLeftTwips = 2760;
inline constexpr int kDialogTopTwips = 3690;

struct WindowLayout {
  std::string_view name;
  std::string_view caption;
  WindowKind kind;
  int width, height;            // client area, twips
  std::string_view firstFocus;  // the control that has the focus when shown
  std::span<const ControlLayout> controls;

  const ControlLayout* Find(std::string_view control) const;
  // The controls the Tab key visits, in tab-index order: shown ones other
  // than labels. A disabled one is skipped by the toolkit.
  std::vector<const ControlLayout*> TabOrder() const;
};

extern const WindowLayout kFrmMainLayout;
extern const WindowLayout kDlgCommentLayout;
extern const WindowLayout kDlgFldSelectLayout;

// Pixels for twips at a resolution, rounded to the nearest.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  return (twips * dpi + 720) / 1440;
}

// A form model's side of one control of its table: what a view binds the
// control's widget to. Members that the control does not have stay empty.
struct ControlBinding {
  Label* label = nullptr;
  ComboList* list = nullptr;
  TextBox* textBox = nullptr;
  FolderList* folderList = nullptr;
  std::function<void()> click = {};     // a button's click
  std::function<void()> gotFocus = {};  // the control receives the focus from the user
};

// Fills a list with the rows its table row gives it.
void AddLayoutRows(ComboList& list, const WindowLayout& layout, std::string_view name);

}  // namespace tarq::forms
