// Memory compression: one call compresses or uncompresses a block into another as a zlib
// stream.
#ifndef QUILLAMORPH_COMPRESSION_H
#define QUILLAMORPH_COMPRESSION_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Compress SOURCELEN bytes of SOURCE into DEST. DESTLEN: in the size of DEST, out the length
// of the stream. On failure (DEST too small, or for the uncompressing routines a damaged
// stream) DESTLEN is 0, error 1044, and zlib's status (-5 too small, -3 damaged) is the system
// error status (infoerror_ item 3). The "1" and "2" forms are the same operation for byte
// and word arrays. SOURCELEN 0 gives a valid empty stream.
void wcompress1_(const void *source, void *dest, const int *sourcelen, int *destlen);
void wcompress2_(const void *source, void *dest, const int *sourcelen, int *destlen);

// Uncompress the zlib stream of SOURCELEN bytes into DEST; DESTLEN in the size of DEST, out
// the number of bytes produced; failures as above.
void wuncompress1_(const void *source, void *dest, const int *sourcelen, int *destlen);
void wuncompress2_(const void *source, void *dest, const int *sourcelen, int *destlen);

QUILL_END_DECLS

#endif
