// A dialog without a window: fields in a map, a scripted CPU clock and a scripted Stop button,
// so the program's buttons and search run natively in tests.
#ifndef VELQUIST3_TESTS_FAKE_HOST_H
#define VELQUIST3_TESTS_FAKE_HOST_H

#include <map>
#include <string>
#include <vector>

#include "velquist3/velquist3_program.h"
#include "fake_fields.h"

struct FakeHost : FakeFields<SearchHost> {
    std::map<int, double> reals;
    int radio = 3;
    std::string file_choice;  // what the open-file dialog answers; empty = cancel

    int polls = 0;
    int stop_at_poll = 0;  // press Stop at this poll (1-based); 0 = never
    double cpu = 0.0;
    double cpu_step = 0.0;  // CPU seconds that pass per CPU-time query

    FakeHost() { integers[kFieldStopDigit] = 0; }

    int get_radio(int) override { return radio; }
    void put_real(int field, double value) override { reals[field] = value; }
    void select_checkpoint(std::string *path) override { *path = file_choice; }
    int poll_button() override { return ++polls == stop_at_poll ? kFieldStop : 0; }
    double cpu_time() override { return cpu += cpu_step; }

    std::string status() { return strings[kFieldStatus]; }
};

#endif
