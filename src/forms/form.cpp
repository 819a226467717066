#include "forms/form.h"

namespace tarq::forms {

void Form::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (EnabledObserver) EnabledObserver();
}

}  // namespace tarq::forms
