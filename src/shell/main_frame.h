// The themed main frame: its border areas, the central view where the host
// main window sits, and its thirteen panes addressed by caption.
#pragma once

#include <xcgui.h>

#include <string>

// Elements of the frame's layouts that others use.
struct FrameParts {
    HELE top, left, right, bottom;  // the border areas
    HELE codeView;                  // "eCodeView": where the host main window sits
    HELE codeMainView;              // "codeMainView"
};
extern FrameParts frameParts;

constexpr int framePaneCount = 13;
// The panes in creation order, and their captions.
extern HELE framePanes[framePaneCount];
extern const char* const framePaneCaptions[framePaneCount];
// The pane with this caption; 0 when there is none.
HELE paneByCaption(const std::string& caption);

void buildFrame();
// Moves the host main window onto "eCodeView".
void refitCodeView();
// Shows the open project's name on "proJectNameBtn"; `closed` 1 when there is none.
void updateProjectName(int closed);
// The file name of a path without its extension; empty for a directory path.
std::string projectFileStem(const std::string& path);
