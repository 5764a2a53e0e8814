// Helpers for the library's fixed-length texts: blank-padded, not NUL-terminated, with their
// length passed beside them. Every copy into a caller's text goes through PutFixedText, which
// never writes past the length it is given and treats a negative length as 0.
#ifndef QUILL_BASE_FIXEDTEXT_H
#define QUILL_BASE_FIXEDTEXT_H

#include <cstddef>
#include <string>

namespace quill {

// The length of TEXT without its trailing blanks (NUL characters count as significant).
int TrimmedTextLength(const char *text, int len);

// Copy SRCLEN bytes of SRC into the fixed text DEST of DESTLEN characters: cut at DESTLEN,
// blank-padded behind. DEST may be null when DESTLEN is 0 or less.
void PutFixedText(char *dest, int destlen, const char *src, std::size_t srclen);
void PutFixedText(char *dest, int destlen, const std::string &src);

// Fill the fixed text with blanks.
void BlankText(char *dest, int destlen);

// TEXT without its trailing blanks, as a C++ string (null TEXT or length <= 0 give "").
std::string TrimmedText(const char *text, int len);

// TEXT up to its first NUL, or, when it holds none, up to its last non-blank character.
std::string TextUpToNul(const char *text, int len);

}  // namespace quill

#endif
