// The functions the plug-in redirects: exported by their modules with a start
// the hook engine can move, CreateWindowExW beside CreateWindowExA, the
// system colours, and a loud end for what the sim cannot do yet.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "sim_control.h"

using namespace trvsim;

TEST(SimHookable, EachRedirectedFunctionStartsWithMovableBytes) {
    struct Export {
        const char* module;
        const char* function;
        size_t nops;
    };
    for (Export e : {Export{"user32.dll", "GetClientRect", 7}, Export{"user32.dll", "SendMessageA", 5},
                     Export{"user32.dll", "LoadBitmapA", 5}, Export{"gdi32.dll", "SetBkColor", 5},
                     Export{"user32.dll", "CreateWindowExA", 5}, Export{"user32.dll", "CreateWindowExW", 5},
                     Export{"gdi32.dll", "SetTextColor", 5}, Export{"user32.dll", "GetSysColor", 5},
                     Export{"kernel32.dll", "CreateProcessA", 5}, Export{"kernel32.dll", "WaitForDebugEvent", 5},
                     Export{"kernel32.dll", "DebugActiveProcessStop", 5}, Export{"gdi32.dll", "TextOutA", 5}}) {
        SCOPED_TRACE(e.function);
        HMODULE module = GetModuleHandleA(e.module);
        ASSERT_NE(module, nullptr);
        auto* code = reinterpret_cast<const BYTE*>(GetProcAddress(module, e.function));
        ASSERT_NE(code, nullptr);
        EXPECT_EQ(std::vector<BYTE>(code, code + e.nops), std::vector<BYTE>(e.nops, 0x90));
    }
}

TEST(SimHookable, SystemColoursAreTheWindowsDefaults) {
    struct Colour {
        int index;
        COLORREF colour;
    };
    for (Colour c : {Colour{COLOR_WINDOW, RGB(255, 255, 255)}, Colour{COLOR_WINDOWFRAME, RGB(100, 100, 100)},
                     Colour{COLOR_BTNFACE, RGB(240, 240, 240)}, Colour{COLOR_HIGHLIGHT, RGB(0, 120, 215)},
                     Colour{COLOR_INFOBK, RGB(255, 255, 225)}, Colour{COLOR_MENUBAR, RGB(240, 240, 240)},
                     Colour{25, 0}, Colour{31, 0}, Colour{-1, 0}}) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(GetSysColor(c.index), c.colour);
    }
}

namespace {

struct WideCreation {
    std::u16string className, name;
    int cx, cy;
} seenCreation;

LRESULT CALLBACK wideProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        seenCreation = {create->lpszClass, create->lpszName, create->cx, create->cy};
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(SimHookable, CreateWindowExWMakesTheWindowFromWideTexts) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = wideProcedure;
    cls.lpszClassName = "WideTestWindow";
    static const ATOM registered = RegisterClassA(&cls);
    ASSERT_NE(registered, 0);

    HWND window = CreateWindowExW(0, u"WideTestWindow", u"窗口", WS_OVERLAPPED, 5, 6, 70, 80, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title), "窗口");  // GBK inside the sim
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_EQ(std::string(className), "WideTestWindow");
    EXPECT_EQ(seenCreation.className, u"WideTestWindow");  // the window procedure gets the wide record
    EXPECT_EQ(seenCreation.name, u"窗口");
    EXPECT_EQ(seenCreation.cx, 70);
    EXPECT_EQ(seenCreation.cy, 80);
    DestroyWindow(window);

    SetLastError(0);
    EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST(SimHookableDeathTest, WhatTheSimCannotDoYetEndsTheProcess) {
    struct Call {
        const char* name;
        std::function<void()> call;
    };
    char commandLine[] = "C:\\EIDE\\test.exe";
    STARTUPINFOA startup{};
    PROCESS_INFORMATION process{};
    DEBUG_EVENT event{};
    const Call calls[] = {
        {"LoadBitmapA", [] { LoadBitmapA(nullptr, MAKEINTRESOURCEA(620)); }},
        {"SetBkColor", [] { SetBkColor(nullptr, RGB(1, 2, 3)); }},
        {"SetTextColor", [] { SetTextColor(nullptr, RGB(1, 2, 3)); }},
        {"TextOutA", [] { TextOutA(nullptr, 0, 0, "x", 1); }},
        {"CreateProcessA",
         [&] {
             CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, DEBUG_PROCESS, nullptr, nullptr, &startup,
                            &process);
         }},
        {"WaitForDebugEvent", [&] { WaitForDebugEvent(&event, 0); }},
        {"DebugActiveProcessStop", [] { DebugActiveProcessStop(0x2A30); }},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_DEATH(c.call(), std::string("sim: ") + c.name + " .* is not simulated");
    }
}
