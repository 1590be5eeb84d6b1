#include "tools/SampleMarket.h"

#include "platform/Fields.h"

#include <algorithm>
#include <stdexcept>

namespace mv::sample {
namespace {

constexpr int MaxOdds5 = 9999;  // "999.9", the most a 5-byte odds field holds
constexpr int MaxOdds6 = 99999; // "9999.9"
constexpr double WinPayback = 0.80;
constexpr double CombinationPayback = 0.775;

// The odds a pool paying back `payback` of its stakes gives at this chance; never below 1.0.
int Tenths(double chance, double payback, int most) {
    const double tenths = payback * 10.0 / chance;
    if (tenths >= most) {
        return most;
    }
    return std::max(10, static_cast<int>(tenths + 0.5));
}

// The chance that two runners finish first and second in either order.
double PairChance(double a, double b) {
    return a * b * (1.0 / (1.0 - a) + 1.0 / (1.0 - b));
}

// A fraction of the odds, in percent, kept within the field's range.
int Share(int tenths, int percent, int least, int most) {
    return std::clamp(tenths * percent / 100, least, most);
}

std::string Status(char code) {
    return std::string(1, code);
}

const Runner* Numbered(const std::vector<Runner>& runners, int number) {
    return number <= static_cast<int>(runners.size())
               ? &runners[static_cast<std::size_t>(number - 1)]
               : nullptr;
}

BracketPrice PriceBracket(const std::vector<Runner>& runners,
                          const std::vector<std::vector<double>>& pairChance, int a, int b) {
    BracketPrice price;
    double chance = 0.0;
    bool offered = false;
    bool anyRuns = false;
    for (const Runner& x : runners) {
        for (const Runner& y : runners) {
            if (x.bracket != a || y.bracket != b || (a == b && x.number >= y.number) ||
                x.number == y.number) {
                continue;
            }
            offered = true;
            if (!x.Scratched() && !y.Scratched()) {
                anyRuns = true;
                chance += pairChance[static_cast<std::size_t>(x.number)]
                                    [static_cast<std::size_t>(y.number)];
            }
        }
    }
    // A bracket pair with no pair of horses is not sold; one whose horses are all scratched is
    // cancelled.
    if (!offered) {
        return price;
    }
    if (!anyRuns) {
        price.state = BracketPrice::State::Cancelled;
        return price;
    }
    price.state = BracketPrice::State::OnSale;
    price.tenths = chance > 0.0 ? Tenths(chance, CombinationPayback, MaxOdds5) : 0;
    return price;
}

// Draws the first three home, each runner by its strength.
std::vector<std::size_t> FirstThree(const std::vector<Runner>& runners, Rng& rng) {
    std::vector<std::size_t> pool;
    for (std::size_t i = 0; i < runners.size(); ++i) {
        if (runners[i].Runs()) {
            pool.push_back(i);
        }
    }
    std::vector<std::size_t> order;
    while (order.size() < 3 && !pool.empty()) {
        int total = 0;
        for (std::size_t i : pool) {
            total += runners[i].strength;
        }
        int roll = rng.Below(total);
        auto it = pool.begin();
        while ((roll -= runners[*it].strength) >= 0) {
            ++it;
        }
        order.push_back(*it);
        pool.erase(it);
    }
    return order;
}

// A payout per 100 yen staked, as the results file holds it.
std::string Yen(long long tenths) {
    return NumberText(tenths * 10, 8);
}

Payout PairPayout(const Runner& x, const Runner& y, long long tenths) {
    return {HorsePair(std::min(x.number, y.number), std::max(x.number, y.number)), Yen(tenths)};
}

} // namespace

std::uint64_t Rng::Next() {
    // splitmix64
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Rng::Below(int n) {
    return static_cast<int>(Next() % static_cast<std::uint64_t>(std::max(n, 1)));
}

Market MakeMarket(const std::vector<Runner>& runners, Rng& rng) {
    double total = 0.0;
    for (const Runner& r : runners) {
        total += r.Runs() ? r.strength : 0;
    }
    std::vector<double> chance(runners.size() + 1, 0.0); // by horse number
    for (const Runner& r : runners) {
        chance[static_cast<std::size_t>(r.number)] = r.Runs() ? r.strength / total : 0.0;
    }

    Market m;
    m.win.assign(runners.size(), 0);
    m.placeLow.assign(runners.size(), 0);
    m.placeHigh.assign(runners.size(), 0);
    for (std::size_t i = 0; i < runners.size(); ++i) {
        if (!runners[i].Runs()) {
            continue;
        }
        m.win[i] = Tenths(chance[i + 1], WinPayback, MaxOdds5);
        m.placeLow[i] = Share(m.win[i], rng.Between(18, 23), 10, MaxOdds5);
        m.placeHigh[i] = Share(m.placeLow[i], rng.Between(130, 200), m.placeLow[i], MaxOdds5);
    }

    const std::size_t size = RunnerSlots + 1;
    std::vector<std::vector<double>> pairChance(size, std::vector<double>(size, 0.0));
    for (const auto& [a, b] : HorsePairs()) {
        const Runner* x = Numbered(runners, a);
        const Runner* y = Numbered(runners, b);
        if (x == nullptr || y == nullptr || !x->Runs() || !y->Runs()) {
            continue;
        }
        const auto ua = static_cast<std::size_t>(a);
        const auto ub = static_cast<std::size_t>(b);
        pairChance[ua][ub] = pairChance[ub][ua] = PairChance(chance[ua], chance[ub]);
        const int quinella = Tenths(pairChance[ua][ub], CombinationPayback, MaxOdds6);
        m.quinella[ua][ub] = quinella;
        m.wideLow[ua][ub] = Share(quinella, rng.Between(25, 34), 10, MaxOdds6);
        m.wideHigh[ua][ub] =
            Share(m.wideLow[ua][ub], rng.Between(140, 230), m.wideLow[ua][ub], MaxOdds6);
    }
    for (const auto& [a, b] : BracketPairs()) {
        m.bracket[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] =
            PriceBracket(runners, pairChance, a, b);
    }
    return m;
}

RaceCardFile RaceCardOf(const RaceHeader& header, const std::vector<Runner>& runners) {
    RaceCardFile file;
    file.header = header;
    for (std::size_t i = 0; i < runners.size(); ++i) {
        const Runner& r = runners[i];
        file.runners[i] = {DecimalText(r.bracket),
                           NumberText(r.number, 2),
                           Status(r.cardStatus),
                           Padded(r.name, 18),
                           Padded(r.jockey, 18),
                           r.apprentice,
                           DecimalText(r.weightCarried) + ".0"};
    }
    return file;
}

BodyWeightFile BodyWeightsOf(const RaceHeader& header, const std::vector<Runner>& runners) {
    BodyWeightFile file;
    file.header = header;
    for (std::size_t i = 0; i < runners.size(); ++i) {
        const Runner& r = runners[i];
        BodyWeightRunner& slot = file.runners[i];
        slot.horseNo = NumberText(r.number, 2);
        slot.status = Status(r.weightStatus);
        // A scratched horse is not weighed.
        if (r.Scratched()) {
            continue;
        }
        slot.weight = DecimalText(r.bodyWeight);
        slot.sign = Status(r.sign);
        slot.change = r.sign == '7' ? "  " : r.sign == '3' ? " 0" : NumberText(r.change, 2);
    }
    return file;
}

WinPlaceBracketFile WinPlaceOf(const RaceHeader& header, const std::string& hours,
                               const std::string& minutes, const std::vector<Runner>& runners,
                               const Market& market) {
    WinPlaceBracketFile file;
    file.header = header;
    file.oddsHours = hours;
    file.oddsMinutes = minutes;
    for (std::size_t i = 0; i < runners.size(); ++i) {
        const Runner& r = runners[i];
        WinPlaceOdds& slot = file.runners[i];
        slot.horseNo = NumberText(r.number, 2);
        if (r.Scratched()) {
            slot.win = slot.placeLow = slot.placeHigh = CancelledOdds(5);
        } else {
            slot.win = OddsText(market.win[i], 5);
            slot.placeLow = OddsText(market.placeLow[i], 5);
            slot.placeHigh = OddsText(market.placeHigh[i], 5);
        }
    }
    const auto pairs = BracketPairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto [a, b] = pairs[i];
        const BracketPrice& price =
            market.bracket[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
        file.brackets[i].key = BracketKey(a, b);
        if (price.state == BracketPrice::State::Cancelled) {
            file.brackets[i].odds = CancelledOdds(5);
        } else if (price.state == BracketPrice::State::OnSale) {
            file.brackets[i].odds = OddsText(price.tenths, 5);
        }
    }
    return file;
}

QuinellaWideFile QuinellaWideOf(const RaceHeader& header, const std::string& hours,
                                const std::string& minutes, const std::vector<Runner>& runners,
                                const Market& market) {
    QuinellaWideFile file;
    file.header = header;
    file.oddsHours = hours;
    file.oddsMinutes = minutes;
    const auto pairs = HorsePairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto [a, b] = pairs[i];
        PairOdds& c = file.combinations[i];
        c.key = HorsePair(a, b);
        const Runner* x = Numbered(runners, a);
        const Runner* y = Numbered(runners, b);
        // A pair with a horse that is not in the race stays blank.
        if (x == nullptr || y == nullptr) {
            continue;
        }
        if (x->Scratched() || y->Scratched()) {
            c.quinella = c.wideLow = c.wideHigh = CancelledOdds(6);
        } else {
            const auto ua = static_cast<std::size_t>(a);
            const auto ub = static_cast<std::size_t>(b);
            c.quinella = OddsText(market.quinella[ua][ub], 6);
            c.wideLow = OddsText(market.wideLow[ua][ub], 6);
            c.wideHigh = OddsText(market.wideHigh[ua][ub], 6);
        }
    }
    return file;
}

ResultsFile ResultsOf(const RaceHeader& header, const std::vector<Runner>& runners,
                      const Market& market, bool deadHeat, Rng& rng) {
    ResultsFile file;
    file.header = header;
    const std::vector<std::size_t> order = FirstThree(runners, rng);
    if (order.size() < 3) {
        throw std::logic_error("a sample race needs three runners that run");
    }
    const auto horse = [&](std::size_t k) -> const Runner& { return runners[order[k]]; };
    const auto wide = [&](std::size_t k, std::size_t l) {
        const auto a = static_cast<std::size_t>(std::min(horse(k).number, horse(l).number));
        const auto b = static_cast<std::size_t>(std::max(horse(k).number, horse(l).number));
        return rng.Between(market.wideLow[a][b], market.wideHigh[a][b]);
    };

    // Dead-heat winners share the pool, so each pays about half, never below 1.0.
    const std::size_t winners = deadHeat ? 2 : 1;
    for (std::size_t k = 0; k < winners; ++k) {
        const int win = market.win[order[k]];
        file.win[k] = {NumberText(horse(k).number, 2), Yen(deadHeat ? std::max(10, win / 2) : win)};
    }
    for (std::size_t k = 0; k < 3; ++k) {
        const int place = rng.Between(market.placeLow[order[k]], market.placeHigh[order[k]]);
        file.place[k] = {NumberText(horse(k).number, 2), Yen(place)};
    }
    const int b1 = std::min(horse(0).bracket, horse(1).bracket);
    const int b2 = std::max(horse(0).bracket, horse(1).bracket);
    file.bracketQuinella[0] = {
        BracketPair(b1, b2),
        Yen(market.bracket[static_cast<std::size_t>(b1)][static_cast<std::size_t>(b2)].tenths)};
    const auto q1 = static_cast<std::size_t>(std::min(horse(0).number, horse(1).number));
    const auto q2 = static_cast<std::size_t>(std::max(horse(0).number, horse(1).number));
    file.quinella[0] = PairPayout(horse(0), horse(1), market.quinella[q1][q2]);
    file.wide[0] = PairPayout(horse(0), horse(1), wide(0, 1));
    file.wide[1] = PairPayout(horse(0), horse(2), wide(0, 2));
    file.wide[2] = PairPayout(horse(1), horse(2), wide(1, 2));

    std::size_t refunded = 0;
    for (const Runner& r : runners) {
        if (r.Scratched() && refunded < file.refunds.size()) {
            file.refunds[refunded++] = NumberText(r.number, 2);
        }
    }
    return file;
}

} // namespace mv::sample
