// The toolkit stand-in: start and end, handles and their types, fonts, the
// resource file and style sheet, windows with their native HWND, the UI
// thread hand-over and text conversion.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <pugixml.hpp>

#include "../sim_control.h"
#include "toolkit_internal.h"

namespace trvsim::xc {

void fail(const char* what) {
    std::fprintf(stderr, "toolkit stand-in: %s\n", what);
    std::abort();
}

void requireInitialised(const char* function) {
    if (!toolkit().initialised) {
        std::fprintf(stderr, "toolkit stand-in: %s called before XInitXCGUI\n", function);
        std::abort();
    }
}

HXCGUI addObject(std::unique_ptr<Object> object) {
    auto& tk = toolkit();
    auto handle = reinterpret_cast<HXCGUI>(tk.nextHandle);
    tk.nextHandle += 8;
    object->handle = handle;
    tk.objects[reinterpret_cast<UINT_PTR>(handle)] = std::move(object);
    return handle;
}

std::string toGbk(const WCHAR* text) { return text ? utf16ToGbk(text) : std::string(); }
std::u16string textOf(const WCHAR* text) { return text ? std::u16string(text) : std::u16string(); }

bool readFile(const WCHAR* path, std::string& content) {
    std::string host = hostPathOf(toGbk(path));
    if (host.empty()) return false;
    std::ifstream in(host, std::ios::binary);
    if (!in) return false;
    std::ostringstream out;
    out << in.rdbuf();
    content = out.str();
    return bool(in) || in.eof();
}

namespace {

constexpr UINT callUiMessage = WM_USER + 0x101;
const char* const windowClass = "XCGUI_Window";
const char* const uiClass = "XCGUI_UiThread";

// "#RRGGBB" or "#AARRGGBB" to a COLORREF (the alpha byte is kept high).
bool parseColour(const char* text, COLORREF& colour) {
    if (!text || text[0] != '#') return false;
    std::string hex = text + 1;
    if (hex.size() != 6 && hex.size() != 8) return false;
    char* end;
    unsigned long value = std::strtoul(hex.c_str(), &end, 16);
    if (*end) return false;
    unsigned long alpha = hex.size() == 8 ? value >> 24 : 0xFF;
    COLORREF rgb = RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    colour = rgb | (COLORREF(alpha) << 24);
    return true;
}

// A native window going away takes its toolkit window and elements along.
LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        auto& objects = toolkit().objects;
        for (auto& [handle, object] : objects) {
            auto* window = object->category == Category::Window ? static_cast<WindowObject*>(object.get()) : nullptr;
            if (!window || window->hwnd != hwnd) continue;
            std::vector<HELE> children = window->children;
            for (HELE child : children) destroyElement(child);
            auto& groups = toolkit().paneGroups;
            std::erase_if(groups, [&](const PaneGroup& g) { return g.frame == window->handle; });
            if (window->background) objects.erase(reinterpret_cast<UINT_PTR>(window->background));
            objects.erase(handle);
            break;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK uiProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == callUiMessage) return reinterpret_cast<XCCallUiThreadRoutine>(wParam)(lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void registerClass(const char* name, WNDPROC procedure) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = name;
    RegisterClassA(&cls);  // fails harmlessly when already registered
}

}  // namespace

SIMAPI Toolkit& toolkit() {
    static Toolkit* instance = new Toolkit;
    return *instance;
}

SIMAPI Object* objectOf(HXCGUI handle) {
    auto& objects = toolkit().objects;
    auto it = objects.find(reinterpret_cast<UINT_PTR>(handle));
    return it == objects.end() ? nullptr : it->second.get();
}

}  // namespace trvsim::xc

using namespace trvsim;
using namespace trvsim::xc;

SIMAPI BOOL WINAPI XInitXCGUI(const WCHAR* text) {
    auto& tk = toolkit();
    if (tk.initialised) fail("XInitXCGUI called twice");
    registerClass(windowClass, windowProcedure);
    registerClass(uiClass, uiProcedure);
    int inits = tk.initCount + 1, exits = tk.exitCount;
    tk = Toolkit{};
    tk.initialised = true;
    tk.initCount = inits;
    tk.exitCount = exits;
    tk.initText = text ? text : u"";
    tk.uiThread = GetCurrentThreadId();
    tk.uiWindow = CreateWindowExW(0, gbkToUtf16(uiClass).c_str(), u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                  nullptr);
    return TRUE;
}

SIMAPI void WINAPI XExitXCGUI() {
    auto& tk = toolkit();
    requireInitialised("XExitXCGUI");
    std::vector<HWND> windows;
    for (auto& [handle, object] : tk.objects)
        if (object->category == Category::Window) windows.push_back(static_cast<WindowObject*>(object.get())->hwnd);
    for (HWND hwnd : windows) DestroyWindow(hwnd);
    DestroyWindow(tk.uiWindow);
    tk.objects.clear();
    tk.paneGroups.clear();
    tk.uiWindow = nullptr;
    tk.defaultFont = nullptr;
    tk.initialised = false;
    ++tk.exitCount;
}

SIMAPI HFONTX WINAPI XFont_Create2(const WCHAR* name, int size, int style) {
    requireInitialised("XFont_Create2");
    auto font = std::make_unique<Font>();
    font->type = XC_FONT;
    font->name = name ? name : u"";
    font->size = size;
    font->style = style;
    return addObject(std::move(font));
}

SIMAPI void WINAPI XC_SetDefaultFont(HFONTX font) {
    requireInitialised("XC_SetDefaultFont");
    Object* object = objectOf(font);
    if (object && object->type == XC_FONT) toolkit().defaultFont = font;
}

SIMAPI BOOL WINAPI XC_LoadResource(const WCHAR* fileName) {
    requireInitialised("XC_LoadResource");
    auto& tk = toolkit();
    LoadRecord record{fileName ? fileName : u"", false};
    std::string content;
    pugi::xml_document document;
    if (readFile(fileName, content) && document.load_buffer(content.data(), content.size())) {
        pugi::xml_node root = document.child("resource");
        bool good = bool(root);
        std::map<std::u16string, COLORREF> colours;
        std::map<std::u16string, std::string> images;
        std::string folder = hostPathOf(toGbk(fileName));
        folder = folder.substr(0, folder.rfind('/'));
        for (pugi::xml_node node : root.children()) {
            std::u16string name = gbkToUtf16(utf8ToGbk(node.attribute("name").value()));
            if (std::string(node.name()) == "color") {
                COLORREF colour;
                good = good && !name.empty() && parseColour(node.attribute("value").value(), colour);
                if (good) colours[name] = colour;
            } else if (std::string(node.name()) == "image") {
                std::string file = node.attribute("file").value();
                good = good && !name.empty() && !file.empty();
                if (good) images[name] = folder + "/" + file;
            } else {
                good = false;
            }
        }
        if (good) {
            tk.colours.insert(colours.begin(), colours.end());
            tk.images.insert(images.begin(), images.end());
            record.loaded = true;
        }
    }
    tk.resourceLoads.push_back(record);
    return record.loaded;
}

SIMAPI BOOL WINAPI XC_LoadStyle(const WCHAR* fileName) {
    requireInitialised("XC_LoadStyle");
    std::string content;
    LoadRecord record{fileName ? fileName : u"", readFile(fileName, content)};
    toolkit().styleLoads.push_back(record);
    return record.loaded;
}

SIMAPI BOOL WINAPI XC_IsHWINDOW(HWINDOW window) { return objectAs<WindowObject>(window, Category::Window) != nullptr; }

SIMAPI BOOL WINAPI XC_IsHELE(HELE element) { return objectAs<Object>(element, Category::Element) != nullptr; }

SIMAPI BOOL WINAPI XC_IsHXCGUI(HXCGUI handle, int type) {
    Object* object = objectOf(handle);
    return object && object->type == type;
}

SIMAPI int WINAPI XObj_GetType(HXCGUI handle) {
    Object* object = objectOf(handle);
    return object ? object->type : XC_ERROR;
}

SIMAPI INT_PTR WINAPI XC_CallUiThread(XCCallUiThreadRoutine routine, INT_PTR data) {
    auto& tk = toolkit();
    if (!tk.initialised || !routine) fail("XC_CallUiThread without a started toolkit or routine");
    if (GetCurrentThreadId() == tk.uiThread) return routine(data);
    return SendMessageA(tk.uiWindow, callUiMessage, reinterpret_cast<WPARAM>(routine), data);
}

SIMAPI int WINAPI XC_AnsiToUnicode(const char* text, int length, WCHAR* out, int outLength) {
    return MultiByteToWideChar(CP_ACP, 0, text, length, out, outLength);
}

SIMAPI const char* WINAPI XC_wtoa(const WCHAR* text) {
    thread_local std::string buffer;
    buffer = toGbk(text);
    return buffer.c_str();
}

// Loads an image file: PNG, BMP, ICO, GIF or JPEG, told by its first bytes.
SIMAPI HIMAGE WINAPI XImage_LoadFile(const WCHAR* fileName, BOOL stretch) {
    requireInitialised("XImage_LoadFile");
    std::string content;
    if (!readFile(fileName, content)) return nullptr;
    static const std::string signatures[] = {std::string("\x89PNG\r\n\x1a\n", 8), "BM", std::string("\0\0\1\0", 4),
                                             "GIF8", "\xFF\xD8\xFF"};
    bool image = false;
    for (auto& signature : signatures) image = image || content.compare(0, signature.size(), signature) == 0;
    if (!image) return nullptr;
    auto object = std::make_unique<Image>();
    object->type = XC_IMAGE;
    object->file = hostPathOf(toGbk(fileName));
    object->stretch = stretch;
    return addObject(std::move(object));
}

namespace trvsim::xc {

HWINDOW createWindow(int type, DWORD exStyle, DWORD style, const char* className, int x, int y, int width, int height,
                     const WCHAR* title, HWND parent) {
    requireInitialised("creating a window");
    registerClass(className, windowProcedure);
    // The toolkit's windows are Unicode windows.
    if (!(style & WS_CHILD)) style |= WS_POPUP;
    std::u16string cls = gbkToUtf16(className);
    HWND hwnd = CreateWindowExW(exStyle, cls.c_str(), textOf(title).c_str(), style | WS_CLIPCHILDREN, x, y, width,
                                height, parent, nullptr, nullptr, nullptr);
    if (!hwnd) return nullptr;
    auto window = std::make_unique<WindowObject>();
    window->type = type;
    window->category = Category::Window;
    window->hwnd = hwnd;
    return addObject(std::move(window));
}

}  // namespace trvsim::xc

SIMAPI HWINDOW WINAPI XWnd_Create(int x, int y, int width, int height, const WCHAR* title, HWND parent, int) {
    return createWindow(XC_WINDOW, 0, 0, windowClass, x, y, width, height, title, parent);
}

SIMAPI HWINDOW WINAPI XWnd_CreateEx(DWORD exStyle, DWORD style, const WCHAR* className, int x, int y, int width,
                                    int height, const WCHAR* title, HWND parent, int) {
    std::string cls = className && *className ? toGbk(className) : std::string(windowClass);
    return createWindow(XC_WINDOW, exStyle, style, cls.c_str(), x, y, width, height, title, parent);
}

SIMAPI HWINDOW WINAPI XFrameWnd_CreateEx(DWORD exStyle, DWORD style, const WCHAR* className, int x, int y, int width,
                                         int height, const WCHAR* title, HWND parent, int) {
    std::string cls = className && *className ? toGbk(className) : std::string(windowClass);
    return createWindow(XC_FRAMEWINDOW, exStyle, style, cls.c_str(), x, y, width, height, title, parent);
}

SIMAPI HWND WINAPI XWnd_GetHWND(HWINDOW window) {
    auto* object = objectAs<WindowObject>(window, Category::Window);
    return object ? object->hwnd : nullptr;
}

SIMAPI void WINAPI XWnd_CloseWindow(HWINDOW window) {
    auto* object = windowOf(window);
    if (object) SendMessageA(object->hwnd, WM_CLOSE, 0, 0);
}
