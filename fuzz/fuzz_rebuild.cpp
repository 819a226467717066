// The whole map list rebuild from a fuzzed tarqcom.dat over a fixed maps
// folder. Properties: both lists have row 0 and one row per map and both
// are on row 0; each row is exactly the row composed from the records the
// store reads (none when it cannot read them).

#include <cstdint>
#include <filesystem>

#include "catalogue/comment_store.h"
#include "forms/frm_main.h"
#include "fuzz_support.h"
#include "support/records.h"

using namespace tarq;

namespace {

const char* const kMaps[] = {
    "c1a0.bsp", "C1A0.bsp", "c2a1.BSP", "t0a0.bsp", "地図.bsp", "abcdefghijklmnop.bsp", "x.bsp"};

std::string Game() {
  static const std::string game = [] {
    const std::string g = fuzz::Folder() + "/game";
    std::filesystem::create_directories(g + "/valve/maps");
    for (const char* m : kMaps) fuzz::Put(g + "/valve/maps/" + m, "");
    fuzz::Put(fuzz::Folder() + "/tarqcfg.dat", g + "\r\n");
    return g;
  }();
  return game;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Game();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::Folder() + "/tarqcom.dat";
  fuzz::Put(path, bytes);
  fuzz::NullHost host;
  forms::FrmMain form(host, fuzz::Folder());
  form.Form_Load();
  const int rows = static_cast<int>(std::size(kMaps)) + 1;
  FUZZ_CHECK(form.cmbMap.ListCount() == rows && form.cmbMapComment.ListCount() == rows);
  FUZZ_CHECK(form.cmbMap.ListIndex() == 0 && form.cmbMapComment.ListIndex() == 0);
  const auto read = catalogue::CommentStore(path).ReadAllComments();
  for (int i = 1; i < rows; ++i) {
    FUZZ_CHECK(form.cmbMapComment.List(i) ==
               testing::ReferenceMapRow(form.cmbMap.List(i), read.records));
  }
  FUZZ_CHECK(fuzz::Get(path) == bytes);  // a rebuild writes nothing
  return 0;
}
