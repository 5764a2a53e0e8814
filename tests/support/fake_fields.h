// The main dialog of a search program without a window: its fields are tables that a test sets
// and reads, and every status text shown is kept in order. HOST is the program's own host
// interface; a test's host adds what only that program asks of it.
#ifndef TESTS_SUPPORT_FAKE_FIELDS_H
#define TESTS_SUPPORT_FAKE_FIELDS_H

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "velquist3/search_counts.h"

template <class Host>
struct FakeFields : Host {
    std::map<int, int> integers;
    std::map<int, std::string> strings;
    std::map<int, int> states;
    std::map<int, int> integer_puts;  // how often each integer field was written
    std::vector<std::string> status_history;

    // The fields as the dialog opens.
    FakeFields() {
        integers[kFieldStartNumber] = 196;
        integers[kFieldSaveInterval] = 120;
        integers[kFieldStopIteration] = 0;
        strings[kFieldSaveFile] = "";
    }

    int get_integer(int field) override { return integers[field]; }
    std::string get_string(int field) override {
        std::string text = strings[field];
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text;
    }
    void put_integer(int field, int value) override {
        integers[field] = value;
        ++integer_puts[field];
    }
    void put_string(int field, const std::string &text) override {
        strings[field] = text;
        if (field == kFieldStatus) status_history.push_back(text);
    }
    void field_state(int field, int state) override { states[field] = state; }

    // Expects the fields that opening checkpoint FILE fills: its name and counts, and the CPU
    // time and the stop iteration cleared.
    void ExpectOpened(const std::string &file, int iterations, int digits, int start) {
        EXPECT_EQ(strings[kFieldSaveFile], file);
        EXPECT_EQ(integers[kFieldIterations], iterations);
        EXPECT_EQ(integers[kFieldDigits], digits);
        EXPECT_EQ(integers[kFieldStartNumber], start);
        EXPECT_EQ(integers[kFieldCpuSeconds], 0);
        EXPECT_EQ(integers[kFieldStopIteration], 0);
    }
};

#endif
