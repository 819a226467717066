#pragma once

#include <string>
#include <vector>

#include "forms/dialog_form.h"
#include "forms/form_host.h"
#include "forms/layout.h"

namespace tarq::testing {

// Stands in for the windows: records the messages a form model shows, and
// the dialogs it opens and closes. A shown dialog is activated at once, as
// its window would be.
class RecordingHost : public forms::FormHost {
 public:
  void MsgBox(std::string_view text) override { messages.emplace_back(text); }
  void ShowDialog(forms::DialogForm& dialog) override {
    events.emplace_back(&dialog.Layout() == &forms::kDlgCommentLayout ? "show comment"
                                                                      : "show folder");
    dialog.Form_Activate();
  }
  void CloseDialog() override { events.emplace_back("close"); }

  std::vector<std::string> messages;
  std::vector<std::string> events;
};

}  // namespace tarq::testing
