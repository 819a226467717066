#pragma once
// Binding of standard widgets to the form models' controls: the widget
// mirrors the control, and user actions are forwarded to it.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "forms/controls.h"

namespace tarq::ui {

// autoSize: the label sizes itself to its text, as caption labels do.
void BindLabel(forms::Label& model, QLabel* view, bool autoSize = false);

void BindTextBox(forms::TextBox& model, QLineEdit* view);

// Detaches the view from the model's controls before the view goes away.
void Unbind(forms::Label& model);
void Unbind(forms::ComboList& model);
void Unbind(forms::TextBox& model);

// Rows and selection mirror the model; a pick by the user sets the model's
// ListIndex, which raises its Click. A long list (the map lists) lays its
// popup out in rows of one height, so 32768 rows drop down at once. A font
// of the list's own is best set after binding: a font change makes the
// popup's list.
void BindCombo(forms::ComboList& model, QComboBox* view, bool longList = false);

}  // namespace tarq::ui
