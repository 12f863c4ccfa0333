#include "editor/code_page_tabs.h"

#include "support/shell_test.h"

using namespace trvsim;

namespace {

LRESULT CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(window, message, wParam, lParam);
}

HWND openPage(HWND client, const char* title) {
    static bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = pageProcedure;
        cls.lpszClassName = "ECodePage";
        return RegisterClassA(&cls) != 0;
    }();
    (void)registered;
    MDICREATESTRUCTA page{"ECodePage", title, nullptr, 0, 0, 400, 300, 0, 0};
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&page)));
}

}  // namespace

TEST_F(ShellTest, CodePagesReportALargerClientArea) {
    HWND client = ide->control({0xE900});
    struct Case {
        HWND window;
        RECT expected;
    };
    const Case cases[] = {
        {openPage(client, "窗口程序集1"), {-2, -2, 420, 320}},
        {openPage(client, "起始页"), {-2, -2, 402, 302}},
        {ide->control({0xE81E}), {0, 0, 1280, 140}},  // not a page: as it is
    };
    for (auto& c : cases) {
        ASSERT_NE(c.window, nullptr);
        RECT rect{};
        EXPECT_TRUE(GetClientRect(c.window, &rect));
        EXPECT_EQ(rect.left, c.expected.left);
        EXPECT_EQ(rect.top, c.expected.top);
        EXPECT_EQ(rect.right, c.expected.right);
        EXPECT_EQ(rect.bottom, c.expected.bottom);
    }
}

TEST_F(ShellTest, AFailedGetClientRectIsReportedAndWritesNothing) {
    HWND page = openPage(ide->control({0xE900}), "窗口程序集1");
    RECT rect{7, 7, 7, 7};
    DestroyWindow(page);
    EXPECT_FALSE(GetClientRect(page, &rect));
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.right, 7);
}

TEST(GuardedWrite, WritesOnlyWritableMemoryAndKeepsItsProtection) {
    auto* page = static_cast<LONG*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    guardedWrite(page, 5);
    EXPECT_EQ(*page, 5);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READONLY, &old));
    guardedWrite(page, 6);
    EXPECT_EQ(*page, 5);
    MEMORY_BASIC_INFORMATION region{};
    VirtualQuery(page, &region, sizeof region);
    EXPECT_EQ(region.Protect, DWORD(PAGE_READONLY));  // not made writable, nor executable
    VirtualFree(page, 0, MEM_RELEASE);
}
