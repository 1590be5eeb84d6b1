#pragma once

// The one failure type of the core. A failure abandons the rest of the event handler; the
// view's dispatcher catches it and shows its message. Messages are code page 932 texts.

#include <stdexcept>
#include <string>

namespace mv {

class Failure : public std::runtime_error {
public:
    enum class Kind {
        CannotOpen,
        CannotCreate,
        IndexOutOfRange,
        NotInteger,
        NotFloat,
        CannotWrite,
        Other
    };

    static Failure CannotOpen(const std::string& path); // "ファイル %s は開けません"
    static Failure CannotCreate(const std::string& path); // "ファイル %s を作成できません"
    static Failure IndexOutOfRange(long long index); // "リストの…範囲を超えています (%d)"
    static Failure NotInteger(const std::string& text); // "'%s' は整数ではありません"
    static Failure NotFloat(const std::string& text); // "'%s' は浮動小数点数ではありません"
    static Failure CannotWrite(const std::string& path); // "%s に書き込めません"
    static Failure Other(const std::string& message);    // a message of the caller's own

    Kind kind() const { return kind_; }
    // The message as code page 932 bytes (what() gives the same bytes).
    const std::string& message() const { return message_; }

private:
    Failure(Kind kind, std::string message);
    Kind kind_;
    std::string message_;
};

// The text of the failure's message box: "." is appended when the message's last character
// sorts after ".", so a message that ends in a Japanese character gets a final ".".
std::string MessageBoxText(const std::string& message);

} // namespace mv
