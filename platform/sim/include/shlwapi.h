// Path helpers of shlwapi.dll in the simulated platform.
#pragma once

#include <windows.h>

SIMAPI LPSTR WINAPI PathFindFileNameA(LPCSTR path);
SIMAPI LPSTR WINAPI PathFindExtensionA(LPCSTR path);
