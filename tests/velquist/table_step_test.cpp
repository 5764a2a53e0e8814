// The table-driven step: known values from 196 and 89, growth of the digit count, the rebuilt
// reversed copy, and agreement with a plain schoolbook reverse-and-add over random numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "velquist/table_step.h"

using velquist::TableArrays;

namespace {

// Loads decimal text (most significant first) into the arrays and builds the reversed copy.
int32_t load(TableArrays &a, const std::string &text) {
    int32_t n = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < n; ++i) a.number()[i + 1] = text[i] - '0';
    a.number()[0] = 0;
    a.number()[n + 1] = 0;
    velquist::table_reverse(a.number(), a.reversed(), n);
    return n;
}

std::string text_of(const TableArrays &a, int32_t n) {
    std::string s;
    for (int32_t i = 1; i <= n; ++i) s += static_cast<char>('0' + a.number()[i]);
    return s;
}

// One step on the N digits of the arrays: the number after it as text, its digit count in N.
std::string step_text(TableArrays &a, int32_t *n) {
    *n = velquist::table_step(a.number(), a.reversed(), *n);
    return text_of(a, *n);
}

// Schoolbook reverse-and-add on decimal text.
std::string reference_step(const std::string &x) {
    std::string r(x.rbegin(), x.rend());
    std::string out;
    int carry = 0;
    for (size_t i = x.size(); i-- > 0;) {
        int s = (x[i] - '0') + (r[i] - '0') + carry;
        out += static_cast<char>('0' + s % 10);
        carry = s / 10;
    }
    if (carry) out += '1';
    std::reverse(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(TableStep, TablesCoverEverySumUpTo20) {
    for (int s = 0; s <= 20; ++s) {
        EXPECT_EQ(velquist::kMod10Table[s], s % 10) << "sum " << s;
        EXPECT_EQ(velquist::kCarryTable[s], s / 10) << "sum " << s;
    }
}

TEST(TableStep, From196OneAndTwoSteps) {
    TableArrays a(16);
    int32_t n = load(a, "196");
    EXPECT_EQ(step_text(a, &n), "887");
    EXPECT_EQ(n, 3);
    EXPECT_EQ(a.number()[0], 0) << "carry cell after a step without growth";
    EXPECT_EQ(step_text(a, &n), "1675");
    EXPECT_EQ(n, 4);
    EXPECT_EQ(a.number()[-1], 0);
    EXPECT_EQ(a.number()[0], 0);
    for (int32_t j = 1; j <= n; ++j) EXPECT_EQ(a.reversed()[j], a.number()[n + 1 - j]) << "j " << j;
}

TEST(TableStep, EightyNineBecomesAPalindromeAtStep24) {
    TableArrays a(32);
    int32_t n = load(a, "89");
    int steps = 0;
    while (!velquist::table_is_palindrome(a.number(), a.reversed(), n) && steps < 100) {
        n = velquist::table_step(a.number(), a.reversed(), n);
        ++steps;
    }
    EXPECT_EQ(steps, 24);
    EXPECT_EQ(n, 13);
    EXPECT_EQ(text_of(a, n), "8813200023188");
}

TEST(TableStep, PalindromeTestComparesEveryDigit) {
    TableArrays a(16);
    int32_t n = load(a, "12321");
    EXPECT_TRUE(velquist::table_is_palindrome(a.number(), a.reversed(), n));
    n = load(a, "12331");
    EXPECT_FALSE(velquist::table_is_palindrome(a.number(), a.reversed(), n));
    n = load(a, "7");
    EXPECT_TRUE(velquist::table_is_palindrome(a.number(), a.reversed(), n));
}

TEST(TableStep, AllNinesCarryIntoANewDigit) {
    TableArrays a(16);
    int32_t n = load(a, "99999");
    EXPECT_EQ(step_text(a, &n), "199998");
    EXPECT_EQ(n, 6);
}

TEST(TableStep, AgreesWithSchoolbookAdditionOnRandomNumbers) {
    std::mt19937 rng(12345);
    for (int trial = 0; trial < 200; ++trial) {
        int len = 1 + static_cast<int>(rng() % 300);
        std::string x;
        x += static_cast<char>('1' + rng() % 9);
        while (static_cast<int>(x.size()) < len) x += static_cast<char>('0' + rng() % 10);
        TableArrays a(400);
        int32_t n = load(a, x);
        for (int step = 0; step < 5; ++step) {
            x = reference_step(x);
            n = velquist::table_step(a.number(), a.reversed(), n);
            ASSERT_EQ(text_of(a, n), x) << "trial " << trial << " step " << step;
        }
    }
}
