// Velquist3's program state and the routines behind its buttons.
//
// The search, the buttons and the files work on one process-wide state record and reach the
// dialog only through SearchHost, so the whole program logic runs (and is tested) without a
// window system; the Windows program supplies a host that talks to the real dialog.
#ifndef VELQUIST3_VELQUIST3_PROGRAM_H
#define VELQUIST3_VELQUIST3_PROGRAM_H

#include <cstdint>
#include <string>

#include "checkpoint.h"
#include "cputime.h"
#include "eventlog.h"
#include "search_counts.h"

// Length of the blank-padded checkpoint path the dialog and the log carry.
constexpr int kPathLength = 256;

// What the program needs of its dialog and of the process.
struct SearchHost : DialogFields {
    virtual int get_radio(int first_field) = 0;  // 1-based position of the checked button
    virtual void put_real(int field, double value) = 0;
    // The open-file dialog: *path goes in as the initial name and comes back as the choice;
    // blank (empty) when cancelled.
    virtual void select_checkpoint(std::string *path) = 0;
    // One poll of the event queue: the id of a pushed button, 0 for anything else or nothing.
    virtual int poll_button() = 0;
    // CPU time of the process in seconds.
    virtual double cpu_time() = 0;
};

struct Velquist3State : SearchCounts {
    Velquist3State() { million_state = 2; }

    int save_interval = 0;
    int stop_digit = 0;
    int kernel_choice = 3;
    int save_multiple = 1;
    int longest_match = 0;
    int exit_requested = 0;
    int verdict = 0;  // result of the last file check

    // Rate baselines and display pacing, kept across searches.
    int base_digits = 0;
    int base_iterations = 0;
    float base_time = 0.0f;
    int progress_counter = 0;
    int progress_second = -1;  // CPU second of the last display in the long-number regime

    // The two digit buffers while a search runs (null otherwise) and their size in bytes.
    uint8_t *temp2 = nullptr;
    uint8_t *temp1 = nullptr;
    std::size_t buffer_bytes = 0;

    EventLog log;
};

// The buttons.
void program_processbutton(Velquist3State *s, SearchHost *host, int id);
void program_open(Velquist3State *s, SearchHost *host);
void program_clear(Velquist3State *s, SearchHost *host);
// Start: runs a whole search and returns when it ends.
void program_start(Velquist3State *s, SearchHost *host);

// Says what went wrong in the status line and the log.
void program_report(Velquist3State *s, SearchHost *host, const std::string &message);

// A text padded with blanks to the length of the checkpoint path.
std::string padded_path(const std::string &path);

// Bytes of one digit buffer at a million-digit mark.
std::size_t search_buffer_bytes(int million_mark);

#endif
