// A stand-in for the dialog and the runtime in the portable tests of the earlier program: the
// fields are a table, Stop is pressed at a chosen poll, CPU time follows a chosen rule, and
// every test runs in a directory of its own.
#ifndef TESTS_VELQUIST_FAKE_HOST_H
#define TESTS_VELQUIST_FAKE_HOST_H

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "velquist/program.h"
#include "fake_fields.h"
#include "scratch_folder.h"

class FakeHost : public FakeFields<velquist::Host> {
public:
    std::vector<int32_t> iteration_puts;
    long polls = 0;
    long stop_at_poll = -1;  // Stop is pressed at this poll (1-based); -1 never
    std::function<double(long)> cpu = [](long) { return 0.0; };
    long cpu_calls = 0;
    bool choose_result = true;
    std::string chosen;
    velquist::Date date{8, 12, 2026};

    void put_integer(int field, int32_t value) override {
        FakeFields::put_integer(field, value);
        if (field == kFieldIterations) iteration_puts.push_back(value);
    }
    bool stop_pressed() override { return ++polls == stop_at_poll; }
    bool choose_file(std::string *path) override {
        if (!choose_result) return false;
        *path = chosen;
        return true;
    }
    double cpu_time() override { return cpu(++cpu_calls); }
    velquist::Date today() override { return date; }
};

// Makes a fresh directory the current one for the life of the object.
class TempDirectory {
public:
    TempDirectory() {
        previous_ = std::filesystem::current_path();
        path_ = UniqueScratchPath("velquist_test");
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~TempDirectory() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // The names of the files in the directory, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

inline std::string read_text(const std::string &name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_text(const std::string &name, const std::string &text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

// The digits of a save file as one string, line ends removed.
inline std::string digits_of(const std::string &name) {
    std::string text = read_text(name);
    std::size_t at = 0;
    for (int line = 0; line < 4 && at != std::string::npos; ++line) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    std::string digits;
    if (at == std::string::npos) return digits;
    for (std::size_t i = at; i < text.size(); ++i)
        if (text[i] >= '0' && text[i] <= '9') digits += text[i];
    return digits;
}

#endif
