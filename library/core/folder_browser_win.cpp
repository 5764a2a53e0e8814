// The folder browser: the shell's folder dialog with an edit line for the path, which may name
// a folder that does not exist yet.
#include "core/commondialogs.h"

#include <shlobj.h>

#include <string>

#include "base/fixedtext.h"
#include "core/fields.h"
#include "core/file_dialog_text.h"

namespace {

constexpr int kTitleStaticId = 0x3742;  // the browser's title text
const char kOldProcProperty[] = "QuillBrowserProc";

// What the callbacks share while the browser runs.
struct Browser {
    std::string directory;  // the path so far; written back only when a folder is chosen
    int flags;
    HWND edit;
};
Browser *gBrowser = nullptr;

bool PathExists(const std::string &path, bool *isDirectory) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    *isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

// Checks the typed path when OK is pressed; true when the browser may close.
bool AcceptPath(HWND browser, const std::string &path) {
    bool isDirectory = false;
    if (!PathExists(path, &isDirectory)) {
        if (gBrowser->flags & 64) {
            int choice = MessageBoxA(
                browser, "The specified directory does not exist.\nDo you wish to create it?",
                "Create Directory?", MB_YESNO | MB_ICONQUESTION);
            if (choice != IDYES) return false;
            if (!CreateDirectoryA(path.c_str(), nullptr)) {
                MessageBoxA(browser, "An error occured creating\nthe specified directory.", "Error",
                            MB_OK | MB_ICONWARNING);
                return false;
            }
            return true;
        }
        if (gBrowser->flags & 4) return true;
        MessageBoxA(browser, "The specified directory does not exist.\nSpecify a valid directory.",
                    "Invalid Directory", MB_OK);
        return false;
    }
    if (!isDirectory) {
        MessageBoxA(browser,
                    "The specified path is not a valid directory name.\nSpecify a valid directory.",
                    "Invalid Directory", MB_OK);
        return false;
    }
    return true;
}

LRESULT CALLBACK BrowserProc(HWND browser, UINT message, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(browser, kOldProcProperty));
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && gBrowser && gBrowser->edit) {
        // Read whole: a path cut to a buffer's size would name another folder.
        std::string path = quill::WholeWindowText(gBrowser->edit);
        gBrowser->directory = path;
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        if (!AcceptPath(browser, path)) return 0;
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(browser, kOldProcProperty);
        SetWindowLongPtrA(browser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    return CallWindowProcA(old, browser, message, wParam, lParam);
}

// Puts an edit line holding the path where the browser shows its title, and the title into
// the caption.
void StartBrowser(HWND browser) {
    HWND title = GetDlgItem(browser, kTitleStaticId);
    RECT place = {0, 0, 0, 0};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(browser, WM_GETFONT, 0, 0));
    if (title) {
        SetWindowTextA(browser, quill::WholeWindowText(title).c_str());
        ShowWindow(title, SW_HIDE);
        GetWindowRect(title, &place);
        MapWindowPoints(nullptr, browser, reinterpret_cast<POINT *>(&place), 2);
        font = reinterpret_cast<HFONT>(SendMessageA(title, WM_GETFONT, 0, 0));
    }
    RECT line = {0, 0, 0, 13};
    MapDialogRect(browser, &line);
    gBrowser->edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", gBrowser->directory.c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, place.left, place.top,
                        place.right - place.left, line.bottom, browser, nullptr, nullptr, nullptr);
    if (gBrowser->edit && font)
        SendMessageA(gBrowser->edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (!gBrowser->directory.empty())
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE,
                     reinterpret_cast<LPARAM>(gBrowser->directory.c_str()));
    if (gBrowser->flags & (4 | 64)) SendMessageA(browser, BFFM_ENABLEOK, 0, TRUE);
    SetPropA(browser, kOldProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(browser, GWLP_WNDPROC)));
    SetWindowLongPtrA(browser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BrowserProc));
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
    if (!gBrowser) return 0;
    if (message == BFFM_INITIALIZED) {
        StartBrowser(browser);
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        auto item = reinterpret_cast<LPCITEMIDLIST>(lParam);
        bool real = item && SHGetPathFromIDListA(item, path);
        if (real) {
            gBrowser->directory = path;
            if (gBrowser->edit) SetWindowTextA(gBrowser->edit, path);
        }
        SendMessageA(browser, BFFM_ENABLEOK, 0, real ? TRUE : FALSE);
    }
    return 0;
}

}  // namespace

void yyselectdir_(const int *ititle, int *answer, const int *iflags, char *directory,
                  const char *title, int directory_len, int title_len) {
    Browser state{quill::TrimmedText(directory, directory_len), iflags ? *iflags : 0, nullptr};
    std::string caption =
        (ititle && *ititle == 1) ? quill::TrimmedText(title, title_len) : std::string();
    char display[MAX_PATH] = "";

    BROWSEINFOA request = {};
    request.pszDisplayName = display;
    request.lpszTitle = caption.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    request.lpfn = BrowseCallback;

    Browser *outer = gBrowser;
    gBrowser = &state;
    ModalFrame frame;
    quill::BeginModalBox(&frame);
    request.hwndOwner = frame.owner;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&request);
    quill::EndModalBox(&frame);
    gBrowser = outer;

    if (!chosen) {
        *answer = 2;
        return;
    }
    CoTaskMemFree(chosen);
    // A folder whose path the caller's variable cannot hold is not returned as chosen.
    const std::string &path = state.directory;
    const bool returned = quill::ReturnChosenPath(path.data(), static_cast<int>(path.size()),
                                                  directory, directory_len);
    *answer = returned ? 1 : 2;
}
