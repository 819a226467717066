#pragma once
// The three windows as data: each window's controls in one table, with
// their name, the form model's control they show (by member pointer, so
// the compiler checks it), kind, place and size in twips, tab index,
// initial caption or rows, font, and whether they are shown and enabled.
// WindowController walks a table to build a window in either front end:
//
//   WindowLayout ──walk──> an adapter per shown row ──row.binder(form)──> model
//
// Twips: 1440 to the inch, 15 to the pixel at 96 dots per inch; places are
// relative to the client area's top-left corner.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/launch_options.h"
#include "forms/controls.h"
#include "forms/folder_list.h"
#include "forms/form.h"

namespace tarq::forms {

enum class ControlKind : std::uint8_t {
  kCaptionLabel,       // yellow on the window's black, no border; sizes itself to its text
  kFixedCaptionLabel,  // the same, keeping its size
  kValueLabel,         // single border, button face; cuts off what does not fit
  kButton,
  kDropDownList,  // pick a row, no typing
  kTextBox,       // one line
  kFolderList,
  kDriveList,  // a drop-down list of drives
  kFileList,   // the form model alone carries it: its row is not shown
};

constexpr bool IsCaption(ControlKind kind) {
  return kind == ControlKind::kCaptionLabel || kind == ControlKind::kFixedCaptionLabel;
}

// Labels take no focus and are coloured by the window.
constexpr bool IsLabel(ControlKind kind) {
  return IsCaption(kind) || kind == ControlKind::kValueLabel;
}

struct Colour {
  std::uint8_t red, green, blue;
};
inline constexpr Colour kWindowColour{0, 0, 0};       // every window's background
inline constexpr Colour kCaptionColour{255, 255, 0};  // caption labels' text on it

inline constexpr std::string_view kGothic = "ＭＳ ゴシック";     // fixed pitch
inline constexpr std::string_view kPGothic = "ＭＳ Ｐゴシック";  // proportional

// No family: the window's font, which each front end's look chooses (the
// system's message font on Windows; on Linux the map lists' face, falling
// back to the platform's family for Japanese text).
struct FontSpec {
  std::string_view family;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool operator==(const FontSpec&) const = default;
};

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

// Binds a row's control to its form model (nullptr: a caption the model does
// not keep). Made by Bind below.
using Binder = ControlBinding (*)(Form& form);

struct ControlLayout {
  std::string_view name;
  Binder binder;
  ControlKind kind;
  int left, top, width, height;  // twips
  int tabIndex;
  std::string_view caption;               // labels and buttons
  std::span<const core::OptionRow> rows;  // lists filled at creation
  FontSpec font;
  // The caption label that names the control for screen readers, by its
  // row's name; empty for none. A caption names one control at most.
  std::string_view labelledBy = {};
  // The name screen readers read for a control that no caption names and
  // whose caption says nothing when read aloud; it wins over both.
  std::string_view accessibleName = {};
  bool visible = true;
  bool enabled = true;
};

enum class WindowKind : std::uint8_t {
  kMain,        // fixed border, minimise and close, a taskbar button
  kToolDialog,  // fixed tool window with a close box only, no taskbar button,
                // its client area at kDialogLeftTwips, kDialogTopTwips from the
                // top-left corner of the main window's monitor; screen readers
                // announce it as a dialog
};

inline constexpr int kDialogLeftTwips = 2760;
inline constexpr int kDialogTopTwips = 3690;

// A rectangle of the screen in pixels, right and bottom excluded.
struct ScreenRect {
  int left, top, right, bottom;
  bool operator==(const ScreenRect&) const = default;
};

// Where a dialog's frame goes on the monitor that holds the main window:
// `frame` is the frame around its client area with the client area's
// top-left corner at 0, 0; that corner goes to `offsetX`, `offsetY` from the
// monitor's top-left corner. The frame is then moved as little as needed to
// lie within the monitor's work area; where it is larger, its top-left
// corner stays inside, so that the title bar can be reached.
ScreenRect DialogFrameOnMonitor(const ScreenRect& monitor, const ScreenRect& workArea,
                                const ScreenRect& frame, int offsetX, int offsetY);

struct WindowLayout {
  std::string_view name;
  std::string_view caption;
  WindowKind kind;
  int width, height;  // client area, twips
  std::span<const ControlLayout> controls;

  // The controls the Tab key visits, in tab-index order: shown ones other
  // than labels. A disabled one is skipped by the toolkit.
  std::vector<const ControlLayout*> TabOrder() const;
  // The control that has the focus when the window is shown: the first the
  // Tab key visits.
  const ControlLayout* FirstFocus() const;
  // The caption label that names a control, or nullptr.
  const ControlLayout* CaptionOf(const ControlLayout& control) const;
};

extern const WindowLayout kFrmMainLayout;
extern const WindowLayout kDlgCommentLayout;
extern const WindowLayout kDlgFldSelectLayout;

// Pixels for twips at a resolution, rounded to the nearest.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  return (twips * dpi + 720) / 1440;
}

// Fills the form's lists with the rows their table rows give them.
void AddLayoutRows(Form& form);

namespace detail {

template <typename>
struct MemberOf;
template <typename C, typename M>
struct MemberOf<M C::*> {
  using Class = C;
  using Type = M;
};

// The form's layout names members of its own class only.
template <auto member>
auto& FormOf(Form& form) {
  return static_cast<typename MemberOf<decltype(member)>::Class&>(form);
}

template <auto procedure>
std::function<void()> EventOf(Form& form) {
  auto& f = FormOf<procedure>(form);
  return [&f] { (f.*procedure)(); };
}

using Role = void (*)(Form& form, ControlBinding& b);

template <auto member>
void AddMember(Form& form, ControlBinding& b) {
  if constexpr (std::is_same_v<decltype(member), Role>) {
    member(form, b);  // an event procedure in its role
  } else {
    using Type = typename MemberOf<decltype(member)>::Type;
    static_assert(!std::is_function_v<Type>,
                  "an event procedure is named by its role: Click<> or GotFocus<>");
    auto& control = FormOf<member>(form).*member;
    if constexpr (std::is_same_v<Type, Label>) {
      b.label = &control;
    } else if constexpr (std::is_same_v<Type, ComboList>) {
      b.list = &control;
    } else if constexpr (std::is_same_v<Type, TextBox>) {
      b.textBox = &control;
    } else {
      static_assert(std::is_same_v<Type, FolderList>, "a control or an event procedure");
      b.folderList = &control;
    }
  }
}

}  // namespace detail

// The roles an event procedure of the model plays for a row's control.
template <auto procedure>
void Click(Form& form, ControlBinding& b) {  // a button's click
  b.click = detail::EventOf<procedure>(form);
}
template <auto procedure>
void GotFocus(Form& form, ControlBinding& b) {  // the user moves the focus to it
  b.gotFocus = detail::EventOf<procedure>(form);
}

// A table row's binder: the model's control and the event procedures it
// raises, each named by its role:
//   Bind<&FrmMain::labHL>
//   Bind<Click<&FrmMain::cmdStart_Click>>
//   Bind<&FrmMain::cmbMapComment, GotFocus<&FrmMain::cmbMapComment_GotFocus>>
template <auto... members>
ControlBinding Bind(Form& form) {
  ControlBinding b;
  (detail::AddMember<members>(form, b), ...);
  return b;
}

}  // namespace tarq::forms
