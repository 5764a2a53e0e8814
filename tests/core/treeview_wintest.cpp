// Tree-view fields under Wine: the tree of dialog 400 is built from menu 401 when the dialog
// loads; items are then found, inserted, expanded, renamed and deleted by their ids.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/fields.h"
#include "core/startup.h"
#include "core/treeview.h"
#include "library_root.h"
#include "quillamorph.h"

namespace {

constexpr int kDialog = 400;
constexpr int kTree = 1027;
constexpr int kEdit = 1002;

HWND Tree() { return GetDlgItem(quill::CurrentDialogWindow(), kTree); }

std::string ItemText(HTREEITEM item) {
    char text[64] = "";
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

int ItemId(HTREEITEM item) {
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return static_cast<int>(tv.lParam);
}

// The ids of the children of PARENT (null: the top level) in order.
std::vector<int> Children(HTREEITEM parent) {
    std::vector<int> ids;
    HTREEITEM item =
        parent ? reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_CHILD,
                                                          reinterpret_cast<LPARAM>(parent)))
               : reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_NEXT,
                                                                 reinterpret_cast<LPARAM>(item))))
        ids.push_back(ItemId(item));
    return ids;
}

int Insert(int reference, int mode, int id, const char *text) {
    int field = kTree;
    yytreeviewinsert_(&field, &reference, &mode, &id, text);
    return field;
}

int State(int id, int *state) {
    int field = kTree;
    yytreeviewgetstate_(&field, &id, state);
    return field;
}

class TreeFields : public SharedLibraryRoot {
protected:
    void SetUp() override {
        int id = kDialog;
        wdialogload_(&id);
        ASSERT_NE(quill::CurrentDialogWindow(), nullptr);
        int on = 1;
        yytreeviewcheck_(&on);
    }
    void TearDown() override {
        int option = 0;
        if (iCurDialog) wdialogunload_(&option);
        int item = 1;
        infoerror_(&item);
    }
};

TEST_F(TreeFields, BuiltFromTheMenuWithItsIdsStatesAndSelection) {
    EXPECT_EQ(Children(nullptr), (std::vector<int>{10, 20, 30}))
        << "sub-menus take their ids from the menu's id table";
    HTREEITEM fruit = yyTreeViewFind(Tree(), 10);
    ASSERT_NE(fruit, nullptr);
    EXPECT_EQ(ItemText(fruit), "Fruit");
    EXPECT_EQ(Children(fruit), (std::vector<int>{11, 12, 13}));

    int state = 0;
    EXPECT_EQ(State(10, &state), kTree);
    EXPECT_EQ(state, 2) << "a checked menu item that opens a sub-menu shows expanded";
    EXPECT_EQ(State(20, &state), kTree);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(State(30, &state), -3) << "a leaf has no state";
    EXPECT_EQ(State(99, &state), -2);

    int field = kTree, item = 0;
    char text[16];
    yyfieldgettree_(&field, &item, text, sizeof text);
    EXPECT_EQ(item, 12) << "the attribute line selects item 12";
    EXPECT_STREQ(text, "Banana");
}

TEST_F(TreeFields, InsertBeforeAfterAndBelow) {
    EXPECT_EQ(Insert(10, 1, 5, "First"), kTree);
    EXPECT_EQ(Children(nullptr), (std::vector<int>{5, 10, 20, 30}))
        << "inserting before the first item of a level makes the new item the first";
    EXPECT_EQ(Insert(12, 1, 14, "Blueberry"), kTree);
    EXPECT_EQ(Insert(12, 2, 15, "Citron"), kTree);
    EXPECT_EQ(Children(yyTreeViewFind(Tree(), 10)), (std::vector<int>{11, 14, 12, 15, 13}));
    EXPECT_EQ(Insert(30, 3, 31, "Rye"), kTree);
    EXPECT_EQ(Children(yyTreeViewFind(Tree(), 30)), (std::vector<int>{31}));
    int state = 0;
    EXPECT_EQ(State(30, &state), kTree) << "a former leaf now has children";

    EXPECT_EQ(Insert(99, 2, 40, "Nowhere"), -2);
    EXPECT_EQ(yyTreeViewFind(Tree(), 40), nullptr);
}

TEST_F(TreeFields, UniqueIdCheck) {
    EXPECT_EQ(Insert(30, 2, 11, "Apple again"), -3);
    EXPECT_EQ(Children(nullptr), (std::vector<int>{10, 20, 30}));

    int off = 0;
    yytreeviewcheck_(&off);
    EXPECT_EQ(Insert(30, 2, 11, "Apple again"), kTree);
    EXPECT_EQ(Children(nullptr), (std::vector<int>{10, 20, 30, 11}));
    EXPECT_EQ(ItemText(yyTreeViewFind(Tree(), 11)), "Apple")
        << "find returns the first in depth-first order";
}

TEST_F(TreeFields, StateStringSelectAndDelete) {
    int field = kTree, id = 20, collapse = 1, expand = 2, state = 0;
    yytreeviewsetstate_(&field, &id, &expand);
    EXPECT_EQ(State(20, &state), kTree);
    EXPECT_EQ(state, 2);
    yytreeviewsetstate_(&field, &id, &collapse);
    State(20, &state);
    EXPECT_EQ(state, 1);
    int leaf = 30;
    yytreeviewsetstate_(&field, &leaf, &expand);
    EXPECT_EQ(field, -3);

    field = kTree;
    id = 21;
    yytreeviewsetstring_(&field, &id, "Onion");
    EXPECT_EQ(ItemText(yyTreeViewFind(Tree(), 21)), "Onion");

    field = kTree;
    yyfieldputtree_(&field, 21);
    int item = 0;
    char text[16];
    yyfieldgettree_(&field, &item, text, sizeof text);
    EXPECT_EQ(item, 21);
    EXPECT_STREQ(text, "Onion");
    yyfieldputtree_(&field, 77);
    EXPECT_EQ(field, -2);

    field = kTree;
    id = 10;
    yytreeviewdelete_(&field, &id);
    EXPECT_EQ(field, kTree);
    EXPECT_EQ(yyTreeViewFind(Tree(), 10), nullptr);
    EXPECT_EQ(yyTreeViewFind(Tree(), 12), nullptr) << "children go with their item";
    EXPECT_EQ(Children(nullptr), (std::vector<int>{20, 30}));
    yytreeviewdelete_(&field, &id);
    EXPECT_EQ(field, -2);
}

TEST_F(TreeFields, EmptyTreeTakesAnyFirstItemAndOtherFieldsAreRefused) {
    int field = kTree;
    yyfieldclear_(&field);
    EXPECT_EQ(Children(nullptr), std::vector<int>{});
    EXPECT_EQ(Insert(12345, 3, 1, "Only"), kTree);
    EXPECT_EQ(Children(nullptr), (std::vector<int>{1}));

    int edit = kEdit, reference = 1, mode = 2, id = 2;
    yytreeviewinsert_(&edit, &reference, &mode, &id, "x");
    EXPECT_EQ(edit, -1);
}

TEST_F(TreeFields, CopyKeepsTextsIdsStatesAndSelection) {
    HWND copy =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS, 0, 0, 100, 100,
                        quill::CurrentDialogWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(copy, nullptr);
    HTREEITEM root =
        reinterpret_cast<HTREEITEM>(SendMessageA(Tree(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    yyTreeViewCopy(copy, TVI_ROOT, Tree(), root);
    EXPECT_EQ(SendMessageA(copy, TVM_GETCOUNT, 0, 0), SendMessageA(Tree(), TVM_GETCOUNT, 0, 0));
    HTREEITEM fruit = yyTreeViewFind(copy, 10);
    ASSERT_NE(fruit, nullptr);
    EXPECT_TRUE(
        SendMessageA(copy, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(fruit), TVIS_EXPANDED) &
        TVIS_EXPANDED);
    HTREEITEM veg = yyTreeViewFind(copy, 20);
    EXPECT_FALSE(
        SendMessageA(copy, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(veg), TVIS_EXPANDED) &
        TVIS_EXPANDED);
    HTREEITEM selected =
        reinterpret_cast<HTREEITEM>(SendMessageA(copy, TVM_GETNEXTITEM, TVGN_CARET, 0));
    EXPECT_EQ(selected, yyTreeViewFind(copy, 12));
    DestroyWindow(copy);
}

}  // namespace
