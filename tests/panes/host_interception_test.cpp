// The host's own traffic, made by the simulated host, as the plug-in's
// dispatcher and creation filter see it.
#include <commctrl.h>

#include "support/shell_test.h"

using namespace trvsim;

namespace {

void addComboItems(HWND combo, std::initializer_list<const char*> items) {
    for (const char* item : items) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void addTab(HWND tabs, int index, const char* text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text);
    SendMessageA(tabs, TCM_INSERTITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
}

HWND create(const char* cls, int id, int width = 100, int height = 100, HWND parent = nullptr, DWORD style = 0) {
    return CreateWindowExA(0, cls, "", style | (parent ? WS_CHILD : WS_POPUP), 0, 0, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), nullptr, nullptr);
}

}  // namespace

using InterceptionTest = ShellTest;

TEST_F(InterceptionTest, TheMainNavigationComboIsMirroredAndShowsTheSystemComponentsByTheStar) {
    HWND host = ide->control({0xE81B, 135, 629});
    addComboItems(host, {"窗口程序集_启动窗口", "_启动窗口 *"});
    auto* mirror = static_cast<xc::ComboBox*>(named(u"navMainComboBox"));
    EXPECT_EQ(SendMessageA(host, CB_SETCURSEL, 1, 0), 1);  // the host gets the real result
    EXPECT_EQ(mirror->text, u"_启动窗口 *");
    EXPECT_EQ(mirror->items, (std::vector<std::u16string>{u"窗口程序集_启动窗口", u"_启动窗口 *"}));
    EXPECT_TRUE(XPane_IsShowPane(pane(u"系统组件")));
    SendMessageA(host, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(mirror->text, u"窗口程序集_启动窗口");
    EXPECT_FALSE(XPane_IsShowPane(pane(u"系统组件")));
    EXPECT_EQ(mirror->items.size(), 2u);  // refilled, not appended

    HWND second = ide->control({0xE81B, 135, 630});
    addComboItems(second, {"子程序1"});
    SendMessageA(second, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(named(u"navVoidComboBox")->text, u"子程序1");
}

TEST_F(InterceptionTest, SelectingAnOutputTabShowsItsPane) {
    HWND tabs = ide->control({0xE81E, 130, 0, 1000});
    addTab(tabs, 0, "提示");
    addTab(tabs, 1, "输出");
    addTab(tabs, 2, "搜寻1");
    addTab(tabs, 3, "搜寻2");
    HELE front;
    auto frontPane = [&] { return xc::groupOf(pane(u"帮助提示"))->front; };
    struct Case {
        int tab;
        const char16_t* pane;  // nullptr: the front pane stays
    };
    for (Case c : {Case{3, u"搜寻结果2"}, Case{1, u"调试输出"}, Case{2, u"搜寻结果1"}, Case{0, nullptr}}) {
        front = frontPane();
        SendMessageA(tabs, TCM_SETCURSEL, WPARAM(c.tab), 0);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), c.tab);
        EXPECT_EQ(frontPane(), c.pane ? pane(c.pane) : front) << c.tab;
    }
}

TEST_F(InterceptionTest, TheCompletionPopupGetsItsLookAndAFilterBarPerImageList) {
    HWND dialog = create("#32770", 0, 300, 200);
    HWND tree = create("SysTreeView32", 1109, 300, 200, dialog);
    HWND otherTree = create("SysTreeView32", 1110, 300, 200, dialog);
    SendMessageA(otherTree, TVM_SETIMAGELIST, 0, 0);
    EXPECT_FALSE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYERED);

    SendMessageA(tree, TVM_SETIMAGELIST, 0, 0);
    EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), LRESULT(RGB(37, 37, 38)));
    RECT place;
    GetWindowRect(tree, &place);
    EXPECT_EQ(place.right - place.left, 492 + GetSystemMetrics(SM_CXVSCROLL) + 4);
    EXPECT_EQ(place.bottom - place.top, 191);
    GetWindowRect(dialog, &place);
    EXPECT_EQ(place.right - place.left, 492);
    EXPECT_EQ(place.bottom - place.top, 221);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetClassLongA(dialog, GCL_STYLE) & CS_DROPSHADOW);

    auto bars = [&] {
        std::vector<xc::WindowObject*> found;
        for (auto& [handle, object] : xc::toolkit().objects)
            if (auto* w = xc::windowOf(object->handle); w && GetAncestor(w->hwnd, GA_PARENT) == dialog) found.push_back(w);
        return found;
    };
    ASSERT_EQ(bars().size(), 1u);
    auto* layout = xc::elementOf(bars()[0]->children.at(0));
    EXPECT_EQ(layout->children.size(), 8u);
    SendMessageA(tree, TVM_SETIMAGELIST, 0, 0);
    EXPECT_EQ(bars().size(), 2u);  // a second image list adds a second bar
    DestroyWindow(dialog);
}

TEST_F(InterceptionTest, TheCreationFilterActsOnTheHostsNewWindows) {
    HWND hidden = create("static", 0xFFFF, 10, 10, ide->mainWindow(), WS_VISIBLE);
    HWND shown = create("Static", 12, 10, 10, ide->mainWindow(), WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_TRUE(IsWindowVisible(shown));

    for (auto [width, height] : {std::pair{400, 280}, std::pair{10, 10}})
        EXPECT_EQ(create("_EL_PicWnd", 0, width, height), reinterpret_cast<HWND>(LONG_PTR(-1)));
    EXPECT_EQ(FindWindowA("_EL_PicWnd", nullptr), nullptr);

    HWND list = create("SysListView32", 1214, 100, 100, ide->mainWindow());
    EXPECT_EQ(SendMessageA(list, LVM_GETBKCOLOR, 0, 0), LRESULT(RGB(37, 37, 38)));
    EXPECT_EQ(SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0), LRESULT(RGB(241, 241, 241)));
    HWND otherList = create("SysListView32", 1215, 100, 100, ide->mainWindow());
    EXPECT_NE(SendMessageA(otherList, LVM_GETBKCOLOR, 0, 0), LRESULT(RGB(37, 37, 38)));

    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(66, 66, 69));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), RGB(45, 45, 48));
    EXPECT_NE(GetSysColor(COLOR_WINDOW), RGB(66, 66, 69));
}

// The host's calls give the same results with the plug-in watching as without.
TEST(InterceptionTransparency, TheHostSeesTheSameResultsWithAndWithoutThePlugin) {
    auto play = [](bool withPlugin) {
        std::string folder = makeRunFolder();
        std::vector<LRESULT> results;
        {
            SimIde ide(folder);
            if (withPlugin) ide.start();
            HWND nav = ide.control({0xE81B, 135, 629});
            HWND tabs = ide.control({0xE81E, 130, 0, 1000});
            HWND output = ide.control({0xE81E, 130, 0, 1000, 1011});
            for (const char* item : {"甲", "乙 *"}) results.push_back(SendMessageA(nav, CB_ADDSTRING, 0, LPARAM(item)));
            results.push_back(SendMessageA(nav, CB_SETCURSEL, 1, 0));
            results.push_back(SendMessageA(nav, CB_SETCURSEL, 5, 0));
            results.push_back(SendMessageA(nav, CB_GETCURSEL, 0, 0));
            TCITEMA item{TCIF_TEXT, 0, 0, const_cast<char*>("搜寻2"), 0, 0, 0};
            results.push_back(SendMessageA(tabs, TCM_INSERTITEMA, 0, LPARAM(&item)));
            results.push_back(SendMessageA(tabs, TCM_INSERTITEMA, 1, LPARAM(&item)));
            results.push_back(SendMessageA(tabs, TCM_SETCURSEL, 1, 0));
            results.push_back(SendMessageA(output, WM_SETTEXT, 0, LPARAM("编译成功")));
            results.push_back(SendMessageA(output, WM_GETTEXTLENGTH, 0, 0));
        }
        removeRunFolder(folder);
        return results;
    };
    EXPECT_EQ(play(true), play(false));
}
