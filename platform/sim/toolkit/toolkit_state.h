// State of the toolkit stand-in, open to the simulated IDE's snapshot and to
// tests. Everything here is touched on the toolkit's UI thread only.
#pragma once

#include <xcgui.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trvsim::xc {

enum class Category { Window, Element, Other };

// A registered event handler; the C1 form gets the object's handle first.
struct Handler {
    void* function;
    bool withHandle;
};

struct Object {
    int type = XC_NOTHING;
    Category category = Category::Other;
    HXCGUI handle{};
    std::map<int, std::vector<Handler>> events;
    std::u16string bkInfo;  // the last background-info string given
    virtual ~Object() = default;
};

struct Font : Object {
    std::u16string name;
    int size = 0;
    int style = 0;
};

struct Image : Object {
    std::string file;  // host path
    bool stretch = false;
};

// The background manager of an element or window.
struct BackgroundManager : Object {
    HXCGUI owner{};
};

struct Element : Object {
    HXCGUI parent{};  // an element or a window
    std::vector<HELE> children;
    std::u16string name;  // from its layout file
    std::u16string text;
    std::u16string tooltip;
    RECT rect{};  // in the parent's client coordinates
    COLORREF textColour = 0;
    BYTE textAlpha = 255;
    RECT padding{};
    bool mouseThrough = false;
    bool enabled = true;
    bool visible = true;
    bool backgroundTransparent = false;
    int widthMode = 0, heightMode = 0;  // layout item sizing: 0 fixed, XC_LAYOUT_SIZE_FILL ...
    // Layout elements.
    int space = 0;
    int alignV = 0;
    int redraws = 0;
    int layoutAdjustments = 0;
    HXCGUI background{};  // its background manager, made on first request
};

struct Button : Element {
    HIMAGE icon{};
    int buttonType = 0;  // 1: check button
    bool checked = false;
};

struct ComboBox : Element {
    std::vector<std::u16string> items;
    std::u16string itemTemplate;
    bool adapter = false;
    bool editable = true;
};

struct TabBar : Element {
    bool tile = true;
    int labelSpacing = -1;
};

struct Pane : Element {
    HWINDOW frame{};
    int dock = -1;  // alignment it is docked with; -1 while not docked
    bool shown = true;
    HELE view{};
    HWINDOW floatingWindow{};
};

struct WindowObject : Object {
    HWND hwnd{};
    std::vector<HELE> children;
    SIZE minimumSize{};
    int transparentType = 0;
    BYTE transparentAlpha = 255;
    RECT layoutSize{};
    HELE bound[4]{};  // top, bottom, left, right
    struct Shadow {
        int size, depth, angle;
        BOOL rightAngle;
        COLORREF colour;
    } shadow{};
    int redraws = 0;
    int layoutAdjustments = 0;
    int shown = -1;  // last XWnd_ShowWindow command
    HXCGUI background{};
    // Frame windows.
    HELE view{};
    COLORREF splitBarColour = 0;
    BYTE splitBarAlpha = 0;
    // A floating pane's own window.
    HELE floatingPane{};
};

// Panes docked together: the panes in order, the one in front, and the two
// elements the frame shows for the group: a strip of tab buttons and a tab
// bar of check labels (its child 0 is the label area).
struct PaneGroup {
    HWINDOW frame{};
    int dock = 0;
    std::vector<HELE> panes;
    HELE front{};
    HELE tabStrip{};
    HELE tabBar{};
};

// One XC_LoadResource or XC_LoadStyle call: the path as given and whether it loaded.
struct LoadRecord {
    std::u16string path;
    bool loaded = false;
};

struct Toolkit {
    bool initialised = false;
    int initCount = 0;
    int exitCount = 0;
    std::u16string initText;
    DWORD uiThread = 0;
    HWND uiWindow{};  // serves XC_CallUiThread
    HFONTX defaultFont{};
    std::vector<LoadRecord> resourceLoads;
    std::vector<LoadRecord> styleLoads;
    std::map<std::u16string, COLORREF> colours;    // resource file colours by name
    std::map<std::u16string, std::string> images;  // resource file images: name to host path
    std::vector<std::u16string> layoutsLoaded;     // files given to XC_LoadLayout that loaded
    std::map<UINT_PTR, std::unique_ptr<Object>> objects;
    std::vector<PaneGroup> paneGroups;
    UINT_PTR nextHandle = 0x00200010;
};

SIMAPI Toolkit& toolkit();
// The live object behind a handle, or nullptr.
SIMAPI Object* objectOf(HXCGUI handle);

template <class T>
T* objectAs(HXCGUI handle, Category category) {
    Object* object = objectOf(handle);
    return object && object->category == category ? static_cast<T*>(object) : nullptr;
}

inline Element* elementOf(HXCGUI handle) { return objectAs<Element>(handle, Category::Element); }
inline WindowObject* windowOf(HXCGUI handle) { return objectAs<WindowObject>(handle, Category::Window); }

template <class T>
T* elementAs(HXCGUI handle, int type) {
    Object* object = objectOf(handle);
    return object && object->type == type ? static_cast<T*>(object) : nullptr;
}

// The group a pane is docked in, or nullptr.
SIMAPI PaneGroup* groupOf(HELE pane);

// Raises an event on an object as the toolkit does: its handlers in the order
// of registration, each given the arguments and the "handled" flag, until one
// sets the flag. Returns whether one did; `result` gets the last result.
template <class... Arguments>
bool raiseEvent(HXCGUI handle, int event, int* result, Arguments... arguments) {
    Object* object = objectOf(handle);
    if (!object) return false;
    auto found = object->events.find(event);
    if (found == object->events.end()) return false;
    std::vector<Handler> handlers = found->second;  // a handler may register more
    BOOL handled = FALSE;
    for (const Handler& h : handlers) {
        int r;
        if (h.withHandle)
            r = reinterpret_cast<int(CALLBACK*)(HXCGUI, Arguments..., BOOL*)>(h.function)(handle, arguments..., &handled);
        else
            r = reinterpret_cast<int(CALLBACK*)(Arguments..., BOOL*)>(h.function)(arguments..., &handled);
        if (result) *result = r;
        if (handled || !objectOf(handle)) break;
    }
    return handled;
}

// What a user does, for the simulated IDE's scenarios and for tests.
SIMAPI void userClick(HELE button);
SIMAPI void userHover(HELE element, bool enter);
// Brings the pane to the front of its group, as a click on its tab does.
SIMAPI void userSelectPaneTab(HELE pane);
// Picks item `index` of a combo box: drop-down (72), then selection (71).
SIMAPI bool userPickComboItem(HELE combo, int index);
SIMAPI HWINDOW userFloatPane(HELE pane);
// Closes a window with its close box (event 16 unless handled).
SIMAPI void userCloseWindow(HWINDOW window);
SIMAPI void userResizeElement(HELE element, int width, int height);

// Lookups for the snapshot and tests.
SIMAPI HELE elementNamed(const std::u16string& name);
SIMAPI std::vector<HELE> panesOf(HWINDOW frame);

}  // namespace trvsim::xc
