// Window snapshots around modal work. While a modal dialog, message box or common dialog runs
// its own message loop the program cannot answer expose events, so the library copies the
// client areas of its plain windows and of the dialogs the program draws in before the modal
// work, repaints them from those copies meanwhile, and puts the copies back afterwards, so
// that no expose event results. Modal work inside modal work takes and gives back snapshots in
// pairs: each snapshot carries a use count and is given back when the count reaches 0.
#include <windows.h>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/startup.h"

HBITMAP hImage[kSnapshotWindows];
int nImage[kSnapshotWindows];
HBITMAP hImageDlg[QUILL_MAX_DIALOGS + 1];
int nImageDlg[QUILL_MAX_DIALOGS + 1];
int wBlitOn = 0;

namespace {

// A copy of a window's client area, null when it cannot be made.
HBITMAP copy_client(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    if (r.right <= 0 || r.bottom <= 0) return nullptr;
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HDC memory = bitmap ? CreateCompatibleDC(dc) : nullptr;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else if (bitmap) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    ReleaseDC(window, dc);
    return bitmap;
}

// Draws a snapshot onto a device context of the window's client area.
void draw_snapshot(HDC dc, HBITMAP bitmap) {
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

// One more user of a window's snapshot; the first takes it.
void take(HWND window, HBITMAP *image, int *count) {
    if (!*image) {
        *image = copy_client(window);
        if (!*image) return;
        *count = 0;
    }
    ++*count;
}

// One user fewer; the last puts the snapshot back, frees it and validates the client area.
void give_back(HWND window, HBITMAP *image, int *count) {
    if (--*count > 0) {
        wBlitOn = 1;
        return;
    }
    *count = 0;
    if (IsWindow(window)) {
        if (HDC dc = GetDC(window)) {
            draw_snapshot(dc, *image);
            ReleaseDC(window, dc);
        }
        ValidateRect(window, nullptr);
    }
    DeleteObject(*image);
    *image = nullptr;
}

// Window slot 0..20 whose client area is a plain library window worth a snapshot: it exists,
// its frame is visible, carries no window record (no dialog host, bitmap view or grid
// window) and is no child-style window.
bool plain_window(int slot) {
    HWND frame = wWindow[slot];
    HWND client = hClient[slot];
    if (!frame || !client || !IsWindow(client) || !IsWindowVisible(frame)) return false;
    if (GetWindowLongPtrA(frame, GWLP_USERDATA) != 0) return false;
    return (GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) == 0;
}

// Brings a dialog's pending paints, its controls' first, up to date.
void update_dialog(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        UpdateWindow(child);
    UpdateWindow(dialog);
}

}  // namespace

void yygetwindowbitmap_(const int *mode, const int *iwin, int *status) {
    int leave = iwin ? *iwin : -1;
    if (mode && *mode == 1) {
        wBlitOn = 1;
        for (int slot = 0; slot < kSnapshotWindows; ++slot)
            if (slot != leave && plain_window(slot))
                take(hClient[slot], &hImage[slot], &nImage[slot]);
        for (int slot = 1; slot <= nDialogs && slot <= QUILL_MAX_DIALOGS; ++slot) {
            HWND dialog = hDialogList[slot];
            DialogRecord *record = quill::DialogRecordOf(dialog);
            if (!record || !record->shown || !yyCheckUserDrawn(dialog)) continue;
            if (!hImageDlg[slot]) update_dialog(dialog);
            take(dialog, &hImageDlg[slot], &nImageDlg[slot]);
        }
    } else {
        wBlitOn = 0;
        for (int slot = 0; slot < kSnapshotWindows; ++slot)
            if (slot != leave && hImage[slot])
                give_back(hClient[slot], &hImage[slot], &nImage[slot]);
        for (int slot = 1; slot <= QUILL_MAX_DIALOGS; ++slot) {
            HWND dialog = hDialogList[slot];
            if (hImageDlg[slot])
                give_back(dialog, &hImageDlg[slot], &nImageDlg[slot]);
            else if (slot <= nDialogs && dialog)
                UpdateWindow(dialog);
        }
    }
    if (status) *status = 0;
}

int quill::PaintFromSnapshot(HWND window) {
    if (!wBlitOn || !window) return 0;
    HBITMAP image = nullptr;
    for (int slot = 0; slot < kSnapshotWindows && !image; ++slot)
        if (hClient[slot] == window) image = hImage[slot];
    for (int slot = 1; slot <= QUILL_MAX_DIALOGS && !image; ++slot)
        if (hDialogList[slot] == window) image = hImageDlg[slot];
    if (!image) return 0;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (dc) draw_snapshot(dc, image);
    EndPaint(window, &ps);
    return 1;
}
