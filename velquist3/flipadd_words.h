// Word access to digit buffers for the kernels: unaligned little-endian loads and stores,
// byte reversal and look-ahead hints. Internal to the kernels.
#ifndef VELQUIST3_FLIPADD_WORDS_H
#define VELQUIST3_FLIPADD_WORDS_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velquist3 {
namespace words {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the kernels put the lowest digit of a word in its least significant byte");

template <typename Word>
inline Word load(const uint8_t *p) {
    Word v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename Word>
inline void store(uint8_t *p, Word v) {
    std::memcpy(p, &v, sizeof v);
}

inline uint32_t byte_swap(uint32_t v) { return __builtin_bswap32(v); }
inline uint64_t byte_swap(uint64_t v) { return __builtin_bswap64(v); }

// The bytes at p in reverse order: byte 0 of the result is p[sizeof(Word) - 1].
template <typename Word>
inline Word load_reversed(const uint8_t *p) {
    return byte_swap(load<Word>(p));
}

inline uint32_t load32_reversed(const uint8_t *p) { return load_reversed<uint32_t>(p); }
inline uint64_t load64(const uint8_t *p) { return load<uint64_t>(p); }
inline void store64(uint8_t *p, uint64_t v) { store<uint64_t>(p, v); }

// A look-ahead read of buffer byte `index`, as a cache hint only. Indices below the buffer
// (the reversed stream near its end) are skipped, so no address outside it is ever formed.
inline void look_ahead(const uint8_t *buffer, std::ptrdiff_t index) {
    if (index >= 0) __builtin_prefetch(buffer + index);
}

}  // namespace words
}  // namespace velquist3

#endif
