// Small decoders of the printer languages that the raster printer writes, built from the
// languages' definitions and not from the library's encoders: PCL raster graphics (transfer
// modes 0, 1 and 2), ESC/P2 raster rows (ESC ".", PackBits) and ESC/P and IBM bit images of
// 8 and 24 pins. Each rebuilds the dots of a page so that a test can compare them with the
// raster that was drawn.
#ifndef TESTS_HARDCOPY_PRINTER_DECODERS_H
#define TESTS_HARDCOPY_PRINTER_DECODERS_H

#include <cctype>
#include "hardcopy/printer_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace printertest {

using Bytes = std::vector<unsigned char>;

// Undoes PackBits into exactly N bytes (fewer when the data ends); throws on a bad stream.
inline Bytes UnpackBits(const unsigned char *data, std::size_t size, std::size_t n,
                        std::size_t *used = nullptr) {
    Bytes out;
    std::size_t i = 0;
    while (out.size() < n && i < size) {
        const signed char h = static_cast<signed char>(data[i++]);
        if (h >= 0) {
            const std::size_t len = static_cast<std::size_t>(h) + 1;
            if (i + len > size) throw std::runtime_error("literal run past the data");
            out.insert(out.end(), data + i, data + i + len);
            i += len;
        } else if (h != -128) {
            if (i >= size) throw std::runtime_error("repeat run without its byte");
            out.insert(out.end(), static_cast<std::size_t>(1 - h), data[i++]);
        }
    }
    if (out.size() > n) throw std::runtime_error("runs overflow the row");
    if (used != nullptr) *used = i;
    return out;
}

// Undoes PCL run-length pairs (count - 1, byte).
inline Bytes UnpackPairs(const unsigned char *data, std::size_t size) {
    if (size % 2 != 0) throw std::runtime_error("odd run-length data");
    Bytes out;
    for (std::size_t i = 0; i < size; i += 2)
        out.insert(out.end(), static_cast<std::size_t>(data[i]) + 1, data[i + 1]);
    return out;
}

// ---------------------------------------------------------------------------------------------
// PCL.

struct PclPage {
    std::vector<std::string> commands;     // every escape sequence, one parameter each,
                                           // as "&a1000H" (group, value, upper-case letter)
    std::vector<std::vector<Bytes>> rows;  // raster rows, each its planes as sent
    bool Has(const std::string &c) const {
        for (auto &x : commands)
            if (x == c) return true;
        return false;
    }
    // Pixel (C, R) of PLANE: bit 7 of byte 0 is the leftmost pixel.
    bool Dot(int c, int r, int plane) const {
        if (r < 0 || r >= static_cast<int>(rows.size()) ||
            plane >= static_cast<int>(rows[r].size()))
            return false;
        const Bytes &b = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(plane)];
        const std::size_t at = static_cast<std::size_t>(c / 8);
        return at < b.size() && (b[at] >> (7 - c % 8)) & 1;
    }
};

// Parses a PCL stream: two-character escapes (ESC E) and parameterised ones (ESC, a
// character from '!' to '/', a group letter, then values each ended by a letter, lower case
// while more follow). Data follow ESC "*b" n "W" or "V". Anything outside an escape throws.
inline PclPage DecodePcl(const std::string &file) {
    PclPage page;
    int mode = 0;
    bool inRaster = false;
    std::vector<Bytes> planes;
    std::size_t i = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(file.data());
    while (i < file.size()) {
        if (data[i] != 0x1B)
            throw std::runtime_error("text outside a command at byte " + std::to_string(i));
        if (i + 1 >= file.size()) throw std::runtime_error("cut command");
        const char c1 = file[i + 1];
        if (c1 < '!' || c1 > '/') {
            page.commands.push_back(std::string(1, c1));
            i += 2;
            continue;
        }
        const char group = file[i + 2];
        i += 3;
        for (;;) {
            std::size_t start = i;
            while (i < file.size() &&
                   (std::isdigit(data[i]) || data[i] == '-' || data[i] == '+' || data[i] == '.'))
                ++i;
            if (i >= file.size()) throw std::runtime_error("cut parameter");
            const std::string value = file.substr(start, i - start);
            const char letter = static_cast<char>(std::toupper(data[i]));
            const bool more = std::islower(data[i]);
            ++i;
            page.commands.push_back(std::string(1, c1) + group + value + letter);
            const long n = value.empty() ? 0 : std::stol(value);
            if (c1 == '*' && group == 'r' && letter == 'A') inRaster = true;
            if (c1 == '*' && group == 'r' && letter == 'B') inRaster = false;
            if (c1 == '*' && group == 'b' && letter == 'M') mode = static_cast<int>(n);
            if (c1 == '*' && group == 'b' && (letter == 'W' || letter == 'V')) {
                if (!inRaster) throw std::runtime_error("row outside raster graphics");
                if (i + static_cast<std::size_t>(n) > file.size())
                    throw std::runtime_error("row past the end");
                const unsigned char *row = data + i;
                Bytes plain;
                if (mode == 0) {
                    plain.assign(row, row + n);
                } else if (mode == 1) {
                    plain = UnpackPairs(row, static_cast<std::size_t>(n));
                } else {
                    std::size_t used = 0;
                    plain = UnpackBits(row, static_cast<std::size_t>(n), 1u << 20, &used);
                    if (used != static_cast<std::size_t>(n))
                        throw std::runtime_error("row count and runs differ");
                }
                planes.push_back(plain);
                if (letter == 'W') page.rows.push_back(planes), planes.clear();
                i += static_cast<std::size_t>(n);
            }
            if (!more) break;
        }
    }
    return page;
}

// ---------------------------------------------------------------------------------------------
// ESC/P2 raster graphics and ESC/P bit images.

// Dots by colour (0 black, 1 magenta, 2 cyan, 4 yellow), each a set of (x, y) in the
// printer's units: dot columns from the left margin, vertical units from the top.
struct DotPage {
    std::map<int, std::set<std::pair<int, int>>> dots;
    std::vector<std::string> notes;  // the commands in order, by name ("U1", "J7", "3 23", ...)
    int top = 0;                     // vertical position of the first graphics (ESC/P2: (V)
    bool Dot(int colour, int x, int y) const {
        auto it = dots.find(colour);
        return it != dots.end() && it->second.count({x, y}) != 0;
    }
};

inline int Word16(const unsigned char *p) { return p[0] | p[1] << 8; }

// Passes a form feed at byte *AT of D, noted as "FF"; false when the byte is none.
inline bool FormFeed(DotPage *page, const unsigned char *d, std::size_t *at) {
    if (d[*at] != '\f') return false;
    page->notes.push_back("FF");
    ++*at;
    return true;
}

// The command character of the escape sequence at byte AT of D (SIZE bytes); throws when the
// byte is no escape or the file ends after it.
inline char EscapeCommand(const unsigned char *d, std::size_t size, std::size_t at) {
    if (d[at] != 0x1B) throw std::runtime_error("stray byte at " + std::to_string(at));
    if (at + 2 > size) throw std::runtime_error("cut command at byte " + std::to_string(at));
    return static_cast<char>(d[at + 1]);
}

// ESC/P2: ESC "@", "(G", "(U", "(V", "(v", "\", ".", "r", carriage return and form feed.
inline DotPage DecodeEscP2(const std::string &file) {
    DotPage page;
    const auto *d = reinterpret_cast<const unsigned char *>(file.data());
    const std::size_t size = file.size();
    int x = 0, y = 0, colour = 0;
    bool graphics = false;
    for (std::size_t i = 0; i < size;) {
        auto need = [&](std::size_t n) {
            if (i + n > size) throw std::runtime_error("cut command at byte " + std::to_string(i));
        };
        if (d[i] == '\r') {
            x = 0;
            ++i;
            continue;
        }
        if (FormFeed(&page, d, &i)) continue;
        const char c = EscapeCommand(d, size, i);
        if (c == '@') {
            page.notes.push_back("@");
            i += 2;
            continue;
        }
        if (c == '(') {
            need(5);
            const char k = static_cast<char>(d[i + 2]);
            const int len = Word16(d + i + 3);
            need(5 + static_cast<std::size_t>(len));
            const unsigned char *arg = d + i + 5;
            if (k == 'G') graphics = arg[0] == 1;
            if (k == 'U') page.notes.push_back("U" + std::to_string(arg[0]));
            if (k == 'V') y = Word16(arg), page.top = y;
            if (k == 'v') y += static_cast<short>(Word16(arg));
            i += 5 + static_cast<std::size_t>(len);
            continue;
        }
        if (c == '\\') {
            need(4);
            x += static_cast<short>(Word16(d + i + 2));
            i += 4;
            continue;
        }
        if (c == 'r') {
            need(3);
            colour = d[i + 2];
            i += 3;
            continue;
        }
        if (c == '.') {
            need(8);
            if (!graphics) throw std::runtime_error("raster row outside graphics mode");
            const int comp = d[i + 2], m = d[i + 5], width = Word16(d + i + 6);
            const std::size_t n =
                static_cast<std::size_t>(m) * static_cast<std::size_t>((width + 7) / 8);
            i += 8;
            Bytes row;
            if (comp == 1) {
                std::size_t used = 0;
                row = UnpackBits(d + i, size - i, n, &used);
                if (row.size() != n) throw std::runtime_error("compressed row short");
                i += used;
            } else {
                need(n);
                row.assign(d + i, d + i + n);
                i += n;
            }
            for (int k = 0; k < width; ++k)
                if ((row[static_cast<std::size_t>(k / 8)] >> (7 - k % 8)) & 1)
                    page.dots[colour].insert({x + k, y});
            x += width;
            continue;
        }
        throw std::runtime_error(std::string("unknown command ESC ") + c);
    }
    return page;
}

// ESC/P and IBM dot matrix: ESC "U", "J", "3", "2", "r", bit images ESC "K", "L", "Z" (8
// pins), ESC "*" m (modes 4 and 6 8 pins, 32 and above 24 pins), ESC "[g" (24 pins, count
// = data bytes + 1, mode byte first), carriage return, line feed, form feed. A dot is at
// (column, vertical position + pin), the pin counted from the top of the print head.
inline DotPage DecodeDotMatrix(const std::string &file) {
    DotPage page;
    const auto *d = reinterpret_cast<const unsigned char *>(file.data());
    const std::size_t size = file.size();
    int y = 0, spacing = -1, colour = 0;
    for (std::size_t i = 0; i < size;) {
        auto need = [&](std::size_t n) {
            if (i + n > size) throw std::runtime_error("cut command at byte " + std::to_string(i));
        };
        if (d[i] == '\r') {
            ++i;
            continue;
        }
        if (d[i] == '\n') {
            if (spacing < 0) throw std::runtime_error("line feed before a line spacing");
            y += spacing;
            ++i;
            continue;
        }
        if (FormFeed(&page, d, &i)) continue;
        const char c = EscapeCommand(d, size, i);
        int pins = 0, columns = 0;
        std::size_t dataAt = 0;
        switch (c) {
        case 'U':
            need(3);
            page.notes.push_back("U" + std::to_string(d[i + 2]));
            i += 3;
            continue;
        case 'J':
            need(3);
            y += d[i + 2];
            page.notes.push_back("J" + std::to_string(d[i + 2]));
            i += 3;
            continue;
        case '3':
            need(3);
            spacing = d[i + 2];
            page.notes.push_back("3 " + std::to_string(spacing));
            i += 3;
            continue;
        case '2':
            page.notes.push_back("2");
            i += 2;
            continue;
        case 'r':
            need(3);
            colour = d[i + 2];
            i += 3;
            continue;
        case 'K':
        case 'L':
        case 'Z':
            need(4);
            pins = 8;
            columns = Word16(d + i + 2);
            dataAt = i + 4;
            break;
        case '*': {
            need(5);
            const int m = d[i + 2];
            pins = m >= 32 ? 24 : 8;
            columns = Word16(d + i + 3);
            dataAt = i + 5;
            page.notes.push_back("*" + std::to_string(m));
            break;
        }
        case '[': {
            need(6);
            if (d[i + 2] != 'g') throw std::runtime_error("unknown ESC [ command");
            const int n = Word16(d + i + 3);
            if (n < 1 || (n - 1) % 3 != 0)
                throw std::runtime_error("IBM count not 3 bytes a column + 1");
            pins = 24;
            columns = (n - 1) / 3;
            page.notes.push_back("[g" + std::to_string(d[i + 5]));
            dataAt = i + 6;
            break;
        }
        default: throw std::runtime_error(std::string("unknown command ESC ") + c);
        }
        const std::size_t bytes =
            static_cast<std::size_t>(columns) * static_cast<std::size_t>(pins / 8);
        i = dataAt;
        need(bytes);
        for (int col = 0; col < columns; ++col)
            for (int pin = 0; pin < pins; ++pin)
                if ((d[i + static_cast<std::size_t>(col * (pins / 8) + pin / 8)] >> (7 - pin % 8)) &
                    1)
                    page.dots[colour].insert({col, y * 1000 + pin});
        i += bytes;
    }
    return page;
}

// ---------------------------------------------------------------------------------------------
// The raster a page was printed from, and the comparison of a printed page with it.

// A copy of a raster: W x H pixels, PLANES one-bit planes of rows of 32-bit words, bit
// (x mod 32) of word x / 32, row 0 at the bottom of the drawing.
struct PageRaster {
    int w = 0, h = 0, planes = 1, wordsPerRow = 0;
    std::vector<std::uint32_t> words;
    PageRaster() = default;
    PageRaster(int width, int height, int nplanes)
        : w(width),
          h(height),
          planes(nplanes),
          wordsPerRow((width + 31) / 32),
          words(static_cast<std::size_t>(wordsPerRow) * static_cast<std::size_t>(height * nplanes),
                0) {}
    std::size_t PlaneWords() const {
        return static_cast<std::size_t>(wordsPerRow) * static_cast<std::size_t>(h);
    }
    std::size_t At(int x, int y, int plane) const {
        return plane * PlaneWords() +
               static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow) +
               static_cast<std::size_t>(x / 32);
    }
    void Set(int x, int y, int plane) { words[At(x, y, plane)] |= 1u << (x % 32); }
    bool Get(int x, int y, int plane) const { return (words[At(x, y, plane)] >> (x % 32)) & 1u; }
    // Printer pixel (C, R) from the top left of the paper: portrait reads the raster from its
    // top row down, landscape turns the drawing a quarter counter-clockwise.
    bool Printed(int c, int r, int plane, bool landscape) const {
        const int x = landscape ? w - 1 - r : c, y = landscape ? h - 1 - c : h - 1 - r;
        return Get(x, y, plane);
    }
    // Whether ink COLOUR (0 black, 1 magenta, 2 cyan, 4 yellow) goes at (C, R) on a printer
    // that mixes its colours: black where all three planes are set.
    bool Ink(int colour, int c, int r, bool landscape) const {
        if (planes == 1) return colour == 0 && Printed(c, r, 0, landscape);
        const bool all = Printed(c, r, 0, landscape) && Printed(c, r, 1, landscape) &&
                         Printed(c, r, 2, landscape);
        if (colour == 0) return all;
        const int plane = colour == 4 ? 2 : colour == 1 ? 1 : 0;
        return !all && Printed(c, r, plane, landscape);
    }
};

// What a comparison needs to know of the printer and the page.
struct PrinterSetup {
    int printerClass = 7;  // 1-10
    int resolution = 300;  // dots per inch across
    int pins = 1, lineFeedUnits = 0;
    int colourMode = 0;               // 1 RGB, 2 CMY
    double offsetX = 0, offsetY = 0;  // points, as the paper sees them
    bool landscape = false;
};

// The setup of the printer type selected now (iprinter_) at RESOLUTION dots per inch, with
// the page offsets in points as the paper sees them (exchanged for landscape already).
inline PrinterSetup SetupOfProfile(int resolution, double offsetX, double offsetY, bool landscape) {
    PrinterSetup s;
    s.printerClass = gRasterProfile.printerClass;
    s.resolution = resolution;
    s.pins = gRasterProfile.passHeight;
    s.lineFeedUnits = gRasterProfile.codeSet;
    s.colourMode = gRasterProfile.colourMode;
    s.offsetX = offsetX, s.offsetY = offsetY;
    s.landscape = landscape;
    return s;
}

// "" when the page in FILE prints exactly RASTER, else what differs first.
inline std::string PrintedDifference(const std::string &file, const PageRaster &raster,
                                     const PrinterSetup &s) {
    const int columns = s.landscape ? raster.h : raster.w, rows = s.landscape ? raster.w : raster.h;
    const int cls = s.printerClass, res = s.resolution;
    try {
        if (cls >= 7) {
            const PclPage page = DecodePcl(file);
            if (page.rows.size() != static_cast<std::size_t>(rows))
                return "rows " + std::to_string(page.rows.size()) + " of " + std::to_string(rows);
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < (columns + 7) / 8 * 8; ++c)
                    for (int p = 0; p < raster.planes; ++p) {
                        const bool pad = c >= columns && raster.planes > 1 && s.colourMode == 1;
                        if ((c < columns ? raster.Printed(c, r, p, s.landscape) : pad) !=
                            page.Dot(c, r, p))
                            return "pixel " + std::to_string(c) + "," + std::to_string(r) +
                                   " plane " + std::to_string(p);
                    }
            return "";
        }
        DotPage page;
        std::function<std::pair<int, int>(int, int)> place;
        if (cls == 6) {
            page = DecodeEscP2(file);
            const int left = static_cast<int>(s.offsetX * res / 72),
                      top = static_cast<int>(s.offsetY * res / 72);
            if (page.top != top)
                return "top " + std::to_string(page.top) + " not " + std::to_string(top);
            place = [=](int c, int r) { return std::pair<int, int>{left + c, top + r}; };
        } else {
            page = DecodeDotMatrix(file);
            const int pins = s.pins, lfu = s.lineFeedUnits, passes = cls <= 4 && res > 100 ? 2 : 1;
            const int top =
                std::min(static_cast<int>(cls == 5 ? s.offsetY * 2.5 : s.offsetY * 3), 255);
            const int left = static_cast<int>(s.offsetX * res / 72);
            if (page.notes.empty() || page.notes[0] != "U1")
                return "no unidirectional printing first";
            // Row r lies in band r / (pins x passes), pass r % passes, pin (r / passes) % pins.
            place = [=](int c, int r) {
                const int band = r / (pins * passes), pass = r % passes, pin = (r / passes) % pins;
                return std::pair<int, int>{left + c, (top + band * lfu + pass) * 1000 + pin};
            };
        }
        std::map<int, std::set<std::pair<int, int>>> expected;
        for (int colour : raster.planes > 1 ? std::vector<int>{0, 1, 2, 4} : std::vector<int>{0})
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c)
                    if (raster.Ink(colour, c, r, s.landscape)) expected[colour].insert(place(c, r));
        for (auto &d : page.dots)
            if (!d.second.empty() && expected[d.first] != d.second)
                return "dots of colour " + std::to_string(d.first);
        for (auto &e : expected)
            if (!e.second.empty() && page.dots[e.first] != e.second)
                return "dots of colour " + std::to_string(e.first);
        return "";
    } catch (const std::exception &e) {
        return e.what();
    }
}

}  // namespace printertest

#endif
