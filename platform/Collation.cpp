#include "platform/Collation.h"

#include "platform/CollationWeights.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string_view>

namespace mv {
namespace {

// Fourth-level kana values; the second of each pair is the default.
constexpr char kSmallKana = '\xC4';
constexpr char kLargeKana = '\xC6';
constexpr char kSpelledVowel = '\x03';
constexpr char kRepeatedKana = '\x04';
constexpr char kProlongedVowel = '\x05';
constexpr char kKatakana = '\xC4';
constexpr char kHiragana = '\xE4';
constexpr char kHalfWidthKana = '\xC4';
constexpr char kFullWidthKana = '\xC5';

// Section ends. Each sorts on the same side of its section's values as the default does, so
// dropping trailing defaults changes no order between sections of equal length. The level end
// is also below every first-level weight: a text whose weights are a prefix of another's sorts
// first.
constexpr char kLevelEnd = '\x01';
constexpr char kKeyEnd = '\x00';
constexpr char kKanaSectionEnd = '\xFF';
constexpr char kProlongedSectionEnd = '\x02';

template <typename Bytes>
void AppendBigEndian(Bytes& key, std::uint16_t value) {
    key.push_back(static_cast<char>(value >> 8));
    key.push_back(static_cast<char>(value & 0xFF));
}

// Drops the default values from the end of a section, as the platform's keys do. Texts with equal
// first-level weights have sections of equal length, except where a voiced mark stands first.
std::string_view Trimmed(std::string_view section, char byDefault) {
    while (!section.empty() && section.back() == byDefault) {
        section.remove_suffix(1);
    }
    return section;
}

// One level of a key being built. It keeps its room from one text to the next, as every row of
// a panel needs a key, and writes without a call per byte.
class Section {
public:
    void Clear() { size_ = 0; }
    void push_back(char c) {
        Room(1);
        bytes_[size_++] = c;
    }
    void append(const std::uint8_t* data, std::size_t length) {
        Room(length);
        std::memcpy(bytes_.data() + size_, data, length);
        size_ += length;
    }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    char& back() { return bytes_[size_ - 1]; }
    std::string_view view() const { return {bytes_.data(), size_}; }

private:
    void Room(std::size_t more) {
        if (size_ + more > bytes_.size()) {
            bytes_.resize(2 * (size_ + more) + 32);
        }
    }

    std::string bytes_;
    std::size_t size_ = 0;
};

// Collects the levels of one text, character by character.
class KeyBuilder {
public:
    void Add(const CollationWeights& w) {
        const CollationKind before = previousKind_;
        previousKind_ = w.kind;
        switch (w.kind) {
        case CollationKind::WordPunctuation: {
            // Punctuation further left weighs more: "a-bc" sorts after "ab-c". The system counts
            // what lies before it in pairs of first-level bytes.
            const std::size_t count = std::min<std::size_t>(primaries_.size() / 2, 0xFFFF);
            AppendBigEndian(punctuation_, static_cast<std::uint16_t>(0xFFFF - count));
            AppendBigEndian(punctuation_, w.extra);
            lastPunctuation_ = w.extra;
            return;
        }
        case CollationKind::VoicedMark:
            // A mark after it still leans on what came before the voiced mark.
            AddDiacritic(w.mark);
            previousKind_ = before;
            return;
        case CollationKind::ProlongedMark:
        case CollationKind::RepeatMark:
            AddMark(w, before);
            return;
        case CollationKind::Kana:
            AddEntry(w.elements[0]);
            lastKana_ = KanaEntry{w.elements[0].primary, w.extra, w.small, w.hiragana, w.halfWidth};
            AddKana(w.small, w.hiragana, w.halfWidth, kSpelledVowel);
            return;
        case CollationKind::Plain:
            for (std::size_t e = 0; e < w.elementCount; ++e) {
                AddEntry(w.elements[e]);
            }
            lastKana_.reset();
            return;
        }
    }

    // Ready for another text; the sections keep their room, as every row of a panel needs a
    // key.
    void Reset() {
        for (Section* section : {&primaries_, &diacritics_, &widths_, &small_, &prolonged_, &types_,
                                 &kanaWidths_, &punctuation_}) {
            section->Clear();
        }
        entries_ = 0;
        last_ = {};
        lastKana_.reset();
        lastPunctuation_ = 0;
        previousKind_ = CollationKind::Plain;
    }

    void Finish(std::string& key) const {
        key += primaries_.view();
        key += kLevelEnd;
        key += Trimmed(diacritics_.view(), static_cast<char>(kPlainDiacritic));
        key += kLevelEnd;
        key += Trimmed(widths_.view(), static_cast<char>(kNarrow));
        key += kLevelEnd;
        if (!small_.empty()) {
            key += Trimmed(small_.view(), kLargeKana);
            key += kKanaSectionEnd;
            key += Trimmed(prolonged_.view(), kSpelledVowel);
            key += kProlongedSectionEnd;
            key += Trimmed(types_.view(), kHiragana);
            key += kKanaSectionEnd;
            key += Trimmed(kanaWidths_.view(), kFullWidthKana);
            key += kKanaSectionEnd;
        }
        key += kLevelEnd;
        key += punctuation_.view();
        key += kKeyEnd;
    }

private:
    struct KanaEntry {
        Primary primary;
        std::uint16_t vowel;
        bool small;
        bool hiragana;
        bool halfWidth;
    };

    // A private character's three-byte weight has no diacritic of its own (but a case), and a
    // lone mark has neither.
    void AddEntry(const CollationElement& e) {
        primaries_.append(e.primary.bytes.data(), e.primary.length);
        const bool lone = e.primary.length == 2 && e.primary.bytes[0] == (kLoneMark >> 8) &&
                          e.primary.bytes[1] == (kLoneMark & 0xFF);
        if (e.primary.length == 2 && !lone) {
            diacritics_.push_back(static_cast<char>(e.diacritic));
        }
        if (!lone) {
            widths_.push_back(static_cast<char>(e.width));
        }
        last_ = e;
        ++entries_;
    }

    void AddKana(bool small, bool hiragana, bool halfWidth, char prolonged) {
        small_.push_back(small ? kSmallKana : kLargeKana);
        prolonged_.push_back(prolonged);
        types_.push_back(hiragana ? kHiragana : kKatakana);
        kanaWidths_.push_back(halfWidth ? kHalfWidthKana : kFullWidthKana);
    }

    // A voiced mark adds to the diacritic of the character before it ("Aﾞ" sorts after "A");
    // with none before it, it is a diacritic of its own.
    void AddDiacritic(std::uint8_t amount) {
        if (diacritics_.empty()) {
            diacritics_.push_back(static_cast<char>(amount));
            return;
        }
        const unsigned sum = static_cast<unsigned char>(diacritics_.back()) + amount;
        diacritics_.back() = static_cast<char>(std::min(sum, 0xFFu));
    }

    // A prolonged mark after a kana spells out its vowel, a repeat mark the kana itself, each
    // with the kana's size and type; after a hyphen, an apostrophe or a control character
    // either repeats that at the first level; after anything else the character before it,
    // with its diacritic but not its width.
    void AddMark(const CollationWeights& mark, CollationKind before) {
        const bool prolonged = mark.kind == CollationKind::ProlongedMark;
        if (before == CollationKind::WordPunctuation) {
            AddEntry(
                {{{kRepeatedPunctuationScript, static_cast<std::uint8_t>(lastPunctuation_ >> 8)},
                  2}});
            lastKana_.reset();
        } else if (entries_ == 0) {
            AddEntry({{{kLoneMark >> 8, kLoneMark & 0xFF}, 2}});
        } else if (lastKana_ && prolonged) {
            const std::uint16_t vowel = lastKana_->vowel;
            AddEntry(
                {{{static_cast<std::uint8_t>(vowel >> 8), static_cast<std::uint8_t>(vowel)}, 2}});
            AddKana(lastKana_->small, lastKana_->hiragana, mark.halfWidth, kProlongedVowel);
        } else if (lastKana_) {
            AddEntry({lastKana_->primary, mark.mark});
            AddKana(lastKana_->small, lastKana_->hiragana, lastKana_->halfWidth, kRepeatedKana);
        } else {
            AddEntry({last_.primary, last_.diacritic});
        }
    }

    Section primaries_;
    Section diacritics_;
    Section widths_;
    Section small_;
    Section prolonged_;
    Section types_;
    Section kanaWidths_;
    Section punctuation_;
    std::size_t entries_ = 0;
    CollationElement last_;
    std::optional<KanaEntry> lastKana_; // the last entry, when it is a kana or repeats one
    std::uint16_t lastPunctuation_ = 0;
    CollationKind previousKind_ = CollationKind::Plain;
};

// An ASCII byte that adds one first-level entry of two bytes, or that is word punctuation: what
// nearly every panel line is made of. Its key needs none of the builder's state.
struct SimpleByte {
    enum Kind : std::uint8_t { Other, Entry, Punctuation } kind = Other;
    std::uint8_t primary[2]{};
    char diacritic = 0;
    char width = 0;
    std::uint16_t extra = 0;
};

std::array<SimpleByte, 128> BuildSimpleBytes() {
    std::array<SimpleByte, 128> bytes{};
    for (std::size_t c = 0; c < bytes.size(); ++c) {
        const char text = static_cast<char>(c);
        const CollationWeights& w = *NextCollationUnit(std::string_view(&text, 1), 0).weights;
        const CollationElement& e = w.elements[0];
        const bool lone = e.primary.length == 2 && e.primary.bytes[0] == (kLoneMark >> 8) &&
                          e.primary.bytes[1] == (kLoneMark & 0xFF);
        if (w.kind == CollationKind::Plain && w.elementCount == 1 && e.primary.length == 2 &&
            !lone) {
            bytes[c] = {SimpleByte::Entry,
                        {e.primary.bytes[0], e.primary.bytes[1]},
                        static_cast<char>(e.diacritic),
                        static_cast<char>(e.width),
                        0};
        } else if (w.kind == CollationKind::WordPunctuation) {
            bytes[c] = {SimpleByte::Punctuation, {}, 0, 0, w.extra};
        }
    }
    return bytes;
}

// Appends the key the builder would make, for a text of simple bytes only; false (and nothing
// appended) for any other.
bool AppendSimpleKey(std::string_view text, std::string& key) {
    static const std::array<SimpleByte, 128> simple = BuildSimpleBytes();
    std::size_t entries = 0;
    std::size_t punctuation = 0;
    std::size_t diacritics = 0; // up to the last that is not the default
    std::size_t widths = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= simple.size() || simple[byte].kind == SimpleByte::Other) {
            return false;
        }
        const SimpleByte& b = simple[byte];
        if (b.kind == SimpleByte::Punctuation) {
            ++punctuation;
            continue;
        }
        ++entries;
        if (b.diacritic != static_cast<char>(kPlainDiacritic)) {
            diacritics = entries;
        }
        if (b.width != static_cast<char>(kNarrow)) {
            widths = entries;
        }
    }
    const std::size_t start = key.size();
    key.resize(start + 2 * entries + diacritics + widths + 4 * punctuation + 5, kLevelEnd);
    char* primary = key.data() + start;
    char* diacritic = primary + 2 * entries + 1;
    char* width = diacritic + diacritics + 1;
    char* punctuationAt = width + widths + 2;
    std::size_t entry = 0;
    for (const char c : text) {
        const SimpleByte& b = simple[static_cast<unsigned char>(c)];
        if (b.kind == SimpleByte::Punctuation) {
            // As the builder counts: entries before it, in pairs of first-level bytes.
            const auto weight =
                static_cast<std::uint16_t>(0xFFFF - std::min<std::size_t>(entry, 0xFFFF));
            *punctuationAt++ = static_cast<char>(weight >> 8);
            *punctuationAt++ = static_cast<char>(weight & 0xFF);
            *punctuationAt++ = static_cast<char>(b.extra >> 8);
            *punctuationAt++ = static_cast<char>(b.extra & 0xFF);
            continue;
        }
        *primary++ = static_cast<char>(b.primary[0]);
        *primary++ = static_cast<char>(b.primary[1]);
        if (entry < diacritics) {
            diacritic[entry] = b.diacritic;
        }
        if (entry < widths) {
            width[entry] = b.width;
        }
        ++entry;
    }
    key.back() = kKeyEnd;
    return true;
}

// The simple bytes by the order of their first-level weights: a text's simple start as one
// rank byte per entry compares as its weights do, two bytes each.
struct SimpleRanks {
    static constexpr std::uint8_t NotSimple = 0;
    static constexpr std::uint8_t Punctuation = 1; // no first-level weight
    std::array<std::uint8_t, 256> rank{};
    std::array<std::uint8_t, 256> firstByte{}; // of the weight of each rank
};

SimpleRanks BuildSimpleRanks() {
    const std::array<SimpleByte, 128> simple = BuildSimpleBytes();
    std::vector<std::uint16_t> weights;
    for (const SimpleByte& b : simple) {
        if (b.kind == SimpleByte::Entry) {
            weights.push_back(static_cast<std::uint16_t>(b.primary[0] << 8 | b.primary[1]));
        }
    }
    std::sort(weights.begin(), weights.end());
    weights.erase(std::unique(weights.begin(), weights.end()), weights.end());
    SimpleRanks ranks;
    for (std::size_t c = 0; c < simple.size(); ++c) {
        const SimpleByte& b = simple[c];
        if (b.kind == SimpleByte::Punctuation) {
            ranks.rank[c] = SimpleRanks::Punctuation;
        } else if (b.kind == SimpleByte::Entry) {
            const auto weight = static_cast<std::uint16_t>(b.primary[0] << 8 | b.primary[1]);
            const auto at = std::lower_bound(weights.begin(), weights.end(), weight);
            const auto rank = static_cast<std::uint8_t>(2 + (at - weights.begin()));
            ranks.rank[c] = rank;
            ranks.firstByte[rank] = b.primary[0];
        }
    }
    return ranks;
}

// The order of a list by the portable comparison, decided where it can be by the first-level
// weights of each text's start made of simple bytes, which begin its key's first level: panel
// and race card lines nearly always differ there, so most texts never need a whole key.
class PortableRowOrder {
public:
    explicit PortableRowOrder(const std::vector<std::string_view>& texts)
        : texts_(texts), starts_(texts.size()) {
        static const SimpleRanks table = BuildSimpleRanks();
        std::size_t room = 0;
        for (const std::string_view text : texts) {
            room += text.size();
        }
        ranks_.resize(room);
        std::uint8_t* const first = ranks_.data();
        std::uint8_t* out = first;
        for (std::size_t t = 0; t < texts.size(); ++t) {
            Start& start = starts_[t];
            start.begin = static_cast<std::size_t>(out - first);
            start.whole = true;
            for (const char c : texts[t]) {
                const std::uint8_t rank = table.rank[static_cast<unsigned char>(c)];
                if (rank == SimpleRanks::NotSimple) {
                    start.whole = false;
                    break;
                }
                *out = rank;
                out += rank != SimpleRanks::Punctuation;
            }
            start.end = static_cast<std::size_t>(out - first);
            const std::size_t length = start.end - start.begin;
            for (std::size_t i = 0; i < 8; ++i) {
                start.head = start.head << 8 | (i < length ? first[start.begin + i] : 0u);
            }
        }
        firstByte_ = table.firstByte.data();
    }

    // Negative, zero or positive as text a sorts before, with or after text b: the sign of the
    // comparison of their keys.
    int Compare(std::size_t a, std::size_t b) {
        const Start& x = starts_[a];
        const Start& y = starts_[b];
        const std::size_t lx = x.end - x.begin;
        const std::size_t ly = y.end - y.begin;
        // Most pairs differ within their first eight weights.
        if (const std::uint64_t differ = x.head ^ y.head; differ != 0) {
            const auto at = static_cast<std::size_t>(std::countl_zero(differ)) / 8;
            if (at < std::min(lx, ly)) {
                return x.head < y.head ? -1 : 1;
            }
        }
        // A list of empty texts has no ranks at all, and no pointer to compare from.
        if (const std::size_t common = std::min(lx, ly); common != 0) {
            const int first = std::memcmp(ranks_.data() + x.begin, ranks_.data() + y.begin, common);
            if (first != 0) {
                return first;
            }
        }
        // Where a whole text's weights end, its key's level end meets the other's next weight.
        if (lx < ly && x.whole) {
            if (const int c = LevelEndAgainst(ranks_[y.begin + lx]); c != 0) {
                return c;
            }
        } else if (ly < lx && y.whole) {
            if (const int c = LevelEndAgainst(ranks_[x.begin + ly]); c != 0) {
                return -c;
            }
        }
        // The partition compares the pivot with itself, and equal texts have equal keys.
        if (a == b || texts_[a] == texts_[b]) {
            return 0;
        }
        return Key(a).compare(Key(b));
    }

private:
    struct Start {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::uint64_t head = 0; // the first eight ranks, the first one highest; 0 past the end
        bool whole = false;     // the start is the whole text
    };

    int LevelEndAgainst(std::uint8_t rank) const {
        const auto end = static_cast<unsigned char>(kLevelEnd);
        const std::uint8_t other = firstByte_[rank];
        return (end > other) - (end < other);
    }

    const std::string& Key(std::size_t t) {
        if (keys_.empty()) {
            keys_.resize(texts_.size());
        }
        if (!keys_[t]) {
            keys_[t].emplace();
            AppendPortableRowSortKey(texts_[t], *keys_[t]);
        }
        return *keys_[t];
    }

    const std::vector<std::string_view>& texts_;
    std::vector<std::uint8_t> ranks_;
    std::vector<Start> starts_;
    const std::uint8_t* firstByte_ = nullptr;
    std::vector<std::optional<std::string>> keys_; // made when the starts do not decide
};

// The order of a list by keys made all at once, lying back to back in one buffer.
class KeyRowOrder {
public:
    explicit KeyRowOrder(const std::vector<std::string_view>& texts) {
        std::vector<std::size_t> ends;
        ends.reserve(texts.size());
        for (const std::string_view text : texts) {
            AppendRowSortKey(std::string(text), buffer_);
            ends.push_back(buffer_.size());
        }
        keys_.reserve(texts.size());
        std::size_t start = 0;
        for (const std::size_t end : ends) {
            keys_.emplace_back(buffer_.data() + start, end - start);
            start = end;
        }
    }

    int Compare(std::size_t a, std::size_t b) const { return keys_[a].compare(keys_[b]); }

private:
    std::string buffer_;
    std::vector<std::string_view> keys_;
};

// Hoare partition around the middle element, recursing into the smaller part. It arranges the
// texts' indices; the texts themselves never move.
template <typename RowOrder>
void QuickSort(std::vector<std::size_t>& rows, RowOrder& order, std::ptrdiff_t left,
               std::ptrdiff_t right) {
    const auto at = [](std::ptrdiff_t i) { return static_cast<std::size_t>(i); };
    while (left < right) {
        std::ptrdiff_t i = left;
        std::ptrdiff_t j = right;
        const std::size_t pivot = rows[at(left + (right - left) / 2)];
        do {
            while (order.Compare(rows[at(i)], pivot) < 0) {
                ++i;
            }
            while (order.Compare(pivot, rows[at(j)]) < 0) {
                --j;
            }
            if (i <= j) {
                if (i != j) {
                    std::swap(rows[at(i)], rows[at(j)]);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - left < right - i) {
            QuickSort(rows, order, left, j);
            left = i;
        } else {
            QuickSort(rows, order, i, right);
            right = j;
        }
    }
}

// The indices of the texts in sorted order.
template <typename RowOrder>
std::vector<std::size_t> SortedIndices(const std::vector<std::string_view>& texts) {
    RowOrder order(texts);
    std::vector<std::size_t> rows(texts.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = i;
    }
    QuickSort(rows, order, 0, static_cast<std::ptrdiff_t>(rows.size()) - 1);
    return rows;
}

std::vector<std::size_t> SortedIndices(const std::vector<std::string_view>& texts) {
    return RowSortIsPortable() ? SortedIndices<PortableRowOrder>(texts)
                               : SortedIndices<KeyRowOrder>(texts);
}

} // namespace

void AppendPortableRowSortKey(std::string_view text, std::string& key) {
    if (AppendSimpleKey(text, key)) {
        return;
    }
    thread_local KeyBuilder builder;
    builder.Reset();
    for (std::size_t pos = 0; pos < text.size();) {
        const CollationUnit unit = NextCollationUnit(text, pos);
        builder.Add(*unit.weights);
        pos += unit.length;
    }
    builder.Finish(key);
}

std::string PortableRowSortKey(const std::string& text) {
    std::string key;
    AppendPortableRowSortKey(text, key);
    return key;
}

int PortableCompareRowText(const std::string& a, const std::string& b) {
    const int order = PortableRowSortKey(a).compare(PortableRowSortKey(b));
    return (order > 0) - (order < 0);
}

void SortRows(std::vector<std::string>& rows) {
    const std::vector<std::size_t> order = SortedIndices({rows.begin(), rows.end()});
    std::vector<std::string> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order) {
        sorted.push_back(std::move(rows[i]));
    }
    rows = std::move(sorted);
}

void SortRows(std::vector<std::string_view>& rows) {
    const std::vector<std::size_t> order = SortedIndices(rows);
    std::vector<std::string_view> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order) {
        sorted.push_back(rows[i]);
    }
    rows = std::move(sorted);
}

} // namespace mv
