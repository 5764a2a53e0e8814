// The image layer's entries as the graphics layer sees them.
#include "graphics/image_entries.h"

#include "base/errors.h"
#include "graphics/driver_protocol.h"

namespace quill {

namespace {
// The reader's failures that carry a system code.
const int kImageCannotOpen = 1, kImageTooLarge = 2, kImageZlibFailed = 1044;
ImageDataReader gReader = nullptr;
ImageDrawer gDrawer = nullptr;
}  // namespace

void SetImageDataReader(ImageDataReader reader) { gReader = reader; }

int ReadImageData(const char *name, int name_len, int nx, int ny, int *pixels, int *oserror) {
    *oserror = 0;
    return gReader != nullptr ? gReader(name, name_len, nx, ny, pixels, oserror) : 1;
}

void SetImageDrawer(ImageDrawer drawer) { gDrawer = drawer; }

ImageDrawer InstalledImageDrawer() { return gDrawer; }

void AnswerImageOp(int status, int oserror) {
    gOperands.Id(1) = status;
    if (status == 0) return;
    yyseterror_(&status);
    const bool fileStatus = status == kImageCannotOpen || status == kImageTooLarge;
    if (fileStatus) SetFileError(oserror);
    if (status == kImageZlibFailed) SetSystemError(oserror);
    gOperands.Id(2) = fileStatus ? oserror : 0;
}

}  // namespace quill
