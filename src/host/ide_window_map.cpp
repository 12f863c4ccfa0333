#include "ide_window_map.h"

#include "shell_handles.h"

IdeWindowMap* ideWindows = nullptr;

HWND IdeWindowMap::walk(HWND start, std::initializer_list<int> ids) {
    HWND window = start;
    for (int id : ids) {
        if (!window) return nullptr;
        window = GetDlgItem(window, id);
    }
    return window;
}

HWND IdeWindowMap::leftWorkspace(int id) const { return walk(leftDockBar(), {129, 0, 1000, id}); }
HWND IdeWindowMap::bottomWorkspace(int id) const { return walk(bottomDockBar(), {130, 0, 1000, id}); }

HWND IdeWindowMap::topDockBar() const { return walk(mainWindow_, {TopDockBarId}); }
HWND IdeWindowMap::leftDockBar() const { return walk(mainWindow_, {LeftDockBarId}); }
HWND IdeWindowMap::bottomDockBar() const { return walk(mainWindow_, {BottomDockBarId}); }
HWND IdeWindowMap::rightDockBar() const { return walk(mainWindow_, {RightDockBarId}); }
HWND IdeWindowMap::libraryTree() const { return leftWorkspace(1022); }
HWND IdeWindowMap::projectTree() const { return leftWorkspace(1019); }
HWND IdeWindowMap::componentCombo() const { return leftWorkspace(1058); }

// The event combo box moves into the frame when the selectors are built.
HWND IdeWindowMap::eventCombo() const {
    if (HWND inHost = leftWorkspace(1059)) return inHost;
    if (XC_IsHWINDOW(ShellFrame)) return walk(XWnd_GetHWND(ShellFrame), {1059});
    return nullptr;
}

// The property list moves into the property host form.
HWND IdeWindowMap::propertyList() const {
    if (HWND inHost = leftWorkspace(118)) return inHost;
    if (PropertyHostForm) return walk(PropertyHostForm, {118});
    return nullptr;
}

HWND IdeWindowMap::mdiClient() const { return walk(mainWindow_, {MdiClientId}); }
HWND IdeWindowMap::switchBar() const { return walk(mainWindow_, {SwitchBarId}); }
HWND IdeWindowMap::tipsEdit() const { return bottomWorkspace(1001); }
HWND IdeWindowMap::outputEdit() const { return bottomWorkspace(1011); }
HWND IdeWindowMap::callStackTree() const { return bottomWorkspace(1224); }
HWND IdeWindowMap::variableTree() const { return bottomWorkspace(1109); }
HWND IdeWindowMap::variableTypeText() const { return bottomWorkspace(1115); }
HWND IdeWindowMap::variableValueText() const { return bottomWorkspace(1010); }
HWND IdeWindowMap::stackFrameSelector() const { return bottomWorkspace(1167); }
HWND IdeWindowMap::watchList() const { return bottomWorkspace(1187); }
HWND IdeWindowMap::searchList1() const { return bottomWorkspace(1182); }
HWND IdeWindowMap::searchList2() const { return bottomWorkspace(1183); }
HWND IdeWindowMap::componentBoxTree() const { return walk(rightDockBar(), {110, 0, 1225}); }
HWND IdeWindowMap::navCombo629() const { return walk(topDockBar(), {135, 629}); }
HWND IdeWindowMap::navCombo630() const { return walk(topDockBar(), {135, 630}); }
