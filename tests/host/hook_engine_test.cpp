// The hook engine on functions of the simulated platform: calls from every
// module reach the replacement, which reaches the function's own code through
// the trampoline; removal and failures leave the function as it was.
#include "host/hook_engine.h"

#include <cstring>
#include <functional>
#include <mutex>

#include "host/lifecycle.h"
#include "host/shell_handles.h"
#include "sim_control.h"
#include "support/run_folder.h"
#include "win32/memory_control.h"

using namespace trvsim;

namespace {

UINT_PTR exportOf(const char* module, const char* function) {
    return reinterpret_cast<UINT_PTR>(GetProcAddress(GetModuleHandleA(module), function));
}

std::vector<BYTE> bytesAt(UINT_PTR address, size_t count) {
    auto* code = reinterpret_cast<const BYTE*>(address);
    return {code, code + count};
}

const std::vector<BYTE> sevenNops(7, 0x90);

// Where the relative jump at `address` leads.
UINT_PTR jumpDestination(UINT_PTR address) {
    int32_t displacement;
    std::memcpy(&displacement, reinterpret_cast<const void*>(address + 1), 4);
    return address + jumpSize + UINT_PTR(INT_PTR(displacement));
}

// Where the jump at a hooked function's start ends up: the replacement,
// directly or, on x86-64 when it lies out of reach, through a relay.
UINT_PTR redirectionOf(UINT_PTR target) {
    UINT_PTR next = jumpDestination(target);
#if defined(__x86_64__)
    const BYTE relayStart[] = {0xFF, 0x25, 0, 0, 0, 0};
    if (std::memcmp(reinterpret_cast<const void*>(next), relayStart, sizeof relayStart) == 0) {
        UINT_PTR absolute;
        std::memcpy(&absolute, reinterpret_cast<const void*>(next + sizeof relayStart), sizeof absolute);
        return absolute;
    }
#endif
    return next;
}

DWORD protectionAt(UINT_PTR address) {
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info);
    return info.Protect;
}

bool trampolineMemoryLive(void* trampoline) {
#if defined(__x86_64__)
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(trampoline, &info, sizeof info);
    return info.State == MEM_COMMIT;
#else
    return GlobalSize(trampoline) != 0;
#endif
}

// Hooks of this test program with recording replacements that pass every
// call on through the trampoline. Calls may come from other threads.
ApiHook sendMessageHook, getClientRectHook, createWindowHook, sysColorHook;
std::mutex recordsLock;

struct SendRecord {
    HWND window;
    UINT message;
    WPARAM wParam;
    LRESULT result;
};
std::vector<SendRecord> sends;

LRESULT WINAPI recordingSendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result =
        reinterpret_cast<decltype(&SendMessageA)>(sendMessageHook.trampolineAddress())(window, message, wParam, lParam);
    std::lock_guard<std::mutex> held(recordsLock);
    sends.push_back({window, message, wParam, result});
    return result;
}

LRESULT WINAPI unexpectedSendMessageA(HWND, UINT, WPARAM, LPARAM) {
    ADD_FAILURE() << "the second replacement was installed";
    return 0;
}

struct ClientRectRecord {
    HWND window;
    RECT rect;
    BOOL result;
};
std::vector<ClientRectRecord> clientRects;

BOOL WINAPI recordingGetClientRect(HWND window, LPRECT rect) {
    BOOL result = reinterpret_cast<decltype(&GetClientRect)>(getClientRectHook.trampolineAddress())(window, rect);
    std::lock_guard<std::mutex> held(recordsLock);
    clientRects.push_back({window, *rect, result});
    return result;
}

struct CreateRecord {
    std::string className, title;
    int width, height;
    HWND result;
};
std::vector<CreateRecord> creations;

HWND WINAPI recordingCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    HWND result = reinterpret_cast<decltype(&CreateWindowExA)>(createWindowHook.trampolineAddress())(
        exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, param);
    std::lock_guard<std::mutex> held(recordsLock);
    creations.push_back({className, windowName, width, height, result});
    return result;
}

int sysColorCalls = 0;

DWORD WINAPI countingGetSysColor(int index) {
    ++sysColorCalls;
    return reinterpret_cast<decltype(&GetSysColor)>(sysColorHook.trampolineAddress())(index);
}

template <class Function>
const void* addressOf(Function* function) {
    return reinterpret_cast<const void*>(function);
}

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return LRESULT(wParam * 2);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makePlainWindow() {
    static const bool registered = [] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = plainProcedure;
        cls.lpszClassName = "HookTestWindow";
        return RegisterClassA(&cls) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "HookTestWindow", "", WS_OVERLAPPED, 10, 20, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

std::string editText(HWND notepad) {
    char text[1024];
    GetWindowTextA(GetWindow(notepad, GW_CHILD), text, sizeof text);
    return text;
}

class HookEngineTest : public IdeTest {
protected:
    void TearDown() override {
        failProtectionChange(-1);
        for (ApiHook* hook : {&sendMessageHook, &getClientRectHook, &createWindowHook, &sysColorHook}) hook->unhook();
        sends.clear();
        clientRects.clear();
        creations.clear();
        sysColorCalls = 0;
        IdeTest::TearDown();
    }
};

}  // namespace

TEST_F(HookEngineTest, SendsFromThePluginModuleRunTheReplacementAndStillArrive) {
    HWND notepad = openNotepad("TrvLog.txt - 记事本");
    HWND edit = GetWindow(notepad, GW_CHILD);
    ASSERT_EQ(sendMessageHook.hook("user32.dll", "SendMessageA", addressOf(recordingSendMessageA)), 1);
    ide->loadPlugin();  // not started: the plug-in's own interception would hook SendMessageA too
    ide->notify(19, 3, 7);  // the plug-in traces the line to Notepad's edit with EM_REPLACESEL

    EXPECT_EQ(editText(notepad), "弹出菜单 : 3,7\r\n");
    {
        std::lock_guard<std::mutex> held(recordsLock);
        size_t replaced = 0;
        for (const SendRecord& send : sends)
            if (send.window == edit && send.message == EM_REPLACESEL && send.wParam == 1) ++replaced;
        EXPECT_EQ(replaced, 1u);
    }
    closeNotepad(notepad);
    ide.reset();  // the plug-in's threads end before the hook goes
}

TEST_F(HookEngineTest, WindowsTheSimulatedIdeCreatesPassThroughTheReplacement) {
    ide.reset();
    ASSERT_EQ(createWindowHook.hook("user32.dll", "CreateWindowExA", addressOf(recordingCreateWindowExA)), 1);
    ide = std::make_unique<SimIde>(folder);

    std::lock_guard<std::mutex> held(recordsLock);
    ASSERT_FALSE(creations.empty());
    const CreateRecord& main = creations.front();
    EXPECT_EQ(main.className, "ENewFrame");
    EXPECT_EQ(main.title, "易语言 5.9");
    EXPECT_EQ(main.result, ide->mainWindow());
    for (const CreateRecord& creation : creations) {
        char className[64] = {};
        GetClassNameA(creation.result, className, sizeof className);
        EXPECT_EQ(className, creation.className);  // each window was made as asked
    }
}

TEST_F(HookEngineTest, ReplacementSeesTheArgumentsAndTheOriginalResult) {
    HWND window = makePlainWindow();
    RECT unhooked{};
    ASSERT_TRUE(GetClientRect(window, &unhooked));
    ASSERT_EQ(getClientRectHook.hook("user32.dll", "GetClientRect", addressOf(recordingGetClientRect), 7, true), 1);

    RECT hooked{};
    EXPECT_TRUE(GetClientRect(window, &hooked));
    EXPECT_FALSE(GetClientRect(nullptr, &hooked));  // the failure comes back as well
    ASSERT_EQ(clientRects.size(), 2u);
    EXPECT_EQ(clientRects[0].window, window);
    EXPECT_EQ(clientRects[0].result, TRUE);
    EXPECT_EQ(std::memcmp(&clientRects[0].rect, &unhooked, sizeof unhooked), 0);
    EXPECT_EQ(std::memcmp(&hooked, &unhooked, sizeof unhooked), 0);
    EXPECT_EQ(clientRects[1].result, FALSE);
    DestroyWindow(window);
}

TEST_F(HookEngineTest, UnhookPutsTheBytesBackAndReleasesTheTrampoline) {
    HWND window = makePlainWindow();
    struct Case {
        const char* function;
        ApiHook* hook;
        const void* replacement;
        size_t byteCount;
        std::function<void()> call;
        std::function<size_t()> seen;
    };
    const Case cases[] = {
        {"SendMessageA", &sendMessageHook, addressOf(recordingSendMessageA), 5,
         [&] { EXPECT_EQ(SendMessageA(window, WM_USER, 21, 0), 42); }, [] { return sends.size(); }},
        {"GetClientRect", &getClientRectHook, addressOf(recordingGetClientRect), 7,
         [&] {
             RECT rect;
             EXPECT_TRUE(GetClientRect(window, &rect));
             EXPECT_EQ(rect.right, 300);
         },
         [] { return clientRects.size(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        UINT_PTR target = exportOf("user32.dll", c.function);
        std::vector<BYTE> before = bytesAt(target, c.byteCount);
        DWORD protection = protectionAt(target);
        ASSERT_EQ(c.hook->hook("user32.dll", c.function, c.replacement, c.byteCount, true), 1);
        EXPECT_EQ(c.hook->target(), target);
        EXPECT_EQ(c.hook->savedBytes(), before);
        EXPECT_EQ(redirectionOf(target), reinterpret_cast<UINT_PTR>(c.replacement));
        c.call();
        EXPECT_EQ(c.seen(), 1u);
        void* trampoline = c.hook->trampolineAddress();
        ASSERT_TRUE(trampolineMemoryLive(trampoline));

        c.hook->unhook();
        EXPECT_FALSE(c.hook->installed());
        EXPECT_EQ(bytesAt(target, c.byteCount), before);
        EXPECT_EQ(protectionAt(target), protection);
        EXPECT_TRUE(c.hook->savedBytes().empty());
        EXPECT_EQ(c.hook->trampolineAddress(), nullptr);
        EXPECT_FALSE(trampolineMemoryLive(trampoline));
        c.call();
        EXPECT_EQ(c.seen(), 1u);  // straight to the function
    }
    DestroyWindow(window);
}

TEST_F(HookEngineTest, HookingAgainKeepsTheFirstInstallation) {
    HWND window = makePlainWindow();
    UINT_PTR target = exportOf("user32.dll", "SendMessageA");
    ASSERT_EQ(sendMessageHook.hook("user32.dll", "SendMessageA", addressOf(recordingSendMessageA)), 1);
    std::vector<BYTE> installed = bytesAt(target, jumpSize);
    void* trampoline = sendMessageHook.trampolineAddress();

    EXPECT_EQ(sendMessageHook.hook("user32.dll", "SendMessageA", addressOf(unexpectedSendMessageA)), 1);
    EXPECT_EQ(sendMessageHook.hook("user32.dll", "NoSuchFunction", addressOf(unexpectedSendMessageA)), 1);
    EXPECT_EQ(bytesAt(target, jumpSize), installed);
    EXPECT_EQ(sendMessageHook.trampolineAddress(), trampoline);
    EXPECT_EQ(SendMessageA(window, WM_USER, 4, 0), 8);
    EXPECT_EQ(sends.size(), 1u);
    DestroyWindow(window);
}

TEST_F(HookEngineTest, SevenMovedBytesGoToTheTrampolineWhichJumpsBackAfterThem) {
    HWND window = makePlainWindow();
    UINT_PTR target = exportOf("user32.dll", "GetClientRect");
    ASSERT_EQ(bytesAt(target, 7), sevenNops);
    struct Case {
        const char* name;
        std::vector<BYTE> filler;
        std::vector<BYTE> afterJump;
    };
    const Case cases[] = {
        {"no filler", {}, {0x90, 0x90}},
        {"two-byte filler", {0x66, 0x90}, {0x66, 0x90}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(getClientRectHook.hook("user32.dll", "GetClientRect", addressOf(recordingGetClientRect), 7, true,
                                         c.filler),
                  1);
        auto trampoline = reinterpret_cast<UINT_PTR>(getClientRectHook.trampolineAddress());
        EXPECT_EQ(bytesAt(trampoline, 7), sevenNops);
        EXPECT_EQ(bytesAt(trampoline + 7, 1), std::vector<BYTE>{0xE9});
        EXPECT_EQ(jumpDestination(trampoline + 7), target + 7);
        EXPECT_EQ(bytesAt(target + jumpSize, 2), c.afterJump);
        RECT rect;
        EXPECT_TRUE(GetClientRect(window, &rect));
        EXPECT_EQ(rect.bottom, 200);

        getClientRectHook.unhook();
        EXPECT_EQ(bytesAt(target, 7), sevenNops);
    }
    EXPECT_EQ(clientRects.size(), 2u);
    DestroyWindow(window);
}

TEST_F(HookEngineTest, HookFailsWithNothingChangedForBadModulesFunctionsAndCounts) {
    UINT_PTR sysColor = exportOf("user32.dll", "GetSysColor");
    struct Case {
        const char* name;
        const char* module;
        const char* function;
        size_t byteCount;
        std::vector<BYTE> filler;
    };
    const Case cases[] = {
        {"module that cannot be loaded", "nosuch.dll", "GetSysColor", 5, {}},
        {"function the module does not export", "user32.dll", "NoSuchFunction", 5, {}},
        {"function of another module", "gdi32.dll", "GetSysColor", 5, {}},
        {"fewer bytes than the jump", "user32.dll", "GetSysColor", 4, {}},
        {"more bytes than the trampoline holds", "user32.dll", "GetSysColor", 26, {}},
        {"filler beyond the moved bytes", "user32.dll", "GetSysColor", 6, {0x90, 0x90}},
    };
    std::vector<BYTE> before = bytesAt(sysColor, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sysColorHook.hook(c.module, c.function, addressOf(countingGetSysColor), c.byteCount, true, c.filler),
                  0);
        EXPECT_FALSE(sysColorHook.installed());
        EXPECT_EQ(sysColorHook.trampolineAddress(), nullptr);
        EXPECT_EQ(bytesAt(sysColor, 5), before);
    }
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(sysColorCalls, 0);
}

TEST_F(HookEngineTest, AModuleThatIsNotLoadedIsLoaded) {
    writeHostFile(folder + "/XCGUI.dll", "TRVSIM-MODULE XCGUI.dll\n");
    ASSERT_EQ(GetModuleHandleA("XCGUI.dll"), nullptr);
    ApiHook hook;
    // Nothing calls the function while it is hooked: the replacement never runs.
    EXPECT_EQ(hook.hook("XCGUI.dll", "XC_IsHWINDOW", addressOf(countingGetSysColor)), 1);
    HMODULE toolkit = GetModuleHandleA("XCGUI.dll");
    ASSERT_NE(toolkit, nullptr);
    EXPECT_EQ(hook.target(), reinterpret_cast<UINT_PTR>(GetProcAddress(toolkit, "XC_IsHWINDOW")));
    hook.unhook();
    FreeLibrary(toolkit);
}

// A refused protection change, or a write that cannot be made, leaves the
// hook not installed with its memory released, so that a later hook tries
// again.
TEST_F(HookEngineTest, AFailedProtectionChangeLeavesTheFunctionUnhooked) {
    UINT_PTR target = exportOf("user32.dll", "GetSysColor");
    std::vector<BYTE> before = bytesAt(target, 5);
    DWORD protection = protectionAt(target);
    // The changes an installation makes: the target's and the trampoline's
    // protection, then writing the trampoline and the jump (or the relay).
    for (int failing = 0; failing < 4; ++failing) {
        SCOPED_TRACE(failing);
        failProtectionChange(failing);
        EXPECT_EQ(sysColorHook.hook("user32.dll", "GetSysColor", addressOf(countingGetSysColor)), 0);
        failProtectionChange(-1);
        EXPECT_FALSE(sysColorHook.installed());
        EXPECT_TRUE(sysColorHook.savedBytes().empty());
        EXPECT_EQ(sysColorHook.trampolineAddress(), nullptr);
        EXPECT_EQ(bytesAt(target, 5), before);
        EXPECT_EQ(protectionAt(target), protection);
        EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
        EXPECT_EQ(sysColorCalls, 0);
    }
    ASSERT_EQ(sysColorHook.hook("user32.dll", "GetSysColor", addressOf(countingGetSysColor)), 1);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(sysColorCalls, 1);
}

TEST_F(HookEngineTest, AnUnhookThatCannotWriteKeepsTheHookWorking) {
    UINT_PTR target = exportOf("user32.dll", "GetSysColor");
    std::vector<BYTE> before = bytesAt(target, 5);
    ASSERT_EQ(sysColorHook.hook("user32.dll", "GetSysColor", addressOf(countingGetSysColor)), 1);
    failProtectionChange(0);
    sysColorHook.unhook();
    EXPECT_TRUE(sysColorHook.installed());
    ASSERT_TRUE(trampolineMemoryLive(sysColorHook.trampolineAddress()));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(sysColorCalls, 1);
    sysColorHook.unhook();
    EXPECT_FALSE(sysColorHook.installed());
    EXPECT_EQ(bytesAt(target, 5), before);
}

TEST_F(HookEngineTest, WriteCodeSkipsUnreadableMemory) {
    struct Case {
        DWORD protection;
        bool written;
    };
    const std::vector<BYTE> code = {0xE9, 1, 2, 3, 4};
    for (Case c : {Case{PAGE_NOACCESS, false}, Case{PAGE_READONLY, true}, Case{PAGE_EXECUTE_READ, true}}) {
        SCOPED_TRACE(c.protection);
        void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, c.protection);
        ASSERT_NE(page, nullptr);
        auto address = reinterpret_cast<UINT_PTR>(page) + 100;
        EXPECT_EQ(writeCode(address, code), c.written);
        EXPECT_EQ(protectionAt(address), c.written ? DWORD(PAGE_EXECUTE_READWRITE) : c.protection);
        DWORD previous;
        ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READONLY, &previous));
        EXPECT_EQ(bytesAt(address, code.size()), c.written ? code : std::vector<BYTE>(code.size(), 0));
        VirtualFree(page, 0, MEM_RELEASE);
    }
}

TEST(HookEngineCode, JumpAndTrampolineBytesForGivenAddresses) {
    struct Jump {
        UINT_PTR from, to;
        std::array<BYTE, 5> bytes;
    };
    for (Jump j : {Jump{0x77D2A0B0, 0x10001234, {0xE9, 0x7F, 0x71, 0x2D, 0x98}},
                   Jump{0x10001000, 0x10002000, {0xE9, 0xFB, 0x0F, 0x00, 0x00}}}) {
        SCOPED_TRACE(j.from);
        EXPECT_EQ(relativeJump(j.from, j.to), j.bytes);
    }
    // A GetClientRect-like start of seven bytes moved to a trampoline below it.
    const std::vector<BYTE> moved = {0x8B, 0xFF, 0x55, 0x8B, 0xEC, 0x83, 0xEC};
    std::vector<BYTE> expected = moved;
    expected.insert(expected.end(), {0xE9, 0xE3, 0xAF, 0x2E, 0x77});
    EXPECT_EQ(trampolineCode(moved, 0x00A3F0C8, 0x77D2A0B0), expected);
    // Five bytes, trampoline above the target: the jump back is backwards.
    EXPECT_EQ(trampolineCode(std::vector<BYTE>(5, 0x90), 0x00A3F0C8, 0x00401000),
              (std::vector<BYTE>{0x90, 0x90, 0x90, 0x90, 0x90, 0xE9, 0x33, 0x1F, 0x9C, 0xFF}));
}

#if defined(__i386__)
// On the 32-bit target the installed code is exactly: the jump to the
// replacement at the target, and the trampoline of the moved bytes.
TEST_F(HookEngineTest, InstalledBytesAreTheJumpAndTheTrampoline) {
    UINT_PTR target = exportOf("user32.dll", "GetClientRect");
    ASSERT_EQ(getClientRectHook.hook("user32.dll", "GetClientRect", addressOf(recordingGetClientRect), 7, true), 1);
    auto jump = relativeJump(target, reinterpret_cast<UINT_PTR>(addressOf(recordingGetClientRect)));
    EXPECT_EQ(bytesAt(target, jumpSize), std::vector<BYTE>(jump.begin(), jump.end()));
    auto trampoline = reinterpret_cast<UINT_PTR>(getClientRectHook.trampolineAddress());
    EXPECT_EQ(bytesAt(trampoline, 12), trampolineCode(sevenNops, trampoline, target));
    EXPECT_EQ(GlobalSize(getClientRectHook.trampolineAddress()), trampolineSize);
}
#endif

TEST_F(HookEngineTest, AHookOnCreateWindowExADoesNotCatchCreateWindowExW) {
    ASSERT_EQ(createWindowHook.hook("user32.dll", "CreateWindowExA", addressOf(recordingCreateWindowExA)), 1);
    const WCHAR className[] = u"Edit";
    HWND wide = CreateWindowExW(0, className, u"", WS_CHILD, 0, 0, 10, 10, ide->mainWindow(), nullptr, nullptr,
                                nullptr);
    EXPECT_NE(wide, nullptr);
    EXPECT_TRUE(creations.empty());
    HWND narrow = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 10, 10, ide->mainWindow(), nullptr, nullptr, nullptr);
    ASSERT_EQ(creations.size(), 1u);
    EXPECT_EQ(creations[0].result, narrow);
}

namespace {

#define PASS_ON(hook, Result, Function, parameters, arguments)                                      \
    Result WINAPI hook##PassedOn parameters {                                                       \
        return reinterpret_cast<decltype(&Function)>(apiHooks->hook.trampolineAddress()) arguments; \
    }
PASS_ON(getClientRect, BOOL, GetClientRect, (HWND w, LPRECT r), (w, r))
PASS_ON(sendMessageA, LRESULT, SendMessageA, (HWND w, UINT m, WPARAM wp, LPARAM lp), (w, m, wp, lp))
PASS_ON(loadBitmapA, HBITMAP, LoadBitmapA, (HINSTANCE i, LPCSTR n), (i, n))
PASS_ON(setBkColor, COLORREF, SetBkColor, (HDC dc, COLORREF c), (dc, c))
PASS_ON(createWindowExA, HWND, CreateWindowExA,
        (DWORD e, LPCSTR c, LPCSTR n, DWORD s, int x, int y, int w, int h, HWND p, HMENU m, HINSTANCE i, LPVOID v),
        (e, c, n, s, x, y, w, h, p, m, i, v))
PASS_ON(createWindowExW, HWND, CreateWindowExW,
        (DWORD e, LPCWSTR c, LPCWSTR n, DWORD s, int x, int y, int w, int h, HWND p, HMENU m, HINSTANCE i, LPVOID v),
        (e, c, n, s, x, y, w, h, p, m, i, v))
PASS_ON(setTextColor, COLORREF, SetTextColor, (HDC dc, COLORREF c), (dc, c))
PASS_ON(getSysColor, DWORD, GetSysColor, (int i), (i))
PASS_ON(createProcessA, BOOL, CreateProcessA,
        (LPCSTR a, LPSTR c, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta, BOOL h, DWORD f, LPVOID e, LPCSTR d,
         LPSTARTUPINFOA si, LPPROCESS_INFORMATION pi),
        (a, c, pa, ta, h, f, e, d, si, pi))
PASS_ON(waitForDebugEvent, BOOL, WaitForDebugEvent, (LPDEBUG_EVENT e, DWORD t), (e, t))
PASS_ON(debugActiveProcessStop, BOOL, DebugActiveProcessStop, (DWORD p), (p))
PASS_ON(textOutA, BOOL, TextOutA, (HDC dc, int x, int y, LPCSTR t, int n), (dc, x, y, t, n))
#undef PASS_ON

struct PluginHook {
    ApiHook ApiHooks::*hook;
    const char* module;
    const char* function;
    const void* replacement;
    size_t byteCount;
};

const PluginHook pluginHooks[] = {
    {&ApiHooks::getClientRect, "user32.dll", "GetClientRect", addressOf(getClientRectPassedOn), 7},
    {&ApiHooks::sendMessageA, "user32.dll", "SendMessageA", addressOf(sendMessageAPassedOn), 5},
    {&ApiHooks::loadBitmapA, "user32.dll", "LoadBitmapA", addressOf(loadBitmapAPassedOn), 5},
    {&ApiHooks::setBkColor, "gdi32.dll", "SetBkColor", addressOf(setBkColorPassedOn), 5},
    {&ApiHooks::createWindowExA, "user32.dll", "CreateWindowExA", addressOf(createWindowExAPassedOn), 5},
    {&ApiHooks::createWindowExW, "user32.dll", "CreateWindowExW", addressOf(createWindowExWPassedOn), 5},
    {&ApiHooks::setTextColor, "gdi32.dll", "SetTextColor", addressOf(setTextColorPassedOn), 5},
    {&ApiHooks::getSysColor, "user32.dll", "GetSysColor", addressOf(getSysColorPassedOn), 5},
    {&ApiHooks::createProcessA, "kernel32.dll", "CreateProcessA", addressOf(createProcessAPassedOn), 5},
    {&ApiHooks::waitForDebugEvent, "kernel32.dll", "WaitForDebugEvent", addressOf(waitForDebugEventPassedOn), 5},
    {&ApiHooks::debugActiveProcessStop, "kernel32.dll", "DebugActiveProcessStop",
     addressOf(debugActiveProcessStopPassedOn), 5},
    {&ApiHooks::textOutA, "gdi32.dll", "TextOutA", addressOf(textOutAPassedOn), 5},
};

}  // namespace

// Through this program's own copy of the plug-in: the shell started and the
// twelve hooks installed.
TEST_F(HookEngineTest, ClosingRemovesEightHooksInOrderAndUnloadingTheRest) {
    onProcessAttach();
    ASSERT_EQ(startShell(reinterpret_cast<INT_PTR>(&SimIde::hostNotification)), 1);
    ASSERT_TRUE(XC_IsHWINDOW(ShellFrame));
    std::map<INT_PTR, std::string> functionAt;
    for (const PluginHook& h : pluginHooks) {
        ASSERT_EQ((apiHooks->*h.hook).hook(h.module, h.function, h.replacement, h.byteCount, h.byteCount != 5), 1)
            << h.function;
        functionAt[INT_PTR(exportOf(h.module, h.function))] = h.function;
    }

    clearJournal();
    EXPECT_EQ(restoreHost(), 0);
    std::vector<std::string> restored;
    for (const JournalRecord& record : journalRecords())
        if (record.call == "VirtualProtect" && functionAt.count(record.argument))
            restored.push_back(functionAt[record.argument]);
    EXPECT_EQ(restored, (std::vector<std::string>{"GetClientRect", "SendMessageA", "LoadBitmapA", "SetBkColor",
                                                  "CreateWindowExA", "TextOutA", "SetTextColor", "GetSysColor"}));
    for (const PluginHook& h : pluginHooks) {
        SCOPED_TRACE(h.function);
        bool stays = std::find(restored.begin(), restored.end(), h.function) == restored.end();
        EXPECT_EQ((apiHooks->*h.hook).installed(), stays);
        EXPECT_EQ(bytesAt(exportOf(h.module, h.function), 1), std::vector<BYTE>{BYTE(stays ? 0xE9 : 0x90)});
    }

    EXPECT_TRUE(waitForThreads(2500));  // the watcher ends before the closing flag is cleared below
    onProcessDetach();
    for (const PluginHook& h : pluginHooks)
        EXPECT_EQ(bytesAt(exportOf(h.module, h.function), h.byteCount), std::vector<BYTE>(h.byteCount, 0x90))
            << h.function;
    ShellFrame = nullptr;
    hostClosing = 0;
}
