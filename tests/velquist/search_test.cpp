// The earlier program's search, Open and Clear, driven through a stand-in dialog: results of
// known starting integers, the files it writes and their names, resuming, the save schedule,
// milestones, the digit limit and checkpoints that must not be trusted.
#include <gtest/gtest.h>

#include <string>

#include "velquist3/checkpoint.h"
#include "fake_host.h"
#include "reverse_add.h"
#include "velquist/program.h"
#include "velquist/save_files.h"

using namespace velquist;

namespace {

const Date kDate{8, 12, 2026};

struct Search : ::testing::Test {
    TempDirectory dir;
    FakeHost host;
    ProgramState state;
    Search() { state.capacity = 4096; }
    ~Search() override { delete state.arrays; }
    void start() { run_search(&state, &host); }
};

std::string header_of(int save, int start, int iterations, int digits) {
    CheckpointHeader h;
    h.save_number = save;
    h.start_number = start;
    h.iteration_count = iterations;
    h.digit_count = digits;
    return checkpoint_header_text(h);
}

// The digits a fresh search from start reaches at its stop iteration, run in a directory of
// its own.
std::string fresh_run_digits(int32_t start, int32_t iterations) {
    TempDirectory other;
    FakeHost host;
    ProgramState state;
    state.capacity = 4096;
    host.integers[kFieldStartNumber] = start;
    host.integers[kFieldStopIteration] = iterations;
    run_search(&state, &host);
    delete state.arrays;
    return digits_of(save_file_name(start, iterations, kDate, SaveKind::Checkpoint));
}

}  // namespace

TEST(SaveFileNames, DayMonthYearWithTwoDigitDayAndMonth) {
    EXPECT_EQ(save_file_name(196, 1000, Date{7, 12, 2026}, SaveKind::Checkpoint),
              "196_1000_07-12-2026.chk");
    EXPECT_EQ(save_file_name(89, 24, Date{1, 2, 2027}, SaveKind::Palindrome),
              "89_24_01-02-2027.palindrome");
    EXPECT_EQ(save_file_name(196, 0, Date{31, 10, 999}, SaveKind::Million),
              "196_0_31-10-0999.million");
    EXPECT_EQ(save_file_name(2147483647, 2147483647, Date{28, 2, 2026}, SaveKind::Checkpoint),
              "2147483647_2147483647_28-02-2026.chk");
}

TEST_F(Search, From196OneAndTwoStepsEndAtTheStopIteration) {
    host.integers[kFieldStopIteration] = 1;
    start();
    const std::string first = "196_1_08-12-2026.chk";
    EXPECT_EQ(read_text(first), header_of(0, 196, 1, 3) + "887\r\n");
    EXPECT_EQ(host.strings[kFieldSaveFile], first);
    EXPECT_EQ(host.integers[kFieldStopIteration], 0) << "the limit resets the stop iteration";
    EXPECT_EQ(host.integers[kFieldIterations], 1);
    EXPECT_EQ(host.integers[kFieldDigits], 3);
    EXPECT_EQ(host.states[kFieldStartNumber], kStateReadOnly);
    EXPECT_EQ(host.strings[kFieldStatus], "");
    EXPECT_EQ(fresh_run_digits(196, 2), "1675");
}

TEST_F(Search, EightyNineIsAPalindromeAfter24Steps) {
    host.integers[kFieldStartNumber] = 89;
    start();
    const std::string name = "89_24_08-12-2026.palindrome";
    EXPECT_EQ(host.strings[kFieldStatus], "Palindrome Found! :)");
    EXPECT_EQ(host.strings[kFieldSaveFile], name);
    EXPECT_EQ(host.integers[kFieldIterations], 24);
    EXPECT_EQ(host.integers[kFieldDigits], 13);
    EXPECT_EQ(read_text(name), header_of(0, 89, 24, 13) + "8813200023188\r\n");
    EXPECT_EQ(state.found_flag, 1);
    EXPECT_EQ(dir.files(), std::vector<std::string>{name});
}

TEST_F(Search, StopSavesACheckpointThatTheNextStartResumes) {
    host.stop_at_poll = 40;
    start();
    const std::string stopped = "196_40_08-12-2026.chk";
    EXPECT_EQ(host.strings[kFieldSaveFile], stopped);
    EXPECT_EQ(host.integers[kFieldIterations], 40);
    EXPECT_EQ(host.status_history.back(), "");
    EXPECT_EQ(host.integers[kFieldStopIteration], 0);

    // A second run resumes from the file the first one named and ends where a run straight
    // through ends.
    host.stop_at_poll = -1;
    host.integers[kFieldStopIteration] = 60;
    start();
    EXPECT_EQ(state.iteration_count, 60);
    EXPECT_EQ(digits_of("196_60_08-12-2026.chk"), fresh_run_digits(196, 60));
}

TEST_F(Search, StopAgainAtTheSameIterationReplacesTheFile) {
    host.stop_at_poll = 5;
    start();
    std::string name = host.strings[kFieldSaveFile];
    std::string first = read_text(name);
    // A fresh run stopped at the same step on the same day writes the same name again.
    clear_dialog(&state, &host);
    host.polls = 0;
    start();
    EXPECT_EQ(host.strings[kFieldSaveFile], name);
    EXPECT_EQ(read_text(name), first);
    EXPECT_EQ(dir.files(), std::vector<std::string>{name});
}

// A checkpoint that cannot take its name (a folder has it) is kept under its temporary name,
// and the status line says where the number is.
TEST_F(Search, ACheckpointThatCannotTakeItsNameIsKeptAndNamed) {
    std::filesystem::create_directory("196_10_08-12-2026.chk");
    host.integers[kFieldStopIteration] = 10;
    start();
    EXPECT_EQ(host.strings[kFieldStatus],
              "Cannot write file 196_10_08-12-2026.chk: a folder of that name is in the way; "
              "the number is kept in 196_10_08-12-2026.chk.tmp");
    EXPECT_EQ(digits_of("196_10_08-12-2026.chk.tmp"), "18211171");
    EXPECT_TRUE(std::filesystem::is_directory("196_10_08-12-2026.chk"));
}

TEST_F(Search, CpuTimeShowsTotalsAndDrivesTheSaveSchedule) {
    host.integers[kFieldSaveInterval] = 1;
    host.integers[kFieldStopIteration] = 70;
    host.cpu = [](long call) { return static_cast<double>(call) + 0.5; };
    start();
    // CPU second 60 arrives at the 60th step: one scheduled save with the next save number.
    EXPECT_EQ(read_text("196_60_08-12-2026.chk").substr(0, 20), " Automatic save 1\r\n ");
    EXPECT_EQ(host.integers[kFieldCpuSeconds], 70);
    EXPECT_EQ(host.integers[kFieldCpuMinutes], 1);
    EXPECT_EQ(host.integers[kFieldCpuHours], 0);
    EXPECT_EQ(host.integers[kFieldCpuDays], 0);
    EXPECT_EQ(state.save_multiple, 2);
    EXPECT_EQ(dir.files(),
              (std::vector<std::string>{"196_60_08-12-2026.chk", "196_70_08-12-2026.chk"}));
}

TEST_F(Search, CpuFieldsAreTotalsNotRemainders) {
    host.integers[kFieldStopIteration] = 1;
    host.cpu = [](long) { return 2.0 * 86400 + 3 * 3600 + 4 * 60 + 5; };
    start();
    EXPECT_EQ(host.integers[kFieldCpuSeconds], 2 * 86400 + 3 * 3600 + 4 * 60 + 5);
    EXPECT_EQ(host.integers[kFieldCpuMinutes], (2 * 86400 + 3 * 3600 + 4 * 60 + 5) / 60);
    EXPECT_EQ(host.integers[kFieldCpuHours], 51);
    EXPECT_EQ(host.integers[kFieldCpuDays], 2);
}

TEST_F(Search, ZeroSaveIntervalSchedulesNoSaves) {
    host.integers[kFieldSaveInterval] = 0;
    host.integers[kFieldStopIteration] = 30;
    start();
    EXPECT_EQ(dir.files(), std::vector<std::string>{"196_30_08-12-2026.chk"});
}

TEST_F(Search, ProgressIsShownEvery999Steps) {
    host.stop_at_poll = 2000;
    start();
    // The paced display shows the iteration before the current one; Stop shows the final count.
    EXPECT_EQ(host.iteration_puts, (std::vector<int32_t>{999, 1998, 2000}));
}

TEST_F(Search, ResumeAtOneAndAHalfMillionDigitsAimsAtTwoMillion) {
    state.capacity = 2100000;
    std::string digits(1500000, '0');
    unsigned seed = 7;
    for (char &d : digits)
        d = static_cast<char>('0' + (seed = seed * 1103515245u + 12345u) / 65536u % 10);
    digits[0] = '1';
    write_text("big.chk", header_of(3, 196, 500, 1500000) + digits + "\r\n");
    host.strings[kFieldSaveFile] = "big.chk";
    host.integers[kFieldStopIteration] = 501;
    start();
    EXPECT_EQ(state.million_mark, 2);
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"196_501_08-12-2026.chk", "big.chk"}));
}

TEST_F(Search, ReachingTwoMillionDigitsWritesAMillionFile) {
    state.capacity = 2100000;
    // 1,999,999 nines carry into a 2,000,000-digit number at the first step.
    write_text("nines.chk", header_of(3, 196, 1000, 1999999) + std::string(1999999, '9') + "\r\n");
    host.strings[kFieldSaveFile] = "nines.chk";
    host.integers[kFieldStopIteration] = 1002;
    start();
    const std::string million = "196_1001_08-12-2026.million";
    std::string digits = digits_of(million);
    ASSERT_EQ(digits.size(), 2000000u);
    EXPECT_EQ(digits, "1" + std::string(1999998, '9') + "8");
    EXPECT_EQ(read_text(million).substr(0, 18), " Automatic save 3\r");
    EXPECT_EQ(state.million_mark, 3);
    EXPECT_EQ(dir.files(), (std::vector<std::string>{"196_1001_08-12-2026.million",
                                                     "196_1002_08-12-2026.chk", "nines.chk"}));
}

TEST_F(Search, TheDigitLimitEndsTheSearchWithACheckpoint) {
    state.capacity = 10;
    start();
    EXPECT_EQ(state.digit_count, 10);
    std::string name = host.strings[kFieldSaveFile];
    EXPECT_EQ(digits_of(name).size(), 10u);
    EXPECT_EQ(host.strings[kFieldStatus], "");
}

TEST_F(Search, AFreshStartCountsFromZeroAfterAnySearch) {
    host.integers[kFieldStopIteration] = 50;
    start();
    ASSERT_EQ(host.strings[kFieldSaveFile], "196_50_08-12-2026.chk");

    // A blank check file starts afresh from the starting integer: counts, names and digits
    // are those of a search that never ran before.
    host.strings[kFieldSaveFile] = " ";
    host.integers[kFieldStopIteration] = 10;
    start();
    EXPECT_EQ(state.iteration_count, 10);
    EXPECT_EQ(host.strings[kFieldSaveFile], "196_10_08-12-2026.chk");
    EXPECT_EQ(read_text("196_10_08-12-2026.chk"),
              header_of(0, 196, 10, 8) + reverse_and_add("196", 10) + "\r\n");

    // After a palindrome, too.
    host.strings[kFieldSaveFile] = " ";
    host.integers[kFieldStartNumber] = 89;
    host.integers[kFieldStopIteration] = 0;
    start();
    ASSERT_EQ(host.strings[kFieldStatus], "Palindrome Found! :)");
    host.strings[kFieldSaveFile] = " ";
    host.integers[kFieldStartNumber] = 196;
    host.integers[kFieldStopIteration] = 3;
    start();
    EXPECT_EQ(digits_of("196_3_08-12-2026.chk"), reverse_and_add("196", 3));
}

TEST_F(Search, ANumberOverTheDigitLimitIsRefusedSayingSo) {
    state.capacity = 10;
    write_text("full.chk", header_of(0, 196, 30, 11) + std::string(11, '1') + "\r\n");
    host.strings[kFieldSaveFile] = "full.chk";
    start();
    EXPECT_EQ(host.strings[kFieldStatus],
              "The number in full.chk has 11 digits, over this program's limit of 10");
}

TEST_F(Search, TheIterationCountEndsAtItsLimitAndNeverOverflows) {
    write_text("near.chk", header_of(0, 196, kCheckpointMaxIterations - 2, 3) + "887\r\n");
    host.strings[kFieldSaveFile] = "near.chk";
    start();
    EXPECT_EQ(state.iteration_count, kCheckpointMaxIterations);
    const std::string name = "196_2000000000_08-12-2026.chk";
    EXPECT_EQ(host.strings[kFieldSaveFile], name);
    EXPECT_EQ(host.strings[kFieldStatus], kSearchIterationLimitText);
    EXPECT_EQ(read_text(name),
              header_of(0, 196, kCheckpointMaxIterations, 4) + reverse_and_add("887", 2) + "\r\n");
    // Its own file is refused at once: no step is left before the count would overflow.
    start();
    EXPECT_EQ(state.iteration_count, kCheckpointMaxIterations);
    EXPECT_EQ(host.strings[kFieldStatus], kSearchIterationLimitText);
}

TEST_F(Search, BrokenCheckpointsAreNeitherSearchedNorChanged) {
    const std::string cases[] = {
        header_of(1, 196, 5, 20) + "1234567890\r\n",          // fewer digits than the header says
        header_of(1, 196, 5, 4) + "12x4\r\n",                 // not a digit
        " Automatic save 1\r\n Initial value:   abc\r\n",     // header not a number
        "",                                                   // empty
        header_of(1, 196, 5, 5000) + std::string(5000, '1'),  // more digits than the arrays hold
        header_of(-1, 196, 5, 4) + "1234\r\n",                // negative save counter
        header_of(1, 196, 2147483647, 4) + "1234\r\n",        // no room left to count
    };
    for (const std::string &text : cases) {
        write_text("bad.chk", text);
        host.strings[kFieldSaveFile] = "bad.chk";
        host.strings[kFieldStatus] = "";
        state.iteration_count = 7;
        state.start_number = 33;
        start();
        EXPECT_EQ(read_text("bad.chk"), text);
        EXPECT_EQ(dir.files(), std::vector<std::string>{"bad.chk"});
        EXPECT_EQ(state.iteration_count, 7);
        EXPECT_EQ(state.start_number, 33);
        EXPECT_NE(host.strings[kFieldStatus].find("bad.chk"), std::string::npos)
            << host.strings[kFieldStatus];
        EXPECT_NE(host.strings[kFieldStatus], "Searching ===>");
    }
    host.strings[kFieldSaveFile] = "missing.chk";
    start();
    EXPECT_EQ(host.strings[kFieldStatus], "Cannot open file missing.chk");
}

TEST_F(Search, OpenShowsTheHeaderAndClearStartsOver) {
    write_text("196_40_08-12-2026.chk", header_of(4, 196, 40, 20) + std::string(20, '5') + "\r\n");
    host.chosen = "196_40_08-12-2026.chk";
    host.integers[kFieldCpuSeconds] = 9;
    host.integers[kFieldStopIteration] = 9;
    open_checkpoint(&state, &host);
    host.ExpectOpened("196_40_08-12-2026.chk", 40, 20, 196);
    EXPECT_EQ(host.states[kFieldStartNumber], kStateDisabled);
    EXPECT_EQ(state.save_number, 4);

    host.integers[kFieldSaveInterval] = 5;
    host.integers[kFieldCpuDays] = 3;
    clear_dialog(&state, &host);
    EXPECT_EQ(host.states[kFieldStartNumber], kStateEnabled);
    EXPECT_EQ(host.integers[kFieldStartNumber], 196);
    EXPECT_EQ(host.integers[kFieldSaveInterval], 120);
    EXPECT_EQ(host.integers[kFieldCpuDays], 0);
    EXPECT_EQ(host.strings[kFieldSaveFile], " ");
    EXPECT_EQ(state.checkpoint_path, "");
    EXPECT_EQ(state.iteration_count, 0);
}

TEST_F(Search, OpenCancelledChangesNothingAndABadFileIsNotOffered) {
    host.choose_result = false;
    host.integers[kFieldIterations] = 77;
    open_checkpoint(&state, &host);
    EXPECT_EQ(host.integers[kFieldIterations], 77);

    write_text("junk.chk", "hello\r\n");
    host.choose_result = true;
    host.chosen = "junk.chk";
    open_checkpoint(&state, &host);
    EXPECT_EQ(host.strings[kFieldSaveFile], " ");
    EXPECT_NE(host.strings[kFieldStatus].find("junk.chk"), std::string::npos);
    EXPECT_EQ(read_text("junk.chk"), "hello\r\n");
    EXPECT_EQ(host.states.count(kFieldStartNumber), 0u);
}
