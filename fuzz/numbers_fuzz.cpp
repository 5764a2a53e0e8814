// Number readers and normalisers on any text.
#include <cstring>
#include <vector>

#include "base/conversion.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string text = fuzz::Text(data, size);
    const int len = static_cast<int>(text.size());
    int i = 0, ok = 0;
    float r = 0;
    double d = 0;
    istringtointeger_(text.data(), &i, len);
    istringtoreal_(text.data(), &r, len);
    istringtodouble_(text.data(), &d, len);
    yyst2int_(&i, text.data(), len);
    yyst2rea_(&r, text.data(), len);
    yyst2dbl_(&d, text.data(), len);
    yyst2dblcheck_(&d, &ok, text.data(), len);
    // The normalisers write into the text itself: a work copy of at least 64 characters.
    std::vector<char> work(text.begin(), text.end());
    work.resize(work.size() < 64 ? 64 : work.size(), ' ');
    const int wlen = static_cast<int>(work.size());
    std::vector<char> copy = work;
    yyformi_(copy.data(), wlen);
    copy = work;
    yyformr_(copy.data(), "(G15.5E2)", wlen, 9);
    copy = work;
    yyformd_(copy.data(), "(F12.3)", wlen, 7);
    return 0;
}
