// The kernels that need no special instructions: decimal addition of several one-byte digits in
// one general-purpose word (SWAR).
//
// The bias trick: each lane of a word holds a digit sum s of at most 9 + 9 + 1 = 19. Adding
// 0xF6 (256 - 10) to a lane makes it overflow into the next lane exactly when s >= 10, leaving
// s - 10; otherwise the lane holds 0xF6 + s. The top lane gets 0x76 (128 - 10) instead, so that
// its bit 7 (the word's top bit) is the carry out of the word. Bits 5 and 6 of a lane are both
// set exactly when it did not carry; subtracting (lane AND 0x60) >> 4 = 6 from those lanes
// turns them into 0xF0 + s or 0x70 + s, and the low nibble of every lane is then its digit.
// No lane ever receives more than one carry, so no compare is needed per digit.
#include "flipadd.h"
#include "flipadd_words.h"

namespace velquist3 {

namespace {

constexpr uint32_t kNoCarry32 = 0x60606060u;
constexpr uint64_t kNoCarry64 = 0x6060606060606060ull;
constexpr uint64_t kDigits64 = 0x0F0F0F0F0F0F0F0Full;

// Bias of the kernels that add the two 32-bit halves of a 64-bit word separately: the 32-bit
// bias in both halves.
constexpr uint64_t kBiasPair = 0x76F6F6F676F6F6F6ull;
constexpr uint64_t kLowHalfCarryTarget = 0x0000000100000000ull;

constexpr std::ptrdiff_t kGuard = static_cast<std::ptrdiff_t>(kFlipaddGuard);

// sizeof(Word) digits a step in one addition of a whole word (4 digits in 32-bit words for
// flipadd_gpr, 8 in 64-bit words for flipadd_gpr_prefetch). Word k adds the digits from
// position w * k up to the reversed digits from N - 1 - w * k down; N div w + 1 words cover
// positions 0 to N. Returns the AND of all no-carry masks, folded to 32 bits, XOR 0x60606060:
// non-zero when some position carried (the same value for both widths, since the positions
// above N never carry).
template <typename Word>
uint32_t swar_words(const uint8_t *src, uint8_t *dst, int32_t n) {
    constexpr std::ptrdiff_t kWidth = sizeof(Word);
    constexpr Word kLanes = static_cast<Word>(~Word{0} / 0xFF);  // 0x01 in every lane
    constexpr Word kBias = static_cast<Word>(kLanes * 0xF6 - (Word{0x80} << (8 * kWidth - 8)));
    constexpr Word kNoCarry = static_cast<Word>(kLanes * 0x60);
    constexpr Word kDigits = static_cast<Word>(kLanes * 0x0F);
    Word carry = 0;
    Word mask = static_cast<Word>(~Word{0});
    const std::ptrdiff_t words_count = n / kWidth + 1;
    auto step = [&](std::ptrdiff_t k) {
        const std::ptrdiff_t fwd = kGuard + kWidth * k;
        const std::ptrdiff_t rev = kGuard + n - kWidth - kWidth * k;
        // The carry is added last and taken before the correction (which leaves the top bit
        // alone), so that only two operations a word wait for the previous word.
        Word x = static_cast<Word>(words::load_reversed<Word>(src + rev) +
                                   words::load<Word>(src + fwd) + kBias);
        x = static_cast<Word>(x + carry);
        carry = static_cast<Word>(x >> (8 * kWidth - 1));
        const Word m = x & kNoCarry;
        x = static_cast<Word>(x - (m >> 4));
        words::store<Word>(dst + fwd, x & kDigits);
        mask &= m;
    };
    // Two words a pass. With one word a pass the 32-bit loop is about 70 bytes of code that
    // runs a fifth slower on some processors when it starts in the first quarter of a 64-byte
    // line; the loop of two runs at the same speed wherever it starts, and no slower than the
    // loop of one at its best.
    std::ptrdiff_t k = 0;
    for (; k + 1 < words_count; k += 2) {
        step(k);
        step(k + 1);
    }
    if (k < words_count) step(k);
    uint32_t folded = static_cast<uint32_t>(mask);
    if constexpr (kWidth == 8) folded &= static_cast<uint32_t>(mask >> 32);
    return folded ^ kNoCarry32;
}

// How a 64-bit kernel moves the carry of the low 32-bit half into bit 0 of the high half.
enum class CarryMove {
    kShiftWord,   // copy, 64-bit shift left 1, AND 0x0000000100000000
    kShiftHalves  // each half shifted right 31, then the word shifted left 32
};

// Where a 64-bit kernel reads ahead of its streams.
enum class LookAhead {
    kTop16,  // 16 bytes below the reversed and above the forward position, at the top of a loop
    kEnd8    // 8 bytes beyond the next positions, at the end of a loop
};

// Sixteen digits a loop as two 8-digit steps in 64-bit words whose 32-bit halves are added
// separately (as packed doubleword additions would), the low half's carry then moved into the
// high half and added. A plain 64-bit addition is the same as the two half additions here:
// the top lane of the low half holds at most 0x89 and never overflows its half.
// (N - 4) div 16 + 2 loops for N of 4 or more, 1 loop below, cover positions 0 to N.
template <CarryMove kMove, LookAhead kAhead>
uint32_t swar64_halves(const uint8_t *src, uint8_t *dst, int32_t n) {
    const std::ptrdiff_t loops = n < 4 ? 1 : (n - 4) / 16 + 2;
    std::ptrdiff_t fwd = kGuard;
    std::ptrdiff_t rev = kGuard + n - 4;
    uint64_t carry = 0;
    for (std::ptrdiff_t g = 0; g < loops; ++g) {
        if (kAhead == LookAhead::kTop16) {
            words::look_ahead(src, rev - 16);
            words::look_ahead(src, fwd + 16);
        }
        for (int step = 0; step < 2; ++step) {
            // The reversed digits N-1-8k .. N-8-8k: the two byte-reversed 32-bit loads from
            // rev (lanes 0 to 3) and rev - 4 (lanes 4 to 7) are one reversed 64-bit load.
            const uint64_t r = words::load_reversed<uint64_t>(src + rev - 4);
            uint64_t x = r + words::load64(src + fwd) + kBiasPair;
            x += carry;
            const uint64_t moved = kMove == CarryMove::kShiftWord
                                       ? (x << 1) & kLowHalfCarryTarget
                                       : ((x >> 31) & 0x0000000100000001ull) << 32;
            x += moved;
            carry = x >> 63;  // the correction below leaves bit 63 alone
            const uint64_t m = x & kNoCarry64;
            x -= m >> 4;
            words::store64(dst + fwd, x & kDigits64);
            fwd += 8;
            rev -= 8;
        }
        if (kAhead == LookAhead::kEnd8) {
            words::look_ahead(src, rev - 8);
            words::look_ahead(src, fwd + 8);
        }
    }
    return 0;
}

}  // namespace

uint32_t flipadd_gpr(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : swar_words<uint32_t>(src, dst, *n);
}

// The look-ahead reads of this kernel, 8 bytes beyond each stream before every word, are left
// to the processor: both streams run through memory in order, which the processor's own
// prefetching follows, and two hints a word (eight for every 64-byte line) only cost
// instructions in a loop whose speed is its instruction count.
uint32_t flipadd_gpr_prefetch(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : swar_words<uint64_t>(src, dst, *n);
}

uint32_t flipadd_k62(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : swar64_halves<CarryMove::kShiftWord, LookAhead::kTop16>(src, dst, *n);
}

uint32_t flipadd_athlon(const uint8_t *src, uint8_t *dst, const int32_t *n) {
    return *n < 1 ? 0 : swar64_halves<CarryMove::kShiftHalves, LookAhead::kEnd8>(src, dst, *n);
}

}  // namespace velquist3
