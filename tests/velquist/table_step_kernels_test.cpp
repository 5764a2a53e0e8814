// The earlier program's table-driven step and the later program's seven kernels must give
// the same numbers digit for digit: random numbers of many lengths, several steps each.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "velquist3/flipadd.h"
#include "velquist/table_step.h"

namespace {

constexpr int kMaxDigits = 700;

// One step with a kernel on byte buffers (least significant digit first); returns the digits
// most significant first.
std::vector<int32_t> kernel_step(velquist3::FlipaddFn kernel,
                                 const std::vector<int32_t> &msb_first) {
    int32_t n = static_cast<int32_t>(msb_first.size());
    std::size_t bytes = velquist3::digit_buffer_bytes(kMaxDigits + 8);
    std::vector<uint8_t> src(bytes, 0), dst(bytes, 0);
    for (int32_t i = 0; i < n; ++i)
        src[velquist3::kFlipaddGuard + i] = static_cast<uint8_t>(msb_first[n - 1 - i]);
    kernel(src.data(), dst.data(), &n);
    int32_t grown = n + (dst[velquist3::kFlipaddGuard + n] != 0 ? 1 : 0);
    std::vector<int32_t> out(grown);
    for (int32_t i = 0; i < grown; ++i) out[grown - 1 - i] = dst[velquist3::kFlipaddGuard + i];
    return out;
}

}  // namespace

TEST(TableStepAgainstKernels, EveryKernelGivesTheSameDigits) {
    std::mt19937 rng(2026);
    for (int trial = 0; trial < 120; ++trial) {
        int32_t length = 1 + static_cast<int32_t>(rng() % 600);
        std::vector<int32_t> digits(length);
        for (int32_t &d : digits) d = static_cast<int32_t>(rng() % 10);
        digits[0] = 1 + static_cast<int32_t>(rng() % 9);
        if (trial % 10 == 0) std::fill(digits.begin(), digits.end(), 9);  // carries all the way

        velquist::TableArrays a(kMaxDigits + 8);
        int32_t n = length;
        for (int32_t i = 0; i < n; ++i) a.number()[i + 1] = digits[i];
        velquist::table_reverse(a.number(), a.reversed(), n);
        for (int step = 0; step < 4; ++step) {
            n = velquist::table_step(a.number(), a.reversed(), n);
            std::vector<int32_t> expected(a.number() + 1, a.number() + 1 + n);
            for (const velquist3::FlipaddKernel &k : velquist3::kFlipaddKernels)
                ASSERT_EQ(kernel_step(k.fn, digits), expected)
                    << k.name << ", trial " << trial << ", step " << step << ", " << digits.size()
                    << " digits";
            digits = expected;
        }
    }
}
