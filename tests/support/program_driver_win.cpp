// A program of the build driven from a test through window messages.
#include "program_driver.h"

namespace {

// Sent messages time out, so that a hung program fails the test instead of hanging it.
constexpr UINT kSendTimeoutMs = 5000;

struct WindowSearch {
    DWORD pid;
    const char *caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto *search = reinterpret_cast<WindowSearch *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    if (pid == search->pid && IsWindowVisible(window) && std::string(text) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()> &done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
    return true;
}

bool ProgramDriver::Launch(const char *exe_name, const std::string &dir, const char *caption) {
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe(self, length);
    exe = exe.substr(0, exe.find_last_of("\\/") + 1) + exe_name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &process))
        return false;
    dialog = WaitForWindow(caption);
    return dialog != nullptr;
}

void ProgramDriver::End() {
    if (!process.hProcess) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    process = PROCESS_INFORMATION{};
    dialog = nullptr;
}

HWND ProgramDriver::WaitForWindow(const char *caption) const {
    WindowSearch search{process.dwProcessId, caption, nullptr};
    WaitUntil([&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

std::string ProgramDriver::Text(int id, HWND owner) const {
    char text[512] = "";
    DWORD_PTR ignored;
    SendMessageTimeoutA(Field(id, owner), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, kSendTimeoutMs, &ignored);
    return text;
}

void ProgramDriver::Type(int id, const std::string &text) const {
    DWORD_PTR ignored;
    SendMessageTimeoutA(Field(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_NORMAL, kSendTimeoutMs, &ignored);
    SendMessageTimeoutA(Field(id), EM_SETMODIFY, TRUE, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored);
}

void ProgramDriver::Press(int id, HWND owner) const {
    PostMessageA(Field(id, owner), BM_CLICK, 0, 0);
}

bool ProgramDriver::WaitForText(int id, const std::string &text) const {
    return WaitUntil([&] { return Text(id) == text; });
}
