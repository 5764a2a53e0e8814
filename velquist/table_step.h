// The earlier program's reverse-and-add step: one decimal digit per 32-bit integer, a
// digit-at-a-time pass with table-driven carries, over two fixed arrays.
//
// Layout of the two arrays (the caller owns them; see TableArrays for storage of a given size):
//   number:   number[-1] .. number[capacity + 1]. number[1] is the most significant digit and
//             number[digit_count] the least significant; number[0] is the carry cell and
//             number[-1] stays 0. Both are 0 before every step.
//   reversed: reversed[1] .. reversed[capacity]; after every step reversed[j] holds
//             number[digit_count + 1 - j] (reversed[0] is unused).
// Pointers passed below address element 0 of each array.
#ifndef VELQUIST_TABLE_STEP_H
#define VELQUIST_TABLE_STEP_H

#include <cstdint>
#include <vector>

namespace velquist {

// The most digits the arrays of the program hold; the search stops when the number reaches it.
constexpr int32_t kDigitCapacity = 25000000;

// mod10[s] = s mod 10 and carry[s] = s div 10, for digit sums s = 0 to 20.
extern const int32_t kMod10Table[21];
extern const int32_t kCarryTable[21];

// reversed[j] := number[digit_count + 1 - j] for j = 1 to digit_count.
void table_reverse(const int32_t *number, int32_t *reversed, int32_t digit_count);

// One reverse-and-add step in place: number := number + reversed, digit by digit from the
// least significant end, then, if the carry cell is not 0, the digits move up one place so
// that the carry becomes the most significant digit; finally reversed is rebuilt from the
// sum. The number must have room for digit_count + 1 digits. Returns the new digit count
// (digit_count or digit_count + 1).
int32_t table_step(int32_t *number, int32_t *reversed, int32_t digit_count);

// True when number[k] = reversed[k] for every k from 1 to digit_count.
bool table_is_palindrome(const int32_t *number, const int32_t *reversed, int32_t digit_count);

// Storage for the two arrays with room for `capacity` digits, zero-filled.
struct TableArrays {
    std::vector<int32_t> number_store;    // elements -1 .. capacity + 1
    std::vector<int32_t> reversed_store;  // elements 0 .. capacity
    int32_t capacity = 0;

    explicit TableArrays(int32_t digits);
    int32_t *number() { return number_store.data() + 1; }
    int32_t *reversed() { return reversed_store.data(); }
    const int32_t *number() const { return number_store.data() + 1; }
    const int32_t *reversed() const { return reversed_store.data(); }
};

}  // namespace velquist

#endif
