// The plug-in's own windows that host-level code needs to know about. The
// main frame and the component-property pane set them when they build.
#pragma once

#include <xcgui.h>

// The themed main frame; while it is a live toolkit window the shell is up.
extern HWINDOW ShellFrame;
// The plain window that carries the host's property list.
extern HWND PropertyHostForm;
