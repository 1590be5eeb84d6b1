// Answers the reference-vector checker: `vectorcheck fw` maps each hex line with ToFullWidth and
// prints the result in hex; `vectorcheck cmp` compares the two hex texts of each line
// ("A<TAB>B") with CompareRowText and prints -1, 0 or 1.

#include "platform/Collation.h"
#include "platform/FullWidth.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace {

std::optional<std::string> FromHex(const std::string& hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(hex.c_str() + i, "%2x", &value) != 1) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::string ToHex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    return hex;
}

// One request line answered; nothing when the line is malformed.
std::optional<std::string> Answer(const std::string& mode, const std::string& line) {
    if (mode == "fw") {
        const auto text = FromHex(line);
        return text ? std::optional(ToHex(mv::ToFullWidth(*text))) : std::nullopt;
    }
    const auto tab = line.find('\t');
    if (tab == std::string::npos) {
        return std::nullopt;
    }
    const auto a = FromHex(line.substr(0, tab));
    const auto b = FromHex(line.substr(tab + 1));
    if (!a || !b) {
        return std::nullopt;
    }
    return std::to_string(mv::CompareRowText(*a, *b));
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "fw" && mode != "cmp") {
        std::cerr << "usage: vectorcheck fw|cmp < requests\n";
        return 2;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto answer = Answer(mode, line);
        if (!answer) {
            std::cerr << "malformed request: " << line << '\n';
            return 1;
        }
        std::cout << *answer << '\n';
    }
    return 0;
}
