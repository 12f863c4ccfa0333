// Reading the host's own windows: a control's text with a size cap, and the
// open source file's path from the host main window's title.
#pragma once

#include <windows.h>

#include <string>

// The control's text (GBK); longer texts are cut after 50,000 bytes with a
// note of how much was left out.
std::string readHostControlText(HWND window);
// The path in the host main window's title when it names an existing file; empty otherwise.
std::string currentSourceFilePath();
// Shows the open source file selected in Explorer. Always 0.
int revealSourceFileInExplorer();
