// The body of the SSE kernel: sixteen digits a vector, four vectors a chunk. flipadd_simd.cpp
// includes it twice, once for SSE2 and once for SSSE3 (FLIPADD_SSSE3 set to 1 and the SSSE3
// target switched on around it), each time inside its own namespace FLIPADD_SSE_NS.
//
// Per vector of 16 positions: s = forward digits + reversed digits (each s at most 18). The
// carries are resolved for 64 positions at once in one general-purpose addition: with
// g = positions where s >= 10 (they generate a carry) and a = positions where s >= 9 (they
// generate or pass one on), the binary sum a + g + carry_in has a carry into bit i exactly when
// a decimal carry enters position i, so the carries into the positions are (a + g + carry_in)
// XOR a XOR g, and the carry out of the 64 positions is that addition's own carry. Each digit
// is then s + its carry, less 10 when that reaches 10.

namespace FLIPADD_SSE_NS {

// The 16 bytes of v in reverse order.
static inline __m128i reverse16(__m128i v) {
#if FLIPADD_SSSE3
    return _mm_shuffle_epi8(v, _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
#else
    v = _mm_shuffle_epi32(v, 0x1B);
    v = _mm_shufflelo_epi16(v, 0xB1);
    v = _mm_shufflehi_epi16(v, 0xB1);
    return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
#endif
}

// Calls f(std::integral_constant<int, 0>()) to f(std::integral_constant<int, kCount - 1>())
// in order. The block index is then a constant in each call, so every shuffle mask, shift and
// vector of a chunk is fixed when the kernel is compiled, whatever the optimiser's unrolling
// heuristics: compiled at -O2 (as the Windows program is), a counted loop stays a loop, and
// the SSSE3 mask would be built byte by byte in general registers, stored and reloaded on every
// block, a stalled store-to-load forward that slowed the kernel eightfold.
template <typename F, int... kIndex>
static inline void each_block(F &&f, std::integer_sequence<int, kIndex...>) {
    (f(std::integral_constant<int, kIndex>()), ...);
}
template <int kCount, typename F>
static inline void each_block(F &&f) {
    each_block(f, std::make_integer_sequence<int, kCount>());
}

// 0xFF in byte i where bit 16 * kBlock + i of `bits` (held in the low 64 bits of
// `bits_vector`) is set, 0 elsewhere.
template <int kBlock>
static inline __m128i expand_bits(__m128i bits_vector, uint64_t bits) {
    const __m128i select = _mm_set_epi8(-128, 64, 32, 16, 8, 4, 2, 1, -128, 64, 32, 16, 8, 4, 2, 1);
#if FLIPADD_SSSE3
    (void)bits;
    constexpr char lo = 2 * kBlock, hi = 2 * kBlock + 1;
    __m128i spread = _mm_shuffle_epi8(
        bits_vector, _mm_set_epi8(hi, hi, hi, hi, hi, hi, hi, hi, lo, lo, lo, lo, lo, lo, lo, lo));
#else
    (void)bits_vector;
    __m128i spread = _mm_cvtsi32_si128(static_cast<int>((bits >> (16 * kBlock)) & 0xFFFF));
    spread = _mm_unpacklo_epi8(spread, spread);
    spread = _mm_unpacklo_epi16(spread, spread);
    spread = _mm_unpacklo_epi32(spread, spread);
#endif
    return _mm_cmpeq_epi8(_mm_and_si128(spread, select), select);
}

// Adds kBlocks vectors of 16 positions, from position 16 * block up, with `carry` entering
// the lowest; returns the carry out of the highest. Always inlined into the loop of the step:
// as a call, the Windows calling convention would save and restore seven vector registers
// and reload the constants for every 64 digits.
template <int kBlocks>
__attribute__((always_inline)) static inline uint64_t add_blocks(const uint8_t *src, uint8_t *dst,
                                                                 std::ptrdiff_t n,
                                                                 std::ptrdiff_t block,
                                                                 uint64_t carry) {
    const __m128i eight = _mm_set1_epi8(8);
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i ten = _mm_set1_epi8(10);
    __m128i sum[kBlocks];
    uint64_t generate = 0, reach = 0;
    each_block<kBlocks>([&](auto j) {
        const std::ptrdiff_t b = block + j;
        const __m128i fwd =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + kGuard + 16 * b));
        const __m128i rev = reverse16(
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + kGuard + n - 16 * (b + 1))));
        sum[j] = _mm_add_epi8(fwd, rev);
        generate |= static_cast<uint64_t>(
                        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpgt_epi8(sum[j], nine))))
                    << (16 * j);
        reach |= static_cast<uint64_t>(
                     static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpgt_epi8(sum[j], eight))))
                 << (16 * j);
    });
    uint64_t total;
    const bool over1 = __builtin_add_overflow(reach, generate, &total);
    const bool over2 = __builtin_add_overflow(total, carry, &total);
    const uint64_t carries_in = total ^ reach ^ generate;
    const __m128i carries_vector = _mm_cvtsi64_si128(static_cast<long long>(carries_in));
    each_block<kBlocks>([&](auto j) {
        // Subtracting the 0xFF bytes adds the carries.
        __m128i digits = _mm_sub_epi8(sum[j], expand_bits<j>(carries_vector, carries_in));
        // Unsigned minimum of d and d - 10: d - 10 when d >= 10, else d (d - 10 wraps high).
        digits = _mm_min_epu8(digits, _mm_sub_epi8(digits, ten));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + kGuard + 16 * (block + j)), digits);
    });
    if constexpr (kBlocks == 4) {
        return static_cast<uint64_t>(over1 || over2);
    } else {
        return (total >> (16 * kBlocks)) & 1;
    }
}

// The whole step: N div 16 + 1 vectors cover positions 0 to N.
static uint32_t flipadd(const uint8_t *src, uint8_t *dst, std::ptrdiff_t n) {
    const std::ptrdiff_t blocks = n / 16 + 1;
    std::ptrdiff_t b = 0;
    uint64_t carry = 0;
    for (; b + 4 <= blocks; b += 4) carry = add_blocks<4>(src, dst, n, b, carry);
    switch (blocks - b) {
    case 3: add_blocks<3>(src, dst, n, b, carry); break;
    case 2: add_blocks<2>(src, dst, n, b, carry); break;
    case 1: add_blocks<1>(src, dst, n, b, carry); break;
    default: break;
    }
    return 0;
}

}  // namespace FLIPADD_SSE_NS
