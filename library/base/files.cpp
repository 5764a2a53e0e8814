// Character-file I/O: every routine is one operating-system call on the caller's handle
// and buffer; failures raise error 1 (open) or 2 (read, write, seek) and keep the system's
// code as the file error status.
#include "base/files.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/strings.h"
#include "base/system.h"

#include <string>

namespace {

// The operating system's limit on a file name, its terminating NUL included.
const int kNameArea = 260;

// The byte count of a transfer: never beyond the caller's buffer, never negative.
int Clamp(const int *nbytes, int buffer_len) {
    int n = nbytes ? *nbytes : 0;
    if (n > buffer_len) n = buffer_len;
    return n < 0 ? 0 : n;
}

void Transferred(int status, int count, int *result) {
    if (status == 0) {
        *result = count;
        return;
    }
    *result = -1;
    quill::SetFileError(status);
    quill::RaiseError(2);
}

void Read(const int *ihandle, char *buffer, const int *nbytes, int *nread, int buffer_len) {
    int n = Clamp(nbytes, buffer_len), got = 0, status = 0;
    yyread_(ihandle, buffer, &n, &got, &status);
    Transferred(status, got, nread);
}

void Write(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
           int buffer_len) {
    int n = Clamp(nbytes, buffer_len), put = 0, status = 0;
    yywrit_(ihandle, buffer, &n, &put, &status);
    Transferred(status, put, nwritten);
}

}  // namespace

void ifileopen_(const char *filename, const int *imode, int *ihandle, int filename_len) {
    *ihandle = -1;
    int first = ilocatechar_(filename, filename_len);
    int last = quill::TrimmedTextLength(filename, filename_len);
    int mode = imode ? *imode : -1;
    // A name that would not fit the system's name area, with its NUL, is refused like a blank
    // one: no part of it is ever opened by mistake.
    if (first == 0 || mode < 0 || mode > 2 || last - first + 1 >= kNameArea) {
        quill::SetFileError(0);
        quill::RaiseError(1);
        return;
    }
    std::string name(filename + first - 1, static_cast<std::size_t>(last - first + 1));
    int status = 0;
    yyopen_(name.c_str(), &mode, ihandle, &status);
    if (status != 0 || *ihandle == -1) {
        *ihandle = -1;
        quill::SetFileError(status);
        quill::RaiseError(1);
    }
}

void ifileclose_(const int *ihandle) {
    if (ihandle && *ihandle != -1) yyclos_(ihandle);
}

void ifilereadchar_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                    int buffer_len) {
    Read(ihandle, buffer, nbytes, nread, buffer_len);
}
void ifilereadchar1_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                     int buffer_len) {
    Read(ihandle, buffer, nbytes, nread, buffer_len);
}
void ifilereadchar2_(const int *ihandle, char *buffer, const int *nbytes, int *nread,
                     int buffer_len) {
    Read(ihandle, buffer, nbytes, nread, buffer_len);
}

void ifilewritechar_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                     int buffer_len) {
    Write(ihandle, buffer, nbytes, nwritten, buffer_len);
}
void ifilewritechar1_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                      int buffer_len) {
    Write(ihandle, buffer, nbytes, nwritten, buffer_len);
}
void ifilewritechar2_(const int *ihandle, const char *buffer, const int *nbytes, int *nwritten,
                      int buffer_len) {
    Write(ihandle, buffer, nbytes, nwritten, buffer_len);
}

void ifileseek_(const int *ihandle, int *ioffset, const int *iorigin) {
    int origin = iorigin ? *iorigin : -1;
    if (origin < 0 || origin > 2) return;
    int at = *ioffset, status = 0;
    yyseek_(ihandle, &at, &origin, &status);
    Transferred(status, at, ioffset);
}

void yyexpandquotes_(char *string, int string_len) {
    int last = quill::TrimmedTextLength(string, string_len);
    std::string work;
    for (int i = 0; i < last; ++i) {
        if (string[i] == '"') {
            // Both quotes of a pair, or neither: a pair cut in half would read back as the
            // end of the quoted field.
            if (static_cast<int>(work.size()) + 2 > string_len) break;
            work += "\"\"";
        } else {
            if (static_cast<int>(work.size()) + 1 > string_len) break;
            work += string[i];
        }
    }
    quill::PutFixedText(string, string_len, work);
}

void yycompressquotes_(char *string, int string_len) {
    int last = quill::TrimmedTextLength(string, string_len);
    if (last == 0) return;
    std::string work;
    for (int i = 0; i < last; ++i) {
        work += string[i];
        if (string[i] == '"' && i + 1 < last && string[i + 1] == '"') ++i;
    }
    quill::PutFixedText(string, string_len, work);
}
