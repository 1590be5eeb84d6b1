#pragma once

// What the settings dialog's logic makes of its widgets: the handler a push button runs and the
// radio button a widget is. Both views bind the widgets they built from the design through
// these lookups, by the widget's name; Edit1 shows the model's Edit1.

#include "platform/WidgetBindings.h"
#include "settings/SubForm.h"

#include <optional>
#include <string_view>

namespace mv {

using SubFormHandler = void (TSubForm::*)();

// The click handlers of "変更", "閉じる" and the radio buttons.
const ClickBindings<SubFormHandler, SubRadio>& SubFormClicks();

// The button that Escape presses: "閉じる", as if clicked.
inline constexpr std::string_view EscapeButton = "Button2";

} // namespace mv
