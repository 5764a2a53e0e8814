// Grid text files without the window system: the field writer that turns cells into
// comma-separated lines and the field scanner that cuts such a file back into fields. Both
// move their bytes through a read or write routine that the caller gives, in blocks of a size
// the caller chooses; the size never changes what is written or what is read.
//
// The file: one line per grid row, ended by CR LF; fields separated by a comma; texts in
// double quotes with each quote inside doubled; numbers and check boxes ("Yes", "No") bare.
#ifndef QUILL_GRID_GRID_FILE_H
#define QUILL_GRID_GRID_FILE_H

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// --- Writer -----------------------------------------------------------------------------------

// Writes whole bytes; true only when every byte was written.
using GridFileWrite = std::function<bool(const char *bytes, std::size_t count)>;

// Gathers fields into blocks of BUFFERSIZE bytes (at least 1) and hands each full block to
// WRITE. A field is never cut, however long. After the first failing write nothing more is
// written and Finish answers false.
class GridFieldWriter {
public:
    GridFieldWriter(std::size_t bufferSize, GridFileWrite write);
    // A quoted field: a double quote, TEXT with every double quote doubled, a double quote.
    void Quoted(const char *text, std::size_t length);
    // A bare field: TEXT as it stands.
    void Plain(const char *text, std::size_t length);
    // The separator behind a field: a comma, or CR LF behind the last field of a row.
    void Separator(bool endOfRow);
    // Writes what is gathered; false when any write failed.
    bool Finish();
    bool Failed() const { return failed_; }

private:
    void Put(const char *bytes, std::size_t count);
    void Flush();
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    GridFileWrite write_;
    bool failed_ = false;
};

// --- Scanner ----------------------------------------------------------------------------------

// Reads up to COUNT bytes into BYTES; the count read, or a negative number on failure.
using GridFileRead = std::function<long long(char *bytes, std::size_t count)>;

// What the scanner does after a field: go on, pass over the rest of the line (its fields are
// still cut by the quoting rules, but not handed on), or stop reading.
enum class GridFieldNext { kGoOn, kSkipLine, kStop };

// Receives each field: its text and whether it ended its line.
using GridFieldSink = std::function<GridFieldNext(const std::string &text, bool endOfLine)>;

enum class GridScanEnd {
    kComplete,    // every byte read and scanned
    kStopped,     // the sink asked to stop
    kReadFailed,  // the read routine failed (it has reported why)
    kShortRead,   // a read brought fewer bytes than the file still holds
    kOpenQuotes,  // the file ends inside an open quoted field (that field is not handed on)
};

namespace quill {

// Scans a file of LENGTH bytes, read in blocks of BUFFERSIZE bytes (at least 1).
//
// A field that begins with a double quote is quoted: inside it a comma, CR or LF that
// follows an odd number of double quotes (counted from the field's start) belongs to the
// field; its enclosing quotes are dropped and doubled quotes inside become one. In any other
// field a double quote is a plain character. A field ends at a comma or at an LF, which also
// ends the line; the end of the file ends a line that has begun. A CR right before the line's
// end is dropped; trailing blanks are removed. Of a field longer than KEEP bytes only its
// first KEEP bytes are kept (the rest is read and passed over).
GridScanEnd ScanGridFields(long long length, std::size_t bufferSize, std::size_t keep,
                           const GridFileRead &read, const GridFieldSink &sink);

}  // namespace quill

#endif
