// Checkpoint files: writer, header and digit readers, and the casting-out-nines check.
#include "checkpoint.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace {

constexpr const char *kLineEnd = "\r\n";
constexpr std::size_t kMaxHeaderLine = 512;

// The column (0-based) where each header line's value starts: after " Automatic save " on the
// first line and after the 16-character labels of the other three.
constexpr std::size_t kValueColumn[4] = {16, 18, 18, 18};
constexpr const char *kHeaderWhat[4] = {"save counter", "starting integer", "iteration count",
                                        "number of digits"};

// The last component of a path, so messages stay short enough for a one-line status field.
std::string FileLabel(const std::string &path) {
    std::size_t cut = path.find_last_of("/\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

CheckpointStatus Fail(CheckpointError error, const std::string &path, const std::string &what) {
    CheckpointStatus status;
    status.error = error;
    status.message = "Bad file " + FileLabel(path) + ": " + what;
    return status;
}

CheckpointStatus FailOpen(const std::string &path) {
    CheckpointStatus status;
    status.error = CheckpointError::CannotOpen;
    status.message = "Cannot open file " + FileLabel(path);
    return status;
}

bool IsFolder(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder of the file's name makes the final rename fail with an error that reads as if a
// file were there: name the real obstacle instead. REASON is the system's text, or empty.
CheckpointStatus FailWrite(const std::string &path, const std::string &reason) {
    CheckpointStatus status;
    status.error = CheckpointError::CannotWrite;
    status.message = "Cannot write file " + FileLabel(path);
    if (IsFolder(path))
        status.message += ": a folder of that name is in the way";
    else if (!reason.empty())
        status.message += ": " + reason;
    return status;
}

// Reads one line without its CR LF (or LF). False at end of file before any character or when
// the line is longer than a header line can be.
bool ReadHeaderLine(std::FILE *file, std::string *line) {
    line->clear();
    int c;
    bool any = false;
    while ((c = std::getc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (line->size() >= kMaxHeaderLine) return false;
        line->push_back(static_cast<char>(c));
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return any;
}

// A whole header value: blanks, an optional sign, decimal digits that fit 32 bits, blanks.
bool ParseValue(const std::string &line, std::size_t column, int *value) {
    if (line.size() <= column) return false;
    std::size_t i = column;
    while (i < line.size() && line[i] == ' ') ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) negative = line[i++] == '-';
    std::size_t first = i;
    long long v = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        v = v * 10 + (line[i] - '0');
        if (v > 2147483648LL) return false;
        ++i;
    }
    if (i == first) return false;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i != line.size()) return false;
    if (negative) v = -v;
    if (v > 2147483647LL || v < -2147483647LL - 1) return false;
    *value = static_cast<int>(v);
    return true;
}

long long FileSize(std::FILE *file) {
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size;
}

// Reads the four header lines of an open file and checks their values.
CheckpointStatus ReadHeader(std::FILE *file, const std::string &path, CheckpointHeader *header) {
    int values[4] = {0, 0, 0, 0};
    std::string line;
    for (int n = 0; n < 4; ++n) {
        if (!ReadHeaderLine(file, &line))
            return Fail(CheckpointError::BadHeader, path,
                        "header line " + std::to_string(n + 1) + " is missing");
        if (!ParseValue(line, kValueColumn[n], &values[n]))
            return Fail(CheckpointError::BadHeader, path,
                        std::string("the ") + kHeaderWhat[n] + " is not a number");
    }
    if (values[0] < 0) return Fail(CheckpointError::BadStartNumber, path, "negative save counter");
    if (values[1] < 0)
        return Fail(CheckpointError::BadStartNumber, path, "negative starting integer");
    if (values[2] < 0)
        return Fail(CheckpointError::BadStartNumber, path, "negative iteration count");
    if (values[2] > kCheckpointMaxIterations)
        return Fail(CheckpointError::BadStartNumber, path,
                    "iteration count " + std::to_string(values[2]) + " is over the limit of " +
                        std::to_string(kCheckpointMaxIterations));
    if (values[3] < 1 || values[3] > kCheckpointMaxDigits)
        return Fail(CheckpointError::BadDigitCount, path,
                    "impossible number of digits " + std::to_string(values[3]));
    // Every digit takes at least one byte, so a count beyond the file's size is a lie that
    // must be caught before anyone allocates memory for it.
    long long size = FileSize(file);
    if (size >= 0 && values[3] > size)
        return Fail(CheckpointError::TooFewDigits, path, "fewer digits than its header says");
    header->save_number = values[0];
    header->start_number = values[1];
    header->iteration_count = values[2];
    header->digit_count = values[3];
    return CheckpointStatus();
}

// Reads count digits, skipping line ends, and hands each value 0-9 to sink.
template <typename Sink>
CheckpointStatus ReadDigitBlock(std::FILE *file, const std::string &path, int count, Sink sink) {
    char chunk[65536];
    int got = 0;
    while (got < count) {
        std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
        if (n == 0) break;
        for (std::size_t i = 0; i < n && got < count; ++i) {
            unsigned char c = static_cast<unsigned char>(chunk[i]);
            if (c >= '0' && c <= '9') {
                sink(got++, c - '0');
            } else if (c != '\r' && c != '\n') {
                return Fail(CheckpointError::BadDigit, path,
                            "character other than 0-9 after digit " + std::to_string(got));
            }
        }
    }
    if (got < count)
        return Fail(CheckpointError::TooFewDigits, path, "fewer digits than its header says");
    return CheckpointStatus();
}

template <typename Digit>
CheckpointStatus WriteCheckpoint(const std::string &path, const CheckpointHeader &header,
                                 const Digit *digits, DigitOrder order) {
    const std::string temp = path + ".tmp";
    std::FILE *file = std::fopen(temp.c_str(), "wb");
    if (!file) return FailWrite(path, std::strerror(errno));

    std::string head = checkpoint_header_text(header);
    bool ok = std::fwrite(head.data(), 1, head.size(), file) == head.size();

    // Lines of 70 digits and CR LF, gathered into one buffer per batch of lines.
    const int n = header.digit_count;
    std::vector<char> out;
    out.reserve(1 << 16);
    int line_fill = 0;
    for (int i = 0; ok && i < n; ++i) {
        int at = order == DigitOrder::MostSignificantFirst ? i : n - 1 - i;
        out.push_back(static_cast<char>('0' + digits[at]));
        if (++line_fill == kCheckpointDigitsPerLine || i == n - 1) {
            out.push_back('\r');
            out.push_back('\n');
            line_fill = 0;
            if (out.size() > (1 << 16) - 80 || i == n - 1) {
                ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
                out.clear();
            }
        }
    }
    int err = ok ? 0 : errno;
    if (std::fflush(file) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        // Only the temporary file is incomplete; a file of the target's name is untouched.
        std::remove(temp.c_str());
        return FailWrite(path, err != 0 ? std::strerror(err) : "");
    }
    // The complete file takes the target's place in one step (on Windows too, where the C
    // runtime's rename refuses an existing target), so that at every moment one of the two
    // holds a whole checkpoint. When it cannot, the old file is as it was and the new one is
    // kept under its temporary name: the number it holds is not lost, and the message says
    // where it is.
    std::error_code replaced;
    std::filesystem::rename(temp, path, replaced);
    if (replaced) {
        CheckpointStatus status = FailWrite(path, replaced.message());
        status.message += "; the number is kept in " + FileLabel(temp);
        return status;
    }
    return CheckpointStatus();
}

template <typename Digit>
CheckpointStatus ReadDigits(const std::string &path, CheckpointHeader *header, Digit *digits,
                            std::size_t capacity) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) return FailOpen(path);
    CheckpointHeader read;
    CheckpointStatus status = ReadHeader(file, path, &read);
    if (status.ok() && static_cast<std::size_t>(read.digit_count) > capacity) {
        status.error = CheckpointError::TooManyDigits;
        status.message = "The number in " + FileLabel(path) + " has " +
                         std::to_string(read.digit_count) +
                         " digits, over this program's limit of " + std::to_string(capacity);
    }
    if (status.ok())
        status = ReadDigitBlock(file, path, read.digit_count,
                                [digits](int i, int d) { digits[i] = static_cast<Digit>(d); });
    std::fclose(file);
    if (status.ok()) *header = read;
    return status;
}

}  // namespace

std::string checkpoint_name(int start_number, int iteration_count, int digit_count,
                            bool palindrome) {
    return std::to_string(start_number) + "-" + std::to_string(iteration_count) + "-" +
           std::to_string(digit_count) + (palindrome ? "-palindrome.isf" : ".isf");
}

std::string checkpoint_header_text(const CheckpointHeader &header) {
    return std::string(" Automatic save ") + std::to_string(header.save_number) + kLineEnd +
           " Initial value:   " + std::to_string(header.start_number) + kLineEnd +
           " Iteration:       " + std::to_string(header.iteration_count) + kLineEnd +
           " Number of digits " + std::to_string(header.digit_count) + kLineEnd;
}

CheckpointStatus checkpoint_write(const std::string &path, const CheckpointHeader &header,
                                  const unsigned char *digits, DigitOrder order) {
    return WriteCheckpoint(path, header, digits, order);
}

CheckpointStatus checkpoint_write(const std::string &path, const CheckpointHeader &header,
                                  const int *digits, DigitOrder order) {
    return WriteCheckpoint(path, header, digits, order);
}

CheckpointStatus checkpoint_read_header(const std::string &path, CheckpointHeader *header) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) return FailOpen(path);
    CheckpointHeader read;
    CheckpointStatus status = ReadHeader(file, path, &read);
    std::fclose(file);
    if (status.ok()) *header = read;
    return status;
}

CheckpointStatus checkpoint_read_digits(const std::string &path, CheckpointHeader *header,
                                        unsigned char *digits, std::size_t capacity) {
    return ReadDigits(path, header, digits, capacity);
}

CheckpointStatus checkpoint_read_digits(const std::string &path, CheckpointHeader *header,
                                        int *digits, std::size_t capacity) {
    return ReadDigits(path, header, digits, capacity);
}

int digit_sum_mod9(long long value) {
    if (value < 0) value = -value;
    int sum = 0;
    for (; value > 0; value /= 10) sum += static_cast<int>(value % 10);
    return sum % 9;
}

int checkfile_verdict(int s, int k, int t) {
    int verdict = 0;
    if (s == 0 && t != 0) verdict = 2;
    if (s == 3 || s == 6) {
        int e = s;
        for (int i = 0; i < k % 2; ++i) e = e * 2 % 9;
        if (e != t) verdict = 1;
        if (t != 3 && t != 6) verdict = 2;
    } else if (s != 0) {
        int e = s;
        for (int i = 0; i < k % 6; ++i) e = e * 2 % 9;
        if (e != t) verdict = 1;
        if (t == 0 || t == 3 || t == 6) verdict = 2;
    }
    return verdict;
}

CheckpointStatus checkfile(const std::string &path, int start_number, int digit_count,
                           int *verdict) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) return FailOpen(path);
    CheckpointHeader header;
    CheckpointStatus status = ReadHeader(file, path, &header);
    long long sum = 0;
    if (status.ok())
        status = ReadDigitBlock(file, path, digit_count, [&sum](int, int d) { sum += d; });
    std::fclose(file);
    if (!status.ok()) return status;
    *verdict = checkfile_verdict(digit_sum_mod9(start_number), header.iteration_count,
                                 static_cast<int>(sum % 9));
    return status;
}
