#pragma once

// A fresh folder for one test, removed with everything in it afterwards. Its path is given as
// a code page 932 text ending with the separator, as the core takes folders.

#include <filesystem>
#include <string>

namespace mv::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Code page 932 path of the folder, ending with the separator.
    const std::string& path() const { return path_; }
    const std::filesystem::path& osPath() const { return osPath_; }

    // The operating-system path of a file of the folder (name in code page 932).
    std::filesystem::path File(const std::string& name) const;
    // Writes raw bytes to a file of the folder (name in code page 932); returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // The raw bytes of a file of the folder.
    std::string Read(const std::string& name) const;

private:
    std::filesystem::path osPath_;
    std::string path_;
};

// The raw bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// How many entries a folder holds.
int EntryCount(const std::filesystem::path& folder);

} // namespace mv::test
