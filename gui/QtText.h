#pragma once

// The edge between the core's code page 932 texts and Qt's Unicode strings.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace mv::gui {

QString FromSjis(std::string_view sjis);

// Nothing when the text holds a character that code page 932 cannot hold.
std::optional<std::string> ToSjis(const QString& text);

} // namespace mv::gui
