// The tab bar of the host's open code pages.
#pragma once

#include <windows.h>

// Runs in place of every GetClientRect of the host process: a code page's
// client area is reported larger, so that the page's own border falls outside it.
BOOL WINAPI hookedGetClientRect(HWND window, LPRECT rect);
// Writes a value where the 4 bytes at `address` are writable memory; elsewhere nothing.
void guardedWrite(LONG* address, LONG value);
