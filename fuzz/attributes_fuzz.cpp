// Dialog attribute blocks from outside: every line read as the dialog reads it, with the
// values and item lines of its section.
#include <climits>

#include "core/dialog_attributes.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    AttributeReader reader;
    quill::BeginAttributeReader(&reader, reinterpret_cast<const char *>(data), size);
    AttributeLine line;
    int section = kSectionNone;
    std::string item;
    while (quill::NextAttributeLine(&reader, &line)) {
        if (line.header != kSectionNone) {
            section = line.header;
            continue;
        }
        const char *p = line.rest;
        const char *end = line.rest + line.restLen;
        int low = 0, high = 0;
        switch (section) {
        case kSectionRanges:
            quill::ReadAttributeIntRange(&p, end, 0, 0xFFFF, &low, &high);
            p = line.rest;
            quill::ReadAttributeIntRange(&p, end, INT_MIN, INT_MAX, &low, &high);
            break;
        case kSectionMenus:
        case kSectionTabs: {
            int count = quill::ReadAttributeInt(&p, end);
            quill::ReadAttributeInt(&p, end);
            for (int i = 0; i < count && i < 64 && quill::ReadAttributeItem(&reader, &item); ++i) {
                quill::AttributeMenuItem(item);
                quill::AttributeTabCaption(item);
            }
            break;
        }
        case kSectionColours: {
            int red = quill::ReadAttributeInt(&p, end), green = quill::ReadAttributeInt(&p, end),
                blue = quill::ReadAttributeInt(&p, end);
            quill::AttributeColour(0, red, green, blue);
            break;
        }
        case kSectionGrids:
            quill::ConsumeAttributeTail(
                &reader, &line, static_cast<std::size_t>(quill::ReadAttributeInt(&p, end) & 0xFF));
            break;
        default:
            for (int i = 0; i < 8; ++i) quill::ReadAttributeReal(&p, end);
            break;
        }
    }
    return 0;
}
