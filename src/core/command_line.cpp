#include "core/command_line.h"

#include <algorithm>

#include "platform/text.h"

namespace tarq::core {
namespace {

// Characters beyond ASCII that the game may read as one that splits or
// starts an argument or a console command: Unicode's other white space and
// control characters, and those that Windows turns into such a character
// when it hands the command line to a program that reads it in a legacy
// code page, as the game does (found with WideCharToMultiByte on code pages
// 874, 932, 936, 949, 950 and 1250 to 1258). '\t' stands for any control
// character.
struct LookAlike {
  char32_t first;
  char32_t last;
  char ascii;
};
constexpr LookAlike kLookAlikes[] = {
    {0x0080, 0x009F, '\t'}, {0x00A0, 0x00A0, ' '},  {0x00A7, 0x00A7, '\t'}, {0x00AD, 0x00AD, '-'},
    {0x00B6, 0x00B6, '\t'}, {0x02BA, 0x02BA, '"'},  {0x030E, 0x030E, '"'},  {0x037E, 0x037E, ';'},
    {0x1680, 0x1680, ' '},  {0x2000, 0x200A, ' '},  {0x2010, 0x2011, '-'},  {0x2028, 0x2029, ' '},
    {0x202F, 0x202F, ' '},  {0x203C, 0x203C, '\t'}, {0x205F, 0x205F, ' '},  {0x2190, 0x21FF, '\t'},
    {0x2212, 0x2212, '-'},  {0x221F, 0x221F, '\t'}, {0x2302, 0x2302, '\t'}, {0x2500, 0x266F, '\t'},
    {0x3000, 0x3000, ' '},  {0x301D, 0x301E, '"'},  {0xFF02, 0xFF02, '"'},  {0xFF0B, 0xFF0B, '+'},
    {0xFF0D, 0xFF0D, '-'},  {0xFF1B, 0xFF1B, ';'},
};

char32_t AsciiForm(char32_t c) {
  const auto* it = std::find_if(std::begin(kLookAlikes), std::end(kLookAlikes),
                                [c](const LookAlike& l) { return c >= l.first && c <= l.last; });
  return it == std::end(kLookAlikes) ? c : static_cast<char32_t>(it->ascii);
}

// The game splits its command line at white space and quotes, takes a word
// that starts with '-' for an option, and starts a console command at every
// '+' or ';'. A map name holding any of these could not be loaded by "+map"
// and would only add options or commands, so it is never passed; nor is one
// that the game, which reads its command line in the ANSI code page, would
// get with '?' or a look-alike in place of a character.
bool IsPassableMapName(std::string_view name) {
  if (name.empty() || !platform::IsValidUtf8(name)) return false;
  for (std::size_t i = 0; i < name.size();) {
    const bool first = i == 0;
    const char32_t c = AsciiForm(platform::NextCharacter(name, i));
    if (c <= U' ' || c == 0x7F || c == U'"' || c == U'+' || c == U';') return false;
    if (first && c == U'-') return false;
  }
  return platform::CodePageCarries(platform::AnsiCodePage(), name);
}

}  // namespace

std::string ComposeOptionText(const OptionSelections& s) {
  std::string text;
  if (s.map.listIndex > 0) {
    // The last four characters are cut whatever they are: ".bsp" or ".BSP".
    const std::size_t length = platform::Utf16Length(s.map.text);
    const std::string_view name = platform::Utf16Prefix(s.map.text, length >= 4 ? length - 4 : 0);
    if (IsPassableMapName(name)) {
      text += " +map ";
      text += name;
    }
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
