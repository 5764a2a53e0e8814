// Test fixture of the dialog tests: the library started with its root window hidden, as both
// programs start it, and closed again after each test.
#ifndef QUILL_TESTS_LIBRARY_ROOT_H
#define QUILL_TESTS_LIBRARY_ROOT_H

#include <gtest/gtest.h>

#include "quillamorph.h"

class LibraryRoot : public ::testing::Test {
protected:
    void SetUp() override {
        winitialise_(nullptr, 0);
        int flags = 128;
        windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
        int one = 1;
        infoerror_(&one);
    }
    void TearDown() override { windowclose_(); }
};

#endif
