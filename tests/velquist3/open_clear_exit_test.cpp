// Open, Clear and Exit against a scripted dialog.
#include <gtest/gtest.h>

#include <filesystem>

#include "velquist3/checkpoint.h"
#include "fake_host.h"
#include "scratch_dir.h"

namespace {

struct ButtonsTest : ::testing::Test {
    ScratchDir dir;
    Velquist3State state;
    FakeHost host;
    std::string log_path;

    void SetUp() override {
        log_path = dir.file(eventlog_open(&state.log, dir.path.string()));
        CheckpointHeader header;
        header.save_number = 4;
        header.start_number = 196;
        header.iteration_count = 10;
        header.digit_count = 8;
        const unsigned char digits[] = {1, 8, 2, 1, 1, 1, 7, 1};
        checkpoint_write(dir.file("196-10-8.isf"), header, digits,
                         DigitOrder::MostSignificantFirst);
    }
    void TearDown() override { eventlog_close(&state.log); }
};

}  // namespace

TEST_F(ButtonsTest, OpenFillsTheFieldsAndClearUndoesIt) {
    host.integers[kFieldCpuSeconds] = 33;
    host.integers[kFieldStopIteration] = 77;
    host.file_choice = dir.file("196-10-8.isf");
    program_processbutton(&state, &host, kFieldOpen);
    host.ExpectOpened(dir.file("196-10-8.isf"), 10, 8, 196);
    EXPECT_EQ(host.states[kFieldStartNumber], kStateReadOnly);
    EXPECT_EQ(state.save_number, 4);
    EXPECT_EQ(state.iteration_count, 10);
    EXPECT_EQ(state.checkpoint_path, dir.file("196-10-8.isf"));

    host.integers[kFieldSaveInterval] = 5;
    host.integers[kFieldCpuSeconds] = 9;
    program_processbutton(&state, &host, kFieldClear);
    EXPECT_EQ(host.integers[kFieldSaveInterval], 120);
    EXPECT_EQ(host.strings[kFieldSaveFile], " ");
    EXPECT_EQ(host.integers[kFieldStartNumber], 196);
    EXPECT_EQ(host.states[kFieldStartNumber], kStateEnabled);
    EXPECT_EQ(host.integers[kFieldIterations], 0);
    EXPECT_EQ(host.integers[kFieldCpuSeconds], 9) << "Clear leaves the CPU time shown";
    EXPECT_EQ(state.checkpoint_path, "");
    EXPECT_EQ(state.iteration_count, 0);
    EXPECT_EQ(state.save_number, 1);
    eventlog_flush(&state.log);
    EXPECT_NE(read_whole_file(log_path).find("Cleared Dialog\r\n"), std::string::npos);
}

TEST_F(ButtonsTest, CancelledOpenChangesNothing) {
    host.integers[kFieldIterations] = 55;
    host.strings[kFieldSaveFile] = "keep.isf";
    host.file_choice = "";
    program_processbutton(&state, &host, kFieldOpen);
    EXPECT_EQ(host.integers[kFieldIterations], 55);
    EXPECT_EQ(host.strings[kFieldSaveFile], "keep.isf");
    EXPECT_EQ(host.states.count(kFieldStartNumber), 0u);
}

TEST_F(ButtonsTest, OpenOfADamagedFileSaysWhatIsWrong) {
    std::string path = dir.file("damaged.isf");
    std::string text = read_whole_file(dir.file("196-10-8.isf"));
    text.resize(text.size() - 5);
    write_whole_file(path, text);
    host.file_choice = path;
    program_open(&state, &host);
    EXPECT_EQ(host.strings[kFieldStatus],
              "Bad file damaged.isf: fewer digits than its header says\r\n");
    EXPECT_EQ(host.integers[kFieldIterations], 0);
    EXPECT_EQ(host.states.count(kFieldStartNumber), 0u);
    EXPECT_EQ(read_whole_file(path), text);
    eventlog_flush(&state.log);
    EXPECT_NE(read_whole_file(log_path).find("Bad file damaged.isf"), std::string::npos);
}

TEST_F(ButtonsTest, ExitAndCloseBoxLogAndEndTheLoop) {
    for (int id : {kFieldExit, kDialogCancel}) {
        Velquist3State s;
        std::string name = dir.file(eventlog_open(&s.log, dir.path.string()));
        program_processbutton(&s, &host, 1004);
        EXPECT_EQ(s.exit_requested, 0);
        program_processbutton(&s, &host, id);
        EXPECT_EQ(s.exit_requested, 1);
        EXPECT_EQ(s.log.file, nullptr);
        std::string log = read_whole_file(name);
        EXPECT_EQ(log.substr(log.size() - 14), "Exit Program\r\n");
    }
}
