#include "main_frame.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

#include "commands/tool_bar.h"
#include "debug/disassembly_view.h"
#include "debug/trace_log.h"
#include "host/host_functions.h"
#include "host/lifecycle.h"
#include "host/shell_handles.h"
#include "host/toolkit_text.h"
#include "panes/host_text.h"
#include "theme.h"

FrameParts frameParts{};
HELE framePanes[framePaneCount]{};
const char* const framePaneCaptions[framePaneCount] = {
    "易支持库", "项目结构", "组件属性", "模块管理", "文件视图",  "系统组件",   "帮助提示",
    "调试输出", "断点栈堆", "变量监视", "搜寻结果1", "搜寻结果2", "反汇编显示",
};

namespace {

constexpr const char* propertyPaneCaption = "组件属性";

HWND hostMainWindow() { return hostFunctions.host0503->mainWindow(); }

HELE loadLayout(const char* file, HXCGUI parent) {
    return static_cast<HELE>(XC_LoadLayout(toToolkitText(std::string(ThemeSet::directory) + file).c_str(), parent));
}

void sendCloseToHost() { SendMessageA(hostMainWindow(), WM_CLOSE, 0, 0); }

// The host decides about closing; the frame closes when the host says it closes.
int CALLBACK onFrameClose(HWINDOW, BOOL* handled) {
    sendCloseToHost();
    *handled = TRUE;
    return 0;
}

int CALLBACK onCloseButton(BOOL*) {
    sendCloseToHost();
    return 0;
}

int CALLBACK onDockingChanged(HWINDOW, BOOL*) {
    styleTabLabels();
    return 0;
}

int CALLBACK onCodeViewSize(int, BOOL*) {
    refitCodeView();
    return 0;
}

int CALLBACK onProjectNameClick(BOOL*) { return revealSourceFileInExplorer(); }

int CALLBACK onFloatingPaneClose(HWINDOW window, BOOL*) {
    traceLine("窗格句柄:" + std::to_string(XWnd_GetChildCount(window)));
    return 0;
}

// Places the property form again after it moved.
void replacePropertyForm() {
    HELE layout = elementNamed("CtrlProLayout");
    XEle_SendEvent(layout, layout, XE_SIZE, 0, 0);
}

int CALLBACK onFloatingPropertyPaneClose(HWINDOW, BOOL*) {
    if (PropertyHostForm) {
        SetParent(PropertyHostForm, XWnd_GetHWND(ShellFrame));
        replacePropertyForm();
        XEle_Redraw(paneByCaption(propertyPaneCaption), TRUE);
    }
    return 0;
}

int CALLBACK onPaneFloated(HWINDOW, HWINDOW floating, HELE pane, BOOL*) {
    styleFloatingPane(floating, pane);
    if (fromToolkitText(XPane_GetTitle(pane)) != propertyPaneCaption) {
        XWnd_RegEventC1(floating, XWM_CLOSE, reinterpret_cast<void*>(&onFloatingPaneClose));
    } else if (PropertyHostForm) {
        SetParent(PropertyHostForm, XWnd_GetHWND(floating));
        replacePropertyForm();
        XWnd_RegEventC1(floating, XWM_CLOSE, reinterpret_cast<void*>(&onFloatingPropertyPaneClose));
    }
    return 0;
}

void buildPanes() {
    struct Size {
        int width, height;
    };
    const Size sizes[framePaneCount] = {{320, 260}, {320, 260}, {320, 260}, {320, 260}, {320, 260},
                                        {260, 260}, {260, 320}, {260, 320}, {260, 320}, {260, 320},
                                        {260, 320}, {260, 320}, {260, 320}};
    for (int i = 0; i < framePaneCount; ++i)
        framePanes[i] = XPane_Create(toToolkitText(framePaneCaptions[i]).c_str(), sizes[i].width, sizes[i].height,
                                     ShellFrame);
    XFrameWnd_AddPane(ShellFrame, nullptr, framePanes[0], XC_PANE_ALIGN_LEFT);
    for (int i = 1; i <= 4; ++i) XFrameWnd_MergePane(ShellFrame, framePanes[0], framePanes[i]);
    XFrameWnd_AddPane(ShellFrame, nullptr, framePanes[5], XC_PANE_ALIGN_RIGHT);
    XFrameWnd_AddPane(ShellFrame, nullptr, framePanes[6], XC_PANE_ALIGN_BOTTOM);
    for (int i = 7; i < framePaneCount; ++i) XFrameWnd_MergePane(ShellFrame, framePanes[6], framePanes[i]);
    XPane_HidePane(framePanes[5]);
    for (HELE pane : framePanes) {
        XEle_SetTextColor(pane, paneTextColour, 255);
        XEle_RegEventC1(pane, XE_PANE_CAPTION_ON, reinterpret_cast<void*>(&onPaneCaptionActive));
        XEle_RegEventC1(pane, XE_PANE_CAPTION_OFF, reinterpret_cast<void*>(&onPaneCaptionInactive));
    }
}

std::vector<std::string> splitAtDashes(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(" - ", start)) != std::string::npos; start = at + 3)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

void removeAll(std::string& text, const std::string& part) {
    for (size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
}

}  // namespace

HELE paneByCaption(const std::string& caption) {
    for (int i = 0; i < framePaneCount; ++i)
        if (caption == framePaneCaptions[i]) return framePanes[i];
    return nullptr;
}

void buildFrame() {
    RECT host{};
    GetWindowRect(hostMainWindow(), &host);
    ShellFrame = XFrameWnd_CreateEx(0, 0, toToolkitText("Tarvolin").c_str(), 0, 0, host.right - host.left,
                                    host.bottom - host.top, toToolkitText("易语言 - Tarvolin IDE").c_str(), nullptr, 47);
    XWnd_SetMinimumSize(ShellFrame, 600, 600);
    XWnd_SetTransparentType(ShellFrame, 2);
    XWnd_SetTransparentAlpha(ShellFrame, 255);
    XWnd_SetLayoutSize(ShellFrame, 7, 97, 7, 32);

    frameParts.top = loadLayout("LayoutWindowTop2.xml", ShellFrame);
    XWnd_BindLayoutEle(ShellFrame, XC_BIND_TOP, frameParts.top);
    frameParts.left = loadLayout("LayoutWindowLeft.xml", ShellFrame);
    XWnd_BindLayoutEle(ShellFrame, XC_BIND_LEFT, frameParts.left);
    frameParts.right = loadLayout("LayoutWindowRight.xml", ShellFrame);
    XWnd_BindLayoutEle(ShellFrame, XC_BIND_RIGHT, frameParts.right);
    frameParts.bottom = loadLayout("LayoutWindowBottom.xml", ShellFrame);
    XWnd_BindLayoutEle(ShellFrame, XC_BIND_BOTTOM, frameParts.bottom);
    XFrameWnd_SetView(ShellFrame, loadLayout("ViewMainLayout.xml", ShellFrame));
    frameParts.codeView = elementNamed("eCodeView");
    frameParts.codeMainView = elementNamed("codeMainView");

    setFrameBorders(0);
    buildPanes();
    XFrameWnd_SetPaneSplitBarColor(ShellFrame, XRes_GetColor(toToolkitText("ID_COLOR_WinBg").c_str()), 255);
    stylePanes();
    styleTabLabels();
    buildToolBars();

    XWnd_AdjustLayout(ShellFrame);
    XWnd_ShowWindow(ShellFrame, SW_SHOW);
    XWnd_RegEventC1(ShellFrame, XWM_CLOSE, reinterpret_cast<void*>(&onFrameClose));
    XWnd_RegEventC1(ShellFrame, XWM_FLOAT_PANE, reinterpret_cast<void*>(&onPaneFloated));
    XWnd_RegEventC1(ShellFrame, XWM_DOCK_CHANGED, reinterpret_cast<void*>(&onDockingChanged));
    XEle_RegEventC(elementNamed("winClose"), XE_BUTTON_CLICK, reinterpret_cast<void*>(&onCloseButton));
    XEle_RegEventC(frameParts.codeView, XE_SIZE, reinterpret_cast<void*>(&onCodeViewSize));
    XEle_RegEventC(elementNamed("proJectNameBtn"), XE_BUTTON_CLICK, reinterpret_cast<void*>(&onProjectNameClick));
}

void refitCodeView() {
    if (!XC_IsHELE(frameParts.codeView) || !XC_IsHWINDOW(ShellFrame)) return;
    RECT place{};
    XEle_GetWndClientRect(frameParts.codeView, &place);
    MoveWindow(hostMainWindow(), place.left, place.top, XEle_GetWidth(frameParts.codeView),
               XEle_GetHeight(frameParts.codeView), TRUE);
}

void updateProjectName(int closed) {
    HELE button = elementNamed("proJectNameBtn");
    if (!XC_IsHXCGUI(button, XC_BUTTON) || hostClosing) return;
    std::string text, tooltip;
    if (closed) {
        text = "Tarvolin IDE";
        tooltip = "未保存当前项目";
    } else {
        std::vector<std::string> parts = splitAtDashes(readHostControlText(hostMainWindow()));
        std::string windowText = parts.size() >= 3 ? parts[parts.size() - 2] : std::string();
        removeAll(windowText, "Windows");
        std::string path = currentSourceFilePath();
        std::string name = path.empty() ? std::string() : projectFileStem(path);
        if (name.empty()) name = "项目未保存";
        text = name + " - " + windowText;
        tooltip = text + "\r\n" + path;
    }
    XBtn_SetText(button, toToolkitText(text).c_str());
    XEle_SetToolTip(button, toToolkitText(tooltip).c_str());
    XEle_Redraw(button, TRUE);
}

std::string projectFileStem(const std::string& path) {
    std::string name = PathFindFileNameA(path.c_str());
    if (!name.empty() && name.back() == '\\') return {};
    return name.substr(0, name.size() - std::strlen(PathFindExtensionA(name.c_str())));
}
