// Meeting discovery on an arbitrary meeting index in slot 1, then the choice of that venue:
// the keys it yields name data files, none of which exist.

#include "app/MainForm.h"
#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"
#include "settings/SettingsFile.h"

#include <cstdint>

namespace mv::fuzz {
namespace {

// Answers nothing: discovery and a venue choice never ask the user.
class SilentUi : public UiServices {
public:
    void ShowMessage(const std::string&) override {}
    void SetClipboardText(const std::string&) override {}
    std::optional<std::filesystem::path> AskSavePath(const SaveRequest&) override { return {}; }
    void ShowError(const std::string&) override {}
    std::optional<std::string> SelectFolder(const std::string&) override { return {}; }
    bool AskYesNo(const std::string&) override { return false; }
    void OpenSettingsDialog() override {}
    void RequestEnd() override {}
};

} // namespace
} // namespace mv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const FuzzFolder& folder = FuzzFolder::Get();
    FuzzFolder::Put(folder.pat() + "Uy-a.jra", std::string(Bytes(data, size)));
    SilentUi ui;
    TMainForm form(ui, folder.SettingsPath(), folder.program());
    const bool created = ExpectContract([&] { form.FormCreate(); }, ReaderFailures);
    if (created && form.window().radio(VenueButton(1)).visible) {
        ExpectContract([&] { form.Check(VenueButton(1)); }, {});
        if (form.window().GBRVisible) {
            Finding("a venue without data files showed a race");
        }
    }
    return 0;
}
