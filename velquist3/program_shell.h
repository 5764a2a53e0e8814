// What the Windows shells of both search programs share: the main dialog's fields through the
// library's public field routines, the open-file dialog, and the life of a program whose window
// is one modeless dialog on a hidden root window. Only the programs' Windows sources include
// it; the library routines it calls exist only in the Windows build.
#ifndef VELQUIST3_PROGRAM_SHELL_H
#define VELQUIST3_PROGRAM_SHELL_H

#include <string>

#include "quillamorph.h"

namespace program_shell {

// Length of the blank-padded texts the dialog's fields and the file dialog exchange.
constexpr int kTextLength = 256;

// A blank-padded text without its trailing blanks (and NULs).
inline std::string TrimBlanks(const char *text, int length) {
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
    return std::string(text, static_cast<std::size_t>(length));
}

// A blank-padded copy of text in a fixed-length buffer, cut at its length.
inline void PadInto(char *buffer, int length, const std::string &text) {
    int n = static_cast<int>(text.size()) < length ? static_cast<int>(text.size()) : length;
    for (int i = 0; i < length; ++i) buffer[i] = i < n ? text[i] : ' ';
}

// The fields of the current dialog (a program's host interface, Host, extends DialogFields),
// addressed by control id through the library's typed field routines.
template <class Host>
class LibraryFields : public Host {
public:
    int get_integer(int field) override {
        int value = 0;
        wdialoggetinteger_(&field, &value);
        return value;
    }
    std::string get_string(int field) override {
        char text[kTextLength];
        wdialoggetstring_(&field, text, kTextLength);
        return TrimBlanks(text, kTextLength);
    }
    void put_integer(int field, int value) override { wdialogputinteger_(&field, &value); }
    void put_string(int field, const std::string &text) override {
        // A blank text empties the field.
        if (text.empty())
            wdialogputstring_(&field, " ", 1);
        else
            wdialogputstring_(&field, text.data(), static_cast<int>(text.size()));
    }
    void field_state(int field, int state) override { wdialogfieldstate_(&field, &state); }
};

// The open-file dialog titled "Open File" with filter, starting from initial: the name it
// leaves, which on Cancel is the one it started from (winfodialog_ tells the two apart).
inline std::string AskForFile(const char *filter, const std::string &initial) {
    char filters[kTextLength];
    char name[kTextLength];
    PadInto(filters, kTextLength, filter);
    PadInto(name, kTextLength, initial);
    int flags = 128;
    static const char kTitle[] = "Open File";
    wselectfile2_(filters, &flags, name, kTitle, nullptr, kTextLength, kTextLength,
                  static_cast<int>(sizeof kTitle - 1));
    return TrimBlanks(name, kTextLength);
}

// Starts the library with a hidden root window and shows dialog as a modeless dialog.
inline void ShowMainDialog(int dialog) {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    wdialogload_(&dialog);
    int x = -1, y = -1, focus = 0, type = 2;
    wdialogshow_(&x, &y, &focus, &type);
}

// Hands every button push to processbutton until it sets *exit_requested, then closes the
// library.
inline void RunUntilExit(int *exit_requested, void (*processbutton)(int *id, int *exit)) {
    while (*exit_requested == 0) {
        int event_type = 0;
        QuillEvent event;
        wmessage_(&event_type, &event);
        if (event_type == 3) processbutton(&event.value1, exit_requested);
    }
    windowclose_();
}

}  // namespace program_shell

#endif
