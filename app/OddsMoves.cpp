#include "app/OddsMoves.h"

#include "platform/Codec.h"

#include <charconv>
#include <optional>
#include <string_view>

namespace mv {
namespace {

constexpr std::size_t HorseColumn = 1, WinColumn = 2, PlaceColumn = 3;

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ') {
            kept += c;
        }
    }
    return kept;
}

// The number an odds text starts with; nothing for blanks or a scratched runner's text.
std::optional<double> OddsValue(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

// The win cell holds the odds and then the rank in brackets.
std::string WinOdds(const std::string& cell) {
    return WithoutBlanks(std::string_view(cell).substr(0, cell.find('[')));
}

CellMark MarkOf(const std::string& before, const std::string& beforeTime, const std::string& now,
                const std::string& nowTime) {
    const auto was = OddsValue(before);
    const auto is = OddsValue(now);
    if (!was || !is || *was == *is) {
        return {};
    }
    return {*is < *was ? OddsMove::Fell : OddsMove::Rose, Sjis("前回 ") + before + Sjis("（") +
                                                              beforeTime + Sjis("）→ 今回 ") + now +
                                                              Sjis("（") + nowTime + Sjis("）")};
}

} // namespace

void OddsMoves::Shown(int slot, int race, const decltype(MainWindowModel::DEGrid)& grid,
                      const std::string& timeOfDay) {
    Showing now{{}, timeOfDay};
    for (std::size_t row = 1; row < GridRows; ++row) {
        const std::string& horse = grid[row][HorseColumn];
        if (!horse.empty()) {
            now.runners[horse] = {WinOdds(grid[row][WinColumn]),
                                  WithoutBlanks(grid[row][PlaceColumn])};
        }
    }
    const Race shown{slot, race};
    const auto last = last_.find(shown);
    const bool sameRace = shown == onDisplay_;
    onDisplay_ = shown;
    if (last != last_.end() && last->second.runners == now.runners) {
        // The same odds again: what they were marked with stays, for this race only.
        if (!sameRace) {
            marks_.clear();
        }
        return;
    }
    marks_.clear();
    if (last != last_.end()) {
        for (const auto& [horse, odds] : now.runners) {
            const auto before = last->second.runners.find(horse);
            if (before == last->second.runners.end()) {
                continue;
            }
            const std::string& was = last->second.time;
            // A place cell moves with its lower end.
            marks_[horse] = {MarkOf(before->second.win, was, odds.win, timeOfDay),
                             MarkOf(before->second.place, was, odds.place, timeOfDay)};
        }
    }
    last_[shown] = std::move(now);
}

void OddsMoves::Paint(MainWindowModel& window) const {
    for (std::size_t row = 1; row < GridRows; ++row) {
        auto& marks = window.DEGridMarks[row];
        marks.fill(CellMark{});
        const auto runner = marks_.find(window.DEGrid[row][HorseColumn]);
        if (runner != marks_.end()) {
            marks[WinColumn] = runner->second.first;
            marks[PlaceColumn] = runner->second.second;
        }
    }
}

} // namespace mv
