// The formatted writers against the language runtime itself: every case that a small gfortran
// program wrote at build time (formats with scale factors, nH literals, large repeat counts,
// literals, positions and signs over values from tiny to huge) is written again through the
// library's public routines and must give the same text, or fail where the runtime's field
// overflowed.
#include "base/conversion.h"
#include "base/errors.h"
#include "error_status.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr int kRecord = 400;

double FromBits(const std::string &hex) {
    uint64_t bits = std::strtoull(hex.c_str(), nullptr, 16);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(FormatWriter, AgreesWithTheRuntimeOverManyFormatsAndValues) {
    int level = 0;
    idebuglevel_(&level);
    std::ifstream oracle(QUILL_FORMAT_ORACLE);
    ASSERT_TRUE(oracle) << "cannot read " << QUILL_FORMAT_ORACLE;
    std::string head, value, expected;
    int cases = 0, overflowed = 0;
    while (std::getline(oracle, head) && std::getline(oracle, value) &&
           std::getline(oracle, expected)) {
        ASSERT_GE(head.size(), 3u);
        const std::string format = head.substr(2);
        std::string text(kRecord, '#');
        LastError();
        if (head[0] == 'I') {
            int v = std::atoi(value.c_str());
            integertostring_(&v, &text[0], format.data(), kRecord, static_cast<int>(format.size()));
        } else {
            double v = FromBits(value);
            idoubletostring_(&v, &text[0], format.data(), kRecord, static_cast<int>(format.size()));
        }
        int error = LastError();
        SCOPED_TRACE(format + " of " + value);
        if (expected.find('*') != std::string::npos) {
            // The runtime filled a field with asterisks: the library's write fails as a whole.
            EXPECT_EQ(error, 18);
            EXPECT_EQ(text.find_first_not_of("* "), std::string::npos) << text;
            ++overflowed;
        } else {
            expected.resize(kRecord, ' ');
            EXPECT_EQ(text, expected);
            EXPECT_EQ(error, 0);
        }
        ++cases;
    }
    EXPECT_GT(cases, 1300);
    EXPECT_LT(overflowed, cases / 10);
}

}  // namespace
