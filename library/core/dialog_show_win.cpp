// Loading, selecting, showing, hiding and unloading dialogs, and the dialog services for size,
// title and icon, tab stops, text selection and disabling the other dialogs and windows.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "base/errors.h"
#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/numeric_edit.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

bool IsChildStyle(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

// Slot 1..nDialogs of a loaded dialog id, -1 when not loaded (slot 0, the modal copy, shares
// its record with the loaded dialog and is not searched).
int LoadedSlot(int id) {
    for (int slot = 1; slot <= nDialogs; ++slot) {
        DialogRecord *record = quill::DialogRecordOf(hDialogList[slot]);
        if (record && record->id == id) return slot;
    }
    return -1;
}

int SlotOf(HWND dialog) {
    for (int slot = 1; slot <= nDialogs; ++slot)
        if (hDialogList[slot] == dialog) return slot;
    return -1;
}

// Calls visit(tab, index) for each item of a tab control in another loaded dialog whose page
// is DIALOG, until visit returns true; true when one did.
template <typename Visit>
bool VisitTabItemsOfPage(HWND dialog, Visit visit) {
    for (int slot = 1; slot <= nDialogs; ++slot) {
        HWND other = hDialogList[slot];
        if (other == dialog) continue;
        for (HWND c = GetWindow(other, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!atomTab || quill::WindowClassAtom(c) != atomTab) continue;
            int count = static_cast<int>(SendMessageA(c, TCM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < count; ++i)
                if (quill::TabPageDialog(c, i) == dialog && visit(c, i)) return true;
        }
    }
    return false;
}

// True when DIALOG is the page of a tab control in another loaded dialog.
bool IsTabPage(HWND dialog) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record || !IsChildStyle(dialog)) return false;
    return VisitTabItemsOfPage(dialog, [](HWND, int) { return true; });
}

bool AnyFrameVisible() {
    for (int slot = 0; slot < kWindowSlots; ++slot)
        if (wWindow[slot] && IsWindowVisible(wWindow[slot])) return true;
    return false;
}

void SetFrames(HWND spare, BOOL enable, bool onlyVisible) {
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        HWND frame = wWindow[slot];
        if (!frame || frame == spare || (onlyVisible && !IsWindowVisible(frame))) continue;
        EnableWindow(frame, enable);
    }
}

void SetDialogs(HWND spare, bool alsoWindows, BOOL enable) {
    for (int slot = 1; slot <= nDialogs; ++slot) {
        HWND dialog = hDialogList[slot];
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if (!dialog || dialog == spare || !record || !record->shown) continue;
        HWND parent = GetParent(dialog);
        if (parent && parent != wWindow[0] && parent != hClient[0]) continue;
        EnableWindow(dialog, enable);
    }
    if (alsoWindows) SetFrames(spare, enable, true);
}

// Hides DIALOG (in SLOT); CHECKED refuses a dialog that fills a frame or is a tab page.
int HideDialog(HWND dialog, bool current, bool checked) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record) return 0;
    if (checked && current && record->parentFrame) return -1;
    if (checked && IsTabPage(dialog)) return -2;
    if (record->shown && record->showType == 3) {
        if (nSemi > 0) --nSemi;
        if (nSemi == 0) {
            SetDialogs(nullptr, true, TRUE);
            SetFrames(nullptr, TRUE, false);
        } else if (record->reenable) {
            EnableWindow(record->reenable, TRUE);
        }
    }
    for (int slot = 1; slot <= nDialogs; ++slot) {
        DialogRecord *other = quill::DialogRecordOf(hDialogList[slot]);
        if (!other || other == record) continue;
        if (other->owner == dialog) other->owner = record->owner;
        if (other->reenable == dialog) other->reenable = record->reenable;
    }
    bool wasCurrent = hDlgCur == dialog;
    ShowWindow(dialog, SW_HIDE);
    record->shown = 0;
    if (hDlgCur == dialog) hDlgCur = nullptr;
    if (hLastSemi == dialog) hLastSemi = nSemi > 0 ? record->reenable : nullptr;
    if (wasCurrent && record->owner && IsWindow(record->owner)) {
        SetFocus(record->owner);
        SetActiveWindow(record->owner);
        if (SlotOf(record->owner) > 0) hDlgCur = record->owner;
    }
    return 0;
}

void UnloadDialog(HWND dialog, int option, bool checkedHide, int *result);

void UnloadPages(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!atomTab || quill::WindowClassAtom(c) != atomTab) continue;
        int count = static_cast<int>(SendMessageA(c, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            HWND page = quill::TabPageDialog(c, i);
            int ignored = 0;
            if (page && page != dialog) UnloadDialog(page, 0, false, &ignored);
        }
    }
}

void UnloadDialog(HWND dialog, int option, bool checkedHide, int *result) {
    int slot = SlotOf(dialog);
    if (slot < 0) return;
    *result = HideDialog(dialog, slot == iDlgCur, checkedHide);
    if (*result < 0) return;
    yytabdialogend(dialog);
    if (option == 0) UnloadPages(dialog);
    slot = SlotOf(dialog);  // page unloads may have moved it down
    if (slot < 0) return;

    quill::DestroyDialog(dialog);
    for (int i = slot; i < nDialogs; ++i) hDialogList[i] = hDialogList[i + 1];
    hDialogList[nDialogs] = nullptr;
    --nDialogs;
    if (iDlgCur == slot)
        iDlgCur = 0;
    else if (iDlgCur > slot)
        --iDlgCur;  // the current dialog moved down with the others
    if (nDialogs == 0 && !AnyFrameVisible()) hWinCur = wWindow[0];
}

}  // namespace

int yydialogload2(int *id, int window) {
    int slot = LoadedSlot(*id);
    if (slot > 0) {
        iDlgCur = slot;
        return slot;
    }
    if (nDialogs >= QUILL_MAX_DIALOGS) {
        *id = -1;
        return -1;
    }
    if (!FindResourceA(Instance(), MAKEINTRESOURCEA(*id), MAKEINTRESOURCEA(5) /* RT_DIALOG */)) {
        *id = -2;
        return -1;
    }
    DialogRecord *record = static_cast<DialogRecord *>(std::calloc(1, sizeof(DialogRecord)));
    if (!record) {
        *id = -1;
        return -1;
    }
    record->id = *id;
    iDlgPendingX = iDlgPendingY = 0;
    iDlgPendingFocus = 0;
    slot = ++nDialogs;
    HWND parent = (window >= 0 && window < kWindowSlots) ? hClient[window] : nullptr;
    HWND savedCurrent = hDlgCur;
    bDialogCreating = 1;
    HWND dialog = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(*id), parent, yydialogproc,
                                     reinterpret_cast<LPARAM>(record));
    bDialogCreating = 0;
    if (!dialog) {
        hDialogList[slot] = nullptr;
        --nDialogs;
        std::free(record);
        *id = -1;
        return -1;
    }
    hDialogList[slot] = dialog;
    iDlgCur = slot;
    yydialogorn(dialog, record->id, slot);
    // Each field's state as loaded is the state it keeps when the dialog is resized; the
    // arrows of a spin field follow their field and keep none of their own.
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (FieldRecord *field = quill::FieldRecordOf(c))
            if (quill::WindowClassAtom(c) != atomUpDown) field->state = quill::FieldStateOf(c);
    iDlgCur = SlotOf(dialog);
    hDlgCur = savedCurrent;
    return iDlgCur;
}

int yydialogload_(int *id) { return yydialogload2(id, 0); }

void yydialogselect_(int *id) {
    int slot = LoadedSlot(*id);
    if (slot < 0) {
        *id = -1;
        return;
    }
    iDlgCur = slot;
}

void yydialogshow_(int *x, int *y, int *px, int *py, int *type, int *focus, int *window) {
    HWND dialog = iDlgCur > 0 ? quill::CurrentDialogWindow() : nullptr;
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record) {
        *type = -2;
        return;
    }
    bool child = IsChildStyle(dialog);
    if (record->shown && IsWindowVisible(dialog)) {
        ShowWindow(dialog, SW_RESTORE);
        UpdateWindow(dialog);
        if (child) {
            SetFocus(dialog);
            SetActiveWindow(dialog);
            hDlgCur = dialog;
        }
        *type = 0;
        return;
    }
    int kind = *type;
    int result = 0;
    if (kind == 2 && nSemi > 0) {
        kind = 3;
        result = -1;
    }
    if (child && kind != 2) {
        kind = 2;
        result = -1;
    }
    if (kind != 1 && child && !(window && *window == 1)) {
        // A child dialog needs a visible root client area that is not itself a dialog.
        if (wHideRoot) {
            *type = -2;
            return;
        }
        if (bDlgRoot) {
            *type = -3;
            return;
        }
    }
    iDlgPendingFocus = focus ? *focus : 0;
    iDlgPendingX = child ? *px : *x;
    iDlgPendingY = child ? *py : *y;

    DialogRecord *current = quill::DialogRecordOf(hDlgCur);
    if (hDlgCur && IsWindowVisible(hDlgCur))
        record->owner = current && current->parentFrame ? current->parentFrame : hDlgCur;
    else
        record->owner = hWinCur;
    record->reenable = hLastSemi ? hLastSemi : record->owner;
    record->showType = kind;

    if (kind == 1) {
        HWND savedWin = hWinCur, savedDlg = hDlgCur;
        HWND owner = record->owner;
        yyDisableDialogs(owner, 1);
        DialogBoxParamA(Instance(), MAKEINTRESOURCEA(record->id), owner, yydialogproc, 0);
        hDialogList[0] = nullptr;
        yyEnableDialogs(hLastSemi ? hLastSemi : owner, 1);
        hWinCur = savedWin;
        hDlgCur = savedDlg;
        if (owner && IsWindow(owner) && IsChildStyle(owner)) {
            SetFocus(owner);
            if (SlotOf(owner) > 0) hDlgCur = owner;
        }
        *type = result;
        return;
    }
    if (kind == 3) {
        ++nSemi;
        hLastSemi = dialog;
        yyDisableDialogs(dialog, 0);
        SetFrames(dialog, FALSE, false);
    }
    yytabdialoginit(dialog);
    yydialogcentre(dialog);
    SetWindowPos(dialog, nullptr, iDlgPendingX, iDlgPendingY, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    if (child) {
        yytitlecolour(dialog);
        hDlgCur = dialog;
    }
    EnableWindow(dialog, TRUE);
    ShowWindow(dialog, SW_RESTORE);
    // A top-level dialog shown modeless becomes the active window, and so the dialog whose
    // keys (Tab, Escape, Enter, its accelerators) the event loop hands to the dialog manager.
    if (!child) {
        SetActiveWindow(dialog);
        if (GetActiveWindow() == dialog) hDlgCur = dialog;
    }
    HWND target = iDlgPendingFocus ? GetDlgItem(dialog, iDlgPendingFocus) : nullptr;
    SetFocus(target ? target : dialog);
    if (target) yyDialogSelectAll(target);
    UpdateWindow(dialog);
    HWND focused = GetFocus();
    record->previousField = focused && IsChild(dialog, focused) ? GetDlgCtrlID(focused) : 0;
    record->shown = 1;
    *type = result;
}

namespace quill {

void RaiseShowError(int type) {
    if (type == -1)
        RaiseError(1014);
    else if (type == -2)
        RaiseError(1016);
    else if (type == -3)
        RaiseError(1046);
}

}  // namespace quill

void yydialoghide_(int *slot) {
    int index = *slot == 0 ? iDlgCur : *slot;
    if (index <= 0 || index > nDialogs) return;
    int result = HideDialog(hDialogList[index], index == iDlgCur, true);
    if (result < 0) *slot = result;
}

void yydialogunload2(HWND dialog, int option, int slot) {
    (void)slot;
    int result = 0;
    UnloadDialog(dialog, option, true, &result);
}

void yydialogunload_(int *option, int *slot) {
    int index = *slot == 0 ? iDlgCur : *slot;
    if (index <= 0 || index > nDialogs) return;
    int result = 0;
    UnloadDialog(hDialogList[index], option ? *option : 0, true, &result);
    if (result < 0) *slot = result;
}

void yydialogsize_(int *width, int *height, int *result) {
    HWND dialog = quill::CurrentDialogWindow();
    DialogRecord *record = quill::DialogRecordOf(dialog);
    *result = 0;
    if (!record || record->parentFrame) {
        *result = -1;
        return;
    }
    RECT old, fresh = {0, 0, *width, *height};
    GetClientRect(dialog, &old);
    MapDialogRect(dialog, &fresh);
    if (*width <= 0) fresh.right = old.right;
    if (*height <= 0) fresh.bottom = old.bottom;

    // A spin field counts with its arrows; its up-down control follows it and is passed over.
    auto inside = [](HWND c, const RECT &area) { return yyFieldInRect(c, &area) == 1; };
    auto skipped = [](HWND c) {
        char name[8] = {0};
        GetClassNameA(c, name, sizeof name);
        return lstrcmpA(name, "#32770") == 0 ||
               (atomUpDown && quill::WindowClassAtom(c) == atomUpDown);
    };
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (skipped(c) || !inside(c, old) || inside(c, fresh)) continue;
        if (GetFocus() == c) SetFocus(GetNextDlgTabItem(dialog, c, FALSE));
        EnableWindow(c, FALSE);  // the recorded state stays as it was
    }
    RECT frame = fresh;
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Fields that came into view take their recorded state again (a field recorded disabled,
    // read-only or hidden stays so).
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (skipped(c) || inside(c, old) || !inside(c, fresh)) continue;
        FieldRecord *field = quill::FieldRecordOf(c);
        int id = GetDlgCtrlID(c);
        if (field && GetDlgItem(dialog, id) == c)
            yyfieldenable_(&id, field->state, 0);
        else
            EnableWindow(c, !field || field->state != kStateDisabled);
    }
}

void yydialogtitle_(int *icon, int *mode, const char *title) {
    HWND dialog = quill::CurrentDialogWindow();
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record) return;
    bool caption = (GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    if (*mode == 1) {
        if (caption) {
            SetWindowTextA(dialog, title);
        } else if (IsChildStyle(dialog)) {
            // A page without a caption shows its title on its tabs.
            VisitTabItemsOfPage(dialog, [title](HWND tab, int index) {
                TCITEMHEADERA item = {};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<char *>(title);
                SendMessageA(tab, TCM_SETITEMA, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(&item));
                InvalidateRect(tab, nullptr, TRUE);
                return false;
            });
        }
    }
    if (!caption || *icon == -1) return;
    HICON fresh =
        static_cast<HICON>(LoadImageA(Instance(), *icon == 0 ? "icon1" : MAKEINTRESOURCEA(*icon),
                                      IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!fresh) {
        *icon = -2;
        return;
    }
    HICON oldBig = reinterpret_cast<HICON>(
        SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(fresh)));
    HICON oldSmall = reinterpret_cast<HICON>(SendMessageA(dialog, WM_SETICON, ICON_SMALL, 0));
    if (oldBig && oldBig != fresh) DestroyIcon(oldBig);
    if (oldSmall && oldSmall != fresh && oldSmall != oldBig) DestroyIcon(oldSmall);
}

void yydialogtabstops_(int *field, const int *stops, int *n) {
    HWND dialog = quill::CurrentDialogWindow();
    HWND control = dialog ? GetDlgItem(dialog, *field) : nullptr;
    FieldRecord *record = quill::FieldRecordOf(control);
    int count = n && *n > 0 ? *n : 0;
    bool multiline = control && quill::WindowClassAtom(control) == atomEdit &&
                     (GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE);
    bool list = control && quill::WindowClassAtom(control) == atomList;
    if (!record || (!multiline && !list)) {
        *field = -1;
        return;
    }
    int *copy = nullptr;
    if (count > 0) {
        copy = static_cast<int *>(std::malloc(sizeof(int) * static_cast<std::size_t>(count)));
        if (!copy) {
            *field = -1;
            return;
        }
        std::memcpy(copy, stops, sizeof(int) * static_cast<std::size_t>(count));
    }
    SendMessageA(control, multiline ? EM_SETTABSTOPS : LB_SETTABSTOPS, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(copy));
    InvalidateRect(control, nullptr, TRUE);
    std::free(record->tabStops);
    record->tabStops = copy;
    record->nTabStops = count;
}

void yyDialogSelectAll(HWND control) {
    if (!control) return;
    ATOM atom = quill::WindowClassAtom(control);
    if (atom == atomEdit && (GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE)) {
        int length = GetWindowTextLengthA(control);
        SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(length), length);
    } else if (quill::IsEditField(control)) {
        SendMessageA(control, EM_SETSEL, 0, -1);
        SendMessageA(control, EM_SCROLLCARET, 0, 0);
    } else if (atomCombo && atom == atomCombo) {
        SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
    }
}

void yyDisableDialogs(HWND spare, int alsoWindows) { SetDialogs(spare, alsoWindows != 0, FALSE); }

void yyEnableDialogs(HWND spare, int alsoWindows) { SetDialogs(spare, alsoWindows != 0, TRUE); }

void yywinfodialog_(int *item, int *value) {
    DialogRecord *record = quill::DialogRecordOf(quill::CurrentDialogWindow());
    switch (*item) {
    case 1: *value = record ? record->currentField : 0; break;
    case 2: *value = record ? record->previousField : 0; break;
    case 3: *value = iLastModalId; break;
    default: *value = 0; break;
    }
}
