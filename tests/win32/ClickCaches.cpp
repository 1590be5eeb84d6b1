// win32-click-caches OUT
//
// The Windows viewer, started in OUT/program on a fresh sample folder (OUT/PAT), clicked through
// the system's input at the designed places of the click script in order: after each click the
// eight caches are copied to OUT/step-NN, to be compared with the Qt view's.

#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "support/CacheFiles.h"
#include "support/ClickScript.h"
#include "tools/SampleFolder.h"
#include "win32/ViewerProcess.h"

#include <cstdio>
#include <exception>
#include <filesystem>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: win32-click-caches OUT\n");
        return 2;
    }
    try {
        const std::filesystem::path out = std::filesystem::absolute(argv[1]);
        std::filesystem::create_directories(out / "PAT");
        std::filesystem::create_directories(out / "program");
        const auto root = mv::FromOsPath(out);
        if (!root) {
            std::fprintf(stderr, "win32-click-caches: cannot use the folder\n");
            return 1;
        }
        const std::string pat = *root + "\\PAT\\";
        const std::string ini = *root + "\\program\\Q-MvRV98.ini";
        mv::sample::WriteSampleFolder(pat);
        mv::SaveSettings(ini, pat, mv::LoadSettings(ini));

        mv::test::ViewerProcess viewer(out / "program");
        int step = 0;
        for (const char* name : mv::test::PositionClicks) {
            const mv::test::Point p = mv::test::ClickPoint(name);
            if (viewer.ClickAt(p.x, p.y)) {
                std::fprintf(stderr, "win32-click-caches: a box opened after %s\n", name);
                return 1;
            }
            mv::test::CopyCaches(out / "program", out / mv::test::StepFolder(++step));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "win32-click-caches: %s\n", e.what());
        return 1;
    }
    return 0;
}
