// The simulated Win32 layer where its behaviour is not trivial: thread
// ownership of windows, sends served while pumping, subclassing, timers,
// the mapped run directory, code pages and modules.
#include <gtest/gtest.h>

#include <windows.h>
#include <xcgui.h>

#include <atomic>
#include <functional>

#include "sim_control.h"
#include "support/run_folder.h"

namespace {

std::atomic<DWORD> servedOn{0};

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        servedOn = GetCurrentThreadId();
        return LRESULT(wParam + 1);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow(const char* title = "") {
    static bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = recordingProcedure;
        cls.lpszClassName = "SimTestWindow";
        return RegisterClassA(&cls) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "SimTestWindow", title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
}

struct SendFromWorker {
    HWND window;
    LRESULT result = 0;
    HANDLE done;
    static DWORD WINAPI run(LPVOID self) {
        auto* s = static_cast<SendFromWorker*>(self);
        s->result = SendMessageA(s->window, WM_USER, 41, 0);
        return 0;
    }
};

}  // namespace

TEST(SimMessages, ASendFromAnotherThreadIsServedByTheOwnerWhileItPumps) {
    struct Pump {
        const char* name;
        std::function<void()> pump;
    };
    const Pump pumps[] = {
        {"PeekMessageA", [] { MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); }},
        {"MsgWaitForMultipleObjects", [] { MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT); }},
        {"GetMessageA", [] {
             PostMessageA(nullptr, WM_NULL, 0, 0);  // so that GetMessageA returns
             MSG m;
             GetMessageA(&m, nullptr, 0, 0);
         }},
    };
    HWND window = makeWindow();
    for (auto& p : pumps) {
        SCOPED_TRACE(p.name);
        servedOn = 0;
        SendFromWorker send{window, 0, nullptr};
        HANDLE thread = CreateThread(nullptr, 0, &SendFromWorker::run, &send, 0, nullptr);
        // Not pumping: the worker waits.
        EXPECT_EQ(WaitForSingleObject(thread, 50), WAIT_TIMEOUT);
        EXPECT_EQ(servedOn, 0u);
        while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) p.pump();
        EXPECT_EQ(servedOn, GetCurrentThreadId());
        EXPECT_EQ(send.result, 42);
        CloseHandle(thread);
    }
    DestroyWindow(window);
}

TEST(SimMessages, OnlyTheOwnerThreadDestroysAWindow) {
    HWND window = makeWindow();
    struct Attempt {
        HWND window;
        BOOL result;
        static DWORD WINAPI run(LPVOID self) {
            auto* a = static_cast<Attempt*>(self);
            a->result = DestroyWindow(a->window);
            return 0;
        }
    } attempt{window, TRUE};
    HANDLE thread = CreateThread(nullptr, 0, &Attempt::run, &attempt, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    EXPECT_FALSE(attempt.result);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
}

namespace {
WNDPROC previousProcedure = nullptr;
LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return 10 * CallWindowProcA(previousProcedure, window, message, wParam, lParam);
    return CallWindowProcA(previousProcedure, window, message, wParam, lParam);
}
}  // namespace

TEST(SimWindows, SubclassingChainsToThePreviousProcedure) {
    HWND window = makeWindow();
    previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProcedure)));
    EXPECT_EQ(previousProcedure, &recordingProcedure);
    EXPECT_EQ(SendMessageA(window, WM_USER, 1, 0), 20);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
    EXPECT_EQ(SendMessageA(window, WM_USER, 1, 0), 2);
    DestroyWindow(window);
}

TEST(SimWindows, TreeLookupsAndLayeredAttributes) {
    HWND top = makeWindow("顶层");
    HWND first = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 1, 1, top, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    HWND second = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 1, 1, top, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    EXPECT_EQ(GetWindow(top, GW_CHILD), second);  // newest on top
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
    EXPECT_EQ(GetDlgItem(top, 7), second);
    EXPECT_EQ(GetDlgItem(top, 8), nullptr);
    EXPECT_EQ(FindWindowA("simtestwindow", "顶层"), top);
    EXPECT_EQ(FindWindowA("SimTestWindow", "其他"), nullptr);
    EXPECT_EQ(FindWindowExA(top, nullptr, "Edit", ""), second);

    EXPECT_FALSE(SetLayeredWindowAttributes(top, 0, 0, LWA_COLORKEY));  // not a layered window yet
    SetWindowLongA(top, GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(top, RGB(1, 2, 3), 9, LWA_COLORKEY));
    COLORREF key;
    BYTE alpha;
    DWORD flags;
    ASSERT_TRUE(GetLayeredWindowAttributes(top, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(1, 2, 3));

    HWND other = makeWindow();
    EXPECT_EQ(SetParent(first, other), top);
    EXPECT_EQ(GetAncestor(first, GA_PARENT), other);
    EXPECT_EQ(GetDlgItem(top, 7), second);
    EXPECT_EQ(SetParent(other, first), nullptr);  // a window cannot go inside its own child
    DestroyWindow(top);
    DestroyWindow(other);
    EXPECT_FALSE(IsWindow(first));
}

TEST(SimWindows, UnsimulatedControlMessagesStopTheProcess) {
    HWND label = CreateWindowExA(0, "Static", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_DEATH(SendMessageA(label, 0x0170, 0, 0), "Static control does not simulate message 0x170");  // STM_SETICON
    DestroyWindow(label);
}

TEST(SimKernel, AWaitableTimerWakesAPumpingWait) {
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    LARGE_INTEGER due;
    due.QuadPart = -50 * 10000LL;  // 50 ms
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    DWORD started = GetTickCount();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, 5000, QS_ALLINPUT), WAIT_OBJECT_0);
    EXPECT_GE(GetTickCount() - started, 45u);
    // A synchronisation timer resets once a wait has taken its signal.
    EXPECT_EQ(WaitForSingleObject(timer, 0), WAIT_TIMEOUT);
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE));
    PostMessageA(nullptr, WM_USER, 0, 0);
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &timer, FALSE, 5000, QS_ALLINPUT), WAIT_OBJECT_0 + 1);  // input first
    CloseHandle(timer);
}

TEST(SimCodePages, GbkAndUtf8ToUtf16AndBack) {
    WCHAR wide[16];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "微软雅黑", -1, wide, 16), 5);
    EXPECT_EQ(std::u16string(wide), u"微软雅黑");
    char narrow[16];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, 16, nullptr, nullptr), 9);
    EXPECT_STREQ(narrow, "微软雅黑");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE4\xB8\xAD", 3, nullptr, 0), 1);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "微软雅黑", -1, wide, 2), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xFF", 1, wide, 16), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
    EXPECT_EQ(trvsim::gbkToUtf8("记事本"), "\xE8\xAE\xB0\xE4\xBA\x8B\xE6\x9C\xAC");
}

using SimFiles = IdeTest;

TEST_F(SimFiles, PathsResolveInsideTheRunDirectoryOnly) {
    writeHostFile(folder + "/Readme.TXT", "x");
    EXPECT_NE(GetFileAttributesA("readme.txt"), INVALID_FILE_ATTRIBUTES);  // against the current directory
    EXPECT_NE(GetFileAttributesA("C:\\eide\\lib\\..\\README.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("C:\\Windows\\win.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("D:\\EIDE\\Readme.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("lib"), DWORD(FILE_ATTRIBUTE_DIRECTORY));

    HANDLE file = CreateFileA("示例.e", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(file, "abc", 3, &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(readHostFile(folder + "/" + trvsim::gbkToUtf8("示例.e")), "abc");
    EXPECT_EQ(CreateFileA("示例.e", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);

    char path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, MAX_PATH), 13u);
    EXPECT_STREQ(path, "C:\\EIDE\\e.exe");
}

TEST_F(SimFiles, ModulesExportOnlyTheirOwnFunctions) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_NE(user32, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(user32, "SendMessageA")), reinterpret_cast<void*>(&SendMessageA));
    EXPECT_EQ(GetProcAddress(user32, "CreateFileA"), nullptr);
    EXPECT_EQ(GetModuleHandleA("XCGUI.dll"), nullptr);

    EXPECT_EQ(LoadLibraryA("XCGUI.dll"), nullptr);  // no file yet
    writeHostFile(folder + "/XCGUI.dll", "not a module");
    EXPECT_EQ(LoadLibraryA("XCGUI.dll"), nullptr);
    writeHostFile(folder + "/XCGUI.dll", "TRVSIM-MODULE XCGUI.dll\n");
    HMODULE toolkit = LoadLibraryA("xcgui.dll");
    ASSERT_NE(toolkit, nullptr);
    EXPECT_EQ(GetModuleHandleA("XCGUI"), toolkit);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(toolkit, "XC_IsHWINDOW")), reinterpret_cast<void*>(&XC_IsHWINDOW));
    EXPECT_EQ(GetProcAddress(toolkit, "SendMessageA"), nullptr);
    EXPECT_TRUE(FreeLibrary(toolkit));
    EXPECT_EQ(GetModuleHandleA("XCGUI.dll"), nullptr);
}
