#include "code_page_tabs.h"

#include <string>

#include "host/hook_engine.h"
#include "host/ide_window_map.h"

namespace {

bool isWritable(const void* address, size_t size) {
    if (IsBadReadPtr(address, UINT_PTR(size))) return false;
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQuery(address, &region, sizeof region) || region.State != MEM_COMMIT) return false;
    if (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    auto end = static_cast<const char*>(address) + size;
    return (region.Protect & writable) && end <= static_cast<const char*>(region.BaseAddress) + region.RegionSize;
}

}  // namespace

// The caller's memory keeps its protection: it is written only where it may be.
void guardedWrite(LONG* address, LONG value) {
    if (isWritable(address, sizeof *address)) *address = value;
}

BOOL WINAPI hookedGetClientRect(HWND window, LPRECT rect) {
    auto real = reinterpret_cast<decltype(&GetClientRect)>(apiHooks->getClientRect.trampolineAddress());
    BOOL result = real(window, rect);
    if (GetParent(window) != ideWindows->mdiClient() || !result) return result;  // a failure is passed on untouched
    RECT got = *rect;
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    LONG grow = std::string(title) == "起始页" ? 2 : 20;
    guardedWrite(&rect->left, got.left - 2);
    guardedWrite(&rect->top, got.top - 2);
    guardedWrite(&rect->right, got.right + grow);
    guardedWrite(&rect->bottom, got.bottom + grow);
    return 1;
}
