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

} // namespace mv::win
