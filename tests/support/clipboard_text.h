// Text on the window system's clipboard as tests set and read it. The clipboard is shared by
// every program on the display: tests that use it run one at a time.
#ifndef TESTS_SUPPORT_CLIPBOARD_TEXT_H
#define TESTS_SUPPORT_CLIPBOARD_TEXT_H

#include <windows.h>

#include <cstring>
#include <string>

// Replaces the clipboard's contents by TEXT in the standard text format; false when the
// clipboard could not be opened or the memory not allocated.
inline bool PutClipboardText(const std::string &text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool done = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

#endif
