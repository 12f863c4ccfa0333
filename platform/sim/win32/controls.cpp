// The system control classes the host uses, and what they share. Each class
// keeps its own state and answers its messages with the records of its Win32
// layout; a message of a control's own range that is not simulated stops the
// process loudly.
#include "controls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace trvsim {

bool inRanges(UINT message, std::initializer_list<MessageRange> ranges) {
    for (auto& range : ranges)
        if (message >= range.first && message <= range.last) return true;
    return false;
}

void controlNotSimulated(const char* control, UINT message, const char* what) {
    if (what)
        std::fprintf(stderr, "sim: the %s control does not simulate %s (message 0x%X)\n", control, what, message);
    else
        std::fprintf(stderr, "sim: the %s control does not simulate message 0x%X\n", control, message);
    std::abort();
}

std::string textAt(LPCSTR text) { return text ? text : ""; }

int copyTextTo(const std::string& text, char* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    size_t room = size_t(capacity) - 1, length = 0;
    while (length < text.size()) {
        size_t width = IsDBCSLeadByte(BYTE(text[length])) && length + 1 < text.size() ? 2 : 1;
        if (length + width > room) break;
        length += width;
    }
    std::memcpy(out, text.data(), length);
    out[length] = 0;
    return int(length);
}

namespace {

char foldCase(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

int compareTextNoCase(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto x = BYTE(foldCase(a[i])), y = BYTE(foldCase(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && compareTextNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

LRESULT notifyParent(HWND control, UINT code, NMHDR& header) {
    HWND parent;
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(control);
        if (!w || !w->parent) return 0;
        parent = w->parent;
        header.idFrom = UINT_PTR(w->id);
    }
    header.hwndFrom = control;
    header.code = code;
    return sendInternal(parent, WM_NOTIFY, WPARAM(header.idFrom), reinterpret_cast<LPARAM>(&header));
}

void commandParent(HWND control, WORD code) {
    HWND parent;
    int id;
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(control);
        if (!w || !w->parent) return;
        parent = w->parent;
        id = w->id;
    }
    sendInternal(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

int StringItems::sortedPosition(const std::string& text) const {
    auto after = std::upper_bound(items_.begin(), items_.end(), text, [](const std::string& t, const StringItem& item) {
        return compareTextNoCase(t, item.text) < 0;
    });
    return int(after - items_.begin());
}

int StringItems::insert(INT_PTR index, const std::string& text) {
    if (index == -1) index = count();
    if (index < 0 || index > count()) return -1;
    items_.insert(items_.begin() + index, StringItem{text, 0});
    return int(index);
}

bool StringItems::remove(INT_PTR index) {
    if (!valid(index)) return false;
    items_.erase(items_.begin() + index);
    return true;
}

int StringItems::find(INT_PTR start, const std::string& text, bool exact) const {
    int n = count();
    if (start < 0 || start >= n) start = -1;
    for (int step = 1; step <= n; ++step) {
        int i = int((start + step) % n);
        const std::string& candidate = items_[size_t(i)].text;
        if (exact ? compareTextNoCase(candidate, text) == 0 : startsWithNoCase(candidate, text)) return i;
    }
    return -1;
}

int selectionAfterRemoval(int selection, int removed) {
    if (selection == removed) return -1;
    return selection > removed ? selection - 1 : selection;
}

namespace {

struct PendingClass {
    const char* name;
    MessageRange own;  // the class's own messages; none simulated yet
};

// Classes whose own messages are not simulated at all.
const PendingClass pendingClasses[] = {
    {"Static", {0x0170, 0x0173}},
    {"Button", {0x00F0, 0x00F8}},
    {"ComboLBox", {0x0180, 0x01B2}},
};

LRESULT CALLBACK pendingControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char name[64];
    GetClassNameA(window, name, sizeof name);
    for (auto& cls : pendingClasses)
        if (lowerCase(cls.name) == lowerCase(name) && inRanges(message, {cls.own}))
            controlNotSimulated(cls.name, message);
    return DefWindowProcA(window, message, wParam, lParam);
}

// Dialogs and plain frames of the host: nothing of their own.
LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerWindowClass(const char* name, WNDPROC procedure) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = name;
    RegisterClassA(&cls);
}

void registerSystemClasses() {
    for (auto& pending : pendingClasses) registerWindowClass(pending.name, pendingControlProcedure);
    registerWindowClass("#32770", plainProcedure);
    registerEditClass();
    registerTreeViewClass();
    registerComboBoxClass();
    registerListBoxClass();
    registerListViewClass();
    registerTabControlClass();
    registerMdiClientClass();
}

}  // namespace trvsim
