// Message boxes and the common dialogs, each answered by a scripted press: the answer word of
// winfodialog_, the button sets and default buttons of the message box, and the file dialog's
// title, filter, returned name and current-directory handling.
#include <gtest/gtest.h>
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "core/childwindows.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "library_root.h"
#include "modal_answer.h"
#include "quillamorph.h"
#include "error_status.h"

namespace {

class CommonDialogs : public SharedLibraryRoot {
protected:
    void SetUp() override {
        int item = 1;
        infoerror_(&item);  // start with no pending error
    }
};

int Answer() {
    int item = 4;
    return winfodialog_(&item);
}

std::string Padded(const std::string &text, size_t length) {
    std::string s = text;
    s.resize(length, ' ');
    return s;
}

std::string Trimmed(const std::string &text) {
    size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof buffer, buffer);
    return buffer;
}

// Shows a message box with BUTTONS and DEFAULT, records which button is the default and
// presses PRESS; returns the answer word.
int BoxAnswer(int buttons, int deflt, int press, int *defaultId) {
    *defaultId = 0;
    int icon = 2;
    std::string message = "Proceed?   ", title = "Question  ";
    int left = modal::Run(
        {[&](HWND box) {
            for (int id = IDOK; id <= IDNO; ++id) {
                HWND button = GetDlgItem(box, id);
                if (button && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
                    *defaultId = id;
            }
            modal::Press(press)(box);
        }},
        [&] {
            wmessagebox_(&buttons, &icon, &deflt, message.data(), title.data(),
                         static_cast<int>(message.size()), static_cast<int>(title.size()));
        });
    EXPECT_EQ(0, left);
    return Answer();
}

TEST_F(CommonDialogs, MessageBoxButtonSetsAnswerAndDefault) {
    struct Case {
        int buttons, deflt, press, answer, defaultId;
    };
    const Case cases[] = {
        {0, 1, IDOK, 1, IDOK},         {1, 1, IDOK, 1, IDOK},         {1, 0, IDCANCEL, 0, IDCANCEL},
        {2, 1, IDRETRY, 1, IDRETRY},   {2, 0, IDCANCEL, 0, IDCANCEL}, {3, 1, IDYES, 1, IDYES},
        {3, 2, IDNO, 2, IDNO},         {4, 1, IDYES, 1, IDYES},       {4, 2, IDNO, 2, IDNO},
        {4, 0, IDCANCEL, 0, IDCANCEL}, {5, 1, IDIGNORE, 0, IDRETRY},  {5, 2, IDABORT, 2, IDABORT},
        {5, 0, IDRETRY, 1, IDIGNORE},  {9, 2, IDOK, 1, IDOK},
    };
    for (const Case &c : cases) {
        int defaultId = 0;
        EXPECT_EQ(c.answer, BoxAnswer(c.buttons, c.deflt, c.press, &defaultId))
            << "buttons " << c.buttons << " pressed " << c.press;
        EXPECT_EQ(c.defaultId, defaultId) << "buttons " << c.buttons << " default " << c.deflt;
    }
    EXPECT_EQ(0, LastError());
}

TEST_F(CommonDialogs, MessageBoxShowsTrimmedTextsAndClearsItemTwo) {
    int buttons = 0, icon = 4, deflt = 1;
    std::string message = "Saved.      ", title = "Velquist   ";
    modal::Run({modal::Press(IDOK)}, [&] {
        wmessagebox_(&buttons, &icon, &deflt, message.data(), title.data(),
                     static_cast<int>(message.size()), static_cast<int>(title.size()));
    });
    ASSERT_EQ(1u, modal::script().captions.size());
    EXPECT_EQ("Velquist", modal::script().captions[0]);
    int item = 2;
    EXPECT_EQ(0, winfodialog_(&item));
    EXPECT_EQ(1, Answer());
}

TEST_F(CommonDialogs, ABoxOverAShownDialogIsOwnedByItAndDisablesTheOthers) {
    int id = 521;
    wdialogload_(&id);
    int type = 2;
    wdialogshow_(nullptr, nullptr, nullptr, &type);
    HWND dialog = quill::CurrentDialogWindow();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(IsWindowVisible(dialog));
    int x = 10, y = 10, w = 100, h = 60, win = 0, flags = 7, none = 0, parent = 0, menu = 0;
    yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "other");
    ASSERT_GT(win, 0);
    HWND owner = nullptr;
    BOOL otherEnabled = TRUE;
    int buttons = 0, icon = 0, deflt = 1;
    modal::Run({[&](HWND box) {
                   owner = GetWindow(box, GW_OWNER);
                   otherEnabled = IsWindowEnabled(wWindow[win]);
                   modal::Press(IDOK)(box);
               }},
               [&] { wmessagebox_(&buttons, &icon, &deflt, "Hi", "Box", 2, 3); });
    EXPECT_EQ(dialog, owner);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(wWindow[win]));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    yyclosechild_(&win, &none);
    int option = 0;
    wdialogunload_(&option);
}

TEST_F(CommonDialogs, AModalDialogLeavesItsClosingButtonAndIdForWinfodialog) {
    int id = 521;
    wdialogload_(&id);
    int type = 1;
    modal::Run({modal::Press(561)}, [&] { wdialogshow_(nullptr, nullptr, nullptr, &type); });
    int item = 1;
    EXPECT_EQ(561, winfodialog_(&item));
    item = 5;
    EXPECT_EQ(521, winfodialog_(&item));
    // A message box afterwards clears item 2 and leaves its answer in item 4.
    int buttons = 0, icon = 0, deflt = 1;
    modal::Run({modal::Press(IDOK)},
               [&] { wmessagebox_(&buttons, &icon, &deflt, "a", "b", 1, 1); });
    item = 2;
    EXPECT_EQ(0, winfodialog_(&item));
    item = 1;
    EXPECT_EQ(561, winfodialog_(&item));
    int option = 0;
    wdialogunload_(&option);
}

// Runs a file dialog that fails: the chosen name does not fit the caller's variable. The
// window system keeps the dialog's error code after it.
void FailAFileDialog() {
    int flags = 0;
    std::string filter = "Text|*.txt|", name = "x.txt";
    modal::Run({[](HWND box) {
                   SetDlgItemTextA(box, 0x47C, "a-name-much-longer-than-five.txt");
                   modal::Press(IDOK)(box);
               }},
               [&] {
                   wselectfile2_(filter.data(), &flags, name.data(), nullptr, nullptr,
                                 static_cast<int>(filter.size()), static_cast<int>(name.size()), 0);
               });
    LastError();
}

TEST_F(CommonDialogs, MessageBoxIgnoresAPendingCommonDialogError) {
    // A file dialog that fails leaves a common-dialog error code set; the next message box
    // still answers normally.
    FailAFileDialog();
    int defaultId = 0;
    EXPECT_EQ(1, BoxAnswer(1, 1, IDOK, &defaultId));
    EXPECT_EQ(0, LastError());
}

// Runs wselectfile2_ with the name box filled with TYPED and OK pressed (or Cancel when TYPED
// is null); returns the dialog's caption.
std::string RunFileDialog(const char *typed, std::string filter, int flags, std::string *name,
                          const char *title, int *iftype) {
    std::string caption;
    std::string t = title ? title : "";
    modal::Run({[&](HWND box) {
                   caption = modal::Text(box);
                   if (typed) SetDlgItemTextA(box, 0x47C, typed);
                   modal::Press(typed ? IDOK : IDCANCEL)(box);
               }},
               [&] {
                   wselectfile2_(filter.data(), &flags, name->data(), title ? t.data() : nullptr,
                                 iftype, static_cast<int>(filter.size()),
                                 static_cast<int>(name->size()), static_cast<int>(t.size()));
               });
    return caption;
}

TEST_F(CommonDialogs, FileDialogOkReturnsTheChosenPathPadded) {
    std::string dir = CurrentDirectory();
    std::string name = Padded("", 260);
    int iftype = 2;
    std::string caption = RunFileDialog("run-196.isf", "CheckPoint Files|*.isf|All files|*.*|", 4,
                                        &name, "Open checkpoint   ", &iftype);
    EXPECT_EQ("Open checkpoint", caption);
    EXPECT_EQ(1, Answer());
    EXPECT_EQ(2, iftype);
    EXPECT_EQ(260u, name.size());
    EXPECT_EQ(dir + "\\run-196.isf", Trimmed(name));
    int item = 2;
    EXPECT_EQ(0, winfodialog_(&item));
}

TEST_F(CommonDialogs, FileDialogAsTheOpenButtonsUseIt) {
    // A 256-character filter buffer, flags 128, the title "Open File", no file type.
    std::string file = "196-1000-5.isf";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    std::string filter = Padded("CheckPoint Files|*.isf|All files|*.*| ", 256);
    std::string name = Padded("", 256);
    std::string title = "Open File";
    int flags = 128;
    std::string caption;
    modal::Run({[&](HWND box) {
                   caption = modal::Text(box);
                   SetDlgItemTextA(box, 0x47C, file.c_str());
                   modal::Press(IDOK)(box);
               }},
               [&] {
                   wselectfile2_(filter.data(), &flags, name.data(), title.data(), nullptr,
                                 static_cast<int>(filter.size()), static_cast<int>(name.size()),
                                 static_cast<int>(title.size()));
               });
    EXPECT_EQ("Open File", caption);
    EXPECT_EQ(1, Answer());
    EXPECT_EQ(CurrentDirectory() + "\\" + file, Trimmed(name));
    EXPECT_EQ(0, LastError());
    DeleteFileA(file.c_str());
}

TEST_F(CommonDialogs, FileDialogTitleDefaultsAndCancelKeepsTheName) {
    std::string name = Padded("keep.isf", 80);
    std::string before = name;
    std::string caption = RunFileDialog(nullptr, "Files|*.*|", 0, &name, "     ", nullptr);
    EXPECT_EQ("Select File", caption);
    EXPECT_EQ(0, Answer());
    EXPECT_EQ(before, name);
    EXPECT_EQ(0, LastError());
    caption = RunFileDialog(nullptr, "Files|*.*|", 0, &name, nullptr, nullptr);
    EXPECT_EQ("Select File", caption);
}

TEST_F(CommonDialogs, FileDialogStartsInTheNamedDirectoryAndRestoresTheCurrentOne) {
    std::string start = CurrentDirectory();
    std::string sub = start + "\\filedialog-dir";
    CreateDirectoryA(sub.c_str(), nullptr);
    std::string name = Padded(sub + "\\proposed.isf", 300);
    RunFileDialog("chosen.isf", "Files|*.*|", 4, &name, nullptr, nullptr);
    EXPECT_EQ(1, Answer());
    EXPECT_EQ(sub + "\\chosen.isf", Trimmed(name));
    EXPECT_EQ(start, CurrentDirectory());

    // With bit 3 the directory the user ended in stays current.
    name = Padded(sub + "\\proposed.isf", 300);
    RunFileDialog("chosen.isf", "Files|*.*|", 4 + 8, &name, nullptr, nullptr);
    EXPECT_EQ(1, Answer());
    std::string after = CurrentDirectory();
    SetCurrentDirectoryA(start.c_str());
    EXPECT_EQ(sub, after);
    RemoveDirectoryA(sub.c_str());
}

TEST_F(CommonDialogs, FileDialogTooSmallVariableIsLeftAlone) {
    std::string name = Padded("short", 12);
    std::string before = name;
    RunFileDialog("a-name-longer-than-the-variable.isf", "Files|*.*|", 4, &name, nullptr, nullptr);
    EXPECT_EQ(0, Answer());
    EXPECT_EQ(before, name);
    EXPECT_EQ(1004, LastError());
}

TEST_F(CommonDialogs, FileDialogSaveFlagGivesASaveDialog) {
    std::string name = Padded("", 260);
    std::string okText;
    int flags = 1 + 16 + 4;  // save; the multiple-selection bit is ignored for saving
    std::string filter = "Text|*.txt|";
    modal::Run({[&](HWND box) {
                   okText = modal::Text(GetDlgItem(box, IDOK));
                   SetDlgItemTextA(box, 0x47C, "saved.txt");
                   modal::Press(IDOK)(box);
               }},
               [&] {
                   wselectfile2_(filter.data(), &flags, name.data(), nullptr, nullptr,
                                 static_cast<int>(filter.size()), static_cast<int>(name.size()), 0);
               });
    EXPECT_NE(std::string::npos, okText.find("Save")) << okText;
    EXPECT_EQ(1, Answer());
    EXPECT_EQ(CurrentDirectory() + "\\saved.txt", Trimmed(name));
}

TEST_F(CommonDialogs, ColourChooserOkAndCancel) {
    int r = 10, g = 20, b = 300, answer = -5, error = -5;
    modal::Run({modal::Press(IDOK)}, [&] { yygetrgbdialog_(&r, &g, &b, &answer, &error); });
    EXPECT_EQ(1, answer);
    EXPECT_EQ(10, r);
    EXPECT_EQ(20, g);
    EXPECT_EQ(300 & 0xFF, b);
    modal::Run({modal::Press(IDCANCEL)}, [&] { yygetrgbdialog_(&r, &g, &b, &answer, &error); });
    EXPECT_EQ(0, answer);
    EXPECT_EQ(0, error);

    // A Cancel after a file dialog has failed carries no error either.
    FailAFileDialog();
    ASSERT_EQ(static_cast<DWORD>(FNERR_BUFFERTOOSMALL), CommDlgExtendedError());
    error = -5;
    modal::Run({modal::Press(IDCANCEL)}, [&] { yygetrgbdialog_(&r, &g, &b, &answer, &error); });
    EXPECT_EQ(0, answer);
    EXPECT_EQ(0, error) << "the file dialog's error is not the chooser's";
}

// The edit line the library puts into the folder browser.
HWND BrowserEdit(HWND box) {
    HWND edit = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            char name[32] = "";
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Edit") != 0 || GetParent(child) != GetParent(child)) return TRUE;
            *reinterpret_cast<HWND *>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    return edit;
}

TEST_F(CommonDialogs, FolderBrowserOkTakesTheTypedPath) {
    std::string target = CurrentDirectory();
    std::string directory = Padded("", 260);
    std::string title = "Choose a folder";
    int ititle = 1, flags = 0, answer = 0;
    std::string caption, editText;
    modal::Run({[&](HWND box) {
                   caption = modal::Text(box);
                   HWND edit = BrowserEdit(box);
                   ASSERT_NE(nullptr, edit);
                   SetWindowTextA(edit, target.c_str());
                   modal::Press(IDOK)(box);
               }},
               [&] {
                   yyselectdir_(&ititle, &answer, &flags, directory.data(), title.data(),
                                static_cast<int>(directory.size()), static_cast<int>(title.size()));
               });
    EXPECT_EQ("Choose a folder", caption);
    EXPECT_EQ(1, answer);
    EXPECT_EQ(target, Trimmed(directory));
}

TEST_F(CommonDialogs, FolderBrowserCancelAnswersTwo) {
    std::string directory = Padded("C:\\", 100);
    std::string before = directory;
    int ititle = 0, flags = 0, answer = 0;
    modal::Run({modal::Press(IDCANCEL)}, [&] {
        yyselectdir_(&ititle, &answer, &flags, directory.data(), nullptr,
                     static_cast<int>(directory.size()), 0);
    });
    EXPECT_EQ(2, answer);
    EXPECT_EQ(before, directory);
}

// Types PATH into the browser and presses OK (flags 4: a missing path is taken as typed);
// returns the answer and leaves the returned path in *DIRECTORY.
int TypeIntoFolderBrowser(const std::string &path, std::string *directory) {
    int ititle = 0, flags = 4, answer = 0;
    modal::Run({[&](HWND box) {
                   SetWindowTextA(BrowserEdit(box), path.c_str());
                   modal::Press(IDOK)(box);
               }},
               [&] {
                   yyselectdir_(&ititle, &answer, &flags, directory->data(), nullptr,
                                static_cast<int>(directory->size()), 0);
               });
    return answer;
}

// A path is returned whole or not at all: one typed beyond 260 characters comes back as typed,
// and one longer than the caller's variable is not reported as chosen.
TEST_F(CommonDialogs, FolderBrowserReturnsTheWholePathOrNone) {
    std::string path = CurrentDirectory() + "\\missing";
    while (path.size() < 300) path += "\\a-folder-that-does-not-exist";
    std::string directory = Padded("", 400);
    EXPECT_EQ(1, TypeIntoFolderBrowser(path, &directory));
    EXPECT_EQ(path, Trimmed(directory));
    EXPECT_EQ(0, LastError());

    // The variable holds more than 260 characters but less than the path.
    directory = Padded("C:\\", path.size() - 1);
    std::string before = directory;
    EXPECT_EQ(2, TypeIntoFolderBrowser(path, &directory));
    EXPECT_EQ(before, directory);
    EXPECT_EQ(1004, LastError());

    // An existing folder too long for a short variable.
    directory = Padded("C:\\", 4);
    before = directory;
    EXPECT_EQ(2, TypeIntoFolderBrowser(CurrentDirectory(), &directory));
    EXPECT_EQ(before, directory);
    EXPECT_EQ(1004, LastError());
}

TEST_F(CommonDialogs, FolderBrowserOffersToCreateAMissingFolder) {
    std::string missing = CurrentDirectory() + "\\made-by-browser";
    RemoveDirectoryA(missing.c_str());
    std::string directory = Padded("", 260);
    int ititle = 0, flags = 64, answer = 0;
    // Typed path, OK; the question is declined (the browser stays open); OK again, Yes.
    auto typeAndOk = [&](HWND box) {
        SetWindowTextA(BrowserEdit(box), missing.c_str());
        modal::Press(IDOK)(box);
    };
    HWND browser = nullptr;
    int left = modal::Run({[&](HWND box) {
                               browser = box;
                               typeAndOk(box);
                           },
                           [&](HWND box) {
                               EXPECT_EQ("Create Directory?", modal::Text(box));
                               modal::Press(IDNO)(box);
                               // The browser is still open: press OK there again.
                               PostMessageA(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                           },
                           modal::Press(IDYES)},
                          [&] {
                              yyselectdir_(&ititle, &answer, &flags, directory.data(), nullptr,
                                           static_cast<int>(directory.size()), 0);
                          });
    EXPECT_EQ(0, left);
    EXPECT_EQ(1, answer);
    EXPECT_EQ(missing, Trimmed(directory));
    DWORD attributes = GetFileAttributesA(missing.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    RemoveDirectoryA(missing.c_str());
}

TEST_F(CommonDialogs, PageSetupWithoutAPrinterAnswersZeroWithoutABox) {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size > 0) GTEST_SKIP() << "a printer is installed";
    int pw = 0, ph = 0, w = 8000, h = 10000, left = 250, top = 250, orientation = 0, copies = 1;
    int units = 1, colours = 0, answer = -1;
    int left_steps = modal::Run({modal::Press(IDCANCEL)}, [&] {
        yyprintdialog_(&pw, &ph, &w, &h, &left, &top, &orientation, &copies, &units, &colours,
                       &answer);
    });
    EXPECT_EQ(0, answer);
    EXPECT_EQ(1, left_steps) << "a box was shown";
}

// The eleven arguments of the page set-up dialog.
struct PageArguments {
    int paperWidth = 0, paperHeight = 0, printWidth = 5000, printHeight = 7000, left = 1000,
        top = 1000, orientation = 0, copies = 1, units = 1, colours = 0, answer = -1;
};

// Runs the page set-up dialog on PAGE and presses PRESS; the number of presses not used.
int RunPageSetup(PageArguments *p, int press) {
    return modal::Run({modal::Press(press)}, [&] {
        yyprintdialog_(&p->paperWidth, &p->paperHeight, &p->printWidth, &p->printHeight, &p->left,
                       &p->top, &p->orientation, &p->copies, &p->units, &p->colours, &p->answer);
    });
}

// A cancelled page set-up keeps nothing: the orientation and copies it was asked for do not
// reach the printer settings the next dialog starts from.
TEST_F(CommonDialogs, PageSetupCancelKeepsNothing) {
    if (!quill::HaveDefaultPrinter()) GTEST_SKIP() << "no printer installed";
    PageArguments first;
    ASSERT_EQ(0, RunPageSetup(&first, IDOK));
    ASSERT_EQ(1, first.answer);
    EXPECT_EQ(0, first.orientation);
    EXPECT_EQ(1, first.copies);

    PageArguments cancelled = first;
    cancelled.orientation = 1;
    cancelled.copies = 3;
    cancelled.answer = -1;
    ASSERT_EQ(0, RunPageSetup(&cancelled, IDCANCEL));
    EXPECT_EQ(0, cancelled.answer);
    EXPECT_EQ(first.printWidth, cancelled.printWidth) << "Cancel returns nothing";
    EXPECT_EQ(1, cancelled.orientation);
    EXPECT_EQ(3, cancelled.copies);
    EXPECT_EQ(0, gPrinter.orientation == DMORIENT_LANDSCAPE ? 1 : 0);
    EXPECT_EQ(1, gPrinter.copies);

    // The same page once more, unchanged: it comes back as the first dialog left it.
    PageArguments again = first;
    again.answer = -1;
    ASSERT_EQ(0, RunPageSetup(&again, IDOK));
    EXPECT_EQ(1, again.answer);
    EXPECT_EQ(first.paperWidth, again.paperWidth);
    EXPECT_EQ(first.paperHeight, again.paperHeight);
    EXPECT_EQ(first.printWidth, again.printWidth);
    EXPECT_EQ(first.printHeight, again.printHeight);
    EXPECT_EQ(first.left, again.left);
    EXPECT_EQ(first.top, again.top);
    EXPECT_EQ(0, again.orientation);
    EXPECT_EQ(1, again.copies);
}

TEST_F(CommonDialogs, MeasureIsUsOrMetric) {
    int measure = 0;
    yygetmeasure_(&measure);
    EXPECT_TRUE(measure == 1 || measure == 2);
}

}  // namespace
