// The comment store's records, parsed in memory as every reading of the
// file parses them. Properties: bytes that are not code page 932 are
// refused as such; a parse never yields more than 32767 records, nor a
// field with a line break; every record the launcher could have written
// encodes to bytes that parse back to the same records.

#include <cstdint>

#include "catalogue/comment_store.h"
#include "fuzz_support.h"
#include "platform/text.h"
#include "support/records.h"

using namespace tarq;

namespace {

bool Storable(const std::string& text) {
  return text.find_first_of("\"\r\n") == std::string::npos;
}

bool OneLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const catalogue::CommentSnapshot all = catalogue::ParseComments(std::string(bytes));
  if (!platform::IsValidCp932(bytes)) {
    FUZZ_CHECK(all.status == catalogue::StoreStatus::kBadEncoding);
  }
  if (all.status != catalogue::StoreStatus::kOk) {
    FUZZ_CHECK(all.records.empty());
    return 0;
  }
  FUZZ_CHECK(all.records.size() <= static_cast<std::size_t>(catalogue::kMaxRecords));

  std::string written;
  std::vector<catalogue::CommentRecord> storable;
  for (const catalogue::CommentRecord& r : testing::Records(all)) {
    FUZZ_CHECK(OneLine(r.sMapFile) && OneLine(r.sMark) && OneLine(r.sComment));
    if (!Storable(r.sMapFile) || !Storable(r.sMark) || !Storable(r.sComment)) continue;
    const auto record = catalogue::EncodeRecord(r.sMapFile, r.sMark, r.sComment);
    if (!record) continue;
    written += *record;
    storable.push_back(r);
  }
  const catalogue::CommentSnapshot again = catalogue::ParseComments(written);
  FUZZ_CHECK(again.status == catalogue::StoreStatus::kOk);
  FUZZ_CHECK(testing::Records(again) == storable);
  return 0;
}
