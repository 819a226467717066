#include "platform/process.h"

namespace tarq::platform {

// The rules of the Microsoft C runtime (2008 and later) for the arguments
// after the program name: 2n backslashes before a quote give n backslashes
// and the quote toggles quoting; 2n+1 give n backslashes and a literal
// quote; a quote right after a closing quote inside a quoted part is literal.
std::vector<std::string> SplitWindowsCommandTail(std::string_view tail) {
  std::vector<std::string> args;
  std::size_t i = 0;
  const std::size_t n = tail.size();
  for (;;) {
    while (i < n && (tail[i] == ' ' || tail[i] == '\t')) ++i;
    if (i >= n) break;
    std::string arg;
    bool quoted = false;
    while (i < n) {
      const char c = tail[i];
      if (!quoted && (c == ' ' || c == '\t')) break;
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < n && tail[i] == '\\') ++slashes, ++i;
        if (i < n && tail[i] == '"') {
          arg.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            arg.push_back('"');
            ++i;
          }
        } else {
          arg.append(slashes, '\\');
        }
        continue;
      }
      if (c == '"') {
        if (quoted && i + 1 < n && tail[i + 1] == '"') {
          arg.push_back('"');
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg.push_back(c);
      ++i;
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace tarq::platform
