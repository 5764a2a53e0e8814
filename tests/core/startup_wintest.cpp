// Library start-up under Wine: the root window, its classes and sizes, and the close.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <commctrl.h>

#include "core/childwindows.h"
#include "base/errors.h"
#include "core/fields.h"
#include "core/menus.h"
#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "quillamorph.h"

namespace {

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

struct RootWindow : ::testing::Test {
    void TearDown() override { windowclose_(); }
};

TEST_F(RootWindow, HiddenRootHasEightyPercentClientCentred) {
    winitialise_(nullptr, 0);
    int flags = 128;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    HWND root = wWindow[0];
    ASSERT_NE(root, nullptr);
    ASSERT_NE(hClient[0], nullptr);
    EXPECT_EQ(ClassOf(root), "QUILLAMORPH");
    EXPECT_EQ(ClassOf(hClient[0]), "RAVOZUVIZA");
    EXPECT_FALSE(IsWindowVisible(root));
    EXPECT_EQ(wHideRoot, 1);
    EXPECT_EQ(quill::RootStatusBar(), nullptr);

    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    RECT c;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, screenW * 80 / 100);
    EXPECT_EQ(c.bottom, screenH * 80 / 100);
    RECT f;
    GetWindowRect(root, &f);
    EXPECT_NEAR((f.left + f.right) / 2, screenW / 2, 1);
    EXPECT_NEAR((f.top + f.bottom) / 2, screenH / 2, 1);
    EXPECT_EQ(yygetwindowindex(root), 0);
    EXPECT_EQ(yygetwindowindex(hClient[0]), 0);
    EXPECT_EQ(yygetwindowindex(GetDesktopWindow()), -1);

    // A second open while the first stands changes nothing.
    int other = 7, width = 300, height = 200;
    windowopen2_(&other, nullptr, nullptr, &width, &height, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    EXPECT_EQ(wWindow[0], root);
    EXPECT_FALSE(IsWindowVisible(root));

    windowclose_();
    EXPECT_FALSE(IsWindow(root));
    EXPECT_EQ(wWindow[0], nullptr);
    EXPECT_EQ(hClient[0], nullptr);
}

TEST_F(RootWindow, VisibleRootWithStatusBarAndTitle) {
    int flags = 7 | 0x20, x = 50, y = 60, width = 400, height = 300;
    const char title[] = "Quill test      ";
    windowopen2_(&flags, &x, &y, &width, &height, nullptr, nullptr, nullptr, title, nullptr,
                 sizeof title - 1);
    HWND root = wWindow[0];
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(IsWindowVisible(root));
    char caption[64];
    GetWindowTextA(root, caption, sizeof caption);
    EXPECT_STREQ(caption, "Quill test");
    HWND bar = quill::RootStatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), kStatusBarId);
    RECT c, b;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, 400);
    EXPECT_EQ(c.bottom, 300);
    // The status bar lies below the client area, inside the frame.
    GetWindowRect(bar, &b);
    POINT clientBottom = {0, c.bottom};
    ClientToScreen(hClient[0], &clientBottom);
    EXPECT_LE(clientBottom.y, b.top);
    RECT f;
    GetWindowRect(root, &f);
    EXPECT_EQ(f.left, 50);
    EXPECT_EQ(f.top, 60);
    EXPECT_EQ(wColor[9], 0x0000FFu);
    EXPECT_EQ(wColor[15], 0xFFFFFFu);
}

TEST_F(RootWindow, MenuToolBarsAndStatusBarLeaveTheClientItsSize) {
    int flags = 7 | 0x20, width = 360, height = 240, menu = 201, bars[4] = {202, 202, 0, 202};
    windowopen2_(&flags, nullptr, nullptr, &width, &height, &menu, bars, nullptr, nullptr, nullptr,
                 0);
    HWND root = wWindow[0];
    ASSERT_NE(root, nullptr);
    ASSERT_NE(GetMenu(root), nullptr);
    ASSERT_NE(hToolbar[0][0], nullptr);
    ASSERT_NE(hToolbar[0][1], nullptr);
    ASSERT_NE(hToolbar[0][3], nullptr);
    RECT c;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, 360);
    EXPECT_EQ(c.bottom, 240);
    // The client area lies below the top bar, right of the left bar, above the bottom bar.
    RECT client, top, left, bottom, status;
    GetWindowRect(hClient[0], &client);
    GetWindowRect(hToolbar[0][0], &top);
    GetWindowRect(hToolbar[0][1], &left);
    GetWindowRect(hToolbar[0][3], &bottom);
    GetWindowRect(quill::RootStatusBar(), &status);
    EXPECT_GE(client.top, top.bottom);
    EXPECT_GE(client.left, left.right);
    EXPECT_LE(client.bottom, bottom.top);
    EXPECT_LE(bottom.bottom, status.top);
    // Centred, even though the bars made the frame larger.
    RECT f;
    GetWindowRect(root, &f);
    EXPECT_NEAR((f.left + f.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR((f.top + f.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

    // The accelerator of the menu gives a menu event.
    SetFocus(hClient[0]);
    BYTE state[256] = {};
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    PostMessageA(hClient[0], WM_KEYDOWN, 'O', 1);
    int type = 0;
    QuillEvent e;
    wmessagepeek_(&type, &e);
    BYTE none[256] = {};
    SetKeyboardState(none);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(e.value1, 211);

    // A highlighted item shows its prompt in the status bar. (In simple mode, Wine's status
    // bar hands out the simple text as part 0.)
    SendMessageA(root, WM_ENTERMENULOOP, FALSE, 0);
    char text[64] = "";
    SendMessageA(root, WM_MENUSELECT, MAKEWPARAM(211, MF_STRING),
                 reinterpret_cast<LPARAM>(GetMenu(root)));
    SendMessageA(quill::RootStatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Opens a file");
    SendMessageA(root, WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_SYSMENU),
                 reinterpret_cast<LPARAM>(GetSystemMenu(root, FALSE)));
    SendMessageA(quill::RootStatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Closes the window");
    SendMessageA(root, WM_EXITMENULOOP, FALSE, 0);
}

TEST_F(RootWindow, DialogTemplateOfTheWrongKindIsRefusedAndTheSizeStands) {
    int one = 1;
    infoerror_(&one);
    int flags = 128, width = 300, height = 200, dialog = 204;
    windowopen2_(&flags, nullptr, nullptr, &width, &height, nullptr, nullptr, &dialog, nullptr,
                 nullptr, 0);
    EXPECT_EQ(infoerror_(&one), 1045);
    ASSERT_NE(hClient[0], nullptr);
    RECT c;
    GetClientRect(hClient[0], &c);
    EXPECT_EQ(c.right, 300);
    EXPECT_EQ(c.bottom, 200);
    EXPECT_EQ(bDlgRoot, 0);
    windowclose_();
    dialog = 299;
    windowopen2_(&flags, nullptr, nullptr, &width, &height, nullptr, nullptr, &dialog, nullptr,
                 nullptr, 0);
    EXPECT_EQ(infoerror_(&one), 1007);
    EXPECT_NE(wWindow[0], nullptr);
}

TEST_F(RootWindow, ChildDialogTemplateGivesTheRootItsSizeAndContent) {
    int one = 1;
    infoerror_(&one);
    int flags = 128 | 4, dialog = 203;
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &dialog, nullptr,
                 nullptr, 0);
    EXPECT_EQ(infoerror_(&one), 0);
    ASSERT_NE(hClient[0], nullptr);
    EXPECT_EQ(bDlgRoot, 1);
    EXPECT_EQ(iCurDialog, 203);
    // The dialog's flags win: fixed size, no maximise box, not hidden.
    LONG style = GetWindowLongA(wWindow[0], GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(IsWindowVisible(wWindow[0]));
    HWND content = quill::WindowDialog(wWindow[0]);
    ASSERT_NE(content, nullptr);
    RECT c, d;
    GetClientRect(hClient[0], &c);
    GetWindowRect(content, &d);
    EXPECT_EQ(c.right, d.right - d.left);
    EXPECT_EQ(c.bottom, d.bottom - d.top);
    windowclose_();
    EXPECT_FALSE(IsWindow(content));
}

// The close leaves nothing of the windows behind for the next root window: no tool-tip texts
// of the old tool bars, no drawing target in a destroyed dialog, no pattern bitmap.
TEST_F(RootWindow, CloseForgetsToolTipsAndTheFieldDrawingTarget) {
    int flags = 128, bars[4] = {202, 0, 0, 0};
    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, bars, nullptr, nullptr,
                 nullptr, 0);
    ASSERT_NE(hToolbar[0][0], nullptr);
    int ident = 211, n = 8;
    yytooltip_(&ident, "Open it", &n);
    ASSERT_STREQ(quill::ToolTipText(0, 211), "Open it");
    int dialog = 205, field = 251, width = 0, height = 0;
    wdialogload_(&dialog);
    yyfieldselect_(&field, &width, &height);
    ASSERT_EQ(field, 251);
    ASSERT_NE(quill::Target().field, nullptr);
    ASSERT_NE(quill::Target().stipple, nullptr);

    windowclose_();
    EXPECT_EQ(quill::Target().field, nullptr);
    EXPECT_EQ(quill::Target().stipple, nullptr);
    EXPECT_EQ(quill::Target().dc, nullptr);
    EXPECT_EQ(wSlot[0].tipCount, 0);

    windowopen2_(&flags, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                 nullptr, 0);
    EXPECT_EQ(quill::ToolTipText(0, 211), nullptr);
}

TEST(Environment, VariableThatDoesNotFitIsRefusedBlank) {
    SetEnvironmentVariableA("QUILL_TEST_VALUE", "abcdef");
    char value[6];
    const char name[] = "  QUILL_TEST_VALUE  ";
    iosvariable_(name, value, sizeof name - 1, sizeof value);
    EXPECT_EQ(std::string(value, 6), "abcdef");
    char small[5];
    iosvariable_(name, small, sizeof name - 1, sizeof small);
    EXPECT_EQ(std::string(small, 5), "     ");
    char unset[4];
    const char missing[] = "QUILL_TEST_UNSET";
    iosvariable_(missing, unset, sizeof missing - 1, sizeof unset);
    EXPECT_EQ(std::string(unset, 4), "    ");
}

TEST(Version, ItemTwoIsTheLibraryVersion) {
    char text[8];
    int item = 2;
    infoversion_(text, &item, sizeof text);
    EXPECT_EQ(std::string(text, 8), "5.0b    ");
    item = 1;
    infoversion_(text, &item, sizeof text);
    EXPECT_EQ(std::string(text, 8), "        ");
}

}  // namespace

// Start-up reads the environment and the configuration file once per process, so these cases
// run the test executable again as a child with the environment, current directory and files
// of each case, and read back what its start-up made of them.
namespace {

std::string gBoxTexts;

void WriteReport(const char *path) {
    FILE *f = std::fopen(path, "w");
    if (f == nullptr) return;
    int four = 4;
    std::fprintf(f, "general=%d\nplotout=%d\nplotin=%d\nprinter=%d\nplotter=%d\nhpgl2=%d\n",
                 gSettings.generalUnit, gSettings.plotOutputUnit, gSettings.plotInputUnit,
                 gSettings.printer, gSettings.plotter, gSettings.hpgl2);
    std::fprintf(f, "base=%s\nchardir=%s\ncharset=%s\nlevel=%d\nerror=%d\nboxes=%s\n",
                 gSettings.baseDir, gSettings.charDir, gSettings.charSet, infoerror_(&four),
                 quill::LastErrorNumber(), gBoxTexts.c_str());
    std::fclose(f);
}

void WriteReport() {
    char path[MAX_PATH] = "";
    GetEnvironmentVariableA("QUILL_TEST_REPORT", path, sizeof path);
    WriteReport(path);
}

// In the child: every message box is answered at once, and its text is noted (the report is
// written then too, as a box may be the last thing before the process ends).
HHOOK gHook;

HWND gBox;

// Read once the box has set its texts: a thread timer runs inside the box's own loop.
void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EnumChildWindows(
        gBox,
        [](HWND child, LPARAM) -> BOOL {
            char text[512] = "";
            GetWindowTextA(child, text, sizeof text);
            gBoxTexts += text;
            return TRUE;
        },
        0);
    gBoxTexts += "|";
    WriteReport();
    PostMessageA(gBox, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char cls[16] = "";
        GetClassNameA(box, cls, sizeof cls);
        if (std::string(cls) == "#32770") {
            gBox = box;
            SetTimer(nullptr, 0, 50, ReadAndClose);
        }
    }
    return CallNextHookEx(gHook, code, wParam, lParam);
}

}  // namespace

TEST(ChildProcess, DISABLED_ReportSettings) {
    gHook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    // A program may raise errors and set a report level before it initialises the library.
    if (GetEnvironmentVariableA("QUILL_TEST_EARLY_ERROR", nullptr, 0) > 0) {
        quill::RaiseError(1005);
        int level = 1;
        idebuglevel_(&level);
    }
    char inifile[MAX_PATH] = "";
    if (GetEnvironmentVariableA("QUILL_TEST_INIFILE", inifile, sizeof inifile) > 0)
        winitialise_(inifile, static_cast<int>(std::strlen(inifile)));
    else
        winitialise_(nullptr, 0);
    UnhookWindowsHookEx(gHook);
    WriteReport();
}

namespace {

// One start-up case: a scratch directory holding the files, the environment of the child.
struct StartupCase : ::testing::Test {
    std::string dir;
    std::map<std::string, std::string> settings;
    std::vector<std::string> variables = {"QUILLA",
                                          "QIDE",
                                          "QUILINIT",
                                          "VUDOVUROR",
                                          "QUILL_TEST_INIFILE",
                                          "QUILL_TEST_REPORT",
                                          "QUILL_TEST_EARLY_ERROR"};
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir = std::string(temp) + "quill-startup-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(dir.c_str(), nullptr);
        for (const std::string &v : variables) SetEnvironmentVariableA(v.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string &v : variables) SetEnvironmentVariableA(v.c_str(), nullptr);
    }
    void Write(const std::string &name, const std::string &text) {
        std::string path = name.find(':') != std::string::npos ? name : dir + "\\" + name;
        FILE *f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr) << path;
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
    void Env(const char *name, const std::string &value) {
        SetEnvironmentVariableA(name, value.c_str());
    }
    // Expects each setting the child reported to have its value, in the order given.
    void ExpectSettings(const std::vector<std::pair<std::string, std::string>> &expected) {
        for (const auto &[name, value] : expected) EXPECT_EQ(settings[name], value) << name;
    }
    // Runs the child in the scratch directory and reads its report; returns its exit code.
    DWORD Run() {
        std::string report = dir + "\\report.txt";
        DeleteFileA(report.c_str());
        Env("QUILL_TEST_REPORT", report);
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, sizeof exe);
        std::string command = std::string("\"") + exe +
                              "\" --gtest_also_run_disabled_tests"
                              " --gtest_filter=ChildProcess.DISABLED_ReportSettings";
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                            &si, &pi)) {
            ADD_FAILURE() << "cannot start the child";
            return 1;
        }
        WaitForSingleObject(pi.hProcess, 60000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        settings.clear();
        FILE *f = std::fopen(report.c_str(), "r");
        if (f == nullptr) {
            ADD_FAILURE() << "the child wrote no report";
            return code;
        }
        char buffer[1024];
        while (std::fgets(buffer, sizeof buffer, f)) {
            std::string l(buffer);
            while (!l.empty() && (l.back() == '\n' || l.back() == '\r')) l.pop_back();
            std::size_t eq = l.find('=');
            if (eq != std::string::npos) settings[l.substr(0, eq)] = l.substr(eq + 1);
        }
        std::fclose(f);
        return code;
    }
};

TEST_F(StartupCase, NoConfigurationKeepsTheDefaults) {
    Env("QUILLA", "Q:\\nowhere");
    Run();
    ExpectSettings({{"general", "40"},
                    {"plotout", "41"},
                    {"plotin", "42"},
                    {"base", "Q:\\nowhere\\"},
                    {"chardir", "Q:\\nowhere\\charsets\\"},
                    {"charset", "standard.chr"},
                    {"level", "0"},
                    {"boxes", ""}});
}

TEST_F(StartupCase, ConfigurationInTheCurrentDirectory) {
    Write("quilla.ini",
          "LFNGEN=41\r\nLFNPLOTO=40\r\nlfnploti=45\r\nPRINTER=2\r\nPR=7\r\n=PLOTTER=3\r\n"
          "debug=3\r\nDEBUG=9\r\nDEBUG=abc\r\nCHARDIR=   X:\\strokes\r\nCHARSET=simplex.chr\r\n");
    Run();
    ExpectSettings({{"general", "40"},
                    {"plotout", "41"},
                    {"plotin", "45"},
                    {"printer", "2"},
                    {"plotter", "0"},
                    {"level", "3"},
                    {"chardir", "X:\\strokes\\"},
                    {"charset", "simplex.chr"}});
}

// A DEBUG line sets the level for the lines after it; there a number that does not convert
// is reported and its line ignored, while names are never taken for numbers. No error stays.
TEST_F(StartupCase, AtReportLevelFourOnlyABadNumberIsReported) {
    Write("quilla.ini",
          "PRINTER=y2\r\nDEBUG=4\r\nCHARDIR=X:\\strokes\r\nCHARSET=1.chr\r\n"
          "PRINTER=x1\r\nPLOTTER=3\r\n");
    Run();
    EXPECT_EQ(settings["level"], "4");
    const std::string boxes = settings["boxes"];
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), '|'), 1) << boxes;
    EXPECT_NE(boxes.find("Error=  12:Invalid character detected"), std::string::npos) << boxes;
    ExpectSettings({{"error", "0"},
                    {"printer", "0"},
                    {"plotter", "3"},
                    {"chardir", "X:\\strokes\\"},
                    {"charset", "1.chr"}});
}

TEST_F(StartupCase, InitialisationStartsTheErrorWordsAfresh) {
    Env("QUILL_TEST_EARLY_ERROR", "1");
    Run();
    EXPECT_EQ(settings["level"], "0");
    EXPECT_EQ(settings["error"], "0");
}

TEST_F(StartupCase, QuilinitNamingNoFileFallsBackToTheCurrentDirectory) {
    Env("QUILINIT", dir + "\\missing.ini");
    Write("quilla.ini", "PRINTER=5\r\n");
    Write("other.ini", "PRINTER=6\r\n");
    Run();
    EXPECT_EQ(settings["printer"], "5");
    Env("QUILINIT", dir + "\\other.ini");
    Run();
    EXPECT_EQ(settings["printer"], "6");
    // The file the program names wins over both.
    Write("named.ini", "PRINTER=7\r\n");
    Env("QUILL_TEST_INIFILE", dir + "\\named.ini");
    Run();
    EXPECT_EQ(settings["printer"], "7");
}

TEST_F(StartupCase, BaseDirectoryFromTheToolsVariable) {
    std::string base = dir + "\\tools\\";
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "qide").c_str(), nullptr);
    Write(base + "quilla.ini", "PLOTTER=8\r\n");
    Env("QIDE", base + "qide\\bin");
    Run();
    EXPECT_EQ(settings["base"], base);
    EXPECT_EQ(settings["plotter"], "8");
}

TEST_F(StartupCase, ReportLevelFromTheEnvironment) {
    Env("VUDOVUROR", "2");
    Run();
    EXPECT_EQ(settings["level"], "2");
    Env("VUDOVUROR", "7");
    Run();
    EXPECT_EQ(settings["level"], "0");
}

TEST_F(StartupCase, VersionKeyShowsTheVersionAndEnds) {
    Write("quilla.ini", "VERSION=yes\r\nPRINTER=3\r\n");
    DWORD code = Run();
    EXPECT_EQ(code, 0u);
    EXPECT_NE(settings["boxes"].find("Quillamorph version 5.0b"), std::string::npos)
        << settings["boxes"];
    EXPECT_EQ(settings["printer"], "3");
}

}  // namespace
