// A long number of pseudo-random digits for the search tests, with the starting integer its
// checkpoint must name to pass the file check at an iteration count that is a multiple of 6:
// the digit sum's residue modulo 9 (9 for 0).
#ifndef VELQUIST3_TESTS_LONG_NUMBER_H
#define VELQUIST3_TESTS_LONG_NUMBER_H

#include <cstddef>
#include <vector>

struct LongNumber {
    std::vector<unsigned char> digits;  // least significant first
    int start = 0;
};

// n digits drawn from seed, the most significant of them set to leading.
inline LongNumber MakeLongNumber(int n, unsigned seed, unsigned char leading) {
    LongNumber number;
    number.digits.resize(static_cast<std::size_t>(n));
    for (unsigned char &digit : number.digits) {
        seed = seed * 1103515245u + 12345u;
        digit = static_cast<unsigned char>((seed >> 16) % 10);
    }
    number.digits.back() = leading;
    long long sum = 0;
    for (unsigned char d : number.digits) sum += d;
    number.start = sum % 9 == 0 ? 9 : static_cast<int>(sum % 9);
    return number;
}

#endif
