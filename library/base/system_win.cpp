// Operating-system services: files, directories, processes, environment, time, registry and
// version information, each a thin wrapper over Win32 that reports failure as the system's
// last-error code.
#include "base/system.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "quillamorph/system.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

HANDLE ToHandle(int handle) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(handle)); }

// Kernel handles keep their meaning in 32 bits, so a file handle travels as an int.
int FromHandle(HANDLE h) { return static_cast<int>(reinterpret_cast<INT_PTR>(h)); }

int Status(BOOL ok) { return ok ? 0 : static_cast<int>(GetLastError()); }

int Saturate(LONGLONG v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

HANDLE ffHandle = INVALID_HANDLE_VALUE;  // the one open directory search
int platformid = -1;

HKEY PredefinedKey(int hkey) {
    switch (hkey) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_USER;
    case 2: return HKEY_LOCAL_MACHINE;
    case 3: return HKEY_USERS;
    case 4: return HKEY_CURRENT_CONFIG;
    default: return nullptr;
    }
}

}  // namespace

// --- Files by handle ----------------------------------------------------------------------

void yyopen_(const char *name, const int *mode, int *handle, int *s) {
    int m = mode ? *mode : 0;
    DWORD access = m == 0 ? GENERIC_READ : m == 1 ? GENERIC_WRITE : (GENERIC_READ | GENERIC_WRITE);
    DWORD create = m == 1 ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileA(name ? name : "", access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           create, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *handle = -1;
        *s = static_cast<int>(GetLastError());
        return;
    }
    *handle = FromHandle(h);
    *s = 0;
}

void yyclos_(const int *handle) {
    if (handle && *handle != -1) CloseHandle(ToHandle(*handle));
}

void yyread_(const int *handle, void *buffer, const int *n, int *nread, int *s) {
    DWORD got = 0;
    BOOL ok =
        ReadFile(ToHandle(*handle), buffer, static_cast<DWORD>(*n > 0 ? *n : 0), &got, nullptr);
    *s = Status(ok);
    *nread = ok ? static_cast<int>(got) : 0;
}

void yyreadc_(const int *handle, void *buffer, const int *n, int *nread, int *s) {
    yyread_(handle, buffer, n, nread, s);
}

void yywrit_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s) {
    DWORD put = 0;
    BOOL ok =
        WriteFile(ToHandle(*handle), buffer, static_cast<DWORD>(*n > 0 ? *n : 0), &put, nullptr);
    *s = Status(ok);
    *nwritten = ok ? static_cast<int>(put) : 0;
}

void yywritc_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s) {
    yywrit_(handle, buffer, n, nwritten, s);
}

void yyseek_(const int *handle, int *offset, const int *origin, int *s) {
    DWORD method = *origin == 0 ? FILE_BEGIN : *origin == 1 ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER move, at;
    move.QuadPart = *offset;
    BOOL ok = SetFilePointerEx(ToHandle(*handle), move, &at, method);
    *s = Status(ok);
    if (ok) *offset = Saturate(at.QuadPart);
}

// --- Directories and files by name ---------------------------------------------------------

void yydirn_(char *buffer, int *s, int *itrunc, const int *size) {
    *s = 0;
    *itrunc = 0;
    DWORD need = GetCurrentDirectoryA(0, nullptr);
    if (need == 0) {
        *s = static_cast<int>(GetLastError());
        return;
    }
    std::string dir(need, '\0');
    DWORD got = GetCurrentDirectoryA(need, &dir[0]);
    if (got == 0 || got >= need) {
        *s = static_cast<int>(GetLastError());
        return;
    }
    dir.resize(got);
    if (*size <= 0 || dir.size() >= static_cast<std::size_t>(*size)) {
        *itrunc = 1;
        quill::CopyTerminated(buffer, *size, dir.c_str());
        return;
    }
    quill::CopyTerminated(buffer, *size, dir.c_str());
}

void yydirc_(const char *path, int *s) { *s = Status(SetCurrentDirectoryA(path)); }
void yydird_(const char *path, int *s) { *s = Status(RemoveDirectoryA(path)); }
void yydirm_(const char *path, int *s) { *s = Status(CreateDirectoryA(path, nullptr)); }
void yydelf_(const char *name, int *s) { *s = Status(DeleteFileA(name)); }
void yyrenf_(const char *oldname, const char *newname, int *s) {
    *s = Status(MoveFileExA(oldname, newname, MOVEFILE_COPY_ALLOWED));
}
void yycopyf_(const char *from, const char *to, int *s) { *s = Status(CopyFileA(from, to, FALSE)); }
void yyfileattr_(const int *iattr, int *s, const char *name) {
    *s = Status(SetFileAttributesA(name, static_cast<DWORD>(*iattr)));
}

void yysysdir_(char *buffer, int *s, const int *size) {
    char dir[MAX_PATH + 1];
    UINT got = GetSystemDirectoryA(dir, sizeof dir);
    *s = got == 0 || got > MAX_PATH ? static_cast<int>(GetLastError()) : 0;
    quill::CopyTerminated(buffer, *size, *s == 0 ? dir : "");
}

void yydspace_(int *bytes) {
    DWORD sectors = 0, bytespersector = 0, freeclusters = 0, clusters = 0;
    *bytes = 0;
    if (GetDiskFreeSpaceA(nullptr, &sectors, &bytespersector, &freeclusters, &clusters))
        *bytes = Saturate(static_cast<LONGLONG>(sectors) * bytespersector * freeclusters);
}

void yydisk_(int *serial, const char *root) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD number = 0;
    if (!GetVolumeInformationA(root, nullptr, 0, &number, nullptr, nullptr, nullptr, 0)) number = 0;
    SetErrorMode(previous);
    *serial = static_cast<int>(number);
}

void yydrivetype_(int *itype, const char *root) { *itype = static_cast<int>(GetDriveTypeA(root)); }

namespace {

void LocalWriteTime(const FILETIME &written, SYSTEMTIME &local) {
    FILETIME lt;
    FileTimeToLocalFileTime(&written, &lt);
    FileTimeToSystemTime(&lt, &local);
}

int SizeOf(DWORD high, DWORD low) { return Saturate((static_cast<LONGLONG>(high) << 32) | low); }

}  // namespace

void yyfileinfo_(int *size, int *year, int *month, int *day, int *hour, int *minute, int *second,
                 int *iattr, const char *name) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(name, &data);
    if (h == INVALID_HANDLE_VALUE) {
        *size = -1;
        return;
    }
    FindClose(h);
    SYSTEMTIME t;
    LocalWriteTime(data.ftLastWriteTime, t);
    *size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    *year = t.wYear;
    *month = t.wMonth;
    *day = t.wDay;
    *hour = t.wHour;
    *minute = t.wMinute;
    *second = t.wSecond;
    *iattr = static_cast<int>(data.dwFileAttributes);
}

void yyfind_(const int *inext, char *name, int *iattr, int *idostime, int *size, int *s,
             const int *namesize) {
    WIN32_FIND_DATAA data;
    if (*inext == 0) {
        yyfindclose_();
        ffHandle = FindFirstFileA(name, &data);
        if (ffHandle == INVALID_HANDLE_VALUE) {
            *s = static_cast<int>(GetLastError());
            return;
        }
    } else {
        if (ffHandle == INVALID_HANDLE_VALUE || !FindNextFileA(ffHandle, &data)) {
            *s = 1;
            return;
        }
    }
    FILETIME local;
    WORD dosdate = 0, dostime = 0;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToDosDateTime(&local, &dosdate, &dostime);
    quill::CopyTerminated(name, *namesize, data.cFileName);
    *iattr = static_cast<int>(data.dwFileAttributes);
    *idostime = static_cast<int>((static_cast<unsigned>(dosdate) << 16) | dostime);
    *size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    *s = 0;
}

void yyfindclose_(void) {
    if (ffHandle != INVALID_HANDLE_VALUE) FindClose(ffHandle);
    ffHandle = INVALID_HANDLE_VALUE;
}

// --- Process, environment, time and version -----------------------------------------------

void yywinmessagebox_(const char *caption, const char *text) {
    MessageBoxA(nullptr, text ? text : "", caption ? caption : "",
                MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

void yyexit_(const int *icode) { ExitProcess(static_cast<UINT>(icode ? *icode : 0)); }

int yywinplat(void) {
    if (platformid < 0) {
        OSVERSIONINFOA info;
        info.dwOSVersionInfoSize = sizeof info;
        platformid =
            GetVersionExA(&info) ? static_cast<int>(info.dwPlatformId) : VER_PLATFORM_WIN32_NT;
    }
    return platformid;
}

void yywinver_(int *major, int *minor) {
    DWORD version = GetVersion();
    *major = static_cast<int>(LOBYTE(LOWORD(version)));
    *minor = static_cast<int>(HIBYTE(LOWORD(version)));
}

void yywinvariant_(int *ivariant) {
    int id = yywinplat();
    *ivariant = id == 0 ? 2 : id == 2 ? 4 : 3;
}

void yygenv_(int *n, const char *name, char *buffer, const int *size) {
    *n = 0;
    DWORD need = GetEnvironmentVariableA(name, nullptr, 0);
    std::string value;
    if (need > 0) {
        value.assign(need, '\0');
        value.resize(GetEnvironmentVariableA(name, &value[0], need));
    }
    quill::CopyTerminated(buffer, *size, value.c_str());
    if (buffer && *size > 0) *n = static_cast<int>(std::strlen(buffer));
}

void yyexec_(const char *command, int *r) {
    *r = static_cast<int>(WinExec(command, SW_SHOWNORMAL));
}

void yydate_(int *year, int *month, int *day) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    *year = t.wYear;
    *month = t.wMonth;
    *day = t.wDay;
}

void yytime_(int *hour, int *minute, int *second, int *milliseconds) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    *hour = t.wHour;
    *minute = t.wMinute;
    *second = t.wSecond;
    *milliseconds = t.wMilliseconds;
}

void yywincurrtime_(int *t) { *t = static_cast<int>(GetTickCount() & 0x7FFFFFFFu); }

void yygetcl_(char *buffer, const int *size) {
    quill::CopyTerminated(buffer, *size, GetCommandLineA());
}

void yygetexe_(char *buffer, const int *size) {
    char path[MAX_PATH + 1] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    quill::CopyTerminated(buffer, *size, path);
}

void yyusername_(int *s, int *itrunc, char *buffer, const int *size) {
    char name[257] = "";
    DWORD n = sizeof name;
    *itrunc = 0;
    *s = Status(GetUserNameA(name, &n));
    if (*s != 0) name[0] = '\0';
    if (*size <= 0 || std::strlen(name) >= static_cast<std::size_t>(*size)) *itrunc = 1;
    quill::CopyTerminated(buffer, *size, name);
}

// --- Registry -------------------------------------------------------------------------------

void yyregkeydel_(const int *hkey, int *s, const char *subkey) {
    HKEY root = PredefinedKey(*hkey);
    *s = root ? static_cast<int>(RegDeleteKeyA(root, subkey)) : ERROR_INVALID_HANDLE;
}

void yyregkeyget_(const int *hkey, int *itype, int *n, const char *subkey, const char *value,
                  void *data) {
    HKEY root = PredefinedKey(*hkey), key;
    if (!root || RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD type = 0, size = static_cast<DWORD>(*n > 0 ? *n : 0);
    LONG status = RegQueryValueExA(key, value, nullptr, &type,
                                   *n > 0 ? static_cast<BYTE *>(data) : nullptr, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        *itype = -2;
        *n = 0;
        return;
    }
    *itype = static_cast<int>(type);
    *n = static_cast<int>(size);
}

void yyregkeyput_(const int *hkey, const int *itype, int *s, const char *subkey, const char *value,
                  const void *data, const int *n) {
    HKEY root = PredefinedKey(*hkey), key;
    if (!root) {
        *s = ERROR_INVALID_HANDLE;
        return;
    }
    LONG status = RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        status =
            RegSetValueExA(key, value, 0, static_cast<DWORD>(*itype),
                           static_cast<const BYTE *>(data), static_cast<DWORD>(*n > 0 ? *n : 0));
        RegCloseKey(key);
    }
    *s = static_cast<int>(status);
}

// --- Running a command ----------------------------------------------------------------------

namespace {

// Takes every queued message: paint messages are dispatched so that windows repaint, all
// others are dropped. A quit message is posted again, so that the caller's loop still sees it.
void RepaintOnly() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_PAINT) DispatchMessageA(&msg);
    }
}

}  // namespace

void yycmnd_(const char *command, const int *ihide, const int *iwait, const int *iseconds, int *s) {
    WORD show = *ihide != 0 ? SW_HIDE : SW_SHOWNORMAL;
    if (yywinplat() == 0 || *iwait == 0) {
        *s = static_cast<int>(WinExec(command, show));
        return;
    }
    STARTUPINFOA start;
    std::memset(&start, 0, sizeof start);
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = show;
    PROCESS_INFORMATION process;
    std::string line = command ? command : "";
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &start,
                        &process)) {
        *s = static_cast<int>(GetLastError());
        return;
    }
    DWORD result;
    if (*iseconds < 0) {
        do {
            result = WaitForSingleObject(process.hProcess, 100);
            if (result == WAIT_TIMEOUT) RepaintOnly();
        } while (result == WAIT_TIMEOUT);
    } else {
        result = WaitForSingleObject(process.hProcess, static_cast<DWORD>(*iseconds) * 1000u);
    }
    *s = result == WAIT_OBJECT_0  ? 32
         : result == WAIT_TIMEOUT ? -1
                                  : static_cast<int>(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// --- Deleting files by pattern --------------------------------------------------------------

void iosdeletefile_(const char *filename, int filename_len) {
    int len = quill::TrimmedTextLength(filename, filename_len);
    if (len == 0) return;
    // A longer name is refused whole: cut to the limit it would be another pattern, matching
    // files the caller never named.
    if (len > MAX_PATH) {
        quill::SetSystemError(ERROR_FILENAME_EXCED_RANGE);
        quill::RaiseError(13);
        return;
    }
    std::string pattern(filename, static_cast<std::size_t>(len));
    // The entries found are named without their folder; each is deleted in the pattern's.
    std::string directory = pattern.substr(0, quill::FolderPartLength(pattern));
    char name[MAX_PATH + 1];
    quill::CopyTerminated(name, sizeof name, pattern.c_str());
    int next = 0, attr = 0, dostime = 0, size = 0, status = 0, namesize = sizeof name;
    yyfind_(&next, name, &attr, &dostime, &size, &status, &namesize);
    if (status != 0) {
        quill::SetSystemError(status);
        quill::RaiseError(13);
        return;
    }
    while (status == 0) {
        if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
            int deleted = 0;
            yydelf_((directory + name).c_str(), &deleted);
            if (deleted != 0) {
                quill::SetSystemError(deleted);
                quill::RaiseError(13);
            }
        }
        next = 1;
        yyfind_(&next, name, &attr, &dostime, &size, &status, &namesize);
    }
    yyfindclose_();
}
