#pragma once
// Text at the file boundary. In memory every string is UTF-8; the launcher's
// files are code page 932 (Shift_JIS as Windows defines it). Where a length
// in characters matters, it is counted in UTF-16 code units, as the files'
// original platform counts it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarq::platform {

// Code page 932 bytes to UTF-8; nullopt when any byte sequence is not a
// character of the code page (no silent replacement).
std::optional<std::string> DecodeCp932(std::string_view bytes);

// True when DecodeCp932 would succeed; cheaper, allocates nothing.
bool IsValidCp932(std::string_view bytes);

// UTF-8 to code page 932; nullopt when a character has no code in the code
// page (an emoji, say) or the input is not valid UTF-8. Never writes '?'.
std::optional<std::string> EncodeCp932(std::string_view utf8);

// Number of UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of utf8 that holds at most `units` UTF-16 code units
// (a character is never split).
std::string_view Utf16Prefix(std::string_view utf8, std::size_t units);

bool IsValidUtf8(std::string_view text);

// The upper case of an ASCII letter; any other byte as it is.
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Equal but for the case of ASCII letters ("steamapps", "SteamApps").
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The game's command line: Windows hands it to a program that reads it as
// bytes, as the game does, in the system's ANSI code page, where a character
// without a code arrives as '?' and one with a look-alike as the look-alike.

// The system's ANSI code page: GetACP() on Windows. On POSIX systems, where
// the game runs under Wine, the one Wine takes from the locale the game
// inherits from the launcher (LC_ALL, LC_CTYPE, LANG). 65001 is UTF-8.
unsigned SystemAnsiCodePage();

// SystemAnsiCodePage(), or the code page a test chose with SetAnsiCodePage
// (0 gives the system's back).
unsigned AnsiCodePage();
void SetAnsiCodePage(unsigned codePage);

// Whether every character of the UTF-8 text has a code of its own in the
// code page: none would become '?' or a look-alike. False for text that is
// not valid UTF-8.
bool CodePageCarries(unsigned codePage, std::string_view utf8);

// The character that starts at `i` of valid UTF-8; moves `i` past it.
char32_t NextCharacter(std::string_view utf8, std::size_t& i);

}  // namespace tarq::platform
