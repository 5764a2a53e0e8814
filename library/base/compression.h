// zlib's one-shot calls for the library's own code.
#ifndef QUILL_BASE_COMPRESSION_H
#define QUILL_BASE_COMPRESSION_H

#include "quillamorph/compression.h"

QUILL_BEGIN_DECLS

// compress and uncompress with zlib's status in STATUS (0 success); DESTLEN in/out.
void yyzcompr_(const void *source, void *dest, const int *sourcelen, int *destlen, int *status);
void yyzuncom_(const void *source, void *dest, const int *sourcelen, int *destlen, int *status);

QUILL_END_DECLS

#endif
