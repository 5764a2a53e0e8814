// Velquist, the earlier search program: its main routine, the button dispatcher, the About
// dialog, and the host through which the program's logic reaches the dialog's fields and the
// event queue. The program talks to the window system only through the library.
#include <string>

#include "velquist3/program_shell.h"
#include "program.h"
#include "quillamorph.h"
#include "runtime.h"

namespace {

using namespace velquist;

constexpr int kAboutLength = 512;
const char kAboutLine[] = "Velquist, the reverse-and-add palindrome search, December 2026";

// The main dialog's fields and the event queue, through the library's public routines.
class DialogHost : public program_shell::LibraryFields<Host> {
public:
    bool stop_pressed() override {
        int type = 0;
        QuillEvent event;
        wmessagepeek_(&type, &event);
        return type == 3 && event.value1 == kFieldStop;
    }
    bool choose_file(std::string *path) override {
        *path = program_shell::AskForFile("CheckPoint Files|*.chk|All files|*.*| ", *path);
        return !path->empty();
    }
    double cpu_time() override { return process_cpu_seconds(); }
    Date today() override { return local_date(); }
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
    program_shell::PadInto(text, kAboutLength, kAboutLine);
    int about = kDialogAbout;
    wdialogload_(&about);
    int field = kFieldAboutText;
    wdialogputstring_(&field, text, kAboutLength);
    int x = -1, y = -1, focus = 0, type = 1;
    wdialogshow_(&x, &y, &focus, &type);
    wdialogunload_(nullptr);
    int main_dialog = kDialogMain;
    wdialogselect_(&main_dialog);
}

void processbutton_(int *id, int *exit) {
    switch (*id) {
    case kDialogCancel:
    case kFieldExit: *exit = 1; break;
    case kFieldOpen: open_(); break;
    case kFieldHelp: about_(); break;
    case kFieldStart: start_(); break;
    case kFieldClear: clear_(); break;
    default: break;
    }
}

void MAIN__() {
    program_shell::ShowMainDialog(kDialogMain);
    program_shell::RunUntilExit(&program_state.exit_requested, processbutton_);
}

int main() {
    MAIN__();
    return 0;
}
