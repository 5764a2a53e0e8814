// Child windows combined with a dialog: the dialog is loaded into the window's client area and
// shown there modeless; the window's record names the dialog and the dialog's record names the
// window. Like a public load, the combination makes the dialog the one the field routines
// address.
#include "core/childwindows.h"

#include "core/dialogs.h"

bool quill::CombineDialog(int slot, int id) {
    int dialogId = id;
    int loaded = yydialogload2(&dialogId, slot);
    if (loaded <= 0) return false;
    HWND dialog = hDialogList[loaded];
    DialogRecord *record = DialogRecordOf(dialog);
    if (!record) return false;
    iCurDialog = id;
    if (GetParent(dialog) != hClient[slot]) SetParent(dialog, hClient[slot]);
    record->parentFrame = wWindow[slot];
    auto *block = new FrameBlock{kDialogWindow, {0, 0, 0, 0}, dialog, {nullptr, nullptr}, nullptr};
    SetWindowLongPtrA(wWindow[slot], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    int x = 0, y = 0, px = 0, py = 0, type = 2, focus = 0, inWindow = 1;
    yydialogshow_(&x, &y, &px, &py, &type, &focus, &inWindow);
    return true;
}

void quill::UncombineDialog(HWND frame, int *icurdialog) {
    auto *block = reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
    if (!block) return;
    HWND dialog = block->dialog;
    SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
    delete block;
    if (!dialog || !IsWindow(dialog)) return;
    if (dialog == CurrentDialogWindow() && icurdialog) *icurdialog = 0;
    if (DialogRecord *record = DialogRecordOf(dialog)) record->parentFrame = nullptr;
    ShowWindow(dialog, SW_HIDE);
    yydialogunload2(dialog, 0, 0);
}
