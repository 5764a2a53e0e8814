// Child windows combined with a dialog: the window's record names the dialog that fills it.
#include "core/childwindows.h"

#include "core/dialogs.h"

bool yycombinedialog(int slot, int id) {
    (void)slot;
    (void)id;
    return false;  // dialogs cannot be loaded into a window yet
}

void yyuncombinedialog(HWND frame, int *icurdialog) {
    auto *block = reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    if (!block) return;
    if (block->dialog && IsWindow(block->dialog)) {
        ShowWindow(block->dialog, SW_HIDE);
        if (block->dialog == yycurrentdialog() && icurdialog) *icurdialog = 0;
    }
    SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
    delete block;
}
