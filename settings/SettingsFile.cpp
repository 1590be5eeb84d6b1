#include "settings/SettingsFile.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/IniFile.h"

namespace mv {
namespace {

constexpr const char* SettingsFileName = "Q-MvRV98.ini";

// Names of a meeting index file: its presence makes a folder the betting software's folder.
constexpr const char* MeetingIndexPattern = "Uy-?.jra";

struct SettingKey {
    const char* section;
    const char* key;
    const char* defaultUtf8; // a blank default reads as the empty text
    std::string TSettings::*field;
};

constexpr SettingKey FolderKey{"Dir", "PatDir", " ", &TSettings::PatDir};
constexpr SettingKey OptionKeys[] = {
    {"Options", "PN", "▲", &TSettings::PN},
    {"Options", "Tsort", "false", &TSettings::Tsort},
    {"Options", "Wsort", "false", &TSettings::Wsort},
    {"Options", "Usort", "false", &TSettings::Usort},
    {"Options", "Ksort", "false", &TSettings::Ksort},
};
constexpr SettingKey SetUpKey{"Options", "US", "0", &TSettings::US};

// Beyond the settings the dialog edits: only the main window writes it.
constexpr const char* AutoUpdateSection = "Options";
constexpr const char* AutoUpdateKey = "AutoUpdate";

void Load(const std::filesystem::path& iniPath, const SettingKey& k, TSettings& settings) {
    settings.*k.field = ReadProfileString(iniPath, k.section, k.key, Sjis(k.defaultUtf8));
}

} // namespace

std::filesystem::path SettingsFilePath() {
    return ExecutableOsPath().parent_path() / SettingsFileName;
}

TSettings LoadSettings(const std::filesystem::path& iniPath) {
    TSettings settings;
    Load(iniPath, FolderKey, settings);
    for (const auto& k : OptionKeys) {
        Load(iniPath, k, settings);
    }
    Load(iniPath, SetUpKey, settings);
    return settings;
}

void SaveSettings(const std::filesystem::path& iniPath, const std::string& folderText,
                  const TSettings& settings) {
    const std::string folder = AddTrailingBackslash(folderText);
    WriteProfileString(iniPath, FolderKey.section, FolderKey.key, folder);
    for (const auto& k : OptionKeys) {
        WriteProfileString(iniPath, k.section, k.key, settings.*k.field);
    }
    // The set-up flag only ever moves to "1": a folder that lost its files keeps it.
    if (IsPatFolder(folder)) {
        WriteProfileString(iniPath, SetUpKey.section, SetUpKey.key, "1");
    }
}

bool LoadAutoUpdate(const std::filesystem::path& iniPath) {
    return ReadProfileString(iniPath, AutoUpdateSection, AutoUpdateKey, "0") == "1";
}

void SaveAutoUpdate(const std::filesystem::path& iniPath, bool on) {
    WriteProfileString(iniPath, AutoUpdateSection, AutoUpdateKey, on ? "1" : "0");
}

std::string AddTrailingBackslash(const std::string& text) {
    // A final second byte of a double-byte character is not a separator.
    if (!text.empty() && LastCharacterStart(text) == text.size() - 1 &&
        text.back() == PathSeparator) {
        return text;
    }
    return text + PathSeparator;
}

bool IsPatFolder(const std::string& folder) {
    return PatternFileExists(folder + MeetingIndexPattern);
}

} // namespace mv
