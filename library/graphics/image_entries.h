// The graphics layer's entries into the image files: the drivers that draw an image file (op
// 38) reach the image reader of the image layer through these, which that layer installs at
// library start. Until then every file answers that it cannot be opened.
//
// Free of any window system.
#ifndef QUILL_GRAPHICS_IMAGE_ENTRIES_H
#define QUILL_GRAPHICS_IMAGE_ENTRIES_H

namespace quill {

// Reads the image file named by the blank-padded NAME into PIXELS, NX by NY RGB values (red +
// 256 green + 65536 blue), rows from the top; a picture smaller than that leaves the rest
// white. Returns 0, or the error number of the failure with *OSERROR: 1 cannot be opened or 2
// short or larger than NX by NY (the system's code), 27 not a supported image, 1044 the data
// does not decompress (zlib's status). Reports nothing.
using ImageDataReader = int (*)(const char *name, int name_len, int nx, int ny, int *pixels,
                                int *oserror);
void SetImageDataReader(ImageDataReader reader);
int ReadImageData(const char *name, int name_len, int nx, int ny, int *pixels, int *oserror);

// Draws the image file PATH (NUL-terminated) of file TYPE (1 BMP, 2 PCX, 15 PNG) on the
// current drawable: stretched onto X1..X2, Y1..Y2 (pixels, y down) when STRETCH is not 0, else
// at its own size with its top-left corner at (X1, Y1) inside the clip region. STATUS as
// ImageDataReader's result; a missing drawer answers 1.
using ImageDrawer = void (*)(const int *type, const int *target, const int *x1, const int *y1,
                             const int *x2, const int *y2, const int *stretch, int *status,
                             int *oserror, const char *path);
void SetImageDrawer(ImageDrawer drawer);
ImageDrawer InstalledImageDrawer();

// The answer of op 38 to the sender: id(1) = STATUS (0 success) and, on a failure, id(2) =
// the file status (OSERROR for 1 and 2, else 0); a failure's number becomes the library's
// last error, unreported, with OSERROR as the file (1, 2) or system (1044) error status.
void AnswerImageOp(int status, int oserror);

}  // namespace quill

#endif
