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

struct Object {
    int type = XC_NOTHING;
    Category category = Category::Other;
    HXCGUI handle{};
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

struct WindowObject : Object {
    HWND hwnd{};
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
    std::map<std::u16string, COLORREF> colours;       // resource file colours by name
    std::map<std::u16string, std::string> images;     // resource file images: name to host path
    std::map<UINT_PTR, std::unique_ptr<Object>> objects;
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

}  // namespace trvsim::xc
