// User-drawn fields: a dialog field (or the dialog itself) becomes the graphics layer's
// drawing target, through the drawing hooks. A target that is replaced gets back the objects
// it held before and its device context is released, so that switching between fields leaks
// nothing.
#include <windows.h>

#include "core/dialogs.h"
#include "core/drawing_hooks.h"
#include "core/fields.h"

void yyfieldreleasetarget(void) { quill::DrawingReleaseField(); }

void yyfieldselect_(int *id, int *width, int *height) {
    HWND dialog = yycurrentdialog();
    HWND target = *id == 0 ? dialog : yyfieldcontrol(*id);
    if (!target) {
        *id = -1;
        return;
    }
    yyfieldreleasetarget();
    if (!quill::DrawingSelectField(target)) {
        *id = -1;
        return;
    }
    RECT r;
    GetClientRect(target, &r);
    if (width) *width = r.right;
    if (height) *height = r.bottom;
    if (target == dialog) {
        if (DialogRecord *record = yydialogrecord(dialog)) record->reportMouse = 1;
    } else if (FieldRecord *record = yyfieldrecord(target)) {
        record->userDrawn = 1;
    }
}
