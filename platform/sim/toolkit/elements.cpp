// Elements of the toolkit stand-in: the element tree, their looks and
// states, buttons, tool bars, tab bars, edits, combo boxes, shapes, the
// background manager, event registration and layouts loaded from our XML.
#include <algorithm>
#include <cstdio>
#include <sstream>

#include <pugixml.hpp>

#include "../sim_control.h"
#include "toolkit_internal.h"

namespace trvsim::xc {

namespace {

std::vector<HELE>* childListOf(HXCGUI parent) {
    if (Element* e = elementOf(parent)) return &e->children;
    if (WindowObject* w = windowOf(parent)) return &w->children;
    return nullptr;
}

// Elements created from layout files, in the order they were made.
std::vector<HELE>& namedElements() {
    static auto* list = new std::vector<HELE>;
    return *list;
}

Element* requireElement(HELE element, const char* function) {
    Element* e = elementOf(element);
    if (!e) std::fprintf(stderr, "toolkit stand-in: %s on a handle that is not a live element\n", function);
    return e;
}

HBKM backgroundOf(HXCGUI owner, HXCGUI& slot) {
    if (!slot) {
        auto manager = std::make_unique<BackgroundManager>();
        manager->type = XC_BKINFOM;
        manager->owner = owner;
        slot = addObject(std::move(manager));
    }
    return slot;
}

int typeOfTag(const std::string& tag) {
    static const std::pair<const char*, int> tags[] = {
        {"element", XC_ELE},     {"layout", XC_LAYOUT},   {"button", XC_BUTTON}, {"toolbar", XC_TOOLBAR},
        {"combobox", XC_COMBOBOX}, {"edit", XC_EDIT},     {"tabbar", XC_TABBAR}, {"text", XC_SHAPE_TEXT},
        {"scrollbar", XC_SCROLLBAR},
    };
    for (auto& [name, type] : tags)
        if (tag == name) return type;
    return XC_ERROR;
}

std::u16string attributeText(const pugi::xml_node& node, const char* name) {
    return gbkToUtf16(utf8ToGbk(node.attribute(name).value()));
}

// Creates the element of one layout node and its children; nullptr when the
// node is not an element the toolkit knows.
HELE loadNode(const pugi::xml_node& node, HXCGUI parent) {
    int type = typeOfTag(node.name());
    if (type == XC_ERROR) return nullptr;
    int x = node.attribute("x").as_int(), y = node.attribute("y").as_int();
    int width = node.attribute("width").as_int(), height = node.attribute("height").as_int();
    Element* e;
    switch (type) {
        case XC_BUTTON: e = makeElement<Button>(type, x, y, width, height, parent); break;
        case XC_COMBOBOX: e = makeElement<ComboBox>(type, x, y, width, height, parent); break;
        case XC_TABBAR: e = makeElement<TabBar>(type, x, y, width, height, parent); break;
        default: e = makeElement<Element>(type, x, y, width, height, parent); break;
    }
    e->name = attributeText(node, "name");
    e->text = attributeText(node, "text");
    HELE handle = e->handle;
    if (!e->name.empty()) namedElements().push_back(handle);
    for (pugi::xml_node child : node.children())
        if (!loadNode(child, handle)) return nullptr;
    return handle;
}

}  // namespace

void attachChild(HXCGUI parent, HELE child, int index) {
    std::vector<HELE>* list = childListOf(parent);
    Element* e = elementOf(child);
    if (!list || !e) return;
    detachChild(child);
    e->parent = parent;
    if (index < 0 || size_t(index) > list->size())
        list->push_back(child);
    else
        list->insert(list->begin() + index, child);
}

int childCount(HXCGUI parent) {
    std::vector<HELE>* list = childListOf(parent);
    return list ? int(list->size()) : 0;
}

HXCGUI childAt(HXCGUI parent, int index) {
    std::vector<HELE>* list = childListOf(parent);
    if (!list || index < 0 || size_t(index) >= list->size()) return nullptr;
    return (*list)[size_t(index)];
}

void detachChild(HELE child) {
    Element* e = elementOf(child);
    if (!e || !e->parent) return;
    if (std::vector<HELE>* list = childListOf(e->parent)) std::erase(*list, child);
    e->parent = nullptr;
}

void destroyElement(HELE element) {
    Element* e = elementOf(element);
    if (!e) return;
    std::vector<HELE> children = e->children;
    for (HELE child : children) destroyElement(child);
    detachChild(element);
    std::erase(namedElements(), element);
    if (e->background) toolkit().objects.erase(reinterpret_cast<UINT_PTR>(e->background));
    toolkit().objects.erase(reinterpret_cast<UINT_PTR>(element));
}

HWINDOW windowOfElement(HXCGUI element) {
    HXCGUI at = element;
    while (Element* e = elementOf(at)) at = e->parent;
    return windowOf(at) ? at : nullptr;
}

SIMAPI HELE elementNamed(const std::u16string& name) {
    for (HELE handle : namedElements())
        if (Element* e = elementOf(handle); e && e->name == name) return handle;
    return nullptr;
}

}  // namespace trvsim::xc

using namespace trvsim;
using namespace trvsim::xc;

// Resources

SIMAPI COLORREF WINAPI XRes_GetColor(const WCHAR* name) {
    auto& colours = toolkit().colours;
    auto it = colours.find(textOf(name));
    return it == colours.end() ? 0 : it->second;
}

SIMAPI HIMAGE WINAPI XRes_GetImage(const WCHAR* name) {
    auto& images = toolkit().images;
    auto it = images.find(textOf(name));
    if (it == images.end()) return nullptr;
    auto image = std::make_unique<Image>();
    image->type = XC_IMAGE;
    image->file = it->second;
    return addObject(std::move(image));
}

// Layouts

SIMAPI HXCGUI WINAPI XC_LoadLayout(const WCHAR* fileName, HXCGUI parent) {
    requireInitialised("XC_LoadLayout");
    std::string content;
    pugi::xml_document document;
    if (!readFile(fileName, content) || !document.load_buffer(content.data(), content.size())) return nullptr;
    pugi::xml_node root = document.first_child();
    if (!root || root.next_sibling()) return nullptr;
    HELE made = loadNode(root, parent);
    if (!made) return nullptr;
    toolkit().layoutsLoaded.push_back(textOf(fileName));
    return made;
}

SIMAPI HXCGUI WINAPI XC_GetObjectByName(const WCHAR* name) { return elementNamed(textOf(name)); }

// Events

static BOOL registerHandler(HXCGUI handle, int event, void* handler, bool withHandle) {
    Object* object = objectOf(handle);
    if (!object || !handler) return FALSE;
    object->events[event].push_back({handler, withHandle});
    return TRUE;
}

SIMAPI BOOL WINAPI XEle_RegEventC(HELE element, int event, void* handler) {
    return elementOf(element) && registerHandler(element, event, handler, false);
}
SIMAPI BOOL WINAPI XEle_RegEventC1(HELE element, int event, void* handler) {
    return elementOf(element) && registerHandler(element, event, handler, true);
}
SIMAPI BOOL WINAPI XWnd_RegEventC(HWINDOW window, int event, void* handler) {
    return windowOf(window) && registerHandler(window, event, handler, false);
}
SIMAPI BOOL WINAPI XWnd_RegEventC1(HWINDOW window, int event, void* handler) {
    return windowOf(window) && registerHandler(window, event, handler, true);
}

// Raises an event that carries no arguments of its own, as if the user had caused it.
SIMAPI int WINAPI XEle_SendEvent(HELE element, HELE, int event, WPARAM wParam, LPARAM) {
    if (!elementOf(element)) return 0;
    int result = 0;
    if (event == XE_SIZE)
        raiseEvent(element, event, &result, int(wParam));
    else
        raiseEvent(element, event, &result);
    return result;
}

// Backgrounds

SIMAPI HBKM WINAPI XEle_GetBkManager(HELE element) {
    Element* e = elementOf(element);
    return e ? backgroundOf(element, e->background) : nullptr;
}

SIMAPI HBKM WINAPI XWnd_GetBkManager(HWINDOW window) {
    WindowObject* w = windowOf(window);
    return w ? backgroundOf(window, w->background) : nullptr;
}

SIMAPI int WINAPI XBkM_SetBkInfo(HBKM manager, const WCHAR* text) {
    auto* m = dynamic_cast<BackgroundManager*>(objectOf(manager));
    Object* owner = m ? objectOf(m->owner) : nullptr;
    if (!owner) return 0;
    owner->bkInfo = textOf(text);
    return 1;
}

// Elements

SIMAPI HELE WINAPI XEle_Create(int x, int y, int width, int height, HXCGUI parent) {
    requireInitialised("XEle_Create");
    return makeElement<Element>(XC_ELE, x, y, width, height, parent)->handle;
}

SIMAPI void WINAPI XEle_SetToolTip(HELE element, const WCHAR* text) {
    if (Element* e = requireElement(element, "XEle_SetToolTip")) e->tooltip = textOf(text);
}

SIMAPI const WCHAR* WINAPI XEle_GetToolTip(HELE element) {
    Element* e = elementOf(element);
    return e ? e->tooltip.c_str() : nullptr;
}

SIMAPI void WINAPI XEle_SetTextColor(HELE element, COLORREF colour, BYTE alpha) {
    if (Element* e = requireElement(element, "XEle_SetTextColor")) {
        e->textColour = colour;
        e->textAlpha = alpha;
    }
}

SIMAPI void WINAPI XEle_SetPadding(HELE element, int left, int top, int right, int bottom) {
    if (Element* e = requireElement(element, "XEle_SetPadding")) e->padding = {left, top, right, bottom};
}

SIMAPI void WINAPI XEle_SetWidth(HELE element, int width) {
    if (Element* e = requireElement(element, "XEle_SetWidth")) e->rect.right = e->rect.left + width;
}

SIMAPI void WINAPI XEle_SetHeight(HELE element, int height) {
    if (Element* e = requireElement(element, "XEle_SetHeight")) e->rect.bottom = e->rect.top + height;
}

SIMAPI int WINAPI XEle_GetWidth(HELE element) {
    Element* e = elementOf(element);
    return e ? e->rect.right - e->rect.left : 0;
}

SIMAPI int WINAPI XEle_GetHeight(HELE element) {
    Element* e = elementOf(element);
    return e ? e->rect.bottom - e->rect.top : 0;
}

SIMAPI void WINAPI XEle_EnableMouseThrough(HELE element, BOOL enable) {
    if (Element* e = requireElement(element, "XEle_EnableMouseThrough")) e->mouseThrough = enable;
}

SIMAPI void WINAPI XEle_Enable(HELE element, BOOL enable) {
    if (Element* e = requireElement(element, "XEle_Enable")) e->enabled = enable;
}

SIMAPI void WINAPI XEle_Show(HELE element, BOOL show) {
    if (Element* e = requireElement(element, "XEle_Show")) e->visible = show;
}

SIMAPI void WINAPI XEle_EnableBkTransparent(HELE element, BOOL enable) {
    if (Element* e = requireElement(element, "XEle_EnableBkTransparent")) e->backgroundTransparent = enable;
}

SIMAPI BOOL WINAPI XEle_IsBkTransparent(HELE element) {
    Element* e = elementOf(element);
    return e && e->backgroundTransparent;
}

SIMAPI void WINAPI XEle_Redraw(HELE element, BOOL) {
    if (Element* e = elementOf(element)) ++e->redraws;
}

SIMAPI void WINAPI XEle_AdjustLayout(HELE element) {
    if (Element* e = elementOf(element)) ++e->layoutAdjustments;
}

// The element's rectangle in the client coordinates of its window.
SIMAPI void WINAPI XEle_GetWndClientRect(HELE element, RECT* rect) {
    Element* e = elementOf(element);
    if (!e || !rect) return;
    *rect = {0, 0, e->rect.right - e->rect.left, e->rect.bottom - e->rect.top};
    XEle_RectClientToWndClient(element, rect);
}

// Moves a rectangle given in the element's client coordinates into its window's.
SIMAPI void WINAPI XEle_RectClientToWndClient(HELE element, RECT* rect) {
    if (!rect) return;
    for (Element* e = elementOf(element); e; e = elementOf(e->parent)) {
        rect->left += e->rect.left;
        rect->right += e->rect.left;
        rect->top += e->rect.top;
        rect->bottom += e->rect.top;
    }
}

SIMAPI HXCGUI WINAPI XEle_GetParent(HELE element) {
    Element* e = elementOf(element);
    return e ? e->parent : nullptr;
}

SIMAPI int WINAPI XEle_GetChildCount(HELE element) { return elementOf(element) ? childCount(element) : 0; }

SIMAPI HXCGUI WINAPI XEle_GetChildByIndex(HELE element, int index) {
    return elementOf(element) ? childAt(element, index) : nullptr;
}

SIMAPI void WINAPI XEle_SetLayoutWidth(HXCGUI element, int mode, int width) {
    if (Element* e = requireElement(element, "XEle_SetLayoutWidth")) {
        e->widthMode = mode;
        if (mode == XC_LAYOUT_SIZE_FIXED) e->rect.right = e->rect.left + width;
    }
}

SIMAPI void WINAPI XEle_SetLayoutHeight(HXCGUI element, int mode, int height) {
    if (Element* e = requireElement(element, "XEle_SetLayoutHeight")) {
        e->heightMode = mode;
        if (mode == XC_LAYOUT_SIZE_FIXED) e->rect.bottom = e->rect.top + height;
    }
}

SIMAPI HELE WINAPI XLayout_Create(int x, int y, int width, int height, HXCGUI parent) {
    requireInitialised("XLayout_Create");
    return makeElement<Element>(XC_LAYOUT, x, y, width, height, parent)->handle;
}

SIMAPI void WINAPI XLayout_SetSpace(HELE layout, int space) {
    if (Element* e = elementAs<Element>(layout, XC_LAYOUT)) e->space = space;
}

SIMAPI void WINAPI XLayout_SetPadding(HELE layout, int left, int top, int right, int bottom) {
    if (Element* e = elementAs<Element>(layout, XC_LAYOUT)) e->padding = {left, top, right, bottom};
}

SIMAPI void WINAPI XLayout_SetAlignV(HELE layout, int align) {
    if (Element* e = elementAs<Element>(layout, XC_LAYOUT)) e->alignV = align;
}

SIMAPI HXCGUI WINAPI XShapeText_Create(int x, int y, int width, int height, const WCHAR* text, HXCGUI parent) {
    requireInitialised("XShapeText_Create");
    Element* shape = makeElement<Element>(XC_SHAPE_TEXT, x, y, width, height, parent);
    shape->text = textOf(text);
    return shape->handle;
}

SIMAPI void WINAPI XShapeText_SetTextColor(HXCGUI shape, COLORREF colour, BYTE alpha) {
    if (Element* e = elementAs<Element>(shape, XC_SHAPE_TEXT)) {
        e->textColour = colour;
        e->textAlpha = alpha;
    }
}

// Buttons

SIMAPI HELE WINAPI XBtn_Create(int x, int y, int width, int height, const WCHAR* text, HXCGUI parent) {
    requireInitialised("XBtn_Create");
    Button* button = makeElement<Button>(XC_BUTTON, x, y, width, height, parent);
    button->text = textOf(text);
    return button->handle;
}

SIMAPI void WINAPI XBtn_SetText(HELE button, const WCHAR* text) {
    if (Button* b = elementAs<Button>(button, XC_BUTTON)) b->text = textOf(text);
}

SIMAPI const WCHAR* WINAPI XBtn_GetText(HELE button) {
    Button* b = elementAs<Button>(button, XC_BUTTON);
    return b ? b->text.c_str() : nullptr;
}

SIMAPI void WINAPI XBtn_SetIcon(HELE button, HIMAGE image) {
    if (Button* b = elementAs<Button>(button, XC_BUTTON)) b->icon = image;
}

SIMAPI void WINAPI XBtn_SetType(HELE button, int type) {
    if (Button* b = elementAs<Button>(button, XC_BUTTON)) b->buttonType = type;
}

SIMAPI int WINAPI XBtn_GetType(HELE button) {
    Button* b = elementAs<Button>(button, XC_BUTTON);
    return b ? b->buttonType : 0;
}

// Changes the check state; event 35 tells the change.
SIMAPI BOOL WINAPI XBtn_SetCheck(HELE button, BOOL check) {
    Button* b = elementAs<Button>(button, XC_BUTTON);
    if (!b) return FALSE;
    bool changed = b->checked != bool(check);
    b->checked = check;
    if (changed) raiseEvent(button, XE_BUTTON_CHECK, nullptr, BOOL(check));
    return TRUE;
}

SIMAPI BOOL WINAPI XBtn_IsCheck(HELE button) {
    Button* b = elementAs<Button>(button, XC_BUTTON);
    return b && b->checked;
}

// Tool bars and tab bars

SIMAPI int WINAPI XToolBar_InsertEle(HELE toolBar, HELE element, int index) {
    Element* bar = elementAs<Element>(toolBar, XC_TOOLBAR);
    if (!bar || !elementOf(element)) return -1;
    attachChild(toolBar, element, index);
    auto& children = bar->children;
    return int(std::find(children.begin(), children.end(), element) - children.begin());
}

SIMAPI void WINAPI XTabBar_EnableTile(HELE tabBar, BOOL tile) {
    if (TabBar* t = elementAs<TabBar>(tabBar, XC_TABBAR)) t->tile = tile;
}

SIMAPI void WINAPI XTabBar_SetLabelSpacing(HELE tabBar, int spacing) {
    if (TabBar* t = elementAs<TabBar>(tabBar, XC_TABBAR)) t->labelSpacing = spacing;
}

// Edits and combo boxes (a combo box is an edit with a list)

SIMAPI void WINAPI XEdit_SetText(HELE edit, const WCHAR* text) {
    Element* e = elementOf(edit);
    if (e && (e->type == XC_EDIT || e->type == XC_COMBOBOX)) e->text = textOf(text);
}

SIMAPI HELE WINAPI XComboBox_Create(int x, int y, int width, int height, HXCGUI parent) {
    requireInitialised("XComboBox_Create");
    return makeElement<ComboBox>(XC_COMBOBOX, x, y, width, height, parent)->handle;
}

SIMAPI void WINAPI XComboBox_EnableEdit(HELE combo, BOOL enable) {
    if (ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX)) c->editable = enable;
}

SIMAPI BOOL WINAPI XComboBox_SetItemTemplateXML(HELE combo, const WCHAR* fileName) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    std::string content;
    if (!c || !readFile(fileName, content)) return FALSE;
    c->itemTemplate = textOf(fileName);
    return TRUE;
}

SIMAPI HXCGUI WINAPI XComboBox_CreateAdapter(HELE combo) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    if (!c) return nullptr;
    c->adapter = true;
    return combo;
}

static ComboBox* comboWithAdapter(HELE combo, const char* function) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    if (c && !c->adapter) {
        std::fprintf(stderr, "toolkit stand-in: %s on a combo box without an adapter\n", function);
        std::abort();
    }
    return c;
}

SIMAPI BOOL WINAPI XComboBox_DeleteItemAll(HELE combo) {
    ComboBox* c = comboWithAdapter(combo, "XComboBox_DeleteItemAll");
    if (!c) return FALSE;
    c->items.clear();
    return TRUE;
}

SIMAPI int WINAPI XComboBox_AddItemText(HELE combo, const WCHAR* text) {
    ComboBox* c = comboWithAdapter(combo, "XComboBox_AddItemText");
    if (!c) return -1;
    c->items.push_back(textOf(text));
    return int(c->items.size()) - 1;
}

SIMAPI const WCHAR* WINAPI XComboBox_GetItemText(HELE combo, int item, int column) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    if (!c || column != 0 || item < 0 || size_t(item) >= c->items.size()) return nullptr;
    return c->items[size_t(item)].c_str();
}

// The combo box stands for its own adapter once it has one.
SIMAPI HXCGUI WINAPI XComboBox_GetAdapter(HELE combo) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    return c && c->adapter ? combo : nullptr;
}

SIMAPI int WINAPI XComboBox_GetCount(HELE combo) {
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    return c ? int(c->items.size()) : 0;
}

// What a user does

namespace trvsim::xc {

SIMAPI void userClick(HELE button) {
    Button* b = elementAs<Button>(button, XC_BUTTON);
    if (!b || !b->enabled) return;
    if (b->buttonType == 1) XBtn_SetCheck(button, !b->checked);
    raiseEvent(button, XE_BUTTON_CLICK, nullptr);
}

SIMAPI void userHover(HELE element, bool enter) {
    if (elementOf(element)) raiseEvent(element, enter ? XE_MOUSE_ENTER : XE_MOUSE_LEAVE, nullptr);
}

SIMAPI bool userPickComboItem(HELE combo, int index) {
    if (!elementAs<ComboBox>(combo, XC_COMBOBOX)) return false;
    raiseEvent(combo, XE_COMBOBOX_POPUP, nullptr);
    ComboBox* c = elementAs<ComboBox>(combo, XC_COMBOBOX);
    if (!c || index < 0 || size_t(index) >= c->items.size()) return false;
    if (raiseEvent(combo, XE_COMBOBOX_SELECT, nullptr, index)) return false;
    c->text = c->items[size_t(index)];
    return true;
}

SIMAPI void userResizeElement(HELE element, int width, int height) {
    Element* e = elementOf(element);
    if (!e) return;
    e->rect.right = e->rect.left + width;
    e->rect.bottom = e->rect.top + height;
    raiseEvent(element, XE_SIZE, nullptr, 0);
}

}  // namespace trvsim::xc
