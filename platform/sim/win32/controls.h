// What the system control classes share: their per-window state, the loud
// stop for a message they do not simulate, text copies into callers' buffers,
// notifications to the parent, and the string items of list and combo boxes.
#pragma once

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "sim_state.h"

namespace trvsim {

struct MessageRange {
    UINT first, last;
};

bool inRanges(UINT message, std::initializer_list<MessageRange> ranges);

// Ends the process: the control does not simulate this message or this use.
[[noreturn]] void controlNotSimulated(const char* control, UINT message, const char* what = nullptr);

// The window's control state, made on first use; lock held.
template <class S>
S& controlOf(Window& w) {
    if (!w.control) w.control = std::make_shared<S>();
    auto* own = dynamic_cast<S*>(w.control.get());
    if (!own) controlNotSimulated(w.className.c_str(), 0, "a window whose control state is of another class");
    return *own;
}

// Runs `action(window, state)` with the lock held; `missing` when the window is gone.
template <class S, class Action, class Result>
Result withControl(HWND window, Result missing, Action action) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) return missing;
    return action(*w, controlOf<S>(*w));
}

// Caller's text, "" for a null pointer.
std::string textAt(LPCSTR text);
// Copies `text` into `out` of `capacity` bytes with its terminator, cut to
// whole GBK characters when it does not fit; returns the bytes copied.
int copyTextTo(const std::string& text, char* out, int capacity);
// Byte-wise order of GBK texts with ASCII letters compared case-blind.
int compareTextNoCase(const std::string& a, const std::string& b);
bool startsWithNoCase(const std::string& text, const std::string& prefix);

// Sends WM_NOTIFY to the control's parent with the header filled in.
LRESULT notifyParent(HWND control, UINT code, NMHDR& header);
// Sends WM_COMMAND with a notification code to the control's parent.
void commandParent(HWND control, WORD code);

// The string items of a list box or of a combo box's list.
struct StringItem {
    std::string text;
    LPARAM data = 0;
};

class StringItems {
public:
    int count() const { return int(items_.size()); }
    bool valid(INT_PTR index) const { return index >= 0 && index < count(); }
    const StringItem& at(INT_PTR index) const { return items_[size_t(index)]; }
    StringItem& at(INT_PTR index) { return items_[size_t(index)]; }
    // Where a sorted list puts `text`: after the items that do not sort after it.
    int sortedPosition(const std::string& text) const;
    // Inserts at `index` (-1: at the end); -1 when the index is past the end.
    int insert(INT_PTR index, const std::string& text);
    bool remove(INT_PTR index);
    void clear() { items_.clear(); }
    // The first item after `start` (wrapping; -1: from the top) whose text
    // equals `text`, or begins with it; -1 when none does. Case-blind.
    int find(INT_PTR start, const std::string& text, bool exact) const;

private:
    std::vector<StringItem> items_;
};

// Selection index after item `removed` is taken out of a list.
int selectionAfterRemoval(int selection, int removed);

void registerTreeViewClass();
void registerComboBoxClass();
void registerListBoxClass();
void registerListViewClass();
void registerTabControlClass();
void registerMdiClientClass();

}  // namespace trvsim
