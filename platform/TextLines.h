#pragma once

// Lines held as one text: the lines with CR LF between them, and where each line starts. A
// panel of 150 lines costs two allocations instead of one per line, and its whole text is
// ready for a memo as it stands.

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

class TextLines {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const TextLines* lines, std::size_t at) : lines_(lines), at_(at) {}
        std::string_view operator*() const { return (*lines_)[at_]; }
        std::string_view operator[](difference_type n) const {
            return (*lines_)[static_cast<std::size_t>(static_cast<difference_type>(at_) + n)];
        }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++at_;
            return before;
        }
        const_iterator& operator--() {
            --at_;
            return *this;
        }
        const_iterator operator--(int) {
            const_iterator before = *this;
            --at_;
            return before;
        }
        const_iterator& operator+=(difference_type n) {
            at_ = static_cast<std::size_t>(static_cast<difference_type>(at_) + n);
            return *this;
        }
        const_iterator& operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator i, difference_type n) { return i += n; }
        friend const_iterator operator+(difference_type n, const_iterator i) { return i += n; }
        friend const_iterator operator-(const_iterator i, difference_type n) { return i -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.at_) - static_cast<difference_type>(b.at_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.at_ == b.at_;
        }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
            return a.at_ <=> b.at_;
        }

    private:
        const TextLines* lines_ = nullptr;
        std::size_t at_ = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    TextLines() = default;
    TextLines(std::initializer_list<std::string_view> lines);
    explicit TextLines(const std::vector<std::string>& lines);

    void push_back(std::string_view line);
    void clear();
    // Room for lines of this many bytes in all, their breaks included.
    void reserve(std::size_t bytes) { text_.reserve(bytes); }

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    std::string_view operator[](std::size_t i) const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Every line, CR LF between them and none after the last.
    const std::string& text() const { return text_; }
    std::vector<std::string> ToLines() const;

    friend bool operator==(const TextLines&, const TextLines&) = default;
    friend bool operator==(const TextLines& a, const std::vector<std::string>& b);

private:
    std::string text_;
    std::vector<std::size_t> starts_;
};

} // namespace mv
