// The library's error status as tests read it: the last error number (cleared by reading it,
// as infoerror_ does) and any other item of infoerror_.
#ifndef TESTS_SUPPORT_ERROR_STATUS_H
#define TESTS_SUPPORT_ERROR_STATUS_H

#include "quillamorph/errors.h"

// Item ITEM of infoerror_: 1 the last error, 2 the file error, 3 the system error, 4 the
// report level.
inline int ErrorInfo(int item) { return infoerror_(&item); }

// The last error number, cleared.
inline int LastError() { return ErrorInfo(1); }

#endif
