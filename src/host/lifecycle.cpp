#include "lifecycle.h"

#include <string>
#include <vector>

#include "../commands/tool_bar.h"
#include "../debug/disassembly_commands.h"
#include "../debug/trace_log.h"
#include "../panes/host_interception.h"
#include "../panes/host_text.h"
#include "../shell/main_frame.h"
#include "carried_files.h"
#include "hook_engine.h"
#include "host_functions.h"
#include "host_services.h"
#include "ide_window_map.h"
#include "library_descriptor.h"
#include "shell_handles.h"
#include "toolkit_text.h"

std::atomic<LONG> hostClosing{0};
HFONTX defaultFont = nullptr;

namespace {

// The builders of the shell, in the order they run.
const std::vector<void (*)()> shellBuilders = {
    buildFrame,
    installHostInterception,
};

// Only the watcher thread touches it.
std::string lastProjectPath;

INT_PTR CALLBACK updateProjectNameOnUi(INT_PTR closed) {
    updateProjectName(int(closed));
    return 0;
}

void pumpOwnMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Keeps the project-name button in step with the project open in the host,
// looking at the host's title once a second until the host closes.
DWORD WINAPI ProjectWatcher(LPVOID) {
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    while (hostClosing == 0) {
        std::string path = currentSourceFilePath();
        if (path != lastProjectPath) {
            lastProjectPath = path;
            XC_CallUiThread(updateProjectNameOnUi, path.empty() ? 1 : 0);
        }
        LARGE_INTEGER due;
        due.QuadPart = -10000000LL;  // one second
        SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
        while (MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) pumpOwnMessages();
        pumpOwnMessages();
    }
    CloseHandle(timer);
    lastProjectPath.clear();
    return 0;
}

HWND hostMainWindow() { return hostFunctions.host0503->mainWindow(); }

void showDockBars(int command) {
    ShowWindow(ideWindows->topDockBar(), command);
    ShowWindow(ideWindows->leftDockBar(), command);
    ShowWindow(ideWindows->bottomDockBar(), command);
    ShowWindow(ideWindows->rightDockBar(), command);
}

void clearStyleBits(HWND window, LONG bits) {
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) & ~bits);
}

}  // namespace

void onProcessAttach() {
    createLibraryDescriptor({HostNotifyHandler, disassembleWithOlly, disassembleWithBeaEngine});
    ideWindows = new IdeWindowMap;
    hostFunctions = {new HostFunctions0503, new HostFunctions0202, new HostFunctions0402, new HostFunctions0301,
                     new HostFunctions0502, new HostFunctions0501, new HostFunctions0101};
    apiHooks = new ApiHooks;
    if (writeCarriedFileWhenMissing("XCGUI.dll", carriedToolkitDll)) Sleep(10);
}

void onProcessDetach() {
    delete apiHooks;  // removes the hooks still installed while their replacements are still here
    apiHooks = nullptr;
    delete ideWindows;
    ideWindows = nullptr;
    delete hostFunctions.host0503;
    delete hostFunctions.host0202;
    delete hostFunctions.host0402;
    delete hostFunctions.host0301;
    delete hostFunctions.host0502;
    delete hostFunctions.host0501;
    delete hostFunctions.host0101;
    hostFunctions = {};
    releaseLibraryDescriptor();
}

INT_PTR WINAPI HostNotifyHandler(INT code, INT_PTR first, INT_PTR second) {
    switch (code) {
        case 1: return startShell(first);
        case 6:
        case 17: return restoreHost();
        case 19:
            traceLine("弹出菜单 : " + std::to_string(LONG(first)) + "," + std::to_string(LONG(second)));
            return 0;
        default: return 0;
    }
}

INT_PTR startShell(INT_PTR hostNotifyFunction) {
    hostNotify = reinterpret_cast<HostNotifyFunction>(hostNotifyFunction);
    callHost(1, 0, 0);
    ideWindows->setMainWindow(hostMainWindow());
    showDockBars(SW_HIDE);

    if (XC_IsHWINDOW(ShellFrame)) return 1;
    HWND main = hostMainWindow();
    if (reinterpret_cast<INT_PTR>(main) <= 0) return 1;

    writeCarriedFileWhenMissing(executableDirectory() + "\\olly.dll", carriedOllyDll);
    clearStyleBits(main, 0x00C00000);
    clearStyleBits(main, 0x00040000);

    const WCHAR noText[1] = {0};
    XInitXCGUI(noText);
    defaultFont = XFont_Create2(toToolkitText("微软雅黑").c_str(), 9, 0);
    XC_SetDefaultFont(defaultFont);
    XC_LoadResource(toToolkitText("lib\\Tarvolin\\Dark\\resource.res").c_str());
    XC_LoadStyle(toToolkitText("lib\\Tarvolin\\Dark\\style.css").c_str());

    for (auto build : shellBuilders) build();
    showPaneByCaption("易支持库");
    showPaneByCaption("帮助提示");

    SetWindowLongA(main, GWL_EXSTYLE, GetWindowLongA(main, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(main, 0, 0, LWA_COLORKEY);  // pure black shows the frame through
    SetParent(main, XWnd_GetHWND(ShellFrame));
    CloseHandle(CreateThread(nullptr, 0, ProjectWatcher, nullptr, 0, nullptr));
    return 1;
}

INT_PTR restoreHost() {
    hostClosing = 1;
    HWND main = hostMainWindow();
    if (!XC_IsHWINDOW(ShellFrame) || reinterpret_cast<INT_PTR>(main) <= 0) return 0;

    // The hooks of CreateWindowExW and of the three debugging functions stay.
    for (ApiHook* hook : {&apiHooks->getClientRect, &apiHooks->sendMessageA, &apiHooks->loadBitmapA,
                          &apiHooks->setBkColor, &apiHooks->createWindowExA, &apiHooks->textOutA,
                          &apiHooks->setTextColor, &apiHooks->getSysColor})
        hook->unhook();

    HWND frameWindow = XWnd_GetHWND(ShellFrame);
    if (GetAncestor(main, GA_PARENT) == frameWindow) {
        RECT rect;
        GetWindowRect(main, &rect);
        SetParent(main, nullptr);
        MoveWindow(main, 0, 0, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
    XWnd_CloseWindow(ShellFrame);
    SetWindowLongA(main, GWL_STYLE, LONG(0x14CF8000));
    showDockBars(SW_SHOW);
    UpdateWindow(main);
    XExitXCGUI();
    return 0;
}
