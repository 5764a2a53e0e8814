// Velquist3 on the Quillamorph library: the main routine, the event loop and the routines the
// dialog's buttons reach, with the dialog and the event queue behind the program's SearchHost.
#include <chrono>
#include <string>

#include "program_shell.h"
#include "quillamorph.h"
#include "velquist3_program.h"

namespace {

// The process-wide program state.
Velquist3State g_state;

// The main dialog, addressed by control id through the library's typed field routines.
struct DialogHost : program_shell::LibraryFields<SearchHost> {
    int get_radio(int first_field) override {
        int button = 0;
        wdialoggetradiobutton_(&first_field, &button);
        return button;
    }
    void put_real(int field, double value) override {
        float real = static_cast<float>(value);
        static const char kFormat[] = "(F8.2)";
        wdialogputreal_(&field, &real, kFormat, sizeof kFormat - 1);
    }
    void select_checkpoint(std::string *path) override {
        std::string name =
            program_shell::AskForFile("CheckPoint Files|*.isf|All files|*.*| ", *path);
        // The file dialog leaves the name as it was on Cancel: its answer tells the two apart.
        int answer_item = 4;
        *path = winfodialog_(&answer_item) == 1 ? name : std::string();
    }
    // Asking the window system for the queue or the process times can cost tens of
    // microseconds (a round trip to the window system, and a yield of the processor after an
    // empty look at the queue), more than a whole step on a short number; so the queue is
    // looked at and the CPU time read no more than once in 10 ms. A person sees no difference
    // in how fast Stop acts, the dialog repaints or the seconds advance.
    int poll_button() override {
        if (!Elapsed(&last_poll, kPollInterval)) return 0;
        int type = 0;
        QuillEvent event;
        wmessagepeek_(&type, &event);
        return type == 3 ? event.value1 : 0;
    }
    double cpu_time() override {
        if (Elapsed(&last_cpu_read, kPollInterval)) cpu = process_cpu_seconds();
        return cpu;
    }

    typedef std::chrono::steady_clock Clock;
    static constexpr std::chrono::milliseconds kPollInterval{10};
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
    program_shell::ShowMainDialog(kDialogMain);
    eventlog_open(&g_state.log);
    program_shell::RunUntilExit(&g_state.exit_requested, processbutton_);
}

}  // extern "C"

int main() {
    MAIN__();
    return 0;
}
