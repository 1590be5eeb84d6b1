#include "win/GridAccessible.h"

#include "app/GridCursor.h"
#include "win/RaceCardGrid.h"
#include "win/WinText.h"

#include <atomic>

namespace mv::win {
namespace {

constexpr LONG FirstCellId = 100; // above the row ids 1..19

struct Target {
    enum class Kind { Self, Row, Cell, None } kind = Kind::None;
    int row = 0;
    int column = 0;
};

HRESULT Text(const std::string& sjis, BSTR* out) {
    const std::wstring wide = Wide(sjis);
    *out = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A COM object ends through Release alone, never by a delete through its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// One object per level: the table (row -1) or one of its rows. A row's cells and the
// table's cell ids are simple elements that their object answers for.
class GridObject final : public IAccessible {
public:
    GridObject(std::shared_ptr<GridLink> link, int row) : link_(std::move(link)), row_(row) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch: not offered; readers use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        *parent = nullptr;
        if (Gone()) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (row_ < 0) {
            return ::AccessibleObjectFromWindow(link_->window, static_cast<DWORD>(OBJID_WINDOW),
                                                IID_IDispatch, reinterpret_cast<void**>(parent));
        }
        *parent = new GridObject(link_, -1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (Gone()) {
            return CO_E_OBJNOTCONNECTED;
        }
        *count = row_ < 0 ? GridRows : GridColumns;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        const Target t = Resolve(child);
        if (t.kind == Target::Kind::None) {
            return E_INVALIDARG;
        }
        if (t.kind == Target::Kind::Row && row_ < 0) {
            *out = new GridObject(link_, t.row);
            return S_OK;
        }
        return S_FALSE; // the object itself or a cell: no object of its own
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        *name = nullptr;
        const Target t = Resolve(child);
        const auto& cells = link_->grid != nullptr ? link_->grid->Model() : Empty();
        switch (t.kind) {
        case Target::Kind::Self:
            return Text(GridName(), name);
        case Target::Kind::Row:
            return Text(RowName(cells, t.row), name);
        case Target::Kind::Cell:
            return Text(CellName(cells, {t.row, t.column}), name);
        case Target::Kind::None:
            break;
        }
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        *value = nullptr;
        const Target t = Resolve(child);
        if (t.kind != Target::Kind::Cell) {
            return t.kind == Target::Kind::None ? E_INVALIDARG : S_FALSE;
        }
        const auto& cells = link_->grid->Model();
        return Text(
            std::string(cells[static_cast<std::size_t>(t.row)][static_cast<std::size_t>(t.column)]),
            value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override {
        *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const Target t = Resolve(child);
        role->vt = VT_I4;
        switch (t.kind) {
        case Target::Kind::Self:
            role->lVal = ROLE_SYSTEM_TABLE;
            return S_OK;
        case Target::Kind::Row:
            role->lVal = ROLE_SYSTEM_ROW;
            return S_OK;
        case Target::Kind::Cell:
            role->lVal = t.row == 0 ? ROLE_SYSTEM_COLUMNHEADER : ROLE_SYSTEM_CELL;
            return S_OK;
        case Target::Kind::None:
            break;
        }
        role->vt = VT_EMPTY;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const Target t = Resolve(child);
        if (t.kind == Target::Kind::None) {
            state->vt = VT_EMPTY;
            return E_INVALIDARG;
        }
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY;
        const RaceCardGrid& grid = *link_->grid;
        if (t.kind == Target::Kind::Self) {
            state->lVal |= STATE_SYSTEM_FOCUSABLE | (grid.HasFocus() ? STATE_SYSTEM_FOCUSED : 0);
        } else if (t.kind == Target::Kind::Cell && t.row > 0) {
            state->lVal |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
            if (grid.Current() == GridCell{t.row, t.column} && grid.HasFocus()) {
                state->lVal |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;
            }
        }
        if (!::IsWindowVisible(link_->window)) {
            state->lVal |= STATE_SYSTEM_INVISIBLE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
        *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        focus->vt = VT_EMPTY;
        if (Gone()) {
            return CO_E_OBJNOTCONNECTED;
        }
        const RaceCardGrid& grid = *link_->grid;
        if (!grid.HasFocus()) {
            return S_FALSE;
        }
        const GridCell at = grid.Current();
        if (row_ >= 0 && row_ != at.row) {
            return S_FALSE;
        }
        focus->vt = VT_I4;
        focus->lVal = row_ < 0 ? CellChildId(at.row, at.column) : at.column + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return get_accFocus(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override {
        *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        const Target t = Resolve(child);
        if (t.kind == Target::Kind::None) {
            return E_INVALIDARG;
        }
        RECT r{};
        if (t.kind == Target::Kind::Self) {
            ::GetWindowRect(link_->window, &r);
        } else if (t.kind == Target::Kind::Row) {
            const RECT first = link_->grid->CellOnScreen(t.row, 0);
            const RECT last = link_->grid->CellOnScreen(t.row, GridColumns - 1);
            r = {first.left, first.top, last.right, last.bottom};
        } else {
            r = link_->grid->CellOnScreen(t.row, t.column);
        }
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        end->vt = VT_EMPTY;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        hit->vt = VT_EMPTY;
        if (Gone()) {
            return CO_E_OBJNOTCONNECTED;
        }
        const auto cell = link_->grid->CellAtScreen(x, y);
        if (!cell || (row_ >= 0 && cell->row != row_)) {
            return S_FALSE;
        }
        hit->vt = VT_I4;
        hit->lVal = row_ < 0 ? CellChildId(cell->row, cell->column) : cell->column + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static const RaceCardGrid::Cells& Empty() {
        static const RaceCardGrid::Cells none{};
        return none;
    }
    bool Gone() const { return link_->grid == nullptr; }

    // What a child id names at this level; nothing once the grid is gone.
    Target Resolve(const VARIANT& child) const {
        if (Gone() || child.vt != VT_I4) {
            return {};
        }
        const LONG id = child.lVal;
        if (id == CHILDID_SELF) {
            return row_ < 0 ? Target{Target::Kind::Self, 0, 0} : Target{Target::Kind::Row, row_, 0};
        }
        if (row_ >= 0) {
            return id >= 1 && id <= GridColumns ? Target{Target::Kind::Cell, row_, id - 1}
                                                : Target{};
        }
        if (id >= 1 && id <= GridRows) {
            return {Target::Kind::Row, id - 1, 0};
        }
        const LONG cell = id - FirstCellId;
        if (cell >= 0 && cell < GridRows * GridColumns) {
            return {Target::Kind::Cell, cell / GridColumns, cell % GridColumns};
        }
        return {};
    }

    std::shared_ptr<GridLink> link_;
    int row_;
    std::atomic<ULONG> references_{1};
};

#pragma GCC diagnostic pop

} // namespace

IAccessible* NewGridAccessible(std::shared_ptr<GridLink> link) {
    return new GridObject(std::move(link), -1);
}

LONG CellChildId(int row, int column) {
    return FirstCellId + row * GridColumns + column;
}

} // namespace mv::win
