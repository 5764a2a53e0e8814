// The two small binary tables that come with menus and tool bars as RCDATA resources, read
// without a window system. Both are sequences of little-endian 16-bit words and are read
// strictly within the resource's size: a table cut short ends where its data ends.
#ifndef QUILL_CORE_RESOURCE_TABLES_H
#define QUILL_CORE_RESOURCE_TABLES_H

#include <cstddef>
#include <vector>

namespace quill {

// Deepest menu path a menu id table may give; menus nest far less in practice.
constexpr int kMaxMenuDepth = 16;

// One entry of a menu id table: the command id and the 1-based positions from the menu bar
// through the submenus down to the item that receives the id.
struct MenuIdEntry {
    int id;
    std::vector<int> path;
};

// Menu id table: entries of a nonzero id followed by positions ending in 0; a 0 where an id
// would stand ends the table. An entry whose path is empty, deeper than kMaxMenuDepth, holds
// a position of 0 at its start, or is cut off by the end of the data is left out.
std::vector<MenuIdEntry> ParseMenuIdTable(const void *data, size_t size);

// Tool-bar table: image width, image height, then one command id a button (0 a separator),
// ended by two consecutive zeros.
struct ToolbarTable {
    bool valid = false;  // false when the data is too short for the image size
    int image_width = 0;
    int image_height = 0;
    std::vector<int> ids;  // in table order, 0 for a separator
};

ToolbarTable ParseToolbarTable(const void *data, size_t size);

}  // namespace quill

#endif
