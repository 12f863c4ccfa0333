// Drawing and colours: the system colours, and the device-context and
// resource functions the host's drawing goes through. The sim has no device
// contexts and no module resources yet, so those functions end the process
// rather than pretend.
#include "sim_state.h"

using namespace trvsim;

namespace {

// The default colours of Windows 10, by system colour index; index 25 has none.
const COLORREF systemColours[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    0,                   // (none)
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

}  // namespace

// user32: an index without a colour gives 0, as on Windows 10.
SIMAPI SIM_HOOKABLE(5) DWORD WINAPI GetSysColor(int index) {
    if (index < 0 || size_t(index) >= std::size(systemColours)) return 0;
    return systemColours[index];
}

SIMAPI SIM_HOOKABLE(5) HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR) { notSimulated("LoadBitmapA (bitmap resources)"); }

// gdi32
SIMAPI SIM_HOOKABLE(5) COLORREF WINAPI SetBkColor(HDC, COLORREF) { notSimulated("SetBkColor (device contexts)"); }

SIMAPI SIM_HOOKABLE(5) COLORREF WINAPI SetTextColor(HDC, COLORREF) { notSimulated("SetTextColor (device contexts)"); }

SIMAPI SIM_HOOKABLE(5) BOOL WINAPI TextOutA(HDC, int, int, LPCSTR, int) { notSimulated("TextOutA (device contexts)"); }
