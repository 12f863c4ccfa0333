#include <filesystem>

#include "panes/host_text.h"
#include "support/shell_test.h"

using namespace trvsim;

namespace {

std::vector<std::pair<HWND, INT_PTR>> dockBarShows(SimIde& ide) {
    std::vector<std::pair<HWND, INT_PTR>> shows;
    for (auto& record : journalRecords())
        for (int id : {0xE81B, 0xE81C, 0xE81E, 0xE81D})
            if (record.call == "ShowWindow" && record.window == ide.control({id})) shows.emplace_back(record.window, record.argument);
    return shows;
}

}  // namespace

TEST_F(ShellTest, TheFrameHoldsTheHostWindowAndItsPanes) {
    auto* f = frame();
    ASSERT_NE(f, nullptr);
    char title[64];
    GetWindowTextA(f->hwnd, title, sizeof title);
    EXPECT_STREQ(title, "易语言 - Tarvolin IDE");
    EXPECT_EQ(f->minimumSize.cx, 600);
    EXPECT_EQ(f->layoutSize.top, 97);
    EXPECT_EQ(f->layoutSize.bottom, 32);
    EXPECT_EQ(GetAncestor(ide->mainWindow(), GA_PARENT), f->hwnd);
    EXPECT_EQ(f->shadow.colour, RGB(0, 122, 204));
    for (HELE area : f->bound) EXPECT_NE(xc::elementOf(area)->bkInfo.find(u"@ID_COLOR_WinBd"), std::u16string::npos);
    EXPECT_EQ(f->splitBarColour, xc::toolkit().colours.at(u"ID_COLOR_WinBg"));

    std::vector<std::u16string> left, bottom;
    for (HELE p : xc::groupOf(pane(u"易支持库"))->panes) left.push_back(xc::elementOf(p)->text);
    for (HELE p : xc::groupOf(pane(u"帮助提示"))->panes) bottom.push_back(xc::elementOf(p)->text);
    EXPECT_EQ(left, (std::vector<std::u16string>{u"易支持库", u"项目结构", u"组件属性", u"模块管理", u"文件视图"}));
    EXPECT_EQ(bottom.size(), 7u);
    EXPECT_FALSE(XPane_IsShowPane(pane(u"系统组件")));
    auto* p = xc::elementOf(pane(u"反汇编显示"));
    EXPECT_EQ(p->textColour, RGB(241, 241, 241));
    EXPECT_NE(p->bkInfo.find(u"4(@paneSP.png)"), std::u16string::npos);
    xc::raiseEvent(p->handle, XE_PANE_CAPTION_ON, nullptr);
    EXPECT_EQ(p->textColour, RGB(255, 255, 255));
    xc::raiseEvent(p->handle, XE_PANE_CAPTION_OFF, nullptr);
    EXPECT_EQ(p->textColour, RGB(241, 241, 241));
}

TEST_F(ShellTest, ClosingTheFrameAsksTheHostAndKeepsTheFrame) {
    xc::userCloseWindow(frame()->handle);
    EXPECT_EQ(ide->closeRequests(), 1);
    ASSERT_NE(frame(), nullptr);
    xc::userClick(xc::elementNamed(u"winClose"));
    EXPECT_EQ(ide->closeRequests(), 2);
    EXPECT_NE(frame(), nullptr);
}

TEST_F(ShellTest, TheCodeViewCarriesTheHostWindow) {
    xc::userResizeElement(xc::elementNamed(u"eCodeView"), 600, 200);
    RECT place, frameRect;
    GetWindowRect(ide->mainWindow(), &place);
    GetWindowRect(frame()->hwnd, &frameRect);
    RECT expected{};
    XEle_GetWndClientRect(xc::elementNamed(u"eCodeView"), &expected);
    EXPECT_EQ(place.left - frameRect.left, expected.left);
    EXPECT_EQ(place.top - frameRect.top, expected.top);
    EXPECT_EQ(place.right - place.left, 600);
    EXPECT_EQ(place.bottom - place.top, 200);
}

TEST_F(ShellTest, TheProjectButtonFollowsTheHostTitle) {
    std::filesystem::create_directories(folder + "/my proj");
    writeHostFile(folder + "/my proj/b.e", "");
    ide->setTitle("易语言 - C:\\EIDE\\my proj\\b.e - 窗口Windows1 - 运行中");
    auto* button = static_cast<xc::Button*>(named(u"proJectNameBtn"));
    // The watcher looks once a second; give a slow machine a few.
    auto pumpUntil = [&](const std::u16string& text) {
        for (int i = 0; i < 50 && button->text != text; ++i) pumpMessages(100);
    };
    pumpUntil(u"b - 窗口1");
    EXPECT_EQ(button->text, u"b - 窗口1");
    EXPECT_EQ(button->tooltip, u"b - 窗口1\r\nC:\\EIDE\\my proj\\b.e");

    xc::userClick(button->handle);
    ASSERT_EQ(commandLines().size(), 1u);
    EXPECT_EQ(commandLines()[0], "explorer.exe /select,\"C:\\EIDE\\my proj\\b.e\"");

    ide->setTitle("易语言 5.9");
    pumpUntil(u"Tarvolin IDE");
    EXPECT_EQ(button->text, u"Tarvolin IDE");
    EXPECT_EQ(button->tooltip, u"未保存当前项目");
}

TEST_F(ShellTest, AFloatingPaneGoesBackToItsGroupWhenItsWindowCloses) {
    HWND notepad = openNotepad("TrvLog.txt - 记事本");
    HWINDOW floating = xc::userFloatPane(pane(u"组件属性"));
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(xc::windowOf(floating)->minimumSize.cx, 200);
    EXPECT_EQ(xc::groupOf(pane(u"易支持库"))->panes.size(), 4u);
    xc::userCloseWindow(floating);
    EXPECT_FALSE(XC_IsHWINDOW(floating));
    EXPECT_EQ(xc::groupOf(pane(u"组件属性")), xc::groupOf(pane(u"易支持库")));
    ASSERT_NE(frame(), nullptr);

    HWINDOW output = xc::userFloatPane(pane(u"调试输出"));
    int children = XWnd_GetChildCount(output);
    xc::userCloseWindow(output);
    char text[256];
    GetWindowTextA(GetWindow(notepad, GW_CHILD), text, sizeof text);
    EXPECT_EQ(std::string(text), "窗格句柄:" + std::to_string(children) + "\r\n");
    closeNotepad(notepad);
}

TEST_F(ShellTest, TabLabelsGetTheirHandlersOnceAndKeepTheCheckedColour) {
    // Docking changes restyle the labels: each label must still have one set.
    xc::userCloseWindow(xc::userFloatPane(pane(u"模块管理")));
    for (auto& group : xc::toolkit().paneGroups) {
        auto* bar = xc::elementOf(group.tabBar);
        if (!bar) continue;
        for (size_t i = 1; i < bar->children.size(); ++i) {
            auto* label = static_cast<xc::Button*>(xc::elementOf(bar->children[i]));
            EXPECT_EQ(label->events[XE_MOUSE_ENTER].size(), 1u);
            EXPECT_EQ(label->events[XE_BUTTON_CHECK].size(), 1u);
            if (!label->checked) continue;
            EXPECT_EQ(label->textColour, RGB(0, 151, 251));
            xc::userHover(label->handle, true);
            xc::userHover(label->handle, false);
            EXPECT_EQ(label->textColour, RGB(0, 151, 251));
        }
    }
}

TEST_F(ShellTest, SecondStartOnlyHidesTheDockBarsAgain) {
    clearJournal();
    int threads = runningThreadCount();
    int started = xc::toolkit().initCount;
    EXPECT_EQ(ide->notify(1, reinterpret_cast<INT_PTR>(&SimIde::hostNotification), 0), 1);
    EXPECT_EQ(dockBarShows(*ide).size(), 4u);
    EXPECT_EQ(xc::toolkit().initCount, started);
    EXPECT_EQ(runningThreadCount(), threads);
    int frames = 0;
    for (auto& [handle, object] : xc::toolkit().objects) frames += object->type == XC_FRAMEWINDOW;
    EXPECT_EQ(frames, 1);
}

TEST_F(ShellTest, ClosingGivesTheHostItsWindowBack) {
    clearJournal();
    int ended = xc::toolkit().exitCount;
    EXPECT_EQ(ide->notify(6, 0, 0), 0);
    EXPECT_EQ(ide->notify(17, 0, 0), 0);
    EXPECT_EQ(xc::toolkit().exitCount, ended + 1);
    EXPECT_EQ(frame(), nullptr);
    HWND main = ide->mainWindow();
    EXPECT_EQ(GetAncestor(main, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(DWORD(GetWindowLongA(main, GWL_STYLE)), 0x14CF8000u);
    RECT rect;
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    std::vector<std::pair<HWND, INT_PTR>> shows = dockBarShows(*ide);
    EXPECT_EQ(shows, (std::vector<std::pair<HWND, INT_PTR>>{{ide->control({0xE81B}), SW_SHOW},
                                                             {ide->control({0xE81C}), SW_SHOW},
                                                             {ide->control({0xE81E}), SW_SHOW},
                                                             {ide->control({0xE81D}), SW_SHOW}}));
    EXPECT_TRUE(waitForThreads(5000));  // the watcher ends within a pass
}

TEST(HostText, LongTextsAreCutWithANote) {
    HWND edit = CreateWindowExA(0, "Edit", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    struct Case {
        std::string text, expected;
    };
    std::string lead(49999, 'a');
    const Case cases[] = {
        {std::string(50000, 'a'), std::string(50000, 'a')},
        {lead + "汉字", lead + "...后面略掉3个字符..."},  // the cut half of a character goes
        {std::string(50010, 'b'), std::string(50000, 'b') + "...后面略掉10个字符..."},
    };
    for (auto& c : cases) {
        SetWindowTextA(edit, c.text.c_str());
        EXPECT_EQ(readHostControlText(edit), c.expected);
    }
    DestroyWindow(edit);
}
