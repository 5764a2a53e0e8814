// Checkpoint replacement under Windows, where another program may hold the old file open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "velquist3/checkpoint.h"
#include "scratch_dir.h"

namespace {

CheckpointHeader Header(int save) { return CheckpointHeader{save, 196, 1, 3}; }

}  // namespace

// A program that reads the old checkpoint and lets others delete it (as indexers and backup
// programs do) keeps it under its name until it closes it: a deletion only marks it. The
// new checkpoint cannot take the name then. Neither the old number nor the new one may be
// lost: the old file stays whole, and the new one stays under its temporary name.
TEST(CheckpointReplace, AnOldFileHeldOpenKeepsBothNumbers) {
    ScratchDir dir;
    const std::string path = dir.file("196-1-3.isf");
    const unsigned char digits[] = {7, 8, 8};
    ASSERT_TRUE(checkpoint_write(path, Header(0), digits, DigitOrder::LeastSignificantFirst).ok());
    const std::string old_text = read_whole_file(path);

    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const CheckpointStatus status =
        checkpoint_write(path, Header(1), digits, DigitOrder::LeastSignificantFirst);
    CloseHandle(held);

    EXPECT_EQ(status.error, CheckpointError::CannotWrite);
    EXPECT_NE(status.message.find("Cannot write file 196-1-3.isf: "), std::string::npos)
        << status.message;
    EXPECT_NE(status.message.find("; the number is kept in 196-1-3.isf.tmp"), std::string::npos)
        << status.message;
    EXPECT_EQ(read_whole_file(path), old_text);
    EXPECT_EQ(read_whole_file(path + ".tmp"), checkpoint_header_text(Header(1)) + "887\r\n");
}
