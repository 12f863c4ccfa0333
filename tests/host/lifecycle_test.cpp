#include "host/lifecycle.h"

#include "sim_control.h"
#include "support/run_folder.h"
#include "toolkit/toolkit_state.h"

using namespace trvsim;

namespace {

struct DockBars {
    HWND top, left, bottom, right;
};

DockBars dockBarsOf(SimIde& ide) {
    return {ide.control({0xE81B}), ide.control({0xE81C}), ide.control({0xE81E}), ide.control({0xE81D})};
}

// ShowWindow calls on the dock bars, in order: (bar, command).
std::vector<std::pair<HWND, INT_PTR>> dockBarShows(SimIde& ide) {
    DockBars bars = dockBarsOf(ide);
    std::vector<std::pair<HWND, INT_PTR>> shows;
    for (auto& record : journalRecords())
        if (record.call == "ShowWindow" &&
            (record.window == bars.top || record.window == bars.left || record.window == bars.bottom ||
             record.window == bars.right))
            shows.emplace_back(record.window, record.argument);
    return shows;
}

std::string edit(HWND notepad) {
    char text[1024];
    GetWindowTextA(GetWindow(notepad, GW_CHILD), text, sizeof text);
    return text;
}

}  // namespace

using LifecycleTest = IdeTest;

TEST_F(LifecycleTest, StartHidesTheDockBarsTopLeftBottomRight) {
    clearJournal();
    EXPECT_EQ(ide->start(), 1);
    DockBars bars = dockBarsOf(*ide);
    EXPECT_EQ(dockBarShows(*ide), (std::vector<std::pair<HWND, INT_PTR>>{
                                      {bars.top, SW_HIDE}, {bars.left, SW_HIDE}, {bars.bottom, SW_HIDE},
                                      {bars.right, SW_HIDE}}));
    ASSERT_FALSE(ide->hostCalls().empty());
    EXPECT_EQ(ide->hostCalls()[0].code, 1);  // the courtesy call (1, 0, 0) comes first
    EXPECT_EQ(ide->hostCalls()[0].first, 0);
    EXPECT_EQ(ide->hostCalls()[0].second, 0);
}

TEST_F(LifecycleTest, StartMakesTheHostWindowBorderlessAndLayeredWithBlackKey) {
    HWND main = ide->mainWindow();
    DWORD before = DWORD(GetWindowLongA(main, GWL_STYLE));
    ASSERT_EQ(before & 0x00C40000u, 0x00C40000u);
    ide->start();
    EXPECT_EQ(DWORD(GetWindowLongA(main, GWL_STYLE)), before & ~0x00C40000u);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 1;
    BYTE alpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(main, &key, &alpha, &flags));
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(flags, DWORD(LWA_COLORKEY));
}

TEST_F(LifecycleTest, StartInitialisesTheToolkitWithFontAndDarkTheme) {
    ide->start();
    auto& tk = xc::toolkit();
    ASSERT_TRUE(tk.initialised);
    EXPECT_EQ(tk.initText, u"");
    auto* font = dynamic_cast<xc::Font*>(xc::objectOf(tk.defaultFont));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->name, u"微软雅黑");
    EXPECT_EQ(font->size, 9);
    EXPECT_EQ(font->style, 0);
    ASSERT_EQ(tk.resourceLoads.size(), 1u);
    EXPECT_EQ(tk.resourceLoads[0].path, u"lib\\Tarvolin\\Dark\\resource.res");
    EXPECT_TRUE(tk.resourceLoads[0].loaded);
    ASSERT_EQ(tk.styleLoads.size(), 1u);
    EXPECT_EQ(tk.styleLoads[0].path, u"lib\\Tarvolin\\Dark\\style.css");
    EXPECT_TRUE(tk.styleLoads[0].loaded);
    EXPECT_EQ(tk.colours.count(u"ID_COLOR_WinBg"), 1u);
}

TEST_F(LifecycleTest, CarriedDllsAreWrittenWhenMissingAndNeverRewritten) {
    struct Case {
        const char* name;
        bool present;
    };
    for (Case c : {Case{"absent", false}, Case{"present", true}}) {
        SCOPED_TRACE(c.name);
        ide.reset();
        removeRunFolder(folder);
        folder = makeRunFolder();
        if (c.present) {
            writeHostFile(folder + "/XCGUI.dll", "user's toolkit");
            writeHostFile(folder + "/olly.dll", "user's engine");
        }
        ide = std::make_unique<SimIde>(folder);
        ASSERT_TRUE(ide->loadPlugin());
        EXPECT_EQ(readHostFile(folder + "/XCGUI.dll"), c.present ? "user's toolkit" : "TRVSIM-MODULE XCGUI.dll\n");
        EXPECT_EQ(hostFileExists(folder + "/olly.dll"), c.present);  // written by notification 1, not at load
        ide->start();
        EXPECT_EQ(readHostFile(folder + "/olly.dll"), c.present ? "user's engine" : "TRVSIM-MODULE olly.dll\n");
    }
}

TEST_F(LifecycleTest, WithoutAHostMainWindowNothingIsWrittenOrInitialised) {
    ide->setMainWindowAvailable(false);
    clearJournal();
    EXPECT_EQ(ide->start(), 1);
    EXPECT_FALSE(hostFileExists(folder + "/olly.dll"));
    EXPECT_FALSE(xc::toolkit().initialised);
    EXPECT_TRUE(dockBarShows(*ide).empty());
    EXPECT_TRUE(IsWindowVisible(ide->control({0xE81C})));
    EXPECT_FALSE(GetWindowLongA(ide->mainWindow(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(LifecycleTest, PopUpMenuNotificationIsTracedAndOthersAreIgnored) {
    for (const char* title : {"TrvLog.txt - 记事本", "*TrvLog.txt - 记事本"}) {
        SCOPED_TRACE(title);
        HWND notepad = openNotepad(title);
        ide->start();
        EXPECT_EQ(ide->notify(19, 3, 7), 0);
        EXPECT_EQ(ide->notify(18, 1, 2), 0);
        EXPECT_EQ(ide->notify(99, 1, 2), 0);
        EXPECT_EQ(ide->notify(19, -1, 0), 0);
        EXPECT_EQ(edit(notepad), "弹出菜单 : 3,7\r\n弹出菜单 : -1,0\r\n");
        closeNotepad(notepad);
        ide.reset();
        ide = std::make_unique<SimIde>(folder);
    }
}

TEST_F(LifecycleTest, CloseWithoutAFrameLeavesEverythingAsItWas) {
    ide->setMainWindowAvailable(false);  // the shell does not come up
    ide->start();
    ide->setMainWindowAvailable(true);
    int ended = xc::toolkit().exitCount;
    for (INT code : {6, 17}) {
        SCOPED_TRACE(code);
        clearJournal();
        EXPECT_EQ(ide->notify(code, 0, 0), 0);
        EXPECT_TRUE(dockBarShows(*ide).empty());
        EXPECT_EQ(xc::toolkit().exitCount, ended);
        EXPECT_EQ(GetWindowLongA(ide->mainWindow(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    }
}

// The plug-in's own copy in this test program, to read its closing flag.
TEST_F(LifecycleTest, CloseSetsTheClosingFlagForGood) {
    onProcessAttach();
    EXPECT_EQ(hostClosing, 0);
    EXPECT_EQ(HostNotifyHandler(6, 0, 0), 0);
    EXPECT_EQ(hostClosing, 1);
    EXPECT_EQ(HostNotifyHandler(17, 0, 0), 0);
    EXPECT_EQ(hostClosing, 1);
    onProcessDetach();
    hostClosing = 0;
}
