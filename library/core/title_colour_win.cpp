// Caption highlighting of the library's windows and dialogs. Child windows inside another
// window never become the active window, so the library draws their captions active or
// inactive itself to show which one the user works in.
#include "core/childwindows.h"

#include "core/dialogs.h"

void yytitlecolour(HWND window) {
    if (!window || !IsWindow(window)) return;
    if (yygetwindowindex(window) >= 0 && GetFocus() != window && !IsChild(window, GetFocus()))
        SetFocus(window);
    for (int slot = 1; slot < kWindowSlots; ++slot) {
        HWND frame = wWindow[slot];
        if (!frame) continue;
        BOOL active = frame == window || IsChild(frame, window);
        SendMessageA(frame, WM_NCACTIVATE, active, 0);
    }
    for (int d = 1; d <= nDialogs && d <= QUILL_MAX_DIALOGS; ++d) {
        HWND dialog = hDialogList[d];
        if (dialog && IsWindow(dialog)) SendMessageA(dialog, WM_NCACTIVATE, dialog == window, 0);
    }
}
