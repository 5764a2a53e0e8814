// The window-system side of error reports: the status-bar line, the "Library Error" box, and
// the program exit that its Cancel leads to.
#include "base/errors.h"
#include "core/childwindows.h"
#include "core/startup.h"

#include "base/fixedtext.h"
#include "base/system.h"
#include "quillamorph/childwindows.h"
#include "quillamorph/commondialogs.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Part 1 of the root window's status bar; the current window stays current.
void ReportInStatusBar(const char *line) {
    int item = 4, root = 0, part = 1;
    int current = winfowindow_(&item);
    quill::SelectWindowForAMoment(&root);
    windowoutstatusbar_(&part, line, static_cast<int>(std::strlen(line)));
    quill::SelectWindowForAMoment(&current);
}

void ReportInMessageBox(const char *line) {
    int buttons = 1, icon = 3, deflt = 1, item = 4;
    static const char title[] = "Library Error";
    wmessagebox_(&buttons, &icon, &deflt, line, title, static_cast<int>(std::strlen(line)),
                 static_cast<int>(sizeof title - 1));
    if (winfodialog_(&item) == 0) {
        int code = 0;
        iosexitprogram_(" ", &code, 1);
    }
}

}  // namespace

void quill::ReportErrorInWindow(int level, const char *line) {
    if (level == 3)
        ReportInStatusBar(line);
    else if (level == 4)
        ReportInMessageBox(line);
}

void iosexitprogram_(const char *message, const int *icode, int message_len) {
    int code = icode ? *icode : 0;
    int len = quill::TrimmedTextLength(message, message_len);
    if (len > 0) {
        // "Abnormal exit (code N) : MESSAGE", N left-justified, cut to the 260-byte buffer.
        char number[16];
        std::snprintf(number, sizeof number, "%4d", code);
        std::string num(number);
        if (num.size() > 4) num = "****";
        num = num.substr(num.find_first_not_of(' '));
        std::string text = "Abnormal exit (code " + num +
                           ") : " + std::string(message, static_cast<std::size_t>(len));
        if (text.size() > 259) text.resize(259);
        yywinmessagebox_("Quillamorph", text.c_str());
    }
    yyexit_(&code);
}
