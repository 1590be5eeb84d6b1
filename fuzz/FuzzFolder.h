#pragma once

// The folders a whole-window fuzz target works in: a betting-software folder and a program
// folder (settings file, caches), created once per process under the temporary folder and
// removed at exit. Each input is written as data files of one race and read by the real
// stages through a MainFormState.

#include "common/MainFormState.h"

#include <string>
#include <utility>
#include <vector>

namespace mv::fuzz {

class FuzzFolder {
public:
    // The process's folders, created on first use.
    static FuzzFolder& Get();

    const std::string& pat() const { return pat_; }         // ends with the separator
    const std::string& program() const { return program_; } // ends with the separator
    std::string SettingsPath() const { return program_ + "Q-MvRV98.ini"; }

    // A state showing race 1 of the meeting at slot 1 whose data files are exactly these
    // (kind 1..5, content); the probe flags are set for them alone.
    MainFormState RaceWith(const std::vector<std::pair<int, std::string>>& files) const;

    // Writes bytes as the whole file at a code page 932 path.
    static void Put(const std::string& path, const std::string& bytes);

    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;
    ~FuzzFolder();

private:
    FuzzFolder();
    std::string root_; // operating-system path
    std::string pat_;
    std::string program_;
};

} // namespace mv::fuzz
