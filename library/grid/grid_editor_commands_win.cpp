// The grid editor's commands that need a dialog, a file or a question: go to a cell, row or
// column, find a text, sort the rows, print, save and load the grid, and ask whether to save
// changes. Each works on grid 0 of the editor's window through the public dialog and grid
// routines, with that window current for its duration; the current window and dialog are
// selected again at the end. Failures are told in message boxes; nothing is raised.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "core/childwindows.h"
#include "core/commondialogs.h"
#include "core/dialogs.h"
#include "core/display.h"
#include "core/events.h"
#include "core/fields.h"
#include "core/startup.h"
#include "grid/grid_editor.h"
#include "grid/grid_print.h"
#include "quillamorph.h"

namespace {

constexpr int kFindDialog = 32106, kGotoCellDialog = 32107, kGotoLineDialog = 32108;
constexpr int kSortDialog = 32109, kPrintDialog = 32112;
constexpr int kLabelChars = 50;
const char kDefaultFilter[] = "CSV Files|*.csv|All Files|*.*|";

// Remembered between sorts.
int gSortDescending = 0, gSortMatchCase = 0;
// Outcome of the last find: 1 found.
int gLastFound = 0;

enum BoxIcon { kStop = 1, kExclamation = 3, kInformation = 4 };

// A message box; the answer (1 OK or Yes, 2 No, 0 Cancel).
int Box(const std::string &text, const std::string &title, int buttons, int icon,
        int preferred = 1) {
    wmessagebox_(&buttons, &icon, &preferred, text.c_str(), title.c_str(),
                 static_cast<int>(text.size()), static_cast<int>(title.size()));
    int item = 4;
    return winfodialog_(&item);
}

// Makes the editor's window current for a command and selects the previous window and
// dialog again when it ends.
class CommandScope {
public:
    explicit CommandScope(int window) : window_(yygetwindowindex(hWinCur)), dialog_(iCurDialog) {
        if (window != window_) {
            int w = window;
            quill::SelectWindowForAMoment(&w);
        }
    }
    ~CommandScope() {
        QuietErrors quiet;
        if (window_ >= 0 && wWindow[window_] != nullptr && yygetwindowindex(hWinCur) != window_) {
            int w = window_;
            quill::SelectWindowForAMoment(&w);
        }
        if (dialog_ != 0 && yydialogfind(dialog_) > 0) wdialogselect_(&dialog_);
    }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;

private:
    int window_;
    int dialog_;
};

// Loads dialog ID with the error number kept; false (after telling the user) when it cannot.
bool LoadDialog(int id) {
    QuietErrors quiet;
    wdialogload_(&id);
    if (quiet.error() == 0) return true;
    Box("Unable to load required dialog", "Error", 0, kStop);
    return false;
}

void Unload() {
    QuietErrors quiet;
    int option = 0;
    wdialogunload_(&option);
}

int GridInfo(int code) {
    int grid = 0, value = 0;
    yygridgetinfo_(&grid, &code, &value);
    return value;
}

void PutInteger(int field, int value) { wdialogputinteger_(&field, &value); }
int GetInteger(int field) {
    int value = 0;
    wdialoggetinteger_(&field, &value);
    return value;
}
void Range(int field, int low, int high) { wdialograngeinteger_(&field, &low, &high); }
void PutText(int field, const std::string &text) {
    wdialogputstring_(&field, text.c_str(), static_cast<int>(text.size()));
}
void PutCheck(int field, int on) { wdialogputcheckbox_(&field, &on); }
int GetCheck(int field) {
    int state = 0;
    wdialoggetcheckbox_(&field, &state);
    return state == 1 ? 1 : 0;
}
void SetRadio(int field) { wdialogputradiobutton_(&field); }
int RadioPosition(int field) {
    QuietErrors quiet;
    int position = 0;
    wdialoggetradiobutton_(&field, &position);
    return position;
}

// Shows the current dialog modally with the focus in FOCUS; the id of the closing button.
int ShowModal(int focus) {
    int type = 1;
    wdialogshow_(nullptr, nullptr, &focus, &type);
    int item = 1;
    return winfodialog_(&item);
}

// Waits for a push button of dialog ID while it shows semi-modal; 0 when the program is asked
// to end (the quit message is put back) or the editor of WINDOW went away meanwhile.
int WaitForButton(int id, int window) {
    HWND editor = wWindow[window];
    for (;;) {
        int type = 0, button = 0, win = 0;
        yydispatchnextmessage_(&type, &button, nullptr, nullptr, nullptr, nullptr, nullptr, &win,
                               nullptr);
        if (type == -1) {
            PostQuitMessage(wQuitCode);
            return 0;
        }
        if (editor == nullptr || quill::GridWindowRecordOf(editor) == nullptr) return 0;
        if (type == kEventButton && win == id) return button;
    }
}

// Shows the current dialog semi-modal at the top-left of the current window, with the other
// windows painting from snapshots meanwhile.
void ShowSemiModal(int window, int focus) {
    int take = 1, none = -1, ignored = 0, type = 3;
    (void)window;
    yygetwindowbitmap_(&take, &none, &ignored);
    yyshowcd_(&focus, &type);
}

void EndSemiModal() {
    int give = 0, none = -1, ignored = 0;
    wdialoghide_();
    Unload();
    yygetwindowbitmap_(&give, &none, &ignored);
}

// The file dialog for NAME (in and out); false when cancelled.
bool AskFileName(char *name, int *type, const char *filter, bool save) {
    std::string patterns = filter != nullptr && filter[0] != '\0' ? filter : kDefaultFilter;
    char buffer[kGridFileNameBytes - 1];
    quill::PutFixedText(buffer, static_cast<int>(sizeof buffer), std::string(name));
    int flags = save ? 1 | 2 : 0;
    const char blank[] = " ";
    wselectfile2_(patterns.c_str(), &flags, buffer, blank, type, static_cast<int>(patterns.size()),
                  static_cast<int>(sizeof buffer), 1);
    int item = 4;
    if (winfodialog_(&item) != 1) return false;
    std::string chosen = quill::TrimmedText(buffer, static_cast<int>(sizeof buffer));
    quill::CopyTerminated(name, kGridFileNameBytes, chosen.c_str());
    return true;
}

constexpr int kOpenError = 1, kFileError = 2;

// What the editor tells the user after a load that raised an error, and whether the load
// still counts as done (the cells read stay in the grid either way).
struct LoadOutcome {
    int error1, error2;
    const char *message;
    const char *title;
    int ok;
};
constexpr LoadOutcome kLoadOutcomes[] = {
    {kOpenError, kOpenError, "Error opening file", "File Error", 0},
    {kFileError, kFileError, "Error reading file", "File Error", 0},
    {4, 1009, "Out of range value found for numeric cell", "Data Error", 1},
    {11, 12, "Non-numeric data found for numeric cell", "Data Error", 1},
    {1054, 1054, "File contains too many rows/columns", "Data Error", 1},
    {1055, 1055, "Non-matching data found for menu cell", "Data Error", 1},
};

const LoadOutcome *LoadOutcomeOf(int error) {
    for (const LoadOutcome &outcome : kLoadOutcomes)
        if (error != 0 && (error == outcome.error1 || error == outcome.error2)) return &outcome;
    return nullptr;
}

void Search(int matchCase, const char *text) {
    int grid = 0, flags = matchCase ? 1 : 3, found = 0;
    wgridfind_(&grid, text, &flags, &found, nullptr, nullptr, nullptr, nullptr,
               static_cast<int>(std::strlen(text)));
    gLastFound = found;
    if (!found) Box("End of grid reached", "FIND", 0, kInformation);
}

}  // namespace

void yygridwingoto_(int *window, int *mode) {
    CommandScope scope(*window);
    const int id = *mode == 1 ? kGotoCellDialog : kGotoLineDialog;
    if (!LoadDialog(id)) return;
    const int columns = GridInfo(1), rows = GridInfo(3), column = GridInfo(4), row = GridInfo(5);
    if (*mode == 1) {
        Range(1002, 1, columns);
        PutInteger(1002, column);
        Range(1004, 1, rows);
        PutInteger(1004, row);
    } else {
        const bool byRow = *mode == 2;
        const std::string title = byRow ? "Goto Row" : "Goto Column";
        wdialogtitle_(title.c_str(), nullptr, static_cast<int>(title.size()));
        PutText(1001, byRow ? "&Row" : "&Column");
        Range(1002, 1, byRow ? rows : columns);
        PutInteger(1002, byRow ? row : column);
    }
    if (ShowModal(1002) == IDOK) {
        int grid = 0, toColumn = column, toRow = row;
        if (*mode == 1 || *mode == 3) toColumn = GetInteger(1002);
        if (*mode == 1) toRow = GetInteger(1004);
        if (*mode == 2) toRow = GetInteger(1002);
        QuietErrors quiet;
        wgridsetcell_(&grid, &toColumn, &toRow);
    }
    Unload();
}

void yygridwinfind_(int *window, int *mode, int *matchcase, char *text) {
    CommandScope scope(*window);
    std::string what(text, strnlen(text, kGridFindBytes - 1));
    if (*mode == 1) {
        if (!LoadDialog(kFindDialog)) return;
        PutText(1002, what);
        PutCheck(1003, *matchcase);
        ShowSemiModal(*window, 1002);
        bool search = false;
        for (;;) {
            const int button = WaitForButton(kFindDialog, *window);
            if (button == 1) {
                char typed[kGridFindBytes];
                int field = 1002;
                wdialoggetstring_(&field, typed, kGridFindBytes - 1);
                std::string entered = quill::TrimmedText(typed, kGridFindBytes - 1);
                if (entered.empty()) {
                    yyringbell_();
                    continue;
                }
                what = entered;
                *matchcase = GetCheck(1003);
                search = true;
            }
            break;
        }
        EndSemiModal();
        if (!search) return;
    }
    quill::CopyTerminated(text, kGridFindBytes, what.c_str());
    if (what.empty()) return;
    Search(*matchcase, text);
}

void yygridwinsort_(int *window, int *option, int *ok) {
    CommandScope scope(*window);
    *ok = 0;
    const int columns = GridInfo(1), rows = GridInfo(3), current = GridInfo(4);
    std::vector<char> labels(static_cast<std::size_t>(columns > 0 ? columns : 1) * kLabelChars,
                             ' ');
    for (int c = 0; c < columns; ++c) {
        char label[kLabelChars + 1] = "";
        int grid = 0, item = c + 1, max = kLabelChars + 1;
        yygridgetcolumnlabel_(&grid, &item, label, &max);
        std::string text = quill::TrimmedText(label, static_cast<int>(std::strlen(label)));
        if (text.empty()) text = "Column" + std::to_string(c + 1);
        quill::PutFixedText(&labels[static_cast<std::size_t>(c) * kLabelChars], kLabelChars, text);
    }
    if (!LoadDialog(kSortDialog)) return;
    int field = 1002, n = columns, selected = current;
    wdialogputmenu1_(&field, labels.data(), &n, &selected, nullptr, kLabelChars, 0);
    SetRadio(gSortDescending ? 1005 : 1004);
    PutCheck(1006, gSortMatchCase);
    if (ShowModal(1002) == IDOK) {
        *ok = 1;
        int column = 0;
        wdialoggetmenu1_(&field, &column, nullptr, 0);
        gSortDescending = RadioPosition(1004) == 2 ? 1 : 0;
        gSortMatchCase = GetCheck(1006);
        int grid = 0, first = 1, last = rows;
        int flags = (gSortDescending ? 1 : 0) | (gSortMatchCase ? 0 : 2) | (*option == 1 ? 4 : 0);
        if (column >= 1) {
            QuietErrors quiet;
            wgridsort_(&grid, &column, &flags, &first, &last);
        }
    }
    Unload();
}

void yygridwinprint_(int *window, int *row1, int *row2, int *col1, int *col2, int *ok) {
    CommandScope scope(*window);
    *ok = 0;
    if (!quill::HaveDefaultPrinter()) {
        Box("No printer installed", "Error", 0, kStop);
        return;
    }
    // The editor prints with settings set 2, which names the document by the editor's title.
    int set = 2, lines = 0, columnsLines = 0, repeat = 0, colour = 0, back = 0, scale = 100;
    yygridprintgetopt_(&lines, &columnsLines, &repeat, &colour, &back, &scale, &set);
    if (!LoadDialog(kPrintDialog)) return;
    PutCheck(1002, lines);
    PutCheck(1003, columnsLines);
    SetRadio(repeat == 1 ? 1006 : 1005);
    SetRadio(back == 1 ? 1010 : colour == 1 ? 1009 : 1008);
    {
        QuietErrors quiet;  // a scale outside the field's range leaves the field empty
        PutInteger(1012, scale);
    }
    ShowSemiModal(*window, 1012);
    int button = 0;
    for (;;) {
        button = WaitForButton(kPrintDialog, *window);
        if (button != 1014) break;
        int units = -1;
        yygridprintsetup_(&units, &set);
    }
    if (button == 1) {
        *ok = 1;
        lines = GetCheck(1002);
        columnsLines = GetCheck(1003);
        repeat = RadioPosition(1006) == 2 ? 1 : 0;
        const int colours = RadioPosition(1008);
        colour = colours >= 2 ? 1 : 0;
        back = colours == 3 ? 1 : 0;
        {
            QuietErrors quiet;
            scale = GetInteger(1012);
        }
        yygridprintsetopt_(&lines, &columnsLines, &repeat, &colour, &back, &scale, &set);
    }
    EndSemiModal();
    if (button != 1) return;
    int grid = 0, printed = 0;
    const char blank[] = " ";
    QuietErrors quiet;
    yygridprint_(&grid, &printed, row1, row2, col1, col2, &set, blank, 1);
}

void yygridwinsave_(int *window, int *saveas, int *ok, int *type, char *filename,
                    const char *filter) {
    CommandScope scope(*window);
    *ok = 0;
    // The name is taken over only when the file is written, so a failed Save As keeps the
    // editor on the file it had.
    char name[kGridFileNameBytes];
    quill::CopyTerminated(name, kGridFileNameBytes, filename);
    if (*saveas == 1 || name[0] == '\0') {
        if (!AskFileName(name, type, filter, true)) return;
    }
    int error = 0;
    {
        QuietErrors quiet;
        int grid = 0;
        wgridsave_(&grid, name, static_cast<int>(std::strlen(name)));
        error = quiet.error();
    }
    if (error == kOpenError) {
        Box("Error opening file", "File Error", 0, kExclamation);
        return;
    }
    if (error == kFileError) {
        Box("Error writing file", "File Error", 0, kExclamation);
        return;
    }
    *ok = 1;
    quill::CopyTerminated(filename, kGridFileNameBytes, name);
    // The grid now matches its file, whichever command saved it (the save prompt as well).
    if (GridWindowRecord *editor = quill::GridWindowRecordOf(wWindow[*window]))
        if (GridRecord *grid = quill::GridRecordOf(editor->grid)) grid->bUnsaved = 0;
}

void yygridwinload_(int *window, int *ask, int *ok, int *type, char *filename, const char *filter) {
    CommandScope scope(*window);
    *ok = 0;
    char name[kGridFileNameBytes];
    quill::CopyTerminated(name, kGridFileNameBytes, filename);
    if (*ask == 1 && !AskFileName(name, type, filter, false)) return;
    int error = 0;
    {
        QuietErrors quiet;
        int grid = 0;
        wgridload_(&grid, name, static_cast<int>(std::strlen(name)));
        error = quiet.error();
    }
    *ok = 1;
    const LoadOutcome *outcome = LoadOutcomeOf(error);
    if (outcome != nullptr) {
        Box(outcome->message, outcome->title, 0, kExclamation);
        *ok = outcome->ok;
    }
    {
        QuietErrors quiet;
        int grid = 0, first = 1;
        wgridsetcell_(&grid, &first, &first);
    }
    if (*ok == 1) {
        std::string used = quill::TrimmedText(name, static_cast<int>(std::strlen(name)));
        quill::CopyTerminated(filename, kGridFileNameBytes, used.c_str());
    }
}

void yygridwinsaveprompt_(int *window, int *modified, int *result, int *type, char *filename,
                          const char *filter) {
    if (*modified != 1) {
        *result = 1;
        return;
    }
    const std::string question =
        filename[0] == '\0' ? std::string("Do you want to save changes?")
                            : "Do you want to save changes to " + std::string(filename) + "?";
    const int answer = Box(question, "Quillamorph Grid Editor", 4, kExclamation, 1);
    if (answer == 1) {
        int saveas = 0;
        yygridwinsave_(window, &saveas, result, type, filename, filter);
    } else {
        *result = answer == 2 ? 1 : 0;
    }
}
