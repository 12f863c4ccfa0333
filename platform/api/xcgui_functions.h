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

// Windows.
TRV_XCGUI_FUNCTION(HWINDOW, XWnd_Create, (int x, int y, int width, int height, const WCHAR* title, HWND parent, int style),
                   (x, y, width, height, title, parent, style))
TRV_XCGUI_FUNCTION(HWND, XWnd_GetHWND, (HWINDOW window), (window))
TRV_XCGUI_FUNCTION(void, XWnd_CloseWindow, (HWINDOW window), (window))
