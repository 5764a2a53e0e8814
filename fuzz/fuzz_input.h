// What the fuzz targets share: quiet error reports, the input as text, and a scratch file of
// the input's bytes for the parsers that read files.
#ifndef FUZZ_FUZZ_INPUT_H
#define FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "base/errors.h"

// Errors the parsers report are expected here: they are recorded, never shown.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    int level = 0;
    idebuglevel_(&level);
    return 0;
}

namespace fuzz {

inline std::string Text(const uint8_t *data, std::size_t size) {
    return std::string(reinterpret_cast<const char *>(data), size);
}

// A file of this process's own in the temporary folder, holding the input's bytes.
inline std::string ScratchFile(const uint8_t *data, std::size_t size, const char *suffix) {
    std::string path = "/tmp/quill_fuzz_" + std::to_string(getpid()) + suffix;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return std::string();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

}  // namespace fuzz

#endif
