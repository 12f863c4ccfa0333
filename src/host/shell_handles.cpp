#include "shell_handles.h"

HWINDOW ShellFrame = nullptr;
HWND PropertyHostForm = nullptr;
