// The MDI client: its pages (MDI children) in activation order, the active
// page first. Activating a page sends WM_MDIACTIVATE (deactivated page,
// activated page) to the page losing activation, then to the one gaining it.
// Pages are numbered from the client's first child identifier in creation
// order, without gaps.
#include <algorithm>

#include "controls.h"

namespace trvsim {

namespace {

const char* const MdiClass = "MDIClient";

struct MdiState : ControlState {
    std::vector<HWND> pages;  // active first, then in the order they were last active
    HWND active{};
    UINT firstChildId = 0;

    bool has(HWND page) const { return std::find(pages.begin(), pages.end(), page) != pages.end(); }
    void remove(HWND page) { pages.erase(std::remove(pages.begin(), pages.end(), page), pages.end()); }
};

// Forgets pages that were destroyed or moved elsewhere without WM_MDIDESTROY,
// closing the gaps they leave in the numbering. Lock held.
void forgetLostPages(Window& client, MdiState& mdi) {
    for (HWND page : std::vector<HWND>(mdi.pages)) {
        Window* w = findWindow(page);
        if (w && w->parent == client.handle) continue;
        mdi.remove(page);
        if (mdi.active == page) mdi.active = nullptr;
    }
    std::vector<Window*> byId;
    for (HWND page : mdi.pages) byId.push_back(findWindow(page));
    std::sort(byId.begin(), byId.end(), [](Window* a, Window* b) { return a->id < b->id; });
    for (size_t i = 0; i < byId.size(); ++i) byId[i]->id = int(mdi.firstChildId + i);
}

template <class Action>
auto withPages(HWND client, Action action) {
    using Result = decltype(action(std::declval<MdiState&>()));
    return withControl<MdiState>(client, Result{}, [&](Window& w, MdiState& mdi) {
        forgetLostPages(w, mdi);
        return action(mdi);
    });
}

void activate(HWND client, HWND page) {
    HWND previous{};
    bool changed = withPages(client, [&](MdiState& mdi) {
        if (!mdi.has(page) || mdi.active == page) return false;
        previous = mdi.active;
        mdi.active = page;
        mdi.remove(page);
        mdi.pages.insert(mdi.pages.begin(), page);
        return true;
    });
    if (!changed) return;
    if (previous) sendInternal(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(page));
    sendInternal(page, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(page));
}

// The page after `page` in activation order (`forward`) or before it,
// wrapping around, skipping hidden and disabled pages; null when none. Lock held.
HWND neighbour(const MdiState& mdi, HWND page, bool forward) {
    auto at = std::find(mdi.pages.begin(), mdi.pages.end(), page);
    if (at == mdi.pages.end()) return nullptr;
    size_t count = mdi.pages.size(), from = size_t(at - mdi.pages.begin());
    for (size_t step = 1; step < count; ++step) {
        HWND candidate = mdi.pages[(from + (forward ? step : count - step)) % count];
        Window* w = findWindow(candidate);
        if ((w->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) return candidate;
    }
    return nullptr;
}

LRESULT createPage(HWND client, const MDICREATESTRUCTA* request) {
    if (!request) return 0;
    DWORD clientStyle = 0;
    UINT id = withPages(client, [&](MdiState& mdi) { return UINT(mdi.firstChildId + mdi.pages.size()); });
    withControl<MdiState>(client, 0, [&](Window& w, MdiState&) {
        clientStyle = w.style;
        return 0;
    });
    DWORD style = request->style | WS_CHILD | WS_CLIPSIBLINGS;
    if (!(clientStyle & MDIS_ALLCHILDSTYLES)) style |= WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    MDICREATESTRUCTA creation = *request;
    HWND page = CreateWindowExA(WS_EX_MDICHILD, request->szClass, request->szTitle, style, request->x, request->y,
                                request->cx, request->cy, client, reinterpret_cast<HMENU>(UINT_PTR(id)),
                                reinterpret_cast<HINSTANCE>(request->hOwner), &creation);
    if (!page) return 0;
    withPages(client, [&](MdiState& mdi) {
        mdi.pages.push_back(page);
        return 0;
    });
    activate(client, page);
    return reinterpret_cast<LRESULT>(page);
}

// WM_MDIDESTROY: an active page hands the activation to the next page first.
LRESULT destroyPage(HWND client, HWND page) {
    HWND successor{};
    bool wasActive = false;
    if (!withPages(client, [&](MdiState& mdi) {
            if (!mdi.has(page)) return false;
            wasActive = mdi.active == page;
            if (wasActive) successor = neighbour(mdi, page, true);
            return true;
        }))
        return 0;
    if (successor) {
        activate(client, successor);
    } else if (wasActive) {
        withPages(client, [&](MdiState& mdi) {
            mdi.active = nullptr;
            return 0;
        });
        sendInternal(page, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(page), 0);
    }
    DestroyWindow(page);
    withPages(client, [&](MdiState& mdi) {
        mdi.remove(page);
        return 0;
    });
    return 0;
}

// WM_MDINEXT: activates the page after (or before) the given or active one;
// going forward sends the page left behind to the end of the order.
LRESULT nextPage(HWND client, HWND from, bool backward) {
    HWND target = withPages(client, [&](MdiState& mdi) {
        if (!from) from = mdi.active;
        return neighbour(mdi, from, !backward);
    });
    if (!target) return 0;
    activate(client, target);
    if (!backward)
        withPages(client, [&](MdiState& mdi) {
            if (mdi.has(from)) {
                mdi.remove(from);
                mdi.pages.push_back(from);
            }
            return 0;
        });
    return 0;
}

LRESULT CALLBACK mdiClientProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            auto* client = static_cast<const CLIENTCREATESTRUCT*>(creation->lpCreateParams);
            withControl<MdiState>(window, 0, [&](Window&, MdiState& mdi) {
                mdi.firstChildId = client ? client->idFirstChild : 0;
                return 0;
            });
            return 0;
        }
        case WM_MDICREATE: return createPage(window, reinterpret_cast<const MDICREATESTRUCTA*>(lParam));
        case WM_MDIDESTROY: return destroyPage(window, reinterpret_cast<HWND>(wParam));
        case WM_MDIACTIVATE: activate(window, reinterpret_cast<HWND>(wParam)); return 0;
        case WM_MDINEXT: return nextPage(window, reinterpret_cast<HWND>(wParam), lParam != 0);
        case WM_MDIGETACTIVE: {
            HWND active = withPages(window, [](MdiState& mdi) { return mdi.active; });
            if (auto* maximized = reinterpret_cast<BOOL*>(lParam)) {
                std::lock_guard<std::mutex> held(state().lock);
                Window* w = findWindow(active);
                *maximized = w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
            }
            return reinterpret_cast<LRESULT>(active);
        }
    }
    if (inRanges(message, {{WM_MDICREATE, WM_MDISETMENU}, {WM_MDIREFRESHMENU, WM_MDIREFRESHMENU}}))
        controlNotSimulated(MdiClass, message);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void registerMdiClientClass() { registerWindowClass(MdiClass, mdiClientProcedure); }

}  // namespace trvsim

using namespace trvsim;

// Closing a page asks its MDI client to destroy it.
SIMAPI LRESULT WINAPI DefMDIChildProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        sendInternal(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
