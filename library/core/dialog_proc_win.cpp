// The dialog procedure of every library dialog and of the modal copy: control set-up when a
// dialog is created, push buttons, field changes, spin arrows, tab pages, mouse and paint
// events, control colours, and the clean-up when the dialog goes.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/numeric_edit.h"
#include "core/numeric_values.h"

namespace {

bool Modeless(HWND dialog) { return !yyismodaldialog(dialog); }

// The message a grid sends its dialog when its current cell changes (wParam the grid's
// control id, lParam the new cell code). Registering a name gives every caller the same id.
UINT CellChangeMessage() {
    static const UINT message = RegisterWindowMessageA("GM_CELLCHANGE");
    return message;
}

// Reports an event of the dialog unless it is being created or copied back.
void Report(int type, int subValue, WPARAM wParam, LPARAM lParam, HWND dialog) {
    if (!bDialogCreating) yyinterpretmessage(type, subValue, wParam, lParam, dialog);
}

int ButtonKind(HWND control) { return static_cast<int>(GetWindowLongA(control, GWL_STYLE) & 0xF); }

bool IsPushStyle(HWND control) {
    int kind = ButtonKind(control);
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

void SetProc(HWND control, WNDPROC procedure) {
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

HANDLE LoadControlImage(HWND control, UINT type) {
    UINT flags = type == IMAGE_BITMAP ? (LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT) : 0;
    return LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetDlgCtrlID(control)), type, 0,
                      0, flags);
}

void InitialiseButton(HWND control, bool loadImages) {
    LONG style = GetWindowLongA(control, GWL_STYLE);
    int kind = style & 0xF;
    if (kind == BS_CHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE) kind = BS_AUTOCHECKBOX;
    if (kind == BS_RADIOBUTTON) kind = BS_AUTORADIOBUTTON;
    style = (style & ~0xF) | kind;
    if (style & (BS_BITMAP | BS_ICON)) {
        UINT type = (style & BS_BITMAP) ? IMAGE_BITMAP : IMAGE_ICON;
        HANDLE image = loadImages ? LoadControlImage(control, type) : nullptr;
        if (image)
            SendMessageA(control, BM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
        else if (loadImages)
            style &= ~(BS_BITMAP | BS_ICON);
    }
    SetWindowLongA(control, GWL_STYLE, style);
    SetProc(control, yysubbutton);
}

void InitialiseStatic(HWND control, bool loadImages) {
    LONG style = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
    if (loadImages && (style == SS_BITMAP || style == SS_ICON)) {
        UINT type = style == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON;
        if (!SendMessageA(control, STM_GETIMAGE, type, 0)) {
            HANDLE image = LoadControlImage(control, type);
            if (image) SendMessageA(control, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
        }
    }
    SetProc(control, yysubstatic);
}

// Subclasses one control and gives it its field record.
void InitialiseControl(HWND control, bool loadImages) {
    FieldRecord *record = quill::FieldRecordOf(control);
    if (!record && quill::NumericClassKind(control) == 0) {
        record = quill::NewFieldRecord();
        if (!record) return;
        if (quill::WindowClassAtom(control) == atomEdit)
            record->maxLength =
                (GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE) ? 0xFFFF : 0x7FFF;
        SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    }
    if (!record) return;
    ATOM atom = quill::WindowClassAtom(control);
    if (atom == atomEdit) {
        SetProc(control, yysubedit);
        SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(record->maxLength), 0);
    } else if (atom == atomButton) {
        InitialiseButton(control, loadImages);
    } else if (atom == atomStatic) {
        InitialiseStatic(control, loadImages);
    } else if (atom == atomTrack) {
        SetProc(control, yysubtrack);
    } else if (atom == atomTab) {
        SendMessageA(control, TCM_SETITEMEXTRA, 2 * sizeof(int), 0);
        SetProc(control, yysubtab);
    } else if (atom == atomTree) {
        SetWindowLongA(control, GWL_STYLE,
                       GetWindowLongA(control, GWL_STYLE) | TVS_HASBUTTONS | TVS_HASLINES |
                           TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS);
        SetProc(control, yysubtree);
    }
    SetWindowLongA(control, GWL_EXSTYLE,
                   GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
    record->oldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetProc(control, yysubpaint);
}

// The field that blocks a push button: one whose check was left to the button, or the
// focused numeric field of the dialog when its text is refused.
HWND BadField(HWND dialog) {
    if (hBadVal && IsWindow(hBadVal) && IsChild(dialog, hBadVal)) return hBadVal;
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && quill::NumericClassKind(focus) &&
        quill::FieldTextRefused(focus, 1))
        return focus;
    return nullptr;
}

// A modal dialog whose closing button is recorded: the focus notifications of its ending
// must not overwrite that button.
HWND hEndingModal = nullptr;

void PushButton(HWND dialog, int id) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record) return;
    HWND focus = GetFocus();
    HWND bad = BadField(dialog);
    if (bad) {
        hBadVal = nullptr;
        if (id == IDOK) {
            quill::RingFieldBell();
            SetFocus(bad);
            yyDialogSelectAll(bad);
            return;
        }
        FieldRecord *field = quill::FieldRecordOf(bad);
        SetWindowTextA(bad, cLastGood);
        if (field) field->value = dLastGood;
        SendMessageA(bad, EM_SETMODIFY, FALSE, 0);
        StoreVal = 1;
    }
    HWND button = GetDlgItem(dialog, id);
    int focusId = (focus && IsChild(dialog, focus)) ? GetDlgCtrlID(focus) : 0;
    if (yyismodaldialog(dialog)) {
        record->currentField = id;
        iLastModalId = record->id;
        if (focus != button && focusId) record->previousField = focusId;
        yytabdialogend(dialog);
        HWND loaded = nullptr;
        for (int i = 1; i <= nDialogs; ++i)
            if (quill::DialogRecordOf(hDialogList[i]) == record) loaded = hDialogList[i];
        if (loaded) {
            bDialogCreating = 1;
            yydialogcopy(loaded, dialog);
            bDialogCreating = 0;
        }
        hDlgCur = nullptr;
        hEndingModal = dialog;
        EndDialog(dialog, id);
        return;
    }
    if (focus != button) record->previousField = record->currentField;
    record->currentField = id;
    Report(kEventButton, id, 0, 0, dialog);
}

// A field was entered or changed: the dialog record's field words shift, and a modeless
// dialog reports it (for focus notifications only when the field is a different one).
void FieldChange(HWND dialog, int id, bool onlyNew, LPARAM cell) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record) return;
    bool differs = record->currentField != id;
    record->previousField = record->currentField;
    record->currentField = id;
    if (Modeless(dialog) && (!onlyNew || differs)) Report(kEventFieldChanged, id, 0, cell, dialog);
}

void DefaultButton(HWND dialog) {
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(def) != DC_HASDEFID) return;
    HWND button = GetDlgItem(dialog, LOWORD(def));
    if (!button || IsWindowEnabled(button))
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
}

void OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control == nullptr && (id & 0xF000) == 0xF000 &&
        (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD)) {
        SendMessageA(dialog, WM_SYSCOMMAND, static_cast<WPARAM>(id), 0);
        return;
    }
    if (code == 0 && (control == nullptr || IsPushStyle(control))) {
        PushButton(dialog, id);
        return;
    }
    if (code == 2) {
        DefaultButton(dialog);
        return;
    }
    if (code == 5 || dialog == hEndingModal) return;
    bool button = control && quill::WindowClassAtom(control) == atomButton;
    if (code == 0 || code == 1)
        FieldChange(dialog, id, false, 0);
    else if (code == 3 || code == 4 || code == 256 || (code == 6 && button))
        FieldChange(dialog, id, true, 0);
}

void OnScroll(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) return;
    ATOM atom = quill::WindowClassAtom(control);
    int request = LOWORD(wParam);
    if (atom == atomTrack) {
        if (request == TB_ENDTRACK) return;
        int anchor = quill::TrackBarAnchor(control);
        if ((GetWindowLongA(control, GWL_STYLE) & TBS_ENABLESELRANGE) &&
            (GetKeyState(VK_SHIFT) & 0x8000) && anchor >= 0) {
            int pos = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
            int low = pos < anchor ? pos : anchor;
            int high = pos < anchor ? anchor : pos;
            SendMessageA(control, TBM_SETSEL, TRUE, MAKELPARAM(low, high));
        }
        if (Modeless(dialog)) FieldChange(dialog, GetDlgCtrlID(control), false, 0);
    } else if (atom == atomUpDown) {
        if (request == SB_ENDSCROLL || !Modeless(dialog)) return;
        HWND buddy = reinterpret_cast<HWND>(SendMessageA(control, UDM_GETBUDDY, 0, 0));
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if (!record || !buddy) return;
        record->previousField = record->currentField = GetDlgCtrlID(buddy);
        Report(kEventFieldChanged, record->currentField, 0, -1, dialog);
    }
}

LRESULT OnNotify(HWND dialog, NMHDR *header) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    HWND from = header->hwndFrom;
    ATOM atom = quill::WindowClassAtom(from);
    if (atom == atomTab) {
        int index = static_cast<int>(SendMessageA(from, TCM_GETCURSEL, 0, 0));
        HWND page = quill::TabPageDialog(from, index);
        if (header->code == static_cast<UINT>(TCN_SELCHANGING)) {
            if (hBadTab) {
                iBadTab = index;
                quill::RingFieldBell();
            } else if (page) {
                ShowWindow(page, SW_HIDE);
                if (record)
                    record->pageLeft =
                        quill::DialogRecordOf(page) ? quill::DialogRecordOf(page)->id : 0;
            }
        } else if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            if (hBadTab) {
                HWND bad = hBadTab;
                hBadTab = nullptr;
                SendMessageA(from, TCM_SETCURSEL, static_cast<WPARAM>(iBadTab), 0);
                SetFocus(bad);
                yyDialogSelectAll(bad);
            } else {
                if (page) {
                    SetWindowPos(page, from, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
                    yytabdialogsetfocus(from, page, GetFocus() != from);
                }
                if (record)
                    record->pageSelected =
                        page && quill::DialogRecordOf(page) ? quill::DialogRecordOf(page)->id : 0;
                if (Modeless(dialog)) Report(kEventTabChanged, 0, 0, 0, dialog);
            }
        }
    } else if (atom == atomTree) {
        if (header->code == static_cast<UINT>(TVN_SELCHANGEDA) ||
            header->code == static_cast<UINT>(TVN_SELCHANGEDW) ||
            header->code == static_cast<UINT>(TVN_ITEMEXPANDEDA) ||
            header->code == static_cast<UINT>(TVN_ITEMEXPANDEDW)) {
            FieldChange(dialog, static_cast<int>(header->idFrom), false, 0);
        } else if (header->code == static_cast<UINT>(NM_DBLCLK)) {
            HTREEITEM item =
                reinterpret_cast<HTREEITEM>(SendMessageA(from, TVM_GETNEXTITEM, TVGN_CARET, 0));
            if (item &&
                !SendMessageA(from, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)))
                DefaultButton(dialog);
        }
    } else if (header->code == static_cast<UINT>(UDN_DELTAPOS)) {
        if (quill::SpinNumericField(reinterpret_cast<NMUPDOWN *>(header))) {
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
    }
    return FALSE;
}

void OnMouse(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRecord *record = quill::DialogRecordOf(dialog);
    if (!record || !record->reportMouse || !Modeless(dialog)) return;
    int button = 0, type = kEventFieldMouseDown;
    switch (message) {
    case WM_MOUSEMOVE: type = kEventFieldMouseMove; break;
    case WM_LBUTTONUP:
        button = 1;
        type = kEventFieldMouseUp;
        break;
    case WM_MBUTTONUP:
        button = 2;
        type = kEventFieldMouseUp;
        break;
    case WM_RBUTTONUP:
        button = 3;
        type = kEventFieldMouseUp;
        break;
    case WM_LBUTTONDBLCLK:
        button = 1;
        type = kEventFieldDoubleClick;
        break;
    case WM_MBUTTONDBLCLK:
        button = 2;
        type = kEventFieldDoubleClick;
        break;
    case WM_RBUTTONDBLCLK:
        button = 3;
        type = kEventFieldDoubleClick;
        break;
    case WM_LBUTTONDOWN: button = 1; break;
    case WM_MBUTTONDOWN: button = 2; break;
    case WM_RBUTTONDOWN: button = 3; break;
    default: return;
    }
    if (type == kEventFieldDoubleClick && !wMessageEnabled[kEventDoubleClick - 1])
        type = kEventFieldMouseDown;
    if (type == kEventFieldMouseUp) ReleaseCapture();
    if (type == kEventFieldMouseDown || type == kEventFieldDoubleClick) SetCapture(dialog);
    record->mouseButton = button;
    record->mouseField = 0;
    Report(type, button, wParam, lParam, dialog);
}

void SystemMenuPopup(HWND dialog, LPARAM lParam) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    SetMenuDefaultItem(menu, IsIconic(dialog) ? SC_RESTORE : SC_CLOSE, FALSE);
    int command = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, static_cast<short>(LOWORD(lParam)),
                       static_cast<short>(HIWORD(lParam)), 0, dialog, nullptr));
    if (command) SendMessageA(dialog, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

void GrayForSize(HWND dialog, bool minimised) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu) return;
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | (minimised ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (minimised ? MF_ENABLED : MF_GRAYED));
}

bool IsStockFont(HFONT font) {
    static const int stock[] = {OEM_FIXED_FONT,  ANSI_FIXED_FONT,     ANSI_VAR_FONT,
                                SYSTEM_FONT,     DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT,
                                DEFAULT_GUI_FONT};
    for (int s : stock)
        if (GetStockObject(s) == font) return true;
    return false;
}

void DeleteImage(HWND control, UINT message) {
    static const UINT types[] = {IMAGE_BITMAP, IMAGE_ICON, IMAGE_ENHMETAFILE};
    for (UINT type : types) {
        HANDLE image = reinterpret_cast<HANDLE>(SendMessageA(control, message, type, 0));
        if (!image) continue;
        if (type == IMAGE_BITMAP)
            DeleteObject(image);
        else if (type == IMAGE_ICON)
            DestroyIcon(static_cast<HICON>(image));
        else
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(image));
    }
}

void OnDestroy(HWND dialog) {
    bool loaded = hDialogList[0] != dialog;
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HWND next = nullptr;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = next) {
        next = GetWindow(control, GW_HWNDNEXT);
        FieldRecord *record = quill::FieldRecordOf(control);
        if (record && record->oldProc) SetProc(control, record->oldProc);
        ATOM atom = quill::WindowClassAtom(control);
        if (atom == atomTab && lpNormalTabProc) SetProc(control, lpNormalTabProc);
        if (record && quill::NumericClassKind(control) == 0) {
            SetWindowLongPtrA(control, GWLP_USERDATA, 0);
            quill::FreeFieldRecord(record);
        }
        if (!loaded) continue;
        if (atom == atomStatic) DeleteImage(control, STM_GETIMAGE);
        if (atom == atomButton) DeleteImage(control, BM_GETIMAGE);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (font && font != dialogFont && !IsStockFont(font)) {
            DestroyWindow(control);
            DeleteObject(font);
        }
    }
    if (hDlgCur == dialog) hDlgCur = nullptr;
}

}  // namespace

int yyismodaldialog(HWND window) {
    HWND modal = hDialogList[0];
    if (!modal) return 0;
    for (HWND w = window; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        if (w == modal) return 1;
    return 0;
}

void yydialoginitialise(HWND dialog, DialogRecord *record) {
    bool copy = record == nullptr;
    for (HWND control = GetWindow(dialog, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT))
        InitialiseControl(control, !copy);
    if (!copy) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), "icon1");
        if (icon) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    } else {
        HWND loaded = quill::CurrentDialogWindow();
        hDialogList[0] = dialog;
        SetWindowLongPtrA(dialog, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(quill::DialogRecordOf(loaded)));
        if (loaded) {
            bDialogCreating = 1;
            yydialogcopy(dialog, loaded);
            bDialogCreating = 0;
        }
        yytabdialoginit(dialog);
        yydialogcentre(dialog);
        SetWindowPos(dialog, nullptr, iDlgPendingX, iDlgPendingY, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SetWindowLongA(dialog, GWL_EXSTYLE, GetWindowLongA(dialog, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    if (iDlgPendingFocus) {
        HWND focus = GetDlgItem(dialog, iDlgPendingFocus);
        if (focus) {
            SetFocus(focus);
            yyDialogSelectAll(focus);
        }
    }
}

INT_PTR CALLBACK yydialogproc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (quill::IsMouseMessage(message)) {
        OnMouse(dialog, message, wParam, lParam);
        return FALSE;
    }
    switch (message) {
    case WM_INITDIALOG: {
        if (hEndingModal == dialog) hEndingModal = nullptr;
        HMENU menu = GetSystemMenu(dialog, FALSE);
        if (menu) {
            EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
            EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
            EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        }
        yydialoginitialise(dialog, reinterpret_cast<DialogRecord *>(lParam));
        // A loaded dialog stays hidden and must not take the focus, nor with it the
        // activation, from the window the user is typing in: it gets the focus when shown.
        // The modal copy is shown at once and lets the dialog manager focus its first field
        // unless a field was asked for.
        if (lParam != 0) return FALSE;
        return iDlgPendingFocus ? FALSE : TRUE;
    }
    case WM_COMMAND: OnCommand(dialog, wParam, lParam); return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: OnScroll(dialog, wParam, lParam); return TRUE;
    case WM_NOTIFY: return OnNotify(dialog, reinterpret_cast<NMHDR *>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(yyProcessColour(
            dialog, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_MOUSEACTIVATE: {
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) && hClient[0] &&
            GetParent(dialog) == hClient[0] && record && !record->parentFrame) {
            BringWindowToTop(dialog);
            SetActiveWindow(dialog);
            hDlgCur = dialog;
            yytitlecolour(dialog);
        }
        return FALSE;
    }
    case WM_NCRBUTTONUP:
        if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) &&
            (wParam == HTCAPTION || wParam == HTSYSMENU)) {
            SystemMenuPopup(dialog, lParam);
            return TRUE;
        }
        return FALSE;
    case WM_HELP:
        if (Modeless(dialog)) Report(kEventButton, 9, 0, 0, dialog);
        return TRUE;
    case WM_PAINT: {
        // While modal work runs, a modeless dialog the program draws in shows its snapshot
        // and reports nothing.
        if (Modeless(dialog) && quill::PaintFromSnapshot(dialog)) return TRUE;
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if (record && record->reportMouse && Modeless(dialog)) {
            record->mouseField = 0;
            Report(kEventFieldExpose, 0, 0, 0, dialog);
        }
        return FALSE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (Modeless(dialog)) hDlgCur = dialog;
        } else {
            if (hDlgCur == dialog) hDlgCur = nullptr;
            hWinCur = dialog;
        }
        return FALSE;
    case WM_SETFOCUS: {
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if (record && record->focusControl && IsWindow(record->focusControl)) {
            SetFocus(record->focusControl);
            return TRUE;
        }
        return FALSE;
    }
    case WM_SIZE: GrayForSize(dialog, wParam == SIZE_MINIMIZED); return FALSE;
    case WM_DESTROY: OnDestroy(dialog); return FALSE;
    default:
        if (message != 0 && message == CellChangeMessage()) {
            FieldChange(dialog, static_cast<int>(wParam), false, lParam);
            return TRUE;
        }
        return FALSE;
    }
}

HBRUSH yyProcessColour(HWND dialog, UINT message, HDC dc, HWND control) {
    if (Win32s) return nullptr;  // controls keep the default colours there
    if (hBrushDlg) {
        DeleteObject(hBrushDlg);
        hBrushDlg = nullptr;
    }
    if (!control || quill::WindowClassAtom(control) == atomTree) return nullptr;
    // A grandchild (a part of a combo box, a control inside a nested dialog) answers through
    // the dialog's child that holds it.
    HWND holder = control;
    while (holder && GetParent(holder) != dialog) holder = GetParent(holder);
    FieldRecord *record = quill::FieldRecordOf(holder ? holder : control);
    if (!record) return nullptr;
    bool button = message == WM_CTLCOLORBTN || quill::WindowClassAtom(holder) == atomButton;
    bool buttonFace = button || message == WM_CTLCOLORSTATIC;
    COLORREF fore = record->foreground, back = record->background;
    if (fore == QUILL_DEFAULT_COLOUR && back == QUILL_DEFAULT_COLOUR) return nullptr;
    return quill::ColourControl(dc, fore, back, button, buttonFace);
}

namespace quill {

HBRUSH ColourControl(HDC dc, COLORREF fore, COLORREF back, bool buttonText, bool buttonFace) {
    if (hBrushDlg) {
        DeleteObject(hBrushDlg);
        hBrushDlg = nullptr;
    }
    if (fore != QUILL_DEFAULT_COLOUR)
        SetTextColor(dc, fore);
    else
        SetTextColor(dc, GetSysColor(buttonText ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
    if (back != QUILL_DEFAULT_COLOUR) {
        SetBkColor(dc, back);
        hBrushDlg = CreateSolidBrush(GetNearestColor(dc, back));
        return hBrushDlg;
    }
    int system = buttonFace ? COLOR_BTNFACE : COLOR_WINDOW;
    SetBkColor(dc, GetSysColor(system));
    return GetSysColorBrush(system);
}

}  // namespace quill

void yymakebitmaptransparent(HBITMAP bitmap) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC screen = GetDC(nullptr);
    HDC image = CreateCompatibleDC(screen);
    HDC mask = CreateCompatibleDC(screen);
    HBITMAP maskBitmap = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    HBITMAP inverse = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    HGDIOBJ oldImage = SelectObject(image, bitmap);
    HGDIOBJ oldMask = SelectObject(mask, maskBitmap);
    // Mask: 1 where the pixel has the top-left colour.
    SetBkColor(image, GetPixel(image, 0, 0));
    BitBlt(mask, 0, 0, info.bmWidth, info.bmHeight, image, 0, 0, SRCCOPY);
    HDC inverseDc = CreateCompatibleDC(screen);
    HGDIOBJ oldInverse = SelectObject(inverseDc, inverse);
    BitBlt(inverseDc, 0, 0, info.bmWidth, info.bmHeight, mask, 0, 0, NOTSRCCOPY);
    // Clear the background pixels (AND with the inverse mask), then paint the face colour there.
    SetBkColor(image, RGB(255, 255, 255));
    SetTextColor(image, RGB(0, 0, 0));
    BitBlt(image, 0, 0, info.bmWidth, info.bmHeight, inverseDc, 0, 0, SRCAND);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    HDC faceDc = CreateCompatibleDC(screen);
    HBITMAP faceBitmap = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
    HGDIOBJ oldFace = SelectObject(faceDc, faceBitmap);
    RECT all = {0, 0, info.bmWidth, info.bmHeight};
    FillRect(faceDc, &all, face);
    SetBkColor(faceDc, RGB(255, 255, 255));
    SetTextColor(faceDc, RGB(0, 0, 0));
    BitBlt(faceDc, 0, 0, info.bmWidth, info.bmHeight, mask, 0, 0, SRCAND);
    BitBlt(image, 0, 0, info.bmWidth, info.bmHeight, faceDc, 0, 0, SRCPAINT);
    SelectObject(faceDc, oldFace);
    SelectObject(inverseDc, oldInverse);
    SelectObject(mask, oldMask);
    SelectObject(image, oldImage);
    DeleteObject(faceBitmap);
    DeleteObject(inverse);
    DeleteObject(maskBitmap);
    DeleteDC(faceDc);
    DeleteDC(inverseDc);
    DeleteDC(mask);
    DeleteDC(image);
    ReleaseDC(nullptr, screen);
}

// Spin arrows of a numeric spin field: the value moves by the field's steps and the up-down
// control's own position change is cancelled.
bool quill::SpinNumericField(NMUPDOWN *change) {
    HWND buddy = reinterpret_cast<HWND>(SendMessageA(change->hdr.hwndFrom, UDM_GETBUDDY, 0, 0));
    FieldRecord *record = FieldRecordOf(buddy);
    int kind = NumericClassKind(buddy);
    if (!record || !kind) return false;
    if (SendMessageA(buddy, EM_GETMODIFY, 0, 0)) record->value = NumericFieldValue(buddy);
    double value = SteppedSpinValue(record->value, change->iDelta, record->step, record->page,
                                    record->minimum, record->maximum, kind == kNumericInteger);
    WriteNumericField(buddy, value);
    SendMessageA(buddy, EM_SETMODIFY, FALSE, 0);
    record->hasText = 1;
    return true;
}
