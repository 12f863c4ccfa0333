// The single-selection list box: string items with their data, the selection
// and the top row, which stays within the scroll range the window's height
// gives (rows of ItemHeight pixels).
#include <algorithm>

#include "controls.h"

namespace trvsim {

namespace {

const char* const ListBoxClass = "ListBox";
const int ItemHeight = 16;

struct ListBoxState : ControlState {
    StringItems items;
    int selection = -1;
    int top = 0;
};

int visibleRows(const Window& w) { return std::max(1, int((w.rect.bottom - w.rect.top) / ItemHeight)); }

int highestTop(const Window& w, const ListBoxState& list) { return std::max(0, list.items.count() - visibleRows(w)); }

void scrollTo(const Window& w, ListBoxState& list, int top) { list.top = std::clamp(top, 0, highestTop(w, list)); }

LRESULT create(const CREATESTRUCTA* creation) {
    DWORD style = DWORD(creation->style);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_NODATA))
        controlNotSimulated(ListBoxClass, WM_CREATE, "multiple selection and item-less lists");
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS))
        controlNotSimulated(ListBoxClass, WM_CREATE, "owner-drawn items without strings");
    return 0;
}

// Lock held.
LRESULT listMessage(Window& w, ListBoxState& list, UINT message, WPARAM wParam, LPARAM lParam) {
    int index = int(wParam);
    StringItems& items = list.items;
    switch (message) {
        case LB_ADDSTRING:
        case LB_INSERTSTRING: {
            std::string text = textAt(reinterpret_cast<LPCSTR>(lParam));
            int at = message == LB_INSERTSTRING ? index : (w.style & LBS_SORT) ? items.sortedPosition(text) : -1;
            int added = items.insert(at, text);
            if (added < 0) return LB_ERR;
            if (added <= list.selection) list.selection++;
            return added;
        }
        case LB_DELETESTRING:
            if (!items.remove(index)) return LB_ERR;
            list.selection = selectionAfterRemoval(list.selection, index);
            scrollTo(w, list, list.top);
            return items.count();
        case LB_RESETCONTENT:
            items.clear();
            list.selection = -1;
            list.top = 0;
            return 0;
        case LB_GETCOUNT: return items.count();
        case LB_SETCURSEL:
            if (index == -1) list.selection = -1;
            if (!items.valid(index)) return LB_ERR;
            list.selection = index;
            if (index < list.top) scrollTo(w, list, index);
            if (index >= list.top + visibleRows(w)) scrollTo(w, list, index - visibleRows(w) + 1);
            return index;
        case LB_GETCURSEL: return list.selection;
        case LB_GETTEXT: {
            char* out = reinterpret_cast<char*>(lParam);
            if (!items.valid(index) || !out) return LB_ERR;
            const std::string& text = items.at(index).text;
            std::memcpy(out, text.c_str(), text.size() + 1);
            return LRESULT(text.size());
        }
        case LB_GETTEXTLEN: return items.valid(index) ? LRESULT(items.at(index).text.size()) : LB_ERR;
        case LB_SETTOPINDEX:
            if (!items.valid(index)) return LB_ERR;
            scrollTo(w, list, index);
            return LB_OKAY;
        case LB_GETTOPINDEX: return list.top;
        case LB_FINDSTRING:
        case LB_FINDSTRINGEXACT:
            return items.find(index, textAt(reinterpret_cast<LPCSTR>(lParam)), message == LB_FINDSTRINGEXACT);
        case LB_SETITEMDATA:
            if (!items.valid(index)) return LB_ERR;
            items.at(index).data = lParam;
            return LB_OKAY;
        case LB_GETITEMDATA: return items.valid(index) ? items.at(index).data : LB_ERR;
        case LB_GETITEMHEIGHT: return ItemHeight;
    }
    controlNotSimulated(ListBoxClass, message);
}

LRESULT CALLBACK listBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return create(reinterpret_cast<const CREATESTRUCTA*>(lParam));
    if (!inRanges(message, {{LB_ADDSTRING, LB_GETLISTBOXINFO}})) return DefWindowProcA(window, message, wParam, lParam);
    return withControl<ListBoxState>(window, LRESULT(LB_ERR), [&](Window& w, ListBoxState& list) {
        return listMessage(w, list, message, wParam, lParam);
    });
}

}  // namespace

void registerListBoxClass() { registerWindowClass(ListBoxClass, listBoxProcedure); }

}  // namespace trvsim
