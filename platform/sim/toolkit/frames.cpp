// Windows, frame windows and panes of the toolkit stand-in: window looks and
// layout, panes docked in groups with their tab strips and tab bars, panes
// floating in windows of their own.
#include <algorithm>

#include "../sim_control.h"
#include "toolkit_internal.h"

namespace trvsim::xc {

namespace {

constexpr int captionButtonCount = 3;
constexpr int captionButtonHeight = 16;

// The tab buttons and labels the toolkit makes for groups click through this.
int CALLBACK tabClicked(HELE button, BOOL*) {
    for (PaneGroup& group : toolkit().paneGroups) {
        for (HELE strip : {group.tabStrip, group.tabBar}) {
            Element* e = elementOf(strip);
            if (!e) continue;
            auto& tabs = e->children;
            size_t first = strip == group.tabBar ? 1 : 0;
            for (size_t i = first; i < tabs.size(); ++i)
                if (tabs[i] == button && i - first < group.panes.size()) {
                    userSelectPaneTab(group.panes[i - first]);
                    return 0;
                }
        }
    }
    return 0;
}

HELE makeTab(HXCGUI parent, const std::u16string& caption) {
    Button* tab = makeElement<Button>(XC_BUTTON, 0, 0, 80, 24, parent);
    tab->text = caption;
    tab->buttonType = 1;
    tab->events[XE_BUTTON_CLICK].push_back({reinterpret_cast<void*>(&tabClicked), true});
    return tab->handle;
}

void showFront(PaneGroup& group) {
    for (HELE strip : {group.tabStrip, group.tabBar}) {
        Element* e = elementOf(strip);
        if (!e) continue;
        size_t first = strip == group.tabBar ? 1 : 0;
        for (size_t i = 0; i < group.panes.size() && first + i < e->children.size(); ++i)
            XBtn_SetCheck(e->children[first + i], group.panes[i] == group.front);
    }
}

void dockChanged(HWINDOW frame) { raiseEvent(frame, XWM_DOCK_CHANGED, nullptr); }

PaneGroup& newGroup(HWINDOW frame, int dock, HELE pane) {
    toolkit().paneGroups.push_back({frame, dock, {pane}, pane, nullptr, nullptr});
    return toolkit().paneGroups.back();
}

}  // namespace

void rebuildGroup(PaneGroup& group) {
    destroyElement(group.tabStrip);
    destroyElement(group.tabBar);
    group.tabStrip = group.tabBar = nullptr;
    if (group.panes.size() >= 2) {
        group.tabStrip = makeElement<Element>(XC_ELE, 0, 0, 320, 24, group.frame)->handle;
        group.tabBar = makeElement<TabBar>(XC_TABBAR, 0, 0, 320, 24, group.frame)->handle;
        makeElement<Element>(XC_ELE, 0, 0, 320, 24, group.tabBar);  // the label area
        for (HELE pane : group.panes) {
            makeTab(group.tabStrip, elementOf(pane)->text);
            makeTab(group.tabBar, elementOf(pane)->text);
        }
    }
    showFront(group);
}

SIMAPI PaneGroup* groupOf(HELE pane) {
    for (PaneGroup& group : toolkit().paneGroups)
        if (std::find(group.panes.begin(), group.panes.end(), pane) != group.panes.end()) return &group;
    return nullptr;
}

SIMAPI std::vector<HELE> panesOf(HWINDOW frame) {
    std::vector<HELE> panes;
    for (auto& [handle, object] : toolkit().objects)
        if (object->type == XC_PANE && static_cast<Pane*>(object.get())->frame == frame) panes.push_back(object->handle);
    return panes;  // in creation order: handles only grow
}

SIMAPI void userSelectPaneTab(HELE pane) {
    PaneGroup* group = groupOf(pane);
    if (!group || group->front == pane) return;
    group->front = pane;
    showFront(*group);
}

SIMAPI HWINDOW userFloatPane(HELE handle) {
    Pane* pane = elementAs<Pane>(handle, XC_PANE);
    PaneGroup* group = groupOf(handle);
    if (!pane || !group || !pane->shown) return nullptr;
    HWINDOW frame = group->frame;
    std::erase(group->panes, handle);
    if (group->front == handle) group->front = group->panes.empty() ? nullptr : group->panes.front();
    rebuildGroup(*group);
    if (group->panes.empty()) std::erase_if(toolkit().paneGroups, [](const PaneGroup& g) { return g.panes.empty(); });

    HWINDOW floating = createWindow(XC_FLOATWINDOW, 0, 0, "XCGUI_FloatWindow", 100, 100, 320, 260,
                                    pane->text.c_str(), XWnd_GetHWND(frame));
    windowOf(floating)->floatingPane = handle;
    pane->floatingWindow = floating;
    attachChild(floating, handle, -1);
    raiseEvent(frame, XWM_FLOAT_PANE, nullptr, floating, handle);
    dockChanged(frame);
    return floating;
}

SIMAPI void userCloseWindow(HWINDOW window) {
    WindowObject* w = windowOf(window);
    if (!w || raiseEvent(window, XWM_CLOSE, nullptr)) return;
    w = windowOf(window);
    if (!w) return;
    // A floating pane's window gives the pane back to its dock.
    if (Pane* pane = elementAs<Pane>(w->floatingPane, XC_PANE)) {
        HELE handle = pane->handle;
        pane->floatingWindow = nullptr;
        attachChild(pane->frame, handle, -1);
        auto& groups = toolkit().paneGroups;
        auto home = std::find_if(groups.begin(), groups.end(),
                                 [&](const PaneGroup& g) { return g.frame == pane->frame && g.dock == pane->dock; });
        PaneGroup& group = home != groups.end() ? *home : newGroup(pane->frame, pane->dock, handle);
        if (home != groups.end()) group.panes.push_back(handle);
        group.front = handle;
        rebuildGroup(group);
        HWINDOW frame = pane->frame;
        XWnd_CloseWindow(window);
        dockChanged(frame);
        return;
    }
    XWnd_CloseWindow(window);
}

}  // namespace trvsim::xc

using namespace trvsim;
using namespace trvsim::xc;

// Windows

SIMAPI void WINAPI XWnd_ShowWindow(HWINDOW window, int command) {
    if (WindowObject* w = windowOf(window)) {
        w->shown = command;
        ShowWindow(w->hwnd, command);
    }
}

SIMAPI void WINAPI XWnd_SetMinimumSize(HWINDOW window, int width, int height) {
    if (WindowObject* w = windowOf(window)) w->minimumSize = {width, height};
}

SIMAPI void WINAPI XWnd_SetTransparentType(HWINDOW window, int type) {
    if (WindowObject* w = windowOf(window)) w->transparentType = type;
}

SIMAPI void WINAPI XWnd_SetTransparentAlpha(HWINDOW window, BYTE alpha) {
    if (WindowObject* w = windowOf(window)) w->transparentAlpha = alpha;
}

SIMAPI void WINAPI XWnd_SetLayoutSize(HWINDOW window, int left, int top, int right, int bottom) {
    if (WindowObject* w = windowOf(window)) w->layoutSize = {left, top, right, bottom};
}

SIMAPI void WINAPI XWnd_BindLayoutEle(HWINDOW window, int position, HELE element) {
    WindowObject* w = windowOf(window);
    if (!w || position < 0 || position > 3) return;
    w->bound[position] = elementOf(element) ? element : nullptr;
}

SIMAPI void WINAPI XWnd_SetShadowInfo(HWINDOW window, int size, int depth, int angle, BOOL rightAngle,
                                      COLORREF colour) {
    if (WindowObject* w = windowOf(window)) w->shadow = {size, depth, angle, rightAngle, colour};
}

SIMAPI void WINAPI XWnd_AdjustLayout(HWINDOW window) {
    if (WindowObject* w = windowOf(window)) ++w->layoutAdjustments;
}

SIMAPI void WINAPI XWnd_RedrawWnd(HWINDOW window, BOOL) {
    if (WindowObject* w = windowOf(window)) ++w->redraws;
}

SIMAPI int WINAPI XWnd_GetChildCount(HWINDOW window) { return windowOf(window) ? childCount(window) : 0; }

SIMAPI HXCGUI WINAPI XWnd_GetChildByIndex(HWINDOW window, int index) {
    return windowOf(window) ? childAt(window, index) : nullptr;
}

// Frame windows and panes

SIMAPI void WINAPI XFrameWnd_SetView(HWINDOW frame, HELE view) {
    WindowObject* w = windowOf(frame);
    if (!w || w->type != XC_FRAMEWINDOW || !elementOf(view)) return;
    w->view = view;
    if (elementOf(view)->parent != frame) attachChild(frame, view, -1);
}

SIMAPI BOOL WINAPI XFrameWnd_AddPane(HWINDOW frame, HELE, HELE handle, int align) {
    Pane* pane = elementAs<Pane>(handle, XC_PANE);
    if (!pane || pane->frame != frame || groupOf(handle) || align < 0 || align > 3) return FALSE;
    pane->dock = align;
    newGroup(frame, align, handle);
    return TRUE;
}

SIMAPI BOOL WINAPI XFrameWnd_MergePane(HWINDOW frame, HELE destination, HELE handle) {
    Pane* pane = elementAs<Pane>(handle, XC_PANE);
    PaneGroup* group = groupOf(destination);
    if (!pane || pane->frame != frame || !group || group->frame != frame || groupOf(handle)) return FALSE;
    pane->dock = group->dock;
    group->panes.push_back(handle);
    group->front = handle;
    rebuildGroup(*group);
    return TRUE;
}

SIMAPI void WINAPI XFrameWnd_SetPaneSplitBarColor(HWINDOW frame, COLORREF colour, BYTE alpha) {
    if (WindowObject* w = windowOf(frame)) {
        w->splitBarColour = colour;
        w->splitBarAlpha = alpha;
    }
}

SIMAPI HELE WINAPI XPane_Create(const WCHAR* title, int width, int height, HWINDOW frame) {
    requireInitialised("XPane_Create");
    WindowObject* w = windowOf(frame);
    if (!w || w->type != XC_FRAMEWINDOW) return nullptr;
    Pane* pane = makeElement<Pane>(XC_PANE, 0, 0, width, height, frame);
    pane->text = textOf(title);
    pane->frame = frame;
    HELE handle = pane->handle;
    for (int i = 0; i < captionButtonCount; ++i) makeElement<Button>(XC_BUTTON, 0, 0, 16, captionButtonHeight, handle);
    return handle;
}

SIMAPI void WINAPI XPane_HidePane(HELE pane) {
    if (Pane* p = elementAs<Pane>(pane, XC_PANE)) p->shown = false;
}

SIMAPI void WINAPI XPane_ShowPane(HELE pane) {
    if (Pane* p = elementAs<Pane>(pane, XC_PANE)) p->shown = true;
}

SIMAPI BOOL WINAPI XPane_IsShowPane(HELE pane) {
    Pane* p = elementAs<Pane>(pane, XC_PANE);
    return p && p->shown;
}

SIMAPI void WINAPI XPane_SetView(HELE pane, HELE view) {
    Pane* p = elementAs<Pane>(pane, XC_PANE);
    if (!p || !elementOf(view)) return;
    p->view = view;
    if (elementOf(view)->parent != pane) attachChild(pane, view, -1);
}

SIMAPI const WCHAR* WINAPI XPane_GetTitle(HELE pane) {
    Pane* p = elementAs<Pane>(pane, XC_PANE);
    return p ? p->text.c_str() : nullptr;
}
