// The kernel choice of the main dialog's "Flip and Add" group, and digit buffer storage.
#include "flipadd.h"

#include <cstdint>
#include <cstdlib>

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

uint8_t *digit_buffer_alloc(std::size_t bytes) {
    return static_cast<uint8_t *>(std::calloc(bytes == 0 ? 1 : bytes, 1));
}

void digit_buffer_free(uint8_t *buffer) { std::free(buffer); }

}  // namespace velquist3
