// Library settings read at start-up: base directory, configuration file, temporary file names
// and the command line. Everything here is portable; the Win32 start-up gathers the
// environment values and hands them in.
#ifndef QUILL_BASE_CONFIGURATION_H
#define QUILL_BASE_CONFIGURATION_H

#include <cstddef>

// Longest directory or file name the library keeps (without the terminating NUL).
constexpr int kPathChars = 260;
// Longest configuration line that is read; the rest of a longer line is skipped.
constexpr int kConfigLineChars = 270;
// Longest command line that is kept.
constexpr int kCommandLineChars = 1024;

// The settings of the library, NUL-terminated texts.
struct LibrarySettings {
    int generalUnit;                 // LFNGEN, default 40
    int plotOutputUnit;              // LFNPLOTO, default 41
    int plotInputUnit;               // LFNPLOTI, default 42
    int printer;                     // PRINTER, default 0
    int plotter;                     // PLOTTER, default 0
    int hpgl2;                       // HPGL2, default 0
    char baseDir[kPathChars + 1];    // ends in a backslash when not empty
    char charDir[kPathChars + 1];    // CHARDIR, ends in a backslash when not empty
    char charSet[kPathChars + 1];    // CHARSET, default "standard.chr"
    char systemDir[kPathChars + 1];  // the Windows system directory
    char tmpPlot[kPathChars + 1];    // temporary plot file name
    char tmpDump[kPathChars + 1];    // temporary screen-dump file name
};

extern LibrarySettings gSettings;

namespace quill {

// Puts the defaults of every setting into *s (texts empty, units 40, 41, 42).
void SetDefaultSettings(LibrarySettings *s);

}  // namespace quill

// What one configuration file asks for beyond the settings themselves.
struct ConfigRequests {
    bool versionRequest;  // a key beginning with VER was seen
};

namespace quill {

// Applies one configuration line (len characters, no line end) to *s and *req; DEBUG sets
// the report level at once (idebuglevel_, which takes 0 to 4 only). Lines without "=", with
// it in the first or last column, with a key of fewer than three characters, without a
// value, or with a numeric key whose value is not an integer are ignored; unknown keys are
// ignored. A numeric value that does not convert is reported by the report level like any
// conversion error and then cleared; names (CHARDIR, CHARSET) are never converted.
void ReadConfigurationLine(const char *line, std::size_t len, LibrarySettings *s,
                           ConfigRequests *req);

// Reads the configuration file at path line by line into *s and *req; false when it cannot
// be opened (nothing changes then).
bool ReadConfigurationFile(const char *path, LibrarySettings *s, ConfigRequests *req);

// The base directory from the values of QUILLA and QIDE (null or empty when unset) and the
// current directory: QUILLA with a backslash appended, else QIDE cut before the word QIDE in
// any case, else the drive of the current directory followed by "\quil\". Bounded by dirSize.
void LibraryBaseDirectory(const char *quilla, const char *qide, const char *currentDir, char *dir,
                          std::size_t dirSize);

// Appends a backslash to a non-empty directory that does not end in one, within size.
void AppendBackslash(char *dir, std::size_t size);

// The configuration file to read: the QUILINIT value when that file exists, else
// "quilla.ini" in the current directory, else baseDir + "quilla.ini"; empty when none exists.
void ConfigurationFileName(const char *quilinit, const char *baseDir, char *name, std::size_t size);

// The two temporary names in the directory from TEMP, else TMP, else "C:\": the templates
// "orn$$  .plt" and "orn$$  .dmp" with the first two-digit number (00 to 99) whose file does
// not exist yet; 99 when every one exists. A name that would not fit SIZE with its NUL is
// left empty, never cut.
void TemporaryPlotNames(const char *temp, const char *tmp, char *plotName, char *dumpName,
                        std::size_t size);

// True when a file or directory of that name exists.
bool FileExists(const char *name);

// The N-th argument of a command line (0 the program as typed): runs of non-blank characters,
// an argument starting with a double quote runs to the next one and is returned without
// them. Returns the number of the last argument examined (-1 for an empty line); arg is
// written only when that number is n.
int CommandLineArgument(const char *line, int n, char *arg, std::size_t argSize);

}  // namespace quill

#endif
