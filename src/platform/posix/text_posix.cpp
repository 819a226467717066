// Code page 932 conversion from the code page's own table: POSIX systems have
// no ANSI code page, and iconv's CP932 differs from Windows in its choices.
// The ANSI code page that counts for the game is the one Wine gives it,
// worked out here as Wine does.

#include <iconv.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cp932_codec.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

// The Unix locale Wine takes its Windows locale from: the one of LC_CTYPE
// that setlocale(LC_ALL, "") sets, or "C" when that fails (any of the
// locales named is missing); for "C" Wine reads $LC_ALL as it stands. So a
// set LC_ALL decides whether it can be loaded or not.
std::string WineLocaleName() {
  const auto variable = [](const char* name) -> std::string {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
  };
  if (const std::string all = variable("LC_ALL"); !all.empty()) return all;
  const locale_t loaded = ::newlocale(LC_ALL_MASK, "", nullptr);
  if (loaded == nullptr) return "C";
  ::freelocale(loaded);
  const std::string ctype = variable("LC_CTYPE");
  return !ctype.empty() ? ctype : variable("LANG");
}

// The ANSI code pages of Windows locales other than 1252, as Wine 8 gives
// them, by Wine's name for the locale (language[-Script][-country]): UTF-8
// where Windows has no ANSI code page, en-US's 1252 where Wine does not know
// the locale. A name counts as its longest entry here, as Wine drops the
// parts after the language until it knows one: the language decides, but
// for a few countries and scripts.
struct LocaleCodePages {
  unsigned codePage;
  std::string_view names;  // separated by spaces
};
constexpr LocaleCodePages kLocaleCodePages[] = {
    {874, "th"},
    {932, "ja"},
    {936, "zh"},
    {949, "ko"},
    {950, "zh-TW zh-HK zh-MO"},
    {1250, "cs hu pl ro hr sk sl sq tk sr-Latn"},
    {1251, "ru uk be bg mk ky mn tt ba tg sah uz-Cyrl bs-Cyrl az-Cyrl"},
    {1253, "el"},
    {1254, "tr"},
    {1255, "he"},
    {1256, "ar fa ur ug sd ckb"},
    {1257, "et lt lv"},
    {1258, "vi"},
    {65001, "hi bn ta te kn ml mr gu pa or as ne si ka hy am km lo my bo kk mt ps dv ti sa kok"},
};

std::optional<unsigned> CodePageOfName(std::string_view name) {
  for (const LocaleCodePages& entry : kLocaleCodePages) {
    for (std::size_t at = 0; at < entry.names.size();) {
      const std::size_t end = std::min(entry.names.find(' ', at), entry.names.size());
      if (entry.names.substr(at, end - at) == name) return entry.codePage;
      at = end + 1;
    }
  }
  return std::nullopt;
}

// Wine's Windows name of a Unix locale, language[_country][.charset][@modifier]:
// language, the script a modifier names, country.
std::string WindowsLocaleName(const std::string& unixName) {
  const std::size_t end = unixName.find_first_of("_.@");
  std::string name = unixName.substr(0, end);
  if (const std::size_t at = unixName.find('@'); at != std::string::npos) {
    const std::string modifier = unixName.substr(at + 1);
    if (modifier == "latin") name += "-Latn";
    if (modifier == "cyrillic") name += "-Cyrl";
  }
  if (end != std::string::npos && unixName[end] == '_') {
    name += '-' + unixName.substr(end + 1, unixName.find_first_of(".@", end) - end - 1);
  }
  return name;
}

}  // namespace

bool IsValidCp932(std::string_view bytes) {
  return cp932::IsValid(bytes);
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  return cp932::Decode(bytes);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  return cp932::EncodeUtf8(utf8);
}

unsigned SystemAnsiCodePage() {
  for (std::string name = WindowsLocaleName(WineLocaleName());;) {
    if (const auto codePage = CodePageOfName(name)) return *codePage;
    const std::size_t dash = name.rfind('-');
    if (dash == std::string::npos) return 1252;
    name.resize(dash);
  }
}

// Code page 932 by its table; the others by iconv, which fails on a
// character without a code rather than choose a look-alike.
bool CodePageCarries(unsigned codePage, std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return false;
  if (codePage == 65001) return true;
  if (codePage == 932) return cp932::EncodeUtf8(utf8).has_value();
  const iconv_t converter = ::iconv_open(("CP" + std::to_string(codePage)).c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;  // unknown here: nothing is sure
  std::string in(utf8);
  char* from = in.data();
  std::size_t left = in.size();
  bool carried = true;
  while (carried && left > 0) {
    char buffer[256];
    char* to = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t replaced = ::iconv(converter, &from, &left, &to, &room);
    carried = replaced == static_cast<std::size_t>(-1) ? errno == E2BIG : replaced == 0;
  }
  ::iconv_close(converter);
  return carried;
}

}  // namespace tarq::platform
