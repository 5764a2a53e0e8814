// Memory compression: round trips, zlib's failures as error 1044 with its status, and
// refused lengths.
#include "base/compression.h"
#include "base/errors.h"
#include "error_status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Compression : public ::testing::Test {
protected:
    void SetUp() override {
        for (int item = 1; item <= 3; ++item) ErrorInfo(item);
    }
};

TEST_F(Compression, RoundTripBothForms) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "reverse and add " + std::to_string(i % 7);
    std::vector<unsigned char> packed(text.size() + 64);
    int n = static_cast<int>(text.size()), size = static_cast<int>(packed.size());
    wcompress1_(text.data(), packed.data(), &n, &size);
    ASSERT_GT(size, 0);
    EXPECT_LT(size, n);
    EXPECT_EQ(0x78, packed[0]) << "a zlib stream";
    std::vector<int> words(text.size() / 4 + 1);
    int out = static_cast<int>(words.size() * 4);
    wuncompress2_(packed.data(), words.data(), &size, &out);
    EXPECT_EQ(n, out);
    EXPECT_EQ(text,
              std::string(reinterpret_cast<char *>(words.data()), static_cast<std::size_t>(out)));
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(Compression, EmptySourceGivesAShortValidStream) {
    unsigned char packed[32];
    int n = 0, size = 32;
    wcompress2_("", packed, &n, &size);
    EXPECT_GT(size, 0);
    EXPECT_LE(size, 16);
    char out[4];
    int outsize = 4;
    wuncompress1_(packed, out, &size, &outsize);
    EXPECT_EQ(0, outsize);
    EXPECT_EQ(0, ErrorInfo(1));
}

TEST_F(Compression, DestinationOneByteShortIsABufferError) {
    std::string text(1000, 'a');
    std::vector<unsigned char> packed(2000);
    int n = 1000, size = 2000;
    wcompress1_(text.data(), packed.data(), &n, &size);
    int need = size;
    size = need - 1;
    wcompress1_(text.data(), packed.data(), &n, &size);
    EXPECT_EQ(0, size);
    EXPECT_EQ(1044, ErrorInfo(1));
    EXPECT_EQ(-5, ErrorInfo(3));

    size = need;
    wcompress1_(text.data(), packed.data(), &n, &size);
    std::vector<char> out(999);
    int outsize = 999;
    wuncompress1_(packed.data(), out.data(), &size, &outsize);
    EXPECT_EQ(0, outsize);
    EXPECT_EQ(1044, ErrorInfo(1));
    EXPECT_NE(0, ErrorInfo(3));
}

TEST_F(Compression, DamagedStreamAndNegativeLengths) {
    unsigned char junk[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    char out[64];
    int n = 8, size = 64;
    wuncompress2_(junk, out, &n, &size);
    EXPECT_EQ(0, size);
    EXPECT_EQ(1044, ErrorInfo(1));
    EXPECT_EQ(-3, ErrorInfo(3));

    n = -1;
    size = 64;
    wcompress1_(junk, out, &n, &size);
    EXPECT_EQ(0, size);
    EXPECT_EQ(1044, ErrorInfo(1));
    n = 8;
    size = -64;
    wuncompress1_(junk, out, &n, &size);
    EXPECT_EQ(0, size);
    EXPECT_EQ(1044, ErrorInfo(1));
}

}  // namespace
