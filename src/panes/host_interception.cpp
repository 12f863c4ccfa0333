#include "host_interception.h"

#include <commctrl.h>

#include <string>

#include "commands/tool_bar.h"
#include "debug/trace_log.h"
#include "editor/code_page_tabs.h"
#include "host/hook_engine.h"
#include "host/host_functions.h"
#include "host/ide_window_map.h"
#include "host/shell_handles.h"
#include "host/toolkit_text.h"
#include "host_overrides.h"
#include "host_text.h"
#include "shell/main_frame.h"

KeyedTable pageProcs;
KeyedTable componentButtonProcs;
KeyedTable scrollBarProcs;

namespace {

WNDPROC previousMainWindowProc = nullptr;

// One row of the hook table: which hook, where, by what, and how many bytes move.
struct HookRow {
    ApiHook ApiHooks::*hook;
    const char* module;
    const char* function;
    const void* replacement;
    size_t byteCount;
};

const HookRow hookTable[] = {
    {&ApiHooks::getClientRect, "user32.dll", "GetClientRect", reinterpret_cast<const void*>(&hookedGetClientRect), 7},
    {&ApiHooks::sendMessageA, "user32.dll", "SendMessageA", reinterpret_cast<const void*>(&HostMessageDispatcher), 5},
    {&ApiHooks::setBkColor, "gdi32.dll", "SetBkColor", reinterpret_cast<const void*>(&hookedSetBkColor), 5},
    {&ApiHooks::createWindowExA, "user32.dll", "CreateWindowExA", reinterpret_cast<const void*>(&hookedCreateWindowExA),
     5},
    {&ApiHooks::createWindowExW, "user32.dll", "CreateWindowExW", reinterpret_cast<const void*>(&hookedCreateWindowExW),
     5},
    {&ApiHooks::setTextColor, "gdi32.dll", "SetTextColor", reinterpret_cast<const void*>(&hookedSetTextColor), 5},
    {&ApiHooks::getSysColor, "user32.dll", "GetSysColor", reinterpret_cast<const void*>(&hookedGetSysColor), 5},
};

struct HostCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

LRESULT passOn(const HostCall& c) { return realSendMessage(c.window, c.message, c.wParam, c.lParam); }

// Rules 1 and 2: the toolkit combo box takes the host combo's text and items.
void refreshNavigationCombo(const char* name, HWND host, bool mainCombo) {
    HELE combo = elementNamed(name);
    if (!XC_IsHXCGUI(combo, XC_COMBOBOX)) return;
    std::string text = readHostControlText(host);
    XEdit_SetText(combo, toToolkitText(text).c_str());
    if (mainCombo) {
        HELE components = paneByCaption("系统组件");
        if (text.find('*') != std::string::npos) {
            XPane_ShowPane(components);
            XEle_AdjustLayout(components);
        } else {
            XPane_HidePane(components);
        }
    }
    if (!XComboBox_GetAdapter(combo)) XComboBox_CreateAdapter(combo);
    XComboBox_DeleteItemAll(combo);
    LRESULT count = SendMessageA(host, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(host, CB_GETLBTEXTLEN, WPARAM(i), 0);
        if (length < 0) continue;
        std::string item(size_t(length) + 1, '\0');
        SendMessageA(host, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(item.data()));
        XComboBox_AddItemText(combo, toToolkitText(item.c_str()).c_str());
    }
    XEle_Redraw(combo, TRUE);
}

bool mainNavigationSelected(const HostCall& c, LRESULT& result) {
    result = passOn(c);
    refreshNavigationCombo("navMainComboBox", c.window, true);
    return true;
}

bool secondNavigationSelected(const HostCall& c, LRESULT& result) {
    result = passOn(c);
    refreshNavigationCombo("navVoidComboBox", c.window, false);
    return true;
}

// Rule 6: the host's completion popup gets dark colours and a filter bar.
bool isCompletionTree(HWND window) {
    char cls[32] = "", title[8] = "x";
    if (GetDlgCtrlID(window) != 1109 || !GetClassNameA(window, cls, sizeof cls) || std::string(cls) != "SysTreeView32")
        return false;
    HWND dialog = GetParent(window);
    GetClassNameA(dialog, cls, sizeof cls);
    GetWindowTextA(dialog, title, sizeof title);
    return std::string(cls) == "#32770" && title[0] == 0;
}

const char* const filterBarLook =
    "{99:1.9.9;5:2(15)20(1)21(3)26(0)22(-14277339)23(255)10(1)7(1)11(3)16(0)12(-13619923)13(255);5:2(11)3(0,1,1,1)20("
    "1)21(3)26(0)22(-14277339)23(255);98:16(0,1);}";
const char* const filterButtonLook =
    "{99:1.9.9;5:2(15)20(1)21(3)26(0)22(-14277339)23(255);5:2(15)20(1)21(3)26(0)22(-3376640)23(255);5:2(15)20(1)21(3)"
    "26(0)22(-26317)23(255);98:16(0)32(1)64(2);}";
const char* const filterIcons[] = {"allmet.png",       "Method_left_16x.png", "Class2_16x.png",
                                   "LocalVariable2_16x.png", "Interface_16x.png", "Constant_16x.png",
                                   "ValueType_left_16x.png", "WindowsForm2_16x.png"};

void restyleCompletionPopup(HWND tree) {
    HWND dialog = GetParent(tree);
    SendMessageA(tree, TVM_SETBKCOLOR, 0, LPARAM(RGB(37, 37, 38)));
    SendMessageA(tree, TVM_SETTEXTCOLOR, 0, LPARAM(RGB(240, 240, 240)));
    MoveWindow(tree, 0, 0, 492 + GetSystemMetrics(SM_CXVSCROLL) + 4, 221 - 30, TRUE);
    SetWindowLongA(dialog, GWL_EXSTYLE, GetWindowLongA(dialog, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(dialog, 0, 0, LWA_COLORKEY);

    const ToolkitText none = toToolkitText("");
    HWINDOW bar = XWnd_CreateEx(0, WS_CHILD | WS_VISIBLE, none.c_str(), 0, 191, 492, 30, none.c_str(), dialog, 0);
    HELE layout = XLayout_Create(0, 191, 0, 30, bar);
    XEle_SetLayoutWidth(layout, XC_LAYOUT_SIZE_FILL, 0);
    XEle_SetLayoutHeight(layout, XC_LAYOUT_SIZE_FILL, 0);
    XBkM_SetBkInfo(XEle_GetBkManager(layout), toToolkitText(filterBarLook).c_str());
    XLayout_SetSpace(layout, 4);
    XLayout_SetPadding(layout, 4, 0, 0, 0);
    XLayout_SetAlignV(layout, 4);
    for (const char* icon : filterIcons) {
        HELE button = XBtn_Create(0, 0, 24, 24, none.c_str(), layout);
        XBkM_SetBkInfo(XEle_GetBkManager(button), toToolkitText(filterButtonLook).c_str());
        XBtn_SetIcon(button, XRes_GetImage(toToolkitText(icon).c_str()));
    }
    XWnd_AdjustLayout(bar);
    XWnd_ShowWindow(bar, SW_SHOW);

    RECT place;
    GetWindowRect(dialog, &place);
    MoveWindow(dialog, place.left, place.top, 492, 221, TRUE);
    SetClassLongA(dialog, GCL_STYLE, LONG(GetClassLongA(dialog, GCL_STYLE) | CS_DROPSHADOW));
}

bool completionTreeGetsImages(const HostCall& c, LRESULT&) {
    if (isCompletionTree(c.window)) restyleCompletionPopup(c.window);
    return false;
}

// Rule 7: selecting an output tab brings the matching pane to the front.
bool outputTabSelected(const HostCall& c, LRESULT&) {
    char text[260] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(c.window, TCM_GETITEMA, c.wParam, reinterpret_cast<LPARAM>(&item));
    const std::pair<const char*, const char*> panes[] = {{"输出", "调试输出"}, {"搜寻1", "搜寻结果1"}, {"搜寻2", "搜寻结果2"}};
    for (auto& [tab, pane] : panes)
        if (std::string(text) == tab) showPaneByCaption(pane);
    return false;
}

// A rule: the messages it acts on, the host window it watches (none: any),
// and what it does; `act` returns true when the dispatch ends with `result`.
struct Rule {
    UINT messages[4];
    HWND (*window)();
    bool (*act)(const HostCall& call, LRESULT& result);
};

const Rule rules[] = {
    /* 1 */ {{CB_SETCURSEL}, [] { return ideWindows->navCombo629(); }, mainNavigationSelected},
    /* 2 */ {{CB_SETCURSEL}, [] { return ideWindows->navCombo630(); }, secondNavigationSelected},
    /* 6 */ {{TVM_SETIMAGELIST}, nullptr, completionTreeGetsImages},
    /* 7 */ {{TCM_SETCURSEL}, [] { return GetParent(ideWindows->outputEdit()); }, outputTabSelected},
};

// Whether any rule acts on this message: the test every other call costs.
bool isWatchedMessage(UINT message) {
    switch (message) {
        case CB_SETCURSEL:
        case TVM_SETIMAGELIST:
        case TCM_SETCURSEL: return true;
        default: return false;
    }
}

bool handles(const Rule& rule, UINT message) {
    for (UINT m : rule.messages)
        if (m == message) return true;
    return false;
}

}  // namespace

LRESULT realSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto real = reinterpret_cast<decltype(&SendMessageA)>(apiHooks->sendMessageA.trampolineAddress());
    return real ? real(window, message, wParam, lParam) : SendMessageA(window, message, wParam, lParam);
}

LRESULT WINAPI HostMessageDispatcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HostCall call{window, message, wParam, lParam};
    if (!isWatchedMessage(message)) return passOn(call);
    for (const Rule& rule : rules) {
        if (!handles(rule, message) || (rule.window && window != rule.window())) continue;
        LRESULT result = 0;
        if (rule.act(call, result)) return result;
    }
    return passOn(call);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSKEYDOWN: traceLine("WM_SYSKEYDOWN"); break;
        case WM_NOTIFY: {
            if (!lParam) break;
            NMHDR header = *reinterpret_cast<const NMHDR*>(lParam);
            traceLine("WM_NOTIFY： idFrom " + std::to_string(LONG(header.idFrom)) + " code " +
                      std::to_string(LONG(header.code)) + " hwndFrom " +
                      std::to_string(LONG(reinterpret_cast<INT_PTR>(header.hwndFrom))));
            break;
        }
        case WM_PAINT:
        case refitCodeViewMessage: refitCodeView(); break;
        case WM_COMMAND:
            traceLine(" 菜单选择： wParam " + std::to_string(LONG(wParam)) + " lParam " + std::to_string(LONG(lParam)));
            break;
        case WM_EXITSIZEMOVE:
            if (XC_IsHELE(frameParts.codeMainView)) {
                traceLine("XEle_IsBkTransparent");
                if (!XEle_IsBkTransparent(frameParts.codeMainView)) {
                    XEle_EnableBkTransparent(frameParts.codeMainView, TRUE);
                    XEle_Redraw(frameParts.codeMainView, TRUE);
                }
            }
            break;
    }
    return CallWindowProcA(previousMainWindowProc, window, message, wParam, lParam);
}

void installHostInterception() {
    pageProcs.create();
    componentButtonProcs.create();
    scrollBarProcs.create();
    HWND main = hostFunctions.host0503->mainWindow();
    previousMainWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindowProc)));
    for (const HookRow& row : hookTable)
        (apiHooks->*row.hook).hook(row.module, row.function, row.replacement, row.byteCount, row.byteCount != 5);
}
