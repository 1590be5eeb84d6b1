#pragma once

// The settings file "Q-MvRV98.ini": section "Dir" with "PatDir", section "Options" with "PN",
// "Tsort", "Wsort", "Usort", "Ksort" and "US". The viewer uses the file next to its
// executable; the tests, files of their own.

#include "common/Settings.h"

#include <filesystem>
#include <string>

namespace mv {

// The settings file in the folder of the running executable.
std::filesystem::path SettingsFilePath();

// The settings as stored; a missing file, section or key gives its default ("", "▲",
// "false" for each order, "0"). Never fails.
TSettings LoadSettings(const std::filesystem::path& iniPath);

// Stores the folder (with a final separator added) and the sign and order fields of the
// settings, in the file's key order; "US" becomes "1" when that folder holds a meeting index
// file and is left as it was otherwise. The fields PatDir and US of the settings are not used.
// Fails with "%s に書き込めません"; keys written before the failure stay written.
void SaveSettings(const std::filesystem::path& iniPath, const std::string& folderText,
                  const TSettings& settings);

// Whether follow mode is on: "AutoUpdate" of section "Options" is "1". Never fails.
bool LoadAutoUpdate(const std::filesystem::path& iniPath);

// Stores that key alone ("1" or "0"); fails with "%s に書き込めません".
void SaveAutoUpdate(const std::filesystem::path& iniPath, bool on);

// The text with the path separator appended unless its last character (double-byte aware) is
// one; the empty text gives the separator alone.
std::string AddTrailingBackslash(const std::string& text);

// True when the first entry matching folder + "Uy-?.jra" is a file. Nothing is put between
// the folder and the pattern, so a folder without a final separator fails.
bool IsPatFolder(const std::string& folder);

} // namespace mv
