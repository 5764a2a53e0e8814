// The Open and Clear buttons of the earlier program.
#include <cstdint>

#include "checkpoint.h"
#include "program.h"

namespace velquist {

namespace {

// Blanks the check file and zeroes the stop iteration and every progress field.
void ResetFields(Host *host) {
    static const int kZeroed[] = {kStopIteration, kIterations, kDigits, kCpuSeconds,
                                  kCpuMinutes,    kCpuHours,   kCpuDays};
    host->put_string(kCheckFile, " ");
    for (int field : kZeroed) host->put_integer(field, 0);
    host->put_string(kStatus, "");
}

void ResetCounters(ProgramState *state) {
    state->digit_count = 0;
    state->found_flag = 0;
    state->cpu_seconds = 0;
    state->iteration_count = 0;
    state->stop_iteration = 0;
    state->last_cpu_shown = 0;
    state->million_state = 0;
    state->save_number = 1;
    state->million_mark = 1;
}

}  // namespace

void open_checkpoint(ProgramState *state, Host *host) {
    std::string path = state->checkpoint_path;
    if (!host->choose_file(&path) || path.find_first_not_of(' ') == std::string::npos) return;
    state->checkpoint_path = path;
    ResetFields(host);
    ResetCounters(state);

    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_header(path, &header);
    if (status.error == CheckpointError::CannotOpen) return;
    if (!status.ok()) {
        // A file that is not a checkpoint is not offered for resuming: the check file stays
        // blank, so Start cannot read it, and the status line says what is wrong.
        host->put_string(kStatus, status.message);
        return;
    }
    host->put_string(kCheckFile, path);
    state->save_number = header.save_number;
    state->start_number = header.start_number;
    state->iteration_count = header.iteration_count;
    state->digit_count = header.digit_count;
    host->put_integer(kIterations, state->iteration_count);
    host->put_integer(kDigits, state->digit_count);
    host->put_integer(kStartInteger, state->start_number);
    host->field_state(kStartInteger, kFieldDisabled);
    state->found_flag = 0;
}

void clear_dialog(ProgramState *state, Host *host) {
    ResetFields(host);
    host->put_integer(kSaveInterval, 120);
    host->put_integer(kStartInteger, 196);
    host->field_state(kStartInteger, kFieldEnabled);
    state->checkpoint_path.clear();
    state->start_number = 196;
    ResetCounters(state);
}

}  // namespace velquist
