// The plug-in's start and stop: module load and unload, the host's
// notifications, building the shell and giving the host its windows back.
#pragma once

#include <xcgui.h>

#include <atomic>

// Set to 1 by notifications 6 and 17; stays 1 for the rest of the process.
extern std::atomic<LONG> hostClosing;
// The font made the toolkit's default by startShell.
extern HFONTX defaultFont;

void onProcessAttach();
void onProcessDetach();

INT_PTR WINAPI HostNotifyHandler(INT code, INT_PTR first, INT_PTR second);
INT_PTR startShell(INT_PTR hostNotifyFunction);
INT_PTR restoreHost();
