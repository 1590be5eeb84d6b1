#include "gui/SettingsDialog.h"

#include "gui/QtUiServices.h"
#include "gui/SettingsDialogWindow.h"
#include "platform/Dispatch.h"
#include "settings/SubForm.h"

namespace mv::gui {

void RunSettingsDialog(QWidget* owner, QtUiServices& ui,
                       const std::filesystem::path& settingsPath) {
    TSubForm form(ui, settingsPath);
    Dispatch(ui, [&] { form.FormCreate(); });
    SettingsDialogWindow dialog(owner, ui, form);
    // Message boxes and the folder chooser open over the dialog while it is open.
    ui.setParent(&dialog);
    dialog.exec();
    ui.setParent(owner);
}

} // namespace mv::gui
