// Entry of the Windows DLL: load and unload of the plug-in.
#include <windows.h>

#include "host/lifecycle.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        onProcessAttach();
    else if (reason == DLL_PROCESS_DETACH)
        onProcessDetach();
    return TRUE;
}
