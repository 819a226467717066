// The code page the game reads its command line in, as the system has it or
// as a test chose it.

#include "platform/text.h"

namespace tarq::platform {
namespace {

unsigned chosenCodePage = 0;  // 0: the system's

}  // namespace

unsigned AnsiCodePage() {
  return chosenCodePage != 0 ? chosenCodePage : SystemAnsiCodePage();
}

void SetAnsiCodePage(unsigned codePage) {
  chosenCodePage = codePage;
}

}  // namespace tarq::platform
