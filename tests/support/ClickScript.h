#pragma once

// The clicks that both views' position tests make at the designed places of the main window,
// so that the caches the two views write for them can be compared byte for byte.

#include "common/MainFormDesign.h"

#include <string_view>
#include <vector>

namespace mv::test {

// Venues, races, every sort and normal button and the refresh, in an order that moves through
// the sample folder's odd cases (a scratched runner, a jockey change, a dead heat, results
// larger than 800 bytes, a race without results).
inline constexpr const char* PositionClicks[] = {
    "RBkaisai1", "RBR03",  "RBSortT",   "RBSort1", "RBSort2", "RBSort3", "RBR07",
    "RBR09",     "RBNor2", "RBkaisai2", "RBNorT",  "RBR05",   "RBR01",   "RBNor1",
    "RBkaisai4", "RBR12",  "RBNor3",    "UpDate",  "RBR08",
};

struct Point {
    int x;
    int y;
};

// Where a click on the widget lands, in the main window's client area as designed: near the
// left end of a button (on a radio button's indicator), half way down.
inline Point ClickPoint(std::string_view name) {
    const WindowDesign& w = MainFormDesign();
    std::size_t i = *FindWidget(w, name);
    const Rect& own = w.widgets[i].place;
    Point p{own.left + 6, own.top + own.height / 2};
    while (w.widgets[i].parent != nullptr) {
        i = *FindWidget(w, w.widgets[i].parent);
        p.x += w.widgets[i].place.left;
        p.y += w.widgets[i].place.top;
    }
    return p;
}

} // namespace mv::test
