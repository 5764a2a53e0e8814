// Velquist3 on the Quillamorph library: the main routine, the event loop and the routines the
// dialog's buttons reach, with the dialog and the event queue behind the program's SearchHost.
#include <chrono>
#include <string>

#include "velquist3_program.h"
#include "quillamorph.h"

namespace {

// The process-wide program state.
Velquist3State g_state;

std::string TrimBlanks(const char *text, int length) {
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
    return std::string(text, length);
}

// A blank-padded copy of text in a fixed-length buffer.
void PadInto(char *buffer, int length, const std::string &text) {
    int n = static_cast<int>(text.size()) < length ? static_cast<int>(text.size()) : length;
    for (int i = 0; i < length; ++i) buffer[i] = i < n ? text[i] : ' ';
}

// The main dialog, addressed by control id through the library's typed field routines.
struct DialogHost : SearchHost {
    int get_integer(int field) override {
        int value = 0;
        wdialoggetinteger_(&field, &value);
        return value;
    }
    std::string get_string(int field) override {
        char text[kPathLength];
        wdialoggetstring_(&field, text, kPathLength);
        return TrimBlanks(text, kPathLength);
    }
    int get_radio(int first_field) override {
        int button = 0;
        wdialoggetradiobutton_(&first_field, &button);
        return button;
    }
    void put_integer(int field, int value) override { wdialogputinteger_(&field, &value); }
    void put_real(int field, double value) override {
        float real = static_cast<float>(value);
        static const char kFormat[] = "(F8.2)";
        wdialogputreal_(&field, &real, kFormat, sizeof kFormat - 1);
    }
    void put_string(int field, const std::string &text) override {
        // A blank text puts an empty field.
        if (text.empty())
            wdialogputstring_(&field, " ", 1);
        else
            wdialogputstring_(&field, text.data(), static_cast<int>(text.size()));
    }
    void field_state(int field, int state) override { wdialogfieldstate_(&field, &state); }
    void select_checkpoint(std::string *path) override {
        char filter[kPathLength];
        char name[kPathLength];
        PadInto(filter, kPathLength, "CheckPoint Files|*.isf|All files|*.*| ");
        PadInto(name, kPathLength, *path);
        int flags = 128;
        static const char kTitle[] = "Open File";
        wselectfile2_(filter, &flags, name, kTitle, nullptr, kPathLength, kPathLength,
                      sizeof kTitle - 1);
        // The file dialog leaves the name as it was on Cancel: its answer tells the two apart.
        int answer_item = 4;
        *path = winfodialog_(&answer_item) == 1 ? TrimBlanks(name, kPathLength) : std::string();
    }
    // Asking the window system for the queue or the process times can cost tens of
    // microseconds, more than a whole step on a short number, so the queue is looked at no
    // more than once a millisecond and the CPU time read no more than once in 10 ms; a person
    // sees no difference in how fast Stop acts or the seconds advance.
    int poll_button() override {
        if (!Elapsed(&last_poll, std::chrono::milliseconds(1))) return 0;
        int type = 0;
        QuillEvent event;
        wmessagepeek_(&type, &event);
        return type == 3 ? event.value1 : 0;
    }
    double cpu_time() override {
        if (Elapsed(&last_cpu_read, std::chrono::milliseconds(10))) cpu = process_cpu_seconds();
        return cpu;
    }

    typedef std::chrono::steady_clock Clock;
    Clock::time_point last_poll{};
    Clock::time_point last_cpu_read{};
    double cpu = 0.0;

    // True (and *since restarted) when at least `interval` has passed since *since.
    static bool Elapsed(Clock::time_point *since, Clock::duration interval) {
        Clock::time_point now = Clock::now();
        if (now - *since < interval) return false;
        *since = now;
        return true;
    }
};

DialogHost g_host;

}  // namespace

extern "C" {

void processbutton_(int *id, int *exit_requested) {
    program_processbutton(&g_state, &g_host, *id);
    *exit_requested = g_state.exit_requested;
}

void open_(void) { program_open(&g_state, &g_host); }

void clear_(void) { program_clear(&g_state, &g_host); }

void start_(void) { program_start(&g_state, &g_host); }

void MAIN__(void) {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, nullptr, 0);
    int dialog = kDialogMain;
    wdialogload_(&dialog);
    int x = -1, y = -1, focus = 0, type = 2;
    wdialogshow_(&x, &y, &focus, &type);
    eventlog_open(&g_state.log);

    while (g_state.exit_requested == 0) {
        int event_type = 0;
        QuillEvent event;
        wmessage_(&event_type, &event);
        if (event_type == 3) processbutton_(&event.value1, &g_state.exit_requested);
    }
    windowclose_();
}

}  // extern "C"

int main() {
    MAIN__();
    return 0;
}
