// The real Velquist program, started in a directory of its own and driven through its dialog
// by window messages: results and files of known searches, Stop and resume, Open and Clear,
// the modal About dialog, a milestone file and Exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fake_host.h"
#include "reverse_add.h"
#include "program_driver.h"
#include "velquist/runtime.h"
#include "velquist/save_files.h"
#include "velquist/table_step.h"

namespace {

// Velquist.exe running in a temporary directory (the current one of the test as well).
class Velquist : public ::testing::Test, protected ProgramDriver {
protected:
    TempDirectory dir;
    // The local date when the test began. A save file carries the date of its save, which is
    // this date or, when the test runs across midnight, the date now.
    velquist::Date began;

    // Whether name is the save file of start at iterations, dated by either date.
    bool IsSaveName(const std::string &name, int start, int iterations,
                    velquist::SaveKind kind = velquist::SaveKind::Checkpoint) const {
        for (const velquist::Date &date : {began, velquist::local_date()})
            if (name == velquist::save_file_name(start, iterations, date, kind)) return true;
        return false;
    }

    // The save file of start at iterations that the program wrote into the test's directory;
    // empty when there is none.
    std::string SavedFile(int start, int iterations,
                          velquist::SaveKind kind = velquist::SaveKind::Checkpoint) const {
        for (const velquist::Date &date : {began, velquist::local_date()}) {
            std::string name = velquist::save_file_name(start, iterations, date, kind);
            if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES) return name;
        }
        return "";
    }

    void SetUp() override {
        began = velquist::local_date();
        char here[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, here);
        ASSERT_TRUE(Launch("Velquist.exe", here, "Velquist"))
            << "Velquist.exe did not show its dialog";
    }

    void TearDown() override {
        if (process.hProcess && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
            if (dialog) Press(kFieldExit);
            WaitForSingleObject(process.hProcess, 10000);
        }
        End();
    }

    // Runs a search and waits until it has ended with the check file naming the checkpoint of
    // start at iterations; returns that name (empty, with a failure, when it does not appear).
    std::string SearchUntilSaved(int start, int iterations) {
        Press(kFieldStart);
        std::string shown;
        bool saved = WaitUntil([&] {
            shown = Text(kFieldSaveFile);
            return IsSaveName(shown, start, iterations);
        });
        EXPECT_TRUE(saved) << "check file shows " << shown;
        return saved ? shown : std::string();
    }
};

std::string Reference(const std::string &start, int steps) {
    velquist::TableArrays a(4096);
    int32_t n = static_cast<int32_t>(start.size());
    for (int32_t i = 0; i < n; ++i) a.number()[i + 1] = start[i] - '0';
    velquist::table_reverse(a.number(), a.reversed(), n);
    for (int s = 0; s < steps; ++s) n = velquist::table_step(a.number(), a.reversed(), n);
    std::string text;
    for (int32_t i = 1; i <= n; ++i) text += static_cast<char>('0' + a.number()[i]);
    return text;
}

}  // namespace

TEST_F(Velquist, From196OneStepThenOneMoreResumed) {
    EXPECT_EQ(Text(kFieldStartNumber), "196");
    Type(kFieldStopIteration, "1");
    EXPECT_EQ(digits_of(SearchUntilSaved(196, 1)), "887");
    EXPECT_TRUE(WaitForText(kFieldStopIteration, "0"));
    EXPECT_EQ(Text(kFieldIterations), "1");
    EXPECT_EQ(Text(kFieldDigits), "3");
    EXPECT_EQ(Text(kFieldStatus), "");

    // The check file names the checkpoint just written, so Start resumes from it.
    Type(kFieldStopIteration, "2");
    EXPECT_EQ(digits_of(SearchUntilSaved(196, 2)), "1675");
    EXPECT_EQ(Text(kFieldDigits), "4");
}

TEST_F(Velquist, EightyNineFindsItsPalindromeAt24) {
    Type(kFieldStartNumber, "89");
    Press(kFieldStart);
    ASSERT_TRUE(WaitForText(kFieldStatus, "Palindrome Found! :)")) << Text(kFieldStatus);
    std::string name = Text(kFieldSaveFile);
    EXPECT_TRUE(IsSaveName(name, 89, 24, velquist::SaveKind::Palindrome)) << name;
    EXPECT_EQ(Text(kFieldIterations), "24");
    EXPECT_EQ(Text(kFieldDigits), "13");
    EXPECT_EQ(digits_of(name), "8813200023188");
}

TEST_F(Velquist, StopWritesACheckpointThatTheNextStartResumes) {
    Press(kFieldStart);
    Sleep(300);
    Press(kFieldStop);
    std::string name;
    ASSERT_TRUE(WaitUntil([&] {
        std::string shown = Text(kFieldSaveFile);
        if (shown.size() > 4 && shown.substr(shown.size() - 4) == ".chk") name = shown;
        return !name.empty();
    })) << "no checkpoint after Stop";
    EXPECT_TRUE(WaitForText(kFieldStatus, ""));
    int stopped = std::stoi(name.substr(4, name.find('_', 4) - 4));
    ASSERT_TRUE(IsSaveName(name, 196, stopped)) << name;
    EXPECT_EQ(Text(kFieldIterations), std::to_string(stopped));
    EXPECT_EQ(digits_of(name), Reference("196", stopped));

    Type(kFieldStopIteration, std::to_string(stopped + 3));
    EXPECT_EQ(digits_of(SearchUntilSaved(196, stopped + 3)), Reference("196", stopped + 3));
}

TEST_F(Velquist, OpenDisablesTheStartingIntegerAndClearEnablesIt) {
    write_text("5_7_01-01-2026.chk",
               " Automatic save 2\r\n Initial value:   5\r\n Iteration:       7\r\n Number of "
               "digits 4\r\n1234\r\n");
    char full[MAX_PATH];
    GetFullPathNameA("5_7_01-01-2026.chk", MAX_PATH, full, nullptr);
    Press(kFieldOpen);
    HWND chooser = WaitForWindow("Open File");
    ASSERT_NE(chooser, nullptr) << "no file dialog";
    SetDlgItemTextA(chooser, 0x47C, full);
    Press(IDOK, chooser);
    ASSERT_TRUE(WaitForText(kFieldIterations, "7"));
    EXPECT_EQ(Text(kFieldDigits), "4");
    EXPECT_EQ(Text(kFieldStartNumber), "5");
    EXPECT_NE(Text(kFieldSaveFile).find("5_7_01-01-2026.chk"), std::string::npos);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kFieldStartNumber)));

    Press(kFieldClear);
    ASSERT_TRUE(WaitForText(kFieldStartNumber, "196"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kFieldStartNumber)));
    EXPECT_EQ(Text(kFieldSaveFile), "");
    EXPECT_EQ(Text(kFieldIterations), "0");
    EXPECT_EQ(Text(kFieldSaveInterval), "120");
}

TEST_F(Velquist, HelpShowsAboutModallyAndLeavesTheFieldsAlone) {
    Type(kFieldStopIteration, "1");
    SearchUntilSaved(196, 1);
    Type(kFieldSaveInterval, "7");
    std::vector<std::string> before;
    const int fields[] = {kFieldStartNumber, kFieldSaveInterval, kFieldStopIteration,
                          kFieldSaveFile,    kFieldIterations,   kFieldDigits};
    for (int id : fields) before.push_back(Text(id));

    Press(kFieldHelp);
    HWND about = WaitForWindow("About");
    ASSERT_NE(about, nullptr) << "no About dialog";
    EXPECT_NE(Text(kFieldAboutText, about).find("Velquist"), std::string::npos);
    EXPECT_FALSE(IsWindowEnabled(dialog)) << "the main dialog is disabled while About is up";
    Press(IDOK, about);
    WaitUntil([&] { return !IsWindow(about); });
    EXPECT_FALSE(IsWindow(about) && IsWindowVisible(about));
    WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; });
    EXPECT_TRUE(IsWindowEnabled(dialog));
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Text(fields[i]), before[i]) << "field " << fields[i];

    // The buttons still address the main dialog afterwards.
    Press(kFieldClear);
    EXPECT_TRUE(WaitForText(kFieldSaveInterval, "120"));
}

TEST_F(Velquist, AResumedNumberWritesItsNextMillionFileAtTwoMillionDigits) {
    // 1,999,999 nines become 2,000,000 digits at the first step.
    std::string text =
        " Automatic save 3\r\n Initial value:   196\r\n Iteration:       1000\r\n"
        " Number of digits 1999999\r\n";
    std::string nines(1999999, '9');
    for (size_t at = 0; at < nines.size(); at += 70) text += nines.substr(at, 70) + "\r\n";
    write_text("196_1000_01-01-2026.chk", text);
    Type(kFieldSaveFile, "196_1000_01-01-2026.chk");
    Type(kFieldStopIteration, "1002");
    SearchUntilSaved(196, 1002);
    std::string million_file = SavedFile(196, 1001, velquist::SaveKind::Million);
    ASSERT_FALSE(million_file.empty()) << "no million file";
    std::string million = digits_of(million_file);
    ASSERT_EQ(million.size(), 2000000u);
    EXPECT_EQ(million, "1" + std::string(1999998, '9') + "8");
    EXPECT_EQ(Text(kFieldIterations), "1002");
}

TEST_F(Velquist, ExitEndsTheProgram) {
    Press(kFieldExit);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, kProgramWaitMs), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

// A search, then a fresh start (the check file blanked) with a lower stop iteration: the
// second search counts from zero, stops at its limit and writes the digits an independent
// reverse-and-add reaches in that many steps, under a name and header that say so.
TEST_F(Velquist, AFreshStartAfterASearchCountsFromZero) {
    Type(kFieldStopIteration, "50");
    Press(kFieldStart);
    ASSERT_TRUE(WaitForText(kFieldIterations, "50")) << Text(kFieldIterations);
    ASSERT_TRUE(WaitForText(kFieldStopIteration, "0"));

    Type(kFieldSaveFile, "");
    Type(kFieldStopIteration, "10");
    Press(kFieldStart);
    ASSERT_TRUE(WaitForText(kFieldIterations, "10")) << Text(kFieldIterations);
    ASSERT_TRUE(WaitForText(kFieldStopIteration, "0"));
    const std::string name = Text(kFieldSaveFile);
    EXPECT_EQ(name.rfind("196_10_", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".chk") << name;
    EXPECT_EQ(digits_of(name), reverse_and_add("196", 10));
    EXPECT_NE(read_text(name).find(" Iteration:       10\r\n"), std::string::npos)
        << read_text(name);
}
