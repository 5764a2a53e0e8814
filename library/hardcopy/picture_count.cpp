// Picture and page counting of plot files.
#include "hardcopy/picture_count.h"

#include "base/errors.h"
#include "quillamorph/files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// A file read through the character-file routines; every short read raises error 2 once.
struct Reader {
    int handle = -1;
    bool failed = false;
    Reader(const char *name, int len) {
        int mode = 0;
        ifileopen_(name, &mode, &handle, len);
    }
    ~Reader() {
        if (handle >= 0) ifileclose_(&handle);
    }
    bool Read(unsigned char *buffer, int n) {
        if (failed) return false;
        int got = 0;
        if (n > 0) ifilereadchar_(&handle, reinterpret_cast<char *>(buffer), &n, &got, n);
        if (got != n) {
            failed = true;
            if (got >= 0) {
                quill::SetFileError(0);
                quill::RaiseError(2);
            }
            return false;
        }
        return true;
    }
    bool Skip(int n) {
        if (n <= 0) return true;
        unsigned char scratch[512];
        while (n > 0) {
            int part = n > 512 ? 512 : n;
            if (!Read(scratch, part)) return false;
            n -= part;
        }
        return true;
    }
};

}  // namespace

int yyrepcgmint_(const unsigned char *bytes, int precision) {
    int n = precision == 8 ? 1 : precision == 24 ? 3 : precision == 32 ? 4 : 2;
    std::uint32_t v = 0;
    for (int k = 0; k < n; ++k) v = (v << 8) | bytes[k];
    if (n < 4 && (v >> (8 * n - 1)) & 1) v |= ~((1u << (8 * n)) - 1);
    int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

float yyrepcgmreal_(const unsigned char *bytes) {
    std::uint32_t v = (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) |
                      (std::uint32_t(bytes[2]) << 8) | bytes[3];
    float f;
    std::memcpy(&f, &v, sizeof f);
    return f;
}

namespace {

// The elements of METAFILE DEFAULTS REPLACEMENT, joined from its partitions, read as a stream
// of their own. A short read ends the walk with error 2, as in the file.
struct Body {
    const std::vector<unsigned char> &bytes;
    std::size_t at = 0;
    bool failed = false;
    // Moves past N bytes, false (and error 2) when fewer are left.
    bool Take(int n) {
        if (failed) return false;
        if (n < 0 || bytes.size() - at < static_cast<std::size_t>(n)) {
            failed = true;
            quill::SetFileError(0);
            quill::RaiseError(2);
            return false;
        }
        at += static_cast<std::size_t>(n);
        return true;
    }
    bool Read(unsigned char *buffer, int n) {
        if (!Take(n)) return false;
        if (n > 0)
            std::memcpy(buffer, bytes.data() + at - static_cast<std::size_t>(n),
                        static_cast<std::size_t>(n));
        return true;
    }
    bool Skip(int n) { return n <= 0 || Take(n); }
    bool AtEnd() const { return at >= bytes.size(); }
};

// What the walk has learned of the file so far.
struct CgmInfo {
    int vdcType = 0, intPrecision = 16, vdcIntPrecision = 16, count = 0;
    bool haveMax = false, haveExtent = false;
    double maxAspect = 1.0, extentAspect = 1.0;
};

// The defaults replacement holds a handful of elements; a larger one is read this far.
constexpr std::size_t kDefaultsCap = 1 << 16;

bool ValidPrecision(int p) { return p == 8 || p == 16 || p == 24 || p == 32; }

// The width-to-height ratio of an extent's two corners; 1 when it has no height or no finite
// ratio.
double ExtentAspect(const unsigned char *params, const CgmInfo &info) {
    double v[4];
    if (info.vdcType == 1) {
        for (int k = 0; k < 4; ++k) v[k] = yyrepcgmreal_(params + 4 * k);
    } else {
        // Integers stay integers: 32-bit corners keep every digit.
        const int size = info.vdcIntPrecision / 8;
        for (int k = 0; k < 4; ++k) v[k] = yyrepcgmint_(params + k * size, info.vdcIntPrecision);
    }
    const double h = v[3] - v[1];
    double a = h != 0 ? (v[2] - v[0]) / h : 1.0;
    if (!(a == a) || a > 1e30 || a < -1e30) a = 1.0;
    return a;
}

// Walks the elements of IN until END METAFILE, the end of the data or a short read; false
// when the walk of the whole file is over. The elements of a METAFILE DEFAULTS REPLACEMENT
// (only at the top, NESTED false) are walked as elements.
template <class Source>
bool WalkCgm(Source &in, CgmInfo &info, bool nested) {
    for (;;) {
        if constexpr (std::is_same_v<Source, Body>) {
            if (in.AtEnd()) return true;
        }
        unsigned char head[2];
        if (!in.Read(head, 2)) return false;
        int word = head[0] << 8 | head[1];
        int cls = word >> 12, id = (word >> 5) & 127, len = word & 31;
        bool more = false;
        if (len == 31) {
            if (!in.Read(head, 2)) return false;
            int part = head[0] << 8 | head[1];
            more = (part & 0x8000) != 0;
            len = part & 0x7FFF;
        }
        const bool defaults = cls == 1 && id == 12 && !nested;
        bool wanted = (cls == 1 && (id == 3 || id == 4 || id == 17)) || (cls == 2 && id == 6) ||
                      (cls == 3 && id == 1);
        // The parameters of a wanted element (at most 64 bytes kept), or the body of the
        // defaults replacement.
        unsigned char params[64] = {};
        int kept = 0;
        std::vector<unsigned char> body;
        for (;;) {
            int padded = len + (len & 1);
            if (defaults) {
                const std::size_t start = body.size();
                const int take = static_cast<int>(std::min<std::size_t>(
                    static_cast<std::size_t>(len), kDefaultsCap - std::min(start, kDefaultsCap)));
                body.resize(start + static_cast<std::size_t>(take));
                if (take > 0 && !in.Read(body.data() + start, take)) return false;
                if (!in.Skip(padded - take)) return false;
            } else if (wanted && kept < 64) {
                int take = padded < 64 - kept ? padded : 64 - kept;
                if (!in.Read(params + kept, take)) return false;
                kept += take;
                if (!in.Skip(padded - take)) return false;
            } else if (!in.Skip(padded)) {
                return false;
            }
            if (!more) break;
            if (!in.Read(head, 2)) return false;
            int part = head[0] << 8 | head[1];
            more = (part & 0x8000) != 0;
            len = part & 0x7FFF;
        }
        if (defaults) {
            Body inner{body};
            if (!WalkCgm(inner, info, true)) return false;
            continue;
        }
        if (cls == 0 && id == 2) return nested;
        if (cls == 0 && id == 5) ++info.count;
        if (cls == 1 && id == 3 && kept >= 2) info.vdcType = yyrepcgmint_(params, 16);
        if (cls == 1 && id == 4 && kept >= 2) {
            int p = yyrepcgmint_(params, info.intPrecision);
            if (ValidPrecision(p)) info.intPrecision = p;
        }
        if (cls == 3 && id == 1 && kept >= 1) {
            int p = yyrepcgmint_(params, info.intPrecision);
            if (ValidPrecision(p)) info.vdcIntPrecision = p;
        }
        if ((cls == 1 && id == 17) || (cls == 2 && id == 6)) {
            int size = info.vdcType == 1 ? 4 : info.vdcIntPrecision / 8;
            if (kept < 4 * size) continue;
            const double a = ExtentAspect(params, info);
            if (cls == 1)
                info.haveMax = true, info.maxAspect = a;
            else
                info.haveExtent = true, info.extentAspect = a;
        }
    }
}

}  // namespace

void yyinfocgm_(const char *filename, int *pictures, float *aspect, int filename_len) {
    *pictures = 1;
    *aspect = 1.0f;
    Reader in(filename, filename_len);
    if (in.handle < 0) return;
    CgmInfo info;
    WalkCgm(in, info, false);
    if (info.count > 1) *pictures = info.count;
    if (info.haveMax)
        *aspect = static_cast<float>(info.maxAspect);
    else if (info.haveExtent)
        *aspect = static_cast<float>(info.extentAspect);
}

void yycntpic_(const char *filename, int *pictures, int filename_len) {
    *pictures = 1;
    Reader in(filename, filename_len);
    if (in.handle < 0) return;
    unsigned char header[17];
    if (!in.Read(header, 17)) return;
    int count = 0;
    for (;;) {
        unsigned char code;
        int got = 0, one = 1;
        ifilereadchar_(&in.handle, reinterpret_cast<char *>(&code), &one, &got, 1);
        if (got != 1) break;
        unsigned char b;
        if (code == 48 || code == 224) {
            if (!in.Read(&b, 1) || !in.Skip((b + 1) * 4)) break;
        } else if (code >= 96 && code <= 111) {
            ++count;
        } else if (code == 160 || code == 162 || code == 172) {
            if (!in.Skip(4)) break;
        } else if (code == 167) {
            if (!in.Skip(1)) break;
        } else if (code == 168) {
            if (!in.Skip(1)) break;
            do {
                if (!in.Read(&b, 1)) break;
            } while (b != 0);
            if (in.failed) break;
        }
    }
    if (count > 1) *pictures = count;
}

namespace {

// One command of an HP-GL text: is it a page tag?
bool PageTag(const std::string &command) {
    std::size_t at = command.find_first_not_of(" \t\r\n");
    if (at == std::string::npos || command.size() - at < 2) return false;
    std::string cmd = command.substr(at, 2);
    std::string rest = command.substr(at + 2);
    if (cmd == "SC") {
        std::size_t end = rest.find_first_of(" ,\t");
        std::string item = rest.substr(0, end);
        return item == "-3";
    }
    if (cmd == "CO") {
        if (!rest.empty() && rest[0] == ':') return false;
        if (rest.size() > 1 && rest[0] == '"' && rest[1] == ':') return false;
        std::size_t q1 = rest.find('"');
        if (q1 == std::string::npos) return false;
        std::size_t q2 = rest.find('"', q1 + 1);
        std::string inside =
            rest.substr(q1 + 1, q2 == std::string::npos ? std::string::npos : q2 - q1 - 1);
        std::size_t d = inside.find_first_not_of(' ');
        if (d == std::string::npos) return false;
        std::size_t e = inside.find_first_of(" ,", d);
        return inside.substr(d, e == std::string::npos ? std::string::npos : e - d) == "3";
    }
    return false;
}

}  // namespace

void yycnthpg_(const char *filename, int *pages, int filename_len) {
    *pages = 1;
    Reader in(filename, filename_len);
    if (in.handle < 0) return;
    int count = 0;
    std::string command;
    bool quoted = false;
    char buffer[4096];
    for (;;) {
        int n = sizeof buffer, got = 0;
        ifilereadchar_(&in.handle, buffer, &n, &got, n);
        if (got <= 0) break;
        for (int k = 0; k < got; ++k) {
            char c = buffer[k];
            // Quotes matter only in comments: a label may hold a lone one.
            if (c == '"' && command.find("CO") != std::string::npos) quoted = !quoted;
            if (!quoted && (c == ';' || c == '\n' || c == '\r')) {
                if (PageTag(command)) ++count;
                command.clear();
                continue;
            }
            // Only the start of a command matters: a long label or data run is not kept.
            if (command.size() < 64) command += c;
        }
    }
    if (PageTag(command)) ++count;
    if (count > 1) *pages = count;
}
