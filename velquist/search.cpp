// The earlier program's search: set-up from the starting integer or a checkpoint, then
// table-driven reverse-and-add steps with a full palindrome comparison after each, the
// progress display, the Stop button, the CPU-time save schedule, a milestone file at every
// million digits and a result file when a palindrome turns up.
#include <cstdint>
#include <new>
#include <string>

#include "velquist3/checkpoint.h"
#include "program.h"
#include "save_files.h"

namespace velquist {

const char *const kStatusSearching = "Searching ===>";
const char *const kStatusSaving = "Saving Checkpoint File";
const char *const kStatusFound = "Palindrome Found! :)";

namespace {

constexpr int64_t kMillion = 1000000;

std::string Trim(const std::string &text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Writes the current number as a save file of the given kind, named from today's date, and
// shows the name as the check file. On failure the status line says why and false returns.
bool WriteSave(ProgramState *state, Host *host, SaveKind kind) {
    std::string name =
        save_file_name(state->start_number, state->iteration_count, host->today(), kind);
    CheckpointStatus status =
        checkpoint_write(name, search_counts_header(*state), state->arrays->number() + 1,
                         DigitOrder::MostSignificantFirst);
    if (!status.ok()) {
        host->put_string(kFieldStatus, status.message);
        return false;
    }
    host->put_string(kFieldSaveFile, name);
    state->checkpoint_path = name;
    return true;
}

void ShowCounts(ProgramState *state, Host *host, int32_t iterations) {
    host->put_integer(kFieldIterations, iterations);
    host->put_integer(kFieldDigits, state->digit_count);
}

// The Stop button and the limits: show the counts, save a checkpoint to resume from.
bool SaveAndEnd(ProgramState *state, Host *host) {
    ShowCounts(state, host, state->iteration_count);
    host->put_string(kFieldStatus, kStatusSaving);
    if (!WriteSave(state, host, SaveKind::Checkpoint)) return false;
    host->put_string(kFieldStatus, "");
    return true;
}

bool AllocateArrays(ProgramState *state, Host *host) {
    if (state->arrays && state->arrays->capacity >= state->capacity + 1) return true;
    delete state->arrays;
    state->arrays = nullptr;
    try {
        // One digit of room above the limit: a step from the limit itself may still carry.
        state->arrays = new TableArrays(state->capacity + 1);
    } catch (const std::bad_alloc &) {
        host->put_string(kFieldStatus, "Not enough memory for the digit arrays");
        return false;
    }
    return true;
}

// The starting integer from the dialog, most significant digit first.
bool SetUpFresh(ProgramState *state, Host *host) {
    int32_t start = host->get_integer(kFieldStartNumber);
    if (start < 0) {
        host->put_string(kFieldStatus, "The starting integer must not be negative");
        return false;
    }
    state->start_number = start;
    std::string text = std::to_string(start);
    int32_t *number = state->arrays->number();
    int32_t length = static_cast<int32_t>(text.size());
    number[-1] = 0;
    number[0] = 0;
    for (int32_t i = 0; i < length; ++i) number[i + 1] = text[i] - '0';
    number[length + 1] = 0;
    host->field_state(kFieldStartNumber, kStateReadOnly);
    state->digit_count = length;
    // A new number counts its steps anew: a count carried over from an earlier search would
    // name the files wrongly and misstate the iterations in their headers.
    state->iteration_count = 0;
    state->found_flag = 0;
    state->million_mark = 1;
    state->million_state = 0;
    return true;
}

// The number and counters of the checkpoint named by the check file. Nothing of the search's
// state changes unless the whole file reads correctly.
bool SetUpResume(ProgramState *state, Host *host) {
    int32_t *number = state->arrays->number();
    number[-1] = 0;
    number[0] = 0;
    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_digits(state->checkpoint_path, &header, number + 1,
                                                     static_cast<std::size_t>(state->capacity));
    if (!status.ok()) {
        host->put_string(kFieldStatus, status.message);
        return false;
    }
    // A file saved at the iteration limit has no step left to take.
    if (header.iteration_count >= kCheckpointMaxIterations) {
        host->put_string(kFieldStatus, kSearchIterationLimitText);
        return false;
    }
    number[header.digit_count + 1] = 0;
    host->put_string(kFieldSaveFile, state->checkpoint_path);
    search_counts_take(state, host, header, kStateReadOnly);
    state->million_mark = static_cast<int32_t>(state->digit_count / kMillion + 1);
    return true;
}

// Whole CPU time as totals in seconds, minutes, hours and days, when a new second has begun.
void ShowCpu(ProgramState *state, Host *host) {
    double t = host->cpu_time();
    state->cpu_seconds = t > 0 ? static_cast<int32_t>(t) : 0;
    if (state->cpu_seconds <= state->last_cpu_shown) return;
    host->put_integer(kFieldCpuSeconds, state->cpu_seconds);
    host->put_integer(kFieldCpuMinutes, state->cpu_seconds / 60);
    host->put_integer(kFieldCpuHours, state->cpu_seconds / 3600);
    host->put_integer(kFieldCpuDays, state->cpu_seconds / 86400);
    state->last_cpu_shown = state->cpu_seconds;
}

// The counts are shown every 999th step at first, every 100th from 100,000 iterations and
// at every step beyond 1,000,000.
void ShowProgress(ProgramState *state, Host *host) {
    int32_t iterations = state->iteration_count;
    int32_t every = iterations < 100000 ? 999 : iterations <= 1000000 ? 100 : 0;
    if (every == 0) {
        ShowCounts(state, host, iterations);
    } else if (state->progress_counter >= every) {
        ShowCounts(state, host, iterations - 1);
        state->progress_counter = 0;
    }
    ++state->progress_counter;
}

bool AtMilestone(const ProgramState *state) {
    return state->digit_count == state->million_mark * kMillion;
}

// The scheduled save by CPU minutes and the save at every whole million digits. False when a
// save failed and the search has to end.
bool SaveWhenDue(ProgramState *state, Host *host) {
    if (AtMilestone(state) && state->million_state != 2) state->million_state = 1;
    bool milestone = AtMilestone(state) && state->million_state == 1;
    bool scheduled = state->save_interval > 0 && state->save_multiple > 0 &&
                     state->cpu_seconds / 60 ==
                         static_cast<int64_t>(state->save_interval) * state->save_multiple;
    if (!milestone && !scheduled) return true;
    host->put_string(kFieldStatus, kStatusSaving);
    if (!milestone) {
        ++state->save_multiple;
        search_counts_count_save(state);
    }
    if (!WriteSave(state, host, milestone ? SaveKind::Million : SaveKind::Checkpoint)) return false;
    host->put_string(kFieldStatus, kStatusSearching);
    if (AtMilestone(state)) {
        ++state->million_mark;
        state->million_state = 2;
    }
    return true;
}

}  // namespace

void run_search(ProgramState *state, Host *host) {
    state->save_interval = host->get_integer(kFieldSaveInterval);
    state->checkpoint_path = Trim(host->get_string(kFieldSaveFile));
    state->stop_iteration = host->get_integer(kFieldStopIteration);
    host->put_string(kFieldStatus, kStatusSearching);
    state->save_number = state->save_interval > 0 ? state->cpu_seconds / state->save_interval : 0;
    if (!AllocateArrays(state, host)) return;
    bool ready =
        state->checkpoint_path.empty() ? SetUpFresh(state, host) : SetUpResume(state, host);
    if (!ready) return;

    int32_t *number = state->arrays->number();
    int32_t *reversed = state->arrays->reversed();
    table_reverse(number, reversed, state->digit_count);
    for (;;) {
        int32_t grown = table_step(number, reversed, state->digit_count);
        if (grown != state->digit_count) state->million_state = 0;
        state->digit_count = grown;
        ++state->iteration_count;

        if (table_is_palindrome(number, reversed, state->digit_count)) {
            state->found_flag = 1;
            if (WriteSave(state, host, SaveKind::Palindrome))
                host->put_string(kFieldStatus, kStatusFound);
            ShowCounts(state, host, state->iteration_count);
            return;
        }
        if (state->found_flag == 1) return;
        if (host->stop_pressed()) {
            SaveAndEnd(state, host);
            return;
        }
        ShowCpu(state, host);
        if (state->iteration_count >= kCheckpointMaxIterations) {
            if (SaveAndEnd(state, host)) host->put_string(kFieldStatus, kSearchIterationLimitText);
            return;
        }
        if ((state->stop_iteration != 0 && state->iteration_count == state->stop_iteration) ||
            state->digit_count >= state->capacity) {
            if (SaveAndEnd(state, host)) host->put_integer(kFieldStopIteration, 0);
            return;
        }
        ShowProgress(state, host);
        if (!SaveWhenDue(state, host)) return;
    }
}

}  // namespace velquist
