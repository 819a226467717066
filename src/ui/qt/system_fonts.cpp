#include "ui/qt/system_fonts.h"

#include <future>
#include <mutex>
#include <string>

#include <fontconfig/fontconfig.h>

namespace tarq::ui::qt {
namespace {

// Runs on any thread: touches no Qt object.
std::string FindJapaneseFamily() {
  if (FcInit() == FcFalse) return {};
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
  if (pattern == nullptr) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  std::string family;
  FcChar8* name = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
    family = reinterpret_cast<const char*>(name);
  }
  if (match != nullptr) FcPatternDestroy(match);
  return family;
}

std::mutex gMutex;
std::future<std::string> gLoading;  // guarded by gMutex
bool gStarted = false;              // guarded by gMutex

}  // namespace

void StartLoadingFonts() {
  const std::lock_guard lock(gMutex);
  if (gStarted) return;
  gStarted = true;
  gLoading = std::async(std::launch::async, FindJapaneseFamily);
}

QString JapaneseUiFamily() {
  static const QString family = [] {
    std::future<std::string> loading;
    {
      const std::lock_guard lock(gMutex);
      if (gStarted) loading = std::move(gLoading);
      gStarted = true;  // nothing to start any more
    }
    return QString::fromStdString(loading.valid() ? loading.get() : FindJapaneseFamily());
  }();
  return family;
}

}  // namespace tarq::ui::qt
