// The menu-prompt resource.
#include "core/menu_prompts.h"

#include <cstring>

bool quill::FindMenuPrompt(const unsigned char *data, std::size_t size, int id, std::string *text) {
    if (data == nullptr) return false;
    std::size_t at = 0;
    while (at + 2 <= size) {
        const int entry = data[at] | (data[at + 1] << 8);
        if (entry == 0) return false;
        at += 2;
        const void *nul = std::memchr(data + at, 0, size - at);
        const std::size_t end =
            nul ? static_cast<std::size_t>(static_cast<const unsigned char *>(nul) - data) : size;
        if (entry == (id & 0xFFFF)) {
            text->assign(reinterpret_cast<const char *>(data + at), end - at);
            return true;
        }
        at = end + 1;
    }
    return false;
}
