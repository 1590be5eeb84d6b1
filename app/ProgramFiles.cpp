#include "app/ProgramFiles.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"

namespace mv {

ProgramFiles ProgramFilesNextToExecutable() {
    const std::filesystem::path executable = ExecutableOsPath();
    if (executable.empty()) {
        throw Failure::Other(Sjis("実行ファイルの場所がわかりません"));
    }
    return {SettingsFilePath(), executable.parent_path()};
}

} // namespace mv
