// Velquist, the earlier search program: its main routine, the button dispatcher, the About
// dialog, and the host through which the program's logic reaches the dialog's fields and the
// event queue. The program talks to the window system only through the library.
#include <cstring>
#include <string>

#include "program.h"
#include "quillamorph.h"
#include "runtime.h"

namespace {

using namespace velquist;

constexpr int kPathLength = 256;
constexpr int kAboutLength = 512;
const char kAboutLine[] = "Velquist, the reverse-and-add palindrome search, December 2026";

// The main dialog's fields and the event queue, through the library's public routines.
class DialogHost : public Host {
public:
    int32_t get_integer(int field) override {
        int value = 0;
        wdialoggetinteger_(&field, &value);
        return value;
    }
    std::string get_string(int field) override {
        char text[kPathLength];
        wdialoggetstring_(&field, text, kPathLength);
        return TrimRight(text, kPathLength);
    }
    void put_integer(int field, int32_t value) override { wdialogputinteger_(&field, &value); }
    void put_string(int field, const std::string &text) override {
        // A blank text empties the field.
        const std::string padded = text.empty() ? std::string(" ") : text;
        wdialogputstring_(&field, padded.data(), static_cast<int>(padded.size()));
    }
    void field_state(int field, int state) override { wdialogfieldstate_(&field, &state); }
    bool stop_pressed() override {
        int type = 0;
        QuillEvent event;
        wmessagepeek_(&type, &event);
        return type == 3 && event.value1 == kStopButton;
    }
    bool choose_file(std::string *path) override {
        char filter[kPathLength];
        char name[kPathLength];
        Pad(filter, kPathLength, "CheckPoint Files|*.chk|All files|*.*| ");
        Pad(name, kPathLength, *path);
        static const char kTitle[] = "Open File";
        int flags = 128;
        wselectfile2_(filter, &flags, name, kTitle, nullptr, kPathLength, kPathLength,
                      static_cast<int>(sizeof kTitle - 1));
        *path = TrimRight(name, kPathLength);
        return !path->empty();
    }
    double cpu_time() override { return process_cpu_seconds(); }
    Date today() override { return local_date(); }

    static void Pad(char *buffer, int length, const std::string &text) {
        std::memset(buffer, ' ', static_cast<std::size_t>(length));
        std::memcpy(buffer, text.data(), text.size() < static_cast<std::size_t>(length)
                                             ? text.size()
                                             : static_cast<std::size_t>(length));
    }
    static std::string TrimRight(const char *text, int length) {
        int end = length;
        while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\0')) --end;
        return std::string(text, static_cast<std::size_t>(end));
    }
};

ProgramState program_state;
DialogHost dialog_host;

}  // namespace

void open_() { open_checkpoint(&program_state, &dialog_host); }

void clear_() { clear_dialog(&program_state, &dialog_host); }

void start_() { run_search(&program_state, &dialog_host); }

// Shows the About dialog modally, then makes the main dialog current again: unloading the
// About dialog leaves no dialog current, and the buttons address the main dialog's fields.
void about_() {
    char text[kAboutLength];
    DialogHost::Pad(text, kAboutLength, kAboutLine);
    int about = kAboutDialog;
    wdialogload_(&about);
    int field = kAboutText;
    wdialogputstring_(&field, text, kAboutLength);
    int x = -1, y = -1, focus = 0, type = 1;
    wdialogshow_(&x, &y, &focus, &type);
    wdialogunload_(nullptr);
    int main_dialog = kMainDialog;
    wdialogselect_(&main_dialog);
}

void processbutton_(int *id, int *exit) {
    switch (*id) {
    case kCancel:
    case kExitButton: *exit = 1; break;
    case kOpenButton: open_(); break;
    case kHelpButton: about_(); break;
    case kStartButton: start_(); break;
    case kClearButton: clear_(); break;
    default: break;
    }
}

void MAIN__() {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    int dialog = kMainDialog;
    wdialogload_(&dialog);
    int x = -1, y = -1, focus = 0, type = 2;
    wdialogshow_(&x, &y, &focus, &type);
    while (program_state.exit_requested == 0) {
        int event_type = 0;
        QuillEvent event;
        wmessage_(&event_type, &event);
        if (event_type == 3) processbutton_(&event.value1, &program_state.exit_requested);
    }
    windowclose_();
}

int main() {
    MAIN__();
    return 0;
}
