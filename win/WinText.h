#pragma once

// The edge between the core's code page 932 texts and the wide-character API. The core's codec
// converts, so nothing depends on the system's ANSI code page.

#include <string>
#include <string_view>

namespace mv::win {

std::wstring Wide(std::string_view sjis);

// A text of a control as code page 932 (a character it cannot hold becomes "?").
std::string Narrow(std::wstring_view wide);

// A UTF-8 literal of the design (a caption) as the window shows it.
std::wstring WideFromUtf8(const char* utf8);

// The lines of a memo as one text, CR LF between them.
template <typename LinesT>
std::wstring JoinLines(const LinesT& lines) {
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            joined += "\r\n";
        }
        joined += lines[i];
    }
    return Wide(joined);
}

} // namespace mv::win
