// Library settings: base directory, configuration file, temporary names, command line.
#include "base/configuration.h"

#include <sys/stat.h>

#include "base/errors.h"
#include "base/strings.h"
#include "quillamorph/conversion.h"

#include <cctype>
#include <cstdio>
#include <cstring>

LibrarySettings gSettings;

using quill::CopyTerminated;

namespace {

void AppendText(char *dst, std::size_t size, const char *src) {
    std::size_t used = std::strlen(dst);
    if (used < size) CopyTerminated(dst + used, size - used, src);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsEmpty(const char *text) { return text == nullptr || text[0] == '\0'; }

// The integer of a numeric key's value through the library's conversion. A value that is no
// integer is reported by the report level like any other conversion error; the error number
// is then taken back, so that the bad value only makes its line ignored.
bool ReadInteger(const char *text, std::size_t len, int *value) {
    const int none = 0, lastError = 1;
    yyseterror_(&none);
    int number = 0;
    istringtointeger_(text, &number, static_cast<int>(len));
    if (infoerror_(&lastError) != 0) return false;
    *value = number;
    return true;
}

// A key is compared on all its characters, cut or blank-padded to this length.
constexpr std::size_t kKeyChars = 8;

// True when the padded KEY is NAME, blank-padded.
bool KeyIs(const char *key, const char *name) {
    char padded[kKeyChars];
    std::memset(padded, ' ', kKeyChars);
    std::memcpy(padded, name, std::strlen(name));
    return std::memcmp(key, padded, kKeyChars) == 0;
}

// Keys whose value is an integer, in the order of ConfigNumber.
const char *const kNumericKeys[] = {"DEBUG",    "HPGL2",   "LFNGEN", "LFNPLOTI",
                                    "LFNPLOTO", "PLOTTER", "PRINTER"};
enum ConfigNumber { kDebug, kHpgl2, kLfnGen, kLfnPlotI, kLfnPlotO, kPlotter, kPrinter, kNoNumber };

ConfigNumber NumericKey(const char *key) {
    for (int i = 0; i < kNoNumber; ++i)
        if (KeyIs(key, kNumericKeys[i])) return static_cast<ConfigNumber>(i);
    return kNoNumber;
}

}  // namespace

void quill::SetDefaultSettings(LibrarySettings *s) {
    std::memset(s, 0, sizeof *s);
    s->generalUnit = 40;
    s->plotOutputUnit = 41;
    s->plotInputUnit = 42;
    CopyTerminated(s->charSet, sizeof s->charSet, "standard.chr");
}

void quill::AppendBackslash(char *dir, std::size_t size) {
    std::size_t n = std::strlen(dir);
    if (n > 0 && dir[n - 1] != '\\' && n + 1 < size) {
        dir[n] = '\\';
        dir[n + 1] = '\0';
    }
}

void quill::ReadConfigurationLine(const char *line, std::size_t len, LibrarySettings *s,
                                  ConfigRequests *req) {
    if (len > static_cast<std::size_t>(kConfigLineChars)) len = kConfigLineChars;
    const char *eq = static_cast<const char *>(std::memchr(line, '=', len));
    if (eq == nullptr) return;
    std::size_t eqPos = static_cast<std::size_t>(eq - line);
    if (eqPos == 0 || eqPos == static_cast<std::size_t>(kConfigLineChars) - 1) return;

    // The key: the text before "=" without surrounding blanks, cut or blank-padded to 8
    // characters and upper case, so that "DEBUG   X" is the key DEBUG; fewer than three
    // characters is no key.
    std::size_t first = 0, last = eqPos;
    while (first < last && IsBlank(line[first])) ++first;
    while (last > first && IsBlank(line[last - 1])) --last;
    if (last - first < 3) return;
    char key[kKeyChars];
    std::memset(key, ' ', kKeyChars);
    const std::size_t keyLen = last - first < kKeyChars ? last - first : kKeyChars;
    for (std::size_t i = 0; i < keyLen; ++i) {
        const char c = line[first + i] == '\t' ? ' ' : line[first + i];
        key[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }

    if (std::memcmp(key, "VER", 3) == 0) req->versionRequest = true;

    // The value: from the first non-blank character after "=" to the end of the line.
    std::size_t v = eqPos + 1;
    while (v < len && IsBlank(line[v])) ++v;
    std::size_t valueEnd = len;
    while (valueEnd > v && (IsBlank(line[valueEnd - 1]) || line[valueEnd - 1] == '\r')) --valueEnd;
    if (v >= valueEnd) return;
    const char *value = line + v;
    std::size_t valueLen = valueEnd - v;

    // Directory and file names are texts; the other keys take an integer.
    if (KeyIs(key, "CHARDIR")) {
        CopyTerminated(s->charDir, sizeof s->charDir, value, valueLen);
        return;
    }
    if (KeyIs(key, "CHARSET")) {
        CopyTerminated(s->charSet, sizeof s->charSet, value, valueLen);
        return;
    }
    const ConfigNumber which = NumericKey(key);
    int number = 0;
    if (which == kNoNumber || !ReadInteger(value, valueLen, &number)) return;
    switch (which) {
    case kDebug: idebuglevel_(&number); break;
    case kHpgl2: s->hpgl2 = number; break;
    case kLfnGen:
        if (number != s->plotOutputUnit && number != s->plotInputUnit) s->generalUnit = number;
        break;
    case kLfnPlotI:
        if (number != s->generalUnit && number != s->plotOutputUnit) s->plotInputUnit = number;
        break;
    case kLfnPlotO:
        if (number != s->generalUnit && number != s->plotInputUnit) s->plotOutputUnit = number;
        break;
    case kPlotter: s->plotter = number; break;
    case kPrinter: s->printer = number; break;
    case kNoNumber: break;
    }
}

bool quill::ReadConfigurationFile(const char *path, LibrarySettings *s, ConfigRequests *req) {
    std::FILE *file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    // Lines longer than the configuration line are cut; the rest up to the line end is skipped.
    char line[kConfigLineChars + 1];
    std::size_t len = 0;
    bool overlong = false;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            ReadConfigurationLine(line, len, s, req);
            len = 0;
            overlong = false;
        } else if (!overlong) {
            if (c == '\r') continue;
            if (c == '\t') c = ' ';
            line[len++] = static_cast<char>(c);
            if (len == static_cast<std::size_t>(kConfigLineChars)) overlong = true;
        }
    }
    if (len > 0) ReadConfigurationLine(line, len, s, req);
    std::fclose(file);
    return true;
}

void quill::LibraryBaseDirectory(const char *quilla, const char *qide, const char *currentDir,
                                 char *dir, std::size_t dirSize) {
    if (dirSize == 0) return;
    dir[0] = '\0';
    if (!IsEmpty(quilla)) {
        CopyTerminated(dir, dirSize, quilla);
        AppendBackslash(dir, dirSize);
        return;
    }
    if (!IsEmpty(qide)) {
        std::size_t n = std::strlen(qide);
        std::size_t cut = n;
        for (std::size_t i = 0; i + 4 <= n; ++i) {
            if (std::toupper(static_cast<unsigned char>(qide[i])) == 'Q' &&
                std::toupper(static_cast<unsigned char>(qide[i + 1])) == 'I' &&
                std::toupper(static_cast<unsigned char>(qide[i + 2])) == 'D' &&
                std::toupper(static_cast<unsigned char>(qide[i + 3])) == 'E') {
                cut = i;
                break;
            }
        }
        CopyTerminated(dir, dirSize, qide, cut);
        return;
    }
    char drive[3] = {0, 0, 0};
    if (currentDir != nullptr && std::strlen(currentDir) >= 2)
        CopyTerminated(drive, 3, currentDir, 2);
    CopyTerminated(dir, dirSize, drive);
    AppendText(dir, dirSize, "\\quil\\");
}

bool quill::FileExists(const char *name) {
    struct stat info;
    return stat(name, &info) == 0;
}

void quill::ConfigurationFileName(const char *quilinit, const char *baseDir, char *name,
                                  std::size_t size) {
    if (size == 0) return;
    name[0] = '\0';
    if (!IsEmpty(quilinit) && FileExists(quilinit)) {
        CopyTerminated(name, size, quilinit);
        return;
    }
    if (FileExists("quilla.ini")) {
        CopyTerminated(name, size, "quilla.ini");
        return;
    }
    if (!IsEmpty(baseDir)) {
        char candidate[kPathChars + 1];
        CopyTerminated(candidate, sizeof candidate, baseDir);
        AppendText(candidate, sizeof candidate, "quilla.ini");
        if (FileExists(candidate)) CopyTerminated(name, size, candidate);
    }
}

namespace {

// dir + template with the first free number 00..99 written over its two blanks; empty when
// the whole name does not fit SIZE. A name cut short would be another file, one that the plot
// is written into and that is deleted after printing.
void FreeTemporaryName(const char *dir, const char *pattern, char *name, std::size_t size) {
    if (size == 0) return;
    name[0] = '\0';
    if (std::strlen(dir) + std::strlen(pattern) >= size) return;
    for (int number = 0; number < 100; ++number) {
        char file[16];
        CopyTerminated(file, sizeof file, pattern);
        char *gap = std::strchr(file, ' ');
        gap[0] = static_cast<char>('0' + number / 10);
        gap[1] = static_cast<char>('0' + number % 10);
        CopyTerminated(name, size, dir);
        AppendText(name, size, file);
        if (!quill::FileExists(name)) return;
    }
}

}  // namespace

void quill::TemporaryPlotNames(const char *temp, const char *tmp, char *plotName, char *dumpName,
                               std::size_t size) {
    char dir[kPathChars + 1];
    if (!IsEmpty(temp))
        CopyTerminated(dir, sizeof dir, temp);
    else if (!IsEmpty(tmp))
        CopyTerminated(dir, sizeof dir, tmp);
    else
        CopyTerminated(dir, sizeof dir, "C:\\");
    AppendBackslash(dir, sizeof dir);
    FreeTemporaryName(dir, "orn$$  .plt", plotName, size);
    FreeTemporaryName(dir, "orn$$  .dmp", dumpName, size);
}

int quill::CommandLineArgument(const char *line, int n, char *arg, std::size_t argSize) {
    std::size_t len = std::strlen(line);
    if (len > static_cast<std::size_t>(kCommandLineChars)) len = kCommandLineChars;
    int count = -1;
    std::size_t i = 0;
    while (i < len) {
        while (i < len && line[i] == ' ') ++i;
        if (i >= len) break;
        std::size_t start, end;
        if (line[i] == '"') {
            start = i + 1;
            const void *close = std::memchr(line + start, '"', len - start);
            end = close ? static_cast<std::size_t>(static_cast<const char *>(close) - line) : len;
            i = end + 1;
            if (end == start) continue;  // "" or a quote with nothing after it
        } else {
            start = i;
            while (i < len && line[i] != ' ') ++i;
            end = i;
        }
        ++count;
        if (count == n) {
            CopyTerminated(arg, argSize, line + start, end - start);
            return count;
        }
    }
    return count;
}
