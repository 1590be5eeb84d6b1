#include "platform/Failure.h"

#include "platform/Codec.h"
#include "platform/Collation.h"

namespace mv {
namespace {

// Replaces the single "%s" or "%d" of a message template.
std::string Fill(std::string_view utf8Template, const std::string& value) {
    std::string text = Sjis(utf8Template);
    const auto at = text.find('%');
    return text.substr(0, at) + value + text.substr(at + 2);
}

} // namespace

Failure::Failure(Kind kind, std::string message)
    : std::runtime_error(message), kind_(kind), message_(std::move(message)) {}

Failure Failure::CannotOpen(const std::string& path) {
    return {Kind::CannotOpen, Fill("ファイル %s は開けません", path)};
}
Failure Failure::CannotCreate(const std::string& path) {
    return {Kind::CannotCreate, Fill("ファイル %s を作成できません", path)};
}
Failure Failure::IndexOutOfRange(long long index) {
    return {Kind::IndexOutOfRange,
            Fill("リストのインデックスが範囲を超えています (%d)", std::to_string(index))};
}
Failure Failure::NotInteger(const std::string& text) {
    return {Kind::NotInteger, Fill("'%s' は整数ではありません", text)};
}
Failure Failure::NotFloat(const std::string& text) {
    return {Kind::NotFloat, Fill("'%s' は浮動小数点数ではありません", text)};
}
Failure Failure::CannotWrite(const std::string& path) {
    return {Kind::CannotWrite, Fill("%s に書き込めません", path)};
}
Failure Failure::Other(const std::string& message) {
    return {Kind::Other, message};
}

std::string MessageBoxText(const std::string& message) {
    if (message.empty()) {
        return message;
    }
    if (CompareRowText(message.substr(LastCharacterStart(message)), ".") > 0) {
        return message + ".";
    }
    return message;
}

} // namespace mv
