// The tool bar's combo box that shows and switches the host's linker.
#pragma once

#include <xcgui.h>

#include <string>

// Looks of a combo box, normal and while the pointer is over it.
extern const char* const comboBoxNormalLook;
extern const char* const comboBoxHoverLook;

// Creates the switcher inside `toolBar` and appends it there.
void buildLinkerSwitcher(HELE toolBar);
// The linker named in the host's settings file; empty when none is.
std::string currentLinkerName();
// Lists the installed linkers: the folders below "linker" holding bin\link.exe.
void fillLinkerList(HELE combo);
