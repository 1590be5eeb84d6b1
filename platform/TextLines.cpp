#include "platform/TextLines.h"

#include <algorithm>

namespace mv {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

} // namespace

TextLines::TextLines(std::initializer_list<std::string_view> lines) {
    for (const std::string_view line : lines) {
        push_back(line);
    }
}

TextLines::TextLines(const std::vector<std::string>& lines) {
    starts_.reserve(lines.size());
    for (const std::string& line : lines) {
        push_back(line);
    }
}

void TextLines::push_back(std::string_view line) {
    if (!starts_.empty()) {
        text_ += kLineBreak;
    }
    starts_.push_back(text_.size());
    text_ += line;
}

void TextLines::clear() {
    text_.clear();
    starts_.clear();
}

std::string_view TextLines::operator[](std::size_t i) const {
    const std::size_t end =
        i + 1 < starts_.size() ? starts_[i + 1] - kLineBreak.size() : text_.size();
    return std::string_view(text_).substr(starts_[i], end - starts_[i]);
}

std::vector<std::string> TextLines::ToLines() const {
    return std::vector<std::string>(begin(), end());
}

bool operator==(const TextLines& a, const std::vector<std::string>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

} // namespace mv
