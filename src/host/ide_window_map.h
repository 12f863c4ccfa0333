// Finds the host IDE's windows anew on every call, by control identifiers
// walked down from the host main window; 0 where a window is missing.
#pragma once

#include <windows.h>

#include <initializer_list>

enum HostControlId : int {
    TopDockBarId = 0xE81B,
    LeftDockBarId = 0xE81C,
    RightDockBarId = 0xE81D,
    BottomDockBarId = 0xE81E,
    MdiClientId = 0xE900,
    SwitchBarId = 0xE800,
};

class IdeWindowMap {
public:
    void setMainWindow(HWND window) { mainWindow_ = window; }

    HWND topDockBar() const;
    HWND leftDockBar() const;
    HWND bottomDockBar() const;
    HWND rightDockBar() const;
    HWND libraryTree() const;
    HWND projectTree() const;
    HWND componentCombo() const;
    HWND eventCombo() const;
    HWND propertyList() const;
    HWND mdiClient() const;
    HWND switchBar() const;
    HWND tipsEdit() const;
    HWND outputEdit() const;
    HWND callStackTree() const;
    HWND variableTree() const;
    HWND variableTypeText() const;
    HWND variableValueText() const;
    HWND stackFrameSelector() const;
    HWND watchList() const;
    HWND searchList1() const;
    HWND searchList2() const;
    HWND componentBoxTree() const;
    HWND navCombo629() const;
    HWND navCombo630() const;

private:
    // The window reached from `start` through children with these identifiers.
    static HWND walk(HWND start, std::initializer_list<int> ids);
    HWND leftWorkspace(int id) const;
    HWND bottomWorkspace(int id) const;

    HWND mainWindow_ = nullptr;
};

extern IdeWindowMap* ideWindows;
