#pragma once
// The code page 932 tables, shared by the table-driven codec and by tests
// that compare it with the system's own conversion.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarq::platform::cp932 {

// The UTF-16 code unit of a single byte, 0 when the byte is not a character
// by itself (a lead byte, or an unassigned one).
std::uint16_t SingleByte(unsigned char b);

// True when b starts a two-byte character.
bool IsLeadByte(unsigned char b);

// The UTF-16 code unit of a lead/trail pair, 0 when the pair is unassigned.
std::uint16_t DoubleByte(unsigned char lead, unsigned char trail);

// The code for a BMP character: 0x00-0xFF for one byte, 0x8140-0xFCFC for
// two, -1 when the character has no code. Where the code page holds a
// character twice (NEC and IBM extensions) the choice is the one Windows
// makes: the standard JIS row, then NEC row 13, then the IBM extension;
// the NEC-selected IBM rows 0xED/0xEE are never chosen.
int Encode(std::uint16_t unit);

// Whole texts by the table: the conversion wherever the system has no code
// page 932 of its own, and the reference the Windows conversion is tested
// against.
bool IsValid(std::string_view bytes);
std::optional<std::string> Decode(std::string_view bytes);
std::optional<std::string> EncodeUtf8(std::string_view utf8);

}  // namespace tarq::platform::cp932
