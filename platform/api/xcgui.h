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
typedef HXCGUI HBKM;

typedef INT_PTR(CALLBACK* XCCallUiThreadRoutine)(INT_PTR data);

// Object types, as XObj_GetType and XC_IsHXCGUI know them.
enum XCObjectType {
    XC_ERROR = -1,
    XC_NOTHING = 0,
    XC_WINDOW = 1,
    XC_FRAMEWINDOW = 3,
    XC_FONT = 6,
    XC_IMAGE = 7,
    XC_FLOATWINDOW = 4,
    XC_BKINFOM = 8,
    XC_ELE = 21,
    XC_BUTTON = 22,
    XC_COMBOBOX = 24,
    XC_SCROLLBAR = 25,
    XC_LIST = 27,
    XC_LISTBOX = 28,
    XC_LISTVIEW = 29,
    XC_TREE = 30,
    XC_TOOLBAR = 34,
    XC_TABBAR = 40,
    XC_LAYOUT = 42,
    XC_PANE = 41,
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

// XWidget_LayoutItem_SetWidth / SetHeight modes.
enum XCLayoutSize { XC_LAYOUT_SIZE_FIXED = 0, XC_LAYOUT_SIZE_FILL = 1, XC_LAYOUT_SIZE_AUTO = 2 };

// Dock alignments of XFrameWnd_AddPane, and positions of XWnd_BindLayoutEle.
enum XCPaneAlign { XC_PANE_ALIGN_LEFT = 0, XC_PANE_ALIGN_TOP = 1, XC_PANE_ALIGN_RIGHT = 2, XC_PANE_ALIGN_BOTTOM = 3 };
enum XCBindPosition { XC_BIND_TOP = 0, XC_BIND_BOTTOM = 1, XC_BIND_LEFT = 2, XC_BIND_RIGHT = 3 };

// Events and the handlers they call (C form; the C1 form takes the element
// or window handle first). `handled` stops the toolkit's own processing.
enum XCEvent {
    XE_MOUSE_ENTER = 6,        // int (BOOL* handled)
    XE_MOUSE_LEAVE = 8,        // int (BOOL* handled)
    XE_PANE_CAPTION_ON = 31,   // int (BOOL* handled)
    XE_PANE_CAPTION_OFF = 32,  // int (BOOL* handled)
    XE_BUTTON_CLICK = 34,      // int (BOOL* handled)
    XE_BUTTON_CHECK = 35,      // int (BOOL checked, BOOL* handled)
    XE_SIZE = 36,              // int (int flags, BOOL* handled)
    XE_COMBOBOX_SELECT = 71,   // int (int item, BOOL* handled); handled: the selection does not happen
    XE_COMBOBOX_POPUP = 72,    // int (BOOL* handled)
    XWM_CLOSE = 16,            // int (BOOL* handled); handled: the window stays
    XWM_FLOAT_PANE = 28690,    // int (HWINDOW floatingWindow, HELE pane, BOOL* handled)
    XWM_DOCK_CHANGED = 28692,  // int (BOOL* handled)
};

#if defined(_WIN32)
#define TRV_XCGUI_API extern "C"
#else
#define TRV_XCGUI_API SIMAPI
#endif

#define TRV_XCGUI_FUNCTION(result, name, parameters, arguments) TRV_XCGUI_API result WINAPI name parameters;
#include "xcgui_functions.h"
#undef TRV_XCGUI_FUNCTION
