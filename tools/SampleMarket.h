#pragma once

// One race of the sample folder as the betting software sees it: the runners, the odds their
// strengths give, the payouts of a drawn finish, and the five files that carry them.

#include "tools/SampleWriters.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mv::sample {

// A small generator of our own: the standard distributions may give other numbers with
// another library version, and the sample must not change with the toolchain.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // A value in [0, n) for n > 0.
    int Below(int n);
    int Between(int low, int high) { return low + Below(high - low + 1); }
    std::size_t Index(std::size_t size) {
        return static_cast<std::size_t>(Below(static_cast<int>(size)));
    }

private:
    std::uint64_t state_;
};

struct Runner {
    int number = 0;
    int bracket = 0;
    std::string name;   // code page 932, not padded
    std::string jockey; // code page 932, not padded
    std::string apprentice = "  ";
    int weightCarried = 0;   // kg
    int bodyWeight = 0;      // kg
    int change = 0;          // kg, shown for a gain or loss
    char sign = ' ';         // "1" gain, "2" loss, "3" no change, "7" first start
    int strength = 1;        // the chance of winning is proportional to it
    char cardStatus = ' ';   // "8" jockey changed, "9" scratched
    char weightStatus = ' '; // "9" scratched
    bool belowOne = false;   // the odds show " 0.0"

    bool Scratched() const { return cardStatus == '9' || weightStatus == '9'; }
    bool Runs() const { return !Scratched() && !belowOne; }
};

struct BracketPrice {
    enum class State { OnSale, NotOffered, Cancelled } state = State::NotOffered;
    int tenths = 0;
};

// Odds in tenths (34 is 3.4), by runner index, by horse numbers [a][b] with a < b, and by
// brackets [a][b] with a <= b.
struct Market {
    std::vector<int> win, placeLow, placeHigh;
    std::array<std::array<int, 19>, 19> quinella{}, wideLow{}, wideHigh{};
    std::array<std::array<BracketPrice, 9>, 9> bracket{};
};

Market MakeMarket(const std::vector<Runner>& runners, Rng& rng);

RaceCardFile RaceCardOf(const RaceHeader& header, const std::vector<Runner>& runners);
BodyWeightFile BodyWeightsOf(const RaceHeader& header, const std::vector<Runner>& runners);
WinPlaceBracketFile WinPlaceOf(const RaceHeader& header, const std::string& hours,
                               const std::string& minutes, const std::vector<Runner>& runners,
                               const Market& market);
QuinellaWideFile QuinellaWideOf(const RaceHeader& header, const std::string& hours,
                                const std::string& minutes, const std::vector<Runner>& runners,
                                const Market& market);
// Draws the first three among the runners that run; with a dead heat the first two both win.
ResultsFile ResultsOf(const RaceHeader& header, const std::vector<Runner>& runners,
                      const Market& market, bool deadHeat, Rng& rng);

} // namespace mv::sample
