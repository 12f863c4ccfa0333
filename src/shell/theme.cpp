#include "theme.h"

#include "host/shell_handles.h"
#include "host/toolkit_text.h"
#include "main_frame.h"

KeyedTable labelHandlers;

namespace {

struct BorderLook {
    const char* debugging;
    const char* normal;
};

const BorderLook topLook{
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg)10(1)7(1)11(5)16(0)15(@ID_COLOR_WinBugBd);5:2(13)3(1,1,1,0)20("
    "1)21(5)26(0)25(@ID_COLOR_WinBg);98:16(0,1);}",
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(11)3(0,0,1,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(14)3(1,"
    "0,0,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(7)3(0,0,0,1)20(1)21(5)26(0)25(@ID_COLOR_WinBd);98:16(0,1,2,3);}"};
const BorderLook rightLook{
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(14)3(1,0,0,0)20(1)21(5)26(0)25(@ID_COLOR_WinBugBd);98:16(0,"
    "1);}",
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(14)3(1,0,0,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);98:16(0,1);"
    "}"};
const BorderLook leftLook{
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(11)3(0,0,1,0)20(1)21(5)26(0)25(@ID_COLOR_WinBugBd);98:16(0,"
    "1);}",
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg);5:2(11)3(0,0,1,0)20(1)21(5)26(0)25(@ID_COLOR_WinBd);98:16(0,1);"
    "}"};
const BorderLook bottomLook{
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBugBd);5:2(7)3(1,0,1,6)20(1)21(5)26(0)25(@ID_COLOR_WinBg);98:16(0,"
    "1);}",
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(7)3(1,0,1,6)20(1)21(5)26(0)25(@ID_COLOR_WinBg);98:16(0,1);"
    "}"};

const char* const paneLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBg)10(1)7(1)11(5)16(0)15(@ID_COLOR_PaneBd);5:2(15)20(1)21(3)26(0)22("
    "-3376640)23(255);5:2(13)3(1,1,1,0)20(1)21(5)26(0)25(@ID_COLOR_WinBg);3:2(37)3(60,5,60,0)4(@paneSP.png);3:2(37)3(60,"
    "5,60,0)4(@paneSP1.png);98:1073741952(1,4)16(0)-2147483520(0,2,3);}";

int CALLBACK onLabelEnter(HELE label, BOOL*) {
    if (!XBtn_IsCheck(label)) XEle_SetTextColor(label, tabHoverColour, 255);
    return 0;
}

int CALLBACK onLabelLeave(HELE label, BOOL*) {
    if (!XBtn_IsCheck(label)) XEle_SetTextColor(label, paneTextColour, 255);
    return 0;
}

int CALLBACK onLabelCheck(HELE label, BOOL checked, BOOL*) {
    XEle_SetTextColor(label, checked ? tabCheckedColour : paneTextColour, 255);
    return 0;
}

}  // namespace

void setElementBackground(HELE element, const char* background) {
    XBkM_SetBkInfo(XEle_GetBkManager(element), toToolkitText(background).c_str());
}

void setWindowBackground(HWINDOW window, const char* background) {
    XBkM_SetBkInfo(XWnd_GetBkManager(window), toToolkitText(background).c_str());
}

void setFrameBorders(int debugging) {
    const FrameParts& f = frameParts;
    if (!XC_IsHELE(f.top) || !XC_IsHELE(f.left) || !XC_IsHELE(f.right) || !XC_IsHELE(f.bottom)) return;
    auto look = [debugging](const BorderLook& l) { return debugging ? l.debugging : l.normal; };
    setElementBackground(f.top, look(topLook));
    setElementBackground(f.right, look(rightLook));
    setElementBackground(f.left, look(leftLook));
    setElementBackground(f.bottom, look(bottomLook));
    XWnd_SetShadowInfo(ShellFrame, 10, 180, 10, 1, debugging ? frameShadowDebuggingColour : frameShadowColour);
    XWnd_RedrawWnd(ShellFrame, 0);
}

void stylePanes() {
    for (HELE pane : framePanes) setElementBackground(pane, paneLook);
}

void styleTabLabels() {
    if (!labelHandlers.isCreated()) labelHandlers.create();
    int count = XWnd_GetChildCount(ShellFrame);
    for (int i = 0; i < count; ++i) {
        HELE tabBar = XWnd_GetChildByIndex(ShellFrame, i);
        if (!XC_IsHXCGUI(tabBar, XC_TABBAR)) continue;
        XTabBar_EnableTile(tabBar, 0);
        XTabBar_SetLabelSpacing(tabBar, 0);
        int labels = XEle_GetChildCount(tabBar);
        for (int index = 1; index <= labels; ++index) {
            HELE label = XEle_GetChildByIndex(tabBar, index);
            if (!XC_IsHXCGUI(label, XC_BUTTON)) continue;
            if (XBtn_GetType(label) == 1 && XBtn_IsCheck(label)) XEle_SetTextColor(label, tabCheckedColour, 255);
            INT_PTR key = reinterpret_cast<INT_PTR>(label);
            if (labelHandlers.containsKey(key)) continue;
            XEle_RegEventC1(label, XE_MOUSE_ENTER, reinterpret_cast<void*>(&onLabelEnter));
            XEle_RegEventC1(label, XE_MOUSE_LEAVE, reinterpret_cast<void*>(&onLabelLeave));
            XEle_RegEventC1(label, XE_BUTTON_CHECK, reinterpret_cast<void*>(&onLabelCheck));
            labelHandlers.set(key, key);
        }
    }
}

int CALLBACK onPaneCaptionActive(HELE pane, BOOL*) {
    XEle_SetTextColor(pane, paneTextActiveColour, 255);
    return 0;
}

int CALLBACK onPaneCaptionInactive(HELE pane, BOOL*) {
    XEle_SetTextColor(pane, paneTextColour, 255);
    return 0;
}
