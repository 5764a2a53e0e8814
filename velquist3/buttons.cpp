// The main dialog's buttons: Exit, Open and Clear, and the dispatcher that leads to Start.
#include "checkpoint.h"
#include "velquist3_program.h"

namespace {

// Zeroes the progress fields that Open and Clear both reset.
void ResetCountFields(SearchHost *host) {
    host->put_string(kFieldSaveFile, " ");
    host->put_integer(kFieldStopIteration, 0);
    host->put_integer(kFieldIterations, 0);
    host->put_integer(kFieldDigits, 0);
}

// The state that Open and Clear both reset; a new file or a new number starts over.
void ResetCounts(Velquist3State *s) {
    s->digit_count = 0;
    s->found_flag = 0;
    s->cpu_seconds = 0;
    s->iteration_count = 0;
    s->stop_iteration = 0;
    s->stop_digit = 0;
    s->million_state = 0;
    s->longest_match = 0;
    s->save_number = 1;
    s->million_mark = 1;
}

}  // namespace

void program_report(Velquist3State *s, SearchHost *host, const std::string &message) {
    host->put_string(kFieldStatus, message + "\r\n");
    eventlog_write(&s->log, {message});
    eventlog_flush(&s->log);
}

void program_take_checkpoint(Velquist3State *s, SearchHost *host, const CheckpointHeader &header) {
    s->save_number = header.save_number;
    s->start_number = header.start_number;
    s->iteration_count = header.iteration_count;
    s->digit_count = header.digit_count;
    host->put_integer(kFieldIterations, s->iteration_count);
    host->put_integer(kFieldDigits, s->digit_count);
    host->put_integer(kFieldStartNumber, s->start_number);
    host->field_state(kFieldStartNumber, kStateReadOnly);
    s->found_flag = 0;
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
    s->checkpoint_path = chosen;

    ResetCountFields(host);
    host->put_integer(kFieldCpuSeconds, 0);
    host->put_integer(kFieldCpuMinutes, 0);
    host->put_integer(kFieldCpuHours, 0);
    host->put_integer(kFieldCpuDays, 0);
    host->put_string(kFieldStatus, "");
    ResetCounts(s);
    s->last_cpu_shown = 0;

    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_header(s->checkpoint_path, &header);
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
    program_take_checkpoint(s, host, header);
}

void program_clear(Velquist3State *s, SearchHost *host) {
    host->put_integer(kFieldSaveInterval, 120);
    ResetCountFields(host);
    host->put_integer(kFieldStartNumber, 196);
    host->field_state(kFieldStartNumber, kStateEnabled);
    host->put_string(kFieldStatus, "");

    s->checkpoint_path.clear();
    s->start_number = 196;
    ResetCounts(s);
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
    case kFieldOpen:
        program_open(s, host);
        break;
    case kFieldStart:
        program_start(s, host);
        break;
    case kFieldClear:
        program_clear(s, host);
        break;
    default:
        break;
    }
}
