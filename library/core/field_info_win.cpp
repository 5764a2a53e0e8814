// What a dialog field is and where it lies: type, state, position and size, colours, whether
// it lies inside its dialog, the last field used, and whether a dialog holds fields that the
// program draws itself.
#include <windows.h>
#include <commctrl.h>

#include "core/dialog_attributes.h"
#include "core/dialogs.h"
#include "base/errors.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/startup.h"

void yygetfieldtype_(int *id, int *type) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    *type = quill::FieldTypeOf(control);
}

void yygetfieldstate_(int *id, int *state) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    *state = quill::FieldStateOf(control);
}

void yygetfieldinfo_(int *id, int *x, int *y, int *width, int *height, int mode) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    HWND dialog = GetParent(control);
    RECT r;
    if (mode == 1) {
        GetClientRect(control, &r);
        MapWindowPoints(control, dialog, reinterpret_cast<POINT *>(&r), 2);
    } else {
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    }
    *x = r.left;
    *y = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
}

void yygetdlgfactor_(int *x, int *y) {
    RECT r{0, 0, 4, 8};
    HWND dialog = quill::CurrentDialogWindow();
    if (dialog) MapDialogRect(dialog, &r);
    *x = r.right;
    *y = r.bottom;
}

void yyFieldColour2(HWND control, int which, int r, int g, int b) {
    FieldRecord *record = quill::FieldRecordOf(control);
    if (!record) return;
    COLORREF &colour = which == 1 ? record->foreground : record->background;
    colour = quill::AttributeColour(colour, r, g, b);
}

void yyfieldcolour_(int *id, int fr, int fg, int fb, int br, int bg, int bb) {
    HWND control = quill::FieldControl(*id);
    if (!quill::FieldRecordOf(control)) {
        *id = -1;
        return;
    }
    yyFieldColour2(control, 1, fr, fg, fb);
    yyFieldColour2(control, 2, br, bg, bb);
    RedrawWindow(control, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int yyFieldInRect(HWND control, const RECT *rect) {
    RECT r;
    GetWindowRect(control, &r);
    if (FieldRecord *record = quill::FieldRecordOf(control)) {
        if (record->upDown && quill::IsSpinField(control)) {
            RECT u;
            GetWindowRect(record->upDown, &u);
            if (u.right > r.right) r.right = u.right;
        }
    }
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&r), 2);
    if (r.left >= rect->left && r.top >= rect->top && r.right <= rect->right &&
        r.bottom <= rect->bottom)
        return 1;
    if (r.right <= rect->left || r.left >= rect->right || r.bottom <= rect->top ||
        r.top >= rect->bottom)
        return 0;
    return 2;
}

void yyUpdateLast(HWND window, HWND field) {
    while (window) {
        if (DialogRecord *record = quill::DialogRecordOf(window)) record->focusControl = field;
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) break;
        HWND parent = GetParent(window);
        if (!parent || quill::WindowClassAtom(parent) == atomClient) break;
        window = parent;
    }
}

int yyCheckUserDrawn(HWND dialog) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (record && record->reportMouse) return 1;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        FieldRecord *field = quill::FieldRecordOf(child);
        if (field && field->userDrawn) return 1;
        if (quill::WindowClassAtom(child) == atomTab && !(field && field->userDrawn)) {
            int selected = static_cast<int>(SendMessageA(child, TCM_GETCURSEL, 0, 0));
            HWND page = quill::TabPageDialog(child, selected);
            if (page && page != dialog && yyCheckUserDrawn(page)) return 1;
        }
    }
    return 0;
}

void yyshowcd_(int *ifocus, int *itype) {
    if (iCurDialog == 0 || !quill::CurrentDialogWindow()) {
        quill::RaiseError(1005);
        return;
    }
    // The dialog's top-left corner goes to the top-left corner of the client area of the
    // current modeless dialog, else of the current window, in screen pixels.
    POINT corner{0, 0};
    if (HWND from = hDlgCur ? hDlgCur : hWinCur) ClientToScreen(from, &corner);
    int x = corner.x, y = corner.y, px = corner.x, py = corner.y;
    int focus = ifocus ? *ifocus : 0;
    int type = itype ? *itype : 2;
    int window = 0;
    yydialogshow_(&x, &y, &px, &py, &type, &focus, &window);
    quill::RaiseShowError(type);
}
