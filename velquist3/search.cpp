// The search behind the Start button: set-up from the starting integer or a checkpoint, then
// cycles of two reverse-and-add steps between two digit buffers until a palindrome, a limit, a
// file problem or the Stop button ends it.
#include <cstring>

#include "checkpoint.h"
#include "flipadd.h"
#include "velquist3_program.h"

using velquist3::kFlipaddGuard;

namespace {

constexpr int kMillion = 1000000;
constexpr const char *kCrLf = "\r\n";
constexpr const char *kSearching = "Searching ===>\r\n";

// How a search ended, for the steps every end shares.
// Limit is the user's stop iteration or digit count; IterationLimit the most iterations a
// checkpoint may hold.
enum class SearchEnd { Found, Stop, Limit, IterationLimit };

void ReleaseBuffers(Velquist3State *s) {
    velquist3::digit_buffer_free(s->temp2);
    velquist3::digit_buffer_free(s->temp1);
    s->temp2 = s->temp1 = nullptr;
    s->buffer_bytes = 0;
}

// temp2 takes the first place of a digit buffer, temp1 the second, at every allocation.
velquist3::DigitBufferSlot SlotOf(const Velquist3State *s, uint8_t *const *buffer) {
    return buffer == &s->temp2 ? velquist3::DigitBufferSlot::kFirst
                               : velquist3::DigitBufferSlot::kSecond;
}

void ShowStatus(SearchHost *host, const std::string &text) { host->put_string(kFieldStatus, text); }

void ReportNoMemory(Velquist3State *s, SearchHost *host) {
    program_report(s, host,
                   "Not enough memory for " + std::to_string(s->million_mark) + " million digits");
}

void LogAllocation(Velquist3State *s, long long bytes) {
    eventlog_write(&s->log, {"Allocated ", bytes, "bytes of memory - ", bytes / kMillion, "mb"});
}

// Allocates both buffers, zero-filled, for numbers below the current million mark.
bool AllocateBuffers(Velquist3State *s, SearchHost *host) {
    std::size_t bytes = search_buffer_bytes(s->million_mark);
    s->temp2 = velquist3::digit_buffer_alloc(bytes, SlotOf(s, &s->temp2));
    s->temp1 = velquist3::digit_buffer_alloc(bytes, SlotOf(s, &s->temp1));
    if (!s->temp2 || !s->temp1) {
        ReleaseBuffers(s);
        ReportNoMemory(s, host);
        return false;
    }
    s->buffer_bytes = bytes;
    LogAllocation(s, (2LL * s->million_mark + 1) * 1000100);
    return true;
}

// Moves to buffers one million digits larger, keeping the number in *dst (one of the two
// buffers). The other buffer is released first, so no more memory is held at once than two
// buffers of the new size.
bool GrowBuffers(Velquist3State *s, SearchHost *host, uint8_t **dst) {
    uint8_t **keep = *dst == s->temp1 ? &s->temp1 : &s->temp2;
    uint8_t **other = keep == &s->temp1 ? &s->temp2 : &s->temp1;
    velquist3::digit_buffer_free(*other);
    *other = nullptr;
    std::size_t bytes = search_buffer_bytes(s->million_mark);
    uint8_t *grown = velquist3::digit_buffer_alloc(bytes, SlotOf(s, keep));
    if (grown) {
        std::memcpy(grown, *keep, kFlipaddGuard + s->digit_count);
        velquist3::digit_buffer_free(*keep);
        *keep = grown;
        *other = velquist3::digit_buffer_alloc(bytes, SlotOf(s, other));
    }
    if (!grown || !*other) {
        ReportNoMemory(s, host);
        return false;
    }
    s->buffer_bytes = bytes;
    *dst = *keep;
    LogAllocation(s, static_cast<long long>(s->million_mark) * 2000200);
    return true;
}

// Compares the outer digit pairs of buf: returns how many match before the first that does
// not, and sets found_flag when all do.
int MatchOuterPairs(Velquist3State *s, const uint8_t *buf) {
    const uint8_t *d = buf + kFlipaddGuard;
    int n = s->digit_count;
    int pairs = n / 2 + 1;
    int a = 0;
    while (a < pairs && d[a] == d[n - 1 - a]) ++a;
    s->found_flag = a == pairs ? 1 : 0;
    return a;
}

// The palindrome test and the longest-match record after a step.
void TestPalindrome(Velquist3State *s, const uint8_t *buf) {
    int a = MatchOuterPairs(s, buf);
    if (a > s->longest_match) {
        s->longest_match = a;
        eventlog_write(
            &s->log, {"Largest Match For Number -", s->start_number, " Of ", a, "Digits",
                      " - At Iteration -", s->iteration_count, ", Digit Length -", s->digit_count});
    }
}

void LogProgressLine(Velquist3State *s, const char *text) {
    eventlog_write(&s->log, {text, s->start_number, "- At Iteration -", s->iteration_count,
                             ", Digit Length -", s->digit_count});
}

// Writes the number in buf as the checkpoint for the current counts, shows its name and makes
// it the file to resume from. A file that cannot be written ends the search; the last good
// checkpoint stays where it was.
bool WriteCheckpoint(Velquist3State *s, SearchHost *host, const uint8_t *buf, bool palindrome) {
    std::string name =
        checkpoint_name(s->start_number, s->iteration_count, s->digit_count, palindrome);
    CheckpointStatus status = checkpoint_write(name, search_counts_header(*s), buf + kFlipaddGuard,
                                               DigitOrder::LeastSignificantFirst);
    if (!status.ok()) {
        program_report(s, host, status.message);
        return false;
    }
    host->put_string(kFieldSaveFile, name);
    s->checkpoint_path = name;
    return true;
}

// Reads back and checks the file named by checkpoint_path. between, when given, is the log
// line that goes between the check and its result.
bool VerifyCheckpoint(Velquist3State *s, SearchHost *host, const char *between = nullptr) {
    ShowStatus(host, std::string("Checking Integrety of File") + kCrLf);
    CheckpointStatus status =
        checkfile(s->checkpoint_path, s->start_number, s->digit_count, &s->verdict);
    if (between) LogProgressLine(s, between);
    eventlog_write(&s->log, {"Validating current file  ", padded_path(s->checkpoint_path)});
    if (!status.ok()) {
        program_report(s, host, status.message);
        return false;
    }
    if (s->verdict == 1) {
        program_report(s, host, "Bad file; Current Number-Start Number Mismatch!");
        return false;
    }
    if (s->verdict == 2) {
        program_report(s, host, "Bad file; Number length Mismatch!");
        return false;
    }
    return true;
}

// The ends of a search that save the number in buf and return to the dialog.
void EndSearch(Velquist3State *s, SearchHost *host, const uint8_t *buf, SearchEnd end) {
    bool good;
    if (end == SearchEnd::Found) {
        good = WriteCheckpoint(s, host, buf, true);
        if (good) {
            LogProgressLine(s, "Palindrome found for Number -");
            good = VerifyCheckpoint(s, host);
        }
        if (good) {
            eventlog_write(&s->log, {"File OK Exiting"});
            ShowStatus(host, std::string("Palindrome Found! :)") + kCrLf);
            host->put_integer(kFieldIterations, s->iteration_count);
            host->put_integer(kFieldDigits, s->digit_count);
            s->found_flag = 0;
        }
        eventlog_flush(&s->log);
    } else {
        host->put_integer(kFieldIterations, s->iteration_count);
        host->put_integer(kFieldDigits, s->digit_count);
        ShowStatus(
            host, end == SearchEnd::Stop ? "Saving Checkpoint File\r\n" : "Saving Checkpoint File");
        good =
            WriteCheckpoint(s, host, buf, false) &&
            VerifyCheckpoint(s, host,
                             end == SearchEnd::Stop ? "User initiated stop for Number -"
                                                    : "User stop iteration reached for Number -");
        if (good) {
            eventlog_write(&s->log, {"File OK Exiting"});
            ShowStatus(host, kCrLf);
            host->put_real(kFieldDigitRate, 0.0);
            host->put_real(kFieldIterationRate, 0.0);
            if (end == SearchEnd::Limit) host->put_integer(kFieldStopIteration, 0);
            if (end == SearchEnd::IterationLimit)
                program_report(s, host, kSearchIterationLimitText);
        }
    }
    ReleaseBuffers(s);
}

// A fresh start: the digits of the starting integer, most significant first, into temp2.
bool SetUpFresh(Velquist3State *s, SearchHost *host) {
    int start = host->get_integer(kFieldStartNumber);
    if (start < 1) {
        program_report(s, host, "The Starting Integer must be 1 or more");
        return false;
    }
    if (!AllocateBuffers(s, host)) return false;
    s->start_number = start;
    std::string digits = std::to_string(start);
    for (std::size_t i = 0; i < digits.size(); ++i)
        s->temp2[kFlipaddGuard + i] = static_cast<uint8_t>(digits[i] - '0');
    host->field_state(kFieldStartNumber, kStateReadOnly);
    s->digit_count = static_cast<int>(digits.size());
    // A new number starts counting anew: carrying over the count of an earlier search would
    // name its files wrongly and fail their check.
    s->iteration_count = 0;
    s->longest_match = 0;
    eventlog_write(&s->log, {"Starting from scratch with number -", s->start_number});
    return true;
}

// A resume: the number of the checkpoint named by checkpoint_path into temp2, checked.
// Nothing is taken from a file that cannot be read in full.
bool SetUpResume(Velquist3State *s, SearchHost *host) {
    eventlog_write(&s->log, {"Opening file ", padded_path(s->checkpoint_path)});
    ShowStatus(host, "Opening file");
    CheckpointHeader header;
    CheckpointStatus status = checkpoint_read_header(s->checkpoint_path, &header);
    if (!status.ok()) {
        program_report(s, host, status.message);
        return false;
    }
    // A file saved at the iteration limit has no step left to take.
    if (header.iteration_count >= kCheckpointMaxIterations) {
        program_report(s, host, kSearchIterationLimitText);
        return false;
    }
    int saved_mark = s->million_mark;
    s->million_mark = header.digit_count / kMillion + 1;
    if (!AllocateBuffers(s, host)) {
        s->million_mark = saved_mark;
        return false;
    }
    status = checkpoint_read_digits(s->checkpoint_path, &header, s->temp2 + kFlipaddGuard,
                                    static_cast<std::size_t>(s->million_mark) * kMillion);
    if (!status.ok()) {
        ReleaseBuffers(s);
        s->million_mark = saved_mark;
        program_report(s, host, status.message);
        return false;
    }
    search_counts_take(s, host, header, kStateReadOnly);
    eventlog_write(&s->log, {"File read successfully "});
    if (!VerifyCheckpoint(s, host)) {
        ReleaseBuffers(s);
        return false;
    }
    LogProgressLine(s, "File OK - Starting with Number -");
    ShowStatus(host, kSearching);
    return true;
}

// The CPU time, the rates and the kernel choice, once per cycle.
void CheckCpu(Velquist3State *s, SearchHost *host) {
    float t = static_cast<float>(host->cpu_time());
    s->cpu_seconds = static_cast<int>(t);
    if (s->cpu_seconds <= s->last_cpu_shown) return;
    // Each part is shown and read back before the next is worked out from it.
    int total = s->cpu_seconds;
    host->put_integer(kFieldCpuDays, total / 86400);
    int days = host->get_integer(kFieldCpuDays);
    host->put_integer(kFieldCpuHours, (total - 86400 * days) / 3600);
    int hours = host->get_integer(kFieldCpuHours);
    int rest = total - 86400 * days - 3600 * hours;
    host->put_integer(kFieldCpuMinutes, rest / 60);
    int minutes = host->get_integer(kFieldCpuMinutes);
    host->put_integer(kFieldCpuSeconds, rest - 60 * minutes);

    float elapsed = t - s->base_time;
    if (elapsed > 0.0f) {
        host->put_real(kFieldDigitRate, (s->digit_count - s->base_digits) / elapsed);
        host->put_real(kFieldIterationRate, (s->iteration_count - s->base_iterations) / elapsed);
    }
    s->base_digits = s->digit_count;
    s->base_iterations = s->iteration_count;
    s->base_time = t;
    s->last_cpu_shown = s->cpu_seconds;
    s->kernel_choice = host->get_radio(kFieldFirstKernel);
}

// The iteration and digit counts, shown every 999 steps while the numbers are short, every 100
// up to a million iterations, and after that once per CPU second: a step then takes long
// enough that showing it every time would cost a large share of the search's speed.
void ShowProgress(Velquist3State *s, SearchHost *host) {
    int every = s->iteration_count < 100000 ? 999 : s->iteration_count <= kMillion ? 100 : 0;
    if (every == 0) {
        if (s->progress_second != s->last_cpu_shown) {
            host->put_integer(kFieldIterations, s->iteration_count);
            host->put_integer(kFieldDigits, s->digit_count);
            s->progress_second = s->last_cpu_shown;
        }
    } else if (s->progress_counter >= every) {
        host->put_integer(kFieldIterations, s->iteration_count - 1);
        host->put_integer(kFieldDigits, s->digit_count);
        s->progress_counter = 0;
    }
    s->progress_counter += 1;
}

bool AtMilestone(const Velquist3State *s) {
    return static_cast<long long>(s->digit_count) ==
           static_cast<long long>(s->million_mark) * kMillion;
}

bool SaveDue(const Velquist3State *s) {
    bool scheduled =
        s->save_interval > 0 && s->save_multiple > 0 &&
        s->cpu_seconds / 60 == static_cast<long long>(s->save_interval) * s->save_multiple;
    return scheduled || (AtMilestone(s) && s->million_state == 1);
}

// A scheduled or milestone save in the middle of a search; at a milestone the buffers grow.
// False when the search has to end.
bool SaveDuringSearch(Velquist3State *s, SearchHost *host, uint8_t **dst) {
    ShowStatus(host, std::string("Saving Checkpoint File") + kCrLf);
    bool milestone = AtMilestone(s) && s->million_state == 1;
    if (!milestone) {
        s->save_multiple += 1;
        search_counts_count_save(s);
    }
    if (!WriteCheckpoint(s, host, *dst, false)) return false;
    if (milestone)
        eventlog_write(&s->log, {"Saving file at", s->million_mark, "million digits"});
    else
        LogProgressLine(s, "Scheduled  save initiated for Number -");
    if (AtMilestone(s)) {
        ShowStatus(host, "Allocating More Memory");
        s->million_mark += 1;
        s->million_state = 2;
        if (!GrowBuffers(s, host, dst)) return false;
    }
    if (!VerifyCheckpoint(s, host)) return false;
    eventlog_write(&s->log, {"File OK Continuing"});
    ShowStatus(host, kSearching);
    return true;
}

}  // namespace

std::size_t search_buffer_bytes(int million_mark) {
    return (static_cast<std::size_t>(million_mark) + 1) * 1000100 + 1;
}

void program_start(Velquist3State *s, SearchHost *host) {
    s->save_interval = host->get_integer(kFieldSaveInterval);
    s->checkpoint_path = host->get_string(kFieldSaveFile);
    s->stop_iteration = host->get_integer(kFieldStopIteration);
    ShowStatus(host, kSearching);
    s->stop_digit = host->get_integer(kFieldStopDigit);
    s->save_number = s->save_interval > 0 ? s->cpu_seconds / s->save_interval : 0;
    s->kernel_choice = host->get_radio(kFieldFirstKernel);

    bool fresh = s->checkpoint_path.find_first_not_of(' ') == std::string::npos;
    if (!(fresh ? SetUpFresh(s, host) : SetUpResume(s, host))) return;

    TestPalindrome(s, s->temp2);
    if (s->found_flag) {
        EndSearch(s, host, s->temp2, SearchEnd::Found);
        return;
    }
    s->base_digits = s->digit_count;
    s->base_iterations = s->iteration_count;
    s->million_state = 2;

    for (;;) {
        eventlog_flush(&s->log);
        for (int half = 0; half < 2; ++half) {
            uint8_t *src = half == 0 ? s->temp2 : s->temp1;
            uint8_t *dst = half == 0 ? s->temp1 : s->temp2;
            const velquist3::FlipaddKernel *kernel = velquist3::flipadd_kernel(s->kernel_choice);
            if (!kernel) kernel = velquist3::flipadd_kernel(velquist3::kFlipaddDefaultChoice);
            kernel->fn(src, dst, &s->digit_count);
            if (dst[kFlipaddGuard + s->digit_count] != 0) {
                s->digit_count += 1;
                s->million_state = 0;
            }
            s->iteration_count += 1;

            TestPalindrome(s, dst);
            if (s->found_flag) return EndSearch(s, host, dst, SearchEnd::Found);
            if (host->poll_button() == kFieldStop) return EndSearch(s, host, dst, SearchEnd::Stop);
            if (half == 0) CheckCpu(s, host);
            if (s->iteration_count >= kCheckpointMaxIterations)
                return EndSearch(s, host, dst, SearchEnd::IterationLimit);
            if ((s->iteration_count == s->stop_iteration && s->stop_iteration != 0) ||
                (s->digit_count == s->stop_digit && s->stop_digit != 0))
                return EndSearch(s, host, dst, SearchEnd::Limit);
            ShowProgress(s, host);
            if (AtMilestone(s) && s->million_state != 2) s->million_state = 1;
            if (SaveDue(s) && !SaveDuringSearch(s, host, &dst)) return ReleaseBuffers(s);
        }
    }
}
