// The frame's tool bars and the host commands behind their buttons.
#pragma once

#include <xcgui.h>

#include <string>

// Appends icon buttons and separators to one tool bar.
class ToolBarBuilder {
public:
    // 1 when the element is a tool bar, which is then used; 0 otherwise.
    int attach(HELE element);
    HELE addButton(const std::string& text, HIMAGE image);
    void addSeparator();

private:
    HELE toolBar_ = nullptr;
};

// 1 while a compile by the BlackMoon plug-in is under way.
extern LONG blackMoonCompilePending;

// Fills "winToolBar0" and "winToolBar1" with their button groups and the
// linker switcher between them.
void buildToolBars();
int CALLBACK onToolButtonClick(HELE button, BOOL* handled);
// Brings the frame pane whose tab button reads `caption` to the front.
void showPaneByCaption(const std::string& caption);
// Empties the debug output text.
void clearDebugOutput();
// Starts a compile by the BlackMoon plug-in, or says that it is missing.
void startBlackMoonCompile();
