// The host IDE's side of the protocol: its notification function and the
// numbered host functions called through it.
#pragma once

#include <windows.h>

// The host's notification function: code, two values, a result.
typedef INT_PTR(WINAPI* HostNotifyFunction)(INT code, INT_PTR first, INT_PTR second);

// Codes of the calls the plug-in makes to the host.
enum HostCall : INT {
    HostCallMainWindow = 1,
    HostCallFunction = 2,
    HostCall7 = 7,
    HostCall1000 = 1000,
    HostCall1004 = 1004,
    HostCallVersion = 1005,
    HostCall1006 = 1006,
};

// Kept from notification 1; 0 before it.
extern HostNotifyFunction hostNotify;

// Calls the host with (code, first, second); 0 when the host has not given
// its notification function yet.
INT_PTR callHost(INT code, INT_PTR first, INT_PTR second);

// Host function `code` with the parameter block (first, second); the host
// answers through the pointers the block carries.
INT_PTR callHostFunction(DWORD code, INT_PTR first, INT_PTR second);
