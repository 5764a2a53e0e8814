// The earlier search program's state, its dialog's field ids, and what the program's logic
// needs of the window system, so that the buttons and the search run the same way in the
// program and in tests.
#ifndef VELQUIST_PROGRAM_H
#define VELQUIST_PROGRAM_H

#include <cstdint>
#include <string>

#include "velquist3/dialog_ids.h"
#include "velquist3/search_counts.h"
#include "table_step.h"

namespace velquist {

// The status line's texts.
extern const char *const kStatusSearching;
extern const char *const kStatusSaving;
extern const char *const kStatusFound;

// A local calendar date.
struct Date {
    int day = 1;
    int month = 1;
    int year = 1970;
};

// The program's module data. One instance lives for the whole process; Open, Clear and the
// search act on it.
struct ProgramState : SearchCounts {
    int32_t save_interval = 0;
    int32_t save_multiple = 1;  // never reset: CPU time is that of the whole process
    int32_t progress_counter = 0;
    int32_t exit_requested = 0;
    int32_t capacity = kDigitCapacity;  // the most digits the search may reach
    TableArrays *arrays = nullptr;      // allocated by the program at the first search
};

// The window system as the program's logic sees it: the current dialog's fields, the event
// queue, the file dialog and the runtime's clock and calendar.
class Host : public DialogFields {
public:
    // Polls the event queue once; true when the Stop button was pressed. Other events are dropped.
    virtual bool stop_pressed() = 0;
    // Asks for a checkpoint file to open, starting from *path; false when cancelled.
    virtual bool choose_file(std::string *path) = 0;
    virtual double cpu_time() = 0;  // process CPU time in seconds
    virtual Date today() = 0;
};

// Open: choose a checkpoint and show its header, ready to resume from it.
void open_checkpoint(ProgramState *state, Host *host);
// Clear: back to a fresh search from 196.
void clear_dialog(ProgramState *state, Host *host);
// Start: the search, until a palindrome, a limit, Stop or a failure ends it.
void run_search(ProgramState *state, Host *host);

}  // namespace velquist

#endif
