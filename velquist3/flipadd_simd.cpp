// The kernels that use the processor's multimedia instructions: MMX for the 2 x 8-digit
// kernels, SSE2 or SSSE3 (chosen at run time) for the 16-digit kernel. On a processor without
// them each falls back to the portable kernel with the same arithmetic.
#include "flipadd.h"
#include "flipadd_words.h"

#include <type_traits>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#define FLIPADD_X86 1
#include <emmintrin.h>
#include <mmintrin.h>
#include <tmmintrin.h>
#include <xmmintrin.h>
#else
#define FLIPADD_X86 0
#endif

namespace velquist3 {

#if FLIPADD_X86

namespace {

constexpr std::ptrdiff_t kGuard = static_cast<std::ptrdiff_t>(kFlipaddGuard);

// The 64-bit step of the portable kernels (see flipadd_swar.cpp) in MMX registers: packed
// doubleword additions of the reversed digits, the forward digits, the carry and the bias;
// the low half's carry copied, shifted left one bit into bit 32, masked and added. With
// kShuffleCopy the copy is made by a word shuffle (an SSE instruction on MMX registers).
// The multimedia state is left clean for floating-point code.
template <bool kShuffleCopy, bool kLookAhead>
uint32_t mmx_halves(const uint8_t *src, uint8_t *dst, int32_t n) {
    const __m64 bias = _mm_set1_pi32(0x76F6F6F6);
    const __m64 no_carry = _mm_set1_pi32(0x60606060);
    const __m64 digits = _mm_set1_pi32(0x0F0F0F0F);
    const __m64 low_half_carry_target = _mm_set_pi32(1, 0);
    const std::ptrdiff_t loops = n < 4 ? 1 : (n - 4) / 16 + 2;
    std::ptrdiff_t fwd = kGuard;
    std::ptrdiff_t rev = kGuard + n - 4;
    __m64 carry = _mm_setzero_si64();
    for (std::ptrdiff_t g = 0; g < loops; ++g) {
        for (int step = 0; step < 2; ++step) {
            const __m64 r = _mm_cvtsi64_m64(
                static_cast<long long>(words::load_reversed<uint64_t>(src + rev - 4)));
            const __m64 f = _mm_cvtsi64_m64(static_cast<long long>(words::load64(src + fwd)));
            __m64 x = _mm_add_pi32(_mm_add_pi32(_mm_add_pi32(r, f), bias), carry);
            const __m64 copy = kShuffleCopy ? _mm_shuffle_pi16(x, 0xE4) : x;
            x = _mm_add_pi32(x, _mm_and_si64(_mm_slli_si64(copy, 1), low_half_carry_target));
            carry = _mm_srli_si64(x, 63);  // the correction below leaves bit 63 alone
            const __m64 m = _mm_and_si64(x, no_carry);
            x = _mm_sub_pi32(x, _mm_srli_si64(m, 4));
            words::store64(dst + fwd,
                           static_cast<uint64_t>(_mm_cvtm64_si64(_mm_and_si64(x, digits))));
            fwd += 8;
            rev -= 8;
        }
        if (kLookAhead) {
            if (rev - 8 >= 0)
                _mm_prefetch(reinterpret_cast<const char *>(src + rev - 8), _MM_HINT_T0);
            _mm_prefetch(reinterpret_cast<const char *>(src + fwd + 8), _MM_HINT_T0);
        }
    }
    _mm_empty();
    return 0;
}

}  // namespace

#define FLIPADD_SSE_NS sse2
#define FLIPADD_SSSE3 0
#include "flipadd_sse_blocks.h"
#undef FLIPADD_SSE_NS
#undef FLIPADD_SSSE3

#pragma GCC push_options
#pragma GCC target("ssse3")
#define FLIPADD_SSE_NS ssse3
#define FLIPADD_SSSE3 1
#include "flipadd_sse_blocks.h"
#undef FLIPADD_SSE_NS
#undef FLIPADD_SSSE3
#pragma GCC pop_options

namespace {

bool cpu_has_ssse3() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return has;
}

}  // namespace

uint32_t flipadd_mmx(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : mmx_halves<false, false>(src, dst, *n);
}

uint32_t flipadd_piii(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : mmx_halves<true, true>(src, dst, *n);
}

uint32_t flipadd_p4(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    if (*n < 1) return 0;
    return cpu_has_ssse3() ? ssse3::flipadd(src, dst, *n) : sse2::flipadd(src, dst, *n);
}

uint32_t flipadd_p4_sse2(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : sse2::flipadd(src, dst, *n);
}

#else

uint32_t flipadd_mmx(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return flipadd_k62(src, dst, n);
}
uint32_t flipadd_piii(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return flipadd_k62(src, dst, n);
}
uint32_t flipadd_p4(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return flipadd_gpr_prefetch(src, dst, n);
}
uint32_t flipadd_p4_sse2(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return flipadd_gpr_prefetch(src, dst, n);
}

#endif

}  // namespace velquist3
