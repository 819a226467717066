#pragma once

#include <string>

namespace tarq::catalogue {

// One record of tarqcom.dat. sMapFile is the key, compared exactly.
struct CommentRecord {
  std::string sMapFile;
  std::string sMark;
  std::string sComment;

  friend bool operator==(const CommentRecord&, const CommentRecord&) = default;
};

}  // namespace tarq::catalogue
