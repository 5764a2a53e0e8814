// The dialog table and the records attached to dialogs and their controls.
#include "core/dialogs.h"

#include <cstdlib>

HWND hDialogList[QUILL_MAX_DIALOGS + 1];
int nDialogs = 0;
int iDlgCur = 0;
HWND hDlgCur = nullptr;
int nSemi = 0;
HWND hLastSemi = nullptr;
int bDialogCreating = 0;
int iLastModalId = 0;
HBRUSH hBrushDlg = nullptr;
int iDlgPendingX = 0, iDlgPendingY = 0, iDlgPendingFocus = 0;

DialogRecord *quill::DialogRecordOf(HWND dialog) {
    if (!dialog || !IsWindow(dialog)) return nullptr;
    return reinterpret_cast<DialogRecord *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

FieldRecord *quill::FieldRecordOf(HWND control) {
    if (!control || !IsWindow(control)) return nullptr;
    return reinterpret_cast<FieldRecord *>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

FieldRecord *quill::NewFieldRecord(void) {
    FieldRecord *record = static_cast<FieldRecord *>(std::calloc(1, sizeof(FieldRecord)));
    if (!record) return nullptr;
    record->minimum = 1000.0;
    record->maximum = -1000.0;
    record->foreground = QUILL_DEFAULT_COLOUR;
    record->background = QUILL_DEFAULT_COLOUR;
    return record;
}

void quill::FreeFieldRecord(FieldRecord *record) {
    if (!record) return;
    std::free(record->tabStops);
    std::free(record->format);
    std::free(record);
}

void quill::DestroyDialog(HWND dialog) {
    DialogRecord *record = DialogRecordOf(dialog);
    // A modal copy still running on this record lets go of it first.
    HWND modal = hDialogList[0];
    if (modal && record && DialogRecordOf(modal) == record) {
        SetWindowLongPtrA(modal, GWLP_USERDATA, 0);
        EndDialog(modal, IDCANCEL);
    }
    if (dialog) DestroyWindow(dialog);
    std::free(record);
}

HWND quill::CurrentDialogWindow(void) {
    if (iDlgCur < 0 || iDlgCur > nDialogs) return nullptr;
    return hDialogList[iDlgCur];
}

int yydialogfind(int id) {
    for (int slot = 0; slot <= nDialogs && slot <= QUILL_MAX_DIALOGS; ++slot) {
        DialogRecord *record = quill::DialogRecordOf(hDialogList[slot]);
        if (record && record->id == id) return slot;
    }
    return -1;
}
