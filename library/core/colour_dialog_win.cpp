// The colour chooser and the locale's measuring system.
#include "core/commondialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>

namespace {

// The custom colours the chooser starts with; what the user changes there is not kept.
const COLORREF kCustomColours[16] = {
    RGB(0, 0, 0),     RGB(191, 0, 0), RGB(191, 191, 0), RGB(0, 191, 0),
    RGB(0, 191, 191), RGB(0, 0, 191), RGB(191, 0, 191), RGB(191, 191, 191),
    RGB(64, 64, 64),  RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0),
    RGB(0, 255, 255), RGB(0, 0, 255), RGB(255, 0, 255), RGB(255, 255, 255),
};

// Notes, in the flag the request's custom data points to, that the chooser has been shown.
UINT_PTR CALLBACK NoteShown(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return 0;
    const auto *request = reinterpret_cast<const CHOOSECOLORA *>(lParam);
    *reinterpret_cast<bool *>(request->lCustData) = true;
    return TRUE;  // the chooser sets the focus as usual
}

}  // namespace

void yygetrgbdialog_(int *ired, int *igreen, int *iblue, int *answer, int *error) {
    COLORREF custom[16];
    std::copy(std::begin(kCustomColours), std::end(kCustomColours), custom);
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.rgbResult = RGB(*ired & 0xFF, *igreen & 0xFF, *iblue & 0xFF);
    request.lpCustColors = custom;
    bool shown = false;
    request.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ENABLEHOOK;
    request.lpfnHook = NoteShown;
    request.lCustData = reinterpret_cast<LPARAM>(&shown);

    ModalFrame frame;
    quill::BeginModalBox(&frame);
    request.hwndOwner = frame.owner;
    BOOL ok = ChooseColorA(&request);
    quill::EndModalBox(&frame);

    if (ok) {
        *ired = GetRValue(request.rgbResult);
        *igreen = GetGValue(request.rgbResult);
        *iblue = GetBValue(request.rgbResult);
        *answer = 1;
        *error = 0;
    } else {
        // The chooser fails only before it is shown; once shown, it was cancelled, which is no
        // error. The system's error code may then still hold what an earlier dialog left.
        *answer = 0;
        *error = shown ? 0 : static_cast<int>(CommDlgExtendedError());
    }
}

void yygetmeasure_(int *imeasure) {
    char value[4] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, value, sizeof value);
    *imeasure = value[0] == '1' ? 1 : 2;
}
