// The file and directory routines of the operating-system layer for builds without Win32
// (the portable code's own tests). Windows builds use system_win.cpp instead.
#ifndef _WIN32

#include "base/system.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

void yyopen_(const char *name, const int *mode, int *handle, int *s) {
    int m = mode ? *mode : 0;
    int flags = m == 0 ? O_RDONLY : m == 1 ? (O_WRONLY | O_CREAT | O_TRUNC) : O_RDWR;
    int fd = ::open(name ? name : "", flags, 0666);
    *handle = fd;
    *s = fd < 0 ? errno : 0;
}

void yyclos_(const int *handle) {
    if (handle && *handle >= 0) ::close(*handle);
}

void yyread_(const int *handle, void *buffer, const int *n, int *nread, int *s) {
    ssize_t got = ::read(*handle, buffer, static_cast<size_t>(*n > 0 ? *n : 0));
    *nread = got < 0 ? 0 : static_cast<int>(got);
    *s = got < 0 ? errno : 0;
}

void yyreadc_(const int *handle, void *buffer, const int *n, int *nread, int *s) {
    yyread_(handle, buffer, n, nread, s);
}

void yywrit_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s) {
    ssize_t put = ::write(*handle, buffer, static_cast<size_t>(*n > 0 ? *n : 0));
    *nwritten = put < 0 ? 0 : static_cast<int>(put);
    *s = put < 0 ? errno : 0;
}

void yywritc_(const int *handle, const void *buffer, const int *n, int *nwritten, int *s) {
    yywrit_(handle, buffer, n, nwritten, s);
}

void yyseek_(const int *handle, int *offset, const int *origin, int *s) {
    int whence = *origin == 0 ? SEEK_SET : *origin == 1 ? SEEK_CUR : SEEK_END;
    off_t at = ::lseek(*handle, static_cast<off_t>(*offset), whence);
    if (at < 0) {
        *s = errno;
        return;
    }
    *offset = at > INT_MAX ? INT_MAX : static_cast<int>(at);
    *s = 0;
}

void yydirn_(char *buffer, int *s, int *itrunc, const int *size) {
    *itrunc = 0;
    *s = 0;
    if (*size <= 0) {
        *itrunc = 1;
        return;
    }
    if (::getcwd(buffer, static_cast<size_t>(*size))) return;
    if (errno == ERANGE) {
        *itrunc = 1;
        buffer[0] = '\0';
    } else {
        *s = errno;
    }
}

#endif
