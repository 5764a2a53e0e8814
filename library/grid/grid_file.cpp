// Grid text files without the window system: the field writer and the field scanner.
#include "grid/grid_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

// --- Writer -----------------------------------------------------------------------------------

GridFieldWriter::GridFieldWriter(std::size_t bufferSize, GridFileWrite write)
    : buffer_(bufferSize > 0 ? bufferSize : 1), write_(std::move(write)) {}

void GridFieldWriter::Flush() {
    if (used_ > 0 && !failed_ && !write_(buffer_.data(), used_)) failed_ = true;
    used_ = 0;
}

void GridFieldWriter::Put(const char *bytes, std::size_t count) {
    while (count > 0 && !failed_) {
        std::size_t room = buffer_.size() - used_;
        std::size_t n = count < room ? count : room;
        std::memcpy(buffer_.data() + used_, bytes, n);
        used_ += n;
        bytes += n;
        count -= n;
        if (used_ == buffer_.size()) Flush();
    }
}

void GridFieldWriter::Quoted(const char *text, std::size_t length) {
    Put("\"", 1);
    const char *end = text + length;
    while (text < end) {
        const char *quote =
            static_cast<const char *>(std::memchr(text, '"', static_cast<std::size_t>(end - text)));
        if (!quote) {
            Put(text, static_cast<std::size_t>(end - text));
            break;
        }
        Put(text, static_cast<std::size_t>(quote - text) + 1);
        Put("\"", 1);
        text = quote + 1;
    }
    Put("\"", 1);
}

void GridFieldWriter::Plain(const char *text, std::size_t length) { Put(text, length); }

void GridFieldWriter::Separator(bool endOfRow) {
    if (endOfRow)
        Put("\r\n", 2);
    else
        Put(",", 1);
}

bool GridFieldWriter::Finish() {
    Flush();
    return !failed_;
}

// --- Scanner ----------------------------------------------------------------------------------

namespace {

// The field being read, carried across buffer refills.
struct FieldState {
    std::string raw;         // the field's bytes as read, at most KEEP of them
    bool cut = false;        // bytes were passed over beyond KEEP
    bool heldCR = false;     // a CR came when KEEP bytes were read: it is the line's own
                             // CR when an LF follows, else a byte passed over
    bool begun = false;      // a byte of the field has been read
    bool quoted = false;     // the field began with a double quote
    bool open = false;       // inside quotes: an odd number of quotes read so far
    bool lineBegun = false;  // a byte of the line has been read
    bool skipping = false;   // the rest of the line is passed over

    void Reset() {
        raw.clear();
        cut = heldCR = begun = quoted = open = false;
    }
};

// The text of a finished field by the quoting rules.
std::string FieldText(FieldState &field, bool endOfLine) {
    std::string &raw = field.raw;
    // A CR held back at the limit is the line end's when the field ends the line; a field
    // that fills the limit exactly is then whole, as it is when LF alone ends the line.
    if (field.heldCR && !endOfLine) field.cut = true;
    if (endOfLine && !field.cut && !field.heldCR && !raw.empty() && raw.back() == '\r')
        raw.pop_back();
    std::string text;
    if (field.quoted) {
        std::size_t first = 1, last = raw.size();
        if (!field.cut && last > first && raw[last - 1] == '"') --last;
        text.reserve(last > first ? last - first : 0);
        for (std::size_t i = first; i < last; ++i) {
            text += raw[i];
            if (raw[i] == '"' && i + 1 < last && raw[i + 1] == '"') ++i;
        }
    } else {
        text.swap(raw);
    }
    std::size_t end = text.find_last_not_of(' ');
    text.resize(end == std::string::npos ? 0 : end + 1);
    return text;
}

}  // namespace

GridScanEnd quill::ScanGridFields(long long length, std::size_t bufferSize, std::size_t keep,
                                  const GridFileRead &read, const GridFieldSink &sink) {
    std::vector<char> buffer(bufferSize > 0 ? bufferSize : 1);
    FieldState field;
    bool stop = false;

    auto emit = [&](bool endOfLine) {
        if (field.skipping) {
            field.Reset();
            if (endOfLine) field.skipping = false;
        } else {
            std::string text = FieldText(field, endOfLine);
            field.Reset();
            GridFieldNext next = sink(text, endOfLine);
            if (next == GridFieldNext::kStop)
                stop = true;
            else if (next == GridFieldNext::kSkipLine && !endOfLine)
                field.skipping = true;
        }
        if (endOfLine) field.lineBegun = false;
    };
    auto append = [&](char c) {
        if (field.skipping) return;
        if (field.raw.size() < keep)
            field.raw += c;
        else if (c == '\r' && !field.heldCR && !field.cut)
            field.heldCR = true;
        else
            field.cut = true;
    };

    long long remaining = length;
    while (remaining > 0) {
        std::size_t want = static_cast<long long>(buffer.size()) < remaining
                               ? buffer.size()
                               : static_cast<std::size_t>(remaining);
        long long got = read(buffer.data(), want);
        if (got < 0) return GridScanEnd::kReadFailed;
        if (static_cast<std::size_t>(got) < want) return GridScanEnd::kShortRead;
        remaining -= got;
        for (std::size_t i = 0; i < want; ++i) {
            char c = buffer[i];
            field.lineBegun = true;
            if (field.open) {
                append(c);
                if (c == '"') field.open = false;
                continue;
            }
            if (c == ',' || c == '\n') {
                emit(c == '\n');
                if (stop) return GridScanEnd::kStopped;
                continue;
            }
            if (!field.begun) {
                field.begun = true;
                if (c == '"') {
                    field.quoted = true;
                    field.open = true;
                    append(c);
                    continue;
                }
            }
            append(c);
            if (field.quoted && c == '"') field.open = true;
        }
    }
    if (field.open) return GridScanEnd::kOpenQuotes;
    if (field.lineBegun) {
        emit(true);
        if (stop) return GridScanEnd::kStopped;
    }
    return GridScanEnd::kComplete;
}
