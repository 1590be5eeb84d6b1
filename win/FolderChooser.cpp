#include "win/FolderChooser.h"

#include "platform/FileQuery.h"
#include "platform/FolderChoice.h"
#include "platform/win32/LongPath.h"
#include "win/WinText.h"

#include <exception>
#include <filesystem>
#include <ole2.h>
#include <shlobj.h>
#include <system_error>

namespace mv::win {
namespace {

struct Choice {
    WinUiServices& ui;
    std::wstring start;
    std::optional<std::string> typed; // a typed folder accepted by the confirmation
    std::exception_ptr failure;       // carried out of the shell's callback
};

// While the chooser is open, questions are modal over it.
class OwnerWhileOpen {
public:
    OwnerWhileOpen(WinUiServices& ui, HWND owner) : ui_(ui), previous_(ui.owner()) {
        ui_.setOwner(owner);
    }
    ~OwnerWhileOpen() { ui_.setOwner(previous_); }
    OwnerWhileOpen(const OwnerWhileOpen&) = delete;
    OwnerWhileOpen& operator=(const OwnerWhileOpen&) = delete;

private:
    WinUiServices& ui_;
    HWND previous_;
};

std::wstring PathOf(LPCITEMIDLIST item) {
    std::wstring path(32768, L'\0');
    if (!::SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()),
                                 GPFIDL_DEFAULT)) {
        return {};
    }
    path.resize(std::wcslen(path.c_str()));
    return path;
}

// The field shows the selected folder's full path, not only its name.
BOOL CALLBACK SetFieldText(HWND child, LPARAM text) {
    wchar_t name[16];
    if (::GetClassNameW(child, name, 16) != 0 && std::wstring_view(name) == L"Edit") {
        ::SetWindowTextW(child, reinterpret_cast<const wchar_t*>(text));
        return FALSE;
    }
    return TRUE;
}

int CALLBACK OnChooserEvent(HWND chooser, UINT event, LPARAM l, LPARAM data) {
    auto& choice = *reinterpret_cast<Choice*>(data);
    switch (event) {
    case BFFM_INITIALIZED:
        ::SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE,
                       reinterpret_cast<LPARAM>(choice.start.c_str()));
        break;
    case BFFM_SELCHANGED: {
        const std::wstring path = PathOf(reinterpret_cast<LPCITEMIDLIST>(l));
        if (!path.empty()) {
            ::EnumChildWindows(chooser, SetFieldText, reinterpret_cast<LPARAM>(path.c_str()));
        }
        break;
    }
    case BFFM_VALIDATEFAILEDW: {
        // A typed folder that the shell does not know, as it does not exist (yet).
        const std::wstring typed = reinterpret_cast<const wchar_t*>(l);
        try {
            OwnerWhileOpen owner(choice.ui, chooser);
            choice.typed = ConfirmChosenFolder(choice.ui, FullFolderPath(typed), typed.empty());
            return choice.typed ? 0 : 1; // 1 keeps the chooser open
        } catch (...) {
            choice.failure = std::current_exception();
            return 0;
        }
    }
    default:
        break;
    }
    return 0;
}

std::wstring StartFolder(const std::string& initialFolder) {
    const std::wstring initial = Wide(initialFolder);
    std::error_code error;
    if (initial.find_first_not_of(L' ') != std::wstring::npos &&
        std::filesystem::is_directory(ToOsPath(initialFolder), error)) {
        return FullFolderPath(initial);
    }
    return std::filesystem::current_path(error).wstring();
}

} // namespace

std::optional<std::string> ChooseFolder(WinUiServices& ui, const std::string& initialFolder) {
    // The chooser needs the single-threaded apartment; made when first needed, as it costs
    // the start-up of every run a good part of its time.
    static const bool ole = SUCCEEDED(::OleInitialize(nullptr));
    (void)ole;
    Choice choice{ui, StartFolder(initialFolder), std::nullopt, nullptr};
    BROWSEINFOW info{};
    info.hwndOwner = ui.owner();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    info.lpfn = OnChooserEvent;
    info.lParam = reinterpret_cast<LPARAM>(&choice);
    const PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    std::wstring path;
    if (chosen != nullptr) {
        path = PathOf(chosen);
        ::CoTaskMemFree(chosen);
    }
    if (choice.failure) {
        std::rethrow_exception(choice.failure);
    }
    if (choice.typed) {
        return choice.typed;
    }
    if (path.empty()) {
        return std::nullopt;
    }
    // A folder the shell found exists; its name must still survive code page 932.
    return ConfirmChosenFolder(ui, path, false);
}

} // namespace mv::win
