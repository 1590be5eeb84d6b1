#include "gui/QtText.h"

#include "platform/Codec.h"

namespace mv::gui {

QString FromSjis(std::string_view sjis) {
    return QString::fromStdU16String(SjisToUtf16(sjis));
}

std::optional<std::string> ToSjis(const QString& text) {
    return TryUtf16ToSjis(text.toStdU16String());
}

} // namespace mv::gui
