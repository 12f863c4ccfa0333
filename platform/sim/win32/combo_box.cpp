// The combo box, of the drop-down list kind: string items with their data, a
// selection whose text is the window text, and a drop-down list window (class
// "ComboLBox") that opens and closes with CB_SHOWDROPDOWN. The parent hears
// of selection changes and of the list opening and closing through WM_COMMAND.
#include "controls.h"

namespace trvsim {

namespace {

const char* const ComboClass = "ComboBox";
const int ListControlId = 1000;
const int ButtonWidth = 17;  // SM_CXVSCROLL
const int EdgeWidth = 2;

struct ComboState : ControlState {
    StringItems items;
    int selection = -1;
    bool dropped = false;
    HWND list{};
};

// Selects item `index` (-1 or an invalid index: none); its text becomes the
// window text. Lock held.
void select(Window& w, ComboState& combo, int index) {
    combo.selection = combo.items.valid(index) ? index : -1;
    w.title = combo.selection >= 0 ? combo.items.at(combo.selection).text : "";
}

void onItemsRemoved(Window& w, ComboState& combo, int removed) {
    select(w, combo, selectionAfterRemoval(combo.selection, removed));
}

LRESULT create(HWND window, const CREATESTRUCTA* creation) {
    DWORD style = DWORD(creation->style);
    if ((style & CBS_DROPDOWNLIST) == CBS_SIMPLE || (style & CBS_DROPDOWNLIST) == CBS_DROPDOWN)
        controlNotSimulated(ComboClass, WM_CREATE, "combo boxes with an edit field");
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS))
        controlNotSimulated(ComboClass, WM_CREATE, "owner-drawn items without strings");
    HWND list = CreateWindowExA(WS_EX_TOOLWINDOW, "ComboLBox", "", WS_POPUP | WS_BORDER | WS_VSCROLL, creation->x,
                                creation->y + creation->cy, creation->cx, 0, window, nullptr, nullptr, nullptr);
    if (!list) return -1;
    withControl<ComboState>(window, 0, [&](Window&, ComboState& combo) {
        combo.list = list;
        if (Window* w = findWindow(list)) w->id = ListControlId;
        return 0;
    });
    return 0;
}

// CB_SHOWDROPDOWN: the parent hears CBN_DROPDOWN before the list opens and
// CBN_CLOSEUP after it closes.
LRESULT showDropDown(HWND window, bool show) {
    bool changed = withControl<ComboState>(window, false, [&](Window&, ComboState& combo) {
        return combo.dropped != show;
    });
    if (!changed) return TRUE;
    if (show) commandParent(window, CBN_DROPDOWN);
    withControl<ComboState>(window, 0, [&](Window&, ComboState& combo) {
        combo.dropped = show;
        if (Window* list = findWindow(combo.list)) list->style = show ? list->style | WS_VISIBLE : list->style & ~DWORD(WS_VISIBLE);
        return 0;
    });
    if (!show) commandParent(window, CBN_CLOSEUP);
    return TRUE;
}

LRESULT comboBoxInfo(Window& w, ComboState& combo, COMBOBOXINFO* info) {
    if (!info || info->cbSize != sizeof(COMBOBOXINFO)) {
        setLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    LONG width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
    info->rcButton = {width - EdgeWidth - ButtonWidth, EdgeWidth, width - EdgeWidth, height - EdgeWidth};
    info->rcItem = {EdgeWidth + 1, EdgeWidth + 1, info->rcButton.left, height - EdgeWidth - 1};
    info->stateButton = combo.dropped ? STATE_SYSTEM_PRESSED : 0;
    info->hwndCombo = w.handle;
    info->hwndItem = w.handle;  // no edit field: the combo box shows the item itself
    info->hwndList = combo.list;
    return TRUE;
}

// The messages that change nothing outside the combo box. Lock held.
LRESULT itemMessage(Window& w, ComboState& combo, UINT message, WPARAM wParam, LPARAM lParam) {
    int index = int(wParam);
    StringItems& items = combo.items;
    switch (message) {
        case CB_ADDSTRING:
        case CB_INSERTSTRING: {
            std::string text = textAt(reinterpret_cast<LPCSTR>(lParam));
            int at = message == CB_INSERTSTRING ? index : (w.style & CBS_SORT) ? items.sortedPosition(text) : -1;
            int added = items.insert(at, text);
            if (added >= 0 && added <= combo.selection) combo.selection++;
            return added;
        }
        case CB_DELETESTRING:
            if (!items.remove(index)) return CB_ERR;
            onItemsRemoved(w, combo, index);
            return items.count();
        case CB_RESETCONTENT:
            items.clear();
            select(w, combo, -1);
            return CB_OKAY;
        case CB_GETCOUNT: return items.count();
        case CB_SETCURSEL:
            select(w, combo, index);
            return combo.selection == index ? index : CB_ERR;
        case CB_GETCURSEL: return combo.selection;
        case CB_GETLBTEXT: {
            char* out = reinterpret_cast<char*>(lParam);
            if (!items.valid(index) || !out) return CB_ERR;
            const std::string& text = items.at(index).text;
            std::memcpy(out, text.c_str(), text.size() + 1);
            return LRESULT(text.size());
        }
        case CB_GETLBTEXTLEN: return items.valid(index) ? LRESULT(items.at(index).text.size()) : CB_ERR;
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
            return items.find(index, textAt(reinterpret_cast<LPCSTR>(lParam)), message == CB_FINDSTRINGEXACT);
        case CB_SETITEMDATA:
            if (!items.valid(index)) return CB_ERR;
            items.at(index).data = lParam;
            return TRUE;
        case CB_GETITEMDATA: return items.valid(index) ? items.at(index).data : CB_ERR;
        case CB_GETDROPPEDSTATE: return combo.dropped;
        case CB_GETCOMBOBOXINFO: return comboBoxInfo(w, combo, reinterpret_cast<COMBOBOXINFO*>(lParam));
    }
    controlNotSimulated(ComboClass, message);
}

// The up and down keys move the selection as a user's would, and say so.
LRESULT keyDown(HWND window, WPARAM key, LPARAM lParam) {
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END || key == VK_LEFT || key == VK_RIGHT ||
        key == VK_F4)
        controlNotSimulated(ComboClass, WM_KEYDOWN, "this navigation key");
    if (key != VK_UP && key != VK_DOWN) return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
    bool moved = withControl<ComboState>(window, false, [&](Window& w, ComboState& combo) {
        int target = key == VK_DOWN ? combo.selection + 1 : combo.selection - 1;
        if (combo.selection < 0) target = 0;
        if (!combo.items.valid(target) || target == combo.selection) return false;
        select(w, combo, target);
        return true;
    });
    if (moved) commandParent(window, CBN_SELCHANGE);
    return 0;
}

LRESULT CALLBACK comboProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return create(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        case WM_DESTROY: {
            HWND list = withControl<ComboState>(window, HWND{}, [](Window&, ComboState& combo) { return combo.list; });
            DestroyWindow(list);
            return 0;
        }
        case WM_SETTEXT: return CB_ERR;  // the text is the selected item's
        case WM_KEYDOWN: return keyDown(window, wParam, lParam);
        case WM_COMMAND: {
            HWND list = withControl<ComboState>(window, HWND{}, [](Window&, ComboState& combo) { return combo.list; });
            if (reinterpret_cast<HWND>(lParam) != list) break;
            if (HIWORD(wParam) != LBN_SELCHANGE) controlNotSimulated(ComboClass, message, "this notification of its list");
            commandParent(window, CBN_SELCHANGE);
            return 0;
        }
        case CB_SHOWDROPDOWN: return showDropDown(window, wParam != 0);
    }
    if (!inRanges(message, {{0x0140, CB_MSGMAX}, {0x1700, 0x17FF}})) return DefWindowProcA(window, message, wParam, lParam);
    return withControl<ComboState>(window, LRESULT(CB_ERR), [&](Window& w, ComboState& combo) {
        return itemMessage(w, combo, message, wParam, lParam);
    });
}

}  // namespace

void registerComboBoxClass() { registerWindowClass(ComboClass, comboProcedure); }

}  // namespace trvsim
