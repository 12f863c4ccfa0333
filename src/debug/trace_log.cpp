#include "trace_log.h"

#include <windows.h>

void traceLine(const std::string& text) {
    HWND notepad = FindWindowA("Notepad", "TrvLog.txt - 记事本");
    if (!notepad) notepad = FindWindowA("Notepad", "*TrvLog.txt - 记事本");  // unsaved changes
    if (!notepad) return;
    HWND edit = GetWindow(notepad, GW_CHILD);
    if (!edit) return;
    std::string line = text + "\r\n";
    SendMessageA(edit, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(line.c_str()));
}
