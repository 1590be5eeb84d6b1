#pragma once

// What moved: the win and place odds of each race as last shown in this run, kept per venue
// slot and race, and the marks of the race on display. A race shown again with other odds
// marks each runner's win cell and place cell whose value changed: fell or rose, with the
// previous and the new value and when each was read. The first showing of a race marks
// nothing, and neither does a scratched runner or one without odds.

#include "common/MainWindowModel.h"

#include <map>
#include <string>
#include <utility>

namespace mv {

class OddsMoves {
public:
    // The race (slot, race) has just been loaded into the grid, read at timeOfDay. Showing it
    // again with the same odds keeps its marks.
    void Shown(int slot, int race, const decltype(MainWindowModel::DEGrid)& grid,
               const std::string& timeOfDay);

    // Each grid cell's mark, for the runners' rows as they stand now.
    void Paint(MainWindowModel& window) const;

private:
    struct RunnerOdds {
        std::string win;   // the odds as shown, blanks removed; empty without odds
        std::string place; // "low-high", blanks removed
        bool operator==(const RunnerOdds&) const = default;
    };
    struct Showing {
        std::map<std::string, RunnerOdds> runners; // by the horse number as shown
        std::string time;
        bool operator==(const Showing&) const = default;
    };
    using Race = std::pair<int, int>;
    // The win cell's and the place cell's mark, by horse number.
    using RunnerMarks = std::map<std::string, std::pair<CellMark, CellMark>>;

    std::map<Race, Showing> last_;
    Race onDisplay_{0, 0};
    RunnerMarks marks_;
};

} // namespace mv
