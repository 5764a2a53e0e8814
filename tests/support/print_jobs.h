// The PDF files of print jobs. The test printers ("PDF" in colour, the default, "PDFGrey",
// which says it has no colour, and a colour one of a 93-character name; tools/print-queue sets
// them up) write each job into the user's PDF folder as "<title>-job_<n>.pdf", with every
// character of the job's title other than a letter, digit, '.', '-' or '_' written as '_'.
//
// Test processes of several checkouts print at the same time: give each job a title of its own
// (UniqueJobTitle), or look only at files newer than the moment printing began.
#ifndef TESTS_SUPPORT_PRINT_JOBS_H
#define TESTS_SUPPORT_PRINT_JOBS_H

#include <filesystem>
#include <string>
#include <vector>

// The folder the PDF printer writes into: the Unix home's PDF folder (Z:\... under Wine).
std::filesystem::path PdfJobFolder();

// A job title no other test process uses: STEM, this process and a serial number.
std::string UniqueJobTitle(const std::string &stem);

// The file-name form of TITLE as the printer writes it (without "-job_<n>.pdf").
std::string PdfJobStem(const std::string &title);

// Waits up to TIMEOUT_MS (long: the spooler prints one job at a time, behind other tests'
// jobs) until COUNT complete PDF files (each ending in "%%EOF") of jobs titled
// TITLE are in the folder, and returns them oldest job first; fewer when the time runs out.
// Only files written at or after SINCE count (default: any).
std::vector<std::filesystem::path> WaitForPdfJobs(
    const std::string &title, std::size_t count, int timeoutMs = 120000,
    std::filesystem::file_time_type since = std::filesystem::file_time_type::min());

// Removes the PDF files of jobs titled TITLE.
void RemovePdfJobs(const std::string &title);

#endif
