#include "print_jobs.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

fs::path PdfJobFolder() {
    // Under Wine the Unix home is WINEHOMEDIR, written as an NT path ("\??\Z:\root").
    if (const char *wine = std::getenv("WINEHOMEDIR")) {
        std::string home = wine;
        if (home.rfind("\\??\\", 0) == 0) home.erase(0, 4);
        return fs::path(home) / "PDF";
    }
    const char *home = std::getenv("HOME");
    return fs::path(home ? home : ".") / "PDF";
}

std::string UniqueJobTitle(const std::string &stem) {
    static std::atomic<int> serial{0};
    return stem + "-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
}

std::string PdfJobStem(const std::string &title) {
    std::string stem = title;
    for (char &c : stem) {
        unsigned char u = static_cast<unsigned char>(c);
        if (!std::isalnum(u) && c != '.' && c != '-' && c != '_') c = '_';
    }
    return stem;
}

namespace {

// The job number of a file "<stem>-job_<n>.pdf" of STEM, or -1 when the name is not of that job.
long JobNumber(const fs::path &file, const std::string &stem) {
    const std::string name = file.filename().string();
    const std::string head = stem + "-job_";
    if (name.size() <= head.size() + 4 || name.compare(0, head.size(), head) != 0) return -1;
    if (name.compare(name.size() - 4, 4, ".pdf") != 0) return -1;
    const std::string digits = name.substr(head.size(), name.size() - head.size() - 4);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return -1;
    return std::strtol(digits.c_str(), nullptr, 10);
}

// Whether the PDF is written to its end: its last bytes hold the end-of-file marker.
bool Complete(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 8) return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 32);
    std::string end(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    in.read(end.data(), tail);
    return end.find("%%EOF") != std::string::npos;
}

std::vector<std::pair<long, fs::path>> Jobs(const std::string &title, fs::file_time_type since) {
    std::vector<std::pair<long, fs::path>> jobs;
    std::error_code ec;
    const std::string stem = PdfJobStem(title);
    for (const auto &entry : fs::directory_iterator(PdfJobFolder(), ec)) {
        const long n = JobNumber(entry.path(), stem);
        if (n < 0) continue;
        std::error_code tec;
        if (fs::last_write_time(entry.path(), tec) < since || tec) continue;
        jobs.emplace_back(n, entry.path());
    }
    std::sort(jobs.begin(), jobs.end());
    return jobs;
}

}  // namespace

std::vector<fs::path> WaitForPdfJobs(const std::string &title, std::size_t count, int timeoutMs,
                                     fs::file_time_type since) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::vector<fs::path> done;
    for (;;) {
        done.clear();
        for (const auto &job : Jobs(title, since))
            if (Complete(job.second)) done.push_back(job.second);
        if (done.size() >= count || std::chrono::steady_clock::now() >= end) return done;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

void RemovePdfJobs(const std::string &title) {
    for (const auto &job : Jobs(title, fs::file_time_type::min())) {
        std::error_code ec;
        fs::remove(job.second, ec);
    }
}
