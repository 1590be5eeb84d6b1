#pragma once

// Runs a user event's handler in the core. A failure abandons the handler and is shown as the
// failure message box; anything else thrown is shown too, so nothing escapes unshown. The
// caller then shows the model as the handler left it.

#include <functional>

namespace mv {

class UiServices;

// True when the handler ran to its end.
bool Dispatch(UiServices& ui, const std::function<void()>& handler);

} // namespace mv
