// The table-driven reverse-and-add step over 32-bit digits. Every digit sum is at most
// 9 + 9 + 1 = 19, so two 21-entry tables replace the division and the compare per digit.
#include "table_step.h"

#include <cstddef>

namespace velquist {

const int32_t kMod10Table[21] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
const int32_t kCarryTable[21] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};

void table_reverse(const int32_t *number, int32_t *reversed, int32_t digit_count) {
    for (int32_t j = 1; j <= digit_count; ++j) reversed[j] = number[digit_count + 1 - j];
}

int32_t table_step(int32_t *number, int32_t *reversed, int32_t digit_count) {
    // Add from the least significant digit; each position passes its carry into the cell
    // above it, which is summed in turn (the carry cell number[0] takes the last one).
    for (int32_t i = digit_count; i >= 1; --i) {
        int32_t s = number[i] + reversed[i];
        number[i - 1] += kCarryTable[s];
        number[i] = kMod10Table[s];
    }
    if (number[0] != 0) {
        ++digit_count;
        for (int32_t k = digit_count - 1; k >= 0; --k) number[k + 1] = number[k];
        number[-1] = 0;
        number[0] = 0;
    }
    table_reverse(number, reversed, digit_count);
    return digit_count;
}

bool table_is_palindrome(const int32_t *number, const int32_t *reversed, int32_t digit_count) {
    for (int32_t k = 1; k <= digit_count; ++k)
        if (number[k] != reversed[k]) return false;
    return true;
}

TableArrays::TableArrays(int32_t digits)
    : number_store(static_cast<std::size_t>(digits) + 3, 0),
      reversed_store(static_cast<std::size_t>(digits) + 1, 0),
      capacity(digits) {}

}  // namespace velquist
