// String utilities on fixed-length, blank-padded texts.
#include "base/strings.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/system.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasLetter(const char *text, int len, char letter) {
    for (int i = 0; text && i < len; ++i)
        if (Upper(text[i]) == letter) return true;
    return false;
}

}  // namespace

void iuppercase_(char *string, int string_len) {
    for (int i = 0; string && i < string_len; ++i) string[i] = Upper(string[i]);
}

void ilowercase_(char *string, int string_len) {
    for (int i = 0; string && i < string_len; ++i) string[i] = Lower(string[i]);
}

void ilocatestring_(const char *string, int *ifirst, int *ilast, int string_len) {
    int first = 0, last = 0;
    for (int i = 0; string && i < string_len; ++i) {
        if (string[i] != ' ') {
            first = i + 1;
            break;
        }
    }
    if (first) {
        last = string_len;
        for (int i = first; i < string_len; ++i) {
            if (string[i] == ' ') {
                last = i;
                break;
            }
        }
    }
    if (ifirst) *ifirst = first;
    if (ilast) *ilast = last;
}

int ilocatechar_(const char *string, int string_len) {
    for (int i = 0; string && i < string_len; ++i)
        if (string[i] != ' ' && string[i] != '\0') return i + 1;
    return 0;
}

void ijustifystring_(char *string, const char *justify, int string_len, int justify_len) {
    int first = ilocatechar_(string, string_len);
    int last = quill::TrimmedTextLength(string, string_len);
    if (first == 0 || last == 0) return;
    int n = string_len;
    int t = last - first + 1;
    if (t >= n) return;
    int start;
    if (HasLetter(justify, justify_len, 'L'))
        start = 1;
    else if (HasLetter(justify, justify_len, 'R'))
        start = n - t + 1;
    else
        start = (n - t) / 2 + 1;
    std::string text(string + first - 1, static_cast<std::size_t>(t));
    quill::BlankText(string, n);
    text.copy(string + start - 1, text.size());
}

int indexnocase_(const char *string, const char *substring, const int *back, int string_len,
                 int substring_len) {
    int n = string ? (string_len > 0 ? string_len : 0) : 0;
    int m = substring ? (substring_len > 0 ? substring_len : 0) : 0;
    bool fromend = back && *back != 0;
    if (m == 0) return fromend ? n + 1 : 1;
    if (m > n) return 0;
    auto matches = [&](int at) {
        for (int j = 0; j < m; ++j)
            if (Upper(string[at + j]) != Upper(substring[j])) return false;
        return true;
    };
    if (fromend) {
        for (int at = n - m; at >= 0; --at)
            if (matches(at)) return at + 1;
    } else {
        for (int at = 0; at <= n - m; ++at)
            if (matches(at)) return at + 1;
    }
    return 0;
}

void yysplitp_(char *path, char *name, int path_len, int name_len) {
    static const char left[] = "L";
    ijustifystring_(path, left, path_len, 1);
    int last = quill::TrimmedTextLength(path, path_len);
    if (last >= 2 && path[last - 1] == '.' && path[last - 2] == '.') {
        quill::BlankText(name, name_len);
        return;
    }
    // The 1-based position of the last separator, 0 when there is none.
    const int sep = static_cast<int>(quill::FolderPartLength(path, static_cast<std::size_t>(last)));
    if (sep == 0) {
        quill::PutFixedText(name, name_len, path, static_cast<std::size_t>(last));
        quill::BlankText(path, path_len);
    } else if (sep < last) {
        quill::PutFixedText(name, name_len, path + sep, static_cast<std::size_t>(last - sep));
        quill::BlankText(path + sep - 1, path_len - sep + 1);
    } else {
        quill::BlankText(name, name_len);
        bool another = false;
        for (int i = sep - 1; i >= 1; --i)
            if (path[i - 1] == '\\' || path[i - 1] == '/') {
                another = true;
                break;
            }
        if (another) path[sep - 1] = ' ';
    }
}

void iosdirname_(char *dirname, int dirname_len) {
    int size = (dirname_len > 0 ? dirname_len : 0) + 1;
    std::vector<char> work(static_cast<std::size_t>(size), '\0');
    int status = 0, truncated = 0;
    yydirn_(work.data(), &status, &truncated, &size);
    if (status != 0) {
        quill::BlankText(dirname, dirname_len);
        quill::SetSystemError(status);
        quill::RaiseError(13);
    } else if (truncated) {
        quill::BlankText(dirname, dirname_len);
        quill::RaiseError(1023);
    } else {
        quill::PutFixedText(dirname, dirname_len, std::string(work.data()));
    }
}

int yyAsciiToInt(const char *text) {
    if (!text) return 0;
    bool negative = *text == '-';
    if (negative) ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        // Summed wide and held just past the range, so no digit count can overflow.
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int yystrlen(const char *text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

int yysubstrlen(const char *text) {
    int n = 0;
    while (text && text[n] != '\0' && text[n] != ' ') ++n;
    return n;
}

namespace quill {

void CopyTerminated(char *buffer, std::ptrdiff_t size, const char *text, std::size_t length) {
    if (!buffer || size <= 0) return;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    if (length > room) length = room;
    if (length > 0) std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

void CopyTerminated(char *buffer, std::ptrdiff_t size, const char *text) {
    if (!buffer || size <= 0) return;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    CopyTerminated(buffer, size, text, text ? strnlen(text, room) : 0);
}

void CopyTerminated(char *buffer, std::ptrdiff_t size, const std::string &text) {
    CopyTerminated(buffer, size, text.data(), text.size());
}

char *DuplicateText(const char *text) {
    if (!text) return nullptr;
    const std::size_t n = std::strlen(text) + 1;
    char *copy = static_cast<char *>(std::malloc(n));
    if (copy) std::memcpy(copy, text, n);
    return copy;
}

std::size_t FolderPartLength(const char *path, std::size_t length) {
    auto separator = [](char c) { return c == '\\' || c == '/' || c == ':'; };
    while (length > 0 && !separator(path[length - 1])) --length;
    return length;
}

std::size_t FolderPartLength(const std::string &path) {
    return FolderPartLength(path.data(), path.size());
}

}  // namespace quill
