#pragma once

// The reference vectors of tests/data/vectors: code page 932 texts written in hex, one record a
// line, fields separated by TAB.

#include "platform/Codec.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace mv::test {

inline std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

// A text for a failure message: its UTF-8 form and its bytes.
inline std::string Readable(const std::string& sjis) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : sjis) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return "\"" + SjisToUtf8(sjis) + "\" [" + hex + "]";
}

// The lines of a vector file, each split at TAB; an empty line gives an empty record.
inline std::vector<std::vector<std::string>> ReadVectorRecords(const std::string& name) {
    std::ifstream in(std::string(MV_TEST_DATA) + "/vectors/" + name);
    if (!in) {
        throw std::runtime_error("cannot open vector file " + name);
    }
    std::vector<std::vector<std::string>> records;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab; !line.empty() && (tab = line.find('\t', start)) != line.npos;) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        if (!line.empty()) {
            fields.push_back(line.substr(start));
        }
        records.push_back(fields);
    }
    return records;
}

} // namespace mv::test
