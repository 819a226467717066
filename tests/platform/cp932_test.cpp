#include <gtest/gtest.h>

#include "platform/cp932_codec.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

struct CodecCase {
  const char* name;
  std::string bytes;
  std::string text;
  friend void PrintTo(const CodecCase& c, std::ostream* os) { *os << c.name; }
};

class Cp932RoundTrip : public ::testing::TestWithParam<CodecCase> {};

TEST_P(Cp932RoundTrip, DecodesAndEncodesBack) {
  const CodecCase& c = GetParam();
  EXPECT_EQ(DecodeCp932(c.bytes), c.text);
  EXPECT_TRUE(IsValidCp932(c.bytes));
  EXPECT_EQ(EncodeCp932(c.text), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, Cp932RoundTrip,
    ::testing::Values(CodecCase{"ascii", "c1a0.bsp", "c1a0.bsp"},
                      CodecCase{"ideographic_space", "\x81\x40", "　"},
                      CodecCase{"bullseye", "\x81\x9D", "◎"},
                      CodecCase{"the_ten_marks",
                                "\x81\x40\x81\x9D\x81\x9B\x81\xA2\x81\x7E\x81\x49\x81\x48"
                                "\x81\x99\x81\x96\x83\xC9",
                                "　◎○△×！？☆＊λ"},
                      CodecCase{"half_width_katakana", "\xB7\xAC\xDD\xBE\xD9", "ｷｬﾝｾﾙ"},
                      CodecCase{"kanji", "\x93\xEF\x88\xD5\x93\x78", "難易度"},
                      CodecCase{"backslash_stays_ascii", "C:\\HL", "C:\\HL"},
                      CodecCase{"fullwidth_quote", "\xFA\x57", "＂"},
                      CodecCase{"nec_row13_roman", "\x87\x54", "Ⅰ"},
                      CodecCase{"ibm_small_roman", "\xFA\x40", "ⅰ"},
                      CodecCase{"user_defined_area", "\xF0\x40", "\xEE\x80\x80"},
                      CodecCase{"wave_dash_as_windows", "\x81\x60", "～"},
                      // Windows' table maps these single bytes (0xA0 also ends a pair).
                      CodecCase{"windows_single_bytes", "\x80\x82\xA0\xA0\xFD\xFE\xFF",
                                "\u0080あ\uF8F0\uF8F1\uF8F2\uF8F3"},
                      CodecCase{"empty", "", ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Cp932, RefusesBytesThatAreNoCharacter) {
  for (const std::string& bytes :
       {std::string("\x81"), std::string("a\x81"), std::string("\x85\x40"), std::string("\x81\x7F"),
        std::string("\xEF\xBB\xBF"), std::string("\x81\x22"), std::string("\xA0\x81"),
        std::string("\xFD\x82\xFD")}) {
    EXPECT_FALSE(IsValidCp932(bytes)) << ::testing::PrintToString(bytes);
    EXPECT_FALSE(DecodeCp932(bytes).has_value());
  }
}

TEST(Cp932, CheckAgreesWithTheTableOnEveryCode) {
  // The check has tables of its own; each code alone, between ASCII, and in
  // a run of characters (the check's two paths).
  for (int b = 0x80; b <= 0xFF; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    if (cp932::IsLeadByte(byte)) continue;
    const std::string one(1, static_cast<char>(b));
    const bool expected = cp932::SingleByte(byte) != 0;
    EXPECT_EQ(cp932::IsValid(one), expected) << b;
    EXPECT_EQ(cp932::IsValid("ab" + one + one + "cdefghijk"), expected) << b;
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const bool expected = cp932::DoubleByte(static_cast<unsigned char>(lead),
                                              static_cast<unsigned char>(trail)) != 0;
      ASSERT_EQ(cp932::IsValid(pair), expected) << lead << " " << trail;
      ASSERT_EQ(cp932::IsValid("x" + pair + "\x82\xA0" + pair + "yz"), expected)
          << lead << " " << trail;
    }
  }
}

TEST(Cp932, NecSelectedIbmRowsDecodeButEncodeAsWindowsDoes) {
  // The same character twice in the code page: Windows writes the IBM row.
  EXPECT_EQ(DecodeCp932("\xEE\xEF"), "ⅰ");
  EXPECT_EQ(EncodeCp932("ⅰ"), "\xFA\x40");
  // JIS row 2 comes before NEC row 13 and the IBM rows.
  EXPECT_EQ(EncodeCp932("∵"), "\x81\xE6");
  EXPECT_EQ(EncodeCp932("￢"), "\x81\xCA");
}

TEST(Cp932, RefusesTextItCannotHold) {
  EXPECT_FALSE(EncodeCp932("map\xF0\x9F\x98\x80").has_value());  // an emoji
  EXPECT_FALSE(EncodeCp932("é").has_value());
  EXPECT_FALSE(EncodeCp932("\xC3").has_value());  // not UTF-8
}

TEST(Utf16, CountsCodeUnits) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("c1a0.bsp"), 8u);
  EXPECT_EQ(Utf16Length("最初から"), 4u);
  EXPECT_EQ(Utf16Length("a\xF0\x9F\x98\x80"), 3u);  // a surrogate pair counts two
  EXPECT_EQ(Utf16Prefix("最初から.bsp", 4), "最初から");
  EXPECT_EQ(Utf16Prefix("a\xF0\x9F\x98\x80z", 2), "a");  // never splits a pair
  EXPECT_EQ(Utf16Prefix("abc", 10), "abc");
}

}  // namespace
}  // namespace tarq::platform

#ifdef _WIN32
#include "platform/cp932_codec.h"

namespace tarq::platform {
namespace {

// The system's conversion and the code page's table agree on every code:
// the launcher reads and writes the same bytes on every platform.
TEST(Cp932OnWindows, TheSystemAgreesWithTheTableOnEveryCode) {
  int compared = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!cp932::IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const auto table = cp932::Decode(bytes);
      EXPECT_EQ(DecodeCp932(bytes), table) << std::hex << lead << ' ' << trail;
      if (table) {
        EXPECT_EQ(EncodeCp932(*table), cp932::EncodeUtf8(*table))
            << std::hex << lead << ' ' << trail;
        ++compared;
      }
    }
  }
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string bytes{static_cast<char>(b)};
    if (cp932::IsLeadByte(static_cast<unsigned char>(b))) continue;
    EXPECT_EQ(DecodeCp932(bytes), cp932::Decode(bytes)) << std::hex << b;
  }
  EXPECT_GT(compared, 9000);
}

}  // namespace
}  // namespace tarq::platform
#endif
