// The disassembly view and the look of floating pane windows.
#pragma once

#include <xcgui.h>

// Gives a pane's floating window its border, caption and size limits.
void styleFloatingPane(HWINDOW window, HELE pane);
