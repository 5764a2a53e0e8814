// Reverse-and-add on decimal text, written independently of the programs' kernels, as the
// reference their files are checked against.
#ifndef TESTS_VELQUIST_REVERSE_ADD_H
#define TESTS_VELQUIST_REVERSE_ADD_H

#include <string>

// The number after `steps` reverse-and-add steps, most significant digit first.
inline std::string reverse_and_add(std::string number, int steps) {
    for (int step = 0; step < steps; ++step) {
        std::string sum;
        int carry = 0;
        const std::size_t n = number.size();
        for (std::size_t i = 0; i < n; ++i) {  // from the least significant digit up
            int d = (number[n - 1 - i] - '0') + (number[i] - '0') + carry;
            sum.insert(sum.begin(), static_cast<char>('0' + d % 10));
            carry = d / 10;
        }
        if (carry) sum.insert(sum.begin(), '1');
        number = sum;
    }
    return number;
}

#endif
