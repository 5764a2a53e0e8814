// The modal frame shared by the message box and the common dialogs, the answer word that
// winfodialog_ reports, and the message box itself.
#include "core/commondialogs.h"

#include <string>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "base/errors.h"
#include "core/fields.h"
#include "base/fixedtext.h"
#include "core/message_box_rules.h"
#include "core/startup.h"
#include "quillamorph/commondialogs.h"

ModalInfo wModalInfo = {0, 0, 0, 0};

void quill::SetDialogInfo(int closing, int previous, int dialog) {
    wModalInfo.closing = closing;
    wModalInfo.previous = previous;
    wModalInfo.dialog = dialog;
}

void quill::SetDialogAnswer(int answer) {
    wModalInfo.answer = answer;
    wModalInfo.previous = 0;
}

namespace {

HWND ChooseOwner() {
    HWND dialog = quill::CurrentDialogWindow();
    if (dialog && IsWindowVisible(dialog)) {
        DialogRecord *record = quill::DialogRecordOf(dialog);
        if (record && record->parentFrame && IsWindow(record->parentFrame))
            return record->parentFrame;
        return dialog;
    }
    if (wIndex >= 0 && wIndex < kWindowSlots) return wWindow[wIndex];
    return nullptr;
}

}  // namespace

void quill::ModalSnapshots(int mode) {
    int leave = -1, status = 0;
    yygetwindowbitmap_(&mode, &leave, &status);
    if (status) yyerror_(&status);
}

void quill::BeginModalBox(ModalFrame *frame) {
    frame->owner = ChooseOwner();
    yyDisableDialogs(frame->owner, 1);
}

void quill::EndModalBox(const ModalFrame *frame) {
    // A shown dialog that keeps the others disabled stays the only one enabled.
    HWND spare = (nSemi > 0 && hLastSemi && IsWindow(hLastSemi)) ? hLastSemi : frame->owner;
    yyEnableDialogs(spare, 1);
    if (frame->owner && IsWindow(frame->owner) &&
        (GetWindowLongA(frame->owner, GWL_STYLE) & WS_CHILD)) {
        SetFocus(frame->owner);
        yytitlecolour(frame->owner);
    }
}

void wmessagebox_(const int *ibuttons, const int *iicon, const int *idefault, const char *message,
                  const char *title, int message_len, int title_len) {
    quill::MessageBoxStyle style = quill::MessageBoxStyleFor(
        ibuttons ? *ibuttons : 0, iicon ? *iicon : 0, idefault ? *idefault : 1);
    quill::ModalSnapshots(1);
    std::string text = quill::TrimmedText(message, message_len);
    std::string caption = quill::TrimmedText(title, title_len);

    ModalFrame frame;
    quill::BeginModalBox(&frame);
    int result = MessageBoxA(frame.owner, text.c_str(), caption.c_str(),
                             style.buttons | style.icon | style.deflt);
    quill::EndModalBox(&frame);

    // Only a box that could not be shown is a failure: a common-dialog error code left over
    // from an earlier dialog says nothing about this box.
    int answer = result == 0 ? -1 : quill::MessageBoxAnswer(result);
    quill::ModalSnapshots(0);
    quill::SetDialogAnswer(answer);
    if (answer == -1) quill::RaiseError(1004);
}
