// Windows: classes, creation and destruction, the parent and sibling tree,
// styles, rectangles, titles, lookup and layered attributes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "sim_state.h"

namespace trvsim {

State& state() {
    static State* instance = new State;  // lives until the process ends
    return *instance;
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

Window* findWindow(HWND window) {
    auto& s = state();
    auto it = s.windows.find(reinterpret_cast<UINT_PTR>(window));
    return it == s.windows.end() ? nullptr : it->second.get();
}

void journal(const char* call, HWND window, INT_PTR argument) {
    state().journal.push_back({call, window, argument});
}

namespace {

std::vector<HWND>& siblingsOf(State& s, Window& w) {
    if (w.parent) return findWindow(w.parent)->children;
    return s.topLevel;
}

void unlink(State& s, Window& w) {
    auto& list = siblingsOf(s, w);
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

bool sameText(const char* a, const std::string& b, bool ignoreCase) {
    return ignoreCase ? lowerCase(a) == lowerCase(b) : b == a;
}

// Screen position of a window's client origin (sim windows have no
// non-client area: client and window rectangles coincide).
POINT screenOrigin(Window* w) {
    POINT p{0, 0};
    while (w) {
        p.x += w->rect.left;
        p.y += w->rect.top;
        w = w->parent ? findWindow(w->parent) : nullptr;
    }
    return p;
}

void destroyTree(HWND window) {
    sendInternal(window, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        std::lock_guard<std::mutex> held(state().lock);
        if (Window* w = findWindow(window)) children = w->children;
    }
    for (HWND child : children) destroyTree(child);
    sendInternal(window, WM_NCDESTROY, 0, 0);
    std::lock_guard<std::mutex> held(state().lock);
    auto& s = state();
    if (Window* w = findWindow(window)) {
        unlink(s, *w);
        s.windows.erase(reinterpret_cast<UINT_PTR>(window));
    }
}

}  // namespace

SIMAPI void destroyThreadWindows() {
    std::vector<HWND> mine;
    {
        std::lock_guard<std::mutex> held(state().lock);
        DWORD self = currentQueue().threadId;
        for (HWND top : state().topLevel)
            if (findWindow(top)->threadId == self) mine.push_back(top);
    }
    for (HWND window : mine) DestroyWindow(window);
}

SIMAPI std::vector<JournalRecord> journalRecords() {
    std::lock_guard<std::mutex> held(state().lock);
    return state().journal;
}

SIMAPI void clearJournal() {
    std::lock_guard<std::mutex> held(state().lock);
    state().journal.clear();
}

}  // namespace trvsim

using namespace trvsim;

SIMAPI ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) {
        setLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::mutex> held(state().lock);
    auto key = lowerCase(windowClass->lpszClassName);
    auto& classes = state().classes;
    if (classes.count(key)) {
        setLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    classes[key] = {windowClass->lpszClassName, windowClass->lpfnWndProc, windowClass->style, windowClass->hInstance};
    return ATOM(0xC000 + classes.size());
}

namespace {

// What both CreateWindowExA and CreateWindowExW ask for, the texts in GBK.
struct Creation {
    DWORD exStyle;
    std::string className;
    std::string title;
    DWORD style;
    int x, y, width, height;
    HWND parent;
    HMENU menu;
    HINSTANCE instance;
};

// The creation routine both entry points call, as on Windows: hooking one
// entry point does not catch the other. Adds the window, then sends
// WM_NCCREATE and WM_CREATE with the caller's CREATESTRUCTA or CREATESTRUCTW
// from `describe`, which sees the position and size with defaults applied.
template <class Describe>
HWND createWindow(Creation c, Describe describe) {
    HWND handle;
    {
        std::lock_guard<std::mutex> held(state().lock);
        auto& s = state();
        auto cls = s.classes.find(lowerCase(c.className));
        if (cls == s.classes.end()) {
            setLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        Window* parentWindow = c.parent ? findWindow(c.parent) : nullptr;
        if (c.parent && !parentWindow) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        auto w = std::make_unique<Window>();
        handle = reinterpret_cast<HWND>(s.nextWindowHandle);
        s.nextWindowHandle += 4;
        w->handle = handle;
        w->className = cls->second.name;
        w->title = c.title;
        w->style = c.style;
        w->exStyle = c.exStyle;
        w->procedure = cls->second.procedure;
        w->instance = c.instance;
        ThreadQueue& queue = currentQueue();
        w->threadId = queue.threadId;
        w->processId = queue.processId;
        if (c.x == CW_USEDEFAULT) c.x = c.y = 0;
        if (c.width == CW_USEDEFAULT) c.width = c.height = 0;
        w->rect = {c.x, c.y, c.x + c.width, c.y + c.height};
        if ((c.style & WS_CHILD) && parentWindow) {
            w->parent = c.parent;
            w->id = int(reinterpret_cast<INT_PTR>(c.menu));
            parentWindow->children.insert(parentWindow->children.begin(), handle);
        } else {
            w->owner = c.parent;
            s.topLevel.insert(s.topLevel.begin(), handle);
        }
        s.windows[reinterpret_cast<UINT_PTR>(handle)] = std::move(w);
    }
    auto create = describe(c);
    if (!sendInternal(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
        sendInternal(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        destroyTree(handle);
        return nullptr;
    }
    return handle;
}

void refuseClassAtom(const void* className) {
    if (className && IS_INTRESOURCE(className)) notSimulated("window creation with a class atom");
}

}  // namespace

SIMAPI SIM_HOOKABLE(5) HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                                                   int x, int y, int width, int height, HWND parent, HMENU menu,
                                                   HINSTANCE instance, LPVOID param) {
    refuseClassAtom(className);
    Creation c{exStyle, className ? className : "", windowName ? windowName : "", style, x, y, width, height,
               parent, menu, instance};
    return createWindow(c, [&](const Creation& at) {
        return CREATESTRUCTA{param, instance, menu, parent, at.height, at.width, at.y, at.x, LONG(style),
                             windowName, className, exStyle};
    });
}

SIMAPI SIM_HOOKABLE(5) HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                                                   int x, int y, int width, int height, HWND parent, HMENU menu,
                                                   HINSTANCE instance, LPVOID param) {
    refuseClassAtom(className);
    Creation c{exStyle, className ? utf16ToGbk(className) : "", windowName ? utf16ToGbk(windowName) : "", style,
               x, y, width, height, parent, menu, instance};
    return createWindow(c, [&](const Creation& at) {
        return CREATESTRUCTW{param, instance, menu, parent, at.height, at.width, at.y, at.x, LONG(style),
                             windowName, className, exStyle};
    });
}

SIMAPI BOOL WINAPI DestroyWindow(HWND window) {
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->threadId != currentQueue().threadId) {
            setLastError(ERROR_ACCESS_DENIED);  // only the owner thread may destroy a window
            return FALSE;
        }
        if (w->destroying) return TRUE;
        w->destroying = true;
    }
    destroyTree(window);
    return TRUE;
}

SIMAPI BOOL WINAPI IsWindow(HWND window) {
    std::lock_guard<std::mutex> held(state().lock);
    return findWindow(window) != nullptr;
}

SIMAPI BOOL WINAPI IsWindowVisible(HWND window) {
    std::lock_guard<std::mutex> held(state().lock);
    for (Window* w = findWindow(window); w; w = w->parent ? findWindow(w->parent) : nullptr)
        if (!(w->style & WS_VISIBLE)) return FALSE;
    return findWindow(window) != nullptr;
}

SIMAPI BOOL WINAPI IsChild(HWND parent, HWND window) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    while (w && w->parent) {
        if (w->parent == parent) return TRUE;
        w = findWindow(w->parent);
    }
    return FALSE;
}

SIMAPI HWND WINAPI GetDlgItem(HWND dialog, int id) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(dialog);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND child : w->children)
        if (findWindow(child)->id == id) return child;
    setLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
}

SIMAPI int WINAPI GetDlgCtrlID(HWND window) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    return w && w->parent ? w->id : 0;
}

static LONG_PTR windowLong(HWND window, int index, bool pointerSized) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
        case GWL_STYLE: return LONG(w->style);
        case GWL_EXSTYLE: return LONG(w->exStyle);
        case GWL_ID: return w->id;
        case GWL_USERDATA: return w->userData;
        case GWL_WNDPROC:
        case GWL_HINSTANCE:
        case GWL_HWNDPARENT:
            if (!pointerSized && sizeof(LONG_PTR) != sizeof(LONG)) break;  // no room in a LONG on 64-bit
            if (index == GWL_WNDPROC) return reinterpret_cast<LONG_PTR>(w->procedure);
            if (index == GWL_HINSTANCE) return reinterpret_cast<LONG_PTR>(w->instance);
            return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    }
    setLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

static LONG_PTR setWindowLong(HWND window, int index, LONG_PTR value, bool pointerSized) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR previous;
    switch (index) {
        case GWL_STYLE: previous = LONG(w->style); w->style = DWORD(value); journal("SetWindowLong GWL_STYLE", window, value); return previous;
        case GWL_EXSTYLE: previous = LONG(w->exStyle); w->exStyle = DWORD(value); journal("SetWindowLong GWL_EXSTYLE", window, value); return previous;
        case GWL_ID: previous = w->id; w->id = int(value); return previous;
        case GWL_USERDATA: previous = w->userData; w->userData = value; return previous;
        case GWL_WNDPROC:
            if (!pointerSized && sizeof(LONG_PTR) != sizeof(LONG)) break;
            previous = reinterpret_cast<LONG_PTR>(w->procedure);
            w->procedure = reinterpret_cast<WNDPROC>(value);
            return previous;
    }
    setLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

SIMAPI LONG WINAPI GetWindowLongA(HWND window, int index) { return LONG(windowLong(window, index, false)); }
SIMAPI LONG WINAPI SetWindowLongA(HWND window, int index, LONG value) {
    return LONG(setWindowLong(window, index, value, false));
}
#if !defined(__i386__)
SIMAPI LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index) { return windowLong(window, index, true); }
SIMAPI LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    return setWindowLong(window, index, value, true);
}
#endif

SIMAPI HWND WINAPI GetParent(HWND window) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

SIMAPI HWND WINAPI GetAncestor(HWND window, UINT flags) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) return nullptr;
    switch (flags) {
        case GA_PARENT: return w->parent ? w->parent : reinterpret_cast<HWND>(UINT_PTR(0x10004));
        case GA_ROOT:
        case GA_ROOTOWNER:
            while (w->parent) w = findWindow(w->parent);
            if (flags == GA_ROOTOWNER)
                while (w->owner && findWindow(w->owner)) w = findWindow(w->owner);
            return w->handle;
    }
    return nullptr;
}

SIMAPI HWND WINAPI GetDesktopWindow() { return reinterpret_cast<HWND>(UINT_PTR(0x10004)); }

SIMAPI HWND WINAPI SetParent(HWND window, HWND parent) {
    std::lock_guard<std::mutex> held(state().lock);
    auto& s = state();
    Window* w = findWindow(window);
    if (parent == GetDesktopWindow()) parent = nullptr;
    Window* newParent = parent ? findWindow(parent) : nullptr;
    if (!w || (parent && !newParent)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (Window* a = newParent; a; a = a->parent ? findWindow(a->parent) : nullptr)
        if (a == w) {
            setLastError(ERROR_INVALID_PARAMETER);  // would make a cycle
            return nullptr;
        }
    journal("SetParent", window, reinterpret_cast<INT_PTR>(parent));
    HWND previous = w->parent ? w->parent : GetDesktopWindow();
    unlink(s, *w);
    w->parent = parent;
    if (newParent)
        newParent->children.insert(newParent->children.begin(), window);
    else
        s.topLevel.insert(s.topLevel.begin(), window);
    return previous;
}

SIMAPI HWND WINAPI GetWindow(HWND window, UINT relation) {
    std::lock_guard<std::mutex> held(state().lock);
    auto& s = state();
    Window* w = findWindow(window);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER) return w->owner;
    auto& list = siblingsOf(s, *w);
    auto at = std::find(list.begin(), list.end(), window);
    switch (relation) {
        case GW_HWNDFIRST: return list.front();
        case GW_HWNDLAST: return list.back();
        case GW_HWNDNEXT: return at + 1 == list.end() ? nullptr : *(at + 1);
        case GW_HWNDPREV: return at == list.begin() ? nullptr : *(at - 1);
    }
    setLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

SIMAPI BOOL WINAPI ShowWindow(HWND window, int command) {
    bool wasVisible;
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        journal("ShowWindow", window, command);
        wasVisible = w->style & WS_VISIBLE;
        if (command == SW_HIDE)
            w->style &= ~DWORD(WS_VISIBLE);
        else
            w->style |= WS_VISIBLE;
    }
    bool visible = command != SW_HIDE;
    if (visible != wasVisible) sendInternal(window, WM_SHOWWINDOW, visible, 0);
    return wasVisible;
}

SIMAPI BOOL WINAPI ShowWindowAsync(HWND window, int command) {
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        journal("ShowWindowAsync", window, command);
        if (command == SW_HIDE)
            w->style &= ~DWORD(WS_VISIBLE);
        else
            w->style |= WS_VISIBLE;
    }
    return TRUE;
}

SIMAPI BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w || !rect) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    POINT origin = screenOrigin(w);
    *rect = {origin.x, origin.y, origin.x + (w->rect.right - w->rect.left), origin.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

SIMAPI SIM_HOOKABLE(7) BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w || !rect) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

SIMAPI BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    RECT now;
    {
        std::lock_guard<std::mutex> held(state().lock);
        auto& s = state();
        Window* w = findWindow(window);
        if (!w) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        journal("SetWindowPos", window, MAKELONG(x, y));
        if (!(flags & SWP_NOMOVE)) {
            w->rect.right += x - w->rect.left;
            w->rect.bottom += y - w->rect.top;
            w->rect.left = x;
            w->rect.top = y;
        }
        if (!(flags & SWP_NOSIZE)) {
            w->rect.right = w->rect.left + width;
            w->rect.bottom = w->rect.top + height;
        }
        if (!(flags & SWP_NOZORDER) && insertAfter == HWND_TOP) {
            unlink(s, *w);
            siblingsOf(s, *w).insert(siblingsOf(s, *w).begin(), window);
        }
        if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
        if (flags & SWP_HIDEWINDOW) w->style &= ~DWORD(WS_VISIBLE);
        now = w->rect;
    }
    if (!(flags & SWP_NOSIZE))
        sendInternal(window, WM_SIZE, 0, MAKELPARAM(now.right - now.left, now.bottom - now.top));
    return TRUE;
}

SIMAPI BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    {
        std::lock_guard<std::mutex> held(state().lock);
        journal(repaint ? "MoveWindow repaint" : "MoveWindow", window, MAKELONG(x, y));
    }
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

SIMAPI int WINAPI GetWindowTextA(HWND window, LPSTR text, int size) {
    if (!text || size <= 0) return 0;
    text[0] = 0;
    if (!IsWindow(window)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return int(sendInternal(window, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(text)));
}

SIMAPI int WINAPI GetWindowTextLengthA(HWND window) {
    if (!IsWindow(window)) return 0;
    return int(sendInternal(window, WM_GETTEXTLENGTH, 0, 0));
}

SIMAPI BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
    if (!IsWindow(window)) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return BOOL(sendInternal(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
}

SIMAPI int WINAPI GetClassNameA(HWND window, LPSTR name, int size) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w || !name || size <= 0) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    int length = int(std::min<size_t>(w->className.size(), size_t(size - 1)));
    std::memcpy(name, w->className.data(), length);
    name[length] = 0;
    return length;
}

SIMAPI HWND WINAPI FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    std::lock_guard<std::mutex> held(state().lock);
    auto& s = state();
    std::vector<HWND>* list = &s.topLevel;
    if (parent && parent != GetDesktopWindow()) {
        Window* p = findWindow(parent);
        if (!p) {
            setLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        list = &p->children;
    }
    auto at = list->begin();
    if (childAfter) {
        at = std::find(list->begin(), list->end(), childAfter);
        if (at == list->end()) return nullptr;
        ++at;
    }
    for (; at != list->end(); ++at) {
        Window* w = findWindow(*at);
        if (className && !sameText(className, w->className, true)) continue;
        if (windowName && !sameText(windowName, w->title, true)) continue;
        return *at;
    }
    return nullptr;
}

SIMAPI HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

static BOOL enumerate(std::vector<HWND> list, WNDENUMPROC procedure, LPARAM lParam, bool recurse) {
    for (HWND window : list) {
        if (!IsWindow(window)) continue;
        if (!procedure(window, lParam)) return FALSE;
        if (recurse) {
            std::vector<HWND> children;
            {
                std::lock_guard<std::mutex> held(state().lock);
                if (Window* w = findWindow(window)) children = w->children;
            }
            if (!enumerate(children, procedure, lParam, true)) return FALSE;
        }
    }
    return TRUE;
}

SIMAPI BOOL WINAPI EnumWindows(WNDENUMPROC procedure, LPARAM lParam) {
    std::vector<HWND> list;
    {
        std::lock_guard<std::mutex> held(state().lock);
        list = state().topLevel;
    }
    return enumerate(list, procedure, lParam, false);
}

SIMAPI BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC procedure, LPARAM lParam) {
    std::vector<HWND> list;
    {
        std::lock_guard<std::mutex> held(state().lock);
        Window* p = findWindow(parent);
        if (!p) return FALSE;
        list = p->children;
    }
    enumerate(list, procedure, lParam, true);
    return TRUE;
}

SIMAPI DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w) {
        setLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (processId) *processId = w->processId;
    return w->threadId;
}

SIMAPI BOOL WINAPI SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w || !(w->exStyle & WS_EX_LAYERED)) {
        setLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    journal("SetLayeredWindowAttributes", window, flags);
    w->layeredSet = true;
    w->layeredKey = key;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags;
    return TRUE;
}

SIMAPI BOOL WINAPI GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags) {
    std::lock_guard<std::mutex> held(state().lock);
    Window* w = findWindow(window);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->layeredSet) {
        setLastError(w ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (key) *key = w->layeredKey;
    if (alpha) *alpha = w->layeredAlpha;
    if (flags) *flags = w->layeredFlags;
    return TRUE;
}

SIMAPI BOOL WINAPI UpdateWindow(HWND window) {
    if (!IsWindow(window)) return FALSE;
    {
        std::lock_guard<std::mutex> held(state().lock);
        journal("UpdateWindow", window, 0);
    }
    sendInternal(window, WM_PAINT, 0, 0);
    return TRUE;
}

SIMAPI BOOL WINAPI InvalidateRect(HWND window, const RECT*, BOOL) { return window == nullptr || IsWindow(window); }

SIMAPI LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: return TRUE;
        case WM_SETTEXT: {
            std::lock_guard<std::mutex> held(state().lock);
            Window* w = findWindow(window);
            if (!w) return FALSE;
            w->title = lParam ? reinterpret_cast<const char*>(lParam) : "";
            return TRUE;
        }
        case WM_GETTEXT: {
            std::lock_guard<std::mutex> held(state().lock);
            Window* w = findWindow(window);
            char* out = reinterpret_cast<char*>(lParam);
            if (!w || !out || wParam == 0) return 0;
            size_t length = std::min(w->title.size(), size_t(wParam) - 1);
            std::memcpy(out, w->title.data(), length);
            out[length] = 0;
            return LRESULT(length);
        }
        case WM_GETTEXTLENGTH: {
            std::lock_guard<std::mutex> held(state().lock);
            Window* w = findWindow(window);
            return w ? LRESULT(w->title.size()) : 0;
        }
        case WM_CLOSE: DestroyWindow(window); return 0;
    }
    return 0;
}

SIMAPI LRESULT WINAPI CallWindowProcA(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!procedure) return 0;
    return procedure(window, message, wParam, lParam);
}
