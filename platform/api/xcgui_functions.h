// The toolkit functions the plug-in calls, one line each:
// TRV_XCGUI_FUNCTION(result type, name, (parameters), (arguments)).
// Included by xcgui.h to declare them and by the Windows binding to look each
// one up by name in XCGUI.dll on first use. No include guard: it is meant to
// be included once per expansion.

// Start and end, fonts, resources and style sheets.
TRV_XCGUI_FUNCTION(BOOL, XInitXCGUI, (const WCHAR* text), (text))
TRV_XCGUI_FUNCTION(void, XExitXCGUI, (), ())
TRV_XCGUI_FUNCTION(HFONTX, XFont_Create2, (const WCHAR* name, int size, int style), (name, size, style))
TRV_XCGUI_FUNCTION(void, XC_SetDefaultFont, (HFONTX font), (font))
TRV_XCGUI_FUNCTION(BOOL, XC_LoadResource, (const WCHAR* fileName), (fileName))
TRV_XCGUI_FUNCTION(BOOL, XC_LoadStyle, (const WCHAR* fileName), (fileName))

// Handles.
TRV_XCGUI_FUNCTION(BOOL, XC_IsHWINDOW, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(BOOL, XC_IsHELE, (HELE element), (element))
TRV_XCGUI_FUNCTION(BOOL, XC_IsHXCGUI, (HXCGUI handle, int type), (handle, type))
TRV_XCGUI_FUNCTION(int, XObj_GetType, (HXCGUI handle), (handle))

// Threads and text.
TRV_XCGUI_FUNCTION(INT_PTR, XC_CallUiThread, (XCCallUiThreadRoutine routine, INT_PTR data), (routine, data))
TRV_XCGUI_FUNCTION(int, XC_AnsiToUnicode, (const char* text, int length, WCHAR* out, int outLength),
                   (text, length, out, outLength))
TRV_XCGUI_FUNCTION(const char*, XC_wtoa, (const WCHAR* text), (text))

// Images.
TRV_XCGUI_FUNCTION(HIMAGE, XImage_LoadFile, (const WCHAR* fileName, BOOL stretch), (fileName, stretch))

// Resources, layouts, events, backgrounds.
TRV_XCGUI_FUNCTION(COLORREF, XRes_GetColor, (const WCHAR* name), (name))
TRV_XCGUI_FUNCTION(HIMAGE, XRes_GetImage, (const WCHAR* name), (name))
TRV_XCGUI_FUNCTION(HXCGUI, XC_LoadLayout, (const WCHAR* fileName, HXCGUI parent), (fileName, parent))
TRV_XCGUI_FUNCTION(HXCGUI, XC_GetObjectByName, (const WCHAR* name), (name))
TRV_XCGUI_FUNCTION(BOOL, XEle_RegEventC, (HELE element, int event, void* handler), (element, event, handler))
TRV_XCGUI_FUNCTION(BOOL, XEle_RegEventC1, (HELE element, int event, void* handler), (element, event, handler))
TRV_XCGUI_FUNCTION(BOOL, XWnd_RegEventC, (HWINDOW window, int event, void* handler), (window, event, handler))
TRV_XCGUI_FUNCTION(BOOL, XWnd_RegEventC1, (HWINDOW window, int event, void* handler), (window, event, handler))
TRV_XCGUI_FUNCTION(int, XEle_SendEvent, (HELE element, HELE sender, int event, WPARAM wParam, LPARAM lParam),
                   (element, sender, event, wParam, lParam))
TRV_XCGUI_FUNCTION(HBKM, XEle_GetBkManager, (HELE element), (element))
TRV_XCGUI_FUNCTION(HBKM, XWnd_GetBkManager, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(int, XBkM_SetBkInfo, (HBKM manager, const WCHAR* text), (manager, text))

// Windows.
TRV_XCGUI_FUNCTION(HWINDOW, XWnd_Create, (int x, int y, int width, int height, const WCHAR* title, HWND parent, int style),
                   (x, y, width, height, title, parent, style))
TRV_XCGUI_FUNCTION(HWND, XWnd_GetHWND, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(HWINDOW, XWnd_CreateEx,
                   (DWORD exStyle, DWORD style, const WCHAR* className, int x, int y, int width, int height,
                    const WCHAR* title, HWND parent, int xcStyle),
                   (exStyle, style, className, x, y, width, height, title, parent, xcStyle))
TRV_XCGUI_FUNCTION(void, XWnd_CloseWindow, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(void, XWnd_ShowWindow, (HWINDOW window, int command), (window, command))
TRV_XCGUI_FUNCTION(void, XWnd_SetMinimumSize, (HWINDOW window, int width, int height), (window, width, height))
TRV_XCGUI_FUNCTION(void, XWnd_SetTransparentType, (HWINDOW window, int type), (window, type))
TRV_XCGUI_FUNCTION(void, XWnd_SetTransparentAlpha, (HWINDOW window, BYTE alpha), (window, alpha))
TRV_XCGUI_FUNCTION(void, XWnd_SetLayoutSize, (HWINDOW window, int left, int top, int right, int bottom),
                   (window, left, top, right, bottom))
TRV_XCGUI_FUNCTION(void, XWnd_BindLayoutEle, (HWINDOW window, int position, HELE element), (window, position, element))
TRV_XCGUI_FUNCTION(void, XWnd_SetShadowInfo,
                   (HWINDOW window, int size, int depth, int angle, BOOL rightAngle, COLORREF colour),
                   (window, size, depth, angle, rightAngle, colour))
TRV_XCGUI_FUNCTION(void, XWnd_AdjustLayout, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(void, XWnd_RedrawWnd, (HWINDOW window, BOOL now), (window, now))
TRV_XCGUI_FUNCTION(int, XWnd_GetChildCount, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(HXCGUI, XWnd_GetChildByIndex, (HWINDOW window, int index), (window, index))

// Frame windows and panes.
TRV_XCGUI_FUNCTION(HWINDOW, XFrameWnd_CreateEx,
                   (DWORD exStyle, DWORD style, const WCHAR* className, int x, int y, int width, int height,
                    const WCHAR* title, HWND parent, int xcStyle),
                   (exStyle, style, className, x, y, width, height, title, parent, xcStyle))
TRV_XCGUI_FUNCTION(void, XFrameWnd_SetView, (HWINDOW frame, HELE view), (frame, view))
TRV_XCGUI_FUNCTION(BOOL, XFrameWnd_AddPane, (HWINDOW frame, HELE destination, HELE pane, int align),
                   (frame, destination, pane, align))
TRV_XCGUI_FUNCTION(BOOL, XFrameWnd_MergePane, (HWINDOW frame, HELE destination, HELE pane),
                   (frame, destination, pane))
TRV_XCGUI_FUNCTION(void, XFrameWnd_SetPaneSplitBarColor, (HWINDOW frame, COLORREF colour, BYTE alpha),
                   (frame, colour, alpha))
TRV_XCGUI_FUNCTION(HELE, XPane_Create, (const WCHAR* title, int width, int height, HWINDOW frame),
                   (title, width, height, frame))
TRV_XCGUI_FUNCTION(void, XPane_HidePane, (HELE pane), (pane))
TRV_XCGUI_FUNCTION(void, XPane_ShowPane, (HELE pane), (pane))
TRV_XCGUI_FUNCTION(BOOL, XPane_IsShowPane, (HELE pane), (pane))
TRV_XCGUI_FUNCTION(void, XPane_SetView, (HELE pane, HELE view), (pane, view))
TRV_XCGUI_FUNCTION(const WCHAR*, XPane_GetTitle, (HELE pane), (pane))

// Elements.
TRV_XCGUI_FUNCTION(HELE, XEle_Create, (int x, int y, int width, int height, HXCGUI parent), (x, y, width, height, parent))
TRV_XCGUI_FUNCTION(void, XEle_SetToolTip, (HELE element, const WCHAR* text), (element, text))
TRV_XCGUI_FUNCTION(const WCHAR*, XEle_GetToolTip, (HELE element), (element))
TRV_XCGUI_FUNCTION(void, XEle_SetTextColor, (HELE element, COLORREF colour, BYTE alpha), (element, colour, alpha))
TRV_XCGUI_FUNCTION(void, XEle_SetPadding, (HELE element, int left, int top, int right, int bottom),
                   (element, left, top, right, bottom))
TRV_XCGUI_FUNCTION(void, XEle_SetWidth, (HELE element, int width), (element, width))
TRV_XCGUI_FUNCTION(void, XEle_SetHeight, (HELE element, int height), (element, height))
TRV_XCGUI_FUNCTION(int, XEle_GetWidth, (HELE element), (element))
TRV_XCGUI_FUNCTION(int, XEle_GetHeight, (HELE element), (element))
TRV_XCGUI_FUNCTION(void, XEle_EnableMouseThrough, (HELE element, BOOL enable), (element, enable))
TRV_XCGUI_FUNCTION(void, XEle_Enable, (HELE element, BOOL enable), (element, enable))
TRV_XCGUI_FUNCTION(void, XEle_Show, (HELE element, BOOL show), (element, show))
TRV_XCGUI_FUNCTION(void, XEle_EnableBkTransparent, (HELE element, BOOL enable), (element, enable))
TRV_XCGUI_FUNCTION(BOOL, XEle_IsBkTransparent, (HELE element), (element))
TRV_XCGUI_FUNCTION(void, XEle_Redraw, (HELE element, BOOL now), (element, now))
TRV_XCGUI_FUNCTION(void, XEle_AdjustLayout, (HELE element), (element))
TRV_XCGUI_FUNCTION(void, XEle_GetWndClientRect, (HELE element, RECT* rect), (element, rect))
TRV_XCGUI_FUNCTION(void, XEle_RectClientToWndClient, (HELE element, RECT* rect), (element, rect))
TRV_XCGUI_FUNCTION(HXCGUI, XEle_GetParent, (HELE element), (element))
TRV_XCGUI_FUNCTION(int, XEle_GetChildCount, (HELE element), (element))
TRV_XCGUI_FUNCTION(HXCGUI, XEle_GetChildByIndex, (HELE element, int index), (element, index))
TRV_XCGUI_FUNCTION(void, XEle_SetLayoutWidth, (HXCGUI element, int mode, int width), (element, mode, width))
TRV_XCGUI_FUNCTION(void, XEle_SetLayoutHeight, (HXCGUI element, int mode, int height), (element, mode, height))
TRV_XCGUI_FUNCTION(HELE, XLayout_Create, (int x, int y, int width, int height, HXCGUI parent), (x, y, width, height, parent))
TRV_XCGUI_FUNCTION(void, XLayout_SetSpace, (HELE layout, int space), (layout, space))
TRV_XCGUI_FUNCTION(void, XLayout_SetPadding, (HELE layout, int left, int top, int right, int bottom),
                   (layout, left, top, right, bottom))
TRV_XCGUI_FUNCTION(void, XLayout_SetAlignV, (HELE layout, int align), (layout, align))
TRV_XCGUI_FUNCTION(HXCGUI, XShapeText_Create, (int x, int y, int width, int height, const WCHAR* text, HXCGUI parent),
                   (x, y, width, height, text, parent))
TRV_XCGUI_FUNCTION(void, XShapeText_SetTextColor, (HXCGUI shape, COLORREF colour, BYTE alpha), (shape, colour, alpha))

// Buttons, tool bars, tab bars, edits and combo boxes.
TRV_XCGUI_FUNCTION(HELE, XBtn_Create, (int x, int y, int width, int height, const WCHAR* text, HXCGUI parent),
                   (x, y, width, height, text, parent))
TRV_XCGUI_FUNCTION(void, XBtn_SetText, (HELE button, const WCHAR* text), (button, text))
TRV_XCGUI_FUNCTION(const WCHAR*, XBtn_GetText, (HELE button), (button))
TRV_XCGUI_FUNCTION(void, XBtn_SetIcon, (HELE button, HIMAGE image), (button, image))
TRV_XCGUI_FUNCTION(void, XBtn_SetType, (HELE button, int type), (button, type))
TRV_XCGUI_FUNCTION(int, XBtn_GetType, (HELE button), (button))
TRV_XCGUI_FUNCTION(BOOL, XBtn_SetCheck, (HELE button, BOOL check), (button, check))
TRV_XCGUI_FUNCTION(BOOL, XBtn_IsCheck, (HELE button), (button))
TRV_XCGUI_FUNCTION(int, XToolBar_InsertEle, (HELE toolBar, HELE element, int index), (toolBar, element, index))
TRV_XCGUI_FUNCTION(void, XTabBar_EnableTile, (HELE tabBar, BOOL tile), (tabBar, tile))
TRV_XCGUI_FUNCTION(void, XTabBar_SetLabelSpacing, (HELE tabBar, int spacing), (tabBar, spacing))
TRV_XCGUI_FUNCTION(void, XEdit_SetText, (HELE edit, const WCHAR* text), (edit, text))
TRV_XCGUI_FUNCTION(HELE, XComboBox_Create, (int x, int y, int width, int height, HXCGUI parent),
                   (x, y, width, height, parent))
TRV_XCGUI_FUNCTION(void, XComboBox_EnableEdit, (HELE combo, BOOL enable), (combo, enable))
TRV_XCGUI_FUNCTION(BOOL, XComboBox_SetItemTemplateXML, (HELE combo, const WCHAR* fileName), (combo, fileName))
TRV_XCGUI_FUNCTION(HXCGUI, XComboBox_CreateAdapter, (HELE combo), (combo))
TRV_XCGUI_FUNCTION(BOOL, XComboBox_DeleteItemAll, (HELE combo), (combo))
TRV_XCGUI_FUNCTION(int, XComboBox_AddItemText, (HELE combo, const WCHAR* text), (combo, text))
TRV_XCGUI_FUNCTION(const WCHAR*, XComboBox_GetItemText, (HELE combo, int item, int column), (combo, item, column))
TRV_XCGUI_FUNCTION(int, XComboBox_GetCount, (HELE combo), (combo))
TRV_XCGUI_FUNCTION(HXCGUI, XComboBox_GetAdapter, (HELE combo), (combo))
