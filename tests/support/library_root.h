// Test fixtures that start the library with its root window hidden, as both programs start it:
// LibraryRoot opens and closes it around each test, SharedLibraryRoot once for a whole suite.
#ifndef QUILL_TESTS_LIBRARY_ROOT_H
#define QUILL_TESTS_LIBRARY_ROOT_H

#include <gtest/gtest.h>

#include "quillamorph.h"

// Starts the library and opens its root window with these window flags (128: hidden), of
// WIDTH x HEIGHT pixels when given (else of the library's own size).
inline void OpenLibraryRoot(int flags = 128, int width = 0, int height = 0) {
    winitialise_(nullptr, 0);
    int *w = width > 0 ? &width : nullptr, *h = height > 0 ? &height : nullptr;
    windowopen2_(&flags, nullptr, nullptr, w, h, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
}

class LibraryRoot : public ::testing::Test {
protected:
    void SetUp() override {
        OpenLibraryRoot();
        int one = 1;
        infoerror_(&one);
    }
    void TearDown() override { windowclose_(); }
};

class SharedLibraryRoot : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OpenLibraryRoot(); }
    static void TearDownTestSuite() { windowclose_(); }
};

#endif
