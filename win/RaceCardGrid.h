#pragma once

// DEGrid in Win32: a grid drawn by the program, with the design's column widths, row height and
// colours: a fixed header row in light green that stays in place, white cells, columns the
// user resizes by dragging a column's right edge in the header row, and scroll bars when the
// columns or rows no longer fit. It has a current cell, framed while the grid has the focus,
// that the arrow keys move, and answers screen readers (GridAccessible). Its window text is what it
// shows, a row per line and the cells of a row separated by tabs, so tools (and the tests) can read
// it like any control's.

#include "app/GridCursor.h"
#include "common/MainWindowModel.h"
#include "win/GridAccessible.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <windows.h>

namespace mv::win {

const wchar_t* RaceCardGridClass();

class RaceCardGrid {
public:
    using Cells = decltype(MainWindowModel::DEGrid);
    using Marks = decltype(MainWindowModel::DEGridMarks);

    // The grid behind a window of RaceCardGridClass.
    static RaceCardGrid* Of(HWND window);

    explicit RaceCardGrid(HWND window);
    ~RaceCardGrid();
    RaceCardGrid(const RaceCardGrid&) = delete;
    RaceCardGrid& operator=(const RaceCardGrid&) = delete;

    // Copies the model's cells (the header row included) and their marks of moved odds (text
    // colour and tooltip); repaints only when one changed.
    void Show(const Cells& cells, const Marks& marks);
    // The font and the resolution the grid is drawn at.
    void SetFont(HFONT font, int dpi);

    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

    // What screen readers ask of it.
    const Cells& Model() const { return model_; }
    GridCell Current() const { return current_; }
    bool HasFocus() const { return ::GetFocus() == window_; }
    // A cell's place on the screen (row 0 is the header row).
    RECT CellOnScreen(int row, int column) const;
    // The runner cell at a point of the screen, if any.
    std::optional<GridCell> CellAtScreen(int x, int y) const;

private:
    // Makes a cell current: framed, scrolled into view, told to screen readers.
    void SetCurrent(GridCell cell);
    RECT CellRect(int row, int column) const; // in the client area, scrolled as shown
    void ScrollIntoView(GridCell cell);
    int ColumnWidth(std::size_t column) const;
    int RowHeight() const;
    int ContentWidth() const;
    int ContentHeight() const;
    void UpdateScrollBars();
    void Scroll(int bar, WPARAM request);
    void Paint(HDC dc, const RECT& client) const;
    // The column whose right edge in the header row is under x, or -1.
    int EdgeAt(int x, int y) const;
    std::wstring Text() const;
    // The runner cell under a point of the client area: row and column, or nothing.
    std::optional<std::pair<std::size_t, std::size_t>> CellAt(int x, int y) const;
    // The tooltip follows the mouse from cell to cell; only a marked cell has a text.
    void TrackTip(int x, int y);

    HWND window_;
    Cells model_{};
    GridCell current_{};
    std::shared_ptr<GridLink> link_;
    IAccessible* accessible_ = nullptr; // the table object once a reader asked for it
    std::array<std::array<std::wstring, GridColumns>, GridRows> cells_;
    Marks marks_{};
    HWND tip_ = nullptr;
    std::optional<std::pair<std::size_t, std::size_t>> tipCell_;
    std::wstring tipText_;
    std::array<int, GridColumns> widths_; // design pixels, as the user left them
    HFONT font_ = nullptr;
    int dpi_ = 96;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int dragging_ = -1; // the column being resized
};

} // namespace mv::win
