// PLACEHOLDER until the dialog lands.
#include "gui/SettingsDialog.h"

namespace mv::gui {
void RunSettingsDialog(QWidget*, QtUiServices&, const std::string&) {}
} // namespace mv::gui
