#pragma once

// Runs a user event's handler in the core. A failure abandons the handler and is shown as the
// failure message box; anything else thrown is shown too, so nothing escapes unshown. Before
// the box, showState shows the window as the handler left it (panels it cleared included), so
// that the box never stands over what the window showed before; the caller shows the model
// again afterwards.

#include <functional>

namespace mv {

class UiServices;

// True when the handler ran to its end.
bool Dispatch(UiServices& ui, const std::function<void()>& handler,
              const std::function<void()>& showState = {});

} // namespace mv
