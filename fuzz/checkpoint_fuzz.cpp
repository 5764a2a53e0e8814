// Checkpoint files from outside: the header reader, the digit reader into an array sized from
// the header, and the casting-out-nines check.
#include <vector>

#include "fuzz_input.h"
#include "velquist3/checkpoint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    std::string path = fuzz::ScratchFile(data, size, ".isf");
    if (path.empty()) return 0;
    CheckpointHeader header;
    if (checkpoint_read_header(path, &header).ok() && header.digit_count <= 1 << 20) {
        std::vector<unsigned char> bytes(static_cast<std::size_t>(header.digit_count));
        std::vector<int> words(static_cast<std::size_t>(header.digit_count));
        checkpoint_read_digits(path, &header, bytes.data(), bytes.size());
        checkpoint_read_digits(path, &header, words.data(), words.size() / 2);
        int verdict = -1;
        checkfile(path, header.start_number, header.digit_count, &verdict);
    }
    std::remove(path.c_str());
    return 0;
}
