#include "support/recording_host.h"

#include "forms/dialog_form.h"
#include "forms/layout.h"

namespace tarq::testing {

void RecordingHost::MsgBox(std::string_view text) {
  messages.emplace_back(text);
}

void RecordingHost::ShowDialog(forms::DialogForm& dialog) {
  events.emplace_back(&dialog.Layout() == &forms::kDlgCommentLayout ? "show comment"
                                                                    : "show folder");
  dialog.Form_Activate();
}

void RecordingHost::CloseDialog() {
  events.emplace_back("close");
}

}  // namespace tarq::testing
