// Names of the earlier program's save files.
#include "save_files.h"

#include <cstdio>

namespace velquist {

std::string save_file_name(int start_number, int iteration_count, const Date &date, SaveKind kind) {
    static const char *const kExtension[] = {".chk", ".million", ".palindrome"};
    char day_text[32];
    std::snprintf(day_text, sizeof day_text, "%02d-%02d-%04d", date.day, date.month, date.year);
    return std::to_string(start_number) + "_" + std::to_string(iteration_count) + "_" + day_text +
           kExtension[static_cast<int>(kind)];
}

}  // namespace velquist
