// Steam's .acf and .vdf files as Steam writes them, and broken ones: each
// read to its tree, or refused whole.

#include <gtest/gtest.h>

#include "platform/key_values.h"

namespace tarq::platform {
namespace {

// A tree in one line: key=value; and key{...}.
std::string Dump(const KeyValues& entries) {
  std::string out;
  for (const KeyValue& e : entries) {
    out += e.isBlock ? e.key + "{" + Dump(e.block) + "}" : e.key + "=" + e.value + ";";
  }
  return out;
}

// Blocks n deep: k{k{...}}.
std::string Nested(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += "k{";
  return text + std::string(static_cast<std::size_t>(n), '}');
}

struct ReadCase {
  const char* name;
  std::string text;
  const char* tree;  // nullptr: refused
  friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

const char* const kManifest =
    "\"AppState\"\n{\n\t\"appid\"\t\t\"70\"\n\t\"Universe\"\t\t\"1\"\n"
    "\t\"name\"\t\t\"Half-Life\"\n\t\"installdir\"\t\t\"Half-Life\"\n"
    "\t\"InstalledDepots\"\n\t{\n\t\t\"1\"\n\t\t{\n\t\t\t\"manifest\"\t\t\"12345\"\n\t\t}\n\t}\n}"
    "\n";

class Reads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(Reads, SteamsTextOrNothing) {
  const auto read = ReadKeyValues(GetParam().text);
  EXPECT_EQ(read ? Dump(*read) : "(refused)", GetParam().tree ? GetParam().tree : "(refused)");
}

INSTANTIATE_TEST_SUITE_P(
    Files, Reads,
    ::testing::Values(ReadCase{"appmanifest", kManifest,
                               "AppState{appid=70;Universe=1;name=Half-Life;installdir=Half-Life;"
                               "InstalledDepots{1{manifest=12345;}}}"},
                      ReadCase{"libraryfolders",
                               "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/g\"\n"
                               "\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"123\"\n\t\t}\n\t}\n}\n",
                               "libraryfolders{0{path=/g;apps{70=123;}}}"},
                      ReadCase{"libraryfolders_older",
                               "\"LibraryFolders\"\r\n{\r\n\t\"ContentStatsID\"\t\"-9\"\r\n"
                               "\t\"1\"\t\t\"/mnt/Steam Library\"\r\n}\r\n",
                               "LibraryFolders{ContentStatsID=-9;1=/mnt/Steam Library;}"},
                      ReadCase{"bare_words_comments_escapes",
                               "// made by hand\nA { b c // note\n \"d\\\\e\" \"f\\\"g\\q\" }",
                               "A{b=c;d\\e=f\"g\\q;}"},
                      ReadCase{"empty", "", ""},
                      ReadCase{"cut_in_a_string", std::string(kManifest).substr(0, 35), nullptr},
                      ReadCase{"cut_after_a_backslash", "\"a\" \"b\\", nullptr},
                      ReadCase{"unclosed_block", "\"a\" { \"b\" \"c\"", nullptr},
                      ReadCase{"closing_too_often", "\"a\" { } }", nullptr},
                      ReadCase{"key_without_value", "\"a\" { \"b\" }", nullptr},
                      ReadCase{"block_for_a_key", "{ \"a\" \"b\" }", nullptr},
                      ReadCase{"conditional", "\"a\" \"b\" [$WIN32]", nullptr},
                      ReadCase{"nested_16_deep", Nested(16),
                               "k{k{k{k{k{k{k{k{k{k{k{k{k{k{k{k{}}}}}}}}}}}}}}}}"},
                      ReadCase{"nested_17_deep", Nested(17), nullptr},
                      ReadCase{"very_long", std::string(1 << 20, ' ') + "a b", nullptr},
                      ReadCase{"not_utf8", "\"path\" \"/home/\xe9t\xe9\"", nullptr},
                      ReadCase{"nul", std::string("\"path\" \"/a\0b\"", 12), nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::platform
