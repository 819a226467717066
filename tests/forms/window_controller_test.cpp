// The window controller against a window that records what it is told: one
// table of window events and the model calls they must make.

#include "forms/window_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarq::forms {
namespace {

using Log = std::vector<std::string>;

class TestForm final : public Form {
 public:
  TestForm();
  Label label;
  ComboList list;
  TextBox text;
  FolderList folders;
  void Form_Activate() override { log.push_back("activate"); }
  bool CloseBox() override {
    log.push_back("close");
    return Enabled();
  }
  void Go() { log.push_back("go"); }
  void Focused() { log.push_back("gotFocus"); }
  Log log;
};

const core::OptionRow kRows[] = {{"a", 0}, {"b", 0}, {"c", 0}};
const ControlLayout kControls[] = {
    {"caption", nullptr, ControlKind::kCaptionLabel, 0, 0, 9, 9, 0, "C", {}, {}},
    {"label", Bind<&TestForm::label>, ControlKind::kValueLabel, 0, 0, 9, 9, 1, "", {}, {}},
    {"list",
     Bind<&TestForm::list, GotFocus<&TestForm::Focused>>,
     ControlKind::kDropDownList,
     0,
     0,
     9,
     9,
     3,
     "",
     kRows,
     {}},
    {"text", Bind<&TestForm::text>, ControlKind::kTextBox, 0, 0, 9, 9, 4, "", {}, {}},
    {"go", Bind<Click<&TestForm::Go>>, ControlKind::kButton, 0, 0, 9, 9, 2, "Go", {}, {}},
    {"hidden",
     Bind<&TestForm::folders>,
     ControlKind::kFolderList,
     0,
     0,
     9,
     9,
     5,
     "",
     {},
     {},
     {},
     {},
     false},
};
const WindowLayout kLayout{"test", "Test", WindowKind::kMain, 99, 99, kControls};

TestForm::TestForm() : Form(kLayout) {
  AddLayoutRows(*this);
}

class RecordingWindow final : public WindowView {
 public:
  class Control final : public ControlView {
   public:
    Control(RecordingWindow& w, const BoundControl& c) : w_(w), name_(c.Row().name) {}
    void ShowText(const std::string& text) override { w_.Note(name_ + "=" + text); }
    void ShowListIndex(int index) override { w_.Note(name_ + "=" + std::to_string(index)); }
    void Focus() override { w_.focus = this; }
    bool HasFocus() const override { return w_.focus == this; }
    bool Enabled() const override { return true; }

   private:
    RecordingWindow& w_;
    std::string name_;
  };

  void Attach(WindowController&) override {}
  ControlView* MakeControl(BoundControl& c) override {
    controls.push_back(std::make_unique<Control>(*this, c));
    made.push_back({&c, controls.back().get()});
    return controls.back().get();
  }
  void SetTabOrder(const std::vector<ControlView*>& order) override { tabs = order.size(); }
  void NameControl(ControlView&, ControlView&) override {}
  void NameControl(ControlView&, std::string_view) override {}
  void Show() override {}
  void SetEnabled(bool enabled) override { Note(enabled ? "enabled" : "disabled"); }
  void Activate() override {}
  void Hide() override { Note("hidden"); }
  void Destroy() override {}
  void Post(std::function<void()> task) override { posted.push_back(std::move(task)); }
  void MsgBox(std::string_view) override {}
  void Note(const std::string& what) { shown.push_back(what); }

  WindowController controller;
  std::vector<std::unique_ptr<Control>> controls;
  std::vector<std::pair<BoundControl*, ControlView*>> made;
  std::size_t tabs = 0;
  ControlView* focus = nullptr;
  std::vector<std::function<void()>> posted;
  Log shown;
};

struct Step {
  const char* what;
  std::function<void(TestForm&, RecordingWindow&)> event;
  Log model;  // what reached the model's procedures
  Log shown;  // what the window was told
};

BoundControl& ControlNamed(RecordingWindow& w, std::string_view name) {
  for (const auto& [c, view] : w.made) {
    if (c->Row().name == name) return *c;
  }
  throw std::out_of_range(std::string(name));
}

ControlView* ViewNamed(RecordingWindow& w, std::string_view name) {
  for (const auto& [c, view] : w.made) {
    if (c->Row().name == name) return view;
  }
  return nullptr;
}

TEST(WindowController, TurnsWindowEventsIntoModelCalls) {
  TestForm form;
  RecordingWindow window;
  window.controller.Bind(form, window);
  EXPECT_EQ(window.made.size(), 5u) << "the hidden row gets no control";
  EXPECT_EQ(window.tabs, 3u) << "labels are not visited by Tab";
  const Step steps[] = {
      {"the first show focuses the first in Tab order",
       [](auto&, auto& w) {
         w.controller.Shown();
         EXPECT_TRUE(ViewNamed(w, "go")->HasFocus());
       },
       {},
       {}},
      {"a click runs the procedure",
       [](auto&, auto& w) { ControlNamed(w, "go").Clicked(); },
       {"go"},
       {}},
      {"a pick sets the list",
       [](auto&, auto& w) { ControlNamed(w, "list").Picked(2); },
       {},
       {"list=2"}},
      {"an edit sets the text",
       [](auto&, auto& w) { ControlNamed(w, "text").Edited("x"); },
       {},
       {"text=x"}},
      {"focus from the user",
       [](auto&, auto& w) { ControlNamed(w, "list").FocusedByUser(); },
       {"gotFocus"},
       {}},
      {"the model's caption is shown",
       [](auto& f, auto&) { f.label.SetCaption("L"); },
       {},
       {"label=L"}},
      {"activation runs Form_Activate once, after the event",
       [](auto&, auto& w) {
         w.controller.Activated();
         w.controller.Activated();
         EXPECT_EQ(w.posted.size(), 1u);
         w.posted.front()();
       },
       {"activate"},
       {}},
      {"disabled and enabled again, the focus comes back",
       [](auto& f, auto& w) {
         w.focus = ViewNamed(w, "text");
         f.SetEnabled(false);
         w.focus = nullptr;
         f.SetEnabled(true);
         EXPECT_TRUE(ViewNamed(w, "text")->HasFocus());
       },
       {},
       {"disabled", "enabled"}},
      {"a refused close box keeps the window",
       [](auto& f, auto& w) {
         f.SetEnabled(false);
         EXPECT_FALSE(w.controller.CloseBox());
       },
       {"close"},
       {"disabled"}},
      {"detached, nothing reaches the model",
       [](auto& f, auto& w) {
         w.controller.Detach();
         ControlNamed(w, "go").Clicked();
         ControlNamed(w, "list").Picked(1);
         f.label.SetCaption("gone");
         EXPECT_TRUE(w.controller.CloseBox());
         EXPECT_EQ(f.list.ListIndex(), 2);
       },
       {},
       {"hidden"}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    form.log.clear();
    window.shown.clear();
    step.event(form, window);
    EXPECT_EQ(form.log, step.model);
    EXPECT_EQ(window.shown, step.shown);
  }
}

}  // namespace
}  // namespace tarq::forms
