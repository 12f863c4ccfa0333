// Replacements of the system functions through which the host draws and
// creates its windows: darker colours, and windows acted on as they are made.
#pragma once

#include <windows.h>

HWND WINAPI hookedCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
HWND WINAPI hookedCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
COLORREF WINAPI hookedSetBkColor(HDC dc, COLORREF colour);
COLORREF WINAPI hookedSetTextColor(HDC dc, COLORREF colour);
DWORD WINAPI hookedGetSysColor(int index);
