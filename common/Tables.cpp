#include "common/Tables.h"

#include "platform/Codec.h"

#include <array>
#include <cassert>

namespace mv {
namespace {

template <std::size_t N>
const std::string& Entry(const std::array<std::string, N>& table, int index) {
    assert(index >= 1 && static_cast<std::size_t>(index) <= N);
    return table[static_cast<std::size_t>(index - 1)];
}

} // namespace

const std::string& KindPrefix(int kind) {
    static const std::array<std::string, 5> table{"De-", "Ut-", "Zo-", "Uo-", "Ks-"};
    return Entry(table, kind);
}

const std::string& HorseNoText(int n) {
    static const std::array<std::string, 18> table{" 1", " 2", " 3", " 4", " 5", " 6",
                                                   " 7", " 8", " 9", "10", "11", "12",
                                                   "13", "14", "15", "16", "17", "18"};
    return Entry(table, n);
}

const std::string& VenueDigit(int venueCode) {
    static const std::array<std::string, 10> table{"1", "2", "3", "4", "5",
                                                   "6", "7", "8", "9", "a"};
    return Entry(table, venueCode);
}

const std::string& VenueName(int venueCode) {
    static const std::array<std::string, 10> table{
        Sjis("札幌"), Sjis("函館"), Sjis("福島"), Sjis("新潟"), Sjis("東京"),
        Sjis("中山"), Sjis("中京"), Sjis("京都"), Sjis("阪神"), Sjis("小倉")};
    return Entry(table, venueCode);
}

const std::string& CodeDigit(int n) {
    static const std::array<std::string, 15> table{"1", "2", "3", "4", "5", "6", "7", "8",
                                                   "9", "a", "b", "c", "d", "e", "f"};
    return Entry(table, n);
}

} // namespace mv
