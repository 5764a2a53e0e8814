// Speed of the reverse-and-add kernels against the earlier program's table-driven step and a
// plain memory copy, for numbers of 10^3 to 10^7 digits, on one core.
//
// flipadd_bench            every size
// flipadd_bench DIGITS     one size only (DIGITS from 1,000 to 10,000,000)
//
// Every kernel runs a chain of steps ping-ponging between two buffers, as the search does, and
// is measured in digit-steps per second (the digit count summed over the steps, over the time).
// Each figure is the best of a few timed runs, to keep other work on the machine out of it.
// Output, one line per figure:
//   kernel=<name> n=<N> digits_per_s=<x>
//   baseline=table n=<N> digits_per_s=<x>
//   baseline=copy n=<N> bytes_per_s=<x>
//   best_ratio n=<N> <x>          (fastest kernel over the table-driven step)
#include "velquist3/flipadd.h"
#include "velquist/table_step.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

// Timed runs per figure, and the time each run goes on for at least.
const int kRuns = 3;
const double kRunSeconds = 0.06;

// Numbers grow by about 0.4 digits a step; the chains stay far below this many extra digits.
const size_t kHeadroom = 100000;

// The digits of a random number of n digits, least significant first.
std::vector<uint8_t> random_number(size_t n) {
    std::mt19937 rng(static_cast<unsigned>(n));
    std::vector<uint8_t> d(n);
    for (auto &x : d) x = static_cast<uint8_t>(rng() % 10);
    d[n - 1] = static_cast<uint8_t>(1 + rng() % 9);
    return d;
}

// Calls `step` (which returns the units of work it did) until kRunSeconds have passed, kRuns
// times; the best rate of the runs in units per second.
template <typename Step>
double best_rate(Step step) {
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        double units = 0;
        const Clock::time_point start = Clock::now();
        double seconds = 0;
        do {
            units += step();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        } while (seconds < kRunSeconds);
        if (units / seconds > best) best = units / seconds;
    }
    return best;
}

double kernel_rate(velquist3::FlipaddFn fn, const std::vector<uint8_t> &start) {
    const size_t bytes = velquist3::digit_buffer_bytes(start.size() + kHeadroom);
    uint8_t *a = velquist3::digit_buffer_alloc(bytes, velquist3::DigitBufferSlot::kFirst);
    uint8_t *b = velquist3::digit_buffer_alloc(bytes, velquist3::DigitBufferSlot::kSecond);
    if (!a || !b) {
        std::fprintf(stderr, "flipadd_bench: out of memory\n");
        std::exit(1);
    }
    std::memcpy(a + velquist3::kFlipaddGuard, start.data(), start.size());
    int32_t n = static_cast<int32_t>(start.size());
    bool from_a = true;
    const double rate = best_rate([&] {
        uint8_t *src = from_a ? a : b;
        uint8_t *dst = from_a ? b : a;
        const double digits = n;
        fn(src, dst, &n);
        if (dst[velquist3::kFlipaddGuard + n] != 0) ++n;
        from_a = !from_a;
        return digits;
    });
    velquist3::digit_buffer_free(a);
    velquist3::digit_buffer_free(b);
    return rate;
}

double table_rate(const std::vector<uint8_t> &start) {
    velquist::TableArrays arrays(static_cast<int32_t>(start.size() + kHeadroom));
    int32_t *number = arrays.number();
    const int32_t n0 = static_cast<int32_t>(start.size());
    for (int32_t i = 1; i <= n0; ++i) number[i] = start[n0 - i];  // most significant first
    int32_t n = n0;
    velquist::table_reverse(number, arrays.reversed(), n);
    return best_rate([&] {
        const double digits = n;
        n = velquist::table_step(number, arrays.reversed(), n);
        return digits;
    });
}

double copy_rate(size_t n) {
    std::vector<uint8_t> from(n, 7), to(n, 0);
    return best_rate([&] {
        std::memcpy(to.data(), from.data(), n);
        from[n / 2] ^= to[n / 3];  // keeps each copy observable
        return static_cast<double>(n);
    });
}

}  // namespace

int main(int argc, char **argv) {
    size_t first = 1000, last = 10000000;
    if (argc > 1) {
        char *end = nullptr;
        const unsigned long long digits = std::strtoull(argv[1], &end, 10);
        if (argc > 2 || *end != '\0' || digits < first || digits > last) {
            std::fprintf(stderr, "usage: flipadd_bench [DIGITS], DIGITS from %zu to %zu\n", first,
                         last);
            return 2;
        }
        first = last = static_cast<size_t>(digits);
    }
    for (size_t n = first; n <= last; n *= 10) {
        const std::vector<uint8_t> start = random_number(n);
        double best = 0;
        for (const velquist3::FlipaddKernel &k : velquist3::kFlipaddKernels) {
            const double rate = kernel_rate(k.fn, start);
            std::printf("kernel=%s n=%zu digits_per_s=%.0f\n", k.name, n, rate);
            std::fflush(stdout);
            if (rate > best) best = rate;
        }
        const double table = table_rate(start);
        std::printf("baseline=table n=%zu digits_per_s=%.0f\n", n, table);
        std::printf("baseline=copy n=%zu bytes_per_s=%.0f\n", n, copy_rate(n));
        std::printf("best_ratio n=%zu %.2f\n", n, best / table);
        std::fflush(stdout);
    }
    return 0;
}
