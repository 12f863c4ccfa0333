// The system control classes the host uses. Each keeps its own state and
// answers its messages with the records of its Win32 layout; a message of a
// control's own range that is not simulated stops the process loudly.
#include <cstdio>
#include <cstdlib>

#include "sim_state.h"

namespace trvsim {

namespace {

struct MessageRange {
    UINT first, last;
};

struct ControlClass {
    const char* name;
    MessageRange own;  // the class's own messages; none simulated yet
};

// Classes whose own messages come with the views that mirror them.
const ControlClass pendingClasses[] = {
    {"ComboBox", {0x0140, 0x0165}},        {"ListBox", {0x0180, 0x01B0}},
    {"SysTreeView32", {0x1100, 0x11FF}},   {"SysListView32", {0x1000, 0x10FF}},
    {"SysTabControl32", {0x1300, 0x13FF}}, {"MDIClient", {0x0220, 0x0229}},
    {"Static", {0x0170, 0x0173}},          {"Button", {0x00F0, 0x00F8}},
};

const ControlClass* classOf(HWND window) {
    char name[64];
    GetClassNameA(window, name, sizeof name);
    for (auto& cls : pendingClasses)
        if (lowerCase(cls.name) == lowerCase(name)) return &cls;
    return nullptr;
}

LRESULT CALLBACK pendingControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlClass* cls = classOf(window);
    if (cls && message >= cls->own.first && message <= cls->own.last) {
        std::fprintf(stderr, "sim: the %s control does not simulate message 0x%X\n", cls->name, message);
        std::abort();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Dialogs and plain frames of the host: nothing of their own.
LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerSystemClasses() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = pendingControlProcedure;
    for (auto& pending : pendingClasses) {
        cls.lpszClassName = pending.name;
        RegisterClassA(&cls);
    }
    cls.lpfnWndProc = plainProcedure;
    cls.lpszClassName = "#32770";
    RegisterClassA(&cls);
    registerEditClass();
}

}  // namespace trvsim
