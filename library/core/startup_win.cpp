// Library start-up and shutdown: initialisation from the environment and the configuration
// file, the root window with its client area and status bar, and the orderly close.
#include "core/startup.h"
#include "core/display.h"

#include <commctrl.h>
#include <richedit.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/childwindows.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "base/errors.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/frames.h"
#include "core/layers.h"
#include "base/fixedtext.h"
#include "core/menus.h"
#include "core/numeric_edit.h"
#include "core/windowtext.h"
#include "quillamorph/startup.h"

HINSTANCE wInstance;
HWND wWindow[kWindowSlots];
HWND hClient[kWindowSlots];
HWND wMessLine[kWindowSlots];
HWND hToolbar[kWindowSlots][4];
HMENU hMenuRoot[kWindowSlots];
HACCEL hAccel[kWindowSlots];
int wIndex;
HDC wDC;
HWND hWinCur;

ATOM atomRoot;
ATOM atomClient;
int bDlgRoot;
int wHideRoot;
int iVerRTF;
UINT uFindMsgString;
HMODULE hImgLib;
HMODULE hHelpLib;
GradientFillProc pGradientFill;
HGLOBAL hDOVUzadOdazez;
int wWinX, wWinY, wWinWidth, wWinHeight;

COLORREF wColor[18];
int wForeCol, wBackCol = 15, wUnderline;

int iCurDialog;
int iWindowOpened;
int iInitialised;

namespace {

const char kFrameClass[] = "QUILLAMORPH";
const char kFatalCaption[] = "Quillamorph Window";
const char kVersion[] = "5.0b";

// The root window's arguments as the last windowopen2_ stored them; flags -1 once closed.
struct RootArguments {
    int flags, x, y, width, height, menuId, toolbars[4], dialogId, nColours;
    char title[kPathChars + 1];
};
RootArguments gRoot = {-1, kCentre, kCentre, 0, 0, 0, {0, 0, 0, 0}, 0, 16, ""};

// A start-up failure the library cannot continue from: tell the user and end the process.
[[noreturn]] void Abort(const char *text) {
    MessageBoxA(nullptr, text, kFatalCaption, MB_OK | MB_ICONERROR);
    ExitProcess(0);
}

// An environment variable into value (size bytes); false when unset or too long to fit.
bool ReadEnvironment(const char *name, char *value, DWORD size) {
    value[0] = '\0';
    DWORD n = GetEnvironmentVariableA(name, value, size);
    if (n == 0 || n >= size) {
        value[0] = '\0';
        return false;
    }
    return true;
}

// A blank-padded text without its surrounding blanks, as a C string cut to size.
void TakeText(char *dst, std::size_t size, const char *src, int len) {
    std::string text = quill::TrimmedText(src, len);
    std::size_t first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first);
    std::snprintf(dst, size, "%s", text.c_str());
}

void DefaultColours() {
    static const COLORREF kColours[16] = {
        0x000000, 0x0000BF, 0x00BFBF, 0x00BF00, 0xBFBF00, 0xBF0000, 0xBF00BF, 0xBFBFBF,
        0x404040, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF};
    std::memcpy(wColor, kColours, sizeof kColours);
    wColor[16] = GetSysColor(COLOR_WINDOWTEXT);
    wColor[17] = GetSysColor(COLOR_WINDOW);
    wForeCol = 0;
    wBackCol = 15;
    wUnderline = 0;
}

void RegisterClasses() {
    UnregisterClassA(kFrameClass, wInstance);
    WNDCLASSA frame = {};
    frame.lpfnWndProc = yyWndProc;
    frame.hInstance = wInstance;
    frame.hIcon = LoadIconA(wInstance, "icon1");
    frame.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frame.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    frame.lpszClassName = kFrameClass;
    atomRoot = RegisterClassA(&frame);

    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    ATOM registered = static_cast<ATOM>(GetClassInfoExA(wInstance, kClientClass, &existing));
    if (registered != 0) {
        atomClient = registered;
    } else {
        WNDCLASSA client = {};
        client.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        client.lpfnWndProc = yyWndProcClient;
        client.hInstance = wInstance;
        client.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        client.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        client.lpszClassName = kClientClass;
        atomClient = RegisterClassA(&client);
    }
    if (atomRoot == 0 || atomClient == 0) Abort("Failed to register class - aborting.");
}

// The rich-edit level: 2 or 3 with "riched20.dll" (told apart by how EM_POSFROMCHAR takes
// its arguments), else 1 with "riched32.dll".
void ProbeRichEdit() {
    if (LoadLibraryA("riched20.dll") == nullptr) {
        LoadLibraryA("riched32.dll");
        iVerRTF = 1;
        return;
    }
    iVerRTF = 3;
    HWND probe = CreateWindowExA(0, "RichEdit20A", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                 wInstance, nullptr);
    if (probe == nullptr) return;
    SetWindowTextA(probe, "ab");
    POINTL first = {-99, -99}, second = {-99, -99};
    SendMessageA(probe, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 1);
    SendMessageA(probe, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&second), 1);
    if (first.x == -99 && first.y == -99 && second.x == -99 && second.y == -99) iVerRTF = 2;
    DestroyWindow(probe);
}

INT_PTR CALLBACK yyWindowSizeDlgProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The client size from a child dialog template; dialogId becomes -1 when the dialog cannot
// be created and -2 when it is not a child control-parent dialog without caption and system
// menu.
void SizeFromDialog(HWND owner, int *dialogId, int *flags, int *width, int *height) {
    HWND probe =
        CreateDialogParamA(wInstance, MAKEINTRESOURCEA(*dialogId), owner, yyWindowSizeDlgProc, 0);
    if (probe == nullptr) {
        *dialogId = -1;
        return;
    }
    LONG style = GetWindowLongA(probe, GWL_STYLE);
    if (!(style & WS_CHILD) || !(style & DS_CONTROL) || (style & WS_CAPTION) == WS_CAPTION ||
        (style & WS_SYSMENU)) {
        *dialogId = -2;
    } else {
        RECT r;
        GetWindowRect(probe, &r);
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        bDlgRoot = 1;
        *flags = (*flags & ~(kFrameMaximiseBox | kFrameMaximised | kFrameHidden)) | kFrameFixedSize;
    }
    DestroyWindow(probe);
}

// Command line kept by the first call of yyargs_.
char gCommandLine[kCommandLineChars + 1];
bool gCommandLineRead = false;

}  // namespace

void yycreaterootwindow_(const int *ix, const int *iy, int *width, int *height, const int *iflags,
                         const int *menuid, const int *toolbars, const int *, int *dialogId,
                         const char *title) {
    int x = *ix, y = *iy, flags = *iflags;
    const int menuId = *menuid;
    wInstance = GetModuleHandleA(nullptr);
    std::memcpy(wMessageEnabled, wMessageDefault, sizeof wMessageEnabled);
    RegisterClasses();

    LoadLibraryA("comctl32.dll");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND owner = CreateWindowExA(0, kFrameClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wInstance, nullptr);
    if (owner == nullptr) Abort("Failed to create window - aborting.");
    wWindow[0] = owner;

    yyregistersuperclass();
    quill::LayersRegisterClasses();
    ProbeRichEdit();
    uFindMsgString = RegisterWindowMessageA("commdlg_FindReplace");
    yyregistersubclass();
    yygetatoms();

    bDlgRoot = 0;
    if (*dialogId != 0) SizeFromDialog(owner, dialogId, &flags, width, height);
    wWindow[0] = nullptr;
    DestroyWindow(owner);

    DWORD style = quill::FrameStyle(flags) | ((flags & kFrameMaximised) ? WS_MAXIMIZE : 0);
    quill::FrameLayout layout = {
        kFrameClass, title, style,  static_cast<DWORD>((flags & kFrameTopmost) ? WS_EX_TOPMOST : 0),
        nullptr,     x,     y,      *width,
        *height,     flags, menuId, toolbars};
    HWND root = quill::BuildFrame(0, layout);
    if (root == nullptr) Abort("Failed to create window - aborting.");
    hWinCur = root;
    hDOVUzadOdazez = wSlot[0].prompts;
    if (hClient[0] == nullptr) return;
    const bool maximised = (flags & kFrameMaximised) != 0;
    // A root window sized from a dialog shows that dialog in its client area.
    if (bDlgRoot) quill::CombineDialog(0, *dialogId);

    if (flags & kFrameHidden) {
        wHideRoot = 1;
        ShowWindow(root, SW_HIDE);
        if (maximised) {
            RECT c;
            GetClientRect(root, &c);
            SendMessageA(root, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(c.right, c.bottom));
        }
    } else {
        wHideRoot = 0;
        ShowWindow(root, maximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        if (maximised) {
            RECT c;
            GetClientRect(root, &c);
            SendMessageA(root, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(c.right, c.bottom));
        }
        ValidateRect(hClient[0], nullptr);
    }

    wIndex = 0;
    wDC = GetDC(hClient[0]);
    SetBkMode(wDC, TRANSPARENT);
    SetTextAlign(wDC, TA_BASELINE);
    RECT c;
    GetClientRect(hClient[0], &c);
    *width = c.right;
    *height = c.bottom;
    GetWindowRect(root, &c);
    wWinX = c.left;
    wWinY = c.top;
    wWinWidth = *width;
    wWinHeight = *height;
    DefaultColours();

    hImgLib = LoadLibraryA("msimg32.dll");
    pGradientFill = hImgLib ? reinterpret_cast<GradientFillProc>(
                                  reinterpret_cast<void *>(GetProcAddress(hImgLib, "GradientFill")))
                            : nullptr;

    quill::ClearPendingEvents();
    if (!wHideRoot) SetFocus(hClient[0]);
}

void yyinitenv_() {
    char quilla[kPathChars + 1], qide[kPathChars + 1], current[kPathChars + 1];
    ReadEnvironment("QUILLA", quilla, sizeof quilla);
    ReadEnvironment("QIDE", qide, sizeof qide);
    DWORD n = GetCurrentDirectoryA(sizeof current, current);
    if (n == 0 || n >= sizeof current) current[0] = '\0';
    quill::LibraryBaseDirectory(quilla, qide, current, gSettings.baseDir, sizeof gSettings.baseDir);
}

void yytmpprn_() {
    char temp[kPathChars + 1], tmp[kPathChars + 1];
    ReadEnvironment("TEMP", temp, sizeof temp);
    ReadEnvironment("TMP", tmp, sizeof tmp);
    quill::TemporaryPlotNames(temp, tmp, gSettings.tmpPlot, gSettings.tmpDump,
                              sizeof gSettings.tmpPlot);
}

void winitialise_(const char *inifile, int inifile_len) {
    if (iInitialised == -9999) return;
    iInitialised = -9999;
    int width, height, colours, libraryColours, platform;
    yygetdisplayinfo_(&width, &height, &colours, &libraryColours, &platform);

    // The library's state words start afresh, whatever a program did before.
    iWindowOpened = 0;
    iCurDialog = 0;
    quill::ForgetLastTextFont();
    quill::SetDefaultSettings(&gSettings);
    quill::ResetErrorState();
    quill::SetErrorReportHook(quill::ReportErrorInWindow);
    quill::LayersInitialise();
    const int bellOn = 1;
    yysetbell_(&bellOn);

    yyinitenv_();
    if (gSettings.baseDir[0] != '\0') {
        std::snprintf(gSettings.charDir, sizeof gSettings.charDir, "%scharsets", gSettings.baseDir);
    }
    char quilinit[kPathChars + 1], configName[kPathChars + 1];
    ReadEnvironment("QUILINIT", quilinit, sizeof quilinit);
    quill::ConfigurationFileName(quilinit, gSettings.baseDir, configName, sizeof configName);

    yytmpprn_();
    UINT sys = GetSystemDirectoryA(gSettings.systemDir, sizeof gSettings.systemDir);
    if (sys == 0 || sys >= sizeof gSettings.systemDir) gSettings.systemDir[0] = '\0';

    // The report level from the first character of VUDOVUROR; idebuglevel_ takes 0 to 4 only.
    char level[kPathChars + 1];
    if (ReadEnvironment("VUDOVUROR", level, sizeof level)) {
        int value = level[0] - '0';
        idebuglevel_(&value);
    }
    const int none = 0;
    yyseterror_(&none);
    int first = -1;
    yyargs_(&first, nullptr, 0);

    // The file the program names wins when it opens; else the one found above, if any.
    ConfigRequests requests = {false};
    char named[kPathChars + 1] = "";
    if (inifile != nullptr) TakeText(named, sizeof named, inifile, inifile_len);
    if (!(named[0] != '\0' && quill::FileExists(named) &&
          quill::ReadConfigurationFile(named, &gSettings, &requests)) &&
        configName[0] != '\0') {
        quill::ReadConfigurationFile(configName, &gSettings, &requests);
    }
    quill::AppendBackslash(gSettings.charDir, sizeof gSettings.charDir);

    quill::LayersConfigured();

    if (requests.versionRequest) {
        std::string text = std::string("Quillamorph version ") + kVersion;
        int code = 0;
        iosexitprogram_(text.c_str(), &code, static_cast<int>(text.size()));
    }
    yyinitdecimal_();
}

void windowopen2_(const int *flags, const int *x, const int *y, const int *width, const int *height,
                  const int *menuid, const int *toolbars, const int *dialogid, const char *title,
                  const int *ncolours, int title_len) {
    if (iWindowOpened == 1) return;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    gRoot.flags = flags ? *flags : 7;
    gRoot.x = x ? *x : kCentre;
    gRoot.y = y ? *y : kCentre;
    gRoot.width = (width && *width > 0) ? *width : screenWidth * 80 / 100;
    gRoot.height = (height && *height > 0) ? *height : screenHeight * 80 / 100;
    gRoot.menuId = menuid ? *menuid : 0;
    for (int i = 0; i < 4; ++i) gRoot.toolbars[i] = toolbars ? toolbars[i] : 0;
    gRoot.dialogId = dialogid ? *dialogid : 0;
    gRoot.nColours = 16;
    if (ncolours && (*ncolours == 16 || *ncolours == 32 || *ncolours == 64 || *ncolours == 128))
        gRoot.nColours = *ncolours;
    gRoot.title[0] = '\0';
    if (title != nullptr) TakeText(gRoot.title, sizeof gRoot.title, title, title_len);

    int w = gRoot.width, h = gRoot.height, dialog = gRoot.dialogId;
    yycreaterootwindow_(&gRoot.x, &gRoot.y, &w, &h, &gRoot.flags, &gRoot.menuId, gRoot.toolbars,
                        &gRoot.nColours, &dialog, gRoot.title);
    if (dialog > 0)
        iCurDialog = dialog;
    else if (dialog == -1)
        quill::RaiseError(1007);
    else if (dialog == -2)
        quill::RaiseError(1045);

    wIndex = 0;
    wSlot[0].flags = gRoot.flags;
    iWindowOpened = 1;
    wForeCol = 0;
    wBackCol = 15;
    quill::CreateDefaultTextFont();
    quill::LayersRootOpened(gRoot.nColours);
    if (hClient[0] != nullptr) {
        RECT c;
        GetClientRect(hClient[0], &c);
        yyresize_(wWindow[0], c.right, c.bottom);
    }
}

void windowclose_(void) {
    // Hardcopy closes before graphics.
    quill::LayersClose();
    yyshutdown_();
    gRoot.flags = -1;
    iWindowOpened = 0;
    iCurDialog = 0;
    wModalInfo = ModalInfo{};
}

void yyshutdown_() {
    // A dialog field the program draws in gives back its device context before the graphics
    // objects selected into it go.
    quill::ReleaseFieldTarget();
    quill::LayersShutdown();

    // Dialogs go before the windows that may hold them: first those that fill a window,
    // then every loaded dialog, each destroyed before its record is freed.
    for (int slot = 0; slot < kWindowSlots; ++slot)
        if (wWindow[slot] != nullptr) quill::UncombineDialog(wWindow[slot], &iCurDialog);
    quill::ShutDownDialogs();
    hWinCur = nullptr;

    if (hImgLib != nullptr) FreeLibrary(hImgLib);
    hImgLib = nullptr;
    pGradientFill = nullptr;
    if (hHelpLib != nullptr) FreeLibrary(hHelpLib);
    hHelpLib = nullptr;
    for (int slot = 0; slot < kWindowSlots; ++slot) yyclosemcidevice(slot);

    if (wDC != nullptr && hClient[wIndex] != nullptr) ReleaseDC(hClient[wIndex], wDC);
    wDC = nullptr;

    for (int slot = kWindowSlots - 1; slot >= 0; --slot) {
        if (wWindow[slot] != nullptr) DestroyWindow(wWindow[slot]);
        quill::ForgetWindowSlot(slot);
    }
    wIndex = 0;
    std::memcpy(wMessageEnabled, wMessageDefault, sizeof wMessageEnabled);
    quill::ClearPendingEvents();
}

void quill::ForgetWindowSlot(int slot) {
    wWindow[slot] = nullptr;
    hClient[slot] = nullptr;
    wMessLine[slot] = nullptr;
    hMenuRoot[slot] = nullptr;
    hAccel[slot] = nullptr;
    for (HWND &bar : hToolbar[slot]) bar = nullptr;
    WindowSlot &record = wSlot[slot];
    delete[] record.tips;
    record = WindowSlot{};
    for (int &word : record.restored) word = kNotRecorded;
    record.flags = -1;
}

int yygetwindowindex(HWND window) {
    if (window == nullptr) return -1;
    for (int slot = 0; slot < kWindowSlots; ++slot)
        if (wWindow[slot] == window || hClient[slot] == window) return slot;
    // The view of a viewer window stands in for its hidden client area; it lies in the frame.
    // Only a library frame's user data is read as a frame record.
    HWND frame = GetParent(window);
    for (int slot = 0; frame != nullptr && slot < kWindowSlots; ++slot) {
        if (wWindow[slot] != frame) continue;
        if (quill::WindowTypeWord(frame) != kViewerWindow) return -1;
        const auto *block =
            reinterpret_cast<const FrameBlock *>(GetWindowLongPtrA(frame, GWLP_USERDATA));
        return block->view == window ? slot : -1;
    }
    return -1;
}

HWND quill::RootStatusBar() { return wWindow[0] != nullptr ? wMessLine[0] : nullptr; }

int yyargs_(const int *n, char *arg, int argLen) {
    if (!gCommandLineRead) {
        const char *line = GetCommandLineA();
        std::size_t len = line ? std::strlen(line) : 0;
        if (len > static_cast<std::size_t>(kCommandLineChars)) len = kCommandLineChars;
        if (line) std::memcpy(gCommandLine, line, len);
        gCommandLine[len] = '\0';
        gCommandLineRead = true;
    }
    if (n == nullptr || *n < 0) return -1;
    char found[kCommandLineChars + 1];
    int last = quill::CommandLineArgument(gCommandLine, *n, found, sizeof found);
    if (last == *n && arg != nullptr) {
        if (*n == 0) {
            DWORD got = GetModuleFileNameA(nullptr, found, sizeof found);
            if (got >= sizeof found) got = sizeof found - 1;
            found[got] = '\0';
        }
        quill::PutFixedText(arg, argLen, found, std::strlen(found));
    }
    return last;
}

void yyinitlfn1_(const int *unit) {
    if (unit != nullptr) gSettings.generalUnit = *unit;
}

void iosvariable_(const char *name, char *value, int name_len, int value_len) {
    if (value == nullptr) return;
    if (value_len < 0) value_len = 0;
    quill::BlankText(value, value_len);
    if (name == nullptr) return;
    char key[kPathChars + 1];
    TakeText(key, sizeof key, name, name_len);
    if (key[0] == '\0') return;
    // Room for exactly value_len characters and the NUL: anything longer is refused.
    std::vector<char> buffer(static_cast<std::size_t>(value_len) + 1);
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD n = GetEnvironmentVariableA(key, buffer.data(), size);
    if (n == 0) return;
    if (n >= size) {
        quill::RaiseError(1023);
        return;
    }
    std::memcpy(value, buffer.data(), n);
}

void infoversion_(char *text, const int *item, int text_len) {
    if (text == nullptr) return;
    quill::PutFixedText(text, text_len,
                        std::string((item != nullptr && *item == 2) ? kVersion : ""));
}
