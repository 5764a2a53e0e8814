// The kernel choice of the main dialog's "Flip and Add" group, and digit buffer storage.
#include "flipadd.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace velquist3 {

const FlipaddKernel kFlipaddKernels[kFlipaddKernelCount] = {
    {1, 1038, "386, 486, PI or Pentium Pro - Uses GPR's", "flipadd_gpr", flipadd_gpr},
    {2, 1040, "K6-2 - Uses MMX and 3DNow!", "flipadd_k62", flipadd_k62},
    {3, 1042, "PI MMX or PII - Uses MMX", "flipadd_mmx", flipadd_mmx},
    {4, 1043, "PIII - Uses MMX and SSE", "flipadd_piii", flipadd_piii},
    {5, 1044, "Athlon - Uses MMX, 3DNow! and SSE", "flipadd_athlon", flipadd_athlon},
    {6, 1045, "P4 - Uses MMX, SSE", "flipadd_p4", flipadd_p4},
    {7, 1048, "Athlon 64 - Uses GPR's with Prefetch", "flipadd_gpr_prefetch", flipadd_gpr_prefetch},
};

const FlipaddKernel *flipadd_kernel(int32_t kernel_choice) {
    if (kernel_choice < 1 || kernel_choice > kFlipaddKernelCount) return nullptr;
    return &kFlipaddKernels[kernel_choice - 1];
}

namespace {
// Guard, carry position and slack around the digits.
constexpr std::size_t kOverhead = kFlipaddGuard + 1 + kFlipaddSlack;
}  // namespace

std::size_t digit_buffer_bytes(std::size_t max_digits) {
    // A size that cannot be represented is one that cannot be allocated either.
    return max_digits > SIZE_MAX - kOverhead ? SIZE_MAX : max_digits + kOverhead;
}

std::size_t digit_buffer_capacity(std::size_t bytes) {
    return bytes > kOverhead ? bytes - kOverhead : 0;
}

namespace {
constexpr std::size_t kPageBytes = 4096;
// Where the second buffer starts within its page.
constexpr std::size_t kSecondSlotOffset = kPageBytes / 2;
}  // namespace

// The block holds the allocator's pointer just below the buffer, then the buffer at its place in
// a page; digit_buffer_free reads the pointer back from there.
uint8_t *digit_buffer_alloc(std::size_t bytes, DigitBufferSlot slot) {
    const std::size_t offset = slot == DigitBufferSlot::kSecond ? kSecondSlotOffset : 0;
    const std::size_t extra = sizeof(void *) + kPageBytes + offset;
    if (bytes > SIZE_MAX - extra) return nullptr;
    void *block = std::calloc(bytes + extra, 1);
    if (!block) return nullptr;
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(block) + sizeof(void *);
    const std::uintptr_t page = (first + kPageBytes - 1) & ~std::uintptr_t{kPageBytes - 1};
    uint8_t *buffer = reinterpret_cast<uint8_t *>(page + offset);
    std::memcpy(buffer - sizeof(void *), &block, sizeof(void *));
    return buffer;
}

void digit_buffer_free(uint8_t *buffer) {
    if (!buffer) return;
    void *block;
    std::memcpy(&block, buffer - sizeof(void *), sizeof(void *));
    std::free(block);
}

}  // namespace velquist3
