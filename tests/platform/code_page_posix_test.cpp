#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text.h"
#include "support/env_guard.h"

namespace tarq::platform {
namespace {

using testing::EnvGuard;

// The code page Wine gives the game from the locale variables the launcher
// hands on, as Wine 8 reports it (GetACP) for the same variables. No row
// needs a locale installed: a set LC_ALL decides even when it cannot be
// loaded, and LANG is then read as C.
struct Locale {
  const char* name;
  std::optional<std::string> all, lang;
  unsigned codePage;
  friend void PrintTo(const Locale& l, std::ostream* os) { *os << l.name; }
};

class WineCodePage : public ::testing::TestWithParam<Locale> {};

TEST_P(WineCodePage, FollowsTheLocale) {
  const EnvGuard all("LC_ALL", GetParam().all);
  const EnvGuard ctype("LC_CTYPE", std::nullopt);
  const EnvGuard lang("LANG", GetParam().lang);
  EXPECT_EQ(SystemAnsiCodePage(), GetParam().codePage);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, WineCodePage,
    ::testing::Values(Locale{"japanese", "ja_JP.UTF-8", std::nullopt, 932},
                      Locale{"taiwan", "zh_TW.UTF-8", std::nullopt, 950},
                      Locale{"russian", "ru_RU.UTF-8", std::nullopt, 1251},
                      Locale{"serbian_latin", "sr_RS.UTF-8@latin", std::nullopt, 1250},
                      Locale{"hindi", "hi_IN.UTF-8", std::nullopt, 65001},
                      Locale{"all_wins", "ja_JP.UTF-8", "ko_KR.UTF-8", 932},
                      Locale{"lang_missing_is_c", std::nullopt, "ja_XX.UTF-8", 1252},
                      Locale{"nothing_set", std::nullopt, std::nullopt, 1252}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::platform
