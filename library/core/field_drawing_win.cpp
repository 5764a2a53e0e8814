// User-drawn fields: a dialog field (or the dialog itself) becomes the graphics layer's
// drawing target, through the drawing hooks. A target that is replaced gets back the objects
// it held before and its device context is released, so that switching between fields leaks
// nothing.
#include <windows.h>

#include "core/dialogs.h"
#include "core/drawing_hooks.h"
#include "core/fields.h"

void quill::ReleaseFieldTarget(void) { quill::DrawingReleaseField(); }

void yyfieldselect_(int *id, int *width, int *height) {
    HWND dialog = quill::CurrentDialogWindow();
    HWND target = *id == 0 ? dialog : quill::FieldControl(*id);
    if (!target) {
        *id = -1;
        return;
    }
    quill::ReleaseFieldTarget();
    if (!quill::DrawingSelectField(target)) {
        *id = -1;
        return;
    }
    RECT r;
    GetClientRect(target, &r);
    if (width) *width = r.right;
    if (height) *height = r.bottom;
    if (target == dialog) {
        if (DialogRecord *record = quill::DialogRecordOf(dialog)) record->reportMouse = 1;
    } else if (FieldRecord *record = quill::FieldRecordOf(target)) {
        record->userDrawn = 1;
    }
}
