#include "host/ide_window_map.h"

#include "host/shell_handles.h"
#include "support/run_folder.h"
#include "toolkit/toolkit_state.h"

namespace {

struct Found {
    const char* name;
    HWND (IdeWindowMap::*method)() const;
    std::vector<int> path;  // from the host main window
};

const Found windows[] = {
    {"topDockBar", &IdeWindowMap::topDockBar, {0xE81B}},
    {"leftDockBar", &IdeWindowMap::leftDockBar, {0xE81C}},
    {"bottomDockBar", &IdeWindowMap::bottomDockBar, {0xE81E}},
    {"rightDockBar", &IdeWindowMap::rightDockBar, {0xE81D}},
    {"libraryTree", &IdeWindowMap::libraryTree, {0xE81C, 129, 0, 1000, 1022}},
    {"projectTree", &IdeWindowMap::projectTree, {0xE81C, 129, 0, 1000, 1019}},
    {"componentCombo", &IdeWindowMap::componentCombo, {0xE81C, 129, 0, 1000, 1058}},
    {"eventCombo", &IdeWindowMap::eventCombo, {0xE81C, 129, 0, 1000, 1059}},
    {"propertyList", &IdeWindowMap::propertyList, {0xE81C, 129, 0, 1000, 118}},
    {"mdiClient", &IdeWindowMap::mdiClient, {0xE900}},
    {"switchBar", &IdeWindowMap::switchBar, {0xE800}},
    {"tipsEdit", &IdeWindowMap::tipsEdit, {0xE81E, 130, 0, 1000, 1001}},
    {"outputEdit", &IdeWindowMap::outputEdit, {0xE81E, 130, 0, 1000, 1011}},
    {"callStackTree", &IdeWindowMap::callStackTree, {0xE81E, 130, 0, 1000, 1224}},
    {"variableTree", &IdeWindowMap::variableTree, {0xE81E, 130, 0, 1000, 1109}},
    {"variableTypeText", &IdeWindowMap::variableTypeText, {0xE81E, 130, 0, 1000, 1115}},
    {"variableValueText", &IdeWindowMap::variableValueText, {0xE81E, 130, 0, 1000, 1010}},
    {"stackFrameSelector", &IdeWindowMap::stackFrameSelector, {0xE81E, 130, 0, 1000, 1167}},
    {"watchList", &IdeWindowMap::watchList, {0xE81E, 130, 0, 1000, 1187}},
    {"searchList1", &IdeWindowMap::searchList1, {0xE81E, 130, 0, 1000, 1182}},
    {"searchList2", &IdeWindowMap::searchList2, {0xE81E, 130, 0, 1000, 1183}},
    {"componentBoxTree", &IdeWindowMap::componentBoxTree, {0xE81D, 110, 0, 1225}},
    {"navCombo629", &IdeWindowMap::navCombo629, {0xE81B, 135, 629}},
    {"navCombo630", &IdeWindowMap::navCombo630, {0xE81B, 135, 630}},
};

HWND walk(trvsim::SimIde& ide, const std::vector<int>& path) {
    HWND window = ide.mainWindow();
    for (int id : path) window = GetDlgItem(window, id);
    return window;
}

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

class IdeWindowMapTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        map.setMainWindow(ide->mainWindow());
    }
    void TearDown() override {
        if (XC_IsHWINDOW(ShellFrame)) XWnd_CloseWindow(ShellFrame);
        ShellFrame = nullptr;
        if (PropertyHostForm) DestroyWindow(PropertyHostForm);
        PropertyHostForm = nullptr;
        IdeTest::TearDown();
    }
    IdeWindowMap map;
};

TEST_F(IdeWindowMapTest, FindsEveryHostWindow) {
    for (auto& w : windows) {
        SCOPED_TRACE(w.name);
        HWND found = (map.*w.method)();
        EXPECT_NE(found, nullptr);
        EXPECT_EQ(found, walk(*ide, w.path));
    }
    EXPECT_EQ(classOf(map.libraryTree()), "SysTreeView32");
    EXPECT_EQ(classOf(map.outputEdit()), "Edit");
    EXPECT_EQ(classOf(GetParent(map.outputEdit())), "SysTabControl32");
    EXPECT_EQ(classOf(map.watchList()), "SysListView32");
    EXPECT_EQ(classOf(map.searchList1()), "ListBox");
    EXPECT_EQ(classOf(map.navCombo630()), "ComboBox");
    EXPECT_EQ(classOf(map.mdiClient()), "MDIClient");
}

TEST_F(IdeWindowMapTest, MissingWindowsGiveZero) {
    DestroyWindow(walk(*ide, {0xE81E, 130}));  // the bottom control bar and all inside it
    for (auto& w : windows) {
        SCOPED_TRACE(w.name);
        bool insideBottomBar = w.path.size() > 1 && w.path[0] == 0xE81E;
        EXPECT_EQ((map.*w.method)() == nullptr, insideBottomBar);
    }
    map.setMainWindow(nullptr);
    for (auto& w : windows) EXPECT_EQ((map.*w.method)(), nullptr) << w.name;
}

TEST_F(IdeWindowMapTest, MovedControlsAreFoundWhereTheyWereMoved) {
    HWND eventCombo = map.eventCombo();
    HWND propertyList = map.propertyList();
    XInitXCGUI(nullptr);
    ShellFrame = XWnd_Create(0, 0, 800, 600, nullptr, nullptr, 0);
    SetParent(eventCombo, XWnd_GetHWND(ShellFrame));
    EXPECT_EQ(map.eventCombo(), eventCombo);
    XWnd_CloseWindow(ShellFrame);  // the frame's window goes, with the combo box
    EXPECT_EQ(map.eventCombo(), nullptr);

    EXPECT_EQ(map.propertyList(), propertyList);
    PropertyHostForm = CreateWindowExA(0, "#32770", "窗口", WS_POPUP, 50, 50, 493, 299, nullptr, nullptr, nullptr,
                                       nullptr);
    SetParent(propertyList, PropertyHostForm);
    EXPECT_EQ(map.propertyList(), propertyList);
}
