#pragma once

#include <string>
#include <string_view>

namespace tarq::catalogue {

// One record of tarqcom.dat. sMapFile is the key, compared exactly.
struct CommentRecord {
  std::string sMapFile;
  std::string sMark;
  std::string sComment;

  friend bool operator==(const CommentRecord&, const CommentRecord&) = default;
};

// A record as views into text held elsewhere.
struct RecordView {
  std::string_view sMapFile;
  std::string_view sMark;
  std::string_view sComment;
};

}  // namespace tarq::catalogue
