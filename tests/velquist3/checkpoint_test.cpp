// Checkpoint files: names, the exact text layout, round trips, refused files and the
// casting-out-nines verdicts.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "velquist3/checkpoint.h"
#include "scratch_dir.h"

namespace {

// A number of n digits, least significant first, that uses every digit value.
std::vector<unsigned char> SampleDigits(int n) {
    std::vector<unsigned char> digits(n);
    for (int i = 0; i < n; ++i) digits[i] = static_cast<unsigned char>((i * 7 + i / 13) % 10);
    digits[n - 1] = 7;  // no leading zero
    return digits;
}

std::vector<std::string> SplitCrLf(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

CheckpointHeader Header(int save, int start, int iterations, int digits) {
    return CheckpointHeader{save, start, iterations, digits};
}

}  // namespace

TEST(CheckpointName, JoinsStartIterationsAndDigits) {
    EXPECT_EQ(checkpoint_name(196, 1000, 411, false), "196-1000-411.isf");
    EXPECT_EQ(checkpoint_name(89, 24, 13, true), "89-24-13-palindrome.isf");
    EXPECT_EQ(checkpoint_name(121, 0, 3, true), "121-0-3-palindrome.isf");
    EXPECT_EQ(checkpoint_name(2147483647, 0, 10, false), "2147483647-0-10.isf");
}

TEST(CheckpointWrite, LaysOutHeaderAndDigitsExactly) {
    ScratchDir dir;
    const unsigned char lsb_first[] = {7, 8, 8};  // 887
    std::string path = dir.file("196-1-3.isf");
    ASSERT_TRUE(
        checkpoint_write(path, Header(0, 196, 1, 3), lsb_first, DigitOrder::LeastSignificantFirst)
            .ok());
    EXPECT_EQ(read_whole_file(path),
              " Automatic save 0\r\n"
              " Initial value:   196\r\n"
              " Iteration:       1\r\n"
              " Number of digits 3\r\n"
              "887\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(CheckpointWrite, RoundTripsAtLineBoundaries) {
    for (int n : {1, 69, 70, 71, 140, 1000000}) {
        SCOPED_TRACE("digits " + std::to_string(n));
        ScratchDir dir;
        std::vector<unsigned char> digits = SampleDigits(n);
        std::string path = dir.file(checkpoint_name(196, 12345, n, false));
        ASSERT_TRUE(checkpoint_write(path, Header(3, 196, 12345, n), digits.data(),
                                     DigitOrder::LeastSignificantFirst)
                        .ok());

        std::vector<std::string> lines = SplitCrLf(read_whole_file(path));
        int digit_lines = (n + 69) / 70;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(4 + digit_lines));
        for (int l = 0; l < digit_lines - 1; ++l) EXPECT_EQ(lines[4 + l].size(), 70u);
        EXPECT_EQ(lines.back().size(), static_cast<std::size_t>(n - 70 * (digit_lines - 1)));

        CheckpointHeader header;
        ASSERT_TRUE(checkpoint_read_header(path, &header).ok());
        EXPECT_EQ(header.save_number, 3);
        EXPECT_EQ(header.start_number, 196);
        EXPECT_EQ(header.iteration_count, 12345);
        EXPECT_EQ(header.digit_count, n);

        // Read back most significant first: the reverse of the buffer written.
        std::vector<unsigned char> back(n, 0xEE);
        CheckpointHeader again;
        CheckpointStatus status = checkpoint_read_digits(path, &again, back.data(), back.size());
        ASSERT_TRUE(status.ok()) << status.message;
        EXPECT_EQ(again.digit_count, n);
        EXPECT_TRUE(std::equal(back.begin(), back.end(), digits.rbegin()));
    }
}

TEST(CheckpointWrite, IntegerDigitsMostSignificantFirst) {
    ScratchDir dir;
    const int digits[] = {1, 0, 6, 7, 8, 6, 9};
    std::string path = dir.file("x.isf");
    ASSERT_TRUE(
        checkpoint_write(path, Header(1, 196, 8, 7), digits, DigitOrder::MostSignificantFirst)
            .ok());
    EXPECT_NE(read_whole_file(path).find("\r\n1067869\r\n"), std::string::npos);
    int back[7] = {};
    CheckpointHeader header;
    ASSERT_TRUE(checkpoint_read_digits(path, &header, back, 7).ok());
    EXPECT_TRUE(std::equal(back, back + 7, digits));
}

TEST(CheckpointWrite, ReplacesAnOlderFileOfTheSameName) {
    ScratchDir dir;
    std::string path = dir.file("5-0-1.isf");
    write_whole_file(path, "old contents that are much longer than the new checkpoint\r\n");
    const unsigned char five[] = {5};
    ASSERT_TRUE(
        checkpoint_write(path, Header(0, 5, 0, 1), five, DigitOrder::LeastSignificantFirst).ok());
    EXPECT_EQ(read_whole_file(path).substr(0, 17), " Automatic save 0");
    EXPECT_EQ(read_whole_file(path).find("old"), std::string::npos);
}

TEST(CheckpointWrite, UnwritablePlaceFailsAndLeavesNothing) {
    ScratchDir dir;
    std::string path = dir.file("no-such-folder/196-1-3.isf");
    const unsigned char digits[] = {7, 8, 8};
    CheckpointStatus status =
        checkpoint_write(path, Header(0, 196, 1, 3), digits, DigitOrder::LeastSignificantFirst);
    EXPECT_EQ(status.error, CheckpointError::CannotWrite);
    EXPECT_NE(status.message.find("196-1-3.isf"), std::string::npos) << status.message;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path));
}

TEST(CheckpointRead, RefusesBrokenFilesWithAPlainReason) {
    const std::string good_head =
        " Automatic save 2\r\n Initial value:   196\r\n Iteration:       1\r\n";
    struct Case {
        const char *name;
        std::string text;
        CheckpointError error;
        const char *says;
    } cases[] = {
        {"short", good_head + " Number of digits 5\r\n887\r\n", CheckpointError::TooFewDigits,
         "fewer digits"},
        {"letters",
         " Automatic save x\r\n Initial value:   196\r\n Iteration:       1\r\n"
         " Number of digits 3\r\n887\r\n",
         CheckpointError::BadHeader, "save counter is not a number"},
        {"empty-value", good_head + " Number of digits\r\n887\r\n", CheckpointError::BadHeader,
         "number of digits is not a number"},
        {"trailing-junk", good_head + " Number of digits 3x\r\n887\r\n", CheckpointError::BadHeader,
         "not a number"},
        {"negative", good_head + " Number of digits -3\r\n887\r\n", CheckpointError::BadDigitCount,
         "impossible number of digits -3"},
        {"zero", good_head + " Number of digits 0\r\n", CheckpointError::BadDigitCount,
         "impossible number of digits 0"},
        {"absurd", good_head + " Number of digits 999999999\r\n887\r\n",
         CheckpointError::TooFewDigits, "fewer digits"},
        {"huge", good_head + " Number of digits 99999999999\r\n887\r\n", CheckpointError::BadHeader,
         "not a number"},
        {"bad-digit", good_head + " Number of digits 3\r\n8A7\r\n", CheckpointError::BadDigit,
         "other than 0-9"},
        {"blank-digit", good_head + " Number of digits 3\r\n8 7\r\n", CheckpointError::BadDigit,
         "other than 0-9"},
        {"truncated-header", " Automatic save 2\r\n Initial value:   196\r\n",
         CheckpointError::BadHeader, "header line 3 is missing"},
        {"negative-iterations",
         " Automatic save 2\r\n Initial value:   196\r\n Iteration:       -1\r\n"
         " Number of digits 3\r\n887\r\n",
         CheckpointError::BadStartNumber, "negative iteration count"},
        {"negative-save",
         " Automatic save -1\r\n Initial value:   196\r\n Iteration:       1\r\n"
         " Number of digits 3\r\n887\r\n",
         CheckpointError::BadStartNumber, "negative save counter"},
        {"no-room",
         " Automatic save 2\r\n Initial value:   196\r\n Iteration:       2147483647\r\n"
         " Number of digits 3\r\n887\r\n",
         CheckpointError::BadStartNumber,
         "iteration count 2147483647 is over the limit of 2000000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        std::string path = dir.file(std::string(c.name) + ".isf");
        write_whole_file(path, c.text);
        std::vector<unsigned char> digits(16, 0);
        CheckpointHeader header = Header(11, 22, 33, 44);
        CheckpointStatus status =
            checkpoint_read_digits(path, &header, digits.data(), digits.size());
        EXPECT_EQ(status.error, c.error) << status.message;
        EXPECT_NE(status.message.find(c.says), std::string::npos) << status.message;
        EXPECT_NE(status.message.find(std::string(c.name) + ".isf"), std::string::npos)
            << status.message;
        EXPECT_EQ(header.digit_count, 44) << "a refused file leaves the header untouched";
        EXPECT_EQ(read_whole_file(path), c.text) << "a refused file stays as it was";
    }
}

TEST(CheckpointRead, AcceptsLineFeedOnlyAndExtraBlanks) {
    ScratchDir dir;
    std::string path = dir.file("lf.isf");
    write_whole_file(path,
                     " Automatic save 0\n Initial value:     196  \n Iteration:       1\n"
                     " Number of digits 3\n887\n");
    unsigned char digits[3];
    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_digits(path, &header, digits, 3);
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(header.start_number, 196);
    EXPECT_EQ(digits[0], 8);
    EXPECT_EQ(digits[2], 7);
}

TEST(CheckpointRead, MissingFileCannotOpen) {
    ScratchDir dir;
    CheckpointHeader header;
    EXPECT_EQ(checkpoint_read_header(dir.file("absent.isf"), &header).error,
              CheckpointError::CannotOpen);
}

TEST(CheckpointRead, MoreDigitsThanTheCallerExpectsIsRefused) {
    ScratchDir dir;
    std::string path = dir.file("big.isf");
    std::vector<unsigned char> digits = SampleDigits(200);
    ASSERT_TRUE(checkpoint_write(path, Header(0, 196, 400, 200), digits.data(),
                                 DigitOrder::LeastSignificantFirst)
                    .ok());
    std::vector<unsigned char> small(100);
    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_digits(path, &header, small.data(), small.size());
    EXPECT_EQ(status.error, CheckpointError::TooManyDigits);
    EXPECT_EQ(status.message,
              "The number in big.isf has 200 digits, over this program's limit of 100");
}

TEST(CheckfileVerdict, FollowsTheResidueOfTheStartingInteger) {
    EXPECT_EQ(digit_sum_mod9(196), 7);
    EXPECT_EQ(digit_sum_mod9(18), 0);
    EXPECT_EQ(digit_sum_mod9(2147483647), 1);

    // 196 after one step is 887: s = 7, e = 14 mod 9 = 5, t = 23 mod 9 = 5.
    EXPECT_EQ(checkfile_verdict(7, 1, 5), 0);
    EXPECT_EQ(checkfile_verdict(7, 1, 4), 1);  // right class, wrong residue
    EXPECT_EQ(checkfile_verdict(7, 1, 3), 2);  // a multiple of 3 cannot follow from 7
    EXPECT_EQ(checkfile_verdict(7, 1, 0), 2);
    EXPECT_EQ(checkfile_verdict(7, 7, 5), 0);  // 2 has order 6 modulo 9
    EXPECT_EQ(checkfile_verdict(1, 6, 1), 0);
    EXPECT_EQ(checkfile_verdict(1, 5, 5), 0);  // 2^5 = 32 = 5 mod 9

    // Multiples of 3 alternate between 3 and 6.
    EXPECT_EQ(checkfile_verdict(3, 0, 3), 0);
    EXPECT_EQ(checkfile_verdict(3, 1, 6), 0);
    EXPECT_EQ(checkfile_verdict(3, 1, 3), 1);
    EXPECT_EQ(checkfile_verdict(6, 2, 3), 1);
    EXPECT_EQ(checkfile_verdict(6, 2, 6), 0);
    EXPECT_EQ(checkfile_verdict(3, 0, 1), 2);
    EXPECT_EQ(checkfile_verdict(3, 0, 0), 2);

    // Multiples of 9 stay multiples of 9.
    EXPECT_EQ(checkfile_verdict(0, 5, 0), 0);
    EXPECT_EQ(checkfile_verdict(0, 5, 4), 2);
    EXPECT_EQ(checkfile_verdict(0, 5, 3), 2);
}

TEST(Checkfile, ReadsTheFileAgainstTheSearchState) {
    ScratchDir dir;
    // 196 after 10 steps: 18211171.
    const unsigned char msb[] = {1, 8, 2, 1, 1, 1, 7, 1};
    std::string path = dir.file("196-10-8.isf");
    ASSERT_TRUE(
        checkpoint_write(path, Header(0, 196, 10, 8), msb, DigitOrder::MostSignificantFirst).ok());
    int verdict = 9;
    ASSERT_TRUE(checkfile(path, 196, 8, &verdict).ok());
    EXPECT_EQ(verdict, 0);

    // Editing one digit by one moves t by one: 18211171 -> 18211172.
    std::string text = read_whole_file(path);
    text.replace(text.find("18211171"), 8, "18211172");
    write_whole_file(path, text);
    ASSERT_TRUE(checkfile(path, 196, 8, &verdict).ok());
    EXPECT_EQ(verdict, 1);
    // ... and two moves it into the multiples of 3 (t 4 -> 6).
    text.replace(text.find("18211172"), 8, "18211173");
    write_whole_file(path, text);
    ASSERT_TRUE(checkfile(path, 196, 8, &verdict).ok());
    EXPECT_EQ(verdict, 2);

    // A start divisible by 9 with a digit sum that is not.
    EXPECT_TRUE(checkfile(path, 18, 8, &verdict).ok());
    EXPECT_EQ(verdict, 2);
}

TEST(Checkfile, UnreadableFileKeepsTheVerdictAndSaysWhy) {
    ScratchDir dir;
    int verdict = 0;
    EXPECT_EQ(checkfile(dir.file("gone.isf"), 196, 3, &verdict).error, CheckpointError::CannotOpen);
    EXPECT_EQ(verdict, 0);

    std::string path = dir.file("short.isf");
    write_whole_file(path,
                     " Automatic save 0\r\n Initial value:   196\r\n Iteration:       1\r\n"
                     " Number of digits 3\r\n88\r\n");
    verdict = 1;
    EXPECT_EQ(checkfile(path, 196, 3, &verdict).error, CheckpointError::TooFewDigits);
    EXPECT_EQ(verdict, 1);
}
