// The list view as a report: columns, rows of cell texts with the row's image,
// data, indent and state (selected, focused ...), and colours. A key pressed
// in it reaches the parent as LVN_KEYDOWN, as the host relies on for Delete.
#include <algorithm>

#include "controls.h"

namespace trvsim {

namespace {

const char* const ListViewClass = "SysListView32";

struct ListColumn {
    std::string text;
    int format = LVCFMT_LEFT;
    int width = 0;
    int subItem = 0;
};

struct ListRow {
    std::vector<std::string> cells;  // by column; missing cells are empty
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;

    const std::string& cell(int column) const {
        static const std::string empty;
        return size_t(column) < cells.size() ? cells[size_t(column)] : empty;
    }
    void setCell(int column, const std::string& text) {
        if (cells.size() <= size_t(column)) cells.resize(size_t(column) + 1);
        cells[size_t(column)] = text;
    }
};

struct ListViewState : ControlState {
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    COLORREF background = CLR_NONE;
    COLORREF textColour = CLR_DEFAULT;
    COLORREF textBackground = CLR_DEFAULT;

    bool validRow(INT_PTR row) const { return row >= 0 && size_t(row) < rows.size(); }
};

[[noreturn]] void notSimulatedHere(UINT message, const char* what) { controlNotSimulated(ListViewClass, message, what); }

LRESULT create(HWND window, const CREATESTRUCTA* creation) {
    if (creation->style & (LVS_OWNERDATA | LVS_SORTASCENDING | LVS_SORTDESCENDING))
        notSimulatedHere(WM_CREATE, "virtual and sorted lists");
    COLORREF windowColour = GetSysColor(COLOR_WINDOW);
    withControl<ListViewState>(window, 0, [&](Window&, ListViewState& list) {
        list.background = windowColour;
        return 0;
    });
    return 0;
}

// Sets the bits of `mask` in row `row`'s state; a row takes the focus from
// every other row, and in a single-selection list the selection too.
void setRowState(const Window& w, ListViewState& list, size_t row, UINT state, UINT mask) {
    if (state & mask & LVIS_FOCUSED)
        for (auto& other : list.rows) other.state &= ~UINT(LVIS_FOCUSED);
    if ((state & mask & LVIS_SELECTED) && (w.style & LVS_SINGLESEL))
        for (auto& other : list.rows) other.state &= ~UINT(LVIS_SELECTED);
    list.rows[row].state = (list.rows[row].state & ~mask) | (state & mask);
}

void checkItemMask(const LVITEMA& item, UINT message) {
    if (item.mask & ~UINT(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT))
        notSimulatedHere(message, "item fields beyond text, image, data, state and indent");
    if ((item.mask & LVIF_TEXT) && item.pszText == LPSTR_TEXTCALLBACKA && message != LVM_GETITEMA)
        notSimulatedHere(message, "text callbacks");
    if ((item.mask & LVIF_IMAGE) && item.iImage == I_IMAGECALLBACK && message != LVM_GETITEMA)
        notSimulatedHere(message, "image callbacks");
}

// LVM_SETITEMA and the fields of an insertion. A cell other than the first
// takes only its text.
BOOL storeItem(const Window& w, ListViewState& list, const LVITEMA& item, UINT message) {
    checkItemMask(item, message);
    if (!list.validRow(item.iItem) || item.iSubItem < 0) return FALSE;
    ListRow& row = list.rows[size_t(item.iItem)];
    if (item.iSubItem > 0) {
        if (size_t(item.iSubItem) >= list.columns.size()) return FALSE;
        if (item.mask & (LVIF_IMAGE | LVIF_INDENT)) notSimulatedHere(message, "images and indents of cells");
        if (item.mask & LVIF_TEXT) row.setCell(item.iSubItem, textAt(item.pszText));
        return TRUE;
    }
    if (item.mask & LVIF_TEXT) row.setCell(0, textAt(item.pszText));
    if (item.mask & LVIF_IMAGE) row.image = item.iImage;
    if (item.mask & LVIF_PARAM) row.param = item.lParam;
    if (item.mask & LVIF_INDENT) row.indent = item.iIndent;
    if (item.mask & LVIF_STATE) setRowState(w, list, size_t(item.iItem), item.state, item.stateMask);
    return TRUE;
}

LRESULT insertItem(const Window& w, ListViewState& list, const LVITEMA* item) {
    if (!item || item->iItem < 0 || item->iSubItem != 0) return -1;
    checkItemMask(*item, LVM_INSERTITEMA);
    size_t at = std::min(size_t(item->iItem), list.rows.size());
    list.rows.insert(list.rows.begin() + ptrdiff_t(at), ListRow{});
    LVITEMA placed = *item;
    placed.iItem = int(at);
    storeItem(w, list, placed, LVM_INSERTITEMA);
    return LRESULT(at);
}

LRESULT insertColumn(ListViewState& list, WPARAM index, const LVCOLUMNA* column) {
    if (!column || INT_PTR(index) < 0) return -1;
    if (column->mask & ~UINT(LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM))
        notSimulatedHere(LVM_INSERTCOLUMNA, "column images and orders");
    ListColumn added;
    if (column->mask & LVCF_TEXT) added.text = textAt(column->pszText);
    if (column->mask & LVCF_FMT) added.format = column->fmt;
    if (column->mask & LVCF_WIDTH) added.width = column->cx;
    size_t at = std::min(size_t(index), list.columns.size());
    added.subItem = column->mask & LVCF_SUBITEM ? column->iSubItem : int(at);
    list.columns.insert(list.columns.begin() + ptrdiff_t(at), added);
    // The cells of the columns after it move along; a row's own text stays.
    size_t shifted = std::max<size_t>(at, 1);
    for (auto& row : list.rows)
        if (row.cells.size() > shifted) row.cells.insert(row.cells.begin() + ptrdiff_t(shifted), std::string());
    return LRESULT(at);
}

LRESULT getItem(const ListViewState& list, LVITEMA* item) {
    if (!item) return FALSE;
    checkItemMask(*item, LVM_GETITEMA);
    if (!list.validRow(item->iItem) || item->iSubItem < 0) return FALSE;
    if (item->iSubItem > 0 && size_t(item->iSubItem) >= list.columns.size()) return FALSE;
    const ListRow& row = list.rows[size_t(item->iItem)];
    if (item->mask & LVIF_TEXT) copyTextTo(row.cell(item->iSubItem), item->pszText, item->cchTextMax);
    if (item->iSubItem > 0) {
        if (item->mask & (LVIF_IMAGE | LVIF_INDENT)) notSimulatedHere(LVM_GETITEMA, "images and indents of cells");
        return TRUE;
    }
    if (item->mask & LVIF_IMAGE) item->iImage = row.image;
    if (item->mask & LVIF_PARAM) item->lParam = row.param;
    if (item->mask & LVIF_INDENT) item->iIndent = row.indent;
    if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
    return TRUE;
}

LRESULT setItemState(const Window& w, ListViewState& list, WPARAM index, const LVITEMA* item) {
    if (!item) return FALSE;
    if (INT_PTR(index) == -1) {
        if (item->state & item->stateMask & LVIS_FOCUSED) notSimulatedHere(LVM_SETITEMSTATE, "the focus on every row");
        if ((item->state & item->stateMask & LVIS_SELECTED) && (w.style & LVS_SINGLESEL)) return FALSE;
        for (size_t row = 0; row < list.rows.size(); ++row) setRowState(w, list, row, item->state, item->stateMask);
        return TRUE;
    }
    if (!list.validRow(INT_PTR(index))) return FALSE;
    setRowState(w, list, size_t(index), item->state, item->stateMask);
    return TRUE;
}

// LVM_GETNEXTITEM: the first row after `start` (-1: from the first row on)
// whose state has every bit the flags ask for.
LRESULT nextItem(const ListViewState& list, WPARAM start, LPARAM flags) {
    const UINT stateFlags = LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED;
    if (UINT(flags) & ~stateFlags) notSimulatedHere(LVM_GETNEXTITEM, "geometric and group searches");
    INT_PTR from = INT_PTR(start);
    if (from < -1) from = -1;
    for (size_t row = size_t(from + 1); row < list.rows.size(); ++row)
        if ((list.rows[row].state & UINT(flags)) == UINT(flags)) return LRESULT(row);
    return -1;
}

LRESULT listMessage(Window& w, ListViewState& list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto setColour = [&](COLORREF& colour) {
        colour = COLORREF(lParam);
        return LRESULT(TRUE);
    };
    switch (message) {
        case LVM_INSERTCOLUMNA: return insertColumn(list, wParam, reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_INSERTITEMA: return insertItem(w, list, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_SETITEMA: return lParam ? storeItem(w, list, *reinterpret_cast<const LVITEMA*>(lParam), message) : FALSE;
        case LVM_SETITEMTEXTA: {
            if (!lParam) return FALSE;
            LVITEMA text = *reinterpret_cast<const LVITEMA*>(lParam);
            text.mask = LVIF_TEXT;
            text.iItem = int(wParam);
            return storeItem(w, list, text, message);
        }
        case LVM_GETITEMA: return getItem(list, reinterpret_cast<LVITEMA*>(lParam));
        case LVM_GETITEMTEXTA: {
            auto* text = reinterpret_cast<LVITEMA*>(lParam);
            if (!text) return 0;
            if (!list.validRow(INT_PTR(wParam)) || text->iSubItem < 0 ||
                (text->iSubItem > 0 && size_t(text->iSubItem) >= list.columns.size()))
                return copyTextTo("", text->pszText, text->cchTextMax);
            return copyTextTo(list.rows[wParam].cell(text->iSubItem), text->pszText, text->cchTextMax);
        }
        case LVM_DELETEITEM:
            if (!list.validRow(INT_PTR(wParam))) return FALSE;
            list.rows.erase(list.rows.begin() + ptrdiff_t(wParam));
            return TRUE;
        case LVM_DELETEALLITEMS: list.rows.clear(); return TRUE;
        case LVM_GETITEMCOUNT: return LRESULT(list.rows.size());
        case LVM_SETITEMSTATE: return setItemState(w, list, wParam, reinterpret_cast<const LVITEMA*>(lParam));
        case LVM_GETITEMSTATE:
            return list.validRow(INT_PTR(wParam)) ? LRESULT(list.rows[wParam].state & UINT(lParam)) : 0;
        case LVM_GETNEXTITEM: return nextItem(list, wParam, lParam);
        case LVM_SETBKCOLOR: return setColour(list.background);
        case LVM_SETTEXTCOLOR: return setColour(list.textColour);
        case LVM_SETTEXTBKCOLOR: return setColour(list.textBackground);
        case LVM_GETBKCOLOR: return LRESULT(LONG(list.background));
        case LVM_GETTEXTCOLOR: return LRESULT(LONG(list.textColour));
        case LVM_GETTEXTBKCOLOR: return LRESULT(LONG(list.textBackground));
    }
    controlNotSimulated(ListViewClass, message);
}

// Every key goes to the parent first; the keys that would move the focus and
// the selection are not simulated.
LRESULT keyDown(HWND window, WPARAM key) {
    if (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END ||
        key == VK_PRIOR || key == VK_NEXT || key == VK_SPACE)
        notSimulatedHere(WM_KEYDOWN, "keys that move the focus or the selection");
    alignas(alignof(NMHDR)) NMLVKEYDOWN notification{};  // a packed record, its header aligned here
    notification.wVKey = WORD(key);
    notification.flags = 0;
    notifyParent(window, LVN_KEYDOWN, *reinterpret_cast<NMHDR*>(&notification));
    return 0;
}

LRESULT CALLBACK listViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return create(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    if (message == WM_KEYDOWN) return keyDown(window, wParam);
    if (!inRanges(message, {{LVM_FIRST, LVM_FIRST + 0xFF}, {CCM_FIRST, CCM_LAST}}))
        return DefWindowProcA(window, message, wParam, lParam);
    return withControl<ListViewState>(window, LRESULT(0), [&](Window& w, ListViewState& list) {
        return listMessage(w, list, message, wParam, lParam);
    });
}

}  // namespace

void registerListViewClass() { registerWindowClass(ListViewClass, listViewProcedure); }

}  // namespace trvsim
