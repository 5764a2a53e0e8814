// The reverse-and-add ("Flip and Add") kernels of Velquist3 and the digit buffers they work on.
//
// Digit buffer: a byte array indexed from 0.
//   bytes 0 .. 31            guard, always zero: the reversed stream runs below the first digit
//                            and must read zeros there;
//   byte 32 + i, 0 <= i < N  the digit (0 to 9, not a character) of weight 10^i, least
//                            significant first;
//   every byte above the top digit is zero, including a slack area of kFlipaddSlack bytes
//   past position N that the kernels read and write whole digit groups in.
//
// Every kernel computes DST = SRC + reverse(SRC) over the N digits of SRC: DST[32 + i] for
// i = 0 .. N-1 gets the digit sum with carries, DST[32 + N] the final carry (0 or 1; the caller
// grows N by one when it is not 0), and the positions above it up to the end of the last digit
// group the kernel processed get 0. A kernel never writes DST's guard, reads SRC only inside its
// guard, digits and slack, and leaves every byte past position N + kFlipaddSlack alone. SRC and
// DST are two distinct buffers. N is passed by reference and only read; N below 1 writes
// nothing.
//
// The seven kernels give byte-identical buffers. They differ in how they get there: 4 digits a
// step in 32-bit words, 8 digits a step in 64-bit words (portable, or in MMX registers), and
// 16 digits a vector with SSE.
#ifndef VELQUIST3_FLIPADD_H
#define VELQUIST3_FLIPADD_H

#include <cstddef>
#include <cstdint>

namespace velquist3 {

// Zero bytes below the first digit of a digit buffer.
constexpr std::size_t kFlipaddGuard = 32;
// Bytes past position N that a kernel may read and write.
constexpr std::size_t kFlipaddSlack = 48;

// A kernel: (SRC, DST, N). The 32-bit kernels return a mask that is non-zero when any digit
// position produced a carry; the others return 0. Callers may ignore the result.
typedef uint32_t (*FlipaddFn)(const uint8_t *src, uint8_t *dst, const int32_t *n);

uint32_t flipadd_gpr(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_k62(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_mmx(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_piii(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_athlon(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_p4(const uint8_t *src, uint8_t *dst, const int32_t *n);
uint32_t flipadd_gpr_prefetch(const uint8_t *src, uint8_t *dst, const int32_t *n);
// The form flipadd_p4 takes on a processor without SSSE3 (SSE2 only).
uint32_t flipadd_p4_sse2(const uint8_t *src, uint8_t *dst, const int32_t *n);

// One entry of the kernel choice: the radio button of the main dialog that selects it, its
// label there, and the kernel.
struct FlipaddKernel {
    int32_t choice;     // kernel_choice, 1 to 7: the position of the button in its group
    int32_t radio_id;   // control id of the radio button
    const char *label;  // the button's text
    const char *name;   // the kernel's name
    FlipaddFn fn;
};

constexpr int32_t kFlipaddKernelCount = 7;
// The kernels in the order of their radio buttons.
extern const FlipaddKernel kFlipaddKernels[kFlipaddKernelCount];
// The kernel checked first when the dialog opens.
constexpr int32_t kFlipaddDefaultChoice = 3;

// The entry for kernel_choice 1 to 7; null for any other value.
const FlipaddKernel *flipadd_kernel(int32_t kernel_choice);

// Size in bytes of a digit buffer that holds numbers of up to max_digits digits: the guard,
// the digits, the carry position above them and the slack.
std::size_t digit_buffer_bytes(std::size_t max_digits);
// The largest digit count a kernel may be called with on a buffer of `bytes` bytes (0 when the
// buffer is too small for any).
std::size_t digit_buffer_capacity(std::size_t bytes);
// The two buffers a search steps between. A kernel reads SRC and writes DST at the same digit
// positions at once; were the two at the same offset within a 4096-byte page (as an allocator
// places blocks of one size), each written line would fall into the cache sets of the line read
// beside it, and the processor would take the stores for ones the next loads depend on (they
// match in the address bits it compares). So the first buffer starts on a page and the second
// half a page after one, whatever the allocator does; the search and the benchmarks alike.
enum class DigitBufferSlot { kFirst, kSecond };

// A zero-filled digit buffer of `bytes` bytes, placed for its slot, or null when memory is
// short. Release it with digit_buffer_free.
uint8_t *digit_buffer_alloc(std::size_t bytes, DigitBufferSlot slot);
void digit_buffer_free(uint8_t *buffer);

}  // namespace velquist3

#endif
