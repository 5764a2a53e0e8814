// The menu-prompt resource: for each menu item that has a prompt, its 16-bit command id
// (little-endian) followed by the prompt text and a NUL; an id of 0 or the end of the data
// ends the list.
#ifndef QUILL_CORE_MENU_PROMPTS_H
#define QUILL_CORE_MENU_PROMPTS_H

#include <cstddef>
#include <string>

namespace quill {

// The prompt of command id in the size bytes at data; false when the resource has none. The
// text never runs past the data, whether or not its NUL is there.
bool FindMenuPrompt(const unsigned char *data, std::size_t size, int id, std::string *text);

}  // namespace quill

#endif
