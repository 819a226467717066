#include <gtest/gtest.h>

#include "platform/process.h"

namespace tarq::platform {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
  const char* tail;
  Args args;
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.tail; }
};

class SplitTail : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTail, SplitsAsTheWindowsRuntime) {
  EXPECT_EQ(SplitWindowsCommandTail(GetParam().tail), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitTail,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"   ", {}},
                      SplitCase{" +map c1a0", {"+map", "c1a0"}},
                      SplitCase{" +skill \"1\"", {"+skill", "1"}},
                      SplitCase{" -dev toconsole", {"-dev", "toconsole"}},
                      SplitCase{" +map \"a b\"", {"+map", "a b"}}, SplitCase{"a\tb", {"a", "b"}},
                      SplitCase{"a\"b c\"d", {"ab cd"}}, SplitCase{"\"\"", {""}},
                      SplitCase{"a\\\\b", {"a\\\\b"}}, SplitCase{"a\\\"b", {"a\"b"}},
                      SplitCase{"a\\\\\"b c\"", {"a\\b c"}}, SplitCase{"\"a\"\"b\"", {"a\"b"}},
                      SplitCase{"$(rm -rf x) `id` ;ls", {"$(rm", "-rf", "x)", "`id`", ";ls"}}));

}  // namespace
}  // namespace tarq::platform
