#pragma once
// Stands in for the windows where a form model runs alone and nothing is
// looked at: the fuzz targets and the benchmarks.

#include <string_view>

#include "forms/form_host.h"

namespace tarq::testing {

class NullHost final : public forms::FormHost {
 public:
  void MsgBox(std::string_view) override {}
  void ShowDialog(forms::DialogForm&) override {}
  void CloseDialog() override {}
};

}  // namespace tarq::testing
