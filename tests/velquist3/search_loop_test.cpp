// The search behind Start, run against a scripted dialog in a scratch working directory:
// the three ends, resuming, kernel choice, scheduled and milestone saves, and refused files.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <vector>

#include "velquist3/checkpoint.h"
#include "fake_host.h"
#include "long_number.h"
#include "scratch_dir.h"

namespace {

// Runs each test in its own empty working directory, where the program writes its files.
struct SearchTest : ::testing::Test {
    ScratchDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    Velquist3State state;
    FakeHost host;
    std::string log_name;

    void SetUp() override {
        std::filesystem::current_path(dir.path);
        log_name = eventlog_open(&state.log);
    }
    void TearDown() override {
        eventlog_close(&state.log);
        std::filesystem::current_path(previous);
    }
    std::string Log() {
        eventlog_flush(&state.log);
        return read_whole_file(log_name);
    }
    bool Exists(const std::string &name) { return std::filesystem::exists(dir.path / name); }
    // The digits of a checkpoint, most significant first, as text.
    std::string DigitsOf(const std::string &name) {
        CheckpointHeader header;
        if (!checkpoint_read_header(name, &header).ok()) return "(unreadable)";
        std::vector<unsigned char> digits(header.digit_count);
        if (!checkpoint_read_digits(name, &header, digits.data(), digits.size()).ok())
            return "(unreadable)";
        std::string text;
        for (unsigned char d : digits) text.push_back(static_cast<char>('0' + d));
        return text;
    }
    std::vector<std::string> Files() {
        std::vector<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(dir.path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

bool Contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(SearchTest, StopIterationTenFrom196) {
    program_clear(&state, &host);
    host.integers[kFieldStopIteration] = 10;
    program_processbutton(&state, &host, kFieldStart);

    EXPECT_EQ(state.iteration_count, 10);
    EXPECT_EQ(state.digit_count, 8);
    ASSERT_TRUE(Exists("196-10-8.isf"));
    EXPECT_EQ(DigitsOf("196-10-8.isf"), "18211171");
    EXPECT_EQ(host.integers[kFieldStopIteration], 0);
    EXPECT_EQ(host.integers[kFieldIterations], 10);
    EXPECT_EQ(host.integers[kFieldDigits], 8);
    EXPECT_EQ(host.strings[kFieldSaveFile], "196-10-8.isf");
    EXPECT_EQ(state.checkpoint_path, "196-10-8.isf");
    EXPECT_EQ(host.status(), "\r\n");
    EXPECT_EQ(host.states[kFieldStartNumber], kStateReadOnly);
    EXPECT_EQ(state.temp1, nullptr);
    EXPECT_EQ(state.temp2, nullptr);

    std::string log = Log();
    EXPECT_TRUE(Contains(log, "Allocated  3000300bytes of memory -  3mb\r\n"));
    EXPECT_TRUE(Contains(log, "Starting from scratch with number - 196\r\n"));
    EXPECT_TRUE(Contains(log,
                         "Largest Match For Number - 196 Of  1Digits - At Iteration - 6, "
                         "Digit Length - 5\r\n"));
    EXPECT_TRUE(Contains(log,
                         "User stop iteration reached for Number - 196- At Iteration - 10, "
                         "Digit Length - 8\r\n"));
    EXPECT_TRUE(Contains(log, "Validating current file  " + padded_path("196-10-8.isf") + "\r\n"));
    EXPECT_TRUE(Contains(log, "File OK Exiting\r\n"));
    EXPECT_LT(log.find("User stop iteration reached"), log.find("Validating current file"));
}

TEST_F(SearchTest, Palindrome89At24Iterations) {
    host.integers[kFieldStartNumber] = 89;
    program_start(&state, &host);
    EXPECT_EQ(host.status(), "Palindrome Found! :)\r\n");
    EXPECT_EQ(host.integers[kFieldIterations], 24);
    EXPECT_EQ(host.integers[kFieldDigits], 13);
    EXPECT_EQ(DigitsOf("89-24-13-palindrome.isf"), "8813200023188");
    EXPECT_EQ(state.found_flag, 0);
    std::string log = Log();
    EXPECT_TRUE(
        Contains(log, "Palindrome found for Number - 89- At Iteration - 24, Digit Length - 13"));
    EXPECT_TRUE(Contains(log,
                         "Largest Match For Number - 89 Of  7Digits - At Iteration - 24, "
                         "Digit Length - 13"));
    EXPECT_TRUE(Contains(log, "File OK Exiting"));
}

TEST_F(SearchTest, PalindromeStartIsFoundWithoutAStep) {
    program_clear(&state, &host);
    host.integers[kFieldStartNumber] = 121;
    program_start(&state, &host);
    EXPECT_EQ(state.iteration_count, 0);
    EXPECT_EQ(host.polls, 0);
    EXPECT_EQ(DigitsOf("121-0-3-palindrome.isf"), "121");
    EXPECT_EQ(host.status(), "Palindrome Found! :)\r\n");
}

TEST_F(SearchTest, StopThenStartResumesWhereItStopped) {
    program_clear(&state, &host);
    host.stop_at_poll = 7;
    program_start(&state, &host);
    EXPECT_EQ(state.iteration_count, 7);
    ASSERT_EQ(host.strings[kFieldSaveFile], "196-7-6.isf");
    EXPECT_EQ(host.status(), "\r\n");
    EXPECT_EQ(host.reals[kFieldDigitRate], 0.0);
    EXPECT_TRUE(Contains(
        Log(), "User initiated stop for Number - 196- At Iteration - 7, Digit Length - 6"));

    // Start again: resumes from the file the field names and reaches the same number as an
    // uninterrupted search.
    host.stop_at_poll = 0;
    host.polls = 0;
    host.integers[kFieldStopIteration] = 30;
    program_start(&state, &host);
    EXPECT_EQ(state.iteration_count, 30);
    std::string log = Log();
    EXPECT_TRUE(Contains(log, "Opening file " + padded_path("196-7-6.isf")));
    EXPECT_TRUE(Contains(log, "File read successfully \r\n"));
    EXPECT_TRUE(
        Contains(log, "File OK - Starting with Number - 196- At Iteration - 7, Digit Length - 6"));
    std::string resumed_name = host.strings[kFieldSaveFile];
    std::string resumed = DigitsOf(resumed_name);

    Velquist3State fresh;
    FakeHost straight;
    straight.integers[kFieldStopIteration] = 30;
    std::filesystem::create_directory("straight");
    std::filesystem::current_path("straight");
    program_start(&fresh, &straight);
    EXPECT_EQ(straight.strings[kFieldSaveFile], resumed_name);
    EXPECT_EQ(DigitsOf(resumed_name), resumed);
    std::filesystem::current_path(dir.path);
}

TEST_F(SearchTest, EveryKernelChoiceWritesTheSameFiles) {
    std::string expected;
    for (int choice = 1; choice <= 7; ++choice) {
        SCOPED_TRACE("kernel " + std::to_string(choice));
        program_clear(&state, &host);
        host.radio = choice;
        host.integers[kFieldStopIteration] = 200;
        program_start(&state, &host);
        ASSERT_EQ(state.kernel_choice, choice);
        std::string name = host.strings[kFieldSaveFile];
        EXPECT_EQ(name, "196-200-88.isf");
        std::string text = read_whole_file(name);
        if (choice == 1) expected = text;
        EXPECT_EQ(text, expected);
    }
}

TEST_F(SearchTest, KernelSwitchDuringTheSearchGivesTheSameNumber) {
    // A user who clicks through the kernels: each CPU second reads the next one.
    struct SwitchingHost : FakeHost {
        int reads = 0;
        int get_radio(int) override { return ++reads % 7 + 1; }
    } switching;
    switching.cpu_step = 1.0;
    switching.integers[kFieldStopIteration] = 100;
    program_start(&state, &switching);
    EXPECT_EQ(switching.reads, 51);
    std::string name = switching.strings[kFieldSaveFile];
    EXPECT_EQ(name, "196-100-47.isf");
    std::string switched = read_whole_file(name);

    Velquist3State plain;
    FakeHost steady;
    steady.integers[kFieldStopIteration] = 100;
    std::filesystem::remove(name);
    program_start(&plain, &steady);
    EXPECT_EQ(read_whole_file(name), switched);
}

TEST_F(SearchTest, RatesArePerCpuSecond) {
    host.integers[kFieldStartNumber] = 89;
    host.cpu_step = 1.0;  // one CPU second per cycle of two steps
    program_start(&state, &host);
    EXPECT_EQ(host.reals[kFieldIterationRate], 2.0);
    EXPECT_GE(host.reals[kFieldDigitRate], 0.0);
    EXPECT_LE(host.reals[kFieldDigitRate], 2.0);
    EXPECT_EQ(host.integers[kFieldCpuSeconds], 12);
}

TEST_F(SearchTest, CpuTimeIsShownAsDaysHoursMinutesSeconds) {
    host.cpu = 2 * 86400 + 3 * 3600 + 4 * 60 + 5 - 1;
    host.cpu_step = 1.0;
    host.integers[kFieldStopIteration] = 2;
    host.integers[kFieldSaveInterval] = 0;
    program_start(&state, &host);
    const std::array<int, 4> shown = {host.integers[kFieldCpuDays], host.integers[kFieldCpuHours],
                                      host.integers[kFieldCpuMinutes],
                                      host.integers[kFieldCpuSeconds]};
    EXPECT_EQ(shown, (std::array<int, 4>{2, 3, 4, 5})) << "days, hours, minutes, seconds";
}

TEST_F(SearchTest, ScheduledSavesFollowTheCpuMinutes) {
    host.integers[kFieldSaveInterval] = 1;
    host.cpu_step = 20.0;  // a CPU minute every three cycles
    host.integers[kFieldStopIteration] = 20;
    program_start(&state, &host);
    std::string log = Log();
    // CPU checks at 20, 40, 60, ..., 200 s: saves at 1, 2 and 3 minutes.
    EXPECT_TRUE(Exists("196-5-5.isf"));
    EXPECT_TRUE(Exists("196-11-8.isf"));
    EXPECT_TRUE(Exists("196-17-10.isf"));
    EXPECT_TRUE(Contains(
        log, "Scheduled  save initiated for Number - 196- At Iteration - 5, Digit Length - 5"));
    EXPECT_TRUE(Contains(log, "File OK Continuing"));
    EXPECT_EQ(state.save_multiple, 4);
    CheckpointHeader header;
    ASSERT_TRUE(checkpoint_read_header("196-17-10.isf", &header).ok());
    EXPECT_EQ(header.save_number, 3);
    EXPECT_EQ(host.status(), "\r\n");
}

TEST_F(SearchTest, MillionDigitMilestoneSavesAndGrowsTheBuffers) {
    // A number just short of a million digits, made to be consistent with a start of its own
    // digit sum at iteration 0.
    const int n = 999990;
    LongNumber number = MakeLongNumber(n, 12345, 5);
    CheckpointHeader header;
    header.start_number = number.start;
    header.digit_count = n;
    std::string name = checkpoint_name(number.start, 0, n, false);
    ASSERT_TRUE(
        checkpoint_write(name, header, number.digits.data(), DigitOrder::LeastSignificantFirst)
            .ok());

    host.strings[kFieldSaveFile] = name;
    host.integers[kFieldStopDigit] = 1000003;
    program_start(&state, &host);
    EXPECT_EQ(state.digit_count, 1000003);
    EXPECT_EQ(state.million_mark, 2);
    std::string log = Log();
    EXPECT_TRUE(Contains(log, "Allocated  3000300bytes of memory -  3mb"));
    EXPECT_TRUE(Contains(log, "Saving file at 1million digits"));
    EXPECT_TRUE(Contains(log, "Allocated  4000400bytes of memory -  4mb"));
    EXPECT_TRUE(
        Contains(log, "User stop iteration reached for Number - " + std::to_string(number.start)));
    EXPECT_LT(log.find("Saving file at"), log.find("Allocated  4000400"));
    bool milestone_file = false;
    for (const std::string &f : Files())
        if (Contains(f, "-1000000.isf")) milestone_file = true;
    EXPECT_TRUE(milestone_file);
    EXPECT_EQ(host.status(), "\r\n");
}

TEST_F(SearchTest, DamagedCheckpointsAreRefusedAndLeftAlone) {
    program_clear(&state, &host);
    host.integers[kFieldStopIteration] = 10;
    program_start(&state, &host);
    const std::string good = read_whole_file("196-10-8.isf");
    struct Case {
        const char *name;
        std::string from, to;
        const char *says;
    } cases[] = {
        {"residue", "18211171", "18211172", "Bad file; Current Number-Start Number Mismatch!\r\n"},
        {"class", "18211171", "18211173", "Bad file; Number length Mismatch!\r\n"},
        {"short", "18211171", "1821117",
         "Bad file bad-short.isf: fewer digits than its header says\r\n"},
        {"letter", "18211171", "18Z11171",
         "Bad file bad-letter.isf: character other than 0-9 after digit 2\r\n"},
        {"header", "Number of digits 8", "Number of digits eight",
         "Bad file bad-header.isf: the number of digits is not a number\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string file = std::string("bad-") + c.name + ".isf";
        std::string text = good;
        text.replace(text.find(c.from), c.from.size(), c.to);
        write_whole_file(file, text);
        std::vector<std::string> before = Files();
        host.strings[kFieldSaveFile] = file;
        host.polls = 0;
        program_start(&state, &host);
        EXPECT_EQ(host.status(), c.says);
        EXPECT_EQ(host.polls, 0) << "no step was made";
        EXPECT_EQ(read_whole_file(file), text);
        EXPECT_EQ(Files(), before);
        EXPECT_EQ(state.temp1, nullptr);
        EXPECT_TRUE(Contains(Log(), std::string(c.says, std::strlen(c.says) - 2) + "\r\n"));
    }
    // The program stays usable: Clear and a new search work.
    program_clear(&state, &host);
    host.integers[kFieldStartNumber] = 89;
    program_start(&state, &host);
    EXPECT_EQ(host.status(), "Palindrome Found! :)\r\n");
}

// The number the search had reached is in a file when the search ends: the written file that
// could not take its name stays under its temporary name, and the message names it.
TEST_F(SearchTest, UnwritableCheckpointEndsTheSearchAndKeepsTheNumberInANamedFile) {
    host.integers[kFieldSaveInterval] = 1;
    host.cpu_step = 20.0;
    host.integers[kFieldStopIteration] = 20;
    // The second scheduled save's name is taken by a folder, so it cannot be written.
    std::filesystem::create_directory("196-11-8.isf");
    write_whole_file("196-11-8.isf/keep", "x");
    program_start(&state, &host);
    EXPECT_TRUE(Exists("196-5-5.isf"));
    EXPECT_EQ(DigitsOf("196-11-8.isf.tmp"), "35322452");
    EXPECT_TRUE(Contains(host.status(),
                         "Cannot write file 196-11-8.isf: a folder of that name is in the way; "
                         "the number is kept in 196-11-8.isf.tmp"))
        << host.status();
    EXPECT_TRUE(Exists("196-11-8.isf/keep"));
    EXPECT_EQ(state.checkpoint_path, "196-5-5.isf");
    EXPECT_EQ(host.strings[kFieldSaveFile], "196-5-5.isf");
    EXPECT_FALSE(Exists("196-17-10.isf"));
    EXPECT_EQ(state.temp2, nullptr);
    EXPECT_TRUE(Contains(Log(), "Cannot write file 196-11-8.isf"));
}

TEST_F(SearchTest, ProgressPacingFollowsTheIterationCount) {
    // Short numbers: the counts are shown every 999 steps, one behind.
    host.integers[kFieldStopIteration] = 2000;
    program_start(&state, &host);
    EXPECT_EQ(host.integer_puts[kFieldIterations], 2 + 1);  // two paced displays and the end

    // Past a million iterations: once per CPU second, with the count itself.
    CheckpointHeader header;
    header.start_number = 7;  // 196 is 7 modulo 9, and 2,400,000 steps are a multiple of 6
    header.iteration_count = 2400000;
    header.digit_count = 3;
    const unsigned char digits[] = {6, 9, 1};
    ASSERT_TRUE(
        checkpoint_write("long.isf", header, digits, DigitOrder::LeastSignificantFirst).ok());
    host.strings[kFieldSaveFile] = "long.isf";
    host.integers[kFieldStopIteration] = 2400000 + 40;
    std::vector<int> shown;
    struct RecordingHost : FakeHost {
        std::vector<int> *shown;
        void put_integer(int field, int value) override {
            FakeHost::put_integer(field, value);
            if (field == kFieldIterations) shown->push_back(value);
        }
    } recording;
    recording.shown = &shown;
    recording.strings = host.strings;
    recording.integers = host.integers;
    recording.cpu = host.cpu;
    recording.cpu_step = 0.25;  // a new CPU second every fourth cycle
    program_start(&state, &recording);
    ASSERT_EQ(state.iteration_count, 2400040);
    // The resume shows the file's count, the first step, then one display per CPU second
    // (1 to 5 s: the checks of steps 7, 15, 23, 31 and 39), then the end.
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[0], 2400000);
    EXPECT_EQ(shown[1], 2400001);
    EXPECT_EQ(shown[2], 2400007);
    EXPECT_EQ(shown[6], 2400039);
    EXPECT_EQ(shown.back(), 2400040);
}

TEST_F(SearchTest, TheIterationCountEndsAtItsLimitAndNeverOverflows) {
    // 887 is 196 after one step; the count passes the casting-out-nines check (k mod 6 = 1).
    CheckpointHeader header;
    header.start_number = 196;
    header.iteration_count = kCheckpointMaxIterations - 1;
    header.digit_count = 3;
    const unsigned char digits[] = {7, 8, 8};
    ASSERT_TRUE(
        checkpoint_write("near.isf", header, digits, DigitOrder::LeastSignificantFirst).ok());
    host.strings[kFieldSaveFile] = "near.isf";
    program_start(&state, &host);
    EXPECT_EQ(state.iteration_count, kCheckpointMaxIterations);
    const std::string name = "196-2000000000-4.isf";
    EXPECT_EQ(host.strings[kFieldSaveFile], name);
    EXPECT_EQ(DigitsOf(name), "1675");
    EXPECT_EQ(host.status(), std::string(kSearchIterationLimitText) + "\r\n");

    // Its own file is read and refused at once, without a step or a file.
    program_start(&state, &host);
    EXPECT_EQ(state.iteration_count, kCheckpointMaxIterations);
    EXPECT_EQ(host.status(), std::string(kSearchIterationLimitText) + "\r\n");
    EXPECT_EQ(Files().size(), 3u);  // near.isf, the limit's checkpoint and the log
}
