// Number and text conversion: the formatted writers against values a Fortran runtime writes,
// the readers' syntax rules and error numbers, the next-word routines and the quiet forms.
#include "base/conversion.h"
#include "base/errors.h"
#include "error_status.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace {

std::string Fixed(const std::string &text, int len) {
    std::string out = text;
    out.resize(static_cast<std::size_t>(len), ' ');
    return out;
}

std::string IntText(int value, const std::string &format, int len) {
    std::string out(static_cast<std::size_t>(len), '#');
    integertostring_(&value, &out[0], format.data(), len, static_cast<int>(format.size()));
    return out;
}

std::string DblText(double value, const std::string &format, int len) {
    std::string out(static_cast<std::size_t>(len), '#');
    idoubletostring_(&value, &out[0], format.data(), len, static_cast<int>(format.size()));
    return out;
}

std::string RealText(float value, const std::string &format, int len) {
    std::string out(static_cast<std::size_t>(len), '#');
    irealtostring_(&value, &out[0], format.data(), len, static_cast<int>(format.size()));
    return out;
}

// A write refused as it should be: the field filled with asterisks (WRITTEN equals EXPECTED)
// and error 18.
void ExpectRefused(const std::string &expected, const std::string &written, const char *why) {
    EXPECT_EQ(expected, written) << why;
    EXPECT_EQ(18, LastError()) << why;
}

struct Read {
    double value;
    int error;
};

Read ReadInt(const std::string &text) {
    LastError();
    int v = -99;
    istringtointeger_(text.data(), &v, static_cast<int>(text.size()));
    return {static_cast<double>(v), LastError()};
}

Read ReadReal(const std::string &text) {
    LastError();
    float v = -99;
    istringtoreal_(text.data(), &v, static_cast<int>(text.size()));
    return {v, LastError()};
}

Read ReadDouble(const std::string &text) {
    LastError();
    double v = -99;
    istringtodouble_(text.data(), &v, static_cast<int>(text.size()));
    return {v, LastError()};
}

class Conversion : public ::testing::Test {
protected:
    void SetUp() override {
        int level = 0;
        idebuglevel_(&level);
        LastError();
        quill::SetDecimalCommaOption(0);
        quill::SetDecimalChar('.');
    }
    void TearDown() override {
        quill::SetDecimalCommaOption(0);
        quill::SetDecimalChar('.');
    }
};

TEST_F(Conversion, GeneralFormatChoosesFixedOrExponent) {
    const char *g = "(G15.5E2)";
    EXPECT_EQ("     0.0000    ", DblText(0, g, 15));
    EXPECT_EQ("     12.500    ", DblText(12.5, g, 15));
    EXPECT_EQ("    0.99990E-01", DblText(0.09999, g, 15));
    EXPECT_EQ("     99999.    ", DblText(99999.4, g, 15));
    EXPECT_EQ("    0.10000E+06", DblText(99999.6, g, 15));
    EXPECT_EQ("    0.12346E+07", DblText(1234567, g, 15));
    EXPECT_EQ("   -0.50000    ", DblText(-0.5, g, 15));
    EXPECT_EQ("   -0.12346E-09", DblText(-1.23456e-10, g, 15));
    EXPECT_EQ("     1.0000    ", RealText(1.0f, g, 15));
    EXPECT_EQ(0, LastError());
}

TEST_F(Conversion, IntegerFormats) {
    EXPECT_EQ("    1234567", IntText(1234567, "(I11)", 11));
    EXPECT_EQ("   -1234567    ", IntText(-1234567, "(I11)", 15));
    EXPECT_EQ("07", IntText(7, "(I2.2)", 2));
    EXPECT_EQ("-2147483648", IntText(INT32_MIN, "(I11)", 11));
    EXPECT_EQ("      5", IntText(5, "(I7)", 7));
    EXPECT_EQ("  +5", IntText(5, "(SP,I4)", 4));
    EXPECT_EQ("n=  42;", IntText(42, "('n=',I4,';')", 7));
    EXPECT_EQ("  42", IntText(42, "(2I4)", 4)) << "the second I4 has no value and ends the write";
    EXPECT_EQ(0, LastError());
}

TEST_F(Conversion, FieldTooNarrowGivesAsterisksAndError18) {
    ExpectRefused("**********  ", IntText(123456, "(I3)", 12), "six digits by I3");
    ExpectRefused("*****", IntText(123456, "(I3)", 5), "six digits by I3 in 5");
    ExpectRefused("**********", DblText(1e10, "(F5.1)", 10), "1e10 by F5.1");
}

TEST_F(Conversion, FailedWritesGiveAsterisksAndError18) {
    ExpectRefused("**********", IntText(1, "(F8.2)", 10), "integer by a real descriptor");
    ExpectRefused("**********", DblText(1, "(I5)", 10), "real by an integer descriptor");
    ExpectRefused("**********", DblText(1, "(Q5)", 10), "unknown descriptor");
    ExpectRefused("**********", DblText(1, "F8.2", 10), "no parentheses");
    ExpectRefused("*******", DblText(1, "(F8.2)", 7), "record shorter than the field");
    ExpectRefused("**********", DblText(1, "(10000000000F8.2)", 10), "repeat count beyond 32 bits");
    // Numbers far too long for any integer: refused, never overflowed while they are read.
    const char *const too_long[] = {
        "(I9999999999999999999)",       "(F8.99999999999999999999)",
        "(E12.4E99999999999999999999)", "(99999999999999999999X,F8.2)",
        "(T99999999999999999999,F8.2)", "(-99999999999999999999P,F8.2)"};
    for (const char *format : too_long) {
        ExpectRefused("**********", DblText(1, format, 10), format);
    }
}

// A scale factor that takes a value far beyond what a double can show is a field too narrow,
// whatever the width, found without working out the digits; zero stays zero, a factor below
// the bound is applied digit for digit, and G in its fixed range ignores the factor.
TEST_F(Conversion, HugeScaleFactorsGiveAsterisks) {
    ExpectRefused("**********", DblText(1.5, "(1000000000PF8.2)", 10), "10^9 P");
    ExpectRefused("**********", DblText(1.5, "(2147483647PF8.2)", 10), "largest P");
    ExpectRefused("**********", DblText(-1e-300, "(2147483647PF0.2)", 10), "smallest width");
    ExpectRefused("**********", RealText(1.5f, "(100325PF0.2)", 10), "just past the bound");
    EXPECT_EQ("    0.00", DblText(0, "(2147483647PF8.2)", 8));
    EXPECT_EQ("   -0.00", DblText(-1.5, "(-2147483647PF8.2)", 8));
    EXPECT_EQ(" 10000000000.0", DblText(1e-300, "(310PF14.1)", 14));
    EXPECT_EQ("   1.500    ", DblText(1.5, "(1000000000PG12.4)", 12));
    EXPECT_EQ(0, LastError());
}

TEST_F(Conversion, FixedFormatsRoundAndDropTheOptionalZero) {
    EXPECT_EQ("     13.", DblText(12.6, "(F8.0)", 8));
    EXPECT_EQ("-.5", DblText(-0.5, "(F3.1)", 3));
    EXPECT_EQ("-0.5", DblText(-0.5, "(F4.1)", 4));
    EXPECT_EQ("    3.14", DblText(3.14159, "(F8.2)", 8));
    EXPECT_EQ("   -0.00", DblText(-0.001, "(F8.2)", 8));
    EXPECT_EQ(" 0.10000E+99", DblText(1e98, "(E12.5)", 12));
    EXPECT_EQ(" 0.10000+101", DblText(1e100, "(E12.5)", 12));
    EXPECT_EQ("0.1000E+0101", DblText(1e100, "(E12.4E4)", 12));
    EXPECT_EQ(" 0.12500D+01", DblText(1.25, "(D12.5)", 12));
    EXPECT_EQ("      NaN", DblText(std::nan(""), "(F9.2)", 9));
    EXPECT_EQ(" Infinity", DblText(INFINITY, "(F9.2)", 9));
    EXPECT_EQ(0, LastError());
}

TEST_F(Conversion, DecimalCommaReplacesThePoint) {
    quill::SetDecimalChar(',');
    EXPECT_EQ(" 1.5", RealText(1.5f, "(F4.1)", 4));
    quill::SetDecimalCommaOption(1);
    EXPECT_EQ(" 1,5", RealText(1.5f, "(F4.1)", 4));
    EXPECT_EQ("1234", IntText(1234, "(I4)", 4));
    EXPECT_EQ(1.5, ReadReal("1,5").value);
    EXPECT_EQ(1.5, ReadReal("1.5").value);
    EXPECT_EQ(11, ReadReal("1,5.0").error);
}

TEST_F(Conversion, IntegerReaderLimitsAndErrors) {
    EXPECT_EQ(2147483647, ReadInt("2147483647").value);
    EXPECT_EQ(-2147483647, ReadInt("  -2147483647  ").value);
    EXPECT_EQ(12, ReadInt("12 34").value);
    EXPECT_EQ(0, ReadInt("12 34").error);
    EXPECT_EQ(0, ReadInt("+").value);
    EXPECT_EQ(0, ReadInt("-").error);
    EXPECT_EQ(4, ReadInt("2147483648").error);
    EXPECT_EQ(0, ReadInt("2147483648").value);
    EXPECT_EQ(4, ReadInt("-2147483648").error);
    EXPECT_EQ(4, ReadInt("00000000001").error);
    EXPECT_EQ(4, ReadInt("3000000000").error);
    EXPECT_EQ(4, ReadInt("99999999999999999999999").error);
    EXPECT_EQ(12, ReadInt("12abc").error);
    EXPECT_EQ(0, ReadInt("12abc").value);
    EXPECT_EQ(12, ReadInt("+-5").error);
    EXPECT_EQ(10, ReadInt("     ").error);
    EXPECT_EQ(10, ReadInt("").error);
}

TEST_F(Conversion, RealReaderSyntax) {
    EXPECT_EQ(1500, ReadReal("1.5E3").value);
    EXPECT_EQ(1500, ReadReal("1.5e3").value);
    EXPECT_EQ(12, ReadReal("1.5D3").error);
    EXPECT_EQ(1500, ReadDouble("1.5D3").value);
    EXPECT_EQ(1500, ReadDouble("1.5d+3").value);
    EXPECT_EQ(11, ReadReal("1..5").error);
    EXPECT_EQ(12, ReadReal("1.5E3.0").error);
    EXPECT_EQ(4, ReadReal("1E39").error);
    EXPECT_EQ(0, ReadReal("1E39").value);
    EXPECT_EQ(4, ReadReal("5E38").error);
    EXPECT_FLOAT_EQ(1e38f, static_cast<float>(ReadReal("0.1E39").value));
    EXPECT_EQ(0, ReadReal("0E999").value);
    EXPECT_EQ(0, ReadReal("0E999").error);
    EXPECT_DOUBLE_EQ(1e100, ReadDouble("1.0+100").value);
    EXPECT_DOUBLE_EQ(-2.5e-100, ReadDouble("-2.5-100").value);
    EXPECT_EQ(-0.25, ReadReal("-.25").value);
    EXPECT_EQ(0.125, ReadReal("+.125E0 rest").value);
    EXPECT_EQ(10, ReadReal("   ").error);
    EXPECT_EQ(12, ReadReal("1.5x").error);
    EXPECT_EQ(4, ReadReal(std::string(40, '1')).error) << "more digits than the limit allows";
}

TEST_F(Conversion, LoneSignPointOrExponentReadsZero) {
    for (const char *text : {"-", "+", ".", "E5", "-E5", "e"}) {
        Read r = ReadReal(text);
        EXPECT_EQ(0, r.value) << text;
        EXPECT_EQ(0, r.error) << text;
    }
}

TEST_F(Conversion, DoubleReaderNeverReturnsInfinity) {
    EXPECT_EQ(4, ReadDouble("2E308").error);
    EXPECT_EQ(0, ReadDouble("2E308").value);
    EXPECT_EQ(4, ReadDouble("1E309").error);
    EXPECT_EQ(4, ReadDouble("1E99999999999999999999").error);
    EXPECT_DOUBLE_EQ(1e308, ReadDouble("1E308").value);
    EXPECT_DOUBLE_EQ(DBL_MAX, ReadDouble("1.7976931348623157E308").value);
    EXPECT_EQ(0, ReadDouble("1E-99999999999999999999").value);
    EXPECT_EQ(0.1, ReadDouble("0.1").value) << "correctly rounded";
}

TEST_F(Conversion, NextWordRoutinesBlankWhatTheyTake) {
    std::string text = "  12 -3.5 word  ";
    int i = 0;
    inextinteger_(&text[0], &i, static_cast<int>(text.size()));
    EXPECT_EQ(12, i);
    EXPECT_EQ("     -3.5 word  ", text);
    double d = 0;
    inextdouble_(&text[0], &d, static_cast<int>(text.size()));
    EXPECT_EQ(-3.5, d);
    char item[3];
    inextstring_(&text[0], item, static_cast<int>(text.size()), 3);
    EXPECT_EQ("wor", std::string(item, 3));
    EXPECT_EQ(std::string(text.size(), ' '), text);
    EXPECT_EQ(0, LastError());
    float f = 7;
    inextreal_(&text[0], &f, static_cast<int>(text.size()));
    EXPECT_EQ(0, f);
    EXPECT_EQ(10, LastError());
    inextstring_(&text[0], item, static_cast<int>(text.size()), 3);
    EXPECT_EQ("   ", std::string(item, 3));
}

TEST_F(Conversion, WorkTextWritersLeftJustifyAndTerminate) {
    char text[16];
    int i = -42;
    yyint2st_(&i, text, 16);
    EXPECT_EQ(std::string("-42\0", 4), std::string(text, 4));
    EXPECT_EQ(std::string(12, ' '), std::string(text + 4, 12));
    double d = 12.5;
    yydbl2st_(&d, text, "(G15.5E2)", 16, 9);
    EXPECT_EQ(std::string("12.500\0", 7), std::string(text, 7));
    float f = 0.25f;
    yyrea2st_(&f, text, "(F8.3)", 16, 6);
    EXPECT_STREQ("0.250", text);
}

TEST_F(Conversion, QuietReadersLeaveTheErrorStateAlone) {
    int level = 1;
    idebuglevel_(&level);
    int code = 1005;
    yyseterror_(&code);
    testing::internal::CaptureStdout();
    int i = 5;
    yyst2int_(&i, "12abc", 5);
    EXPECT_EQ(0, i);
    double d = 5;
    int ok = 7;
    yyst2dblcheck_(&d, &ok, "1..5", 4);
    EXPECT_EQ(0, d);
    EXPECT_EQ(0, ok);
    yyst2dblcheck_(&d, &ok, std::string("2.5\0junk", 8).data(), 8);
    EXPECT_EQ(2.5, d);
    EXPECT_EQ(1, ok);
    float f = 3;
    yyst2rea_(&f, "1E39", 4);
    EXPECT_EQ(0, f);
    yyst2dbl_(&d, "1.5D3   ", 8);
    EXPECT_EQ(1500, d);
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ(1005, LastError());
    int item = 4;
    EXPECT_EQ(1, infoerror_(&item));
    level = 0;
    idebuglevel_(&level);
}

TEST_F(Conversion, QuietIntegerReadKeepsEveryDigitAndClamps) {
    int i = 0;
    yyst2int_(&i, "123456789", 9);
    EXPECT_EQ(123456789, i);
    yyst2int_(&i, "-2.7", 4);
    EXPECT_EQ(-2, i);
    yyst2int_(&i, "1E30", 4);
    EXPECT_EQ(2147483647, i);
    yyst2int_(&i, "-1E30", 5);
    EXPECT_EQ(-2147483647 - 1, i);
}

TEST_F(Conversion, NormalisersRewriteTheText) {
    char text[12];
    Fixed("2.7", 12).copy(text, 12);
    yyformi_(text, 12);
    EXPECT_STREQ("2", text);
    Fixed("-2.7", 12).copy(text, 12);
    yyformi_(text, 12);
    EXPECT_STREQ("-2", text);
    Fixed("junk", 12).copy(text, 12);
    yyformi_(text, 12);
    EXPECT_STREQ("0", text);
    Fixed("1.5e1", 12).copy(text, 12);
    yyformr_(text, "(F6.2)", 12, 6);
    EXPECT_STREQ("15.00", text);
    Fixed("1d2", 12).copy(text, 12);
    yyformd_(text, "(F6.1)", 12, 6);
    EXPECT_STREQ("100.0", text);
    EXPECT_EQ(0, LastError());
}

}  // namespace
