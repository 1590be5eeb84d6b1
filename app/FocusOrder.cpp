#include "app/FocusOrder.h"

namespace mv {
namespace {

std::vector<Radio> GroupOf(std::string_view parent) {
    std::vector<Radio> group;
    for (int i = 0; i < RadioCount; ++i) {
        const auto r = static_cast<Radio>(i);
        if (ParentOf(r) == parent) {
            group.push_back(r);
        }
    }
    return group;
}

bool Shown(const MainWindowModel& w, Radio r) {
    return w.radio(r).visible && (ParentOf(r) != "GBR" || w.GBRVisible);
}

// The button a radio group's stop focuses: the checked one, else the first shown.
std::optional<Radio> GroupStop(const MainWindowModel& w, std::string_view parent) {
    std::optional<Radio> first;
    for (Radio r : GroupOf(parent)) {
        if (!Shown(w, r)) {
            continue;
        }
        if (w.radio(r).checked) {
            return r;
        }
        first = first ? first : r;
    }
    return first;
}

std::optional<Radio> RadioNamed(std::string_view name) {
    for (int i = 0; i < RadioCount; ++i) {
        if (name == NameOf(static_cast<Radio>(i))) {
            return static_cast<Radio>(i);
        }
    }
    return std::nullopt;
}

} // namespace

const std::vector<TabStop>& TabOrder() {
    static const std::vector<TabStop> order = {
        {"GBjyoumei", true}, {"GBR", true},     {"ButtonSetting"}, {"UpDate"},        {"ButtonEND"},
        {"PanelDE", true},   {"GBOdds1", true}, {"GBOdds2", true}, {"GBOdds3", true}, {"DEGrid"},
        {"MemoOdds1"},       {"MemoOdds2"},     {"MemoOdds3"},     {"MemoSeiseki"},
    };
    return order;
}

std::optional<FocusStep> MoveFocus(const MainWindowModel& w, std::string_view focused,
                                   FocusMove move) {
    const std::optional<Radio> radio = RadioNamed(focused);
    if (move == FocusMove::GroupNext || move == FocusMove::GroupPrevious) {
        if (!radio) {
            return std::nullopt;
        }
        const std::vector<Radio> group = GroupOf(ParentOf(*radio));
        const auto n = static_cast<int>(group.size());
        int at = 0;
        while (group[static_cast<std::size_t>(at)] != *radio) {
            ++at;
        }
        const int step = move == FocusMove::GroupNext ? 1 : -1;
        for (int i = 1; i < n; ++i) {
            const Radio next = group[static_cast<std::size_t>(((at + step * i) % n + n) % n)];
            if (Shown(w, next)) {
                return FocusStep{NameOf(next), next};
            }
        }
        return FocusStep{NameOf(*radio), std::nullopt};
    }
    const std::vector<TabStop>& order = TabOrder();
    const auto n = static_cast<int>(order.size());
    int at = move == FocusMove::Next ? -1 : n;
    for (int i = 0; i < n; ++i) {
        const TabStop& stop = order[static_cast<std::size_t>(i)];
        if (stop.radioGroup ? radio && ParentOf(*radio) == stop.name : focused == stop.name) {
            at = i;
        }
    }
    const int step = move == FocusMove::Next ? 1 : -1;
    for (int i = 1; i <= n; ++i) {
        const int index = at + step * i;
        const TabStop& stop = order[static_cast<std::size_t>(((index % n) + n) % n)];
        if (!stop.radioGroup) {
            return FocusStep{stop.name, std::nullopt};
        }
        if (const auto button = GroupStop(w, stop.name)) {
            return FocusStep{NameOf(*button), std::nullopt};
        }
    }
    return std::nullopt;
}

} // namespace mv
