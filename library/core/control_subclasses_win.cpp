// Subclass procedures the dialog loader installs on dialog controls, so that buttons, static
// fields, track bars, trees, tab controls, plain edits and user-drawn fields report focus
// changes, mouse actions and repaints as library events.
#include <windows.h>
#include <commctrl.h>

#include "core/dialogs.h"
#include "core/display.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/numeric_edit.h"

namespace {

HWND hAnchorTrack = nullptr;  // track bar whose Shift anchor is held
int iAnchor = 0;

// The dialog that holds a control and its record, when it is a library dialog shown modeless.
DialogRecord *ModelessRecord(HWND control, HWND *dialog) {
    *dialog = GetParent(control);
    DialogRecord *record = quill::DialogRecordOf(*dialog);
    return record && !yyismodaldialog(*dialog) ? record : nullptr;
}

void Report(int type, int subValue, WPARAM wParam, LPARAM lParam, HWND dialog) {
    if (!bDialogCreating) yyinterpretmessage(type, subValue, wParam, lParam, dialog);
}

bool UserDrawnButton(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & 0xF) == BS_OWNERDRAW;
}

bool UserDrawnStatic(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW;
}

bool UserDrawn(HWND control) {
    FieldRecord *record = quill::FieldRecordOf(control);
    if (record && record->userDrawn) return true;
    ATOM atom = quill::WindowClassAtom(control);
    return (atom == atomButton && UserDrawnButton(control)) ||
           (atom == atomStatic && UserDrawnStatic(control));
}

int MouseButton(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return 1;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return 2;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return 3;
    default: return 0;
    }
}

// Mouse on a user-drawn static field of a modeless dialog: an event, the message consumed.
bool StaticMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND dialog;
    DialogRecord *record = ModelessRecord(control, &dialog);
    if (!record || !UserDrawn(control)) return false;
    int type;
    switch (message) {
    case WM_MOUSEMOVE: type = kEventFieldMouseMove; break;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN: type = kEventFieldMouseDown; break;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP: type = kEventFieldMouseUp; break;
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        type =
            wMessageEnabled[kEventDoubleClick - 1] ? kEventFieldDoubleClick : kEventFieldMouseDown;
        break;
    default: return false;
    }
    if (type == kEventFieldMouseDown || type == kEventFieldDoubleClick) SetCapture(control);
    if (type == kEventFieldMouseUp) ReleaseCapture();
    record->mouseButton = MouseButton(message);
    record->mouseField = GetDlgCtrlID(control);
    Report(type, record->mouseButton, wParam, lParam, dialog);
    return true;
}

void TrackFieldChange(HWND track) {
    HWND dialog;
    DialogRecord *record = ModelessRecord(track, &dialog);
    if (!record) return;
    record->previousField = record->currentField;
    record->currentField = GetDlgCtrlID(track);
    yyUpdateLast(dialog, track);
    Report(kEventFieldChanged, record->currentField, 0, -1, dialog);
}

// Caption of a disabled tab drawn embossed.
void DrawDisabledTab(HWND tab, HDC dc, int index) {
    RECT r;
    if (!SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&r)))
        return;
    char text[1026] = {0};
    TCITEMHEADERA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text - 1;
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(tab, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, text, -1, &shifted, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    ValidateRect(tab, &r);
}

// The nearest enabled tab from FROM in direction STEP, or -1.
int EnabledTab(HWND tab, int from, int step) {
    int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = from + step; i >= 0 && i < count; i += step)
        if (!quill::TabPageDisabled(tab, i)) return i;
    return -1;
}

bool AnyTabDisabled(HWND tab) {
    int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (quill::TabPageDisabled(tab, i)) return true;
    return false;
}

}  // namespace

LRESULT CALLBACK yysubbutton(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), 6),
                     reinterpret_cast<LPARAM>(button));
        break;
    case WM_KILLFOCUS:
        if (bCheckKillFocus && hBadVal && IsWindow(hBadVal)) {
            LRESULT result = CallWindowProcA(lpNormalButtonProc, button, message, wParam, lParam);
            yyselectinvalid(button, hBadVal, 1);
            return result;
        }
        break;
    case WM_LBUTTONUP:
        if (hBadVal && IsWindow(hBadVal)) {
            POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT r;
            GetClientRect(button, &r);
            if (!PtInRect(&r, p)) {
                LRESULT result =
                    CallWindowProcA(lpNormalButtonProc, button, message, wParam, lParam);
                bCheckKillFocus = 0;
                yyselectinvalid(button, hBadVal, 0);
                bCheckKillFocus = 1;
                return result;
            }
        }
        break;
    case BM_SETSTATE:
        if (UserDrawnButton(button)) {
            LRESULT result = CallWindowProcA(lpNormalButtonProc, button, message, wParam, lParam);
            HWND dialog;
            if (DialogRecord *record = ModelessRecord(button, &dialog)) {
                record->mouseField = GetDlgCtrlID(button);
                Report(kEventFieldExpose, 0, 0, 0, dialog);
            }
            return result;
        }
        break;
    default: break;
    }
    return CallWindowProcA(lpNormalButtonProc, button, message, wParam, lParam);
}

LRESULT CALLBACK yysubstatic(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (quill::IsMouseMessage(message) && StaticMouse(field, message, wParam, lParam)) return 0;
    switch (message) {
    case WM_NCHITTEST:
        if (GetWindowLongA(field, GWL_STYLE) & SS_NOTIFY) return HTCLIENT;
        break;
    case WM_SETCURSOR:
        // Over a field the program draws in, the pointer is the one the program last set.
        if (reinterpret_cast<HWND>(wParam) == field && LOWORD(lParam) == HTCLIENT &&
            hCurrentCursor && UserDrawn(field)) {
            SetCursor(hCurrentCursor);
            return TRUE;
        }
        break;
    case WM_ENABLE: return 0;  // a static field is never drawn greyed
    default: break;
    }
    return CallWindowProcA(lpNormalStaticProc, field, message, wParam, lParam);
}

LRESULT CALLBACK yysubpaint(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    FieldRecord *record = quill::FieldRecordOf(control);
    WNDPROC previous = record && record->oldProc ? record->oldProc : nullptr;
    if (!previous) return DefWindowProcA(control, message, wParam, lParam);
    LRESULT result = CallWindowProcA(previous, control, message, wParam, lParam);
    if (message == WM_PAINT && UserDrawn(control)) {
        HWND dialog;
        if (DialogRecord *dialogRecord = ModelessRecord(control, &dialog)) {
            dialogRecord->mouseField = GetDlgCtrlID(control);
            Report(kEventFieldExpose, 0, 0, 0, dialog);
        }
    }
    return result;
}

LRESULT CALLBACK yysubedit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && wParam == 1) {
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        return 0;
    }
    return CallWindowProcA(lpNormalEditProc, edit, message, wParam, lParam);
}

LRESULT CALLBACK yysubtrack(HWND track, UINT message, WPARAM wParam, LPARAM lParam) {
    bool range = (GetWindowLongA(track, GWL_STYLE) & TBS_ENABLESELRANGE) != 0;
    switch (message) {
    case WM_SETFOCUS:
        SendMessageA(GetParent(track), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(track), 256),
                     reinterpret_cast<LPARAM>(track));
        break;
    case WM_KILLFOCUS:
        if (hAnchorTrack == track) hAnchorTrack = nullptr;
        iAnchor = 0;
        break;
    case WM_KEYDOWN:
        if (!range || (lParam & (1 << 30))) break;  // first key-downs only
        if (wParam == VK_SHIFT) {
            hAnchorTrack = track;
            iAnchor = static_cast<int>(SendMessageA(track, TBM_GETPOS, 0, 0));
        } else if (wParam == VK_DELETE) {
            SendMessageA(track, TBM_CLEARSEL, TRUE, 0);
            iAnchor = 0;
            TrackFieldChange(track);
            return 0;
        } else if (wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000)) {
            int minimum = static_cast<int>(SendMessageA(track, TBM_GETRANGEMIN, 0, 0));
            int maximum = static_cast<int>(SendMessageA(track, TBM_GETRANGEMAX, 0, 0));
            SendMessageA(track, TBM_SETSEL, TRUE, MAKELPARAM(minimum, maximum));
            TrackFieldChange(track);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (range && wParam == VK_SHIFT) {
            if (SendMessageA(track, TBM_GETSELSTART, 0, 0) ==
                SendMessageA(track, TBM_GETSELEND, 0, 0))
                SendMessageA(track, TBM_CLEARSEL, TRUE, 0);
            iAnchor = 0;
        }
        break;
    default: break;
    }
    return CallWindowProcA(lpNormalTrackProc, track, message, wParam, lParam);
}

int quill::TrackBarAnchor(HWND track) { return hAnchorTrack == track ? iAnchor : -1; }

LRESULT CALLBACK yysubtree(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    // A focus change the library makes itself (moving the focus back to a refused field)
    // is no field change.
    if (message == WM_SETFOCUS && !nocheck) {
        HWND dialog = GetParent(tree);
        if (DialogRecord *record = quill::DialogRecordOf(dialog)) {
            int id = GetDlgCtrlID(tree);
            bool changed = record->currentField != id;
            record->previousField = record->currentField;
            record->currentField = id;
            if (changed && !yyismodaldialog(dialog)) Report(kEventFieldChanged, id, 0, 0, dialog);
        }
    }
    return CallWindowProcA(lpNormalTreeProc, tree, message, wParam, lParam);
}

LRESULT CALLBACK yysubtab(HWND tab, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        if (HWND page =
                quill::TabPageDialog(tab, static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0))))
            InvalidateRect(page, nullptr, FALSE);
        LRESULT result = CallWindowProcA(lpNormalTabProc, tab, message, wParam, lParam);
        if (AnyTabDisabled(tab)) {
            HDC dc = GetDC(tab);
            int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < count; ++i)
                if (quill::TabPageDisabled(tab, i)) DrawDisabledTab(tab, dc, i);
            ReleaseDC(tab, dc);
        }
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_LEFT || wParam == VK_RIGHT) {
            int from = static_cast<int>(SendMessageA(tab, TCM_GETCURFOCUS, 0, 0));
            int to = EnabledTab(tab, from, wParam == VK_LEFT ? -1 : 1);
            if (to >= 0 && to != from) {
                int index = to;
                NMHDR header = {tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)),
                                static_cast<UINT>(TCN_SELCHANGING)};
                if (!SendMessageA(GetParent(tab), WM_NOTIFY, header.idFrom,
                                  reinterpret_cast<LPARAM>(&header))) {
                    SendMessageA(tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
                    header.code = static_cast<UINT>(TCN_SELCHANGE);
                    SendMessageA(GetParent(tab), WM_NOTIFY, header.idFrom,
                                 reinterpret_cast<LPARAM>(&header));
                }
            }
            return 0;
        }
        if ((wParam == VK_UP || wParam == VK_DOWN) && AnyTabDisabled(tab)) return 0;
        break;
    case WM_LBUTTONDOWN: {
        TCHITTESTINFO hit = {
            {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, 0};
        int index =
            static_cast<int>(SendMessageA(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (index >= 0 && quill::TabPageDisabled(tab, index)) return 0;
        break;
    }
    default: break;
    }
    return CallWindowProcA(lpNormalTabProc, tab, message, wParam, lParam);
}
