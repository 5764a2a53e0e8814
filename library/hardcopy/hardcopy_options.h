// The hardcopy option words: words 1 to 29 and 101 to 108, set by igrhardcopyoptions_ and by
// the drivers' defaults at op 1, read by the drivers when they open and draw.
#ifndef QUILL_HARDCOPY_HARDCOPY_OPTIONS_H
#define QUILL_HARDCOPY_HARDCOPY_OPTIONS_H

#include "quillamorph/convention.h"

QUILL_BEGIN_DECLS

// Resets the options that every driver's op 1 starts from: 6 = 0, 7 = 0, 8 = 1, 9 = 5,
// 10 = 0, 11 = 0, 17 = 0, 101 = 80, 102 = 60, 103 = 1, 104 = 999999, 105 = 1, 106 = 0,
// 107 = 0, 108 = 8.
void yydefh_(void);

QUILL_END_DECLS

namespace quill {

// Option word N (1 to 29, 101 to 108); any other N gives a scratch word that nothing reads.
int &HardcopyOptionSlot(int n);

// Sets all option words to 0.
void ClearHardcopyOptions();

// The default file name with its extension replaced by EXT (".ps", ".eps", ...): from the
// last "." unless a directory separator follows it, the rest blanked; without such a "." the
// extension is appended. A blank name stays blank.
void RewriteFileExtension(char *name, int name_len, const char *ext);

}  // namespace quill

#endif
