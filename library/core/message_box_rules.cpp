// Button sets, default buttons and answer codes of the message box.
#include "core/message_box_rules.h"

namespace quill {

namespace {

// Window-system values, fixed by its binary interface.
constexpr unsigned kOk = 0x0, kOkCancel = 0x1, kAbortRetryIgnore = 0x2, kYesNoCancel = 0x3,
                   kYesNo = 0x4, kRetryCancel = 0x5;
constexpr unsigned kIconHand = 0x10, kIconQuestion = 0x20, kIconExclamation = 0x30,
                   kIconAsterisk = 0x40;
constexpr unsigned kDefButton1 = 0x000, kDefButton2 = 0x100, kDefButton3 = 0x200;
enum { kIdOk = 1, kIdCancel, kIdAbort, kIdRetry, kIdIgnore, kIdYes, kIdNo };

}  // namespace

MessageBoxStyle MessageBoxStyleFor(int buttons, int icon, int default_answer) {
    MessageBoxStyle style{kOk, 0, kDefButton1};
    switch (buttons) {
    case 1: style.buttons = kOkCancel; break;
    case 2: style.buttons = kRetryCancel; break;
    case 3: style.buttons = kYesNo; break;
    case 4: style.buttons = kYesNoCancel; break;
    case 5: style.buttons = kAbortRetryIgnore; break;
    default: break;
    }
    switch (buttons) {
    case 1:
    case 2:
    case 3: style.deflt = default_answer == 1 ? kDefButton1 : kDefButton2; break;
    case 4:
        style.deflt = default_answer == 1   ? kDefButton1
                      : default_answer == 2 ? kDefButton2
                                            : kDefButton3;
        break;
    case 5:  // Abort, Retry, Ignore: answer 1 is Retry, answer 2 Abort
        style.deflt = default_answer == 1   ? kDefButton2
                      : default_answer == 2 ? kDefButton1
                                            : kDefButton3;
        break;
    default: break;
    }
    switch (icon) {
    case 1: style.icon = kIconHand; break;
    case 2: style.icon = kIconQuestion; break;
    case 3: style.icon = kIconExclamation; break;
    case 4: style.icon = kIconAsterisk; break;
    default: break;
    }
    return style;
}

int MessageBoxAnswer(int result) {
    switch (result) {
    case kIdOk:
    case kIdYes:
    case kIdRetry: return 1;
    case kIdCancel:
    case kIdIgnore: return 0;
    case kIdNo:
    case kIdAbort: return 2;
    default: return -1;
    }
}

}  // namespace quill
