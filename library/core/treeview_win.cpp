// Tree-view fields: building a tree from a menu, finding, inserting, deleting, expanding and
// renaming items by their ids, and copying a tree into the modal copy of its dialog.
#include "core/treeview.h"

#include <string>
#include <vector>

#include "core/fields.h"
#include "core/menus.h"

int iTreeCheck = 1;

namespace {

// Longest item text copied from one tree into another.
constexpr int kCopyText = 32767;

HTREEITEM next_item(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM insert_item(HWND tree, HTREEITEM parent, HTREEITEM after, const char *text, int id) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char *>(text);
    insert.item.lParam = id;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The tree view with this id in the current dialog, null when there is none.
HWND tree_field(int *field) {
    HWND control = quill::FieldControl(*field);
    if (quill::FieldTypeOf(control) != kFieldTree) {
        *field = -1;
        return nullptr;
    }
    return control;
}

// The item with ID in the tree FIELD, or null with the status set.
HTREEITEM tree_item(int *field, int id, HWND *tree) {
    *tree = tree_field(field);
    if (!*tree) return nullptr;
    HTREEITEM item = yyTreeViewFind(*tree, id);
    if (!item) *field = -2;
    return item;
}

// Text of a menu item, read with its real length.
std::string menu_item_text(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || info.cch == 0)
        return std::string();
    std::vector<char> text(info.cch + 1, '\0');
    info.dwTypeData = text.data();
    info.cch += 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return std::string();
    return std::string(text.data());
}

}  // namespace

void yytreeviewcheck_(const int *flag) {
    if (flag) iTreeCheck = *flag;
}

void yyTreeViewInit(HWND tree, int menuId, int selected) {
    if (menuId == 0 || !tree) return;
    // Loaded with its id table, which gives the sub-menus their ids.
    HMENU menu = yymnload(menuId);
    if (!menu) return;
    yyTreeViewInit2(tree, TVI_ROOT, menu, selected);
    DestroyMenu(menu);
}

void yyTreeViewInit2(HWND tree, HTREEITEM parent, HMENU menu, int selected) {
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        std::string text = menu_item_text(menu, position);
        int id = static_cast<int>(info.wID);
        HTREEITEM item = insert_item(tree, parent, TVI_LAST, text.c_str(), id);
        if (!item) continue;
        if (info.hSubMenu) {
            yyTreeViewInit2(tree, item, info.hSubMenu, selected);
            if (info.fState & MFS_CHECKED)
                SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        }
        if (id == selected)
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
}

HTREEITEM yyTreeViewFind(HWND tree, int id) {
    return yyTreeViewFind2(tree, next_item(tree, nullptr, TVGN_ROOT), id);
}

HTREEITEM yyTreeViewFind2(HWND tree, HTREEITEM first, int id) {
    // Depth first without recursion, so that deep trees cannot exhaust the stack: an item,
    // then its children, then its next sibling, then the next sibling of an ancestor.
    HTREEITEM top = first ? next_item(tree, first, TVGN_PARENT) : nullptr;
    HTREEITEM item = first;
    while (item) {
        TVITEMA tv{};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        if (SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) &&
            static_cast<int>(tv.lParam) == id)
            return item;
        HTREEITEM next = next_item(tree, item, TVGN_CHILD);
        while (!next && item) {
            next = next_item(tree, item, TVGN_NEXT);
            if (next) break;
            item = next_item(tree, item, TVGN_PARENT);
            if (item == top) item = nullptr;
        }
        item = next;
    }
    return nullptr;
}

void yytreeviewinsert_(int *field, const int *reference, const int *mode, const int *id,
                       const char *text) {
    HWND tree = tree_field(field);
    if (!tree) return;
    const char *label = text ? text : "";
    HTREEITEM root = next_item(tree, nullptr, TVGN_ROOT);
    if (!root) {
        insert_item(tree, TVI_ROOT, TVI_FIRST, label, *id);
        InvalidateRect(tree, nullptr, TRUE);
        return;
    }
    HTREEITEM ref = yyTreeViewFind(tree, *reference);
    if (!ref) {
        *field = -2;
        return;
    }
    if (iTreeCheck == 1 && yyTreeViewFind(tree, *id)) {
        *field = -3;
        return;
    }
    HTREEITEM parent = next_item(tree, ref, TVGN_PARENT);
    if (*mode == 1) {
        HTREEITEM previous = next_item(tree, ref, TVGN_PREVIOUS);
        insert_item(tree, parent, previous ? previous : TVI_FIRST, label, *id);
    } else if (*mode == 3) {
        insert_item(tree, ref, TVI_LAST, label, *id);
        // Show the reference's button for its new children at once.
        TVITEMA tv{};
        tv.mask = TVIF_CHILDREN;
        tv.hItem = ref;
        tv.cChildren = 1;
        SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    } else {
        insert_item(tree, parent, ref, label, *id);
    }
    InvalidateRect(tree, nullptr, TRUE);
}

void yytreeviewdelete_(int *field, const int *id) {
    HWND tree;
    HTREEITEM item = tree_item(field, *id, &tree);
    if (!item) return;
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    InvalidateRect(tree, nullptr, TRUE);
}

void yytreeviewgetstate_(int *field, const int *id, int *state) {
    HWND tree;
    HTREEITEM item = tree_item(field, *id, &tree);
    if (!item) return;
    if (!next_item(tree, item, TVGN_CHILD)) {
        *field = -3;
        return;
    }
    UINT flags = static_cast<UINT>(
        SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED));
    *state = (flags & TVIS_EXPANDED) ? 2 : 1;
}

void yytreeviewsetstate_(int *field, const int *id, const int *state) {
    HWND tree;
    HTREEITEM item = tree_item(field, *id, &tree);
    if (!item) return;
    if (!next_item(tree, item, TVGN_CHILD)) {
        *field = -3;
        return;
    }
    SendMessageA(tree, TVM_EXPAND, *state == 1 ? TVE_COLLAPSE : TVE_EXPAND,
                 reinterpret_cast<LPARAM>(item));
}

void yytreeviewsetstring_(int *field, const int *id, const char *text) {
    HWND tree;
    HTREEITEM item = tree_item(field, *id, &tree);
    if (!item) return;
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = const_cast<char *>(text ? text : "");
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

void yyTreeViewCopy(HWND destination, HTREEITEM parent, HWND source, HTREEITEM first) {
    std::vector<char> text(kCopyText + 1);
    for (HTREEITEM item = first; item; item = next_item(source, item, TVGN_NEXT)) {
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        tv.pszText = text.data();
        tv.cchTextMax = kCopyText + 1;
        text[0] = '\0';
        if (!SendMessageA(source, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) continue;

        TVINSERTSTRUCTA insert{};
        insert.hParent = parent ? parent : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
        insert.item.pszText = text.data();
        insert.item.lParam = tv.lParam;
        insert.item.cChildren = tv.cChildren;
        HTREEITEM copy = reinterpret_cast<HTREEITEM>(
            SendMessageA(destination, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!copy) continue;

        HTREEITEM child = next_item(source, item, TVGN_CHILD);
        if (child) yyTreeViewCopy(destination, copy, source, child);
        if (tv.state & TVIS_EXPANDED)
            SendMessageA(destination, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(copy));
        if (next_item(source, nullptr, TVGN_CARET) == item)
            SendMessageA(destination, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(copy));
    }
}
