// The main dialog's buttons: Exit, Open and Clear, and the dispatcher that leads to Start.
#include "checkpoint.h"
#include "velquist3_program.h"

namespace {

// Counts of this program's own that Open and Clear start over too.
void ResetOwnCounts(Velquist3State *s) {
    s->stop_digit = 0;
    s->longest_match = 0;
}

}  // namespace

void program_report(Velquist3State *s, SearchHost *host, const std::string &message) {
    host->put_string(kFieldStatus, message + "\r\n");
    eventlog_write(&s->log, {message});
    eventlog_flush(&s->log);
}

std::string padded_path(const std::string &path) {
    std::string text = path.substr(0, kPathLength);
    text.resize(kPathLength, ' ');
    return text;
}

void program_open(Velquist3State *s, SearchHost *host) {
    std::string chosen = s->checkpoint_path;
    host->select_checkpoint(&chosen);
    if (chosen.find_first_not_of(' ') == std::string::npos) return;

    ResetOwnCounts(s);
    CheckpointHeader header;
    CheckpointStatus status = search_open_file(s, host, chosen, &header);
    if (status.error == CheckpointError::CannotOpen) return;
    host->put_string(kFieldSaveFile, s->checkpoint_path);
    // The digits are read only when the search starts, but a file that would be refused then
    // is named now, while the user is still choosing.
    int ignored_verdict = 0;
    if (status.ok())
        status = checkfile(s->checkpoint_path, header.start_number, header.digit_count,
                           &ignored_verdict);
    if (!status.ok()) {
        program_report(s, host, status.message);
        return;
    }
    search_counts_take(s, host, header, kStateReadOnly);
}

void program_clear(Velquist3State *s, SearchHost *host) {
    // The CPU time shown stays: it is that of the whole process.
    search_clear(s, host, false);
    ResetOwnCounts(s);
    eventlog_write(&s->log, {"Cleared Dialog"});
    eventlog_flush(&s->log);
}

void program_processbutton(Velquist3State *s, SearchHost *host, int id) {
    switch (id) {
    case kDialogCancel:
    case kFieldExit:
        eventlog_write(&s->log, {"Exit Program"});
        eventlog_close(&s->log);
        s->exit_requested = 1;
        break;
    case kFieldOpen: program_open(s, host); break;
    case kFieldStart: program_start(s, host); break;
    case kFieldClear: program_clear(s, host); break;
    default: break;
    }
}
