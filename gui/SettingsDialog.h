#pragma once

// The settings dialog (TSubForm) in Qt: created for one opening, shown modally over its
// owner, discarded when closed.

#include <QWidget>
#include <filesystem>

namespace mv::gui {

class QtUiServices;

// Creates the dialog, shows it modally over owner and returns once it has closed.
void RunSettingsDialog(QWidget* owner, QtUiServices& ui, const std::filesystem::path& settingsPath);

} // namespace mv::gui
