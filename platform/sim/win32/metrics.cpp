// System metrics of a 1920 × 1080 screen at 96 dpi, and the window class
// data shared by every window of a class.
#include <cstdio>
#include <cstdlib>

#include "sim_state.h"

using namespace trvsim;

SIMAPI int WINAPI GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN: return 1920;
        case SM_CYSCREEN: return 1080;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL: return 17;
        case SM_CYCAPTION: return 23;
    }
    std::fprintf(stderr, "sim: GetSystemMetrics(%d) is not simulated\n", index);
    std::abort();
}

static WindowClass* classOfWindow(HWND window) {
    Window* w = findWindow(window);
    if (!w) return nullptr;
    auto it = state().classes.find(lowerCase(w->className));
    return it == state().classes.end() ? nullptr : &it->second;
}

SIMAPI DWORD WINAPI GetClassLongA(HWND window, int index) {
    std::lock_guard<std::mutex> held(state().lock);
    WindowClass* cls = classOfWindow(window);
    if (!cls || index != GCL_STYLE) {
        setLastError(cls ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return cls->style;
}

SIMAPI DWORD WINAPI SetClassLongA(HWND window, int index, LONG value) {
    std::lock_guard<std::mutex> held(state().lock);
    WindowClass* cls = classOfWindow(window);
    if (!cls || index != GCL_STYLE) {
        setLastError(cls ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    DWORD previous = cls->style;
    cls->style = DWORD(value);
    return previous;
}
