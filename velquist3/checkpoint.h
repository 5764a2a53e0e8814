// Checkpoint files: the text layout both search programs use to stop and resume a search.
//
// A checkpoint is four labelled header lines followed by the digits of the number, most
// significant first, 70 to a line; every line ends in CR LF:
//
//      Automatic save 0
//      Initial value:   196
//      Iteration:       1
//      Number of digits 3
//     887
//
// Writing goes to a temporary file beside the target (the target's name and ".tmp") that
// replaces the target in one step once it is complete, so a failed write never leaves a
// half-written checkpoint or loses the previous one. When the replacement itself fails, the
// complete new file stays under its temporary name and the message names it.
// Reading checks what it reads: a header value that is not a number, an impossible digit count,
// a character other than 0-9 among the digits or fewer digits than the header announces is an
// error with a message that names the file and the fault.
#ifndef VELQUIST3_CHECKPOINT_H
#define VELQUIST3_CHECKPOINT_H

#include <cstddef>
#include <string>

struct CheckpointHeader {
    int save_number = 0;
    int start_number = 0;
    int iteration_count = 0;
    int digit_count = 0;
};

enum class CheckpointError {
    None,
    CannotOpen,      // the file does not exist or cannot be read
    CannotWrite,     // the file (or its temporary) cannot be created, written or renamed
    BadHeader,       // a header line is missing or its value is not a number
    BadDigitCount,   // the digit count is below 1, absurd, or larger than the file can hold
    BadStartNumber,  // the starting integer, save counter or iteration count is out of range
    BadDigit,        // a character other than 0-9 (or a line end) among the digits
    TooFewDigits,    // the file ends before the number of digits its header gives
    TooManyDigits,   // the number is longer than the reading program can hold
};

struct CheckpointStatus {
    CheckpointError error = CheckpointError::None;
    std::string message;  // plain text naming the file and the fault; empty on success
    bool ok() const { return error == CheckpointError::None; }
};

// The order in which a digit array holds the number.
enum class DigitOrder { MostSignificantFirst, LeastSignificantFirst };

// Digits per line of the digit block.
constexpr int kCheckpointDigitsPerLine = 70;

// The largest digit count a checkpoint may announce.
constexpr int kCheckpointMaxDigits = 1000000000;

// The largest iteration count a checkpoint may hold. It stays well below the largest 32-bit
// count, so that a search resumed from any file it accepts can go on without the count
// overflowing; a search that reaches it ends with a checkpoint.
constexpr int kCheckpointMaxIterations = 2000000000;

// "<start>-<iterations>-<digits>.isf", or "...-palindrome.isf".
std::string checkpoint_name(int start_number, int iteration_count, int digit_count,
                            bool palindrome);

// The four header lines, each ending in CR LF.
std::string checkpoint_header_text(const CheckpointHeader &header);

// Writes a checkpoint of header.digit_count digit values (0 to 9, not characters) to path,
// replacing any file of that name only when the new one is complete. When the new file cannot
// take that name (a folder of the name, a file the system will not replace), CannotWrite
// says why and that the number is kept in path + ".tmp"; the old file is left as it was.
CheckpointStatus checkpoint_write(const std::string &path, const CheckpointHeader &header,
                                  const unsigned char *digits, DigitOrder order);
CheckpointStatus checkpoint_write(const std::string &path, const CheckpointHeader &header,
                                  const int *digits, DigitOrder order);

// Reads and checks the four header values.
CheckpointStatus checkpoint_read_header(const std::string &path, CheckpointHeader *header);

// Reads the header and then its digit_count digits, most significant first, as values 0 to 9
// into digits[0 .. digit_count-1]. The caller sizes the array from a header read first; when
// the file's header gives more digits than capacity, nothing is read and TooManyDigits says
// that the number exceeds the program's limit of capacity digits.
CheckpointStatus checkpoint_read_digits(const std::string &path, CheckpointHeader *header,
                                        unsigned char *digits, std::size_t capacity);
CheckpointStatus checkpoint_read_digits(const std::string &path, CheckpointHeader *header,
                                        int *digits, std::size_t capacity);

// Casting out nines. s is the digit sum of the starting integer modulo 9, k the iteration count
// and t the digit sum of the number modulo 9. Returns 0 when t can follow from s after k steps,
// 1 when the residue class fits but the residue does not, 2 when the class cannot.
int checkfile_verdict(int s, int k, int t);

// Digit sum of a non-negative integer modulo 9.
int digit_sum_mod9(long long value);

// Verifies the checkpoint at path against the search's own start_number and digit_count: reads
// the iteration count of line 3 and the first digit_count digits, and sets *verdict as
// checkfile_verdict does. A file that cannot be opened leaves *verdict as it was and returns
// CannotOpen; one that cannot be read in full returns its read error.
CheckpointStatus checkfile(const std::string &path, int start_number, int digit_count,
                           int *verdict);

#endif
