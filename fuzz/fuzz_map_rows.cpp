// The map list's rows from map file names and comment records, in memory as
// a rebuild makes them. The input is names, one a line, then a NUL byte,
// then the comment file's bytes; every record's key is a map name as well.
// Property: row 0 is the first row, and row n the name and the row composed
// by scanning every record, as its definition says.

#include <cstdint>
#include <cstring>

#include "catalogue/map_catalogue.h"
#include "fuzz_support.h"
#include "platform/text.h"
#include "support/records.h"

using namespace tarq;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = std::min(input.find('\0'), input.size());
  std::vector<std::string> names;
  std::string_view list = input.substr(0, cut);
  while (!list.empty()) {
    const std::size_t end = std::min(list.find('\n'), list.size());
    // The folder listing leaves out names that are not UTF-8.
    if (platform::IsValidUtf8(list.substr(0, end))) names.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }

  catalogue::MapCatalogue catalogue;
  catalogue.snapshot =
      catalogue::ParseComments(std::string(input.substr(std::min(cut + 1, input.size()))));
  const std::vector<catalogue::RecordView> records = catalogue.snapshot.records;
  for (const catalogue::RecordView& r : records) names.emplace_back(r.sMapFile);
  catalogue.names = std::make_shared<const std::vector<std::string>>(names);
  catalogue.index = catalogue::RecordIndex(std::move(catalogue.snapshot.records));

  FUZZ_CHECK(catalogue.RowCount() == static_cast<int>(names.size()) + 1);
  FUZZ_CHECK(catalogue.MapFileRow(0) == catalogue::kFirstMapRow);
  FUZZ_CHECK(catalogue.DisplayRow(0) == catalogue::kFirstMapCommentRow);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    FUZZ_CHECK(catalogue.MapFileRow(row) == names[i]);
    FUZZ_CHECK(catalogue.DisplayRow(row) == testing::ReferenceMapRow(names[i], records));
  }
  return 0;
}
