// The run-time format writer on any format text: the first eight bytes are the value (its bits
// as a double and as an integer), the rest is the format.
#include <cstring>

#include "base/conversion.h"
#include "base/format.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    if (size < 8) return 0;
    double d;
    int64_t bits;
    std::memcpy(&d, data, 8);
    std::memcpy(&bits, data, 8);
    const std::string format = fuzz::Text(data + 8, size - 8);
    const int flen = static_cast<int>(format.size());
    std::string record;
    quill::FormatWrite(FormatValue{false, 0, d}, format.data(), flen, 200, record);
    quill::FormatWrite(FormatValue{true, bits, 0.0}, format.data(), flen, 200, record);
    char text[120];
    int i = static_cast<int>(bits);
    idoubletostring_(&d, text, format.data(), sizeof text, flen);
    integertostring_(&i, text, format.data(), sizeof text, flen);
    return 0;
}
