// Readers for the menu id table and the tool-bar table.
#include "core/resource_tables.h"

#include <cstdint>

namespace quill {

namespace {

// Sequential reader of little-endian 16-bit words that never reads past the end.
struct WordReader {
    const unsigned char *bytes;
    size_t size;
    size_t offset = 0;

    bool Next(int *word) {
        if (offset + 2 > size) return false;
        *word = bytes[offset] | (bytes[offset + 1] << 8);
        offset += 2;
        return true;
    }
};

}  // namespace

std::vector<MenuIdEntry> ParseMenuIdTable(const void *data, size_t size) {
    std::vector<MenuIdEntry> entries;
    if (!data) return entries;
    WordReader reader{static_cast<const unsigned char *>(data), size};
    int id;
    while (reader.Next(&id) && id != 0) {
        MenuIdEntry entry{id, {}};
        bool ended = false;
        int position;
        while (reader.Next(&position)) {
            if (position == 0) {
                ended = true;
                break;
            }
            entry.path.push_back(position);
        }
        if (!ended) break;  // cut off by the end of the resource
        if (!entry.path.empty() && entry.path.size() <= static_cast<size_t>(kMaxMenuDepth))
            entries.push_back(std::move(entry));
    }
    return entries;
}

ToolbarTable ParseToolbarTable(const void *data, size_t size) {
    ToolbarTable table;
    if (!data) return table;
    WordReader reader{static_cast<const unsigned char *>(data), size};
    if (!reader.Next(&table.image_width) || !reader.Next(&table.image_height)) return table;
    table.valid = true;
    int id;
    while (reader.Next(&id)) {
        if (id == 0) {
            int next;
            if (!reader.Next(&next) || next == 0) break;  // two zeros: the end
            table.ids.push_back(0);                       // a separator
            table.ids.push_back(next);
            continue;
        }
        table.ids.push_back(id);
    }
    return table;
}

}  // namespace quill
