// Dialog attribute blocks from outside: every line read as the dialog reads it, with the
// values and item lines of its section.
#include <climits>

#include "core/dialog_attributes.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    AttributeReader reader;
    yyattrbegin(&reader, reinterpret_cast<const char *>(data), size);
    AttributeLine line;
    int section = kSectionNone;
    std::string item;
    while (yyattrnext(&reader, &line)) {
        if (line.header != kSectionNone) {
            section = line.header;
            continue;
        }
        const char *p = line.rest;
        const char *end = line.rest + line.restLen;
        int low = 0, high = 0;
        switch (section) {
        case kSectionRanges:
            yyattrintrange(&p, end, 0, 0xFFFF, &low, &high);
            p = line.rest;
            yyattrintrange(&p, end, INT_MIN, INT_MAX, &low, &high);
            break;
        case kSectionMenus:
        case kSectionTabs: {
            int count = yyattrint(&p, end);
            yyattrint(&p, end);
            for (int i = 0; i < count && i < 64 && yyattritem(&reader, &item); ++i) {
                yyattrmenuitem(item);
                yyattrtabcaption(item);
            }
            break;
        }
        case kSectionColours: {
            int red = yyattrint(&p, end), green = yyattrint(&p, end), blue = yyattrint(&p, end);
            yyattrcolour(0, red, green, blue);
            break;
        }
        case kSectionGrids:
            yyattrconsume(&reader, &line, static_cast<std::size_t>(yyattrint(&p, end) & 0xFF));
            break;
        default:
            for (int i = 0; i < 8; ++i) yyattrreal(&p, end);
            break;
        }
    }
    return 0;
}
