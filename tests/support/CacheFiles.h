#pragma once

// The eight caches the viewer writes beside its executable, and copies of them taken after
// each step of a scripted session.

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

namespace mv::test {

inline constexpr std::array<const char*, 8> CacheNames = {"MvDESo.dat", "MvDENo.dat", "MvZOSo.dat",
                                                          "MvZONo.dat", "MvUOSo.dat", "MvUONo.dat",
                                                          "MvKOSo.dat", "MvKONo.dat"};

inline std::string StepFolder(int step) {
    char name[16];
    std::snprintf(name, sizeof(name), "step-%02d", step);
    return name;
}

// Copies the caches that exist in from into the new folder to.
inline void CopyCaches(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::create_directories(to);
    for (const char* name : CacheNames) {
        std::error_code missing;
        std::filesystem::copy_file(from / name, to / name,
                                   std::filesystem::copy_options::overwrite_existing, missing);
    }
}

} // namespace mv::test
