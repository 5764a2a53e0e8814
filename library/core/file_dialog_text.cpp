// Filter list, title and returned name of the file dialog.
#include "core/file_dialog_text.h"

#include <cstring>

#include "base/errors.h"

namespace quill {

namespace {

int TrimmedLength(const char *text, int len) {
    if (!text || len <= 0) return 0;
    while (len > 0 && (text[len - 1] == ' ' || text[len - 1] == '\0')) --len;
    return len;
}

}  // namespace

std::string BuildFilterList(const char *text, int len) {
    int n = TrimmedLength(text, len);
    if (n == 0) return std::string();
    const char separator = text[n - 1];
    if (n > kFilterTextMax) {
        // Cut back to the end of the last whole pair within the limit: every second
        // separator closes a description-and-pattern pair.
        int items = 0;
        int cut = 0;
        for (int i = 0; i < kFilterTextMax; ++i) {
            if (text[i] == separator && ++items % 2 == 0) cut = i + 1;
        }
        n = cut;
        if (n == 0) return std::string();
    }
    std::string list(text, static_cast<size_t>(n));
    for (char &c : list)
        if (c == separator) c = '\0';
    list.push_back('\0');  // the list ends with an empty item
    return list;
}

std::string FileDialogTitle(const char *text, int len) {
    int n = TrimmedLength(text, len);
    if (n == 0) return "Select File";
    return std::string(text, static_cast<size_t>(n));
}

int ReturnedNameLength(const char *buffer, int size, bool multiple) {
    if (!buffer || size <= 0) return 0;
    const void *nul = std::memchr(buffer, '\0', static_cast<size_t>(size));
    if (!nul) return size;
    int n = static_cast<int>(static_cast<const char *>(nul) - buffer);
    if (!multiple) return n;
    while (n + 1 < size && buffer[n + 1] != '\0') {
        const void *next = std::memchr(buffer + n + 1, '\0', static_cast<size_t>(size - n - 1));
        if (!next) return size;
        n = static_cast<int>(static_cast<const char *>(next) - buffer);
    }
    return n;
}

bool CopyToPadded(const char *source, int n, char *dest, int len) {
    if (n < 0 || n > len || !dest) return false;
    if (n > 0) std::memcpy(dest, source, static_cast<size_t>(n));
    if (len > n) std::memset(dest + n, ' ', static_cast<size_t>(len - n));
    return true;
}

bool ReturnChosenPath(const char *source, int n, char *dest, int len) {
    if (CopyToPadded(source, n, dest, len)) return true;
    RaiseError(1004);
    return false;
}

}  // namespace quill
