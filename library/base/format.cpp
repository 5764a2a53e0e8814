// The run-time format writer. The format text is read into a flat list of edit items
// (groups expanded by their repeat counts), then the items are run against the one value:
// position and literal items write or move, the first data item writes the value, and the
// writing ends at the next data item, at ":" or at the end of the list.
#include "base/format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Kind {
    I,
    F,
    E,
    D,
    G,
    Literal,
    Skip,
    Tab,
    TabLeft,
    Colon,
    SignPlus,
    SignDefault,
    Scale,
    Other
};

// A literal's text is shared by every repetition of it, so that a repeat count multiplies
// only the items, never the characters of a long literal.
using LiteralText = std::shared_ptr<const std::string>;

struct Item {
    Kind kind;
    int w = 0;
    int d = -1;  // decimals, or the minimum digits of Iw.m (-1 none)
    int e = 0;   // exponent digits of Ee (0 none); the factor k of kP
    LiteralText text;
};

bool IsData(const Item &item) {
    return item.kind == Kind::I || item.kind == Kind::F || item.kind == Kind::E ||
           item.kind == Kind::D || item.kind == Kind::G ||
           (item.kind == Kind::Other && item.d == -2);
}

// The most items a format may expand to: a guard against huge repeat counts of items that
// write nothing.
const std::size_t kMaxItems = 4096;

// The largest width, decimal count, exponent width or position a descriptor may give, and the
// largest repeat count or scale factor.
const long long kMaxField = 100000;
const long long kMaxRepeat = 2147483647;

// Reads the format text as it stands: blanks outside literals are skipped and letters are
// taken in either case, while quoted and nH literals keep their characters as written.
struct Parser {
    std::string s;
    std::size_t at = 0;
    bool ok = true;

    void Blanks() {
        while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\0')) ++at;
    }
    bool More() {
        Blanks();
        return at < s.size();
    }
    char Peek() {
        Blanks();
        return at < s.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(s[at])))
                             : '\0';
    }
    char Next() {
        char c = Peek();
        if (at < s.size()) ++at;
        return c;
    }
    bool Digit() { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

    // An unsigned number up to LIMIT. Digits beyond the limit are read without being added,
    // so that no number of them can overflow, and the format is refused.
    int Number(long long limit = kMaxField) {
        long long value = 0;
        bool any = false;
        while (Digit()) {
            int digit = Next() - '0';
            any = true;
            if (value <= limit) value = value * 10 + digit;
        }
        if (!any || value > limit) ok = false;
        return value > limit ? 0 : static_cast<int>(value);
    }

    static int DataCount(const std::vector<Item> &items) {
        int data = 0;
        for (const Item &item : items) data += IsData(item) ? 1 : 0;
        return data;
    }

    // Appends UNIT TIMES times, but stops once ITEMS hold two data items: the writing never
    // goes past the second, so further repeats need not be expanded.
    void Repeat(std::vector<Item> &items, const std::vector<Item> &unit, int times) {
        if (unit.empty()) return;  // an empty group adds nothing, however often repeated
        int have = DataCount(items);
        const int per = DataCount(unit);
        for (int r = 0; r < times && ok && have < 2; ++r) {
            Append(items, unit);
            have += per;
        }
    }

    // Reads items up to the closing parenthesis of the current level.
    void Group(std::vector<Item> &items, int depth) {
        if (depth > 16) {
            ok = false;
            return;
        }
        while (ok && More()) {
            char c = Peek();
            if (c == ',') {
                ++at;
                continue;
            }
            if (c == ')') {
                ++at;
                return;
            }
            char sign = 0;
            if (c == '-' || c == '+') sign = Next();
            int repeat = 1;
            bool counted = Digit();
            if (counted) repeat = Number(kMaxRepeat);
            if (!ok) return;
            c = Peek();
            if (c == 'P') {  // scale factor kP: in force from here until the next one
                ++at;
                if (!counted) {
                    ok = false;
                    return;
                }
                Append(items, {Item{Kind::Scale, 0, -1, sign == '-' ? -repeat : repeat, nullptr}});
                continue;
            }
            if (sign) {
                ok = false;
                return;
            }
            if (c == '(') {
                ++at;
                std::vector<Item> inner;
                Group(inner, depth + 1);
                Repeat(items, inner, repeat);
                continue;
            }
            if (c == 'H' && counted) {
                ++at;  // the next REPEAT characters as written, blanks and case included
                if (at + static_cast<std::size_t>(repeat) > s.size()) {
                    ok = false;
                    return;
                }
                Append(items, {Item{Kind::Literal, 0, -1, 0,
                                    std::make_shared<const std::string>(
                                        s.substr(at, static_cast<std::size_t>(repeat)))}});
                at += static_cast<std::size_t>(repeat);
                continue;
            }
            if (c == '\'' || c == '"') {
                Item item{Kind::Literal, 0, -1, 0, std::make_shared<const std::string>(Literal(c))};
                Repeat(items, {item}, repeat);
                continue;
            }
            Item item = Descriptor(counted ? repeat : 0);
            if (!ok) return;
            int times = (item.kind == Kind::Skip) ? 1 : repeat;
            Repeat(items, {item}, times);
        }
        if (depth > 0) ok = false;  // a group without its closing parenthesis
    }

    void Append(std::vector<Item> &items, const std::vector<Item> &more) {
        if (items.size() + more.size() > kMaxItems) {
            ok = false;
            return;
        }
        items.insert(items.end(), more.begin(), more.end());
    }

    std::string Literal(char quote) {
        Blanks();
        ++at;
        std::string text;
        while (at < s.size()) {
            if (s[at] == quote) {
                if (at + 1 < s.size() && s[at + 1] == quote) {
                    text += quote;
                    at += 2;
                    continue;
                }
                ++at;
                return text;
            }
            text += s[at++];
        }
        ok = false;
        return text;
    }

    // One edit descriptor; COUNT is the number in front of it (0 when none), which is the
    // width of nX.
    Item Descriptor(int count) {
        char c = Next();
        Item item{Kind::Other, 0, -1, 0, nullptr};
        switch (c) {
        case 'I':
            item.kind = Kind::I;
            item.w = Number();
            if (Peek() == '.') {
                ++at;
                item.d = Number();
            }
            return item;
        case 'F':
        case 'E':
        case 'D':
        case 'G':
            item.kind = c == 'F' ? Kind::F : c == 'E' ? Kind::E : c == 'D' ? Kind::D : Kind::G;
            item.w = Number();
            if (Peek() == '.') {
                ++at;
                item.d = Number();
                if ((c == 'E' || c == 'G') && Peek() == 'E') {
                    ++at;
                    item.e = Number();
                    if (item.e == 0) ok = false;
                }
            } else if (!(c == 'G' && item.w == 0)) {
                ok = false;
            }
            return item;
        case 'X':
            item.kind = Kind::Skip;
            item.w = count > 0 ? count : 1;
            return item;
        case 'T':
            if (Peek() == 'L') {
                ++at;
                item.kind = Kind::TabLeft;
                item.w = Number();
            } else if (Peek() == 'R') {
                ++at;
                item.kind = Kind::Skip;
                item.w = Number();
            } else {
                item.kind = Kind::Tab;
                item.w = Number();
            }
            return item;
        case ':': item.kind = Kind::Colon; return item;
        case 'S':
            if (Peek() == 'P') {
                ++at;
                item.kind = Kind::SignPlus;
            } else {
                if (Peek() == 'S') ++at;
                item.kind = Kind::SignDefault;
            }
            return item;
        case 'B':
            if (Peek() == 'N' || Peek() == 'Z') {
                ++at;
                item.kind = Kind::SignDefault;
                return item;
            }
            ok = false;
            return item;
        case 'A':
        case 'L':
        case 'Z':
        case 'O':
            // Character, logical and bit descriptors: readable, but never fit a number.
            while (Digit() || Peek() == '.') ++at;
            item.kind = Kind::Other;
            item.d = -2;
            return item;
        default: ok = false; return item;
        }
    }
};

bool ReadFormat(const char *format, int format_len, std::vector<Item> &items) {
    Parser p;
    if (format && format_len > 0) p.s.assign(format, static_cast<std::size_t>(format_len));
    if (p.Next() != '(') return false;
    p.Group(items, 0);
    return p.ok;
}

std::string Stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 1), '*'); }

// SIGN and BODY right-justified in W; when they do not fit, BODY without its optional
// leading zero; else asterisks. W 0 means the smallest width.
std::string Fit(const std::string &sign, const std::string &body, int w, bool zerooptional) {
    std::string full = sign + body;
    if (w == 0) {  // the smallest width leaves out the optional zero
        if (zerooptional && body.size() > 1 && body[0] == '0' && body[1] == '.')
            return sign + body.substr(1);
        return full;
    }
    if (static_cast<int>(full.size()) <= w)
        return std::string(static_cast<std::size_t>(w) - full.size(), ' ') + full;
    if (zerooptional && body.size() > 1 && body[0] == '0' && body[1] == '.') {
        std::string shorter = sign + body.substr(1);
        if (static_cast<int>(shorter.size()) <= w)
            return std::string(static_cast<std::size_t>(w) - shorter.size(), ' ') + shorter;
    }
    return Stars(w);
}

std::string SignOf(double x, bool plus) {
    if (std::signbit(x)) return "-";
    return plus ? "+" : "";
}

std::string NotFinite(double x, int w, bool plus) {
    if (std::isnan(x)) return Fit("", "NaN", w, false);
    std::string sign = SignOf(x, plus);
    if (w == 0 || w >= static_cast<int>(sign.size()) + 8) return Fit(sign, "Infinity", w, false);
    return Fit(sign, "Inf", w, false);
}

std::string EditInteger(long long v, int w, int m, bool plus) {
    unsigned long long magnitude =
        v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::string digits = std::to_string(magnitude);
    if (m >= 0) {
        if (m == 0 && v == 0)
            digits.clear();
        else if (static_cast<int>(digits.size()) < m)
            digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    }
    std::string sign = v < 0 ? "-" : (plus ? "+" : "");
    if (w == 0 && sign.empty() && digits.empty()) return " ";
    return Fit(sign, digits, w, false);
}

// The smallest double (about 4.9e-324) has its first digit this many places right of the point.
const int kSmallestDoubleDigit = 324;

// |X| times 10^SCALE with D decimals into TEXT. The decimal point of the exact decimal text is
// moved, so the scale factor adds no rounding of its own. False, without any digits written
// out, when the scale factor goes so far beyond a double's range that the integer part alone
// would be longer than the widest field (10^1000000000 times a nonzero value, say).
bool ScaledFixed(double ax, int d, int scale, std::string &text) {
    if (ax == 0) scale = 0;  // zero stays zero, whatever the factor
    // Every nonzero double is at least 10^-324.
    if (scale > kMaxField + kSmallestDoubleDigit) return false;
    const long long places = static_cast<long long>(d) + scale;
    std::vector<char> buf(static_cast<std::size_t>(places > d ? places : d) + 330);
    if (places < 0) {
        // Rounding falls left of the units: only the scaled value's own digits are left.
        std::snprintf(buf.data(), buf.size(), "%.*f", d, ax * std::pow(10.0, scale));
        text = buf.data();
        return true;
    }
    std::snprintf(buf.data(), buf.size(), "%.*f", static_cast<int>(places), ax);
    text = buf.data();
    std::size_t point = text.find('.');
    std::string digits =
        point == std::string::npos ? text : text.substr(0, point) + text.substr(point + 1);
    long long units =
        static_cast<long long>(point == std::string::npos ? text.size() : point) + scale;
    if (units < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - units), '0');
        units = 1;
    }
    while (units > 1 && digits[0] == '0') {
        digits.erase(0, 1);
        --units;
    }
    text = digits.substr(0, static_cast<std::size_t>(units)) + "." +
           digits.substr(static_cast<std::size_t>(units));
    return true;
}

std::string EditFixed(double x, int w, int d, bool plus, int scale) {
    if (!std::isfinite(x)) return NotFinite(x, w, plus);
    std::string body;
    if (!ScaledFixed(std::fabs(x), d, scale, body)) return Stars(w);
    return Fit(SignOf(x, plus), body, w, d > 0);
}

// The significant digits of |X| rounded to D of them, and the exponent X of 0.ddd x 10^X.
void Significant(double x, int d, std::string &digits, int &exponent) {
    if (x == 0) {
        digits.assign(static_cast<std::size_t>(d), '0');
        exponent = 0;
        return;
    }
    std::vector<char> buf(static_cast<std::size_t>(d) + 32);
    std::snprintf(buf.data(), buf.size(), "%.*e", d - 1, std::fabs(x));
    std::string text(buf.data());
    std::size_t epos = text.find('e');
    digits = text.substr(0, 1) + (d > 1 ? text.substr(2, static_cast<std::size_t>(d) - 1) : "");
    exponent = std::atoi(text.c_str() + epos + 1) + 1;
}

// With a scale factor SCALE above 0 the mantissa has SCALE digits before the point and
// D - SCALE + 1 after it; with SCALE 0 or below, -SCALE zeros follow the point and D + SCALE
// significant digits. The exponent makes up for the shift.
std::string EditExponent(double x, int w, int d, int e, char letter, bool plus, int scale) {
    if (!std::isfinite(x)) return NotFinite(x, w, plus);
    if (d <= 0 || scale <= -d || scale >= d + 2) return Stars(w);
    std::string digits;
    int exponent;
    Significant(x, scale > 0 ? d + 1 : d + scale, digits, exponent);
    if (x != 0) exponent -= scale;
    std::string mantissa = scale > 0
                               ? digits.substr(0, static_cast<std::size_t>(scale)) + "." +
                                     digits.substr(static_cast<std::size_t>(scale))
                               : "0." + std::string(static_cast<std::size_t>(-scale), '0') + digits;
    int magnitude = exponent < 0 ? -exponent : exponent;
    std::string expdigits = std::to_string(magnitude);
    std::string field;
    char expsign = exponent < 0 ? '-' : '+';
    if (e == 0) {
        if (magnitude <= 99)
            field = std::string(1, letter) + expsign + std::string(2 - expdigits.size(), '0') +
                    expdigits;
        else if (magnitude <= 999)
            field = std::string(1, expsign) + expdigits;
        else
            return Stars(w);
    } else {
        if (static_cast<int>(expdigits.size()) > e) return Stars(w);
        field = std::string(1, letter) + expsign +
                std::string(static_cast<std::size_t>(e) - expdigits.size(), '0') + expdigits;
    }
    return Fit(SignOf(x, plus), mantissa + field, w, scale <= 0);
}

// The fixed form (where the scale factor has no effect) when the value rounded to D digits
// lies in [0.1, 10^D), else the exponent form with the scale factor.
std::string EditGeneral(double x, int w, int d, int e, bool plus, int scale) {
    if (!std::isfinite(x)) return NotFinite(x, w, plus);
    if (d <= 0) return Stars(w);
    int n = e > 0 ? e + 2 : 4;
    int k;
    if (x == 0) {
        k = 1;
    } else {
        std::string digits;
        Significant(x, d, digits, k);
    }
    if (k < 0 || k > d) return EditExponent(x, w, d, e, 'E', plus, scale);
    int fw = w == 0 ? 0 : w - n;
    if (w != 0 && fw <= 0) return Stars(w);
    std::string fixed = EditFixed(x, fw, d - k, plus, 0);
    if (fixed.find('*') != std::string::npos && fixed.find_first_not_of('*') == std::string::npos)
        return Stars(w);
    return fixed + std::string(static_cast<std::size_t>(n), ' ');
}

bool EditValue(const Item &item, const FormatValue &value, bool plus, int scale, std::string &out) {
    if (value.integer) {
        if (item.kind == Kind::I || item.kind == Kind::G) {
            out = EditInteger(value.ivalue, item.w, item.kind == Kind::I ? item.d : -1, plus);
            return true;
        }
        return false;
    }
    switch (item.kind) {
    case Kind::F: out = EditFixed(value.dvalue, item.w, item.d, plus, scale); return true;
    case Kind::E:
        out = EditExponent(value.dvalue, item.w, item.d, item.e, 'E', plus, scale);
        return true;
    case Kind::D:
        out = EditExponent(value.dvalue, item.w, item.d, 0, 'D', plus, scale);
        return true;
    case Kind::G:
        if (item.d < 0) return false;
        out = EditGeneral(value.dvalue, item.w, item.d, item.e, plus, scale);
        return true;
    default: return false;
    }
}

// Writes TEXT at POS of RECORD (blank-filled up to POS); false when it would pass LIMIT.
bool Put(std::string &record, std::size_t &pos, const std::string &text, int limit) {
    if (pos + text.size() > static_cast<std::size_t>(limit)) return false;
    if (record.size() < pos) record.resize(pos, ' ');
    record.replace(pos, std::min(text.size(), record.size() - pos), text);
    pos += text.size();
    return true;
}

}  // namespace

bool quill::FormatWrite(const FormatValue &value, const char *format, int format_len,
                        int record_len, std::string &record) {
    record.clear();
    std::vector<Item> items;
    if (record_len < 0 || !ReadFormat(format, format_len, items)) return false;
    bool written = false, plus = false;
    int scale = 0;
    std::size_t pos = 0;
    for (const Item &item : items) {
        if (IsData(item)) {
            if (written) return true;
            std::string text;
            if (!EditValue(item, value, plus, scale, text)) return false;
            if (!Put(record, pos, text, record_len)) return false;
            written = true;
            continue;
        }
        switch (item.kind) {
        case Kind::Literal:
            if (!Put(record, pos, *item.text, record_len)) return false;
            break;
        case Kind::Skip: pos += static_cast<std::size_t>(item.w); break;
        case Kind::Tab: pos = item.w > 0 ? static_cast<std::size_t>(item.w) - 1 : 0; break;
        case Kind::TabLeft:
            pos =
                pos > static_cast<std::size_t>(item.w) ? pos - static_cast<std::size_t>(item.w) : 0;
            break;
        case Kind::Colon:
            if (written) return true;
            break;
        case Kind::SignPlus: plus = true; break;
        case Kind::SignDefault: plus = false; break;
        case Kind::Scale: scale = item.e; break;
        default: break;
        }
    }
    return written;
}
