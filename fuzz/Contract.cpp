#include "fuzz/Contract.h"

#include "platform/Codec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

namespace mv::fuzz {
namespace {

// The fixed text around the value of each kind's message (UTF-8).
struct MessageForm {
    Failure::Kind kind;
    std::string_view before;
    std::string_view after;
};

constexpr MessageForm MessageForms[] = {
    {Failure::Kind::CannotOpen, "ファイル ", " は開けません"},
    {Failure::Kind::CannotCreate, "ファイル ", " を作成できません"},
    {Failure::Kind::IndexOutOfRange, "リストのインデックスが範囲を超えています (", ")"},
    {Failure::Kind::NotInteger, "'", "' は整数ではありません"},
    {Failure::Kind::NotFloat, "'", "' は浮動小数点数ではありません"},
    {Failure::Kind::CannotWrite, "", " に書き込めません"},
};

bool HasItsKindsForm(const Failure& failure) {
    for (const MessageForm& form : MessageForms) {
        if (form.kind != failure.kind()) {
            continue;
        }
        const std::string before = Sjis(form.before);
        const std::string after = Sjis(form.after);
        const std::string& m = failure.message();
        return m.size() >= before.size() + after.size() && m.starts_with(before) &&
               m.ends_with(after);
    }
    return false;
}

} // namespace

void Finding(const std::string& reason) {
    std::fprintf(stderr, "FINDING: %s\n", SjisToUtf8(reason).c_str());
    std::abort();
}

bool ExpectContract(const std::function<void()>& op, std::initializer_list<Failure::Kind> allowed) {
    try {
        op();
        return true;
    } catch (const Failure& failure) {
        if (std::find(allowed.begin(), allowed.end(), failure.kind()) == allowed.end()) {
            Finding("failure of a kind this operation must not raise: " + failure.message());
        }
        if (!HasItsKindsForm(failure)) {
            Finding("failure message not of its kind's form: " + failure.message());
        }
        return false;
    } catch (const std::exception& e) {
        Finding(std::string("exception other than a failure: ") + e.what());
    } catch (...) {
        Finding("unknown exception");
    }
}

} // namespace mv::fuzz
