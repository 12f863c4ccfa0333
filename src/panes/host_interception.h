// Interception of the host's own traffic: inline hooks on the system
// functions it calls, its main window subclassed, and the dispatcher that
// hands every message the host sends to its tool controls to the view that
// mirrors it, then lets the message through unchanged.
#pragma once

#include <windows.h>

#include "data/keyed_table.h"

// Window handle to the procedure it had before it was subclassed.
extern KeyedTable pageProcs;
extern KeyedTable componentButtonProcs;
extern KeyedTable scrollBarProcs;

// Messages of the plug-in's own to the host main window.
constexpr UINT startPageMessage = 99999;
constexpr UINT disasmTextMessage = 89963;
constexpr UINT refitCodeViewMessage = 89757;

void installHostInterception();
// Runs in place of every SendMessageA of the host process.
LRESULT WINAPI HostMessageDispatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The real SendMessageA, past the hook.
LRESULT realSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
