// What the message box shows and answers, apart from the window system: the button set and
// icon chosen by the caller's numbers, which button is the default, and the library's answer
// code for the button pressed. Button and result numbers are the window system's own (MB_*
// style values and the ID* results), which never change.
#ifndef QUILL_CORE_MESSAGE_BOX_RULES_H
#define QUILL_CORE_MESSAGE_BOX_RULES_H

namespace quill {

struct MessageBoxStyle {
    unsigned buttons;  // MB_OK .. MB_ABORTRETRYIGNORE
    unsigned icon;     // MB_ICONHAND .. MB_ICONASTERISK, or 0
    unsigned deflt;    // MB_DEFBUTTON1 .. MB_DEFBUTTON3
};

// Style for the caller's button set (0 OK, 1 OK/Cancel, 2 Retry/Cancel, 3 Yes/No,
// 4 Yes/No/Cancel, 5 Abort/Retry/Ignore, else OK), icon (1 stop, 2 question, 3 exclamation,
// 4 information, else none) and default answer code.
MessageBoxStyle MessageBoxStyleFor(int buttons, int icon, int default_answer);

// Answer code of a pressed button: 1 OK, Yes, Retry; 0 Cancel, Ignore; 2 No, Abort; -1 for
// anything else (the box failed).
int MessageBoxAnswer(int result);

}  // namespace quill

#endif
