#include "win/RaceCardGrid.h"

#include "app/ContextMenu.h"
#include "common/MainFormDesign.h"
#include "win/WinText.h"
#include "win/WindowClass.h"

#include <algorithm>
#include <commctrl.h>
#include <ole2.h>
#include <windowsx.h>

namespace mv::win {
namespace {

constexpr wchar_t ClassName[] = L"MvRaceCardGrid";
constexpr int Line = 1;      // the grid line after every cell
constexpr int TextInset = 2; // from a cell's left edge
constexpr int EdgeReach = 3; // how near a column's edge a drag may start
constexpr int NarrowestColumn = 2;
constexpr COLORREF HeaderLines = RGB(128, 128, 128);
constexpr COLORREF CellLines = RGB(192, 192, 192);

COLORREF ToColorRef(Colour c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(new RaceCardGrid(window)));
    }
    RaceCardGrid* grid = RaceCardGrid::Of(window);
    if (grid == nullptr) {
        return ::DefWindowProcW(window, message, w, l);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete grid;
        return ::DefWindowProcW(window, message, w, l);
    }
    return grid->Handle(message, w, l);
}

} // namespace

const wchar_t* RaceCardGridClass() {
    RegisterWindowClass(ClassName, GridProc, nullptr);
    return ClassName;
}

RaceCardGrid* RaceCardGrid::Of(HWND window) {
    return reinterpret_cast<RaceCardGrid*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

RaceCardGrid::RaceCardGrid(HWND window)
    : window_(window), link_(std::make_shared<GridLink>(GridLink{this, window})),
      widths_(DEGridDesign().columnWidths) {}

RaceCardGrid::~RaceCardGrid() {
    // A reader may still hold the objects: from now on they answer that the grid is gone.
    link_->grid = nullptr;
    if (accessible_ != nullptr) {
        accessible_->Release();
    }
}

void RaceCardGrid::Show(const Cells& cells, const Marks& marks) {
    model_ = cells;
    bool changed = marks != marks_;
    marks_ = marks;
    for (std::size_t row = 0; row < GridRows; ++row) {
        for (std::size_t c = 0; c < GridColumns; ++c) {
            std::wstring text = Wide(cells[row][c]);
            if (text != cells_[row][c]) {
                cells_[row][c] = std::move(text);
                changed = true;
            }
        }
    }
    if (changed) {
        ::InvalidateRect(window_, nullptr, FALSE);
    }
}

void RaceCardGrid::SetFont(HFONT font, int dpi) {
    font_ = font;
    dpi_ = dpi;
    UpdateScrollBars();
    ::InvalidateRect(window_, nullptr, FALSE);
}

int RaceCardGrid::ColumnWidth(std::size_t column) const {
    return Scaled(widths_[column], dpi_);
}

int RaceCardGrid::RowHeight() const {
    return Scaled(DEGridDesign().rowHeight, dpi_);
}

int RaceCardGrid::ContentWidth() const {
    int width = 0;
    for (std::size_t c = 0; c < GridColumns; ++c) {
        width += ColumnWidth(c) + Line;
    }
    return width;
}

int RaceCardGrid::ContentHeight() const {
    return GridRows * (RowHeight() + Line);
}

// A scroll bar shows while its content does not fit. Showing one narrows the other side, so
// the two are settled together.
void RaceCardGrid::UpdateScrollBars() {
    for (int pass = 0; pass < 2; ++pass) {
        RECT client;
        ::GetClientRect(window_, &client);
        const int fixedHeight = RowHeight() + Line;
        SCROLLINFO h{sizeof(h),
                     SIF_RANGE | SIF_PAGE,
                     0,
                     ContentWidth() - 1,
                     static_cast<UINT>(std::max(0L, client.right)),
                     0,
                     0};
        SCROLLINFO v{sizeof(v),
                     SIF_RANGE | SIF_PAGE,
                     0,
                     ContentHeight() - fixedHeight - 1,
                     static_cast<UINT>(std::max(0L, client.bottom - fixedHeight)),
                     0,
                     0};
        ::SetScrollInfo(window_, SB_HORZ, &h, TRUE);
        ::SetScrollInfo(window_, SB_VERT, &v, TRUE);
    }
    scrollX_ = ::GetScrollPos(window_, SB_HORZ);
    scrollY_ = ::GetScrollPos(window_, SB_VERT);
}

void RaceCardGrid::Scroll(int bar, WPARAM request) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(window_, bar, &info);
    const int step = bar == SB_HORZ ? Scaled(16, dpi_) : RowHeight() + Line;
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (LOWORD(request)) {
    case SB_LINELEFT:
        position -= step;
        break;
    case SB_LINERIGHT:
        position += step;
        break;
    case SB_PAGELEFT:
        position -= page;
        break;
    case SB_PAGERIGHT:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_LEFT:
        position = info.nMin;
        break;
    case SB_RIGHT:
        position = info.nMax;
        break;
    default:
        return;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    ::SetScrollInfo(window_, bar, &info, TRUE);
    (bar == SB_HORZ ? scrollX_ : scrollY_) = ::GetScrollPos(window_, bar);
    ::InvalidateRect(window_, nullptr, FALSE);
}

void RaceCardGrid::Paint(HDC dc, const RECT& client) const {
    const GridDesign& design = DEGridDesign();
    Fill(dc, client, ToColorRef(design.cellColour));
    const HGDIOBJ oldFont = ::SelectObject(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    const int rowHeight = RowHeight();
    // Rows from the bottom up, so that the fixed row is drawn over any row scrolled under it.
    for (int row = GridRows - 1; row >= 0; --row) {
        const bool fixed = row < design.fixedRows;
        const int top = fixed ? row * (rowHeight + Line) : row * (rowHeight + Line) - scrollY_;
        if (top >= client.bottom || top + rowHeight + Line <= 0) {
            continue;
        }
        int left = -scrollX_;
        for (std::size_t c = 0; c < GridColumns; ++c) {
            const int width = ColumnWidth(c);
            const RECT cell{left, top, left + width, top + rowHeight};
            Fill(dc, cell, ToColorRef(fixed ? design.headerColour : design.cellColour));
            RECT text = cell;
            text.left += TextInset;
            const std::wstring& t = cells_[static_cast<std::size_t>(row)][c];
            const OddsMove move = marks_[static_cast<std::size_t>(row)][c].move;
            ::SetTextColor(dc,
                           move == OddsMove::None ? RGB(0, 0, 0) : ToColorRef(MarkColour(move)));
            ::DrawTextW(dc, t.c_str(), static_cast<int>(t.size()), &text,
                        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
            const COLORREF lines = fixed ? HeaderLines : CellLines;
            Fill(dc, {cell.right, top, cell.right + Line, top + rowHeight + Line}, lines);
            Fill(dc, {cell.left, cell.bottom, cell.right, cell.bottom + Line}, lines);
            left += width + Line;
        }
    }
    if (HasFocus()) {
        RECT frame = CellRect(current_.row, current_.column);
        ::InflateRect(&frame, -1, -1);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &frame);
    }
    ::SelectObject(dc, oldFont);
}

RECT RaceCardGrid::CellRect(int row, int column) const {
    const int rowHeight = RowHeight();
    const int top = row < DEGridDesign().fixedRows ? row * (rowHeight + Line)
                                                   : row * (rowHeight + Line) - scrollY_;
    int left = -scrollX_;
    for (int c = 0; c < column; ++c) {
        left += ColumnWidth(static_cast<std::size_t>(c)) + Line;
    }
    return {left, top, left + ColumnWidth(static_cast<std::size_t>(column)), top + rowHeight};
}

RECT RaceCardGrid::CellOnScreen(int row, int column) const {
    RECT r = CellRect(row, column);
    ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::optional<GridCell> RaceCardGrid::CellAtScreen(int x, int y) const {
    POINT p{x, y};
    ::ScreenToClient(window_, &p);
    RECT client;
    ::GetClientRect(window_, &client);
    if (!::PtInRect(&client, p)) {
        return std::nullopt;
    }
    const auto cell = CellAt(p.x, p.y);
    if (!cell) {
        return std::nullopt;
    }
    return GridCell{static_cast<int>(cell->first), static_cast<int>(cell->second)};
}

void RaceCardGrid::ScrollIntoView(GridCell cell) {
    RECT client;
    ::GetClientRect(window_, &client);
    const RECT r = CellRect(cell.row, cell.column);
    const int fixedHeight = RowHeight() + Line;
    const auto scrollBy = [&](int bar, int by) {
        if (by == 0) {
            return;
        }
        SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, ::GetScrollPos(window_, bar) + by, 0};
        ::SetScrollInfo(window_, bar, &info, TRUE);
        (bar == SB_HORZ ? scrollX_ : scrollY_) = ::GetScrollPos(window_, bar);
    };
    scrollBy(SB_VERT, r.top < fixedHeight ? r.top - fixedHeight
                      : r.bottom > client.bottom
                          ? std::min(r.bottom - client.bottom, r.top - fixedHeight)
                          : 0);
    scrollBy(SB_HORZ, r.left < 0               ? r.left
                      : r.right > client.right ? std::min(r.right - client.right, r.left)
                                               : 0);
}

void RaceCardGrid::SetCurrent(GridCell cell) {
    current_ = cell;
    ScrollIntoView(cell);
    ::InvalidateRect(window_, nullptr, FALSE);
    if (HasFocus()) {
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT,
                         CellChildId(cell.row, cell.column));
    }
}

int RaceCardGrid::EdgeAt(int x, int y) const {
    if (y < 0 || y > RowHeight()) {
        return -1;
    }
    int found = -1;
    int edge = -scrollX_;
    for (std::size_t c = 0; c < GridColumns; ++c) {
        edge += ColumnWidth(c) + Line;
        if (std::abs(x - edge) <= EdgeReach) {
            found = static_cast<int>(c); // the rightmost, so a column shrunk to nothing grows again
        }
    }
    return found;
}

std::optional<std::pair<std::size_t, std::size_t>> RaceCardGrid::CellAt(int x, int y) const {
    const int rowHeight = RowHeight() + Line;
    const int fixedHeight = DEGridDesign().fixedRows * rowHeight;
    if (y < fixedHeight || x < 0) {
        return std::nullopt;
    }
    const int row = (y + scrollY_) / rowHeight;
    int right = -scrollX_;
    for (std::size_t c = 0; c < GridColumns; ++c) {
        right += ColumnWidth(c) + Line;
        if (x < right) {
            if (row < 1 || row >= GridRows) {
                return std::nullopt;
            }
            return std::pair{static_cast<std::size_t>(row), c};
        }
    }
    return std::nullopt;
}

void RaceCardGrid::TrackTip(int x, int y) {
    if (tip_ == nullptr) {
        tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = 1;
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        ::GetClientRect(window_, &tool.rect);
        ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const auto cell = CellAt(x, y);
    if (cell != tipCell_) {
        tipCell_ = cell;
        // A new cell under the mouse: the shown tip goes, and the next one asks for its text.
        ::SendMessageW(tip_, TTM_POP, 0, 0);
    }
}

std::wstring RaceCardGrid::Text() const {
    std::wstring text;
    for (std::size_t row = 0; row < GridRows; ++row) {
        for (std::size_t c = 0; c < GridColumns; ++c) {
            text += cells_[row][c];
            text += c + 1 < GridColumns ? L"\t" : L"\r\n";
        }
    }
    return text;
}

LRESULT RaceCardGrid::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_SIZE:
        UpdateScrollBars();
        if (tip_ != nullptr) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = window_;
            tool.uId = 1;
            ::GetClientRect(window_, &tool.rect);
            ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // Drawn off screen, then copied, so a changed race card does not flicker.
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(window_, &ps);
        RECT client;
        ::GetClientRect(window_, &client);
        const HDC memory = ::CreateCompatibleDC(dc);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        Paint(memory, client);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::EndPaint(window_, &ps);
        return 0;
    }
    case WM_HSCROLL:
        Scroll(SB_HORZ, w);
        return 0;
    case WM_VSCROLL:
        Scroll(SB_VERT, w);
        return 0;
    case WM_MOUSEWHEEL:
        Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(w) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    case WM_SETCURSOR: {
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(window_, &p);
        if (LOWORD(l) == HTCLIENT && (dragging_ >= 0 || EdgeAt(p.x, p.y) >= 0)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    case WM_RBUTTONDOWN:
        // The context menu that follows acts on the grid, as in any program.
        ::SetFocus(window_);
        return 0;
    case WM_LBUTTONDOWN:
        // A click gives the grid the focus, as to any control: Ctrl+C then copies it. The cell
        // clicked becomes current.
        ::SetFocus(window_);
        if (const auto cell = CellAt(GET_X_LPARAM(l), GET_Y_LPARAM(l))) {
            SetCurrent({static_cast<int>(cell->first), static_cast<int>(cell->second)});
        }
        dragging_ = EdgeAt(GET_X_LPARAM(l), GET_Y_LPARAM(l));
        if (dragging_ >= 0) {
            ::SetCapture(window_);
        }
        return 0;
    case WM_NOTIFY: {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
        if (info->hdr.hwndFrom == tip_ && info->hdr.code == TTN_GETDISPINFOW) {
            tipText_ =
                tipCell_ ? Wide(marks_[tipCell_->first][tipCell_->second].tip) : std::wstring();
            info->lpszText = tipText_.data();
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        TrackTip(GET_X_LPARAM(l), GET_Y_LPARAM(l));
        if (dragging_ >= 0) {
            int left = -scrollX_;
            for (int c = 0; c < dragging_; ++c) {
                left += ColumnWidth(static_cast<std::size_t>(c)) + Line;
            }
            const int pixels = std::max(NarrowestColumn, GET_X_LPARAM(l) - left - Line);
            widths_[static_cast<std::size_t>(dragging_)] = ::MulDiv(pixels, 96, dpi_);
            UpdateScrollBars();
            ::InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragging_ >= 0) {
            ::ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        dragging_ = -1;
        return 0;
    case WM_GETDLGCODE:
        // The arrow keys move the current cell; Tab still leaves the grid.
        return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        std::optional<GridKey> key;
        switch (w) {
        case VK_UP:
            key = GridKey::Up;
            break;
        case VK_DOWN:
            key = GridKey::Down;
            break;
        case VK_LEFT:
            key = GridKey::Left;
            break;
        case VK_RIGHT:
            key = GridKey::Right;
            break;
        case VK_HOME:
            key = ctrl ? GridKey::CtrlHome : GridKey::Home;
            break;
        case VK_END:
            key = ctrl ? GridKey::CtrlEnd : GridKey::End;
            break;
        default:
            break;
        }
        if (key) {
            SetCurrent(MovedCell(current_, *key));
            return 0;
        }
        break;
    }
    case WM_SETFOCUS:
        // The frame shows where the current cell is; the view stays where the user left it.
        ::InvalidateRect(window_, nullptr, FALSE);
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT,
                         CellChildId(current_.row, current_.column));
        return 0;
    case WM_KILLFOCUS:
        ::InvalidateRect(window_, nullptr, FALSE);
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(l) == OBJID_CLIENT) {
            // Marshalling the object needs the thread's COM, as the shell's dialogs do.
            static const bool ole = SUCCEEDED(::OleInitialize(nullptr));
            if (!ole) {
                break;
            }
            if (accessible_ == nullptr) {
                accessible_ = NewGridAccessible(link_);
            }
            return ::LresultFromObject(IID_IAccessible, w, accessible_);
        }
        break;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Text().size());
    case WM_GETTEXT: {
        const std::wstring text = Text();
        const std::size_t room = static_cast<std::size_t>(w);
        if (room == 0 || l == 0) {
            return 0;
        }
        const std::size_t n = std::min(text.size(), room - 1);
        auto* out = reinterpret_cast<wchar_t*>(l);
        text.copy(out, n);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

} // namespace mv::win
