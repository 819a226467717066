#include "core/command_line.h"

#include "platform/text.h"

namespace tarq::core {

std::string ComposeOptionText(const OptionSelections& s) {
  std::string text;
  if (s.map.listIndex > 0) {
    // The last four characters are cut whatever they are: ".bsp" or ".BSP".
    const std::size_t length = platform::Utf16Length(s.map.text);
    text += " +map ";
    text += platform::Utf16Prefix(s.map.text, length >= 4 ? length - 4 : 0);
  }
  if (s.difficulty.listIndex > 0) {
    text += " +skill \"";
    text += std::to_string(s.difficulty.itemData);
    text += '"';
  }
  if (s.heapSize.listIndex > 0) {
    text += " -heapsize ";
    text += std::to_string(s.heapSize.itemData);
  }
  if (s.console.listIndex > 0) {
    text += ' ';
    text += s.console.text;
  }
  return text;
}

}  // namespace tarq::core
