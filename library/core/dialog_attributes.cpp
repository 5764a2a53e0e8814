// Reading a dialog's attribute text. See dialog_attributes.h.
#include "core/dialog_attributes.h"

#include "base/conversion.h"

#include <cstdlib>
#include <cstring>

namespace {

const char *const kHeaders[] = {
    "[Ranges]",    "[Menus]",   "[Checks]", "[Tabs]",    "[Grids]",     "[Colours]",
    "[Trackbars]", "[Lengths]", "[Dialog]", "[Formats]", "[Treeviews]", "[Fonts]",
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\0'; }

// Start of the line after the one at POS (or the end of the text).
std::size_t NextLine(const std::string &text, std::size_t pos) {
    std::size_t end = text.find('\n', pos);
    return end == std::string::npos ? text.size() : end + 1;
}

// End of the line at POS, without its line feed and a carriage return before it.
std::size_t LineEnd(const std::string &text, std::size_t pos) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    if (end > pos && text[end - 1] == '\r') --end;
    return end;
}

const char *SkipBlanks(const char *p, const char *end) {
    while (p < end && IsBlank(*p)) ++p;
    return p;
}

const char *TokenEnd(const char *p, const char *end) {
    while (p < end && !IsBlank(*p) && !IsLineEnd(*p) && *p != '\r') ++p;
    return p;
}

}  // namespace

int strcmporn(const char *header, const char *text) {
    for (;; ++header, ++text) {
        if (*header == '\0' || *text == '\0') return 0;
        if (*header != *text)
            return static_cast<unsigned char>(*header) - static_cast<unsigned char>(*text);
    }
}

int quill::AttributeHeaderSection(const char *text) {
    for (int i = 0; i < static_cast<int>(sizeof kHeaders / sizeof kHeaders[0]); ++i)
        if (strcmporn(kHeaders[i], text) == 0) return i + 1;
    return kSectionNone;
}

void quill::BeginAttributeReader(AttributeReader *reader, const char *data, std::size_t size) {
    std::size_t n = data ? strnlen(data, size) : 0;
    reader->text.assign(data ? data : "", n);
    reader->pos = 0;
}

bool quill::NextAttributeLine(AttributeReader *reader, AttributeLine *line) {
    const std::string &text = reader->text;
    while (reader->pos < text.size()) {
        std::size_t start = reader->pos;
        while (start < text.size() && IsBlank(text[start])) ++start;
        std::size_t end = LineEnd(text, start);
        reader->pos = NextLine(text, start);
        if (end == start) continue;  // an empty line

        const char *p = text.c_str() + start;
        const char *stop = text.c_str() + end;
        line->header = AttributeHeaderSection(p);
        line->id = 0;
        line->rest = stop;
        line->restLen = 0;
        line->tail = stop;
        // A header must begin the line itself: a line shorter than the header is not one.
        if (line->header != kSectionNone &&
            std::strlen(kHeaders[line->header - 1]) > static_cast<std::size_t>(stop - p))
            line->header = kSectionNone;
        if (line->header == kSectionNone) {
            const char *q = p;
            line->id = ReadAttributeInt(&q, stop);
            line->tail = TokenEnd(p, stop);
            line->rest = q;
            line->restLen = static_cast<std::size_t>(stop - q);
        }
        return true;
    }
    return false;
}

bool quill::ReadAttributeItem(AttributeReader *reader, std::string *item) {
    const std::string &text = reader->text;
    if (reader->pos >= text.size()) return false;
    std::size_t start = reader->pos;
    std::size_t end = LineEnd(text, start);
    reader->pos = NextLine(text, start);
    std::size_t n = end - start;
    if (n > kAttributeLineMax) n = kAttributeLineMax;
    item->assign(text, start, n);
    return true;
}

void quill::ConsumeAttributeTail(AttributeReader *reader, const AttributeLine *line,
                                 std::size_t count) {
    const char *base = reader->text.c_str();
    std::size_t tail = static_cast<std::size_t>(line->tail - base);
    if (tail > reader->text.size()) tail = reader->text.size();
    std::size_t left = reader->text.size() - tail;
    if (count > left) count = left;
    // Parsing continues on the line that holds the last character the grid used.
    std::size_t at = tail + count;
    if (count > 0) reader->pos = NextLine(reader->text, at > 0 ? at - 1 : 0);
}

int quill::ReadAttributeInt(const char **p, const char *end) {
    const char *q = SkipBlanks(*p, end);
    const char *token = TokenEnd(q, end);
    bool negative = false;
    if (q < token && *q == '-') {
        negative = true;
        ++q;
    }
    unsigned value = 0;  // wraps like the word it fills; no overflow check
    while (q < token && *q >= '0' && *q <= '9')
        value = value * 10u + static_cast<unsigned>(*q++ - '0');
    *p = SkipBlanks(token, end);
    int result = static_cast<int>(value);
    return negative ? static_cast<int>(0u - value) : result;
}

double quill::ReadAttributeReal(const char **p, const char *end) {
    const char *q = SkipBlanks(*p, end);
    const char *token = TokenEnd(q, end);
    std::string copy(q, static_cast<std::size_t>(token - q));
    *p = SkipBlanks(token, end);
    double value = 0.0;
    yyst2dbl_(&value, copy.c_str(), static_cast<int>(copy.size()));
    return value;
}

namespace {

int Clamp(double value, int low, int high) {
    if (!(value >= low)) return low;  // below the range, or not a number
    if (value >= high) return high;
    return static_cast<int>(value);
}

}  // namespace

void quill::ReadAttributeIntRange(const char **p, const char *end, int low, int high, int *minimum,
                                  int *maximum) {
    *minimum = Clamp(ReadAttributeReal(p, end), low, high);
    *maximum = Clamp(ReadAttributeReal(p, end), low, high);
}

std::string quill::AttributeMenuItem(const std::string &line) {
    std::size_t n = line.size();
    while (n > 0 && IsBlank(line[n - 1])) --n;
    return line.substr(0, n);
}

std::string quill::AttributeTabCaption(const std::string &line) {
    return line.empty() ? line : line.substr(0, line.size() - 1);
}

std::uint32_t quill::AttributeColour(std::uint32_t old, int red, int green, int blue) {
    if (red == 256) return 0xFFFFFFFFu;
    if (red == -1) return old;
    return static_cast<std::uint32_t>(red & 0xFF) |
           (static_cast<std::uint32_t>(green & 0xFF) << 8) |
           (static_cast<std::uint32_t>(blue & 0xFF) << 16);
}
