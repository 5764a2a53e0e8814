// Tab pages (page dialogs placed inside a tab control of another dialog), the focus inside a
// dialog, and centring a dialog.
#include <windows.h>
#include <commctrl.h>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/numeric_edit.h"

namespace {

bool GetItem(HWND tab, int index, TabItemData *item) {
    *item = {};
    item->header.mask = TCIF_PARAM;
    return SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(item)) != 0;
}

HWND PageDialog(int id) {
    int slot = yydialogfind(id);
    return slot > 0 ? hDialogList[slot] : nullptr;
}

HWND SelectedPage(HWND tab) {
    return quill::TabPageDialog(tab, static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
}

// The tab controls among the children of a dialog.
template <typename F>
void ForEachTab(HWND dialog, F f) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (atomTab && quill::WindowClassAtom(c) == atomTab) f(c);
}

void ShowPageAfter(HWND tab, HWND page, bool focus) {
    SetWindowPos(page, tab, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    yytabdialogsetfocus(tab, page, focus);
}

// The dialog slot of a control id in the current dialog, null when absent.
HWND CurrentControl(int id) {
    HWND dialog = quill::CurrentDialogWindow();
    return dialog ? GetDlgItem(dialog, id) : nullptr;
}

}  // namespace

void yytabdialoginit(HWND dialog) {
    ForEachTab(dialog, [dialog](HWND tab) {
        RECT area;
        GetWindowRect(tab, &area);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&area), 2);
        SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
        int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TabItemData item;
            HWND page = GetItem(tab, i, &item) ? PageDialog(item.page) : nullptr;
            if (!page || page == dialog) continue;
            LONG style = GetWindowLongA(page, GWL_STYLE);
            style &= ~(WS_POPUP | WS_BORDER | WS_DLGFRAME | WS_SYSMENU | DS_MODALFRAME);
            style |= WS_CHILD | DS_CONTROL;
            SetWindowLongA(page, GWL_STYLE, style);
            SetParent(page, dialog);
            SetWindowPos(page, tab, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE | SWP_FRAMECHANGED);
            EnableWindow(page, TRUE);
            // The dialog is usually not shown yet: the tab control's own visibility decides,
            // so that the selected page shows together with the dialog.
            const bool tabShown = (GetWindowLongA(tab, GWL_STYLE) & WS_VISIBLE) != 0;
            ShowWindow(page, (i == selected && tabShown) ? SW_SHOWNA : SW_HIDE);
            yytabdialoginit(page);
        }
    });
}

void yytabdialogsetfocus(HWND tab, HWND page, int focus) {
    HWND target = tab;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG style = GetWindowLongA(c, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            target = c;
            break;
        }
    }
    yyDialogSelectAll(target);
    if (focus) SetFocus(target);
}

void yytabdialogend(HWND dialog) {
    HWND client = hClient[0];
    HWND next = nullptr;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = next) {
        next = GetWindow(c, GW_HWNDNEXT);
        char name[16] = {0};
        GetClassNameA(c, name, sizeof name);
        if (lstrcmpA(name, "#32770") != 0) continue;
        ShowWindow(c, SW_HIDE);
        SetParent(c, client);
    }
}

void yydialogcentre(HWND dialog) {
    RECT window;
    GetWindowRect(dialog, &window);
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) && hClient[0]) {
        RECT client;
        GetClientRect(hClient[0], &client);
        width = client.right;
        height = client.bottom;
    }
    if (iDlgPendingX == -1) iDlgPendingX = (width - (window.right - window.left)) / 2;
    if (iDlgPendingY == -1) iDlgPendingY = (height - (window.bottom - window.top)) / 2;
}

void yydialogfocus_(int *field, int *position) {
    HWND dialog = quill::CurrentDialogWindow();
    if (!dialog || !IsWindowVisible(dialog)) return;
    HWND control = GetDlgItem(dialog, *field);
    if (!control) {
        *field = -1;
        return;
    }
    SetFocus(control);
    int at = position ? *position : -1;
    ATOM atom = quill::WindowClassAtom(control);
    if (quill::IsEditField(control)) {
        if (at == -1)
            yyDialogSelectAll(control);
        else
            SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(at), at);
    } else if (atom == atomCombo) {
        if (at == -1)
            SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        else
            SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(at, at));
    } else {
        yyDialogSelectAll(control);
    }
    if (DialogRecord *record = quill::DialogRecordOf(dialog)) record->currentField = *field;
    if ((GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) && hClient[0] &&
        GetParent(dialog) == hClient[0]) {
        BringWindowToTop(dialog);
        SetActiveWindow(dialog);
        hDlgCur = dialog;
    }
}

void yydialogsettab_(int *tab, int *page) {
    HWND control = CurrentControl(*tab);
    if (!control || quill::WindowClassAtom(control) != atomTab) {
        *tab = -1;
        return;
    }
    int count = static_cast<int>(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0));
    int index = -1;
    for (int i = 0; i < count && index < 0; ++i) {
        TabItemData item;
        if (GetItem(control, i, &item) && item.page == *page && !item.disabled) index = i;
    }
    if (index < 0) {
        *page = -1;
        return;
    }
    int old = static_cast<int>(SendMessageA(control, TCM_GETCURSEL, 0, 0));
    if (old == index) return;
    HWND oldPage = SelectedPage(control);
    SendMessageA(control, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (!IsWindowVisible(control)) return;
    if (oldPage) ShowWindow(oldPage, SW_HIDE);
    HWND newPage = SelectedPage(control);
    HWND dialog = quill::CurrentDialogWindow();
    if (newPage) ShowPageAfter(control, newPage, dialog && IsWindowVisible(dialog));
}

void yytabenable_(int *tab, int *page, int *state) {
    HWND control = CurrentControl(*tab);
    if (!control || quill::WindowClassAtom(control) != atomTab) {
        *tab = -1;
        return;
    }
    int count = static_cast<int>(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TabItemData item;
        if (!GetItem(control, i, &item) || item.page != *page) continue;
        int disabled = *state ? 0 : 1;
        if (item.disabled != disabled) {
            item.disabled = disabled;
            item.header.mask = TCIF_PARAM;
            SendMessageA(control, TCM_SETITEMA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            if (IsWindowVisible(control)) {
                RECT r;
                SendMessageA(control, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(&r));
                InvalidateRect(control, &r, TRUE);
            }
        }
        return;
    }
    *page = -1;
}

HWND quill::TabPageDialog(HWND tab, int index) {
    TabItemData item;
    return index >= 0 && GetItem(tab, index, &item) ? PageDialog(item.page) : nullptr;
}

int quill::TabPageDisabled(HWND tab, int index) {
    TabItemData item;
    return GetItem(tab, index, &item) ? item.disabled : 0;
}
