// The local date from the C runtime.
#include "runtime.h"

#include <ctime>

namespace velquist {

Date local_date() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    Date date;
    date.day = parts.tm_mday;
    date.month = parts.tm_mon + 1;
    date.year = parts.tm_year + 1900;
    return date;
}

}  // namespace velquist
