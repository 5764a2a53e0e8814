// Memory compression through zlib's one-shot compress and uncompress.
#include "base/compression.h"

#include "base/errors.h"

#include <zlib.h>

namespace {

typedef int (*ZlibCall)(Bytef *, uLongf *, const Bytef *, uLong);

void Call(ZlibCall call, const void *source, void *dest, const int *sourcelen, int *destlen,
          int *status) {
    // Negative lengths are refused as zlib refuses a bad stream state, before any byte moves.
    if (*sourcelen < 0 || *destlen < 0) {
        *status = Z_STREAM_ERROR;
        return;
    }
    uLongf out = static_cast<uLongf>(*destlen);
    *status = call(static_cast<Bytef *>(dest), &out, static_cast<const Bytef *>(source),
                   static_cast<uLong>(*sourcelen));
    if (*status == Z_OK) *destlen = static_cast<int>(out);
}

int Compress(Bytef *dest, uLongf *destlen, const Bytef *source, uLong sourcelen) {
    return compress(dest, destlen, source, sourcelen);
}

int Uncompress(Bytef *dest, uLongf *destlen, const Bytef *source, uLong sourcelen) {
    return uncompress(dest, destlen, source, sourcelen);
}

void Report(int status, int *destlen) {
    if (status == Z_OK) return;
    *destlen = 0;
    quill::SetSystemError(status);
    quill::RaiseError(1044);
}

}  // namespace

void yyzcompr_(const void *source, void *dest, const int *sourcelen, int *destlen, int *status) {
    Call(Compress, source, dest, sourcelen, destlen, status);
}

void yyzuncom_(const void *source, void *dest, const int *sourcelen, int *destlen, int *status) {
    Call(Uncompress, source, dest, sourcelen, destlen, status);
}

namespace {

// One public call: the zlib call, then its failure as error 1044.
void Public(void (*call)(const void *, void *, const int *, int *, int *), const void *source,
            void *dest, const int *sourcelen, int *destlen) {
    int status;
    call(source, dest, sourcelen, destlen, &status);
    Report(status, destlen);
}

}  // namespace

void wcompress1_(const void *source, void *dest, const int *sourcelen, int *destlen) {
    Public(yyzcompr_, source, dest, sourcelen, destlen);
}

void wcompress2_(const void *source, void *dest, const int *sourcelen, int *destlen) {
    Public(yyzcompr_, source, dest, sourcelen, destlen);
}

void wuncompress1_(const void *source, void *dest, const int *sourcelen, int *destlen) {
    Public(yyzuncom_, source, dest, sourcelen, destlen);
}

void wuncompress2_(const void *source, void *dest, const int *sourcelen, int *destlen) {
    Public(yyzuncom_, source, dest, sourcelen, destlen);
}
