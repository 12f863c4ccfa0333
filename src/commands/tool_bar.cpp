#include "tool_bar.h"

#include "host/host_functions.h"
#include "host/host_services.h"
#include "host/shell_handles.h"
#include "host/toolkit_text.h"
#include "linker_switcher.h"
#include "shell/main_frame.h"
#include "shell/theme.h"

LONG blackMoonCompilePending = 0;

namespace {

const char* const buttonLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_ToolBtnHov);5:2(15)20(1)21("
    "5)26(0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg)10(1)7(1)11(5)16(0)15(@ID_COLOR_LibTreeSelect);"
    "98:272(0)288(1)320(2)128(3);}";
const char* const separatorLook =
    "{99:1.9.9;5:2(11)3(0,0,1,0)20(1)21(3)26(0)22(-14540254)23(255);5:2(11)3(1,0,1,0)20(1)21(3)26(0)22(-11909562)23("
    "255);98:16(0,1);}";

struct ToolButton {
    const char* text;  // tooltip and command key; "|" for a separator
    const char* icon;
};

const ToolButton firstGroup[] = {
    {"跳回前跳转处", "Backward_16x.png"},    {"跳到调用命令处", "Forward_16x.png"}, {"|", "|"},
    {"新建", "NewFileCollection_16x.png"},    {"打开(Ctrl+O)", "OpenFolder_16x.png"},
    {"保存(Ctrl+S)", "SaveStatusBar1_16x.png"}, {"|", "|"},
    {"剪切(Ctrl+X)", "Cut_16x.png"},          {"复制(Ctrl+C)", "Copy_16x.png"},      {"粘贴(Ctrl+V)", "Paste_16x.png"},
    {"撤销(Ctrl+Z)", "Undo_16x.png"},         {"重做", "Redo_16x.png"},              {"|", "|"},
};

const ToolButton secondGroup[] = {
    {"|", "|"},
    {"编译(F7)", "BuildSelection_16x.png"},
    {"静态编译(Shift+F7)", "BuildSolution_16x.png"},
    {"黑月静态编译", "BuildSolutionStatusBar6_16x.png"},
    {"|", "|"},
    {"整体搜寻", "SearchInFile_16x.png"},
    {"|", "|"},
    {"运行(F5)", "Run_16x.png"},
    {"停止运行(Ctrl+F5)", "Stop_16x.png"},
    {"设置断点(F9)", "ToggleAllBreakpoints_16x.png"},
    {"删除全部断点", "ClearBreakpointGroup_16x.png"},
    {"查看(Shift+F9)", "FileSystemWatcher_16x.png"},
    {"重新运行", "Restart_16x.png"},
    {"执行到光标处(Ctrl+F8)", "Next_16x.png"},
    {"单步(F8)", "StepOver_16x.png"},
    {"单步进入(Shift+F8)", "StepIn_16x.png"},
    {"跟踪返回(Ctrl+Shift+F8)", "StepOut_16x.png"},
    {"|", "|"},
    {"查看帮助提示(F1)", "ToolTip_16x.png"},
    {"|", "|"},
    {"设置书签(Ctrl+F6)", "Bookmark_16x.png"},
    {"到上一个书签", "PreviousBookmark_16x.png"},
    {"到下一个书签", "NextBookmark_16x.png"},
    {"跳转书签", "NextBookmarkFolder_16x.png"},
    {"|", "|"},
    {"程序配置", "Settings_16x.png"},
    {"系统设置", "Builder_16x.png"},
};

const ToolButton thirdGroup[] = {
    {"预览窗口设计", "RunTestDialog_16x.png"},
    {"|", "|"},
    {"左对齐", "AlignLeft_16x.png"},
    {"右对齐", "AlignRight_16x.png"},
    {"顶对齐", "AlignTop_16x.png"},
    {"底对齐", "AlignBottom_16x.png"},
    {"|", "|"},
    {"窗口水平居中", "TextCenterInFormHorizontal_16x.png"},
    {"窗口垂直居中", "CenterInFormVertical_16x.png"},
    {"|", "|"},
    {"组件水平居中", "DistributeHorizontalCenter_16x.png"},
    {"组件垂直居中", "DistributeVerticalCenter_16x.png"},
    {"水平平均分布", "SpaceAcross_16x.png"},
    {"垂直平均分布", "SpaceDown_16x.png"},
    {"|", "|"},
    {"使宽度相同", "AutosizeFixedWidth_16x.png"},
    {"使高度相同", "TextLineHeight_16x.png"},
    {"使高宽全等", "AutosizeOptimize_16x.png"},
};

// What a button does before its host function.
enum class Before { Nothing, ClearOutput, ClearOutputShowDebug, NormalBorder, Restart, HelpTip, BlackMoon };

struct Command {
    const char* key;
    Before before;
    DWORD hostFunction;  // 0: none
};

const Command commands[] = {
    {"跳到调用命令处", Before::Nothing, 16842799},
    {"跳回前跳转处", Before::Nothing, 16842819},
    {"新建", Before::Nothing, 50397185},
    {"打开", Before::Nothing, 50397186},
    {"保存", Before::Nothing, 50397188},
    {"剪切", Before::Nothing, 33685508},
    {"复制", Before::Nothing, 33751041},
    {"粘贴", Before::Nothing, 33685509},
    {"撤销", Before::Nothing, 33685554},
    {"重做", Before::Nothing, 33685555},
    {"编译", Before::ClearOutputShowDebug, 84017153},
    {"静态编译", Before::ClearOutputShowDebug, 84017159},
    {"整体搜寻", Before::Nothing, 67239980},
    {"运行", Before::ClearOutput, 84017154},
    {"停止运行", Before::NormalBorder, 84017155},
    {"设置断点", Before::Nothing, 83951622},
    {"删除全部断点", Before::Nothing, 83951623},
    {"查看", Before::Nothing, 83951621},
    {"重新运行", Before::Restart, 84017154},
    {"执行到光标处", Before::Nothing, 83951620},
    {"单步", Before::Nothing, 83951618},
    {"单步进入", Before::Nothing, 83951617},
    {"跟踪返回", Before::Nothing, 83951619},
    {"查看帮助提示", Before::HelpTip, 0},
    {"设置书签", Before::Nothing, 67239988},
    {"到上一个书签", Before::Nothing, 67239990},
    {"到下一个书签", Before::Nothing, 67239991},
    {"跳转书签", Before::Nothing, 67239989},
    {"程序配置", Before::Nothing, 33685593},
    {"系统设置", Before::Nothing, 67239952},
    {"左对齐", Before::Nothing, 33685597},
    {"右对齐", Before::Nothing, 33685599},
    {"顶对齐", Before::Nothing, 33685598},
    {"底对齐", Before::Nothing, 33685600},
    {"窗口水平居中", Before::Nothing, 33685583},
    {"窗口垂直居中", Before::Nothing, 33685584},
    {"组件水平居中", Before::Nothing, 33685601},
    {"组件垂直居中", Before::Nothing, 33685602},
    {"水平平均分布", Before::Nothing, 33685603},
    {"垂直平均分布", Before::Nothing, 33685604},
    {"使宽度相同", Before::Nothing, 33685605},
    {"使高度相同", Before::Nothing, 33685606},
    {"使高宽全等", Before::Nothing, 33685607},
    {"预览窗口设计", Before::Nothing, 67239950},
    {"黑月静态编译", Before::BlackMoon, 0},
};

template <size_t N>
void addGroup(ToolBarBuilder& builder, const ToolButton (&group)[N]) {
    for (const ToolButton& entry : group) {
        if (std::string(entry.text) == "|") {
            builder.addSeparator();
            continue;
        }
        std::string icon = std::string(ThemeSet::toolImages) + entry.icon;
        HIMAGE image = XImage_LoadFile(toToolkitText(icon).c_str(), FALSE);
        HELE button = builder.addButton(entry.text, image);
        XEle_RegEventC1(button, XE_BUTTON_CLICK, reinterpret_cast<void*>(&onToolButtonClick));
    }
}

// The help tip of the word at the caret: its text is fetched, then the
// host shows the tip at the position it reports.
void showHelpTip() {
    struct TipRequest {
        INT_PTR firstSelector, secondSelector, buffer, length;
    } request{-1, -1, 0, 0};
    callHostFunction(84082699, reinterpret_cast<INT_PTR>(&request), 0);
    std::string buffer;
    if (request.length > 0) {
        request.firstSelector = request.secondSelector = -1;
        buffer.assign(size_t(request.length), '\0');
        request.buffer = reinterpret_cast<INT_PTR>(buffer.data());
        callHostFunction(84082699, reinterpret_cast<INT_PTR>(&request), 0);
    }
    INT_PTR first = 0, second = 0;
    callHostFunction(84082696, reinterpret_cast<INT_PTR>(&first), 0);
    callHostFunction(84082697, reinterpret_cast<INT_PTR>(&second), 0);
    callHostFunction(16842818, first, second);
}

void processPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void run(const Command& command) {
    switch (command.before) {
        case Before::Nothing: break;
        case Before::ClearOutput: clearDebugOutput(); break;
        case Before::ClearOutputShowDebug:
            clearDebugOutput();
            showPaneByCaption("调试输出");
            break;
        case Before::NormalBorder: setFrameBorders(0); break;
        case Before::Restart:
            clearDebugOutput();
            callHostFunction(84017155, 0, 0);
            processPendingMessages();
            break;
        case Before::HelpTip: showHelpTip(); return;
        case Before::BlackMoon: startBlackMoonCompile(); return;
    }
    callHostFunction(command.hostFunction, 0, 0);
}

}  // namespace

int ToolBarBuilder::attach(HELE element) {
    if (!XC_IsHXCGUI(element, XC_TOOLBAR)) return 0;
    toolBar_ = element;
    return 1;
}

HELE ToolBarBuilder::addButton(const std::string& text, HIMAGE image) {
    HELE button = XBtn_Create(0, 0, 20, 20, toToolkitText("").c_str(), nullptr);
    XBtn_SetIcon(button, image);
    XEle_SetToolTip(button, toToolkitText(text).c_str());
    setElementBackground(button, buttonLook);
    XToolBar_InsertEle(toolBar_, button, -1);
    return button;
}

void ToolBarBuilder::addSeparator() {
    HELE separator = XEle_Create(0, 0, 2, 21, nullptr);
    setElementBackground(separator, separatorLook);
    XEle_EnableMouseThrough(separator, 1);
    XToolBar_InsertEle(toolBar_, separator, -1);
}

void buildToolBars() {
    ToolBarBuilder builder;
    if (builder.attach(elementNamed("winToolBar0"))) addGroup(builder, firstGroup);
    buildLinkerSwitcher(elementNamed("winToolBar0"));
    if (builder.attach(elementNamed("winToolBar0"))) addGroup(builder, secondGroup);
    if (builder.attach(elementNamed("winToolBar1"))) addGroup(builder, thirdGroup);
}

int CALLBACK onToolButtonClick(HELE button, BOOL*) {
    std::string text = fromToolkitText(XEle_GetToolTip(button));
    size_t paren = text.find('(');
    std::string key = paren == std::string::npos || paren == 0 ? text : text.substr(0, paren);
    for (const Command& command : commands)
        if (key == command.key) {
            run(command);
            break;
        }
    return 0;
}

void showPaneByCaption(const std::string& caption) {
    const FrameParts& f = frameParts;
    int count = XWnd_GetChildCount(ShellFrame);
    for (int i = 0; i < count; ++i) {
        HELE child = XWnd_GetChildByIndex(ShellFrame, i);
        if (!XC_IsHXCGUI(child, XC_ELE) || child == f.top || child == f.left || child == f.right || child == f.bottom)
            continue;
        int buttons = XEle_GetChildCount(child);
        for (int j = 0; j < buttons; ++j) {
            HELE button = XEle_GetChildByIndex(child, j);
            if (!XC_IsHXCGUI(button, XC_BUTTON) || fromToolkitText(XBtn_GetText(button)) != caption) continue;
            XEle_SendEvent(button, button, XE_BUTTON_CLICK, 0, 0);
            return;
        }
    }
}

void clearDebugOutput() {
    HELE edit = elementNamed("outDbugTipEdit");
    if (!XC_IsHXCGUI(edit, XC_EDIT)) return;
    XEdit_SetText(edit, toToolkitText("").c_str());
    XEle_Redraw(edit, TRUE);
}

void startBlackMoonCompile() {
    if (GetModuleHandleA("BlackMoon.fne")) {
        blackMoonCompilePending = 1;
        PostMessageA(hostFunctions.host0503->mainWindow(), WM_COMMAND, 36865, 0);
    } else {
        MessageBoxA(XWnd_GetHWND(ShellFrame), "未检测到黑月编译插件,黑月编译插件支持库未安装或未启用", "Tarvolin IDE",
                    MB_ICONERROR);
    }
}
