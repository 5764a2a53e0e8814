// The file open and save dialog behind wselectfile2_.
#include "core/commondialogs.h"
#include "core/display.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "core/file_dialog_text.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "quillamorph/commondialogs.h"

namespace {

// Flag bits of wselectfile2_.
enum : int {
    kSave = 1,
    kPrompt = 2,
    kNoPathCheck = 4,
    kKeepDirectory = 8,
    kMultiple = 16,
    kDefaultExtension = 32,
    kMustExist = 128,
};

DWORD DialogFlags(int flags) {
    DWORD result = OFN_HIDEREADONLY;
    const bool save = (flags & kSave) != 0;
    if (flags & kPrompt) {
        if (save)
            result |= OFN_OVERWRITEPROMPT;
        else if (!(flags & kMustExist))
            result |= OFN_CREATEPROMPT;
    }
    if (!(flags & kNoPathCheck)) result |= OFN_PATHMUSTEXIST;
    if (!save) {
        if (flags & kMultiple) result |= OFN_ALLOWMULTISELECT | OFN_EXPLORER;
        if (flags & kMustExist) result |= OFN_FILEMUSTEXIST;
    }
    return result;
}

}  // namespace

void wselectfile2_(const char *filter, const int *iflags, char *filename, const char *title,
                   int *iftype, int filter_len, int filename_len, int title_len) {
    const int flags = iflags ? *iflags : 0;
    const int length = filename_len > 0 ? filename_len : 0;
    std::string list = quill::BuildFilterList(filter, filter_len);
    std::string caption = quill::FileDialogTitle(title, title ? title_len : 0);

    quill::ModalSnapshots(1);

    // Directory part: the initial directory; name part: the proposed file name.
    std::vector<char> directory(filename, filename + length);
    std::vector<char> name(static_cast<size_t>(length), ' ');
    yysplitp_(directory.data(), name.data(), length, length);
    std::string initialDirectory = quill::TrimmedText(directory.data(), length);
    std::string initialName = quill::TrimmedText(name.data(), length);

    char before[MAX_PATH + 1] = "";
    DWORD n = GetCurrentDirectoryA(sizeof before, before);
    if (n == 0 || n >= sizeof before) before[0] = '\0';
    if (initialDirectory.empty()) initialDirectory = before;

    // The name buffer: room for a path of FILENAME's length, its NUL and, with multiple
    // selection, the NUL that ends the list.
    std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
    if (initialName.size() <= static_cast<size_t>(length))
        std::copy(initialName.begin(), initialName.end(), buffer.begin());

    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.lpstrFilter = list.empty() ? nullptr : list.c_str();
    request.nFilterIndex = iftype ? static_cast<DWORD>(*iftype) : 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(length + 1);
    request.lpstrInitialDir = initialDirectory.c_str();
    request.lpstrTitle = caption.c_str();
    request.Flags = DialogFlags(flags);
    if ((flags & kDefaultExtension) && WinVer != 3) request.lpstrDefExt = "";

    ModalFrame frame;
    quill::BeginModalBox(&frame);
    request.hwndOwner = frame.owner;
    BOOL ok = (flags & kSave) ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    quill::EndModalBox(&frame);

    int answer = 0;
    if (ok) {
        answer = 1;
        if (iftype) *iftype = static_cast<int>(request.nFilterIndex);
        const bool multiple = (request.Flags & OFN_ALLOWMULTISELECT) != 0;
        int returned = quill::ReturnedNameLength(buffer.data(), length + 1, multiple);
        if (!quill::ReturnChosenPath(buffer.data(), returned, filename, length)) answer = 0;
    } else if (CommDlgExtendedError() != 0) {
        // Covers a buffer too small for the chosen name: the caller's variable is untouched.
        quill::RaiseError(1004);
    }

    if (!((flags & kKeepDirectory) && answer == 1) && before[0] != '\0')
        SetCurrentDirectoryA(before);

    quill::ModalSnapshots(0);
    quill::SetDialogAnswer(answer);
}
