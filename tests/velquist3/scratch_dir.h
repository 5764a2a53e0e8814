// A fresh empty directory per test, removed afterwards, so file tests never see each other.
#ifndef VELQUIST3_TESTS_SCRATCH_DIR_H
#define VELQUIST3_TESTS_SCRATCH_DIR_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "scratch_folder.h"

struct ScratchDir : ScratchFolder {
    ScratchDir() : ScratchFolder("velquist3-test") {}
    std::string file(const std::string &name) const { return (path / name).string(); }
};

inline std::string read_whole_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_whole_file(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

#endif
