// The public dialog routines and the release of every dialog when the library closes.
#include <windows.h>

#include "core/childwindows.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "base/errors.h"
#include "core/numeric_edit.h"
#include "core/startup.h"
#include "quillamorph/childwindows.h"
#include "quillamorph/dialogs.h"

namespace {

// The public layer works on a dialog only while one is loaded and selected.
bool HaveCurrentDialog() { return iCurDialog != 0 && iDlgCur > 0 && iDlgCur <= nDialogs; }

}  // namespace

void wdialogload_(const int *id) {
    if (!id) {
        quill::RaiseError(1007);
        return;
    }
    int value = *id;
    yydialogload2(&value, 0);
    if (value < 0) {
        quill::RaiseError(1007);
        return;
    }
    iCurDialog = *id;
}

void wdialogselect_(const int *id) {
    int value = id ? *id : 0;
    if (!id || value <= 0) {
        quill::RaiseError(1008);
        return;
    }
    yydialogselect_(&value);
    if (value < 0) {
        quill::RaiseError(1008);
        return;
    }
    iCurDialog = *id;
}

void wdialogshow_(const int *ix, const int *iy, const int *ifocus, const int *itype) {
    if (!HaveCurrentDialog()) {
        quill::RaiseError(1005);
        return;
    }
    int x = ix ? *ix : -1, y = iy ? *iy : -1;
    int focus = ifocus ? *ifocus : 0;
    int type = itype ? *itype : 2;
    if (type < 1 || type > 3) type = 2;
    // Positions are taken in the root's client area: a selected child window hands the
    // selection to the root for the call and gets it back afterwards.
    int selected = wIndex;
    if (selected != 0) {
        int root = 0;
        quill::SelectWindowForAMoment(&root);
    }
    // Child dialogs are placed in pixels of the root's client area; -1 stays centred.
    int px = -1, py = -1;
    windowunitstopixels_(&x, &y, &px, &py);
    if (x == -1) px = -1;
    if (y == -1) py = -1;
    int window = 0;
    const bool modal = type == 1;
    // While the modal dialog runs, the windows and dialogs behind it repaint from snapshots.
    if (modal) quill::ModalSnapshots(1);
    yydialogshow_(&x, &y, &px, &py, &type, &focus, &window);
    if (modal) quill::ModalSnapshots(0);
    if (modal && type >= 0) {
        // What winfodialog_ reports about the dialog just closed: its closing button, the
        // field before it and its id.
        int values[3] = {0, 0, 0};
        for (int item = 1; item <= 3; ++item) yywinfodialog_(&item, &values[item - 1]);
        quill::SetDialogInfo(values[0], values[1], values[2]);
    }
    if (selected != 0) quill::SelectWindowForAMoment(&selected);
    quill::RaiseShowError(type);
}

void wdialogunload_(const int *ioption) {
    if (!HaveCurrentDialog()) {
        quill::RaiseError(1005);
        return;
    }
    int option = ioption ? *ioption : 0;
    int slot = 0;
    yydialogunload_(&option, &slot);
    if (slot == -1) {
        quill::RaiseError(1047);
        return;
    }
    if (slot == -2) {
        quill::RaiseError(1069);
        return;
    }
    iCurDialog = 0;
}

void quill::ShutDownDialogs(void) {
    for (int slot = nDialogs; slot >= 1; --slot) {
        HWND dialog = hDialogList[slot];
        if (dialog) yytabdialogend(dialog);
        DestroyDialog(dialog);
        hDialogList[slot] = nullptr;
    }
    hDlgCur = nullptr;
    iDlgCur = 0;
    nDialogs = 0;
    nSemi = 0;
    hLastSemi = nullptr;
    iBadTab = 0;
    hBadTab = nullptr;
    hBadVal = nullptr;
    if (hBrushDlg) DeleteObject(hBrushDlg);
    hBrushDlg = nullptr;
}
