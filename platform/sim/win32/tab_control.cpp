// The tab control: tabs with text, image, data and state, and the selected
// tab. The first tab inserted becomes the selected one.
#include <algorithm>

#include "controls.h"

namespace trvsim {

namespace {

const char* const TabClass = "SysTabControl32";

struct Tab {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

struct TabState : ControlState {
    std::vector<Tab> tabs;
    int selection = -1;

    bool valid(INT_PTR index) const { return index >= 0 && size_t(index) < tabs.size(); }
};

void checkMask(UINT mask, UINT message) {
    if (mask & ~UINT(TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM | TCIF_STATE | TCIF_RTLREADING))
        controlNotSimulated(TabClass, message, "these tab fields");
}

void store(Tab& tab, const TCITEMA& item) {
    if (item.mask & TCIF_TEXT) tab.text = textAt(item.pszText);
    if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
    if (item.mask & TCIF_PARAM) tab.param = item.lParam;
    if (item.mask & TCIF_STATE) tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
}

// Lock held.
LRESULT tabMessage(TabState& control, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR index = INT_PTR(int(wParam));
    auto* item = reinterpret_cast<TCITEMA*>(lParam);
    switch (message) {
        case TCM_INSERTITEMA: {
            if (!item || index < 0) return -1;
            checkMask(item->mask, message);
            size_t at = std::min(size_t(index), control.tabs.size());
            Tab tab;
            store(tab, *item);
            control.tabs.insert(control.tabs.begin() + ptrdiff_t(at), tab);
            if (control.selection < 0 && control.tabs.size() == 1)
                control.selection = 0;
            else if (control.selection >= int(at))
                control.selection++;
            return LRESULT(at);
        }
        case TCM_DELETEITEM:
            if (!control.valid(index)) return FALSE;
            control.tabs.erase(control.tabs.begin() + index);
            control.selection = selectionAfterRemoval(control.selection, int(index));
            return TRUE;
        case TCM_DELETEALLITEMS:
            control.tabs.clear();
            control.selection = -1;
            return TRUE;
        case TCM_GETITEMCOUNT: return LRESULT(control.tabs.size());
        case TCM_GETITEMA: {
            if (!item || !control.valid(index)) return FALSE;
            checkMask(item->mask, message);
            const Tab& tab = control.tabs[size_t(index)];
            if (item->mask & TCIF_TEXT) copyTextTo(tab.text, item->pszText, item->cchTextMax);
            if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
            if (item->mask & TCIF_PARAM) item->lParam = tab.param;
            if (item->mask & TCIF_STATE) item->dwState = tab.state & item->dwStateMask;
            return TRUE;
        }
        case TCM_SETITEMA:
            if (!item || !control.valid(index)) return FALSE;
            checkMask(item->mask, message);
            store(control.tabs[size_t(index)], *item);
            return TRUE;
        case TCM_SETCURSEL: {
            if (index >= INT_PTR(control.tabs.size())) return -1;
            int previous = control.selection;
            control.selection = index < 0 ? -1 : int(index);
            return previous;
        }
        case TCM_GETCURSEL: return control.selection;
    }
    controlNotSimulated(TabClass, message);
}

LRESULT CALLBACK tabProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!inRanges(message, {{TCM_FIRST, TCM_FIRST + 0xFF}, {CCM_FIRST, CCM_LAST}}))
        return DefWindowProcA(window, message, wParam, lParam);
    return withControl<TabState>(window, LRESULT(0), [&](Window&, TabState& control) {
        return tabMessage(control, message, wParam, lParam);
    });
}

}  // namespace

void registerTabControlClass() { registerWindowClass(TabClass, tabProcedure); }

}  // namespace trvsim
