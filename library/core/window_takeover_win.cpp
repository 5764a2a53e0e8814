// Taking a child window over for a view (the bitmap viewer, the grid editor) and giving it
// back, with the modal loop such a view runs.
#include "core/window_takeover.h"

#include <algorithm>

#include "core/dialogs.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/startup.h"

namespace {

// True while FRAME still carries RECORD.
bool StillTaken(HWND frame, const void *record) {
    return GetWindowLongPtrA(frame, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(record);
}

}  // namespace

bool quill::HasChildWindows(int slot) {
    HWND frame = wWindow[slot];
    for (int s = 1; s < kWindowSlots; ++s) {
        if (s == slot || wWindow[s] == nullptr) continue;
        HWND parent = GetParent(wWindow[s]);
        if (parent == frame || (parent != nullptr && parent == hClient[slot])) return true;
    }
    return false;
}

void quill::SetBarsAside(int slot, int mode, ModalBars modalBars, FrameTakeover *takeover) {
    if (mode != 1) {
        takeover->savedStatus = wMessLine[slot];
        std::copy(hToolbar[slot], hToolbar[slot] + 4, takeover->savedToolbars);
        return;
    }
    if (modalBars == ModalBars::kMenuAndAllBars) SetMenu(wWindow[slot], nullptr);
    for (HWND &bar : hToolbar[slot]) {
        if (bar != nullptr) DestroyWindow(bar);
        bar = nullptr;
    }
    if (modalBars == ModalBars::kMenuAndAllBars) {
        if (wMessLine[slot] != nullptr) DestroyWindow(wMessLine[slot]);
        wMessLine[slot] = nullptr;
    }
}

void quill::TakeOverFrame(HWND frame, void *record, WNDPROC procedure, FrameTakeover *takeover) {
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    takeover->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void quill::GiveFrameBack(HWND frame, const FrameTakeover &takeover) {
    SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(takeover.previous));
    SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
}

void quill::DisableOthers(HWND frame, int mode, FrameTakeover *takeover) {
    if (mode == 2) return;
    yyDisableDialogs(frame, 1);
    takeover->disabled = 1;
}

bool quill::EnableOthers(HWND spare, FrameTakeover *takeover) {
    if (!takeover->disabled) return false;
    yyEnableDialogs(spare, 1);
    takeover->disabled = 0;
    return true;
}

quill::TakeoverEnd quill::RunTakeoverLoop(const TakeoverLoop &loop) {
    int slot = loop.slot, take = 1, give = 0, ignored = 0;
    yygetwindowbitmap_(&take, &slot, &ignored);
    TakeoverEnd end = TakeoverEnd::kEnded;
    MSG msg;
    while (!*loop.ended) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (loop.onQuit) loop.onQuit();
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            end = TakeoverEnd::kQuit;
            break;
        }
        if (loop.keys != nullptr && StillTaken(loop.frame, loop.record) &&
            (msg.hwnd == loop.frame || IsChild(loop.frame, msg.hwnd)) &&
            TranslateAcceleratorA(loop.frame, loop.keys, &msg))
            continue;
        if (msg.message == 0x118 && msg.wParam == 0xFFF6 && block118) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!StillTaken(loop.frame, loop.record)) {
            end = TakeoverEnd::kGone;
            break;
        }
    }
    yygetwindowbitmap_(&give, &slot, &ignored);
    return end;
}
