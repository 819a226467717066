// The comment store's reader, and what a save does with what it read.
// Properties: a record that reads back writes the same bytes and reads back
// the same; a file refused for a save is left untouched; a save of a file
// that reads keeps every other record in order and puts the new one last.

#include <cstdint>

#include "catalogue/comment_store.h"
#include "fuzz_support.h"
#include "support/records.h"

using namespace tarq;

namespace {

bool Storable(const std::string& text) {
  return text.find_first_of("\"\r\n") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = fuzz::Folder() + "/tarqcom.dat";
  fuzz::Put(path, bytes);
  const catalogue::CommentStore store(path);
  const catalogue::CommentSnapshot all = store.ReadAllComments();
  const catalogue::FindResult found = store.FindComment("c1a0.bsp");
  if (all.status == catalogue::StoreStatus::kOk)
    FUZZ_CHECK(found.status == catalogue::StoreStatus::kOk);
  if (found.status != catalogue::StoreStatus::kOk)
    FUZZ_CHECK(all.status != catalogue::StoreStatus::kOk);

  if (all.status != catalogue::StoreStatus::kOk) {
    FUZZ_CHECK(all.records.empty());
    FUZZ_CHECK(store.SaveComment("fuzz.bsp", "◎", "x") != catalogue::StoreStatus::kOk);
    FUZZ_CHECK(store.DeleteComment("c1a0.bsp") != catalogue::StoreStatus::kOk);
    FUZZ_CHECK(fuzz::Get(path) == bytes);
    return 0;
  }

  // Every record the launcher could have written reads back the same, and
  // writes the same bytes again.
  std::string written;
  std::vector<catalogue::CommentRecord> storable;
  for (const auto& r : testing::Records(all)) {
    if (!Storable(r.sMapFile) || !Storable(r.sMark) || !Storable(r.sComment)) continue;
    const auto record = catalogue::EncodeRecord(r.sMapFile, r.sMark, r.sComment);
    if (!record) continue;
    written += *record;
    storable.push_back(r);
  }
  const std::string copy = fuzz::Folder() + "/copy.dat";
  fuzz::Put(copy, written);
  const auto again = catalogue::CommentStore(copy).ReadAllComments();
  FUZZ_CHECK(again.status == catalogue::StoreStatus::kOk);
  FUZZ_CHECK(testing::Records(again) == storable);

  // A save keeps the others in order and puts the new record last.
  if (all.records.size() < static_cast<std::size_t>(catalogue::kMaxRecords)) {
    FUZZ_CHECK(store.SaveComment("fuzz.bsp", "◎", "x") == catalogue::StoreStatus::kOk);
    const auto after = store.ReadAllComments();
    FUZZ_CHECK(after.status == catalogue::StoreStatus::kOk);
    std::vector<catalogue::CommentRecord> expected = testing::Records(all);
    for (std::size_t i = expected.size(); i-- > 0;) {
      if (expected[i].sMapFile == "fuzz.bsp") {
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(i));
        break;
      }
    }
    expected.push_back({"fuzz.bsp", "◎", "x"});
    FUZZ_CHECK(testing::Records(after) == expected);
  }
  return 0;
}
