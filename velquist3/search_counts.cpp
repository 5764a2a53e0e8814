// The counts and the Open and Clear resets both search programs share.
#include "search_counts.h"

#include <climits>

namespace {

constexpr int kFreshStartNumber = 196;
constexpr int kDefaultSaveInterval = 120;

// Blanks the check file and the status line and zeroes the stop iteration, the counts and,
// when asked, the CPU time.
void BlankProgressFields(DialogFields *dialog, bool cpu_time) {
    static const int kCounts[] = {kFieldStopIteration, kFieldIterations, kFieldDigits};
    static const int kCpuTime[] = {kFieldCpuSeconds, kFieldCpuMinutes, kFieldCpuHours,
                                   kFieldCpuDays};
    dialog->put_string(kFieldSaveFile, " ");
    for (int field : kCounts) dialog->put_integer(field, 0);
    if (cpu_time)
        for (int field : kCpuTime) dialog->put_integer(field, 0);
    dialog->put_string(kFieldStatus, "");
}

}  // namespace

const char *const kSearchIterationLimitText =
    "The search has reached the iteration limit of 2000000000";

void search_counts_count_save(SearchCounts *counts) {
    if (counts->save_number < INT_MAX) counts->save_number += 1;
}

void search_counts_reset(SearchCounts *counts) {
    counts->digit_count = 0;
    counts->found_flag = 0;
    counts->cpu_seconds = 0;
    counts->iteration_count = 0;
    counts->stop_iteration = 0;
    counts->million_state = 0;
    counts->save_number = 1;
    counts->million_mark = 1;
}

CheckpointHeader search_counts_header(const SearchCounts &counts) {
    CheckpointHeader header;
    header.save_number = counts.save_number;
    header.start_number = counts.start_number;
    header.iteration_count = counts.iteration_count;
    header.digit_count = counts.digit_count;
    return header;
}

void search_counts_take(SearchCounts *counts, DialogFields *dialog, const CheckpointHeader &header,
                        int start_state) {
    counts->save_number = header.save_number;
    counts->start_number = header.start_number;
    counts->iteration_count = header.iteration_count;
    counts->digit_count = header.digit_count;
    dialog->put_integer(kFieldIterations, counts->iteration_count);
    dialog->put_integer(kFieldDigits, counts->digit_count);
    dialog->put_integer(kFieldStartNumber, counts->start_number);
    dialog->field_state(kFieldStartNumber, start_state);
    counts->found_flag = 0;
}

CheckpointStatus search_open_file(SearchCounts *counts, DialogFields *dialog,
                                  const std::string &path, CheckpointHeader *header) {
    counts->checkpoint_path = path;
    BlankProgressFields(dialog, true);
    search_counts_reset(counts);
    counts->last_cpu_shown = 0;
    return checkpoint_read_header(path, header);
}

void search_clear(SearchCounts *counts, DialogFields *dialog, bool clear_cpu_time) {
    BlankProgressFields(dialog, clear_cpu_time);
    dialog->put_integer(kFieldSaveInterval, kDefaultSaveInterval);
    dialog->put_integer(kFieldStartNumber, kFreshStartNumber);
    dialog->field_state(kFieldStartNumber, kStateEnabled);
    counts->checkpoint_path.clear();
    counts->start_number = kFreshStartNumber;
    search_counts_reset(counts);
}
