// Fixed-length text helpers shared by every routine that takes or returns a blank-padded text.
#include "base/fixedtext.h"

#include <cstring>

int quill::TrimmedTextLength(const char *text, int len) {
    if (!text || len <= 0) return 0;
    while (len > 0 && text[len - 1] == ' ') --len;
    return len;
}

void quill::PutFixedText(char *dest, int destlen, const char *src, std::size_t srclen) {
    if (!dest || destlen <= 0) return;
    std::size_t n =
        srclen < static_cast<std::size_t>(destlen) ? srclen : static_cast<std::size_t>(destlen);
    if (n > 0) std::memmove(dest, src, n);
    std::memset(dest + n, ' ', static_cast<std::size_t>(destlen) - n);
}

void quill::PutFixedText(char *dest, int destlen, const std::string &src) {
    PutFixedText(dest, destlen, src.data(), src.size());
}

void quill::BlankText(char *dest, int destlen) {
    if (dest && destlen > 0) std::memset(dest, ' ', static_cast<std::size_t>(destlen));
}

std::string quill::TrimmedText(const char *text, int len) {
    return std::string(text ? text : "", static_cast<std::size_t>(TrimmedTextLength(text, len)));
}

std::string quill::TextUpToNul(const char *text, int len) {
    if (!text || len <= 0) return std::string();
    const void *nul = std::memchr(text, '\0', static_cast<std::size_t>(len));
    if (nul) return std::string(text, static_cast<const char *>(nul) - text);
    return TrimmedText(text, len);
}
