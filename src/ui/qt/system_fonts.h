#pragma once
// The platform's fonts for Japanese text.
//
//   main() ──StartLoadingFonts()──> second thread: load the font configuration,
//                                    find the family for Japanese text
//   QApplication starts meanwhile
//   windows ──JapaneseUiFamily()──> waits for that thread (or does the work
//                                    itself when nothing was started)
//
// Loading the system's font configuration (some 35 files of XML) takes
// milliseconds, so it overlaps with the toolkit's own start.

#include <QString>

namespace tarq::ui::qt {

// Starts loading the font configuration on a second thread. Call it once,
// before the application object exists; calling it again does nothing.
void StartLoadingFonts();

// The family the platform prefers for Japanese user-interface text, or an
// empty string where the font configuration names none.
QString JapaneseUiFamily();

}  // namespace tarq::ui::qt
