// The toolkit stand-in where its behaviour is not trivial: what the resource
// file and style sheet loads record, handle types, windows and the UI thread.
#include <xcgui.h>

#include "sim_control.h"
#include "support/run_folder.h"
#include "toolkit/toolkit_state.h"

#include <filesystem>

using namespace trvsim;

namespace {

std::u16string wide(const std::string& gbk) { return gbkToUtf16(gbk); }

}  // namespace

class ToolkitTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        XInitXCGUI(u"");
    }
};

TEST_F(ToolkitTest, ResourceLoadsRecordWhatLoadedAndWhatFailed) {
    std::filesystem::create_directories(folder + "/theme");
    writeHostFile(folder + "/theme/good.res",
                  "<resource><color name=\"Bg\" value=\"#102030\"/><color name=\"Half\" value=\"#80FFFFFF\"/>"
                  "<image name=\"a.png\" file=\"Images/a.png\"/></resource>");
    writeHostFile(folder + "/theme/bad.res", "<resource><color name=\"Bg\" value=\"blue\"/></resource>");
    writeHostFile(folder + "/theme/style.css", "window { color: #fff; }");
    EXPECT_TRUE(XC_LoadResource(wide("theme\\good.res").c_str()));
    EXPECT_FALSE(XC_LoadResource(wide("theme\\bad.res").c_str()));
    EXPECT_FALSE(XC_LoadResource(wide("theme\\missing.res").c_str()));
    EXPECT_TRUE(XC_LoadStyle(wide("theme\\style.css").c_str()));
    EXPECT_FALSE(XC_LoadStyle(wide("theme\\missing.css").c_str()));

    auto& tk = xc::toolkit();
    ASSERT_EQ(tk.resourceLoads.size(), 3u);
    EXPECT_EQ(tk.resourceLoads[0].path, u"theme\\good.res");
    EXPECT_TRUE(tk.resourceLoads[0].loaded);
    EXPECT_FALSE(tk.resourceLoads[1].loaded);
    EXPECT_FALSE(tk.resourceLoads[2].loaded);
    EXPECT_EQ(tk.colours.at(u"Bg"), RGB(0x10, 0x20, 0x30) | 0xFF000000u);  // the bad file changed nothing
    EXPECT_EQ(tk.colours.at(u"Half"), RGB(0xFF, 0xFF, 0xFF) | 0x80000000u);
    EXPECT_EQ(tk.images.at(u"a.png"), folder + "/theme/Images/a.png");
    ASSERT_EQ(tk.styleLoads.size(), 2u);
    EXPECT_TRUE(tk.styleLoads[0].loaded);
    EXPECT_FALSE(tk.styleLoads[1].loaded);
}

TEST_F(ToolkitTest, HandlesKnowTheirTypeUntilTheirObjectGoes) {
    HFONTX font = XFont_Create2(u"微软雅黑", 9, 0);
    HWINDOW window = XWnd_Create(10, 20, 300, 200, wide("窗口").c_str(), nullptr, XC_WINDOW_STYLE_DEFAULT);
    EXPECT_TRUE(XC_IsHXCGUI(font, XC_FONT));
    EXPECT_FALSE(XC_IsHWINDOW(font));
    EXPECT_FALSE(XC_IsHELE(window));
    EXPECT_TRUE(XC_IsHWINDOW(window));
    EXPECT_EQ(XObj_GetType(window), XC_WINDOW);
    HWND native = XWnd_GetHWND(window);
    ASSERT_TRUE(IsWindow(native));
    char title[16];
    GetWindowTextA(native, title, sizeof title);
    EXPECT_STREQ(title, "窗口");

    XWnd_CloseWindow(window);
    EXPECT_FALSE(XC_IsHWINDOW(window));
    EXPECT_FALSE(IsWindow(native));
    EXPECT_EQ(XWnd_GetHWND(window), nullptr);

    HWINDOW second = XWnd_Create(0, 0, 10, 10, nullptr, nullptr, 0);
    HWND secondNative = XWnd_GetHWND(second);
    XExitXCGUI();
    EXPECT_FALSE(XC_IsHWINDOW(second));
    EXPECT_FALSE(XC_IsHXCGUI(font, XC_FONT));
    EXPECT_FALSE(IsWindow(secondNative));
    XInitXCGUI(u"");
}

namespace {
INT_PTR CALLBACK onUiThread(INT_PTR data) { return INT_PTR(GetCurrentThreadId()) + data - data; }
DWORD WINAPI callFromWorker(LPVOID result) {
    *static_cast<INT_PTR*>(result) = XC_CallUiThread(onUiThread, 5);
    return 0;
}
}  // namespace

TEST_F(ToolkitTest, CallUiThreadRunsTheRoutineOnTheUiThread) {
    EXPECT_EQ(XC_CallUiThread(onUiThread, 1), INT_PTR(GetCurrentThreadId()));
    INT_PTR ranOn = 0;
    HANDLE worker = CreateThread(nullptr, 0, callFromWorker, &ranOn, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) pumpMessages(0);
    EXPECT_EQ(ranOn, INT_PTR(GetCurrentThreadId()));
    CloseHandle(worker);
}

TEST_F(ToolkitTest, TextConversion) {
    WCHAR out[8];
    EXPECT_EQ(XC_AnsiToUnicode("易语言", -1, out, 8), 4);
    EXPECT_EQ(std::u16string(out), u"易语言");
    EXPECT_STREQ(XC_wtoa(u"记事本"), "记事本");
}

TEST_F(ToolkitTest, ImagesLoadOnlyFromImageFiles) {
    writeHostFile(folder + "/a.png", std::string("\x89PNG\r\n\x1a\n", 8) + "rest");
    writeHostFile(folder + "/b.png", "text, not an image");
    HIMAGE image = XImage_LoadFile(u"a.png", FALSE);
    EXPECT_TRUE(XC_IsHXCGUI(image, XC_IMAGE));
    EXPECT_EQ(static_cast<xc::Image*>(xc::objectOf(image))->file, folder + "/a.png");
    EXPECT_EQ(XImage_LoadFile(u"b.png", FALSE), nullptr);
    EXPECT_EQ(XImage_LoadFile(u"missing.png", FALSE), nullptr);
}
