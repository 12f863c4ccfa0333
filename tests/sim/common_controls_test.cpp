// The simulated common controls where their behaviour is not trivial: item
// order and handles, deletions, selections and the notifications they send,
// text buffer limits, item data, MDI activation, and the loud stop for a
// message a control does not simulate.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// What the parent of the controls under test heard.
struct Heard {
    UINT message;  // WM_NOTIFY or WM_COMMAND
    UINT code;
    HWND from;
    UINT_PTR id;
    UINT action = 0;
    HTREEITEM oldItem{}, newItem{};
    LPARAM oldParam = 0, newParam = 0;
    WORD key = 0;
};

std::vector<Heard> heard;
UINT refusedCode = 0;                            // a notification the parent answers with TRUE
std::function<void(const NMHDR&)> onNotification;  // what the parent does on hearing one

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        Heard h{message, header.code, header.hwndFrom, header.idFrom};
        EXPECT_EQ(wParam, header.idFrom);
        if (header.code == LVN_KEYDOWN) {
            h.key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
        } else if (header.code >= TVN_DELETEITEMA && header.code <= TVN_SELCHANGINGA) {
            auto& tree = *reinterpret_cast<const NMTREEVIEWA*>(lParam);
            h.action = tree.action;
            h.oldItem = tree.itemOld.hItem;
            h.newItem = tree.itemNew.hItem;
            h.oldParam = tree.itemOld.lParam;
            h.newParam = tree.itemNew.lParam;
        }
        heard.push_back(h);
        if (onNotification) onNotification(header);
        return header.code == refusedCode;
    }
    if (message == WM_COMMAND && lParam) {
        heard.push_back({message, HIWORD(wParam), reinterpret_cast<HWND>(lParam), LOWORD(wParam)});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<UINT> heardCodes() {
    std::vector<UINT> codes;
    for (auto& h : heard) codes.push_back(h.code);
    return codes;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA cls{};
            cls.lpfnWndProc = parentProcedure;
            cls.lpszClassName = "ControlsTestParent";
            return RegisterClassA(&cls) != 0;
        }();
        ASSERT_TRUE(registered);
        parent = CreateWindowExA(0, "ControlsTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 600, nullptr, nullptr,
                                 nullptr, nullptr);
        heard.clear();
    }
    void TearDown() override {
        DestroyWindow(parent);
        heard.clear();
        refusedCode = 0;
        onNotification = nullptr;
    }
    HWND make(const char* cls, DWORD style = 0, int height = 100) {
        HWND control = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, height, parent,
                                       reinterpret_cast<HMENU>(INT_PTR(ControlId)), nullptr, nullptr);
        EXPECT_NE(control, nullptr) << cls;
        return control;
    }
    static constexpr int ControlId = 1187;
    HWND parent{};
};

// Tree view.

HTREEITEM insert(HWND tree, HTREEITEM parent, HTREEITEM after, const char* text, LPARAM param = 0) {
    TVINSERTSTRUCTA record{};
    record.hParent = parent;
    record.hInsertAfter = after;
    record.item.mask = TVIF_TEXT | TVIF_PARAM;
    record.item.pszText = const_cast<char*>(text);
    record.item.lParam = param;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&record)));
}

HTREEITEM next(HWND tree, WPARAM relation, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string textOf(HWND tree, HTREEITEM item) {
    char text[64] = "?";
    TVITEMA record{};
    record.mask = TVIF_TEXT | TVIF_HANDLE;
    record.hItem = item;
    record.pszText = text;
    record.cchTextMax = sizeof text;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record))) return "<invalid>";
    return text;
}

UINT stateOf(HWND tree, HTREEITEM item) {
    TVITEMA record{};
    record.mask = TVIF_STATE;
    record.hItem = item;
    record.stateMask = ~0u;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record));
    return record.state;
}

// The items below `parent` as "a(x,y),b", walked with TVGN_CHILD and
// TVGN_NEXT; every item's TVGN_PARENT and TVGN_PREVIOUS must agree.
std::string outline(HWND tree, HTREEITEM parent = nullptr) {
    std::string out;
    HTREEITEM previous{};
    for (HTREEITEM item = next(tree, TVGN_CHILD, parent); item; item = next(tree, TVGN_NEXT, item)) {
        EXPECT_EQ(next(tree, TVGN_PARENT, item), parent);
        EXPECT_EQ(next(tree, TVGN_PREVIOUS, item), previous);
        if (previous) out += ",";
        out += textOf(tree, item);
        if (next(tree, TVGN_CHILD, item)) out += "(" + outline(tree, item) + ")";
        previous = item;
    }
    return out;
}

// root: a(a1,a2(a21)),b(b1),c
struct SampleTree {
    HWND tree;
    HTREEITEM a, a1, a2, a21, b, b1, c;
    explicit SampleTree(HWND t) : tree(t) {
        a = insert(tree, TVI_ROOT, TVI_LAST, "a", 1);
        b = insert(tree, TVI_ROOT, TVI_LAST, "b", 2);
        c = insert(tree, nullptr, TVI_LAST, "c", 3);
        a1 = insert(tree, a, TVI_LAST, "a1", 11);
        a2 = insert(tree, a, TVI_LAST, "a2", 12);
        a21 = insert(tree, a2, TVI_LAST, "a21", 121);
        b1 = insert(tree, b, TVI_LAST, "b1", 21);
    }
};

TEST_F(Controls, TreeInsertionsKeepTheirPlacesAndGetDistinctHandles) {
    HWND tree = make(WC_TREEVIEWA);
    HTREEITEM m = insert(tree, TVI_ROOT, TVI_LAST, "m");
    struct Insertion {
        const char* text;
        const char* after;  // "first", "last", "sort", or the text of an item inserted before
    };
    const Insertion insertions[] = {{"t", "last"}, {"c", "first"}, {"p", "sort"}, {"D", "sort"},
                                    {"n", "m"},    {"z", "t"},     {"a", "sort"}};
    std::vector<std::pair<std::string, HTREEITEM>> made{{"m", m}};
    for (auto& i : insertions) {
        HTREEITEM after = std::string(i.after) == "first" ? TVI_FIRST
                          : std::string(i.after) == "last"  ? TVI_LAST
                          : std::string(i.after) == "sort"  ? TVI_SORT
                                                            : nullptr;
        for (auto& [text, handle] : made)
            if (text == i.after) after = handle;
        HTREEITEM item = insert(tree, TVI_ROOT, after, i.text);
        ASSERT_NE(item, nullptr) << i.text;
        for (auto& [text, handle] : made) EXPECT_NE(handle, item);
        made.push_back({i.text, item});
    }
    EXPECT_EQ(outline(tree), "a,c,D,m,n,p,t,z");
    HTREEITEM child = insert(tree, m, TVI_FIRST, "m1");
    insert(tree, m, TVI_FIRST, "m0");
    EXPECT_EQ(outline(tree), "a,c,D,m(m0,m1),n,p,t,z");
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(next(tree, TVGN_ROOT), made.back().second);
    EXPECT_EQ(next(tree, TVGN_PARENT, m), nullptr);
    EXPECT_EQ(next(tree, TVGN_CHILD, child), nullptr);

    // The plug-in keeps handles in 32-bit integers.
    EXPECT_GT(reinterpret_cast<INT_PTR>(child), 0);
    EXPECT_LT(reinterpret_cast<INT_PTR>(child), INT_PTR(0x7FFFFFFF));
    EXPECT_EQ(insert(tree, reinterpret_cast<HTREEITEM>(INT_PTR(0x1234)), TVI_LAST, "orphan"), nullptr);
}

TEST_F(Controls, TreeDeletionTakesTheSubtreeAndAnnouncesEachItem) {
    struct Case {
        const char* name;
        std::function<HTREEITEM(SampleTree&)> target;
        const char* left;
        std::vector<LPARAM> announced;  // lParams of TVN_DELETEITEMA, in order
    };
    const Case cases[] = {
        {"a leaf", [](SampleTree& t) { return t.a1; }, "a(a2(a21)),b(b1),c", {11}},
        {"a subtree", [](SampleTree& t) { return t.a; }, "b(b1),c", {1, 11, 12, 121}},
        {"the last root", [](SampleTree& t) { return t.c; }, "a(a1,a2(a21)),b(b1)", {3}},
        {"TVI_ROOT", [](SampleTree&) { return TVI_ROOT; }, "", {1, 11, 12, 121, 2, 21, 3}},
        {"none", [](SampleTree&) { return HTREEITEM{}; }, "", {1, 11, 12, 121, 2, 21, 3}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tree = make(WC_TREEVIEWA);
        SampleTree sample(tree);
        heard.clear();
        HTREEITEM target = c.target(sample);
        EXPECT_TRUE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(target)));
        EXPECT_EQ(outline(tree), c.left);
        std::vector<LPARAM> announced;
        for (auto& h : heard) {
            EXPECT_EQ(h.code, TVN_DELETEITEMA);
            EXPECT_EQ(h.from, tree);
            EXPECT_EQ(h.id, UINT_PTR(ControlId));
            announced.push_back(h.oldParam);
        }
        EXPECT_EQ(announced, c.announced);
        EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), LRESULT(7 - c.announced.size()));
        if (target && target != TVI_ROOT) {
            EXPECT_EQ(textOf(tree, target), "<invalid>");
            EXPECT_FALSE(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(target)));
        }
        DestroyWindow(tree);
    }
}

TEST_F(Controls, TreeSelectionNotifiesAndCanBeRefused) {
    HWND tree = make(WC_TREEVIEWA);
    SampleTree t(tree);
    EXPECT_TRUE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.b)));
    ASSERT_EQ(heardCodes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_SELCHANGEDA}));
    for (auto& h : heard) {
        EXPECT_EQ(h.oldItem, nullptr);
        EXPECT_EQ(h.newItem, t.b);
        EXPECT_EQ(h.newParam, 2);
        EXPECT_EQ(h.action, UINT(TVC_UNKNOWN));
    }
    EXPECT_EQ(next(tree, TVGN_CARET), t.b);
    EXPECT_TRUE(stateOf(tree, t.b) & TVIS_SELECTED);

    heard.clear();
    EXPECT_TRUE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.b)));
    EXPECT_TRUE(heard.empty()) << "selecting the caret again changes nothing";

    refusedCode = TVN_SELCHANGINGA;
    EXPECT_FALSE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.c)));
    EXPECT_EQ(heardCodes(), std::vector<UINT>{TVN_SELCHANGINGA});
    EXPECT_EQ(next(tree, TVGN_CARET), t.b);
    refusedCode = 0;

    // A hidden item is shown: its collapsed ancestors expand, nearest first.
    heard.clear();
    EXPECT_TRUE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.a21)));
    EXPECT_EQ(heardCodes(), (std::vector<UINT>{TVN_SELCHANGINGA, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA,
                                               TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA, TVN_SELCHANGEDA}));
    EXPECT_EQ(heard[1].newItem, t.a2);
    EXPECT_EQ(heard[3].newItem, t.a);
    EXPECT_EQ(heard[5].oldItem, t.b);
    EXPECT_FALSE(stateOf(tree, t.b) & TVIS_SELECTED);
    EXPECT_TRUE(stateOf(tree, t.a) & TVIS_EXPANDED);
    EXPECT_TRUE(stateOf(tree, t.a2) & TVIS_EXPANDED);
    EXPECT_FALSE(SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, INT_PTR(0x5)));
}

TEST_F(Controls, ADeletedCaretPassesToTheNextSiblingElseThePreviousElseTheParent) {
    struct Case {
        const char* name;
        std::function<HTREEITEM(SampleTree&)> caret, deleted, expected;
    };
    const Case cases[] = {
        {"next sibling", [](SampleTree& t) { return t.a1; }, [](SampleTree& t) { return t.a1; },
         [](SampleTree& t) { return t.a2; }},
        {"previous sibling", [](SampleTree& t) { return t.a2; }, [](SampleTree& t) { return t.a2; },
         [](SampleTree& t) { return t.a1; }},
        {"parent", [](SampleTree& t) { return t.b1; }, [](SampleTree& t) { return t.b1; },
         [](SampleTree& t) { return t.b; }},
        {"a caret inside the deleted subtree", [](SampleTree& t) { return t.a21; }, [](SampleTree& t) { return t.a; },
         [](SampleTree& t) { return t.b; }},
        {"everything", [](SampleTree& t) { return t.b; }, [](SampleTree&) { return TVI_ROOT; },
         [](SampleTree&) { return HTREEITEM{}; }},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND tree = make(WC_TREEVIEWA);
        SampleTree t(tree);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(c.caret(t)));
        heard.clear();
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(c.deleted(t)));
        EXPECT_EQ(next(tree, TVGN_CARET), c.expected(t));
        if (c.expected(t)) {
            ASSERT_GE(heard.size(), 1u);
            EXPECT_EQ(heard.back().code, TVN_SELCHANGEDA);
            EXPECT_EQ(heard.back().newItem, c.expected(t));
            EXPECT_TRUE(stateOf(tree, c.expected(t)) & TVIS_SELECTED);
        }
        DestroyWindow(tree);
    }
}

TEST_F(Controls, TreeExpansionNotifiesUntilTheItemWasExpandedOnce) {
    struct Step {
        WPARAM code;
        const char* item;
        BOOL result;
        bool expanded;  // afterwards
        std::vector<UINT> heard;
    };
    const std::vector<UINT> both{TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDEDA};
    const Step steps[] = {
        {TVE_COLLAPSE, "a", FALSE, false, {}},  // not expanded
        {TVE_EXPAND, "a1", FALSE, false, {}},   // no children
        {TVE_EXPAND, "a", TRUE, true, both},
        {TVE_EXPAND, "a", TRUE, true, {}},      // already expanded
        {TVE_COLLAPSE, "a", TRUE, false, {}},   // expanded once: no more notifications
        {TVE_TOGGLE, "a", TRUE, true, {}},
        {TVE_TOGGLE, "a", TRUE, false, {}},
        {TVE_TOGGLE, "b", TRUE, true, both},
    };
    HWND tree = make(WC_TREEVIEWA);
    SampleTree t(tree);
    auto itemNamed = [&](const std::string& name) { return name == "a" ? t.a : name == "a1" ? t.a1 : t.b; };
    for (auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.code) + " " + s.item);
        heard.clear();
        HTREEITEM item = itemNamed(s.item);
        EXPECT_EQ(SendMessageA(tree, TVM_EXPAND, s.code, reinterpret_cast<LPARAM>(item)), s.result);
        EXPECT_EQ(bool(stateOf(tree, item) & TVIS_EXPANDED), s.expanded);
        EXPECT_EQ(heardCodes(), s.heard);
        for (auto& h : heard) EXPECT_EQ(h.action, UINT(TVE_EXPAND));
    }

    // The parent may refuse; a collapse hides the caret's item and takes the caret.
    refusedCode = TVN_ITEMEXPANDINGA;
    EXPECT_FALSE(SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(t.a2)));
    EXPECT_FALSE(stateOf(tree, t.a2) & TVIS_EXPANDED);
    refusedCode = 0;
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(t.b1));
    EXPECT_TRUE(SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(t.b)));
    EXPECT_EQ(next(tree, TVGN_CARET), t.b);
}

TEST_F(Controls, TreeItemFieldsAndTextLimits) {
    HWND tree = make(WC_TREEVIEWA);
    TVINSERTSTRUCTA record{};
    record.hParent = TVI_ROOT;
    record.hInsertAfter = TVI_LAST;
    record.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    record.item.pszText = const_cast<char*>("项目abc");
    record.item.iImage = 16;
    record.item.iSelectedImage = 17;
    record.item.lParam = 99;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&record)));

    struct Limit {
        int capacity;
        const char* text;
    };
    for (Limit l : {Limit{1, ""}, Limit{3, "项"}, Limit{4, "项"}, Limit{5, "项目"}, Limit{7, "项目ab"}, Limit{64, "项目abc"}}) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof buffer);
        TVITEMA read{};
        read.mask = TVIF_TEXT;
        read.hItem = item;
        read.pszText = buffer;
        read.cchTextMax = l.capacity;
        ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read)));
        EXPECT_STREQ(buffer, l.text) << l.capacity;
        EXPECT_EQ(buffer[l.capacity], 'x') << "nothing is written past cchTextMax";
    }

    TVITEMA read{};
    read.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
    read.hItem = item;
    ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_EQ(read.iImage, 16);
    EXPECT_EQ(read.iSelectedImage, 17);
    EXPECT_EQ(read.lParam, 99);
    EXPECT_EQ(read.cChildren, 0);
    insert(tree, item, TVI_LAST, "child");
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.cChildren, 1);

    TVITEMA change{};
    change.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE;
    change.hItem = item;
    change.pszText = const_cast<char*>("新");
    change.iImage = 4;
    change.state = TVIS_BOLD | TVIS_CUT;
    change.stateMask = TVIS_BOLD;
    ASSERT_TRUE(SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change)));
    EXPECT_EQ(textOf(tree, item), "新");
    EXPECT_EQ(stateOf(tree, item), UINT(TVIS_BOLD));
    read.mask = TVIF_IMAGE | TVIF_PARAM;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(read.iImage, 4);
    EXPECT_EQ(read.lParam, 99) << "fields outside the mask stay";

    auto images = reinterpret_cast<LPARAM>(INT_PTR(0x4242));
    EXPECT_EQ(SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, images), 0);
    EXPECT_EQ(SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, 0), images);
    EXPECT_EQ(SendMessageA(tree, TVM_SETBKCOLOR, 0, RGB(37, 37, 38)), -1);
    EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), LRESULT(RGB(37, 37, 38)));
}

// Combo box and list box.

std::vector<std::string> itemsOf(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(size_t(SendMessageA(control, lengthMessage, WPARAM(i), 0)), '?');
        std::vector<char> buffer(text.size() + 1, 'x');
        EXPECT_EQ(SendMessageA(control, textMessage, WPARAM(i), reinterpret_cast<LPARAM>(buffer.data())),
                  LRESULT(text.size()));
        items.push_back(buffer.data());
    }
    return items;
}

std::string windowText(HWND window) {
    char text[64];
    GetWindowTextA(window, text, sizeof text);
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), LRESULT(std::strlen(text)));
    return text;
}

LRESULT add(HWND control, UINT message, const char* text, WPARAM at = 0) {
    return SendMessageA(control, message, at, reinterpret_cast<LPARAM>(text));
}

TEST_F(Controls, ComboItemsKeepOrderAndTheSelectionFollowsThem) {
    struct Case {
        DWORD style;
        std::vector<std::string> order;
    };
    for (const Case& c : {Case{CBS_DROPDOWNLIST, {"b", "语言", "A", "c"}}, Case{CBS_DROPDOWNLIST | CBS_SORT, {"A", "b", "c", "语言"}}}) {
        SCOPED_TRACE(c.style);
        HWND combo = make("ComboBox", c.style);
        for (const char* text : {"b", "语言", "A"}) EXPECT_GE(add(combo, CB_ADDSTRING, text), 0);
        add(combo, (c.style & CBS_SORT) ? CB_ADDSTRING : CB_INSERTSTRING, "c", WPARAM(-1));
        EXPECT_EQ(itemsOf(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT), c.order);
        DestroyWindow(combo);
    }

    HWND combo = make("ComboBox", CBS_DROPDOWNLIST);
    for (const char* text : {"one", "two", "three"}) add(combo, CB_ADDSTRING, text);
    EXPECT_EQ(windowText(combo), "");
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(windowText(combo), "two");
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other")), CB_ERR);
    EXPECT_EQ(add(combo, CB_INSERTSTRING, "zero", 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2) << "an item inserted before moves the selection along";
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 1, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "the selected item went";
    EXPECT_EQ(windowText(combo), "");
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "an index past the end clears the selection";
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 2, 0), CB_ERR);
    char buffer[8];
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, WPARAM(-1), reinterpret_cast<LPARAM>(buffer)), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 5, reinterpret_cast<LPARAM>("far")), CB_ERR);

    EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, 1, 0x5A5A), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 0x5A5A);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, 9, 1), CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageA(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(windowText(combo), "");
}

TEST_F(Controls, FindingAStringSearchesAfterTheStartAndWrapsAround) {
    struct Case {
        const char* text;
        int start;
        bool exact;
        int found;
    };
    const Case cases[] = {
        {"apple", -1, true, 0},  {"APPLE", -1, true, 0},  {"apple", 0, true, 3},  {"apple", 3, true, 0},
        {"app", -1, true, -1},   {"app", -1, false, 0},   {"app", 0, false, 1},   {"app", 1, false, 3},
        {"b", 2, false, 2},      {"cherry", 99, true, -1}, {"易", -1, false, 4},  {"", 1, false, 2},
    };
    HWND combo = make("ComboBox", CBS_DROPDOWNLIST);
    HWND list = make("ListBox");
    for (const char* text : {"apple", "Application", "banana", "apple", "易语言"}) {
        add(combo, CB_ADDSTRING, text);
        add(list, LB_ADDSTRING, text);
    }
    for (auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.start));
        EXPECT_EQ(SendMessageA(combo, c.exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, WPARAM(c.start),
                               reinterpret_cast<LPARAM>(c.text)),
                  c.found);
        EXPECT_EQ(SendMessageA(list, c.exact ? LB_FINDSTRINGEXACT : LB_FINDSTRING, WPARAM(c.start),
                               reinterpret_cast<LPARAM>(c.text)),
                  c.found);
    }
}

TEST_F(Controls, TheComboListOpensClosesAndReportsSelections) {
    HWND combo = make("ComboBox", CBS_DROPDOWNLIST, 24);
    for (const char* text : {"one", "two"}) add(combo, CB_ADDSTRING, text);
    COMBOBOXINFO info{};
    info.cbSize = 52;
    if (sizeof(COMBOBOXINFO) != 52) {  // the record's own size only
        EXPECT_FALSE(SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
    }
    info.cbSize = sizeof info;
    ASSERT_TRUE(SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(info.hwndCombo, combo);
    ASSERT_TRUE(IsWindow(info.hwndList));
    EXPECT_NE(info.hwndList, combo);
    EXPECT_EQ(GetWindowLongA(info.hwndList, GWL_ID), 1000);
    EXPECT_LT(info.rcItem.right, info.rcButton.right);
    EXPECT_EQ(info.stateButton, 0u);

    EXPECT_TRUE(SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0));
    EXPECT_TRUE(SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.stateButton, DWORD(STATE_SYSTEM_PRESSED));
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    EXPECT_EQ(heardCodes(), (std::vector<UINT>{CBN_DROPDOWN, CBN_CLOSEUP}));

    // What the plug-in does to make the host take a selection: the list's
    // selection change, and the user's arrow keys.
    heard.clear();
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(combo, WM_COMMAND, MAKEWPARAM(1000, LBN_SELCHANGE), reinterpret_cast<LPARAM>(info.hwndList));
    SendMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);  // already the last item
    SendMessageA(combo, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(windowText(combo), "one");
    SendMessageA(combo, WM_KEYDOWN, VK_UP, 0);  // already the first
    EXPECT_EQ(heardCodes(), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELCHANGE}));
    for (auto& h : heard) {
        EXPECT_EQ(h.from, combo);
        EXPECT_EQ(h.id, UINT_PTR(ControlId));
    }
    HWND list = info.hwndList;
    DestroyWindow(combo);
    EXPECT_FALSE(IsWindow(list));
}

TEST_F(Controls, ListBoxItemsSelectionAndTopRow) {
    HWND list = make("ListBox", 0, 5 * 16);  // five rows
    for (int i = 0; i < 12; ++i) EXPECT_EQ(add(list, LB_ADDSTRING, std::to_string(i).c_str()), i);
    struct Top {
        int asked;
        LRESULT result;
        int top;
    };
    for (Top t : {Top{3, LB_OKAY, 3}, Top{10, LB_OKAY, 7}, Top{12, LB_ERR, 7}, Top{0, LB_OKAY, 0}}) {
        EXPECT_EQ(SendMessageA(list, LB_SETTOPINDEX, t.asked, 0), t.result) << t.asked;
        EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), t.top) << t.asked;
    }
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 9, 0), 9);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 5) << "the selection is scrolled into view";
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 12, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 9) << "a bad index keeps the selection";
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 2, 0), 11);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 8);
    for (int i = 0; i < 5; ++i) SendMessageA(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1) << "the top row stays within the shorter list";
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(itemsOf(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT),
              (std::vector<std::string>{"6", "7", "8", "9", "10", "11"}));
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 2, -7), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), -7);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 6, 0), LB_ERR);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), LB_ERR);
}

// List view.

int insertRow(HWND list, int at, const char* text) {
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = at;
    row.pszText = const_cast<char*>(text);
    return int(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

std::string cell(HWND list, int row, int column, int capacity = 64) {
    char buffer[64];
    LVITEMA read{};
    read.iSubItem = column;
    read.pszText = buffer;
    read.cchTextMax = capacity;
    LRESULT length = SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(&read));
    EXPECT_EQ(length, LRESULT(std::strlen(buffer)));
    return buffer;
}

void setRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMA change{};
    change.state = state;
    change.stateMask = mask;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&change));
}

std::vector<int> rowsWith(HWND list, LPARAM flags) {
    std::vector<int> rows;
    for (LRESULT row = -1; (row = SendMessageA(list, LVM_GETNEXTITEM, WPARAM(row), flags)) != -1;) rows.push_back(int(row));
    return rows;
}

HWND watchList(HWND list) {
    const char* headings[] = {"表达式", "开始位置", "数据类型", "值"};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(headings[i]);
        column.cx = 80;
        EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(i), reinterpret_cast<LPARAM>(&column)), i);
    }
    return list;
}

TEST_F(Controls, ListViewRowsAndCells) {
    HWND list = watchList(make(WC_LISTVIEWA, LVS_REPORT));
    EXPECT_EQ(insertRow(list, 0, "b"), 0);
    EXPECT_EQ(insertRow(list, 0, "a"), 0);
    EXPECT_EQ(insertRow(list, 99, "d"), 2) << "an index past the end appends";
    EXPECT_EQ(insertRow(list, 2, "c"), 2);
    EXPECT_EQ(insertRow(list, -1, "x"), -1);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);

    LVITEMA set{};
    set.mask = LVIF_TEXT;
    set.iItem = 1;
    set.iSubItem = 3;
    set.pszText = const_cast<char*>("12345");
    EXPECT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    set.iSubItem = 4;
    EXPECT_FALSE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set))) << "no fifth column";
    set.iItem = 4;
    set.iSubItem = 1;
    EXPECT_FALSE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set))) << "no fifth row";
    set.pszText = const_cast<char*>("整数型");
    set.iSubItem = 2;
    EXPECT_TRUE(SendMessageA(list, LVM_SETITEMTEXTA, 3, reinterpret_cast<LPARAM>(&set)));

    const char* rows[] = {"a", "b", "c", "d"};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(cell(list, row, 0), rows[row]);
    EXPECT_EQ(cell(list, 1, 3), "12345");
    EXPECT_EQ(cell(list, 1, 3, 3), "12");
    EXPECT_EQ(cell(list, 3, 2), "整数型");
    EXPECT_EQ(cell(list, 3, 2, 6), "整数");
    EXPECT_EQ(cell(list, 3, 2, 5), "整数") << "a character is never cut in half";
    EXPECT_EQ(cell(list, 0, 1), "");
    EXPECT_EQ(cell(list, 7, 0), "");

    LVITEMA data{};
    data.mask = LVIF_PARAM | LVIF_IMAGE;
    data.iItem = 2;
    data.lParam = 77;
    data.iImage = 3;
    EXPECT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data)));
    EXPECT_TRUE(SendMessageA(list, LVM_DELETEITEM, 0, 0));
    EXPECT_FALSE(SendMessageA(list, LVM_DELETEITEM, 3, 0));
    LVITEMA read{};
    read.mask = LVIF_PARAM | LVIF_IMAGE;
    read.iItem = 1;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read)));
    EXPECT_EQ(read.lParam, 77);
    EXPECT_EQ(read.iImage, 3);
    EXPECT_EQ(cell(list, 0, 3), "12345") << "the rows after a deleted one move up with their cells";

    // A column inserted before others moves their cells along.
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>("new");
    EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)), 1);
    EXPECT_EQ(cell(list, 0, 0), "b");
    EXPECT_EQ(cell(list, 0, 4), "12345");
    EXPECT_TRUE(SendMessageA(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(Controls, ListViewSelectionAndFocus) {
    struct Case {
        DWORD style;
        std::vector<int> selected;  // after selecting rows 1 and 3
    };
    for (const Case& c : {Case{LVS_REPORT, {1, 3}}, Case{LVS_REPORT | LVS_SINGLESEL, {3}}}) {
        SCOPED_TRACE(c.style);
        HWND list = watchList(make(WC_LISTVIEWA, c.style));
        for (int i = 0; i < 5; ++i) insertRow(list, i, "row");
        setRowState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        setRowState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(rowsWith(list, LVNI_SELECTED), c.selected);
        EXPECT_EQ(rowsWith(list, LVNI_FOCUSED), std::vector<int>{3}) << "one row has the focus";
        EXPECT_EQ(rowsWith(list, LVNI_ALL).size(), 5u);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 3, LVIS_SELECTED | LVIS_CUT), LVIS_SELECTED);
        setRowState(list, 3, 0, LVIS_SELECTED);
        EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 3, ~0), LVIS_FOCUSED) << "bits outside the mask stay";
        setRowState(list, -1, 0, LVIS_SELECTED);
        EXPECT_TRUE(rowsWith(list, LVNI_SELECTED).empty());
        DestroyWindow(list);
    }
}

TEST_F(Controls, TheDeleteKeyReachesTheParentThatDeletesTheSelectedRow) {
    HWND list = watchList(make(WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL));
    for (const char* text : {"a", "b", "c"}) insertRow(list, 99, text);
    onNotification = [&](const NMHDR& header) {  // as the host does
        if (header.code != LVN_KEYDOWN || reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_DELETE) return;
        LRESULT row = SendMessageA(header.hwndFrom, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
        if (row >= 0) SendMessageA(header.hwndFrom, LVM_DELETEITEM, WPARAM(row), 0);
    };
    setRowState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(list, WM_KEYDOWN, 'A', 0);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].code, LVN_KEYDOWN);
    EXPECT_EQ(heard[0].key, VK_DELETE);
    EXPECT_EQ(heard[0].from, list);
    EXPECT_EQ(heard[0].id, UINT_PTR(ControlId));
    EXPECT_EQ(heard[1].key, 'A');
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(cell(list, 1, 0), "c");
}

// Tab control.

TEST_F(Controls, TabsKeepTheirOrderAndTheSelection) {
    HWND tabs = make(WC_TABCONTROLA);
    auto insertTab = [&](int at, const char* text) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT | TCIF_PARAM;
        tab.pszText = const_cast<char*>(text);
        tab.lParam = at;
        return SendMessageA(tabs, TCM_INSERTITEMA, WPARAM(at), reinterpret_cast<LPARAM>(&tab));
    };
    auto tabText = [&](int index, int capacity) -> std::string {
        char buffer[MAX_PATH];
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = buffer;
        tab.cchTextMax = capacity;
        if (!SendMessageA(tabs, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&tab))) return "<invalid>";
        return buffer;
    };
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), -1);
    EXPECT_EQ(insertTab(0, "输出"), 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0) << "the first tab is selected";
    EXPECT_EQ(insertTab(9, "搜寻2"), 1);
    EXPECT_EQ(insertTab(1, "搜寻1"), 1);
    EXPECT_EQ(insertTab(0, "提示"), 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1) << "a tab inserted before moves the selection along";
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
    const char* order[] = {"提示", "输出", "搜寻1", "搜寻2"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabText(i, MAX_PATH), order[i]);
    EXPECT_EQ(tabText(3, 5), "搜寻");
    EXPECT_EQ(tabText(3, 4), "搜");
    EXPECT_EQ(tabText(4, MAX_PATH), "<invalid>");

    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 3, 0), 1) << "the previous selection";
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 4, 0), -1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 3);
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEITEM, 2, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), -1) << "the selected tab went";

    TCITEMA change{};
    change.mask = TCIF_TEXT;
    change.pszText = const_cast<char*>("调试");
    EXPECT_TRUE(SendMessageA(tabs, TCM_SETITEMA, 1, reinterpret_cast<LPARAM>(&change)));
    EXPECT_EQ(tabText(1, MAX_PATH), "调试");
    TCITEMA data{};
    data.mask = TCIF_PARAM;
    SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(data.lParam, 1) << "the tab keeps the data it was inserted with";
    EXPECT_TRUE(SendMessageA(tabs, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
}

// MDI client.

struct Activation {
    HWND page;
    HWND deactivated;
    HWND activated;
    bool operator==(const Activation&) const = default;
};
std::vector<Activation> activations;

LRESULT CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDIACTIVATE)
        activations.push_back({window, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)});
    if (message == WM_CREATE) {
        auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        EXPECT_EQ(static_cast<const MDICREATESTRUCTA*>(creation->lpCreateParams)->lParam, 0x77);
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}

class MdiPages : public Controls {
protected:
    void SetUp() override {
        Controls::SetUp();
        static bool registered = [] {
            WNDCLASSA cls{};
            cls.lpfnWndProc = pageProcedure;
            cls.lpszClassName = "ControlsTestPage";
            return RegisterClassA(&cls) != 0;
        }();
        ASSERT_TRUE(registered);
        CLIENTCREATESTRUCT first{nullptr, 0xFF00};
        client = CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(0xE900)), nullptr, &first);
        activations.clear();
    }
    HWND open(const char* title) {
        MDICREATESTRUCTA page{"ControlsTestPage", title, nullptr, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, 0, 0x77};
        return reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&page)));
    }
    HWND active() { return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)); }
    HWND client{};
};

TEST_F(MdiPages, PagesAreChildWindowsWithTheirTitlesAndNumbers) {
    HWND a = open("程序集1"), b = open("窗口:_启动窗口"), c = open("起始页");
    for (HWND page : {a, b, c}) {
        ASSERT_TRUE(IsWindow(page));
        EXPECT_EQ(GetParent(page), client);
        char name[32];
        GetClassNameA(page, name, sizeof name);
        EXPECT_STREQ(name, "ControlsTestPage");
        EXPECT_TRUE(GetWindowLongA(page, GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_EQ(windowText(b), "窗口:_启动窗口");
    SetWindowTextA(b, "窗口:_启动窗口2");
    EXPECT_EQ(windowText(b), "窗口:_启动窗口2");
    EXPECT_EQ(GetDlgCtrlID(a), 0xFF00);
    EXPECT_EQ(GetDlgCtrlID(c), 0xFF02);
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(GetDlgCtrlID(b), 0xFF00) << "the numbers close up";
    EXPECT_EQ(GetDlgCtrlID(c), 0xFF01);
    SendMessageA(c, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(c)) << "closing a page destroys it through its client";
    EXPECT_EQ(active(), b);
}

TEST_F(MdiPages, ActivationTellsTheDeactivatedPageThenTheActivatedOne) {
    HWND a = open("a");
    HWND b = open("b");
    HWND c = open("c");
    EXPECT_EQ(activations, (std::vector<Activation>{{a, nullptr, a}, {a, a, b}, {b, a, b}, {b, b, c}, {c, b, c}}));
    struct Step {
        const char* name;
        std::function<void()> act;
        HWND active;
        std::vector<Activation> heard;
    };
    auto send = [&](UINT message, HWND page, LPARAM lParam = 0) {
        return [=, this] { SendMessageA(client, message, reinterpret_cast<WPARAM>(page), lParam); };
    };
    // Order (last active first) before each step: c b a.
    const Step steps[] = {
        {"activate a", send(WM_MDIACTIVATE, a), a, {{c, c, a}, {a, c, a}}},                // a c b
        {"activate the active page", send(WM_MDIACTIVATE, a), a, {}},
        {"next", send(WM_MDINEXT, nullptr), c, {{a, a, c}, {c, a, c}}},                   // c b a
        {"previous", send(WM_MDINEXT, nullptr, 1), a, {{c, c, a}, {a, c, a}}},            // a c b
        {"next after b", send(WM_MDINEXT, b), a, {}},                                     // wraps to a, the active one
        {"destroy the active page", send(WM_MDIDESTROY, a), c, {{a, a, c}, {c, a, c}}},    // c b
        {"destroy another page", send(WM_MDIDESTROY, b), c, {}},                          // c
        {"destroy the last page", send(WM_MDIDESTROY, c), nullptr, {{c, c, nullptr}}},
    };
    for (auto& s : steps) {
        SCOPED_TRACE(s.name);
        activations.clear();
        s.act();
        EXPECT_EQ(active(), s.active);
        EXPECT_EQ(activations, s.heard);
    }
}

TEST_F(MdiPages, APageDestroyedDirectlyIsForgotten) {
    HWND a = open("a");
    HWND b = open("b");
    DestroyWindow(b);
    EXPECT_EQ(active(), nullptr);
    EXPECT_EQ(GetDlgCtrlID(a), 0xFF00);
    activations.clear();
    SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
    EXPECT_EQ(activations, (std::vector<Activation>{{a, nullptr, a}}));
}

// What no control here simulates stops the process with a message.
TEST_F(Controls, UnsimulatedMessagesStopTheProcess) {
    struct Case {
        const char* cls;
        UINT message;
        const char* says;
    };
    const Case cases[] = {
        {WC_TREEVIEWA, TVM_GETITEMRECT, "SysTreeView32 control does not simulate message 0x1104"},
        {WC_TREEVIEWA, TVM_GETNEXTITEM, "SysTreeView32 control does not simulate visibility"},
        {WC_LISTVIEWA, LVM_FIRST + 25, "SysListView32 control does not simulate message 0x1019"},
        {WC_LISTVIEWA, WM_KEYDOWN, "SysListView32 control does not simulate keys that move"},
        {WC_TABCONTROLA, TCM_FIRST + 40, "SysTabControl32 control does not simulate message 0x1328"},
        {"ComboBox", 0x0145, "ComboBox control does not simulate message 0x145"},
        {"ListBox", 0x018D, "ListBox control does not simulate message 0x18D"},
        {"MDIClient", 0x0226, "MDIClient control does not simulate message 0x226"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.cls);
        HWND control = make(c.cls, std::string(c.cls) == "ComboBox" ? CBS_DROPDOWNLIST : 0);
        WPARAM wParam = c.message == TVM_GETNEXTITEM ? TVGN_FIRSTVISIBLE : c.message == WM_KEYDOWN ? VK_DOWN : 0;
        EXPECT_DEATH(SendMessageA(control, c.message, wParam, 0), c.says);
        DestroyWindow(control);
    }
    EXPECT_DEATH(make("ComboBox", CBS_DROPDOWN), "ComboBox control does not simulate combo boxes with an edit field");
}

}  // namespace
