// The plot output file layer over the operating-system layer's unbuffered file handles.
#include "hardcopy/plot_output.h"

#include "base/errors.h"
#include "base/system.h"
#include "graphics/driver_protocol.h"

#include <climits>
#include <string>

namespace {

int gHandles[kPlotSlots + 1] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
int gPlotError = 0;
int gLastWritten = 0;
int gLastStatus = 0;
unsigned char gPlotBuffer[kPlotBufferBytes];

int HandleOf(int slot) { return slot >= 1 && slot <= kPlotSlots ? gHandles[slot] : -1; }

void Failed(int code, int oscode) {
    gPlotError = 1;
    quill::SetFileError(oscode);
    quill::RaiseError(code);
}

// One write of N bytes; anything short of N is error 2.
void WriteAll(int slot, const void *data, std::size_t n) {
    int handle = HandleOf(slot);
    int count = n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
    int written = 0, status = 0;
    if (handle < 0) {
        status = 6;  // no file open on this slot: the system's "invalid handle"
    } else if (count > 0) {
        yywrit_(&handle, data, &count, &written, &status);
    }
    gLastWritten = written;
    gLastStatus = status;
    if (handle < 0 || written < count || static_cast<std::size_t>(count) < n) Failed(2, status);
}

}  // namespace

int quill::PlotErrorFlag() { return gPlotError; }

unsigned char *quill::PlotBuffer() { return gPlotBuffer; }

void quill::OpenPlotFile(int slot, const char *name, int name_len) {
    int first = 0, last = name_len;
    while (first < last && name[first] == ' ') ++first;
    while (last > first && name[last - 1] == ' ') --last;
    std::string path(name + first, name + last);
    if (slot < 1 || slot > kPlotSlots || path.empty() || path.find('\0') != std::string::npos) {
        Failed(1, 0);
        return;
    }
    if (gHandles[slot] >= 0) yyclos_(&gHandles[slot]);
    int mode = 1, handle = -1, status = 0;
    yyopen_(path.c_str(), &mode, &handle, &status);
    gHandles[slot] = handle;
    if (handle < 0) {
        Failed(1, status);
        return;
    }
    gPlotError = 0;
}

void quill::WritePlotLine(int slot, const std::string &text) {
    std::string line = text;
    line += "\r\n";
    WriteAll(slot, line.data(), line.size());
}

void quill::WritePlotBytes(int slot, const void *data, std::size_t n) { WriteAll(slot, data, n); }

void yyprop_(const int *slot) { quill::OpenPlotFile(*slot, gOperands.ctext, kOperandTextLength); }

void yyprwl_(const int *slot, const char *line, int line_len) {
    quill::WritePlotLine(*slot,
                         std::string(line, static_cast<std::size_t>(line_len > 0 ? line_len : 0)));
}

void yyprou_(const int *slot, const char *data, int data_len) {
    quill::WritePlotBytes(*slot, data, static_cast<std::size_t>(data_len > 0 ? data_len : 0));
}

void yyprbu_(const int *slot, const int *n, const int *newline) {
    if (*n > kPlotBufferBytes) {
        Failed(2, 0);  // more than the buffer holds: nothing is written
        return;
    }
    WriteAll(*slot, gPlotBuffer, static_cast<std::size_t>(*n < 0 ? 0 : *n));
    if (*newline != 0) WriteAll(*slot, "\r\n", 2);
}

void yyprcl_(const int *slot) {
    if (*slot < 1 || *slot > kPlotSlots || gHandles[*slot] < 0) return;
    yyclos_(&gHandles[*slot]);
    gHandles[*slot] = -1;
}

void yyprfh_(const int *slot, int *handle) { *handle = HandleOf(*slot); }
