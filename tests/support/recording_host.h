#pragma once

#include <string>
#include <vector>

#include "forms/form_host.h"

namespace tarq::testing {

// Records the messages a form model shows instead of showing them.
class RecordingHost : public forms::FormHost {
 public:
  void MsgBox(std::string_view text) override { messages.emplace_back(text); }

  std::vector<std::string> messages;
};

}  // namespace tarq::testing
