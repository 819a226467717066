#pragma once
// Binding of standard widgets to the form models' controls: the widget
// mirrors the control, and user actions are forwarded to it.

#include <QComboBox>
#include <QLabel>

#include "forms/controls.h"

namespace tarq::ui {

void BindLabel(forms::Label& model, QLabel* view);

// Rows and selection mirror the model; a pick by the user sets the model's
// ListIndex, which raises its Click.
void BindCombo(forms::ComboList& model, QComboBox* view);

}  // namespace tarq::ui
