// The tree view: items in a tree of handles, the caret item, expand states,
// image lists and colours. The parent hears of selection changes, expansions
// and deletions through WM_NOTIFY, as from a real tree.
#include <algorithm>
#include <unordered_map>

#include "controls.h"

namespace trvsim {

namespace {

const char* const TreeClass = "SysTreeView32";

struct TreeItem {
    HTREEITEM parent{};  // null at the root level
    std::vector<HTREEITEM> children;
    std::string text;
    UINT state = 0;
    int image = 0;
    int selectedImage = 0;
    LPARAM param = 0;
    bool childrenGiven = false;  // cChildren set by the caller, else counted
    int childrenFlag = 0;
};

struct TreeState : ControlState {
    std::unordered_map<UINT_PTR, TreeItem> items;
    std::vector<HTREEITEM> roots;
    HTREEITEM caret{};
    HIMAGELIST normalImages{};
    HIMAGELIST stateImages{};
    COLORREF background = CLR_NONE;  // CLR_NONE: the system colour
    COLORREF textColour = CLR_NONE;

    TreeItem* find(HTREEITEM item) {
        auto it = items.find(reinterpret_cast<UINT_PTR>(item));
        return it == items.end() ? nullptr : &it->second;
    }
    std::vector<HTREEITEM>& siblingsUnder(HTREEITEM parent) { return parent ? find(parent)->children : roots; }
    std::vector<HTREEITEM>& siblingsOf(HTREEITEM item) { return siblingsUnder(find(item)->parent); }
};

// Item handles are unique in the process and never reused, small enough for
// the 32-bit integers the plug-in keeps them in. Lock held.
HTREEITEM newItemHandle() {
    static UINT_PTR next = 0x00A00010;
    next += 0x10;
    return reinterpret_cast<HTREEITEM>(next);
}

bool isRoot(HTREEITEM item) { return !item || item == TVI_ROOT; }

bool hasChildren(const TreeItem& item) {
    return item.childrenGiven ? item.childrenFlag != 0 : !item.children.empty();
}

bool isDescendant(TreeState& tree, HTREEITEM item, HTREEITEM ancestor) {
    for (TreeItem* at = tree.find(item); at && at->parent; at = tree.find(at->parent))
        if (at->parent == ancestor) return true;
    return false;
}

void collectSubtree(TreeState& tree, HTREEITEM item, std::vector<HTREEITEM>& out) {
    out.push_back(item);
    for (HTREEITEM child : tree.find(item)->children) collectSubtree(tree, child, out);
}

// An item as the tree's notifications describe it.
TVITEMA described(TreeState& tree, HTREEITEM handle) {
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    if (TreeItem* found = tree.find(handle)) {
        item.hItem = handle;
        item.state = found->state;
        item.stateMask = ~0u;
        item.lParam = found->param;
    }
    return item;
}

LRESULT sendTreeNotification(HWND tree, UINT code, UINT action, const TVITEMA& oldItem, const TVITEMA& newItem) {
    NMTREEVIEWA notification{};
    notification.action = action;
    notification.itemOld = oldItem;
    notification.itemNew = newItem;
    return notifyParent(tree, code, notification.hdr);
}

void checkItemMask(UINT mask, UINT message) {
    const UINT simulated = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE | TVIF_SELECTEDIMAGE |
                           TVIF_CHILDREN;
    if (mask & ~simulated) controlNotSimulated(TreeClass, message, "item fields beyond TVITEMA");
}

// Stores the fields of `given` that its mask names (insertion and TVM_SETITEMA).
void storeFields(TreeItem& item, const TVITEMA& given, UINT message) {
    checkItemMask(given.mask, message);
    if (given.mask & TVIF_TEXT) {
        if (given.pszText == LPSTR_TEXTCALLBACKA) controlNotSimulated(TreeClass, message, "item text callbacks");
        item.text = textAt(given.pszText);
    }
    if ((given.mask & TVIF_IMAGE && given.iImage == I_IMAGECALLBACK) ||
        (given.mask & TVIF_SELECTEDIMAGE && given.iSelectedImage == I_IMAGECALLBACK))
        controlNotSimulated(TreeClass, message, "item image callbacks");
    if (given.mask & TVIF_IMAGE) item.image = given.iImage;
    if (given.mask & TVIF_SELECTEDIMAGE) item.selectedImage = given.iSelectedImage;
    if (given.mask & TVIF_PARAM) item.param = given.lParam;
    if (given.mask & TVIF_STATE) item.state = (item.state & ~given.stateMask) | (given.state & given.stateMask);
    if (given.mask & TVIF_CHILDREN) {
        if (given.cChildren == I_CHILDRENCALLBACK) controlNotSimulated(TreeClass, message, "child count callbacks");
        item.childrenGiven = true;
        item.childrenFlag = given.cChildren;
    }
}

HTREEITEM insertItem(HWND window, const TVINSERTSTRUCTA* insert) {
    if (!insert) return nullptr;
    return withControl<TreeState>(window, HTREEITEM{}, [&](Window&, TreeState& tree) -> HTREEITEM {
        HTREEITEM parent = isRoot(insert->hParent) ? nullptr : insert->hParent;
        if (parent && !tree.find(parent)) return nullptr;
        TreeItem item;
        item.parent = parent;
        storeFields(item, insert->item, TVM_INSERTITEMA);
        auto& siblings = tree.siblingsUnder(parent);
        HTREEITEM after = insert->hInsertAfter;
        auto position = siblings.end();
        if (after == TVI_FIRST) {
            position = siblings.begin();
        } else if (after == TVI_SORT) {
            position = std::find_if(siblings.begin(), siblings.end(), [&](HTREEITEM sibling) {
                return compareTextNoCase(tree.find(sibling)->text, item.text) > 0;
            });
        } else if (after != TVI_LAST && after != TVI_ROOT) {
            auto at = std::find(siblings.begin(), siblings.end(), after);
            if (at == siblings.end()) controlNotSimulated(TreeClass, TVM_INSERTITEMA, "an insertion after an item of another parent");
            position = at + 1;
        }
        HTREEITEM handle = newItemHandle();
        siblings.insert(position, handle);
        tree.items[reinterpret_cast<UINT_PTR>(handle)] = std::move(item);
        return handle;
    });
}

BOOL selectItem(HWND window, HTREEITEM target);

// TVM_EXPAND, and the expansions a selection makes (`byUser`). Notifications
// go out on every expansion by the user, and for TVM_EXPAND only until the
// item has been expanded once.
BOOL expandItem(HWND window, HTREEITEM handle, UINT code, bool byUser) {
    if (code & (TVE_EXPANDPARTIAL | TVE_COLLAPSERESET))
        controlNotSimulated(TreeClass, TVM_EXPAND, "partial expansion and collapse-reset");
    enum class Step { Refused, AlreadyExpanded, Go };
    bool notify = false;
    TVITEMA item{};
    Step step = withControl<TreeState>(window, Step::Refused, [&](Window&, TreeState& tree) {
        TreeItem* found = tree.find(handle);
        if (!found || (code != TVE_COLLAPSE && code != TVE_EXPAND && code != TVE_TOGGLE)) return Step::Refused;
        bool expanded = found->state & TVIS_EXPANDED;
        if (code == TVE_TOGGLE) code = expanded ? TVE_COLLAPSE : TVE_EXPAND;
        if (code == TVE_EXPAND && expanded) return Step::AlreadyExpanded;
        if ((code == TVE_EXPAND && !hasChildren(*found)) || (code == TVE_COLLAPSE && !expanded)) return Step::Refused;
        notify = byUser || !(found->state & TVIS_EXPANDEDONCE);
        item = described(tree, handle);
        return Step::Go;
    });
    if (step != Step::Go) return step == Step::AlreadyExpanded;
    if (notify && sendTreeNotification(window, TVN_ITEMEXPANDINGA, code, TVITEMA{}, item)) return FALSE;
    bool caretHidden = false;
    bool done = withControl<TreeState>(window, false, [&](Window&, TreeState& tree) {
        TreeItem* found = tree.find(handle);
        if (!found || (code == TVE_EXPAND && found->children.empty())) return false;
        if (code == TVE_EXPAND) {
            found->state |= TVIS_EXPANDED;
        } else {
            found->state &= ~UINT(TVIS_EXPANDED);
            caretHidden = isDescendant(tree, tree.caret, handle);
        }
        item = described(tree, handle);
        return true;
    });
    if (!done) return FALSE;
    if (caretHidden) selectItem(window, handle);  // the caret leaves the items it can no longer show
    if (notify) {
        sendTreeNotification(window, TVN_ITEMEXPANDEDA, code, TVITEMA{}, item);
        if (code == TVE_EXPAND)
            withControl<TreeState>(window, 0, [&](Window&, TreeState& tree) {
                if (TreeItem* found = tree.find(handle)) found->state |= TVIS_EXPANDEDONCE;
                return 0;
            });
    }
    return TRUE;
}

// Makes `target` (or none) the caret item: TVN_SELCHANGINGA, which the parent
// may refuse, then the change, the collapsed ancestors expanded, TVN_SELCHANGEDA.
BOOL selectItem(HWND window, HTREEITEM target) {
    TVITEMA oldItem{}, newItem{};
    int outcome = withControl<TreeState>(window, -1, [&](Window&, TreeState& tree) {
        if (target && !tree.find(target)) return -1;
        if (tree.caret == target) return 0;
        oldItem = described(tree, tree.caret);
        newItem = described(tree, target);
        return 1;
    });
    if (outcome <= 0) return outcome == 0;
    if (sendTreeNotification(window, TVN_SELCHANGINGA, TVC_UNKNOWN, oldItem, newItem)) return FALSE;
    std::vector<HTREEITEM> collapsedAncestors;
    bool changed = withControl<TreeState>(window, false, [&](Window&, TreeState& tree) {
        if (target && !tree.find(target)) return false;
        if (TreeItem* old = tree.find(tree.caret)) old->state &= ~UINT(TVIS_SELECTED);
        tree.caret = target;
        if (!target) return true;
        TreeItem* item = tree.find(target);
        item->state |= TVIS_SELECTED;
        for (HTREEITEM up = item->parent; up; up = tree.find(up)->parent)
            if (!(tree.find(up)->state & TVIS_EXPANDED)) collapsedAncestors.push_back(up);
        newItem = described(tree, target);
        return true;
    });
    if (!changed) return FALSE;
    for (HTREEITEM ancestor : collapsedAncestors) expandItem(window, ancestor, TVE_EXPAND, true);
    sendTreeNotification(window, TVN_SELCHANGEDA, TVC_UNKNOWN, oldItem, newItem);
    return TRUE;
}

// Deletes an item with its subtree, or every item for TVI_ROOT and 0. Each
// deleted item is announced (TVN_DELETEITEMA, parents first); a deleted caret
// passes to the next sibling, else the previous one, else the parent.
BOOL deleteItem(HWND window, HTREEITEM target) {
    std::vector<HTREEITEM> doomed;
    std::vector<TVITEMA> announced;
    HTREEITEM successor{};
    bool known = withControl<TreeState>(window, false, [&](Window&, TreeState& tree) {
        if (isRoot(target)) {
            for (HTREEITEM root : tree.roots) collectSubtree(tree, root, doomed);
        } else {
            if (!tree.find(target)) return false;
            collectSubtree(tree, target, doomed);
            if (tree.caret == target || isDescendant(tree, tree.caret, target)) {
                auto& siblings = tree.siblingsOf(target);
                auto at = std::find(siblings.begin(), siblings.end(), target);
                if (at + 1 != siblings.end())
                    successor = *(at + 1);
                else if (at != siblings.begin())
                    successor = *(at - 1);
                else
                    successor = tree.find(target)->parent;
            }
        }
        for (HTREEITEM item : doomed) {
            TVITEMA old = described(tree, item);
            old.mask = TVIF_HANDLE | TVIF_PARAM;
            announced.push_back(old);
        }
        return true;
    });
    if (!known) return FALSE;
    for (const TVITEMA& old : announced) sendTreeNotification(window, TVN_DELETEITEMA, 0, old, TVITEMA{});
    withControl<TreeState>(window, 0, [&](Window&, TreeState& tree) {
        for (auto item = doomed.rbegin(); item != doomed.rend(); ++item) {  // children before their parents
            if (!tree.find(*item)) continue;
            auto& siblings = tree.siblingsOf(*item);
            siblings.erase(std::remove(siblings.begin(), siblings.end(), *item), siblings.end());
            if (tree.caret == *item) tree.caret = nullptr;
            tree.items.erase(reinterpret_cast<UINT_PTR>(*item));
        }
        return 0;
    });
    if (successor) selectItem(window, successor);
    return TRUE;
}

HTREEITEM nextItem(HWND window, WPARAM relation, HTREEITEM from) {
    return withControl<TreeState>(window, HTREEITEM{}, [&](Window&, TreeState& tree) -> HTREEITEM {
        if (relation == TVGN_ROOT || (relation == TVGN_CHILD && !from))
            return tree.roots.empty() ? nullptr : tree.roots.front();
        if (relation == TVGN_CARET) return tree.caret;
        if (relation != TVGN_NEXT && relation != TVGN_PREVIOUS && relation != TVGN_PARENT && relation != TVGN_CHILD)
            controlNotSimulated(TreeClass, TVM_GETNEXTITEM, "visibility and drop-target relations");
        TreeItem* item = tree.find(from);
        if (!item) return nullptr;
        if (relation == TVGN_PARENT) return item->parent;
        if (relation == TVGN_CHILD) return item->children.empty() ? nullptr : item->children.front();
        auto& siblings = tree.siblingsOf(from);
        auto at = std::find(siblings.begin(), siblings.end(), from);
        if (relation == TVGN_NEXT) return at + 1 == siblings.end() ? nullptr : *(at + 1);
        return at == siblings.begin() ? nullptr : *(at - 1);
    });
}

BOOL getItem(HWND window, TVITEMA* out) {
    if (!out) return FALSE;
    return withControl<TreeState>(window, FALSE, [&](Window&, TreeState& tree) -> BOOL {
        checkItemMask(out->mask, TVM_GETITEMA);
        TreeItem* item = tree.find(out->hItem);
        if (!item) return FALSE;
        if (out->mask & TVIF_TEXT) copyTextTo(item->text, out->pszText, out->cchTextMax);
        if (out->mask & TVIF_IMAGE) out->iImage = item->image;
        if (out->mask & TVIF_SELECTEDIMAGE) out->iSelectedImage = item->selectedImage;
        if (out->mask & TVIF_PARAM) out->lParam = item->param;
        if (out->mask & TVIF_STATE) out->state = item->state & out->stateMask;
        if (out->mask & TVIF_CHILDREN) out->cChildren = item->childrenGiven ? item->childrenFlag : hasChildren(*item);
        return TRUE;
    });
}

BOOL setItem(HWND window, const TVITEMA* given) {
    if (!given) return FALSE;
    return withControl<TreeState>(window, FALSE, [&](Window&, TreeState& tree) -> BOOL {
        TreeItem* item = tree.find(given->hItem);
        if (!item) return FALSE;
        storeFields(*item, *given, TVM_SETITEMA);
        return TRUE;
    });
}

LRESULT CALLBACK treeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!inRanges(message, {{TV_FIRST, TV_FIRST + 0xFF}, {CCM_FIRST, CCM_LAST}}))
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case TVM_INSERTITEMA:
            return reinterpret_cast<LRESULT>(insertItem(window, reinterpret_cast<const TVINSERTSTRUCTA*>(lParam)));
        case TVM_DELETEITEM: return deleteItem(window, reinterpret_cast<HTREEITEM>(lParam));
        case TVM_EXPAND: return expandItem(window, reinterpret_cast<HTREEITEM>(lParam), UINT(wParam), false);
        case TVM_SELECTITEM:
            if (wParam != TVGN_CARET) controlNotSimulated(TreeClass, message, "selections other than the caret");
            return selectItem(window, reinterpret_cast<HTREEITEM>(lParam));
        case TVM_GETNEXTITEM: return reinterpret_cast<LRESULT>(nextItem(window, wParam, reinterpret_cast<HTREEITEM>(lParam)));
        case TVM_GETITEMA: return getItem(window, reinterpret_cast<TVITEMA*>(lParam));
        case TVM_SETITEMA: return setItem(window, reinterpret_cast<const TVITEMA*>(lParam));
    }
    return withControl<TreeState>(window, LRESULT(0), [&](Window&, TreeState& tree) -> LRESULT {
        auto images = [&]() -> HIMAGELIST& {
            if (wParam == TVSIL_NORMAL) return tree.normalImages;
            if (wParam == TVSIL_STATE) return tree.stateImages;
            controlNotSimulated(TreeClass, message, "image lists other than the normal and state ones");
        };
        auto swapColour = [&](COLORREF& colour) {
            COLORREF previous = colour;
            colour = COLORREF(lParam);
            return LRESULT(LONG(previous));
        };
        switch (message) {
            case TVM_GETCOUNT: return LRESULT(tree.items.size());
            case TVM_GETIMAGELIST: return reinterpret_cast<LRESULT>(images());
            case TVM_SETIMAGELIST: {
                HIMAGELIST previous = images();
                images() = reinterpret_cast<HIMAGELIST>(lParam);
                return reinterpret_cast<LRESULT>(previous);
            }
            case TVM_SETBKCOLOR: return swapColour(tree.background);
            case TVM_SETTEXTCOLOR: return swapColour(tree.textColour);
            case TVM_GETBKCOLOR: return LRESULT(LONG(tree.background));
            case TVM_GETTEXTCOLOR: return LRESULT(LONG(tree.textColour));
        }
        controlNotSimulated(TreeClass, message);
    });
}

}  // namespace

void registerTreeViewClass() { registerWindowClass(TreeClass, treeProcedure); }

}  // namespace trvsim
