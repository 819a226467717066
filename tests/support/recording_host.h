#pragma once

#include <string>
#include <vector>

#include "forms/dlg_comment.h"
#include "forms/dlg_fld_select.h"
#include "forms/form_host.h"

namespace tarq::testing {

// Stands in for the windows: records the messages a form model shows, and
// the dialogs it opens and closes. A shown comment dialog is activated at
// once, as its window would be.
class RecordingHost : public forms::FormHost {
 public:
  void MsgBox(std::string_view text) override { messages.emplace_back(text); }
  void ShowCommentDialog(forms::DlgComment& dialog) override {
    events.emplace_back("show comment");
    dialog.Form_Activate();
  }
  void ShowFolderDialog(forms::DlgFldSelect&) override { events.emplace_back("show folder"); }
  void CloseDialog() override { events.emplace_back("close"); }

  std::vector<std::string> messages;
  std::vector<std::string> events;
};

}  // namespace tarq::testing
