// The configuration file, base directory, temporary names and command-line arguments.
#include "base/configuration.h"

#include <gtest/gtest.h>

#include "base/errors.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Config : ::testing::Test {
    LibrarySettings s;
    ConfigRequests req;
    void SetUp() override {
        quill::SetDefaultSettings(&s);
        req = {false};
        quill::ResetErrorState();
    }
    void TearDown() override { quill::ResetErrorState(); }
    void Line(const std::string &line) {
        quill::ReadConfigurationLine(line.data(), line.size(), &s, &req);
    }
};

TEST_F(Config, DefaultsAreTheDocumentedUnitsAndCharacterSet) {
    EXPECT_EQ(s.generalUnit, 40);
    EXPECT_EQ(s.plotOutputUnit, 41);
    EXPECT_EQ(s.plotInputUnit, 42);
    EXPECT_EQ(s.printer, 0);
    EXPECT_STREQ(s.charSet, "standard.chr");
    EXPECT_STREQ(s.charDir, "");
}

TEST_F(Config, UnitEqualToAnotherUnitIsIgnored) {
    // Each line in turn, and the unit it names afterwards.
    const struct {
        const char *line;
        int LibrarySettings::*unit;
        int value;
    } steps[] = {{"LFNGEN=41", &LibrarySettings::generalUnit, 40},
                 {"LFNPLOTO=40", &LibrarySettings::plotOutputUnit, 41},
                 {"LFNPLOTI=41", &LibrarySettings::plotInputUnit, 42},
                 {"LFNGEN=50", &LibrarySettings::generalUnit, 50},
                 {"LFNPLOTO=40", &LibrarySettings::plotOutputUnit, 40},
                 {"lfnploti = 43", &LibrarySettings::plotInputUnit, 43}};
    for (const auto &step : steps) {
        Line(step.line);
        EXPECT_EQ(s.*step.unit, step.value) << step.line;
    }
}

TEST_F(Config, MalformedLinesAreIgnored) {
    Line("PR=3");         // key of two characters
    Line("=PRINTER=3");   // "=" in column 1
    Line("PRINTER");      // no "="
    Line("PRINTER=   ");  // no value
    Line("PRINTER=abc");  // not an integer
    Line("PRINTER=12x");
    Line("PRINTER=99999999999");
    Line("NOTAKEY=5");
    EXPECT_EQ(s.printer, 0);
    EXPECT_EQ(quill::ReportLevel(), 0);
    EXPECT_FALSE(req.versionRequest);
    Line("  printer\t=  7  ");
    EXPECT_EQ(s.printer, 7);
    Line("PLOTTER=-3");
    EXPECT_EQ(s.plotter, -3);
    Line("HPGL2=+1");
    EXPECT_EQ(s.hpgl2, 1);
}

TEST_F(Config, DebugLevelIsTakenOnlyFromZeroToFour) {
    Line("debug=3");
    EXPECT_EQ(quill::ReportLevel(), 3);
    Line("DEBUG=9");
    EXPECT_EQ(quill::ReportLevel(), 3);
    Line("DEBUG=high");
    EXPECT_EQ(quill::ReportLevel(), 3);
}

// A numeric value that is no integer is reported like any conversion error, by the report
// level in force at that line (a DEBUG line before it counts), and leaves no error behind.
// Names are never converted, so they report nothing.
TEST_F(Config, BadNumbersAreReportedByTheLevelThenCleared) {
    ::testing::internal::CaptureStdout();
    Line("PRINTER=x1");  // level 0: nothing reported
    Line("DEBUG=1");
    Line("PLOTTER=2x");
    Line("CHARDIR=D:\\strokes");
    Line("CHARSET=12x.chr");
    Line("UNKNOWN=abc");
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, " " + quill::ErrorReportLine(12) + "\n");
    EXPECT_EQ(quill::LastErrorNumber(), 0);
    EXPECT_EQ(s.printer, 0);
    EXPECT_EQ(s.plotter, 0);
    EXPECT_STREQ(s.charSet, "12x.chr");
}

TEST_F(Config, CharacterSetNamesAreTextsNotNumbers) {
    Line("CHARDIR=   D:\\fonts\\strokes");
    EXPECT_STREQ(s.charDir, "D:\\fonts\\strokes");
    quill::AppendBackslash(s.charDir, sizeof s.charDir);
    EXPECT_STREQ(s.charDir, "D:\\fonts\\strokes\\");
    Line("CHARSET=simplex.chr");
    EXPECT_STREQ(s.charSet, "simplex.chr");
}

TEST_F(Config, KeysAreComparedOnEightCharacters) {
    Line("PRINTERXYZ=5");  // cut to PRINTERX: not a key
    EXPECT_EQ(s.printer, 0);
    // Cut or blank-padded to eight characters, the key is compared on all of them.
    Line("DEBUG   X=2");  // DEBUG and three blanks
    EXPECT_EQ(quill::ReportLevel(), 2);
    Line("DEBUGGER=3");
    EXPECT_EQ(quill::ReportLevel(), 2);
    Line("LFNPLOTIXY=44");  // LFNPLOTI
    EXPECT_EQ(s.plotInputUnit, 44);
    Line("CHARSET\tZ=x.chr");  // CHARSET and a TAB made a blank
    EXPECT_STREQ(s.charSet, "x.chr");
    Line("CHARSETS=y.chr");
    EXPECT_STREQ(s.charSet, "x.chr");
    Line("VERSION=1");
    EXPECT_TRUE(req.versionRequest);
}

TEST_F(Config, OverlongValuesAreCutNotOverrun) {
    std::string dir(600, 'x');
    Line("CHARDIR=" + dir);
    EXPECT_EQ(std::strlen(s.charDir), static_cast<size_t>(kPathChars));
    std::string eqAtEnd(kConfigLineChars - 1, 'A');
    Line(eqAtEnd + "=5");  // "=" beyond column 270: no "=" in the line that is read
    EXPECT_EQ(s.printer, 0);
}

TEST_F(Config, FileIsReadLineByLineWithCarriageReturns) {
    const char *path = "configuration_test.ini";
    std::FILE *f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr);
    std::string longLine(400, 'z');
    std::fputs("PRINTER=4\r\n", f);
    std::fputs((longLine + "PLOTTER=9\r\n").c_str(), f);  // overlong line: its tail is not a line
    std::fputs("CHARSET=a b.chr\r\nDEBUG\t= 2", f);       // last line without line end
    std::fclose(f);
    EXPECT_TRUE(quill::ReadConfigurationFile(path, &s, &req));
    std::remove(path);
    EXPECT_EQ(s.printer, 4);
    EXPECT_EQ(s.plotter, 0);
    EXPECT_STREQ(s.charSet, "a b.chr");
    EXPECT_EQ(quill::ReportLevel(), 2);
    EXPECT_FALSE(quill::ReadConfigurationFile("no-such-configuration.ini", &s, &req));
}

TEST(BaseDir, QuillaThenQideThenCurrentDrive) {
    char dir[kPathChars + 1];
    quill::LibraryBaseDirectory("D:\\lib", "E:\\x\\QIDE\\bin", "C:\\work", dir, sizeof dir);
    EXPECT_STREQ(dir, "D:\\lib\\");
    quill::LibraryBaseDirectory("D:\\lib\\", nullptr, "C:\\work", dir, sizeof dir);
    EXPECT_STREQ(dir, "D:\\lib\\");
    quill::LibraryBaseDirectory("", "E:\\tools\\qide\\bin", "C:\\work", dir, sizeof dir);
    EXPECT_STREQ(dir, "E:\\tools\\");
    quill::LibraryBaseDirectory(nullptr, nullptr, "F:\\work\\deep", dir, sizeof dir);
    EXPECT_STREQ(dir, "F:\\quil\\");
}

TEST(TemporaryNames, FirstNumberWhoseFileDoesNotExist) {
    char plot[kPathChars + 1], dump[kPathChars + 1];
    // The current directory, named so that the backslash the names use is a separator on
    // Windows; natively the names are plain files in the current directory all the same.
    const std::string dir = ".";
    std::remove((dir + "\\orn$$00.plt").c_str());
    std::remove((dir + "\\orn$$00.dmp").c_str());
    quill::TemporaryPlotNames(dir.c_str(), "ignored", plot, dump, sizeof plot);
    EXPECT_EQ(std::string(plot), dir + "\\orn$$00.plt");
    EXPECT_EQ(std::string(dump), dir + "\\orn$$00.dmp");

    // An existing name is never handed out again.
    std::FILE *f = std::fopen(plot, "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    quill::TemporaryPlotNames(dir.c_str(), nullptr, plot, dump, sizeof plot);
    EXPECT_EQ(std::string(plot), dir + "\\orn$$01.plt");
    EXPECT_EQ(std::string(dump), dir + "\\orn$$00.dmp");
    std::remove((dir + "\\orn$$00.plt").c_str());

    quill::TemporaryPlotNames(nullptr, "T:\\t", plot, dump, sizeof plot);
    EXPECT_STREQ(plot, "T:\\t\\orn$$00.plt");
    quill::TemporaryPlotNames(nullptr, nullptr, plot, dump, sizeof plot);
    EXPECT_STREQ(dump, "C:\\orn$$00.dmp");
}

// A temporary name longer than the name area is never cut: the plot would go into another
// file, which is deleted after printing. It is left empty, and the plot file fails to open.
TEST(TemporaryNames, NameThatDoesNotFitIsLeftEmpty) {
    char plot[kPathChars + 1], dump[kPathChars + 1];
    const std::string fits = "T:\\" + std::string(kPathChars - 15, 'x');  // + "\\orn$$00.plt"
    quill::TemporaryPlotNames(fits.c_str(), nullptr, plot, dump, sizeof plot);
    EXPECT_EQ(std::string(plot), fits + "\\orn$$00.plt");
    EXPECT_EQ(std::strlen(plot), static_cast<std::size_t>(kPathChars));
    for (int over : {1, 4, 12, 15}) {
        SCOPED_TRACE(over);
        const std::string temp = fits + std::string(static_cast<std::size_t>(over), 'y');
        std::strcpy(plot, "old");
        std::strcpy(dump, "old");
        quill::TemporaryPlotNames(temp.c_str(), nullptr, plot, dump, sizeof plot);
        EXPECT_STREQ(plot, "");
        EXPECT_STREQ(dump, "");
    }
}

TEST(CommandLine, QuotedArgumentsStayWhole) {
    const char *line = "prog.exe \"two words\" plain";
    char arg[64];
    EXPECT_EQ(quill::CommandLineArgument(line, 0, arg, sizeof arg), 0);
    EXPECT_STREQ(arg, "prog.exe");
    EXPECT_EQ(quill::CommandLineArgument(line, 1, arg, sizeof arg), 1);
    EXPECT_STREQ(arg, "two words");
    EXPECT_EQ(quill::CommandLineArgument(line, 2, arg, sizeof arg), 2);
    EXPECT_STREQ(arg, "plain");
    std::strcpy(arg, "unchanged");
    EXPECT_EQ(quill::CommandLineArgument(line, 3, arg, sizeof arg), 2);
    EXPECT_STREQ(arg, "unchanged");
    EXPECT_EQ(quill::CommandLineArgument("", 0, arg, sizeof arg), -1);
    EXPECT_EQ(quill::CommandLineArgument("a \"\" b", 1, arg, sizeof arg), 1);
    EXPECT_STREQ(arg, "b");
    EXPECT_EQ(quill::CommandLineArgument("a \"", 1, arg, sizeof arg), 0);
    EXPECT_EQ(quill::CommandLineArgument("a \"open end", 1, arg, sizeof arg), 1);
    EXPECT_STREQ(arg, "open end");
    char small[4];
    EXPECT_EQ(quill::CommandLineArgument("a longargument", 1, small, sizeof small), 1);
    EXPECT_STREQ(small, "lon");
}

}  // namespace
