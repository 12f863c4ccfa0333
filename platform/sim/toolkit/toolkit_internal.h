// Helpers shared by the toolkit stand-in's files.
#pragma once

#include <memory>
#include <string>

#include "toolkit_state.h"

namespace trvsim::xc {

[[noreturn]] void fail(const char* what);
void requireInitialised(const char* function);
HXCGUI addObject(std::unique_ptr<Object> object);
std::string toGbk(const WCHAR* text);
std::u16string textOf(const WCHAR* text);
// Reads a whole file named by a toolkit path (relative to the current directory).
bool readFile(const WCHAR* path, std::string& content);

// Puts `child` among the children of an element or window at `index` (-1: last).
void attachChild(HXCGUI parent, HELE child, int index);

// Makes an element of type `T` and puts it last among the parent's children.
template <class T>
T* makeElement(int type, int x, int y, int width, int height, HXCGUI parent) {
    auto element = std::make_unique<T>();
    element->type = type;
    element->category = Category::Element;
    element->rect = {x, y, x + width, y + height};
    T* made = element.get();
    addObject(std::move(element));
    if (parent) attachChild(parent, made->handle, -1);
    return made;
}

void detachChild(HELE child);
// The children of an element or window: their number, and the one at an index (or nullptr).
int childCount(HXCGUI parent);
HXCGUI childAt(HXCGUI parent, int index);
// Removes an element with everything below it.
void destroyElement(HELE element);
// The window an element lies in, or nullptr.
HWINDOW windowOfElement(HXCGUI element);
HWINDOW createWindow(int type, DWORD exStyle, DWORD style, const char* className, int x, int y, int width, int height,
                     const WCHAR* title, HWND parent);
// Rebuilds the tab strip and tab bar of a pane group after a change.
void rebuildGroup(PaneGroup& group);

}  // namespace trvsim::xc
