#pragma once
// The option text of the game's command line, from the four selections.
//
//   map row n > 0      -> " +map <name without its last four characters>",
//                         nothing when that name is empty, starts with '-', or
//                         holds white space, a control character, '"', '+'
//                         or ';' (or a character Windows may turn into one),
//                         or a character the system's ANSI code page has no
//                         code of its own for
//   difficulty n > 0   -> " +skill \"<tag>\""
//   heap size n > 0    -> " -heapsize <tag>"
//   console n > 0      -> " <row text>"
//
// The text is empty or starts with a space.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarq::core {

struct ListSelection {
  std::int16_t listIndex = -1;  // -1: nothing selected
  std::string_view text;        // the selected row's text
  std::int32_t itemData = 0;    // the selected row's tag
};

struct OptionSelections {
  ListSelection map;
  ListSelection difficulty;
  ListSelection heapSize;
  ListSelection console;
};

std::string ComposeOptionText(const OptionSelections& selections);

}  // namespace tarq::core
