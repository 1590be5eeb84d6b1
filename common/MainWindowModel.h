#pragma once

// The main window as plain data: what each widget shows. The logic fills it; the view copies
// it to the widgets. Names are the widgets' names in the window.

#include "platform/TextFile.h"
#include "platform/TextLines.h"

#include <array>
#include <string>
#include <string_view>

namespace mv {

// Every radio button of the main window.
enum class Radio : int {
    RBkaisai1,
    RBkaisai2,
    RBkaisai3,
    RBkaisai4,
    RBkaisai5,
    RBkaisai6,
    RBR01,
    RBR02,
    RBR03,
    RBR04,
    RBR05,
    RBR06,
    RBR07,
    RBR08,
    RBR09,
    RBR10,
    RBR11,
    RBR12,
    RBSortT,
    RBNorT,
    RBSort1,
    RBNor1,
    RBSort2,
    RBNor2,
    RBSort3,
    RBNor3,
};
inline constexpr int RadioCount = 26;

// Radio buttons form groups by their designed parent: the venue buttons (GBjyoumei), the race
// buttons (GBR), and each sort/normal pair (PanelDE, GBOdds1, GBOdds2, GBOdds3).
std::string_view ParentOf(Radio r);

// The widget name of a radio button ("RBkaisai1", "RBR01", "RBSortT" …).
const char* NameOf(Radio r);

constexpr Radio VenueButton(int slot) {
    return static_cast<Radio>(slot - 1);
}
constexpr Radio RaceButton(int race) {
    return static_cast<Radio>(static_cast<int>(Radio::RBR01) + race - 1);
}

struct RadioButton {
    std::string caption;
    bool visible = true;
    bool checked = false;

    bool operator==(const RadioButton&) const = default;
};

inline constexpr int GridRows = 19; // row 0: the fixed header row
inline constexpr int GridColumns = 11;

// How an odds cell's value moved since its race was last shown: fell (more money on the
// runner) or rose. Colour and tooltip only: the cell's text is never changed by it.
enum class OddsMove { None, Fell, Rose };

struct CellMark {
    OddsMove move = OddsMove::None;
    std::string tip; // code page 932; empty without a mark
    bool operator==(const CellMark&) const = default;
};

struct MainWindowModel {
    MainWindowModel();

    // Header edits of PanelDE.
    std::string EditYMDR;
    std::string EditTokubetu;
    std::string EditJikoku;
    std::string EditJyouken;
    std::string EditCourse;
    std::string EditKyori;
    std::string EditTousuu;

    // DEGrid[row][column]; row 0 holds the header texts.
    std::array<std::array<std::string, GridColumns>, GridRows> DEGrid;
    // The mark of each grid cell, for the rows as they stand.
    std::array<std::array<CellMark, GridColumns>, GridRows> DEGridMarks;

    bool GBRVisible = false;
    std::string GBOdds1;
    std::string GBOdds2;
    std::string GBOdds3;
    // The memos, each as one text.
    TextLines MemoOdds1;
    TextLines MemoOdds2;
    TextLines MemoOdds3;
    TextLines MemoSeiseki;

    std::array<RadioButton, RadioCount> radios;

    RadioButton& radio(Radio r) { return radios[static_cast<std::size_t>(r)]; }
    const RadioButton& radio(Radio r) const { return radios[static_cast<std::size_t>(r)]; }

    bool operator==(const MainWindowModel&) const = default;
};

} // namespace mv
