#include "win/SettingsDialog.h"

#include "platform/Dispatch.h"
#include "platform/FolderChoice.h"
#include "settings/SubFormBindings.h"
#include "settings/SubFormDesign.h"
#include "win/Controls.h"
#include "win/DesignedWindow.h"
#include "win/Dpi.h"
#include "win/WinText.h"
#include "win/WindowClass.h"

#include <array>
#include <functional>

namespace mv::win {
namespace {

constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr UINT FirstShowing = WM_APP + 1;

class SettingsDialog {
public:
    SettingsDialog(HWND owner, WinUiServices& ui, TSubForm& form, Fonts& fonts);
    ~SettingsDialog() { ::DestroyWindow(hwnd_); }
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool done() const { return form_.closed(); }
    void Show();

    // For the window procedure.
    WinUiServices& ui() { return ui_; }
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

private:
    void Bind();
    void Render();
    void Run(const std::function<void()>& handler);
    // Hands the typed folder to the form; fails when code page 932 cannot hold it.
    void TakeTypedFolder();
    void CentreOver(HWND owner);

    WinUiServices& ui_;
    TSubForm& form_;
    DesignedWindow controls_;
    HWND hwnd_ = nullptr;
    HWND owner_;
    std::size_t edit1_ = 0;
    std::array<std::size_t, SubRadioCount> radios_{};
    std::string shownFolder_; // the folder text last exchanged between Edit1 and the form
    bool shownOnce_ = false;
};

SettingsDialog::SettingsDialog(HWND owner, WinUiServices& ui, TSubForm& form, Fonts& fonts)
    : ui_(ui), form_(form), controls_(SubFormDesign(), fonts), owner_(owner) {
    RegisterWindowClass(SettingsDialogClass, WindowProcedure<SettingsDialog>,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const int dpi = owner != nullptr ? WindowDpi(owner) : SystemDpi();
    const Size outer = OuterSize(controls_.ScaledClientSize(dpi), Style, ExStyle, dpi);
    const std::wstring caption = WideFromUtf8(SubFormDesign().caption);
    hwnd_ =
        ::CreateWindowExW(ExStyle, SettingsDialogClass, caption.c_str(), Style, 0, 0, outer.width,
                          outer.height, owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    controls_.Build(hwnd_);
    Bind();
    Render();
    CentreOver(owner);
}

void SettingsDialog::CentreOver(HWND owner) {
    RECT area{};
    if (owner == nullptr || !::GetWindowRect(owner, &area)) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT r;
    ::GetWindowRect(hwnd_, &r);
    ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - (r.right - r.left)) / 2,
                   area.top + (area.bottom - area.top - (r.bottom - r.top)) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::Bind() {
    const WindowDesign& design = controls_.design();
    for (std::size_t i = 0; i < controls_.Count(); ++i) {
        const std::string_view name = design.widgets[i].name;
        if (name == "Edit1") {
            edit1_ = i;
        }
        if (const auto radio = SubFormClicks().RadioNamed(name)) {
            radios_[static_cast<std::size_t>(*radio)] = i;
        }
    }
}

void SettingsDialog::Show() {
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
    if (!shownOnce_) {
        shownOnce_ = true;
        // Posted, so that the dialog is on the screen before a prompt or the chooser covers it.
        ::PostMessageW(hwnd_, FirstShowing, 0, 0);
    }
}

void SettingsDialog::Render() {
    const SubFormModel& model = form_.form();
    // Only a folder the form changed replaces the text: a typed text it could not take stays.
    if (model.Edit1 != shownFolder_) {
        ::SetWindowTextW(controls_.Control(edit1_), Wide(model.Edit1).c_str());
        shownFolder_ = model.Edit1;
    }
    for (std::size_t r = 0; r < radios_.size(); ++r) {
        const WPARAM check = model.radios[r].checked ? BST_CHECKED : BST_UNCHECKED;
        ::SendMessageW(controls_.Control(radios_[r]), BM_SETCHECK, check, 0);
    }
}

void SettingsDialog::TakeTypedFolder() {
    const HWND edit = controls_.Control(edit1_);
    std::wstring typed(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    // An untouched text keeps the form's bytes, even those that do not display.
    if (typed == Wide(shownFolder_)) {
        return;
    }
    std::string folder = TypedFolderText(std::u16string(typed.begin(), typed.end()));
    form_.SetEdit1(folder);
    shownFolder_ = std::move(folder);
}

void SettingsDialog::Run(const std::function<void()>& handler) {
    Dispatch(ui_, handler, [this] { Render(); });
    Dispatch(ui_, [this] { Render(); });
    if (form_.closed()) {
        // The modal loop waits for a message before it sees that the dialog is done.
        ::PostMessageW(hwnd_, WM_NULL, 0, 0);
    }
}

LRESULT SettingsDialog::Handle(UINT message, WPARAM w, LPARAM l) {
    if (const auto handled = controls_.Handle(message, w, l)) {
        return *handled;
    }
    switch (message) {
    case WM_COMMAND: {
        // Escape (IDCANCEL from the dialog manager) presses "閉じる"; Enter does nothing: the
        // dialog has no default button.
        if (LOWORD(w) == IDCANCEL && l == 0) {
            const auto& widgets = controls_.design().widgets;
            for (std::size_t i = 0; i < widgets.size(); ++i) {
                if (widgets[i].name == EscapeButton) {
                    ::SendMessageW(controls_.Control(i), BM_CLICK, 0, 0);
                }
            }
            return 0;
        }
        const auto control = DesignIndex(LOWORD(w), controls_.Count());
        if (HIWORD(w) != BN_CLICKED || l == 0 || !control) {
            return 0;
        }
        const std::string_view name = controls_.design().widgets[*control].name;
        if (const auto handler = SubFormClicks().HandlerOf(name)) {
            Run([this, h = *handler] {
                TakeTypedFolder();
                (form_.*h)();
            });
        } else if (const auto radio = SubFormClicks().RadioNamed(name)) {
            Run([this, r = *radio] { form_.Check(r); });
        }
        return 0;
    }
    case FirstShowing:
        Run([this] { form_.FormActivate(); });
        return 0;
    case WM_CLOSE:
        // The close box and the system's close command run the form's close; a failure in it
        // keeps the dialog open.
        if (!form_.closed()) {
            Run([this] {
                TakeTypedFolder();
                form_.Close();
            });
        }
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

} // namespace

void RunSettingsDialog(HWND owner, WinUiServices& ui, Fonts& fonts,
                       const std::filesystem::path& settingsPath) {
    TSubForm form(ui, settingsPath);
    Dispatch(ui, [&] { form.FormCreate(); });
    const HWND previousOwner = ui.owner();
    {
        SettingsDialog dialog(owner, ui, form, fonts);
        // Message boxes and the folder chooser open over the dialog while it is open.
        ui.setOwner(dialog.hwnd());
        if (owner != nullptr) {
            ::EnableWindow(owner, FALSE);
        }
        dialog.Show();
        MSG msg;
        bool quit = false;
        while (!dialog.done()) {
            const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got <= 0) {
                quit = got == 0;
                break;
            }
            if (!::IsDialogMessageW(dialog.hwnd(), &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        // The owner is enabled before the dialog goes, so that it becomes active again.
        if (owner != nullptr) {
            ::EnableWindow(owner, TRUE);
        }
        ui.setOwner(previousOwner);
        if (quit) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
        }
    }
}

} // namespace mv::win
