// The plot output file layer: every file driver of the hardcopy side writes its file through
// these routines. A failing open or write raises the library error (1 open, 2 write), keeps
// the operating system's code as the file error status and sets the plot-output error flag,
// which the drivers test so that a file whose open or write failed gets nothing more.
//
// Slots are small numbers 1 to 8 chosen by the caller; the vector file drivers use slot 2.
// Every line goes out in one write, with carriage return and line feed behind it.
#ifndef QUILL_HARDCOPY_PLOT_OUTPUT_H
#define QUILL_HARDCOPY_PLOT_OUTPUT_H

#include "quillamorph/convention.h"

#include <cstddef>
#include <string>

QUILL_BEGIN_DECLS

// Opens the file named by the hardcopy file name operand for writing (emptied first).
void yyprop_(const int *slot);
// Writes LINE (its whole length, trailing blanks included) and the line end in one write.
void yyprwl_(const int *slot, const char *line, int line_len);
// Writes the bytes of DATA with no line end.
void yyprou_(const int *slot, const char *data, int data_len);
// Writes N bytes of the shared plot buffer, then the line end when NEWLINE is not 0.
void yyprbu_(const int *slot, const int *n, const int *newline);
// Closes the slot's file; nothing is checked.
void yyprcl_(const int *slot);
// The slot's operating-system handle (-1 when none is open).
void yyprfh_(const int *slot, int *handle);

QUILL_END_DECLS

// The number of slots and the size of the shared plot buffer in bytes.
constexpr int kPlotSlots = 8;
constexpr int kPlotBufferBytes = 32768;

namespace quill {

// The plot-output error flag: 0 after a successful open, 1 after any failing open or write.
int PlotErrorFlag();

// Opens NAME (blank-padded, NAME_LEN characters; leading and trailing blanks are not part of
// the name) on SLOT, as yyprop_ does with the file name operand.
void OpenPlotFile(int slot, const char *name, int name_len);

// Writes TEXT and the line end in one write (the C++ face of yyprwl_).
void WritePlotLine(int slot, const std::string &text);

// Writes bytes with no line end (the C++ face of yyprou_).
void WritePlotBytes(int slot, const void *data, std::size_t n);

// The shared plot buffer that the raster and image writers fill before yyprbu_.
unsigned char *PlotBuffer();

}  // namespace quill

#endif
