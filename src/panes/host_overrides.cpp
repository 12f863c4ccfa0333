#include "host_overrides.h"

#include <commctrl.h>

#include <string>

#include "host/hook_engine.h"

namespace {

template <class Function>
Function real(const ApiHook& hook) {
    return reinterpret_cast<Function>(hook.trampolineAddress());
}

// A class name given as an atom is no text.
std::string classText(LPCSTR className) {
    return reinterpret_cast<UINT_PTR>(className) < 0x10000 ? std::string() : std::string(className);
}

std::string inCase(std::string text, bool upper) {
    for (char& c : text)
        if (upper && c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

}  // namespace

HWND WINAPI hookedCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    auto create = [&] {
        return real<decltype(&CreateWindowExA)>(apiHooks->createWindowExA)(exStyle, className, windowName, style, x, y,
                                                                           width, height, parent, menu, instance,
                                                                           param);
    };
    std::string cls = classText(className);
    if (cls == "MyHyperLinker" || cls == "Edit") return create();
    if (inCase(cls, true) == "STATIC") {
        HWND made = create();
        if (made && GetDlgCtrlID(made) == 0xFFFF) ShowWindow(made, SW_HIDE);
        return made;
    }
    if (width == 400 && height == 280 && cls != "_EL_PicWnd") return create();
    if (cls == "_EL_PicWnd") return reinterpret_cast<HWND>(LONG_PTR(-1));  // the picture window is not made
    if (cls == "SysListView32") {
        HWND made = create();
        if (made && GetDlgCtrlID(made) == 1214) {
            SendMessageA(made, LVM_SETBKCOLOR, 0, LPARAM(RGB(37, 37, 38)));
            SendMessageA(made, LVM_SETTEXTBKCOLOR, 0, LPARAM(RGB(37, 37, 38)));
            SendMessageA(made, LVM_SETTEXTCOLOR, 0, LPARAM(RGB(241, 241, 241)));
        }
        return made;
    }
    return create();
}

HWND WINAPI hookedCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
    return real<decltype(&CreateWindowExW)>(apiHooks->createWindowExW)(exStyle, className, windowName, style, x, y,
                                                                       width, height, parent, menu, instance, param);
}

namespace {

struct ColourSwap {
    COLORREF asked, used;
};
const ColourSwap backgroundSwaps[] = {{RGB(235, 241, 255), RGB(37, 37, 38)}, {RGB(255, 255, 225), RGB(66, 66, 69)}};
const ColourSwap textSwaps[] = {{RGB(0, 0, 255), RGB(78, 201, 176)}, {RGB(128, 128, 128), RGB(127, 127, 127)}};

template <size_t N>
COLORREF swapped(COLORREF colour, const ColourSwap (&swaps)[N]) {
    for (const ColourSwap& swap : swaps)
        if (colour == swap.asked) return swap.used;
    return colour;
}

}  // namespace

COLORREF WINAPI hookedSetBkColor(HDC dc, COLORREF colour) {
    return real<decltype(&SetBkColor)>(apiHooks->setBkColor)(dc, swapped(colour, backgroundSwaps));
}

COLORREF WINAPI hookedSetTextColor(HDC dc, COLORREF colour) {
    return real<decltype(&SetTextColor)>(apiHooks->setTextColor)(dc, swapped(colour, textSwaps));
}

DWORD WINAPI hookedGetSysColor(int index) {
    if (index == COLOR_INFOBK) return RGB(66, 66, 69);
    if (index == COLOR_WINDOWFRAME) return RGB(45, 45, 48);
    return real<decltype(&GetSysColor)>(apiHooks->getSysColor)(index);
}
