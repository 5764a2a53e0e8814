// Reading a dialog's attribute text: the section headers, the data lines with their control
// ids and values, and the item lines that follow a [Menus] or [Tabs] line.
//
// The reader works on a copy of the resource that it ends with a NUL itself, so a resource
// without one, or with lines of any length, is never read past its size.
#ifndef QUILL_CORE_DIALOG_ATTRIBUTES_H
#define QUILL_CORE_DIALOG_ATTRIBUTES_H

#include <cstddef>
#include <cstdint>
#include <string>

enum AttributeSection {
    kSectionNone = 0,
    kSectionRanges = 1,
    kSectionMenus = 2,
    kSectionChecks = 3,
    kSectionTabs = 4,
    kSectionGrids = 5,
    kSectionColours = 6,
    kSectionTrackbars = 7,
    kSectionLengths = 8,
    kSectionDialog = 9,
    kSectionFormats = 10,
    kSectionTreeviews = 11,
    kSectionFonts = 12,
};

// Longest item text (menu item, tab caption) kept from one line.
constexpr std::size_t kAttributeLineMax = 1024;

// 0 when TEXT begins with HEADER (or either runs out), else the difference of the first
// characters that differ. Case-sensitive.
int strcmporn(const char *header, const char *text);

namespace quill {

// The section whose header begins TEXT, or kSectionNone.
int AttributeHeaderSection(const char *text);

}  // namespace quill

struct AttributeReader {
    std::string text;  // the resource up to its first NUL or its size
    std::size_t pos;   // start of the next line
};

// One line as the reader found it.
struct AttributeLine {
    int header;        // section number of a header line, else kSectionNone
    int id;            // control id of a data line
    const char *rest;  // behind the id and the blanks after it, up to the end of the line
    std::size_t restLen;
    const char *tail;  // behind the id, to the end of the whole text (for the grid's parser)
};

namespace quill {

// Starts a reader on SIZE bytes of DATA; reading stops at the first NUL.
void BeginAttributeReader(AttributeReader *reader, const char *data, std::size_t size);
// The next line (blanks at its start skipped, empty lines skipped); false at the end.
bool NextAttributeLine(AttributeReader *reader, AttributeLine *line);
// The next whole line as an item text: cut to kAttributeLineMax characters, without its line
// end. False when the text has no more lines.
bool ReadAttributeItem(AttributeReader *reader, std::string *item);
// Moves on by COUNT characters of the tail of the last data line (what a grid consumed),
// never past the end of the text.
void ConsumeAttributeTail(AttributeReader *reader, const AttributeLine *line, std::size_t count);

// The values of a data line, token by token: an integer (a leading "-" then decimal digits
// from the start of the token; none gives 0) or a real. Each moves *P behind the token and
// the blanks after it, never past END.
int ReadAttributeInt(const char **p, const char *end);
double ReadAttributeReal(const char **p, const char *end);

// The integer range of a data line: two reals, each clamped to [LOW, HIGH] (a value that is
// not a number gives LOW), for controls whose range is an integer one.
void ReadAttributeIntRange(const char **p, const char *end, int low, int high, int *minimum,
                           int *maximum);

// Menu item text: trailing blanks dropped. Tab caption: the last character of the line
// (the blank before the line feed) dropped.
std::string AttributeMenuItem(const std::string &line);
std::string AttributeTabCaption(const std::string &line);

// A field colour from three components: red 256 is the default colour (0xFFFFFFFF), red -1
// leaves OLD unchanged, anything else takes the low 8 bits of each component.
std::uint32_t AttributeColour(std::uint32_t old, int red, int green, int blue);

}  // namespace quill

#endif
