#include "disassembly_view.h"

#include <string>

#include "host/toolkit_text.h"

namespace {

const char* const floatingLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26("
    "0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);3:2(37)3(60,5,10,100)4(@paneSP1.png);98:4(0,4)16("
    "1)32(2)8(3);}";
const char* const floatingDisassemblyLook =
    "{99:1.9.9;5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26("
    "0)25(@ID_COLOR_WinBd);5:2(15)20(1)21(5)26(0)25(@ID_COLOR_WinBd);3:2(37)3(70,5,10,100)4(@paneSP1.png);98:4(0,4)16("
    "1)32(2)8(3);}";

// The pane's caption buttons: height 0 while it floats, 16 otherwise.
void setCaptionButtonHeight(HELE pane, int height) {
    for (int i = 0; i < 3; ++i) {
        HELE child = XEle_GetChildByIndex(pane, i);
        if (XC_IsHXCGUI(child, XC_BUTTON)) XEle_SetHeight(child, height);
    }
    XEle_AdjustLayout(pane);
}

}  // namespace

void styleFloatingPane(HWINDOW window, HELE pane) {
    XWnd_SetMinimumSize(window, 200, 200);
    XWnd_SetLayoutSize(window, 1, 24, 1, 1);
    std::string caption = fromToolkitText(XPane_GetTitle(pane));
    const char* look = caption == "反汇编显示" ? floatingDisassemblyLook : floatingLook;
    XBkM_SetBkInfo(XWnd_GetBkManager(window), toToolkitText(look).c_str());
    setCaptionButtonHeight(pane, 0);

    HELE layout = XLayout_Create(0, 0, 100, 24, window);
    XEle_SetLayoutWidth(layout, XC_LAYOUT_SIZE_FILL, -1);
    XEle_SetLayoutHeight(layout, XC_LAYOUT_SIZE_FILL, -1);
    XEle_SetPadding(layout, 6, 0, 0, 0);
    HXCGUI text = XShapeText_Create(0, 0, 100, 24, XPane_GetTitle(pane), layout);
    XEle_SetLayoutWidth(text, XC_LAYOUT_SIZE_FILL, -1);
    XEle_SetLayoutHeight(text, XC_LAYOUT_SIZE_FILL, -1);
    XShapeText_SetTextColor(text, RGB(255, 255, 255), 255);
    XWnd_BindLayoutEle(window, XC_BIND_TOP, layout);
    XWnd_AdjustLayout(window);
}
