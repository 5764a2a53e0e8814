// Names for the tests' scratch folders in the system's temporary folder. Test processes of
// several checkouts, of the native and the Windows builds and of one suite's cases run at the
// same time on one machine and share that folder, so a name holds the process as well as the
// test: no two processes ever work in, or clean away, one folder.
#ifndef TESTS_SUPPORT_SCRATCH_FOLDER_H
#define TESTS_SUPPORT_SCRATCH_FOLDER_H

#include <filesystem>
#include <string>

// A path in the temporary folder no other scratch folder has: prefix, this process, a serial
// number and the running test's name. The folder is not created.
std::filesystem::path UniqueScratchPath(const std::string &prefix);

// A fresh empty scratch folder of that kind for the life of the object, removed with all it
// holds afterwards.
struct ScratchFolder {
    std::filesystem::path path;
    explicit ScratchFolder(const std::string &prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
};

#endif
