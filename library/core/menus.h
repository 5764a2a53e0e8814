// Menus, tool bars and tool tips inside the library. Menus are addressed by command id; tool
// bars mirror the state of the menu items with the same ids. Win32 only.
#ifndef QUILL_CORE_MENUS_H
#define QUILL_CORE_MENUS_H

#include <windows.h>

// Loads menu resource IMENU, gives popup items the ids of its id table and shows disabled
// items greyed; null when the resource is absent.
HMENU yymnload(int imenu);
// Applies the id table (an RCDATA resource with the menu's id) to MENU.
void yymenuloadrc(HMENU menu, int id);
// Turns every disabled item of MENU and its submenus into a greyed one.
void yymnconv(HMENU menu);

namespace quill {

// The DOVUZADODAZEZ resource of menu ID (item prompts), null when there is none.
HGLOBAL MenuPromptResource(int id);

}  // namespace quill

// 1 when window slot SLOT has a menu or a tool bar.
int yyHasMenu(int slot);

// Position of the first item with id IDENT in a depth-first search of MENU in item order, and
// the (sub)menu that holds it; -1 when there is none.
int yymngetpos(HMENU menu, int ident, HMENU *submenu);
// Frees the prompts of MENU and its submenus and sets the window's prompt count to 0.
void yyClearMenuPrompt(HMENU menu, int iwin);

namespace quill {

// The prompt text of a menu item, null when it has none.
const char *MenuItemPrompt(HMENU menu, int position);

// The status-bar prompt of the menu item a WM_MENUSELECT names: fixed texts for the system
// menu's commands, else the item's prompt; null when there is none.
const char *MenuSelectPrompt(WPARAM wParam, LPARAM lParam);

}  // namespace quill

void yymenuchange_(int *imenu, const int *iwin);
void yymnflot_(int *imenu, const int *ix, const int *iy);
void yymngrey_(const int *ident, int *ienable);
void yymnchck_(const int *ident, int *icheck);
void yymngflg_(const int *ident, const int *iflag, int *istate);
void yymntext_(int *ident, const char *text);
void yymnins_(int *ident, const int *ioffset, const int *inewid, const char *text);
void yymndel_(int *ident);
void yymenuprompt_(int *ident, const char *text);

// Tool bars: create (or with ITOOLBAR 0 remove) the bar at position IPOS (0 top, 1 left,
// 2 right, 3 bottom) of window IWIN.
void yymntbar_(int *itoolbar, const int *iwin, const int *ipos, int *iwidth, int *iheight);

namespace quill {

// Adds the tool bars TOOLBARS (four resource ids by position, 0 = none) to window SLOT; a
// frame centred across (CENTREDX) or down (CENTREDY) moves back by half of what it grew.
void AddToolBars(int slot, const int *toolbars, bool centredX, bool centredY);
// Answers a tool bar's request for a tool-tip text (TTN_GETDISPINFOA) sent to frame SLOT:
// the text of the window's tool-tip table, else the string resource with the button's id.
void AnswerToolTipRequest(int slot, LPARAM request);

}  // namespace quill

// Tool tip of button IDENT of the current window's tool bars (N counts TEXT and its NUL).
void yytooltip_(int *ident, const char *text, const int *n);

namespace quill {

// The tool-tip text of button ID of window slot SLOT, null when it has none.
const char *ToolTipText(int slot, int id);

}  // namespace quill

// Restacks a window's bars: status bar, then the four tool bars in order.
void yyRestackToolbars(int slot);

namespace quill {

// State of the first tool-bar button IDENT of slot SLOT: FLAG 1 enabled, 2 checked;
// -1 when no bar has it.
int ToolBarButtonState(int slot, int ident, int flag);

}  // namespace quill

#endif
