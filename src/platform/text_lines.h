#pragma once
// The lines of a text file: each ends in CR LF, LF or CR, and the last one
// may have no end. The one line splitter of the settings file and the
// comment store.

#include <cstring>
#include <string_view>

namespace tarq::platform {

// Calls take(line) for each line, its end not included, in order, and stops
// early when take returns false. Returns false when it stopped early.
//
// The next CR and the next LF are each found by memchr and kept until
// passed, so a file of many short lines is scanned once for each.
template <typename Take>
bool ForEachLine(std::string_view text, Take&& take) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  const auto find = [data, size](std::size_t from, char c) {
    const void* hit = size > from ? std::memchr(data + from, c, size - from) : nullptr;
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : size;
  };
  std::size_t nextCr = find(0, '\r');
  std::size_t nextLf = find(0, '\n');
  std::size_t start = 0;
  while (start < size) {
    if (nextCr < start) nextCr = find(start, '\r');
    if (nextLf < start) nextLf = find(start, '\n');
    const std::size_t end = nextCr < nextLf ? nextCr : nextLf;
    if (!take(std::string_view(data + start, end - start))) return false;
    start = end + 1;
    if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n') ++start;
  }
  return true;
}

}  // namespace tarq::platform
