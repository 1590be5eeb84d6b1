#include "app/ProgramFiles.h"

#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"

namespace mv {

ProgramFiles ProgramFilesNextToExecutable() {
    return {SettingsFilePath(), ExecutableFolder()};
}

} // namespace mv
