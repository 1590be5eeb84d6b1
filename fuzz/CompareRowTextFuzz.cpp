// The sort comparison on three arbitrary texts: each text equals itself, swapping two texts
// swaps the sign, the order is transitive, the sort keys order as the comparison does, and a
// sort of the three leaves them in order.

#include "fuzz/Contract.h"
#include "fuzz/FuzzInput.h"
#include "platform/Collation.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::size_t Texts = 3;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// The sign of every comparison of two of the texts, and of their keys.
struct Order {
    std::array<std::array<int, Texts>, Texts> compare{};
    std::array<std::array<int, Texts>, Texts> keys{};
};

Order OrderOf(const std::vector<std::string>& t) {
    Order o;
    std::array<std::string, Texts> key;
    for (std::size_t i = 0; i < Texts; ++i) {
        key[i] = mv::RowSortKey(t[i]);
    }
    for (std::size_t i = 0; i < Texts; ++i) {
        for (std::size_t j = 0; j < Texts; ++j) {
            o.compare[i][j] = Sign(mv::CompareRowText(t[i], t[j]));
            o.keys[i][j] = Sign(key[i].compare(key[j]));
        }
    }
    return o;
}

void CheckOrder(const Order& o) {
    using mv::fuzz::Finding;
    for (std::size_t i = 0; i < Texts; ++i) {
        if (o.compare[i][i] != 0) {
            Finding("a text does not equal itself");
        }
        for (std::size_t j = 0; j < Texts; ++j) {
            if (o.compare[i][j] != -o.compare[j][i]) {
                Finding("swapping two texts does not swap the sign");
            }
            if (o.compare[i][j] != o.keys[i][j]) {
                Finding("the sort keys order otherwise than the comparison");
            }
            for (std::size_t k = 0; k < Texts; ++k) {
                if (o.compare[i][j] <= 0 && o.compare[j][k] <= 0 && o.compare[i][k] > 0) {
                    Finding("the order is not transitive");
                }
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const auto texts = SplitParts(Bytes(data, size), Texts);
    ExpectContract(
        [&] {
            CheckOrder(OrderOf(texts));
            std::vector<std::string> rows = texts;
            SortRows(rows);
            if (!std::is_permutation(rows.begin(), rows.end(), texts.begin(), texts.end()) ||
                CompareRowText(rows[0], rows[1]) > 0 || CompareRowText(rows[1], rows[2]) > 0) {
                Finding("a sort of three texts left them out of order");
            }
        },
        {});
    return 0;
}
