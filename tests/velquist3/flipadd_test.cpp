// The reverse-and-add kernels against a plain digit-at-a-time adder, byte for byte over the
// whole destination buffer, on buffers sized exactly as digit_buffer_bytes says (so the
// sanitizers see any access outside the guard, digits and slack).
#include "velquist3/flipadd.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using velquist3::FlipaddFn;
using velquist3::kFlipaddGuard;
using velquist3::kFlipaddSlack;

struct Kernel {
    const char *name;
    FlipaddFn fn;
};

// The seven kernels of the table, and the SSE2 form the 16-digit kernel takes on processors
// without SSSE3.
std::vector<Kernel> all_kernels() {
    std::vector<Kernel> kernels;
    for (const auto &k : velquist3::kFlipaddKernels) kernels.push_back({k.name, k.fn});
    kernels.push_back({"flipadd_p4_sse2", velquist3::flipadd_p4_sse2});
    return kernels;
}

// Digits least significant first.
typedef std::vector<uint8_t> Digits;

// The digits of a number given as decimal text.
Digits digits_of(const std::string &text) {
    Digits d;
    for (auto it = text.rbegin(); it != text.rend(); ++it)
        d.push_back(static_cast<uint8_t>(*it - '0'));
    return d;
}

// Digit-at-a-time reverse-and-add; the result has N + 1 digits, the top one the final carry.
Digits reference_step(const Digits &d) {
    const size_t n = d.size();
    Digits sum(n + 1);
    int carry = 0;
    for (size_t i = 0; i < n; ++i) {
        const int s = d[i] + d[n - 1 - i] + carry;
        sum[i] = static_cast<uint8_t>(s % 10);
        carry = s / 10;
    }
    sum[n] = static_cast<uint8_t>(carry);
    return sum;
}

// A digit buffer of exactly digit_buffer_bytes(n) bytes holding `d` (n >= d.size()).
std::vector<uint8_t> buffer_with(const Digits &d, size_t n) {
    std::vector<uint8_t> buf(velquist3::digit_buffer_bytes(n), 0);
    if (!d.empty()) std::memcpy(buf.data() + kFlipaddGuard, d.data(), d.size());
    return buf;
}

const uint8_t kGuardMark = 0xA5;

// Runs `kernel` on `d` and checks the whole destination: its guard (marked, so that any write
// shows) untouched, the reference sum in positions 0 to N, zeros above; and the source
// unchanged. The destination starts as an earlier number of the search would leave it:
// `previous` digits below N, zeros from N up.
void check_step(const Kernel &kernel, const Digits &d, const Digits &previous) {
    const size_t n = d.size();
    std::vector<uint8_t> src = buffer_with(d, n);
    const std::vector<uint8_t> src_before = src;
    std::vector<uint8_t> dst = buffer_with(previous, n);
    std::memset(dst.data(), kGuardMark, kFlipaddGuard);

    std::vector<uint8_t> expected = buffer_with(reference_step(d), n);
    std::memset(expected.data(), kGuardMark, kFlipaddGuard);

    const int32_t count = static_cast<int32_t>(n);
    kernel.fn(src.data(), dst.data(), &count);

    ASSERT_EQ(src, src_before) << kernel.name << " wrote its source, N=" << n;
    if (dst != expected) {
        size_t i = 0;
        while (dst[i] == expected[i]) ++i;
        FAIL() << kernel.name << " N=" << n << ": first difference at buffer index " << i
               << " (position " << static_cast<long>(i) - static_cast<long>(kFlipaddGuard)
               << "): expected " << int(expected[i]) << ", got " << int(dst[i]);
    }
}

// A number of n digits whose digit-pair sums s[i] = d[i] + d[n-1-i] follow `sums` (given for
// the lower half; the upper half mirrors it, as it must). For an odd n the middle sum must be
// even and is rounded down when not.
Digits digits_with_sums(const std::vector<int> &sums, std::mt19937 &rng) {
    const size_t n = sums.size();
    Digits d(n);
    for (size_t i = 0; i < (n + 1) / 2; ++i) {
        const size_t j = n - 1 - i;
        int s = sums[i];
        if (i == j) {
            d[i] = static_cast<uint8_t>(s / 2);
            continue;
        }
        const int lo = s > 9 ? s - 9 : 0, hi = s < 9 ? s : 9;
        const int a = lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1));
        d[i] = static_cast<uint8_t>(a);
        d[j] = static_cast<uint8_t>(s - a);
    }
    return d;
}

// Random digits.
Digits random_digits(size_t n, std::mt19937 &rng) {
    Digits d(n);
    for (auto &x : d) x = static_cast<uint8_t>(rng() % 10);
    return d;
}

// Digit sums that make long carry chains: runs of sums of exactly 9 (which pass a carry on),
// each just above a sum of 10 or more (which makes one), starting at or just below multiples
// of 4, 8, 16 and 64 so that chains cross every word, vector and chunk boundary.
Digits carry_chain_digits(size_t n, std::mt19937 &rng) {
    std::vector<int> sums(n);
    for (auto &s : sums) s = static_cast<int>(rng() % 19);
    const size_t half = (n + 1) / 2;
    for (size_t start = 1; start < half; start += 1 + rng() % 97) {
        const size_t aligned[] = {start, start & ~size_t{3}, start & ~size_t{7},
                                  start & ~size_t{15}, start & ~size_t{63}};
        size_t from = aligned[rng() % 5];
        if (from == 0) from = 1;
        from -= rng() % 2;  // the run may start on the boundary or one below it
        if (from == 0) from = 1;
        const size_t len = 1 + rng() % 80;
        sums[from - 1] = 10 + static_cast<int>(rng() % 9);
        for (size_t i = from; i < from + len && i < half; ++i) sums[i] = 9;
        start = from + len;
    }
    return digits_with_sums(sums, rng);
}

// Every digit 9: every position carries.
Digits all_nines(size_t n) { return Digits(n, 9); }

// Sums of 9 everywhere except a carry made at position 0: one chain through the whole number.
Digits one_long_chain(size_t n, std::mt19937 &rng) {
    std::vector<int> sums(n, 9);
    sums[0] = 10 + static_cast<int>(rng() % 9);
    return digits_with_sums(sums, rng);
}

// A previous number of at most n digits, as the destination holds it before a step.
Digits previous_number(size_t n, std::mt19937 &rng) {
    return random_digits(n == 0 ? 0 : n - rng() % 2, rng);
}

TEST(FlipaddTable, SevenKernelsInButtonOrder) {
    struct Row {
        int32_t radio_id;
        const char *label;
        const char *name;
        FlipaddFn fn;
    };
    const Row rows[] = {
        {1038, "386, 486, PI or Pentium Pro - Uses GPR's", "flipadd_gpr", velquist3::flipadd_gpr},
        {1040, "K6-2 - Uses MMX and 3DNow!", "flipadd_k62", velquist3::flipadd_k62},
        {1042, "PI MMX or PII - Uses MMX", "flipadd_mmx", velquist3::flipadd_mmx},
        {1043, "PIII - Uses MMX and SSE", "flipadd_piii", velquist3::flipadd_piii},
        {1044, "Athlon - Uses MMX, 3DNow! and SSE", "flipadd_athlon", velquist3::flipadd_athlon},
        {1045, "P4 - Uses MMX, SSE", "flipadd_p4", velquist3::flipadd_p4},
        {1048, "Athlon 64 - Uses GPR's with Prefetch", "flipadd_gpr_prefetch",
         velquist3::flipadd_gpr_prefetch},
    };
    for (int32_t choice = 1; choice <= 7; ++choice) {
        const velquist3::FlipaddKernel *k = velquist3::flipadd_kernel(choice);
        ASSERT_NE(k, nullptr) << choice;
        const Row &row = rows[choice - 1];
        EXPECT_EQ(k->choice, choice);
        EXPECT_EQ(k->radio_id, row.radio_id) << choice;
        EXPECT_STREQ(k->label, row.label) << choice;
        EXPECT_STREQ(k->name, row.name) << choice;
        EXPECT_EQ(k->fn, row.fn) << choice;
    }
    EXPECT_EQ(velquist3::flipadd_kernel(0), nullptr);
    EXPECT_EQ(velquist3::flipadd_kernel(8), nullptr);
    EXPECT_EQ(velquist3::flipadd_kernel(-1), nullptr);
    EXPECT_EQ(velquist3::kFlipaddDefaultChoice, 3);
}

TEST(DigitBuffer, SizeAndCapacityMatch) {
    EXPECT_EQ(velquist3::digit_buffer_bytes(0), kFlipaddGuard + 1 + kFlipaddSlack);
    EXPECT_EQ(velquist3::digit_buffer_bytes(1000000), kFlipaddGuard + 1000001 + kFlipaddSlack);
    for (size_t n : {size_t{1}, size_t{17}, size_t{3000100}})
        EXPECT_EQ(velquist3::digit_buffer_capacity(velquist3::digit_buffer_bytes(n)), n);
    EXPECT_EQ(velquist3::digit_buffer_capacity(10), 0u);
    EXPECT_EQ(velquist3::digit_buffer_bytes(SIZE_MAX - 3), SIZE_MAX);

    // Zero-filled, and the two buffers of a search half a page apart within their pages, so
    // that a kernel's reads and writes at one position never share cache sets.
    const size_t bytes = velquist3::digit_buffer_bytes(5000);
    using velquist3::DigitBufferSlot;
    for (DigitBufferSlot slot : {DigitBufferSlot::kFirst, DigitBufferSlot::kSecond}) {
        uint8_t *buf = velquist3::digit_buffer_alloc(bytes, slot);
        ASSERT_NE(buf, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(buf) % 4096,
                  slot == DigitBufferSlot::kFirst ? 0u : 2048u);
        size_t nonzero = 0;
        for (size_t i = 0; i < bytes; ++i) nonzero += buf[i] != 0;
        EXPECT_EQ(nonzero, 0u);
        velquist3::digit_buffer_free(buf);
    }
    EXPECT_EQ(velquist3::digit_buffer_alloc(SIZE_MAX - 100, DigitBufferSlot::kFirst), nullptr);
    velquist3::digit_buffer_free(nullptr);
}

TEST(FlipaddKernels, SmallCasesFromTheSearch) {
    for (const Kernel &k : all_kernels()) {
        SCOPED_TRACE(k.name);
        // 196 gives 887 with no final carry, 887 gives 1675 with one.
        check_step(k, digits_of("196"), {});
        check_step(k, digits_of("887"), digits_of("196"));
        // A sum of exactly 9 at position 4 receiving the carry from position 3 (where the 32-bit
        // halves of the 64-bit kernels meet) gives 0 and passes the carry on: 10009999 + 99990001.
        check_step(k, digits_of("10009999"), {});
        check_step(k, digits_of("90001999"), {});
        // One digit, and numbers whose sum never carries.
        check_step(k, digits_of("0"), {});
        check_step(k, digits_of("9"), {});
        check_step(k, digits_of("12"), {});
        check_step(k, digits_of("12345678901234567"), {});
    }
}

TEST(FlipaddKernels, FinalCarryAndZerosAbove) {
    const Digits d = digits_of("887");
    for (const Kernel &k : all_kernels()) {
        std::vector<uint8_t> src = buffer_with(d, 3), dst = buffer_with({}, 3);
        const int32_t n = 3;
        k.fn(src.data(), dst.data(), &n);
        EXPECT_EQ(dst[kFlipaddGuard + 0], 5) << k.name;
        EXPECT_EQ(dst[kFlipaddGuard + 1], 7) << k.name;
        EXPECT_EQ(dst[kFlipaddGuard + 2], 6) << k.name;
        EXPECT_EQ(dst[kFlipaddGuard + 3], 1) << k.name;
        for (size_t i = kFlipaddGuard + 4; i < dst.size(); ++i)
            ASSERT_EQ(dst[i], 0) << k.name << " index " << i;
    }
}

TEST(FlipaddKernels, NoDigitsWritesNothing) {
    for (const Kernel &k : all_kernels()) {
        std::vector<uint8_t> src(velquist3::digit_buffer_bytes(4), 0), dst(src.size(), 0x5A);
        for (int32_t n : {0, -1, -100000}) {
            EXPECT_EQ(k.fn(src.data(), dst.data(), &n), 0u) << k.name;
            for (uint8_t b : dst) ASSERT_EQ(b, 0x5A) << k.name << " N=" << n;
        }
    }
}

// True when some position of the reverse-and-add of d carries into the next.
bool any_carry(const Digits &d) {
    int carry = 0;
    bool any = false;
    for (size_t i = 0; i < d.size(); ++i) {
        carry = d[i] + d[d.size() - 1 - i] + carry >= 10;
        any = any || carry;
    }
    return any;
}

TEST(FlipaddKernels, GprKernelsReportCarries) {
    // The 32-bit and 64-bit general-purpose kernels return the same mask, non-zero exactly when
    // some position carried.
    std::mt19937 rng(7);
    std::vector<Digits> cases = {digits_of("12"), digits_of("4321"),     digits_of("196"),
                                 digits_of("99"), digits_of("10009999"), digits_of("50")};
    for (int trial = 0; trial < 50; ++trial) cases.push_back(random_digits(1 + rng() % 200, rng));
    for (const Digits &d : cases) {
        std::vector<uint8_t> src = buffer_with(d, d.size()), dst = buffer_with({}, d.size());
        const int32_t n = static_cast<int32_t>(d.size());
        const uint32_t gpr = velquist3::flipadd_gpr(src.data(), dst.data(), &n);
        const uint32_t wide = velquist3::flipadd_gpr_prefetch(src.data(), dst.data(), &n);
        EXPECT_EQ(gpr, wide) << "N=" << d.size();
        EXPECT_EQ(gpr != 0, any_carry(d)) << "N=" << d.size();
    }
}

TEST(FlipaddKernels, EveryLengthUpTo300) {
    std::mt19937 rng(300);
    const std::vector<Kernel> kernels = all_kernels();
    for (size_t n = 1; n <= 300; ++n) {
        const Digits cases[] = {random_digits(n, rng), carry_chain_digits(n, rng), all_nines(n),
                                one_long_chain(n, rng)};
        for (const Digits &d : cases) {
            const Digits previous = previous_number(n, rng);
            for (const Kernel &k : kernels) {
                check_step(k, d, previous);
                if (HasFatalFailure() || HasFailure()) return;
            }
        }
    }
}

TEST(FlipaddKernels, RandomLongNumbers) {
    std::mt19937 rng(100000);
    const std::vector<Kernel> kernels = all_kernels();
    for (int trial = 0; trial < 8; ++trial) {
        const size_t n = trial == 0 ? 100000 : 1 + rng() % 100000;
        const Digits d = trial % 2 ? carry_chain_digits(n, rng) : random_digits(n, rng);
        const Digits previous = previous_number(n, rng);
        for (const Kernel &k : kernels) {
            check_step(k, d, previous);
            if (HasFailure()) return;
        }
    }
}

TEST(FlipaddKernels, ThousandStepsFrom196) {
    // Each kernel ping-pongs between two buffers as the search does, growing N on a carry.
    const size_t capacity = 500;
    Digits expected = digits_of("196");
    for (int step = 0; step < 1000; ++step) {
        expected = reference_step(expected);
        if (expected.back() == 0) expected.pop_back();
    }
    ASSERT_EQ(expected.size(), 411u);
    for (const Kernel &k : all_kernels()) {
        std::vector<uint8_t> a = buffer_with(digits_of("196"), capacity),
                             b = buffer_with({}, capacity);
        int32_t n = 3;
        for (int step = 0; step < 1000; ++step) {
            std::vector<uint8_t> &src = step % 2 ? b : a;
            std::vector<uint8_t> &dst = step % 2 ? a : b;
            k.fn(src.data(), dst.data(), &n);
            if (dst[kFlipaddGuard + n] != 0) ++n;
        }
        EXPECT_EQ(n, 411) << k.name;
        const Digits got(a.begin() + kFlipaddGuard, a.begin() + kFlipaddGuard + n);
        EXPECT_EQ(got, expected) << k.name;
        for (size_t i = 0; i < kFlipaddGuard; ++i) ASSERT_EQ(a[i], 0) << k.name;
        for (size_t i = kFlipaddGuard + n; i < a.size(); ++i) ASSERT_EQ(a[i], 0) << k.name;
    }
}

}  // namespace
