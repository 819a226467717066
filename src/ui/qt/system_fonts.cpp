#include "ui/qt/system_fonts.h"

#include <string>

#include <fontconfig/fontconfig.h>

namespace tarq::ui::qt {
namespace {

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

}  // namespace

QString JapaneseUiFamily() {
  static const QString family = QString::fromStdString(FindJapaneseFamily());
  return family;
}

}  // namespace tarq::ui::qt
