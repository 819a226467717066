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

// Equal but for the case of ASCII letters ("steamapps", "SteamApps").
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The character that starts at `i` of valid UTF-8; moves `i` past it.
char32_t NextCharacter(std::string_view utf8, std::size_t& i);

}  // namespace tarq::platform
