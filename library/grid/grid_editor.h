// The grid editor window: a library child window turned into a stand-alone editor of a copy
// of a dialog's grid, with its menus, keys, tool bar, status bar and commands. Win32 only.
#ifndef QUILL_GRID_GRID_EDITOR_H
#define QUILL_GRID_GRID_EDITOR_H

#include <windows.h>

#include "core/startup.h"
#include "core/window_takeover.h"
#include "grid/grid_control.h"

// Sizes of the editor's texts (each with room for its NUL).
constexpr int kGridFileNameBytes = 261;
constexpr int kGridFilterBytes = 1001;
constexpr int kGridTitleBytes = 1025;
constexpr int kGridFindBytes = 1025;

// Command ids of the editor's menus, keys and tool bar.
enum GridEditorCommand : int {
    kGridEdNew = 32101,
    kGridEdOpen = 32102,
    kGridEdSave = 32103,
    kGridEdSaveAs = 32104,
    kGridEdPrint = 32105,
    kGridEdPrintSelection = 32106,
    kGridEdExit = 32107,
    kGridEdCut = 32122,
    kGridEdCopy = 32123,
    kGridEdPaste = 32124,
    kGridEdDelete = 32125,
    kGridEdSelectAll = 32126,
    kGridEdSort = 32127,
    kGridEdFind = 32141,
    kGridEdFindNext = 32142,
    kGridEdGotoCell = 32144,
    kGridEdGotoRow = 32145,
    kGridEdGotoColumn = 32146,
};

// Creation flags of an editor.
enum GridEditorFlag : int {
    kGridEdNoToolbar = 0x20,
    kGridEdNoNewOpen = 0x100,
    kGridEdNoSaveAs = 0x200,
    kGridEdNoPrint = 0x400,
    kGridEdSortLabels = 0x800,
    kGridEdNoFind = 0x1000,
    kGridEdNoSave = 0x2000,
};

// The record hung on the editor's frame (GWLP_USERDATA); it begins with the frame record that
// tells the window's kind (kGridWindow) and holds the editor's and the program's keys.
struct GridWindowRecord {
    FrameBlock block;
    HWND grid;       // the editor's grid control
    HWND toolbar;    // the editor's own tool bar, null without
    HWND tooltips;   // the tool bar's tip window
    HWND statusBar;  // the window's status bar, null without
    HMENU menuBar;
    HMENU file, edit, search;
    int mode;                           // 1 modal, 2 modeless, 3 semi-modal
    int sortOption;                     // 1: row labels move with their rows when sorting
    char fileName[kGridFileNameBytes];  // empty = untitled
    char title[kGridTitleBytes];        // the window's title before the conversion
    char findText[kGridFindBytes];      // the last find text
    char findRest[1024];                // kept beside the find text; always empty here
    char filter[kGridFilterBytes];      // file dialog filter; empty = the default
    int fileType;                       // filter index of the file dialogs
    int matchCase;                      // the last find's match-case flag
    int ended;                          // ends the modal loop
    int allowNew, readOnly, allowOpen, allowSave, allowSaveAs, allowPrint, allowFind;
    LPARAM lastCell;              // the last cell-change value
    int trackWidth, trackHeight;  // largest tracking size, kNotRecorded = none
    // Beside the words above:
    int slot;           // window slot of the frame
    HFONT font;         // the window font (like the template grid's dialog font)
    LONG scrollBars;    // scroll-bar style bits of the grid as made
    int semiCounted;    // 1 while counted among the semi-modal windows
    int haveMaximised;  // a child-style editor's placement saved on maximise
    WINDOWPLACEMENT placement;
    // The frame's own procedure and bars while the editor has it, and whether the other
    // dialogs and windows are disabled for it.
    quill::FrameTakeover takeover;
};

// Results of the last modal editor: its grid's two modified flags and its texts.
extern int giModal, giModalEdited;
extern char gModalFileName[kGridFileNameBytes];
extern char gModalFindText[kGridFindBytes];

namespace quill {

// The editor record of a frame, null for any other window.
GridWindowRecord *GridWindowRecordOf(HWND frame);
// The grid of the current window when it is a grid editor, else null.
HWND GridEditorGrid();
// The editor texts for yygridgetinfostring_: CODE 1 file name, 2 find text, 3 what follows
// it; LAST selects the last modal run instead of the current window. Null when none.
const char *GridEditorText(int code, bool last);

}  // namespace quill

// STATUS out (left unchanged on success): 1 not a child window, 2 menu with a modal editor,
// 3 menu not loaded, 4 menu in a child-style window, 5 mode changed to modeless, 6 no
// memory, 8 already converted, 11 not a grid, 12 has child windows. Texts are blank-padded.
void yygridedit_(int *status, int *grid, int *mode, const int *menuid, const int *flags,
                 const int *type, const char *filename, const char *filter, int filenameLen,
                 int filterLen);
// Runs the modal loop of a modal editor until it closes; frees its record.
void yygridedit2_();
LRESULT CALLBACK yyGridWindowWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void yyGridTitle(HWND frame);
void yyGridWinSize(GridWindowRecord *record);
HWND yyGridGetEditCell(const GridRecord *grid);

// Commands of an editor on window slot *WINDOW. Texts are NUL-terminated in buffers of the
// sizes above.
void yygridwingoto_(int *window, int *mode);
void yygridwinfind_(int *window, int *mode, int *matchcase, char *text);
void yygridwinsort_(int *window, int *option, int *ok);
void yygridwinprint_(int *window, int *row1, int *row2, int *col1, int *col2, int *ok);
void yygridwinsave_(int *window, int *saveas, int *ok, int *type, char *filename,
                    const char *filter);
void yygridwinload_(int *window, int *ask, int *ok, int *type, char *filename, const char *filter);
void yygridwinsaveprompt_(int *window, int *modified, int *result, int *type, char *filename,
                          const char *filter);

#endif
