// make-sample-folder FOLDER [--settings-if-absent INI]
//
// Writes the sample betting-software folder. With --settings-if-absent, also writes a settings
// file pointing at it, but only when INI does not exist yet: a user's settings are never
// overwritten.

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "tools/SampleFolder.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: make-sample-folder FOLDER [--settings-if-absent INI]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--settings-if-absent")) {
        return Usage();
    }
    std::error_code ec;
    const auto folder = std::filesystem::absolute(argv[1], ec);
    std::filesystem::create_directories(folder, ec);
    const auto sjisFolder = mv::TryUtf8ToSjis(folder.string());
    if (ec || !sjisFolder) {
        std::fprintf(stderr, "make-sample-folder: cannot use the folder %s\n", argv[1]);
        return 1;
    }
    try {
        const std::string patDir = mv::AddTrailingBackslash(*sjisFolder);
        mv::sample::WriteSampleFolder(patDir);
        if (argc == 4) {
            const auto ini = mv::TryUtf8ToSjis(std::filesystem::absolute(argv[3]).string());
            if (!ini) {
                std::fprintf(stderr, "make-sample-folder: cannot use the file %s\n", argv[3]);
                return 1;
            }
            if (!std::filesystem::exists(argv[3])) {
                // The defaults, with the sample folder; the set-up flag follows from it.
                mv::SaveSettings(*ini, patDir, mv::LoadSettings(*ini));
                std::printf("Settings written to %s\n", argv[3]);
            }
        }
        std::printf("Sample folder written to %s\n", mv::SjisToUtf8(patDir).c_str());
    } catch (const mv::Failure& failure) {
        std::fprintf(stderr, "make-sample-folder: %s\n", mv::SjisToUtf8(failure.message()).c_str());
        return 1;
    }
    return 0;
}
