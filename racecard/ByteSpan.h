#pragma once

// A field of a fixed-column record and its extraction, so that each record layout can be
// written once as a table of named spans.

#include "platform/Fields.h"

#include <cstddef>
#include <string>

namespace mv {

struct ByteSpan {
    std::size_t position = 0; // 1-based first byte
    std::size_t length = 0;   // in bytes; 0 for a field the layout lacks
};

// The field moved on by offset bytes (the slot of a record repeated along the line); a field
// reaching past the end of the line yields only the bytes that exist.
inline std::string Take(const std::string& line, ByteSpan span, std::size_t offset = 0) {
    return Field(line, span.position + offset, span.length);
}

} // namespace mv
