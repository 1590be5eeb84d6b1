// The profile reader and writer on an arbitrary file (parts: file, section, key, value): a
// read never fails; a write either is refused with the file's message or reads back the
// value it wrote as the profile rules read it (without blanks at its ends and one pair of
// enclosing quotes), and writing the same value again changes no byte.

#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"
#include "platform/IniFile.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

// The longest value a read gives back whole.
constexpr std::size_t MaxValueBytes = 2047;

// The value as a read gives it back.
std::string AsRead(std::string value) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!value.empty() && blank(value.back())) {
        value.pop_back();
    }
    std::size_t start = 0;
    while (start < value.size() && blank(value[start])) {
        ++start;
    }
    value.erase(0, start);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Content(const std::string& osPath) {
    std::ifstream in(osPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const auto parts = SplitParts(Bytes(data, size), 4);
    const std::string &section = parts[1], &key = parts[2], &value = parts[3];
    const std::string path = FuzzFolder::Get().program() + "fuzz.ini";
    FuzzFolder::Put(path, parts[0]);

    std::string before;
    ExpectContract([&] { before = ReadProfileString(path, section, key, "default"); }, {});
    if (before.size() > MaxValueBytes) {
        Finding("a read gave more than 2047 bytes");
    }
    if (!ExpectContract([&] { WriteProfileString(path, section, key, value); },
                        {Failure::Kind::CannotWrite})) {
        return 0;
    }
    const std::string written = Content(path);
    std::string after;
    ExpectContract([&] { after = ReadProfileString(path, section, key, "default"); }, {});
    if (value.size() <= MaxValueBytes && after != AsRead(value)) {
        Finding("the value written does not read back: " + value + " / " + after);
    }
    ExpectContract([&] { WriteProfileString(path, section, key, value); }, {});
    if (Content(path) != written) {
        Finding("writing the same value again changed the file");
    }
    return 0;
}
