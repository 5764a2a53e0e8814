// Grid text files from outside: the input's bytes cut into fields in blocks of a size the
// input's first byte chooses, with a small field limit; every block size must give the same
// fields as reading the whole input at once.
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "grid/grid_file.h"

namespace {

struct Fields {
    std::vector<std::string> texts;
    std::vector<bool> ends;
    GridScanEnd end;
};

Fields Scan(const std::string &text, std::size_t block, std::size_t keep) {
    Fields fields;
    std::size_t at = 0;
    fields.end = quill::ScanGridFields(
        static_cast<long long>(text.size()), block, keep,
        [&](char *bytes, std::size_t count) -> long long {
            std::size_t n = count < text.size() - at ? count : text.size() - at;
            text.copy(bytes, n, at);
            at += n;
            return (long long)n;
        },
        [&](const std::string &field, bool endOfLine) {
            fields.texts.push_back(field);
            fields.ends.push_back(endOfLine);
            // Some lines are passed over after their second field, as the grid does past
            // its last column.
            return fields.texts.size() % 5 == 2 && !endOfLine ? GridFieldNext::kSkipLine
                                                              : GridFieldNext::kGoOn;
        });
    return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t block = 1 + data[0] % 17, keep = 1 + (data[0] / 17) % 16 * 4;
    std::string text = fuzz::Text(data + 1, size - 1);
    Fields small = Scan(text, block, keep), whole = Scan(text, text.size() + 1, keep);
    if (small.texts != whole.texts || small.ends != whole.ends || small.end != whole.end)
        __builtin_trap();
    for (const std::string &field : small.texts)
        if (field.size() > keep) __builtin_trap();
    return 0;
}
