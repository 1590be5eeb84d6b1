#pragma once

// What the settings dialog's logic makes of its widgets: the handler a push button runs and the
// radio button a widget is. Both views bind the widgets they built from the design through
// these lookups, by the widget's name; Edit1 shows the model's Edit1.

#include "settings/SubForm.h"

#include <optional>
#include <string_view>

namespace mv {

using SubFormHandler = void (TSubForm::*)();

// "変更" and "閉じる".
std::optional<SubFormHandler> SubFormHandlerOf(std::string_view widget);
// The click handler of a radio button, which Check runs when the button becomes checked.
SubFormHandler SubFormClickHandlerOf(SubRadio r);
// A radio button; the form's Check applies the radio rule and runs its handler.
std::optional<SubRadio> SubRadioNamed(std::string_view widget);

} // namespace mv
