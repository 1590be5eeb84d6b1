#include "platform/FolderChoice.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"

#include <system_error>

namespace mv {

std::string TypedFolderText(std::u16string_view typed) {
    auto sjis = TryUtf16ToSjis(typed);
    if (!sjis) {
        throw Failure::Other(Sjis("入力されたフォルダ名に Shift_JIS で表せない文字があります"));
    }
    return *sjis;
}

std::optional<std::string> ConfirmChosenFolder(UiServices& ui, const std::filesystem::path& folder,
                                               bool fieldEmpty) {
    const auto sjis = FromOsPath(folder);
    if (!sjis) {
        throw Failure::Other(Sjis("選択したフォルダの名前に Shift_JIS で表せない文字があります"));
    }
    std::error_code error;
    if (!fieldEmpty && std::filesystem::is_directory(folder, error)) {
        return sjis;
    }
    if (!ui.AskYesNo(Sjis("指定されたディレクトリが存在しません。作成しますか？"))) {
        return std::nullopt;
    }
    if (fieldEmpty) {
        throw Failure::Other(Sjis("ディレクトリを作成できません"));
    }
    std::filesystem::create_directories(folder, error);
    return sjis;
}

} // namespace mv
