// The run-time format writer. The format text is read into a flat list of edit items
// (groups expanded by their repeat counts), then the items are run against the one value:
// position and literal items write or move, the first data item writes the value, and the
// writing ends at the next data item, at ":" or at the end of the list.
#include "base/format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

enum class Kind { I, F, E, D, G, Literal, Skip, Tab, TabLeft, Colon, SignPlus, SignDefault, Other };

struct Item {
    Kind kind;
    int w = 0;
    int d = -1;     // decimals, or the minimum digits of Iw.m (-1 none)
    int e = 0;      // exponent digits of Ee (0 none)
    std::string text;
};

// The most items a format may expand to: a guard against huge repeat counts.
const std::size_t kMaxItems = 4096;

struct Parser {
    std::string s;  // the format without the blanks outside literals, upper-cased there
    std::size_t at = 0;
    bool ok = true;

    bool More() const { return at < s.size(); }
    char Peek() const { return at < s.size() ? s[at] : '\0'; }
    bool Digit() const { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

    int Number() {
        long value = 0;
        bool any = false;
        while (Digit()) {
            value = value * 10 + (s[at++] - '0');
            if (value > 100000) ok = false;
            any = true;
        }
        if (!any) ok = false;
        return static_cast<int>(value);
    }

    // Reads items up to the closing parenthesis of the current level.
    void Group(std::vector<Item> &items, int depth) {
        if (depth > 16) { ok = false; return; }
        while (ok && More()) {
            char c = Peek();
            if (c == ',') { ++at; continue; }
            if (c == ')') { ++at; return; }
            bool signedcount = false;
            if (c == '-' || c == '+') { signedcount = true; ++at; }
            int repeat = 1;
            bool counted = Digit();
            if (counted) repeat = Number();
            c = Peek();
            if (c == 'P') {  // scale factor: read and ignored
                ++at;
                continue;
            }
            if (signedcount) { ok = false; return; }
            if (c == '(') {
                ++at;
                std::vector<Item> inner;
                Group(inner, depth + 1);
                for (int r = 0; r < repeat && ok; ++r) Append(items, inner);
                continue;
            }
            if (c == 'H' && counted) {
                ++at;
                if (at + static_cast<std::size_t>(repeat) > s.size()) { ok = false; return; }
                items.push_back(Item{Kind::Literal, 0, -1, 0, s.substr(at, static_cast<std::size_t>(repeat))});
                at += static_cast<std::size_t>(repeat);
                continue;
            }
            if (c == '\'' || c == '"') {
                Item item{Kind::Literal, 0, -1, 0, std::string()};
                item.text = Literal(c);
                for (int r = 0; r < repeat && ok; ++r) Append(items, {item});
                continue;
            }
            Item item = Descriptor(counted ? repeat : 0);
            if (!ok) return;
            int times = (item.kind == Kind::Skip) ? 1 : repeat;
            std::vector<Item> one{item};
            for (int r = 0; r < times && ok; ++r) Append(items, one);
        }
        if (depth > 0) ok = false;  // a group without its closing parenthesis
    }

    void Append(std::vector<Item> &items, const std::vector<Item> &more) {
        if (items.size() + more.size() > kMaxItems) { ok = false; return; }
        items.insert(items.end(), more.begin(), more.end());
    }

    std::string Literal(char quote) {
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
        char c = s[at++];
        Item item{Kind::Other, 0, -1, 0, std::string()};
        switch (c) {
        case 'I':
            item.kind = Kind::I;
            item.w = Number();
            if (Peek() == '.') { ++at; item.d = Number(); }
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
            if (Peek() == 'L') { ++at; item.kind = Kind::TabLeft; item.w = Number(); }
            else if (Peek() == 'R') { ++at; item.kind = Kind::Skip; item.w = Number(); }
            else { item.kind = Kind::Tab; item.w = Number(); }
            return item;
        case ':':
            item.kind = Kind::Colon;
            return item;
        case 'S':
            if (Peek() == 'P') { ++at; item.kind = Kind::SignPlus; }
            else { if (Peek() == 'S') ++at; item.kind = Kind::SignDefault; }
            return item;
        case 'B':
            if (Peek() == 'N' || Peek() == 'Z') { ++at; item.kind = Kind::SignDefault; return item; }
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
        default:
            ok = false;
            return item;
        }
    }
};

bool ReadFormat(const char *format, int format_len, std::vector<Item> &items) {
    Parser p;
    bool inquote = false;
    char quote = 0;
    for (int i = 0; format && i < format_len; ++i) {
        char c = format[i];
        if (inquote) {
            p.s += c;
            if (c == quote) inquote = false;
        } else if (c == '\'' || c == '"') {
            inquote = true;
            quote = c;
            p.s += c;
        } else if (c != ' ' && c != '\t' && c != '\0') {
            p.s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    if (p.s.empty() || p.s[0] != '(') return false;
    p.at = 1;
    p.Group(items, 0);
    return p.ok;
}

std::string Stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 1), '*'); }

// SIGN and BODY right-justified in W; when they do not fit, BODY without its optional
// leading zero; else asterisks. W 0 means the smallest width.
std::string Fit(const std::string &sign, const std::string &body, int w, bool zerooptional) {
    std::string full = sign + body;
    if (w == 0) return full;
    if (static_cast<int>(full.size()) <= w) return std::string(static_cast<std::size_t>(w) - full.size(), ' ') + full;
    if (zerooptional && body.size() > 1 && body[0] == '0' && body[1] == '.') {
        std::string shorter = sign + body.substr(1);
        if (static_cast<int>(shorter.size()) <= w) return std::string(static_cast<std::size_t>(w) - shorter.size(), ' ') + shorter;
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
    unsigned long long magnitude = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    std::string digits = std::to_string(magnitude);
    if (m >= 0) {
        if (m == 0 && v == 0) digits.clear();
        else if (static_cast<int>(digits.size()) < m) digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    }
    std::string sign = v < 0 ? "-" : (plus ? "+" : "");
    if (w == 0 && sign.empty() && digits.empty()) return " ";
    return Fit(sign, digits, w, false);
}

std::string EditFixed(double x, int w, int d, bool plus) {
    if (!std::isfinite(x)) return NotFinite(x, w, plus);
    std::vector<char> buf(static_cast<std::size_t>(d) + 330);
    std::snprintf(buf.data(), buf.size(), "%.*f", d, std::fabs(x));
    std::string body(buf.data());
    if (d == 0) body += '.';
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

std::string EditExponent(double x, int w, int d, int e, char letter, bool plus) {
    if (!std::isfinite(x)) return NotFinite(x, w, plus);
    if (d <= 0) return Stars(w);
    std::string digits;
    int exponent;
    Significant(x, d, digits, exponent);
    int magnitude = exponent < 0 ? -exponent : exponent;
    std::string expdigits = std::to_string(magnitude);
    std::string field;
    char expsign = exponent < 0 ? '-' : '+';
    if (e == 0) {
        if (magnitude <= 99) field = std::string(1, letter) + expsign + std::string(2 - expdigits.size(), '0') + expdigits;
        else if (magnitude <= 999) field = std::string(1, expsign) + expdigits;
        else return Stars(w);
    } else {
        if (static_cast<int>(expdigits.size()) > e) return Stars(w);
        field = std::string(1, letter) + expsign + std::string(static_cast<std::size_t>(e) - expdigits.size(), '0') + expdigits;
    }
    return Fit(SignOf(x, plus), "0." + digits + field, w, true);
}

std::string EditGeneral(double x, int w, int d, int e, bool plus) {
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
    if (k < 0 || k > d) return EditExponent(x, w, d, e, 'E', plus);
    int fw = w == 0 ? 0 : w - n;
    if (w != 0 && fw <= 0) return Stars(w);
    std::string fixed = EditFixed(x, fw, d - k, plus);
    if (fixed.find('*') != std::string::npos && fixed.find_first_not_of('*') == std::string::npos) return Stars(w);
    return fixed + std::string(static_cast<std::size_t>(n), ' ');
}

bool EditValue(const Item &item, const FormatValue &value, bool plus, std::string &out) {
    if (value.integer) {
        if (item.kind == Kind::I || item.kind == Kind::G) {
            out = EditInteger(value.ivalue, item.w, item.kind == Kind::I ? item.d : -1, plus);
            return true;
        }
        return false;
    }
    switch (item.kind) {
    case Kind::F: out = EditFixed(value.dvalue, item.w, item.d, plus); return true;
    case Kind::E: out = EditExponent(value.dvalue, item.w, item.d, item.e, 'E', plus); return true;
    case Kind::D: out = EditExponent(value.dvalue, item.w, item.d, 0, 'D', plus); return true;
    case Kind::G:
        if (item.d < 0) return false;
        out = EditGeneral(value.dvalue, item.w, item.d, item.e, plus);
        return true;
    default: return false;
    }
}

bool IsData(const Item &item) {
    return item.kind == Kind::I || item.kind == Kind::F || item.kind == Kind::E || item.kind == Kind::D ||
           item.kind == Kind::G || (item.kind == Kind::Other && item.d == -2);
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

bool yyformatwrite(const FormatValue &value, const char *format, int format_len, int record_len,
                   std::string &record) {
    record.clear();
    std::vector<Item> items;
    if (record_len < 0 || !ReadFormat(format, format_len, items)) return false;
    bool written = false, plus = false;
    std::size_t pos = 0;
    for (const Item &item : items) {
        if (IsData(item)) {
            if (written) return true;
            std::string text;
            if (!EditValue(item, value, plus, text)) return false;
            if (!Put(record, pos, text, record_len)) return false;
            written = true;
            continue;
        }
        switch (item.kind) {
        case Kind::Literal:
            if (!Put(record, pos, item.text, record_len)) return false;
            break;
        case Kind::Skip: pos += static_cast<std::size_t>(item.w); break;
        case Kind::Tab: pos = item.w > 0 ? static_cast<std::size_t>(item.w) - 1 : 0; break;
        case Kind::TabLeft: pos = pos > static_cast<std::size_t>(item.w) ? pos - static_cast<std::size_t>(item.w) : 0; break;
        case Kind::Colon:
            if (written) return true;
            break;
        case Kind::SignPlus: plus = true; break;
        case Kind::SignDefault: plus = false; break;
        default: break;
        }
    }
    return written;
}
