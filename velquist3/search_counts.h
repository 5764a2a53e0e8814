// What the two search programs share besides the checkpoint layout: the counts a search keeps,
// the dialog fields their logic writes through, and the resets behind the Open and Clear
// buttons. Both programs' main dialogs give the fields named here the same ids.
#ifndef VELQUIST3_SEARCH_COUNTS_H
#define VELQUIST3_SEARCH_COUNTS_H

#include <string>

#include "checkpoint.h"
#include "dialog_ids.h"

// The fields of the main dialog, addressed by id. Each program supplies the window system (or,
// in tests, a table) behind them.
struct DialogFields {
    virtual ~DialogFields() = default;
    virtual int get_integer(int field) = 0;
    virtual std::string get_string(int field) = 0;  // without trailing blanks
    virtual void put_integer(int field, int value) = 0;
    virtual void put_string(int field, const std::string &text) = 0;  // empty = blank field
    virtual void field_state(int field, int state) = 0;
};

// The counts of a search: what a checkpoint holds and what Open and Clear start over.
struct SearchCounts {
    int start_number = 0;
    int digit_count = 0;
    int iteration_count = 0;
    int stop_iteration = 0;
    std::string checkpoint_path;  // without surrounding blanks; empty = start from scratch
    int cpu_seconds = 0;
    int last_cpu_shown = 0;  // the CPU second last shown in the dialog
    int save_number = 1;
    int million_mark = 1;
    int million_state = 0;  // 0 milestone ahead, 1 milestone save due, 2 milestone saved
    int found_flag = 0;
};

// The status text of a search that ended because its iteration count reached the most a
// checkpoint may hold.
extern const char *const kSearchIterationLimitText;

// Counts one more scheduled save; the counter stops at the largest value it can hold.
void search_counts_count_save(SearchCounts *counts);

// The counts of a search not yet begun (the starting integer, the check file and the CPU
// second last shown are left as they are).
void search_counts_reset(SearchCounts *counts);

// The checkpoint header of the current counts.
CheckpointHeader search_counts_header(const SearchCounts &counts);

// Takes a checkpoint's counts as the search's own and shows them; the starting integer's field
// is put in start_state, since a checkpoint's starting integer is not to be edited.
void search_counts_take(SearchCounts *counts, DialogFields *dialog, const CheckpointHeader &header,
                        int start_state);

// Open, once a file is chosen: the search starts over from that file, with blank progress
// fields, and the file's header is read. The caller decides what a header it cannot use means.
CheckpointStatus search_open_file(SearchCounts *counts, DialogFields *dialog,
                                  const std::string &path, CheckpointHeader *header);

// Clear: a fresh search from 196 with the default save interval and no check file. The CPU
// time fields are zeroed too when clear_cpu_time is set.
void search_clear(SearchCounts *counts, DialogFields *dialog, bool clear_cpu_time);

#endif
