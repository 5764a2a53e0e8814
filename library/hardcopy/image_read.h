// Reading image files for the library's drivers: the file name of a public call, a file
// decoded into a picture, or into an array of RGB values of known capacity.
#ifndef QUILL_HARDCOPY_IMAGE_READ_H
#define QUILL_HARDCOPY_IMAGE_READ_H

#include "hardcopy/image_codec.h"

#include <string>

namespace quill {

// The name of a blank-padded text without its leading and trailing blanks.
std::string ImageFileName(const char *filename, int filename_len);

// Decodes the BMP, PCX or PNG image in DATA by its type (27 for any other kind).
int DecodeImage(const unsigned char *data, std::size_t size, ImagePixels &image, int *zstatus);

// Reads and decodes the image file PATH. Returns an ImageStatus; OSERROR is the system's code
// for 1 and 2 and zlib's status for 1044.
int LoadImageFile(const std::string &path, ImagePixels &image, int *oserror);

// The file's pixels as RGB values into IDATA, which holds CAPACITY values (2 when the picture
// is larger; nothing is written on any failure).
int LoadImageData(const std::string &path, int *idata, std::size_t capacity, int *oserror);

// The reader the graphics layer's drivers draw image files with (graphics/image_entries.h):
// the file named by the blank-padded NAME into NX by NY RGB values, rows from the top, a
// smaller picture at the top-left of white. Returns an ImageStatus (2 for a picture larger
// than NX by NY or a size not above 0); reports nothing.
int ReadImageForDrivers(const char *name, int name_len, int nx, int ny, int *pixels, int *oserror);

// Reports a failed read by the library's error rules: the number, with the file error status
// (1, 2) or the system error status (zlib's, 1044).
void RaiseImageStatus(int status, int oserror);

}  // namespace quill

#endif
