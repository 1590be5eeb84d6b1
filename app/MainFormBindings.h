#pragma once

// What the main window's logic makes of its widgets: the model field each one shows and the
// handler a push button runs. Both views bind the widgets they built from the design through
// these lookups, by the widget's name.

#include "app/MainForm.h"
#include "platform/WidgetBindings.h"

#include <optional>
#include <string_view>

namespace mv {

using MainFormText = std::string MainWindowModel::*;
using MainFormLines = TextLines MainWindowModel::*;
using MainFormVisibility = bool MainWindowModel::*;
using MainFormHandler = void (TMainForm::*)();

// An edit's text or a group box's caption that the logic sets; nothing for a fixed caption.
std::optional<MainFormText> TextOf(std::string_view widget);
// A memo's lines.
std::optional<MainFormLines> LinesOf(std::string_view widget);
// A group box the logic shows and hides.
std::optional<MainFormVisibility> VisibilityOf(std::string_view widget);
// The click handlers of the push buttons and the radio buttons.
const ClickBindings<MainFormHandler, Radio>& MainFormClicks();

} // namespace mv
