// The settings file: its numeric conversion and the whole start-up with a
// fuzzed tarqcfg.dat. Properties: a value reads back from its print form;
// after start-up every list is on a row it has (or none); what the exit
// writes is four CR LF lines that start the next run the same way.

#include <cstdint>

#include "core/settings_file.h"
#include "forms/frm_main.h"
#include "fuzz_support.h"

using namespace tarq;

namespace {

bool OnARow(const forms::ComboList& list) {
  return list.ListIndex() >= -1 && list.ListIndex() < list.ListCount();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const auto value = core::SettingsNumber(bytes);
  if (value) FUZZ_CHECK(core::SettingsNumber(core::PrintForm(*value)) == value);

  const std::string cfg = fuzz::Folder() + "/tarqcfg.dat";
  fuzz::Put(cfg, bytes);
  fuzz::NullHost host;
  forms::FrmMain form(host, fuzz::Folder());
  form.Form_Load();
  FUZZ_CHECK(OnARow(form.cmbDiff) && OnARow(form.cmbMemory) && OnARow(form.cmbConsole));
  FUZZ_CHECK(form.cmbMap.ListCount() == form.cmbMapComment.ListCount());
  form.Form_Unload();

  const std::string out = fuzz::Get(cfg);
  if (out != bytes) {  // written: four lines, and they restore the same state
    std::size_t lines = 0;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) lines += out[i] == '\r' && out[i + 1] == '\n';
    FUZZ_CHECK(lines == 4 && out.size() >= 2 && out.substr(out.size() - 2) == "\r\n");
    forms::FrmMain next(host, fuzz::Folder());
    next.Form_Load();
    FUZZ_CHECK(next.labHL.Caption() == form.labHL.Caption());
    FUZZ_CHECK(next.cmbDiff.ListIndex() == form.cmbDiff.ListIndex());
    FUZZ_CHECK(next.cmbMemory.ListIndex() == form.cmbMemory.ListIndex());
    FUZZ_CHECK(next.cmbConsole.ListIndex() == form.cmbConsole.ListIndex());
  }
  return 0;
}
