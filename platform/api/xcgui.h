// Our declarations of the DirectUI toolkit (XCGUI.dll) operations the
// plug-in uses. Handles are opaque values owned by the toolkit; text crosses
// as UTF-16.
#pragma once

#include <windows.h>

typedef void* HXCGUI;
typedef HXCGUI HWINDOW;
typedef HXCGUI HELE;
typedef HXCGUI HFONTX;
typedef HXCGUI HIMAGE;

typedef INT_PTR(CALLBACK* XCCallUiThreadRoutine)(INT_PTR data);

// Object types, as XObj_GetType and XC_IsHXCGUI know them.
enum XCObjectType {
    XC_ERROR = -1,
    XC_NOTHING = 0,
    XC_WINDOW = 1,
    XC_FRAMEWINDOW = 3,
    XC_FONT = 6,
    XC_IMAGE = 7,
    XC_ELE = 21,
    XC_BUTTON = 22,
    XC_COMBOBOX = 24,
    XC_LIST = 27,
    XC_LISTBOX = 28,
    XC_LISTVIEW = 29,
    XC_TREE = 30,
    XC_TOOLBAR = 34,
    XC_TABBAR = 40,
    XC_EDIT = 45,
    XC_SHAPE_TEXT = 62,
};

// Window styles of XWnd_Create.
enum XCWindowStyle {
    XC_WINDOW_STYLE_NOTHING = 0,
    XC_WINDOW_STYLE_CAPTION = 0x0001,
    XC_WINDOW_STYLE_BORDER = 0x0002,
    XC_WINDOW_STYLE_CENTER = 0x0004,
    XC_WINDOW_STYLE_DRAG_BORDER = 0x0008,
    XC_WINDOW_STYLE_DRAG_WINDOW = 0x0010,
    XC_WINDOW_STYLE_ALLOW_MAXWINDOW = 0x0020,
    XC_WINDOW_STYLE_DEFAULT = 0x003F,
};

#if defined(_WIN32)
#define TRV_XCGUI_API extern "C"
#else
#define TRV_XCGUI_API SIMAPI
#endif

#define TRV_XCGUI_FUNCTION(result, name, parameters, arguments) TRV_XCGUI_API result WINAPI name parameters;
#include "xcgui_functions.h"
#undef TRV_XCGUI_FUNCTION
