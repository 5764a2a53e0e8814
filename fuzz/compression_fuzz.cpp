// Compressed data from outside: any bytes uncompressed into a bounded buffer, and any bytes
// compressed and uncompressed back to themselves.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/compression.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    if (size > 1 << 16) return 0;
    const int n = static_cast<int>(size);
    std::vector<unsigned char> out(1 << 16);
    int outlen = static_cast<int>(out.size()), status = 0;
    yyzuncom_(data, out.data(), &n, &outlen, &status);

    std::vector<unsigned char> packed(size + size / 100 + 64);
    int packedlen = static_cast<int>(packed.size());
    yyzcompr_(data, packed.data(), &n, &packedlen, &status);
    if (status != 0) std::abort();
    std::vector<unsigned char> back(size + 1);
    int backlen = static_cast<int>(back.size());
    yyzuncom_(packed.data(), back.data(), &packedlen, &backlen, &status);
    if (status != 0 || backlen != n || (n && std::memcmp(back.data(), data, size) != 0))
        std::abort();
    return 0;
}
