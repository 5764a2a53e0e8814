// The status bar of the current window: its part table and the text of its parts.
#include "core/childwindows.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/fixedtext.h"
#include "quillamorph/childwindows.h"

namespace {

HWND CurrentStatusBar() {
    if (wIndex < 0 || wIndex >= kWindowSlots || !wWindow[wIndex]) return nullptr;
    return wMessLine[wIndex];
}

bool ValidPart(int part) { return part >= 1 && part <= kStatusParts; }

void SetPartText(HWND bar, int part, const char *text) {
    SendMessageA(bar, SB_SETTEXTA,
                 static_cast<WPARAM>((part - 1) | wSlot[wIndex].parts[part - 1].style),
                 reinterpret_cast<LPARAM>(text));
}

}  // namespace

void yysetstatuspart_(const int *ipart, const int *iright, const int *istyle) {
    if (!ipart || !ValidPart(*ipart) || wIndex < 0 || wIndex >= kWindowSlots) return;
    StatusPart &part = wSlot[wIndex].parts[*ipart - 1];
    part.right = iright ? *iright : -1;
    int style = istyle ? *istyle : 1;
    part.style = style == 0 ? SBT_NOBORDERS : style == 2 ? SBT_POPOUT : 0;
}

void yysetstatusbar_(const int *nparts) {
    HWND bar = CurrentStatusBar();
    if (!bar || !nparts) return;
    int n = *nparts < 1 ? 1 : *nparts > kStatusParts ? kStatusParts : *nparts;
    std::vector<int> rights(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) rights[static_cast<size_t>(i)] = wSlot[wIndex].parts[i].right;
    SendMessageA(bar, SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(rights.data()));
    // Styles travel with the text: set each part's text again with its style.
    for (int part = 1; part <= n; ++part) {
        int length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part - 1), 0));
        std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part - 1),
                     reinterpret_cast<LPARAM>(text.data()));
        SetPartText(bar, part, text.data());
    }
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
}

void windowoutstatusbar_(const int *ipart, const char *text, int text_len) {
    HWND bar = CurrentStatusBar();
    if (!bar || !ipart || !ValidPart(*ipart)) return;
    SetPartText(bar, *ipart, quill::TrimmedText(text, text_len).c_str());
}
