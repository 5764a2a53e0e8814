// Tree-view fields: trees whose items the library and its programs address by an integer id
// that the program chooses, kept as the item's parameter. Win32 only.
//
// The routines that take a field id by pointer work on the current dialog and return their
// status in it: -1 when the field does not exist or is not a tree view, -2 when the item
// asked about is not in the tree, -3 as each routine says.
#ifndef QUILL_CORE_TREEVIEW_H
#define QUILL_CORE_TREEVIEW_H

#include <windows.h>
#include <commctrl.h>

// 1 (the default): an insertion with an id the tree already holds is refused.
extern int iTreeCheck;

// Builds a tree from menu resource MENUID (nothing when it is 0); the item with SELECTED as
// its id becomes the selected item.
void yyTreeViewInit(HWND tree, int menuId, int selected);
// Builds one menu level as the last children of PARENT.
void yyTreeViewInit2(HWND tree, HTREEITEM parent, HMENU menu, int selected);
void yytreeviewcheck_(const int *flag);
// Copies SOURCE's item FIRST, its following siblings and all their children as the last
// children of PARENT in DESTINATION.
void yyTreeViewCopy(HWND destination, HTREEITEM parent, HWND source, HTREEITEM first);
// The first item with this id, depth first, siblings in order; null when none.
HTREEITEM yyTreeViewFind(HWND tree, int id);
HTREEITEM yyTreeViewFind2(HWND tree, HTREEITEM first, int id);

// MODE 1 inserts before REFERENCE, 3 as its last child, anything else after it; -3 when the
// id is already present and the unique-id check is on.
void yytreeviewinsert_(int *field, const int *reference, const int *mode, const int *id,
                       const char *text);
void yytreeviewdelete_(int *field, const int *id);
// STATE 2 expanded, 1 collapsed; -3 for an item without children.
void yytreeviewgetstate_(int *field, const int *id, int *state);
// STATE 1 collapses, any other value expands; -3 for an item without children.
void yytreeviewsetstate_(int *field, const int *id, const int *state);
void yytreeviewsetstring_(int *field, const int *id, const char *text);

#endif
