#pragma once
// Stands in for the windows where a test drives a form model alone.

#include <string>
#include <string_view>
#include <vector>

#include "forms/form_host.h"

namespace tarq::testing {

// Records the messages a form model shows, and the dialogs it opens ("show
// comment", "show folder") and closes ("close"). A shown dialog is activated
// at once, as its window would be.
class RecordingHost : public forms::FormHost {
 public:
  void MsgBox(std::string_view text) override;
  void ShowDialog(forms::DialogForm& dialog) override;
  void CloseDialog() override;

  std::vector<std::string> messages;
  std::vector<std::string> events;
};

}  // namespace tarq::testing
