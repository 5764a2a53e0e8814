// File information: the kind of a graphics file by its first 128 bytes, and the size and
// details its header or text gives.
#include "hardcopy/image_read.h"

#include "hardcopy/picture_count.h"

#include "base/errors.h"
#include "quillamorph/imagefiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const int kEntries = 6;
// How much of a text file is scanned for its size.
const std::size_t kTextScan = std::size_t(16) << 20;

struct Info {
    int v[kEntries + 1];
    Info() { std::fill(v, v + kEntries + 1, -1); }
};

int Le16(const std::vector<unsigned char> &d, std::size_t at) {
    if (at + 2 > d.size()) return -1;
    return static_cast<int>(quill::GetLe16(d.data() + at));
}

bool Le32(const std::vector<unsigned char> &d, std::size_t at, std::int32_t *value) {
    if (at + 4 > d.size()) return false;
    *value = static_cast<std::int32_t>(quill::GetLe32(d.data() + at));
    return true;
}

int PowerOfTwo(long long e) { return (e >= 0 && e < 31) ? (1 << e) : 0; }

// The numbers of a text, in order: optional sign, digits, fraction and exponent.
std::vector<double> Numbers(const std::string &text) {
    std::vector<double> out;
    const char *p = text.c_str();
    while (*p) {
        bool start = std::isdigit(static_cast<unsigned char>(*p)) ||
                     ((*p == '-' || *p == '+' || *p == '.') &&
                      (std::isdigit(static_cast<unsigned char>(p[1])) ||
                       (p[1] == '.' && std::isdigit(static_cast<unsigned char>(p[2])))));
        if (!start) {
            ++p;
            continue;
        }
        char *end = nullptr;
        double v = std::strtod(p, &end);
        if (end == p) {
            ++p;
            continue;
        }
        out.push_back(v);
        p = end;
    }
    return out;
}

int Whole(double v) {
    if (!(v > -2147483648.0 && v < 2147483648.0)) return -1;
    return static_cast<int>(v);
}

std::vector<std::string> Lines(const std::vector<unsigned char> &d) {
    std::vector<std::string> lines;
    std::string line;
    for (unsigned char c : d) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The items of a plot language text: separated by ";" and line ends, leading blanks dropped.
std::vector<std::string> Items(const std::vector<unsigned char> &d) {
    std::vector<std::string> items;
    std::string item;
    for (unsigned char c : d) {
        if (c == ';' || c == '\n' || c == '\r' || c == 27) {
            if (!item.empty()) items.push_back(item);
            item.clear();
        } else if (!(item.empty() && (c == ' ' || c == '\t' || c == 0))) {
            item += static_cast<char>(c);
        }
    }
    if (!item.empty()) items.push_back(item);
    return items;
}

void PlotLanguage(const std::vector<unsigned char> &d, const std::string &path, bool second,
                  Info &info) {
    yycnthpg_(path.c_str(), &info.v[6], static_cast<int>(path.size()));
    int code = -1000;
    std::vector<double> ip;
    for (const std::string &item : Items(d)) {
        if (code != -1000 && ip.size() >= 4) break;
        std::vector<double> n = Numbers(item.substr(std::min<std::size_t>(2, item.size())));
        if (item.compare(0, 2, "SC") == 0 && n.size() >= 2 && n[0] == -13)
            code = Whole(n[1]) - (second ? 10 : 0);
        if (second && item.compare(0, 2, "CO") == 0 && (item.size() < 3 || item[2] != ':') &&
            n.size() >= 2 && n[0] == 13)
            code = Whole(n[1]);
        if (item.compare(0, 2, "IP") == 0 && n.size() >= 4) ip = n;
    }
    if (!second) {
        static const int kinds[10] = {4, 6, 6, 4, 6, 8, 8, 8, 6, 6};
        if (code < 1 || code > 10) return;
        double u = (code == 2 || code == 3) ? 1021 : 1016;
        if (ip.size() >= 4) {
            info.v[2] = Whole((ip[2] - ip[0] + 1) * 72 / u);
            info.v[3] = Whole((ip[3] - ip[1] + 1) * 72 / u);
        }
        info.v[4] = kinds[code - 1];
    } else {
        static const int kinds[5] = {2, 256, 2, 256, 256};
        if (ip.size() >= 4) {
            info.v[2] = Whole((ip[2] - ip[0] + 1) * 72 / 1016);
            info.v[3] = Whole((ip[3] - ip[1] + 1) * 72 / 1016);
        }
        if (code >= 1 && code <= 5) info.v[4] = kinds[code - 1];
    }
}

void PostScript(const std::vector<std::string> &lines, Info &info) {
    info.v[4] = 0;
    if (lines.size() < 2 || lines[1].compare(0, 14, "%%BoundingBox:") != 0) return;
    std::vector<double> n = Numbers(lines[1].substr(14));
    info.v[4] = 1;
    if (n.size() >= 4) {
        info.v[2] = Whole(n[2]);
        info.v[3] = Whole(n[3]);
    }
}

void Dxf(const std::vector<std::string> &lines, Info &info) {
    for (int k = 0; k < 2; ++k) {
        std::size_t at = k == 0 ? 13 : 15;
        if (at >= lines.size()) return;
        std::vector<double> n = Numbers(lines[at]);
        if (!n.empty()) info.v[2 + k] = Whole(n[0] * 72);
    }
}

void Svg(const std::vector<std::string> &lines, Info &info) {
    for (std::string line : lines) {
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (line.find("<svg ") == std::string::npos) continue;
        const char *keys[2] = {"width=", "height="};
        for (int k = 0; k < 2; ++k) {
            std::size_t at = line.find(keys[k]);
            if (at == std::string::npos) continue;
            at += std::strlen(keys[k]);
            if (at >= line.size() || (line[at] != '"' && line[at] != '\'')) continue;
            std::vector<double> n = Numbers(line.substr(at + 1, 24));
            if (!n.empty()) info.v[2 + k] = Whole(n[0]);
        }
        return;
    }
}

bool Holds(const std::vector<unsigned char> &d, const std::string &text,
           std::size_t *at = nullptr) {
    auto it = std::search(d.begin(), d.end(), text.begin(), text.end());
    if (it == d.end()) return false;
    if (at) *at = static_cast<std::size_t>(it - d.begin()) + text.size();
    return true;
}

void Binary(int type, const std::vector<unsigned char> &d, const std::string &path, Info &info) {
    std::int32_t a = 0, b = 0, c = 0, e = 0;
    switch (type) {
    case 1:
        if (Le32(d, 18, &a)) info.v[2] = a;
        if (Le32(d, 22, &b)) info.v[3] = b < 0 && b != INT32_MIN ? -b : b;
        if (Le16(d, 28) >= 0) info.v[4] = PowerOfTwo(Le16(d, 28));
        if (Le32(d, 30, &c)) info.v[5] = (c != 0 && c != 3) ? 1 : 0;
        break;
    case 2:
        if (d.size() >= 66) {
            info.v[2] = Le16(d, 8) - Le16(d, 4) + 1;
            info.v[3] = Le16(d, 10) - Le16(d, 6) + 1;
            info.v[4] = PowerOfTwo(static_cast<long long>(d[3]) * d[65]);
        }
        info.v[5] = d[1];
        break;
    case 3:
        if (Le32(d, 0, &a) && static_cast<std::uint32_t>(a) == 0x9AC6CDD7u) {
            info.v[4] = 1;
            int inch = Le16(d, 14);
            if (inch > 0) {
                int left = static_cast<std::int16_t>(Le16(d, 6)),
                    right = static_cast<std::int16_t>(Le16(d, 10));
                int top = static_cast<std::int16_t>(Le16(d, 8)),
                    bottom = static_cast<std::int16_t>(Le16(d, 12));
                info.v[2] = (right - left + 1) * 72 / inch;
                info.v[3] = (bottom - top + 1) * 72 / inch;
            }
        } else if (Le32(d, 40, &a) && a == 0x464D4520) {
            info.v[4] = 2;
            if (Le32(d, 24, &a) && Le32(d, 28, &b) && Le32(d, 32, &c) && Le32(d, 36, &e)) {
                info.v[2] = Whole((static_cast<double>(c) - a + 1) * 72 / 2540);
                info.v[3] = Whole((static_cast<double>(e) - b + 1) * 72 / 2540);
            }
        } else {
            info.v[4] = 0;
        }
        break;
    case 6: {
        // The height keeps the picture's width-to-height ratio at a width of 1000.
        float aspect = 1.0f;
        yyinfocgm_(path.c_str(), &info.v[4], &aspect, static_cast<int>(path.size()));
        info.v[2] = 1000;
        info.v[3] = aspect != 0 ? Whole(std::fabs(1000.0 / aspect) + 0.5) : -1;
        break;
    }
    case 7:
        info.v[2] = 3201;
        info.v[3] = 2312;
        yycntpic_(path.c_str(), &info.v[4], static_cast<int>(path.size()));
        break;
    case 8:
        if (Le32(d, 24, &a) && Le32(d, 28, &b) && Le32(d, 32, &c) && Le32(d, 36, &e)) {
            info.v[2] = Whole((static_cast<double>(c) - a) / 640);
            info.v[3] = Whole((static_cast<double>(e) - b) / 640);
        }
        break;
    case 11: {
        // The colour raster header: "3u" or "-3u" before "1A", behind the width part or,
        // for printers without one, straight behind ESC "*r".
        info.v[4] = Holds(d, "3u1A") ? 8 : 2;
        std::size_t at = 0;
        if (Holds(d, "\x1b*t", &at)) {
            std::string rest(d.begin() + static_cast<long>(at),
                             d.begin() + static_cast<long>(std::min(d.size(), at + 8)));
            int v = std::atoi(rest.c_str());
            if (v > 0) info.v[5] = v;
        }
        break;
    }
    case 12:
    case 13: {
        bool colour = Holds(d, std::string("\x1br\x04", 3)) || Holds(d, "\x1br4");
        info.v[4] = colour ? 8 : 0;
        std::size_t at = 0;
        if (type == 12 && Holds(d, std::string("\x1b(U\x01\x00", 5), &at) && at < d.size() &&
            d[at] > 0)
            info.v[5] = 3600 / d[at];
        break;
    }
    case 15:
        if (d.size() >= 29) {
            info.v[2] = yypngc2i(d.data() + 16);
            info.v[3] = yypngc2i(d.data() + 20);
            int depth = d[24], ctype = d[25];
            info.v[4] = (ctype == 2 || ctype == 6) ? (1 << 24)
                        : ctype == 3               ? PowerOfTwo(depth)
                                                   : -1;
            info.v[5] = d[28];
        }
        break;
    default: break;
    }
}

}  // namespace

void igrfileinfo_(const char *filename, int *info, const int *ninfo, int filename_len) {
    int n = ninfo ? *ninfo : 0;
    if (n < 1 || !info) return;
    Info result;
    std::string path = quill::ImageFileName(filename, filename_len);
    std::vector<unsigned char> head;
    if (!path.empty() && quill::ReadFileStart(path, head, 128) && head.size() >= 4) {
        int type = quill::DetectFileType(head.data(), head.size());
        result.v[1] = type;
        if (type == 4 || type == 5 || type == 10 || type == 14 || type == 16) {
            std::vector<unsigned char> text;
            QuietErrors quiet;
            quill::ReadFileStart(path, text, kTextScan);
            if (type == 4 || type == 5) PlotLanguage(text, path, type == 5, result);
            if (type == 10) PostScript(Lines(text), result);
            if (type == 14) Dxf(Lines(text), result);
            if (type == 16) Svg(Lines(text), result);
        } else if (type != -1) {
            // The counters report damaged files; file information reports nothing.
            QuietErrors quiet;
            Binary(type, head, path, result);
        }
    }
    for (int i = 1; i <= n && i <= kEntries; ++i) info[i - 1] = result.v[i];
}
