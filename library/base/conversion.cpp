// Number and text conversion: the formatted writers, the three readers with their syntax
// rules and error numbers, the next-word routines, and the quiet conversions of fields and
// grid cells.
#include "base/conversion.h"

#include "base/errors.h"
#include "base/fixedtext.h"
#include "base/format.h"
#include "base/strings.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

char wDecimal = '.';

namespace {

int decimalcomma = 0;
const double kRealMax = 3.4028234663852886E38;
const char kIntegerFormat[] = "(I11)";

// --- Number to text ----------------------------------------------------------------------

// The formatted write with its failure rule: a failed write, or asterisks that the format
// did not ask for, give ten asterisks and error 18.
void WriteNumber(const FormatValue &value, char *string, const char *format, int string_len,
                 int format_len) {
    std::string record;
    bool ok =
        quill::FormatWrite(value, format, format_len, string_len > 0 ? string_len : 0, record);
    bool formatstar = false;
    for (int i = 0; format && i < format_len; ++i) formatstar = formatstar || format[i] == '*';
    if (!ok || (record.find('*') != std::string::npos && !formatstar)) {
        quill::PutFixedText(string, string_len, "**********", 10);
        quill::RaiseError(18);
        return;
    }
    if (!value.integer && decimalcomma == 1) {
        for (char &c : record)
            if (c == '.') c = wDecimal;
    }
    quill::PutFixedText(string, string_len, record);
}

FormatValue Integer(long long v) { return FormatValue{true, v, 0.0}; }
FormatValue Real(double v) { return FormatValue{false, 0, v}; }

// --- Text to number ----------------------------------------------------------------------

bool IsPoint(char c) { return c == '.' || (decimalcomma == 1 && c == wDecimal); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct NumberPart {
    bool negative = false;
    std::string whole;     // digits before the decimal point
    std::string fraction;  // digits after it
};

// Checks one part of a number (mantissa or exponent) and splits it into its digits.
int ReadPart(const std::string &text, bool exponent, int limit, NumberPart &part) {
    int points = 0;
    for (char c : text) points += IsPoint(c);
    if (exponent && points > 0) return 12;
    if (points > 1) return 11;
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        part.negative = text[0] == '-';
        i = 1;
    }
    bool afterpoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (IsPoint(c))
            afterpoint = true;
        else if (!IsDigit(c))
            return 12;
        else if (afterpoint)
            part.fraction += c;
        else
            part.whole += c;
    }
    if (static_cast<int>(part.whole.size()) > limit + 1) return 4;
    return 0;
}

bool AllZero(const std::string &digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

// Reads the first word of TEXT as a real number: the real entry (DOUBLEENTRY false) has the
// exponent letters E and e and the limit 38, the double entry E, e, D, d and 308. Returns the
// error number (0 none); VALUE is 0 on error.
int ReadReal(const char *text, int len, bool doubleentry, double &value) {
    value = 0;
    int first, last;
    ilocatestring_(text, &first, &last, len);
    if (first == 0) return 10;
    std::string word(text + first - 1, static_cast<std::size_t>(last - first + 1));
    int limit = doubleentry ? 308 : 38;
    const char *letters = doubleentry ? "EeDd" : "Ee";

    std::size_t marker = std::string::npos;
    bool lettermarker = false;
    for (const char *l = letters; *l && marker == std::string::npos; ++l) {
        marker = word.find(*l);
        lettermarker = marker != std::string::npos;
    }
    if (marker == std::string::npos && word.size() >= 5) {
        // An exponent whose letter was dropped to make room for three digits: 0.12345+100.
        std::size_t at = word.size() - 4;
        if (word[at] == '+' || word[at] == '-') marker = at;
    }
    std::string mantissa = word.substr(0, marker);
    std::string exponent;
    if (marker != std::string::npos) exponent = word.substr(lettermarker ? marker + 1 : marker);

    NumberPart m, e;
    if (int error = ReadPart(mantissa, false, limit, m)) return error;
    if (int error = ReadPart(exponent, true, limit, e)) return error;
    if (AllZero(m.whole) && AllZero(m.fraction)) return 0;

    // The exponent, bounded far outside any representable range before it is converted.
    long long exp = 0;
    for (char c : e.whole) {
        exp = exp * 10 + (c - '0');
        if (exp > 1000000) exp = 1000000;
    }
    if (e.negative) exp = -exp;
    std::string canonical = (m.negative ? "-" : "") +
                            (m.whole.empty() ? std::string("0") : m.whole) + "." + m.fraction +
                            "e" + std::to_string(exp);
    errno = 0;
    double result = std::strtod(canonical.c_str(), nullptr);
    // A result that is not finite, or beyond the single-precision range for the real entry,
    // is too large: reported, never returned.
    if (!std::isfinite(result) || (!doubleentry && std::fabs(result) > kRealMax)) return 4;
    value = result;
    return 0;
}

int ReadInteger(const char *text, int len, int &value) {
    value = 0;
    int first, last;
    ilocatestring_(text, &first, &last, len);
    if (first == 0) return 10;
    const char *p = text + first - 1;
    int n = last - first + 1;
    bool negative = false;
    if (p[0] == '-' || p[0] == '+') {
        negative = p[0] == '-';
        ++p;
        --n;
    }
    for (int i = 0; i < n; ++i)
        if (!IsDigit(p[i])) return 12;
    if (n > 10 || (n == 10 && p[0] > '2')) return 4;
    long long sum = 0;
    for (int i = 0; i < n; ++i) {
        sum = sum * 10 + (p[i] - '0');
        if (sum > INT_MAX) return 4;
    }
    value = static_cast<int>(negative ? -sum : sum);
    return 0;
}

// Truncates toward zero into the 32-bit range: values beyond it are clamped at its ends.
int TruncateToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT_MAX;
    if (v <= -2147483648.0) return INT_MIN;
    return static_cast<int>(v);
}

// The first word of STRING, or the character at position 1 of a blank text, then blanked.
void TakeNextWord(char *string, int string_len, int &first, int &last) {
    ilocatestring_(string, &first, &last, string_len);
    if (first == 0) {
        first = last = string_len > 0 ? 1 : 0;
    }
}

void BlankWord(char *string, int first, int last) {
    if (first > 0) quill::BlankText(string + first - 1, last - first + 1);
}

// Writes VALUE by FORMAT into TEXT, left-justified, trimmed, then a NUL and blanks.
void WriteWorkText(const FormatValue &value, char *text, const char *format, int text_len,
                   int format_len) {
    WriteNumber(value, text, format, text_len, format_len);
    static const char left[] = "L";
    ijustifystring_(text, left, text_len, 1);
    int n = quill::TrimmedTextLength(text, text_len);
    if (n < text_len) text[n] = '\0';
}

}  // namespace

void quill::SetDecimalCommaOption(int option) { decimalcomma = option; }
int quill::DecimalCommaOption() { return decimalcomma; }
void quill::SetDecimalChar(char c) { wDecimal = c; }

void integertostring_(const int *ivalue, char *string, const char *format, int string_len,
                      int format_len) {
    WriteNumber(Integer(ivalue ? *ivalue : 0), string, format, string_len, format_len);
}

void irealtostring_(const float *value, char *string, const char *format, int string_len,
                    int format_len) {
    WriteNumber(Real(value ? *value : 0.0f), string, format, string_len, format_len);
}

void idoubletostring_(const double *dvalue, char *string, const char *format, int string_len,
                      int format_len) {
    WriteNumber(Real(dvalue ? *dvalue : 0.0), string, format, string_len, format_len);
}

void istringtointeger_(const char *string, int *ivalue, int string_len) {
    int value;
    int error = ReadInteger(string, string_len, value);
    if (ivalue) *ivalue = value;
    if (error) quill::RaiseError(error);
}

void istringtoreal_(const char *string, float *value, int string_len) {
    double v;
    int error = ReadReal(string, string_len, false, v);
    if (value) *value = static_cast<float>(v);
    if (error) quill::RaiseError(error);
}

void istringtodouble_(const char *string, double *dvalue, int string_len) {
    double v;
    int error = ReadReal(string, string_len, true, v);
    if (dvalue) *dvalue = v;
    if (error) quill::RaiseError(error);
}

void inextstring_(char *string, char *item, int string_len, int item_len) {
    int first, last;
    TakeNextWord(string, string_len, first, last);
    if (first > 0)
        quill::PutFixedText(item, item_len, string + first - 1,
                            static_cast<std::size_t>(last - first + 1));
    else
        quill::BlankText(item, item_len);
    BlankWord(string, first, last);
}

namespace {

// Reads the next word of STRING by READ, then blanks it.
template <typename T>
void NextNumber(char *string, int string_len, T *value, void (*read)(const char *, T *, int)) {
    int first, last;
    TakeNextWord(string, string_len, first, last);
    read(string + (first > 0 ? first - 1 : 0), value, first > 0 ? last - first + 1 : 0);
    BlankWord(string, first, last);
}

}  // namespace

void inextinteger_(char *string, int *ivalue, int string_len) {
    NextNumber(string, string_len, ivalue, istringtointeger_);
}

void inextreal_(char *string, float *value, int string_len) {
    NextNumber(string, string_len, value, istringtoreal_);
}

void inextdouble_(char *string, double *dvalue, int string_len) {
    NextNumber(string, string_len, dvalue, istringtodouble_);
}

// --- Conversions of fields and grid cells --------------------------------------------------

void yyint2st_(const int *ivalue, char *text, int text_len) {
    WriteWorkText(Integer(ivalue ? *ivalue : 0), text, kIntegerFormat, text_len, 5);
}

void yyrea2st_(const float *value, char *text, const char *format, int text_len, int format_len) {
    WriteWorkText(Real(value ? *value : 0.0f), text, format, text_len, format_len);
}

void yydbl2st_(const double *dvalue, char *text, const char *format, int text_len, int format_len) {
    WriteWorkText(Real(dvalue ? *dvalue : 0.0), text, format, text_len, format_len);
}

namespace {

// Reads the text of a work buffer quietly. Integers read by the real syntax keep double
// precision, so that every 32-bit integer comes back exactly.
int QuietRead(const char *text, int text_len, bool doubleentry, double &value) {
    QuietErrors quiet;
    std::string word = quill::TextUpToNul(text, text_len);
    int error = ReadReal(word.data(), static_cast<int>(word.size()), doubleentry, value);
    if (error) value = 0;
    return error;
}

}  // namespace

void yyst2int_(int *ivalue, const char *text, int text_len) {
    double v;
    QuietRead(text, text_len, false, v);
    if (ivalue) *ivalue = TruncateToInt(v);
}

void yyst2rea_(float *value, const char *text, int text_len) {
    double v;
    QuietRead(text, text_len, false, v);
    if (value) *value = static_cast<float>(v);
}

void yyst2dbl_(double *dvalue, const char *text, int text_len) {
    double v;
    QuietRead(text, text_len, true, v);
    if (dvalue) *dvalue = v;
}

void yyst2dblcheck_(double *dvalue, int *iok, const char *text, int text_len) {
    double v;
    int error = QuietRead(text, text_len, true, v);
    if (dvalue) *dvalue = v;
    if (iok) *iok = error == 0 ? 1 : 0;
}

void yyformi_(char *text, int text_len) {
    int value;
    yyst2int_(&value, text, text_len);
    QuietErrors quiet;
    WriteWorkText(Integer(value), text, kIntegerFormat, text_len, 5);
}

void yyformr_(char *text, const char *format, int text_len, int format_len) {
    float value;
    yyst2rea_(&value, text, text_len);
    QuietErrors quiet;
    WriteWorkText(Real(value), text, format, text_len, format_len);
}

void yyformd_(char *text, const char *format, int text_len, int format_len) {
    double value;
    yyst2dbl_(&value, text, text_len);
    QuietErrors quiet;
    WriteWorkText(Real(value), text, format, text_len, format_len);
}
