#pragma once

// The settings dialog TSubForm as designed: every widget with its place, font and caption, in
// tab order. Both views build the dialog from this table; the model's captions and initial
// selection come from it too.

#include "platform/WindowDesign.h"

namespace mv {

const WindowDesign& SubFormDesign();

} // namespace mv
