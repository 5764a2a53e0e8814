// The error store and the one report path of the library.
#include "base/errors.h"

#include "base/debuglog.h"
#include "base/fixedtext.h"

#include <cstdio>
#include <string>

namespace {

// The four status words as infoerror_ numbers them (item 1 to 4), and the value infoerror_
// returned last.
int lasterror = 0;
int fileerror = 0;
int systemerror = 0;
int reportlevel = 0;
quill::ErrorReportHook windowReport = nullptr;
int lastinfo = 0;

void WriteStandardOutput(const std::string &line) {
    // One list-directed record: a leading blank, the line, the end of the record.
    std::fputc(' ', stdout);
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

const char *quill::ErrorMessageText(int code) {
    int lo = 0, hi = kErrorMessageCount - 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        if (kErrorMessages[mid].number == code) return kErrorMessages[mid].text;
        if (kErrorMessages[mid].number < code)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return "";
}

std::string quill::ErrorReportLine(int code) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d", code);
    std::string line = "Error=";
    // An integer edit of width 4: a number that does not fit shows as asterisks.
    line += std::string(number).size() > 4 ? std::string("****") : std::string(number);
    line += ":";
    std::string message = ErrorMessageText(code);
    if (message.size() > 62) message.resize(62);
    line += message;
    return TrimmedText(line.data(), static_cast<int>(line.size()));
}

void yyseterror_(const int *icode) { lasterror = icode ? *icode : 0; }

void yyerror_(const int *icode) {
    yyseterror_(icode);
    if (reportlevel <= 0) return;
    // The report itself may raise errors (log, status bar, message box): with the level at 0
    // they are stored but not reported, and the reported number is put back afterwards.
    int level = reportlevel;
    int code = lasterror;
    reportlevel = 0;
    std::string line = quill::ErrorReportLine(code);
    switch (level) {
    case 1: WriteStandardOutput(line); break;
    case 2: idebug_(line.data(), static_cast<int>(line.size())); break;
    default:
        if (windowReport) windowReport(level, line.c_str());
        break;
    }
    reportlevel = level;
    lasterror = code;
}

void quill::RaiseError(int code) { yyerror_(&code); }

void quill::SetErrorReportHook(ErrorReportHook hook) { windowReport = hook; }

void quill::SetFileError(int code) { fileerror = code; }
void quill::SetSystemError(int code) { systemerror = code; }
void quill::ResetErrorState() { lasterror = fileerror = systemerror = reportlevel = 0; }
int quill::LastErrorNumber() { return lasterror; }
int quill::ReportLevel() { return reportlevel; }

int infoerror_(const int *item) {
    int which = item ? *item : 0;
    switch (which) {
    case 1:
        lastinfo = lasterror;
        lasterror = 0;
        break;
    case 2:
        lastinfo = fileerror;
        fileerror = 0;
        break;
    case 3:
        lastinfo = systemerror;
        systemerror = 0;
        break;
    case 4: lastinfo = reportlevel; break;
    default: break;
    }
    return lastinfo;
}

void winfoerrormessage_(const int *ierror, char *message, int message_len) {
    const char *text = quill::ErrorMessageText(ierror ? *ierror : 0);
    quill::PutFixedText(message, message_len, text, std::char_traits<char>::length(text));
}

void idebuglevel_(const int *ilevel) {
    if (ilevel && *ilevel >= 0 && *ilevel <= 4) reportlevel = *ilevel;
}

void idebug_(const char *text, int text_len) {
    std::string line(text ? text : "",
                     text && text_len > 0 ? static_cast<std::size_t>(text_len) : 0);
    yydebug_(line.c_str());
}

QuietErrors::QuietErrors() : saved_error(lasterror), saved_level(reportlevel) {
    lasterror = 0;
    reportlevel = 0;
}

QuietErrors::~QuietErrors() {
    lasterror = saved_error;
    reportlevel = saved_level;
}

int QuietErrors::error() const { return lasterror; }
