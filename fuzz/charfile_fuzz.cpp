// Character files and quoted texts from outside: a file of the input's bytes read through the
// character-file routines in chunks and at positions the input chooses, and the input's text
// through the quote doubling and undoubling.
#include <vector>

#include "base/files.h"
#include "fuzz_input.h"
#include "quillamorph/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    std::string path = fuzz::ScratchFile(data, size, ".chr");
    if (path.empty()) return 0;
    int mode = 0, handle = -1;
    ifileopen_(path.c_str(), &mode, &handle, static_cast<int>(path.size()));
    if (handle >= 0) {
        char buffer[97];
        for (std::size_t i = 0; i < size && i < 64; ++i) {
            int want = data[i] % 130 - 10;  // also negative and beyond the buffer
            int got = 0;
            if (data[i] % 7 == 0) {
                int offset = static_cast<int>(data[i]) - 100, origin = data[i] % 3;
                ifileseek_(&handle, &offset, &origin);
            }
            ifilereadchar_(&handle, buffer, &want, &got, sizeof buffer);
            if (got <= 0 && data[i] % 2) break;
        }
        ifileclose_(&handle);
    }
    std::remove(path.c_str());

    std::vector<char> text(reinterpret_cast<const char *>(data),
                           reinterpret_cast<const char *>(data) + size);
    text.resize(size * 2 + 1, ' ');
    yyexpandquotes_(text.data(), static_cast<int>(text.size()));
    yycompressquotes_(text.data(), static_cast<int>(text.size()));
    return 0;
}
