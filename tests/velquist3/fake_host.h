// A dialog without a window: fields in a map, a scripted CPU clock and a scripted Stop button,
// so the program's buttons and search run natively in tests.
#ifndef VELQUIST3_TESTS_FAKE_HOST_H
#define VELQUIST3_TESTS_FAKE_HOST_H

#include <map>
#include <string>
#include <vector>

#include "velquist3/velquist3_program.h"

struct FakeHost : SearchHost {
    std::map<int, int> integers;
    std::map<int, double> reals;
    std::map<int, std::string> strings;
    std::map<int, int> states;
    std::map<int, int> integer_puts;  // how often each integer field was written
    std::vector<std::string> status_history;
    int radio = 3;
    std::string file_choice;  // what the open-file dialog answers; empty = cancel

    int polls = 0;
    int stop_at_poll = 0;  // press Stop at this poll (1-based); 0 = never
    double cpu = 0.0;
    double cpu_step = 0.0;  // CPU seconds that pass per CPU-time query

    // The dialog as it opens.
    FakeHost() {
        integers[kFieldStartNumber] = 196;
        integers[kFieldSaveInterval] = 120;
        integers[kFieldStopIteration] = 0;
        integers[kFieldStopDigit] = 0;
        strings[kFieldSaveFile] = "";
    }

    int get_integer(int field) override { return integers[field]; }
    std::string get_string(int field) override {
        std::string text = strings[field];
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    int get_radio(int) override { return radio; }
    void put_integer(int field, int value) override {
        integers[field] = value;
        ++integer_puts[field];
    }
    void put_real(int field, double value) override { reals[field] = value; }
    void put_string(int field, const std::string &text) override {
        strings[field] = text;
        if (field == kFieldStatus) status_history.push_back(text);
    }
    void field_state(int field, int state) override { states[field] = state; }
    void select_checkpoint(std::string *path) override { *path = file_choice; }
    int poll_button() override { return ++polls == stop_at_poll ? kFieldStop : 0; }
    double cpu_time() override { return cpu += cpu_step; }

    std::string status() { return strings[kFieldStatus]; }
};

#endif
