// Printer codes: page commands, the page walk and the row compressions of the raster printer.
#include "hardcopy/printer_codes.h"

#include "hardcopy/driver_support.h"
#include "hardcopy/printer_settings.h"

#include <algorithm>
#include <cstdio>

PrinterRaster gPrinterRaster;
PrinterPageCodes gPageCodes;

// ---------------------------------------------------------------------------------------------
// Pixel testers.

namespace {

enum class PlaneMode { Whole, Plane, Colour };

// Bit (x, y) of raster plane PLANE; false outside the raster.
inline bool RasterBit(int x, int y, int plane) {
    const PrinterRaster &r = gPrinterRaster;
    if (x < 0 || y < 0 || x >= r.width || y >= r.height || r.words == nullptr) return false;
    const std::size_t at = static_cast<std::size_t>(plane) * r.wordsPerPlane +
                           static_cast<std::size_t>(y) * static_cast<std::size_t>(r.wordsPerRow) +
                           static_cast<std::size_t>(x / 32);
    return (r.words[at] >> (x % 32)) & 1u;
}

template <bool Landscape, PlaneMode Mode>
bool Tester(const int &column, const int &row, int plane) {
    const PrinterRaster &r = gPrinterRaster;
    const int x = Landscape ? r.width - 1 - row : column;
    const int y = Landscape ? r.height - 1 - column : r.height - 1 - row;
    if (Mode == PlaneMode::Whole) return RasterBit(x, y, 0);
    if (Mode == PlaneMode::Plane) return plane >= 0 && plane < r.planes && RasterBit(x, y, plane);
    if (r.planes < 3) return plane <= 0 && RasterBit(x, y, 0);
    const bool all = RasterBit(x, y, 0) && RasterBit(x, y, 1) && RasterBit(x, y, 2);
    if (plane < 0) return all;
    return plane < 3 && !all && RasterBit(x, y, plane);
}

}  // namespace

bool yyras1_(const int &column, const int &row, int plane) {
    return Tester<true, PlaneMode::Whole>(column, row, plane);
}
bool yyras2_(const int &column, const int &row, int plane) {
    return Tester<true, PlaneMode::Plane>(column, row, plane);
}
bool yyras3_(const int &column, const int &row, int plane) {
    return gPrinterRaster.landscape ? Tester<true, PlaneMode::Colour>(column, row, plane)
                                    : Tester<false, PlaneMode::Colour>(column, row, plane);
}
bool yyras4_(const int &column, const int &row, int plane) {
    return Tester<false, PlaneMode::Plane>(column, row, plane);
}
bool yyras5_(const int &column, const int &row, int plane) {
    return Tester<false, PlaneMode::Whole>(column, row, plane);
}
bool yyras6_(const int &column, const int &row, int plane) {
    return Tester<false, PlaneMode::Whole>(column, row, plane);
}
bool yyras7_(const int &column, const int &row, int plane) {
    return Tester<true, PlaneMode::Whole>(column, row, plane);
}
bool yyras8_(const int &column, const int &row, int plane) {
    return Tester<false, PlaneMode::Colour>(column, row, plane);
}
bool yyras9_(const int &column, const int &row, int plane) {
    return Tester<true, PlaneMode::Colour>(column, row, plane);
}

PixelTester quill::RasterPixelTester(int printerClass, int bitsPerPixel, bool landscape) {
    if (printerClass >= kClassPclFirst) return landscape ? yyras2_ : yyras4_;
    if (printerClass == kClassEscP2) {
        if (bitsPerPixel > 1) return landscape ? yyras9_ : yyras8_;
        return landscape ? yyras7_ : yyras6_;
    }
    if (bitsPerPixel > 1) return yyras3_;
    return landscape ? yyras1_ : yyras5_;
}

// ---------------------------------------------------------------------------------------------
// Row compression.

namespace {

// PackBits of N bytes: a segment that starts with two or more equal bytes is a repeat run
// (header 1 - n, the byte), any other a literal run (header n - 1, n bytes) that ends before
// three equal bytes, or before two at the row's end. Runs hold at most 128 bytes. With
// SPLIT129 a repeat of 129 goes out as 127 and 2, so that no single byte is left over.
void PackBits(const unsigned char *row, int n, bool split129, std::vector<unsigned char> &out) {
    out.clear();
    out.reserve(static_cast<std::size_t>(n) + static_cast<std::size_t>(n) / 128 + 1);
    int i = 0;
    while (i < n) {
        int run = 1;
        while (i + run < n && row[i + run] == row[i]) ++run;
        if (run >= 2) {
            int take = run > 128 ? 128 : run;
            if (split129 && run == 129) take = 127;
            out.push_back(static_cast<unsigned char>(1 - take));
            out.push_back(row[i]);
            i += take;
            continue;
        }
        int j = i;
        while (j < n && j - i < 128) {
            const bool triple = j + 2 < n && row[j] == row[j + 1] && row[j] == row[j + 2];
            const bool endPair = j + 2 == n && row[j] == row[j + 1];
            if (j > i && (triple || endPair)) break;
            ++j;
        }
        out.push_back(static_cast<unsigned char>(j - i - 1));
        out.insert(out.end(), row + i, row + j);
        i = j;
    }
}

}  // namespace

int yycmpr_(const unsigned char *row, int n, int method, std::vector<unsigned char> &out) {
    n = n < 0 ? 0 : n;
    if (method == 2) {
        PackBits(row, n, false, out);
    } else {
        out.clear();
        out.reserve(2 * static_cast<std::size_t>(n));
        for (int i = 0; i < n;) {
            int run = 1;
            while (i + run < n && run < 256 && row[i + run] == row[i]) ++run;
            out.push_back(static_cast<unsigned char>(run - 1));
            out.push_back(row[i]);
            i += run;
        }
    }
    return static_cast<int>(out.size());
}

int yycmprp2_(const unsigned char *row, int n, std::vector<unsigned char> &out) {
    n = n < 0 ? 0 : n;
    PackBits(row, n, true, out);
    if (static_cast<int>(out.size()) < n) return 1;
    out.assign(row, row + n);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Page commands.

namespace {

constexpr char kEsc = '\x1b';

// V in at least WIDTH decimal digits with leading zeros; negative values count as 0.
std::string Digits(long long v, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", width, v < 0 ? 0LL : v);
    return text;
}

std::string Esc(const std::string &rest) { return std::string(1, kEsc) + rest; }

// Two bytes, low first, of V limited to 0..65535.
std::string Word(long long v) {
    v = v < 0 ? 0 : v > 65535 ? 65535 : v;
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out += static_cast<char>(b);
    return out;
}

// The bit-image command of a dot-matrix class at resolution choice CHOICE (1-based), with
// its two count bytes zero.
std::string BitImageCommand(int cls, int choice) {
    static const char kEpson[3][4] = {{'Z', 'L', 'K', 0}, {'Z', 'L', 6, 4}, {'L', 'K', 0, 0}};
    static const int kIbm[4] = {12, 11, 9, 8};
    static const int kEscP[4] = {40, 39, 33, 38};
    const int k = std::min(std::max(choice, 1), 4) - 1;
    if (cls == 4) return Esc("[g") + Word(0) + static_cast<char>(kIbm[k]);
    if (cls == 5) return Esc("*") + static_cast<char>(kEscP[k]) + Word(0);
    char c = kEpson[cls - 1][k];
    if (c == 6 || c == 4) return Esc("*") + c + Word(0);
    return Esc(std::string(1, c)) + Word(0);
}

struct Offsets {
    double x, y;  // points
};

Offsets PageOffsets(bool landscape) {
    Offsets o{static_cast<double>(quill::HardcopyOption(kOptOffsetX)),
              static_cast<double>(quill::HardcopyOption(kOptOffsetY))};
    if (landscape) std::swap(o.x, o.y);
    return o;
}

void PclHeader(PrinterPageCodes &p, const Offsets &o, int resetFlags) {
    std::string &h = p.header;
    if (resetFlags & 2) h += Esc("E");
    h += Esc("&a") + Digits(static_cast<long long>(o.x * 10), 4) + "h" +
         Digits(static_cast<long long>(o.y * 10), 4) + "V";
    h += Esc("*t") + Digits(p.resolution, 3) + "R";
    // The raster settings always follow their own introducer, so that "1A" never reaches
    // the printer as text.
    h += Esc("*r");
    if (gHardcopy.printerType > 11) h += Digits((p.columns + 7) / 8 * 8, 4) + "s";
    if (p.planes > 1) h += (p.colourKind == 1 ? "" : "-") + std::to_string(p.planes) + "u";
    h += "1A";
    if ((p.printerClass == 9 || p.printerClass == 10) && quill::HardcopyOption(kOptExtraMode) != 0)
        h += Esc("&k3W");
    if (p.compression > 0) h += Esc("*b") + std::to_string(p.compression) + "M";
    if (p.printerClass == 7 || gHardcopy.printerType == 32)
        p.trailer += Esc("&l") + Digits(std::min(quill::HardcopyOption(kOptCopies), 99), 2) + "X";
    p.trailer += Esc("*rB");
    if (resetFlags & 1) p.trailer += Esc("E");
}

void EscP2Header(PrinterPageCodes &p, const Offsets &o, int resetFlags) {
    const int unit = 3600 / p.resolution;
    p.header = Esc("@") + Esc("(G") + Bytes({1, 0, 1}) + Esc("(U") + Bytes({1, 0, unit}) +
               Esc("(V") + Bytes({2, 0}) + Word(static_cast<long long>(o.y * p.resolution / 72));
    long long left = static_cast<long long>(o.x * p.resolution / 72);
    p.leftUnits = static_cast<int>(std::min(left, 32767LL));
    p.trailer = Esc("@");
    if (resetFlags & 1) p.trailer += '\f';
}

void DotMatrixHeader(PrinterPageCodes &p, const Offsets &o, int resetFlags, int choice) {
    const int cls = p.printerClass;
    p.pins = gRasterProfile.passHeight;
    p.lineFeedUnits = gRasterProfile.codeSet;
    p.passes = cls <= 4 && p.resolution > 100 ? 2 : 1;
    p.header = Esc("U") + Bytes({1});
    long long n = static_cast<long long>(cls == 5 ? o.y * 2.5 : o.y * 3);
    if (n >= 1) p.header += Esc("J") + static_cast<char>(std::min(n, 255LL));
    if (p.passes == 1) p.header += Esc("3") + static_cast<char>(p.lineFeedUnits);
    long long left = static_cast<long long>(o.x * p.resolution / 72) * (p.pins / 8);
    p.leftBytes = static_cast<int>(std::min(left, 39999LL));
    p.bitImage = BitImageCommand(cls, choice);
    p.trailer = Esc("2");
    if (resetFlags & 1) p.trailer += '\f';
}

}  // namespace

void yypcod_(int columns, int rows) {
    PrinterPageCodes p;
    const RasterProfile &profile = gRasterProfile;
    p.printerClass = profile.printerClass;
    p.columns = columns < 0 ? 0 : columns;
    p.rows = rows < 0 ? 0 : rows;
    p.planes = gPrinterRaster.planes;
    p.colourKind = profile.colourMode;
    const int asked = gPrinterRaster.resolutionChoice > 0 ? gPrinterRaster.resolutionChoice
                                                          : quill::HardcopyOption(kOptResolution);
    const int choice = std::min(std::max(asked, 1), profile.resolutionCount);
    p.resolution = profile.resolutions[choice - 1];
    p.compression =
        std::min(std::max(quill::HardcopyOption(kOptCompression), 0), std::min(profile.variant, 2));
    const Offsets o = PageOffsets(gPrinterRaster.landscape);
    const int resetFlags = quill::HardcopyOption(kOptResetFlags);
    if (p.printerClass >= kClassPclFirst) {
        PclHeader(p, o, resetFlags);
    } else if (p.printerClass == kClassEscP2) {
        EscP2Header(p, o, resetFlags);
    } else {
        DotMatrixHeader(p, o, resetFlags, choice);
    }
    gPageCodes = p;
}

void yybitimg_(int bytes) {
    PrinterPageCodes &p = gPageCodes;
    if (p.bitImage.size() < 4) return;
    long long count = bytes < 0 ? 0 : bytes;
    if (p.pins == 24) count = (count + 2) / 3;       // columns of three bytes
    if (p.printerClass == 4) count = count * 3 + 1;  // the IBM count: data bytes and mode byte
    // ESC "*" m low high and ESC "[g" low high m carry the count at their fourth and fifth
    // bytes, ESC "K", "L" and "Z" at their third and fourth.
    const std::size_t at = p.bitImage[1] == '*' || p.bitImage[1] == '[' ? 3 : 2;
    const std::string w = Word(count);
    p.bitImage[at] = w[0];
    p.bitImage[at + 1] = w[1];
}

// ---------------------------------------------------------------------------------------------
// Page walk.

namespace {

// Output gathered and written in pieces of at most 40000 bytes; a failed write stops all
// further output.
class PageWriter {
public:
    bool ok() const { return !failed_; }
    void Add(const std::string &s) { Add(s.data(), s.size()); }
    void Add(const void *data, std::size_t n) {
        const char *c = static_cast<const char *>(data);
        while (n > 0 && !failed_) {
            std::size_t take = std::min(n, kPiece - buffer_.size());
            buffer_.append(c, take);
            c += take;
            n -= take;
            if (buffer_.size() == kPiece) Flush();
        }
    }
    void Flush() {
        if (!failed_ && !buffer_.empty()) {
            quill::WritePlotBytes(kPlotSlot, buffer_.data(), buffer_.size());
            failed_ = quill::PlotErrorFlag() != 0;
        }
        buffer_.clear();
    }

private:
    static constexpr std::size_t kPiece = 40000;
    std::string buffer_;
    bool failed_ = false;
};

// The bits of a byte in the opposite order.
unsigned char Reversed(unsigned v) {
    v &= 0xFFu;
    v = (v & 0xF0u) >> 4 | (v & 0x0Fu) << 4;
    v = (v & 0xCCu) >> 2 | (v & 0x33u) << 2;
    v = (v & 0xAAu) >> 1 | (v & 0x55u) << 1;
    return static_cast<unsigned char>(v);
}

// Printer row ROW of PLANE packed eight pixels a byte, leftmost in bit 7. A portrait row is
// a raster row as it stands: its words are turned into bytes directly, which is what the
// row testers would give pixel by pixel.
void PackRow(PixelTester tester, int columns, int row, int plane,
             std::vector<unsigned char> &bytes) {
    bytes.assign(static_cast<std::size_t>((columns + 7) / 8), 0);
    const PrinterRaster &r = gPrinterRaster;
    const bool wholeRow =
        tester == yyras4_ || ((tester == yyras5_ || tester == yyras6_) && plane == 0);
    if (wholeRow && columns == r.width && row >= 0 && row < r.height && plane >= 0 &&
        plane < r.planes && r.words != nullptr) {
        const std::uint32_t *words =
            r.words + static_cast<std::size_t>(plane) * r.wordsPerPlane +
            static_cast<std::size_t>(r.height - 1 - row) * static_cast<std::size_t>(r.wordsPerRow);
        for (std::size_t j = 0; j < bytes.size(); ++j)
            bytes[j] = Reversed(words[j / 4] >> (8 * (j % 4)));
        if (columns % 8 != 0) bytes.back() &= static_cast<unsigned char>(0xFF00u >> (columns % 8));
        return;
    }
    for (int c = 0; c < columns; ++c)
        if (tester(c, row, plane))
            bytes[static_cast<std::size_t>(c / 8)] |= static_cast<unsigned char>(0x80 >> (c % 8));
}

// The length of BYTES without its trailing zero bytes.
std::size_t UsedLength(const std::vector<unsigned char> &bytes) {
    std::size_t n = bytes.size();
    while (n > 0 && bytes[n - 1] == 0) --n;
    return n;
}

void WalkPcl(PageWriter &out, PixelTester tester) {
    const PrinterPageCodes &p = gPageCodes;
    std::vector<unsigned char> bytes, packed;
    const int padBits = (8 - p.columns % 8) % 8;
    for (int r = 0; r < p.rows && out.ok(); ++r) {
        for (int plane = 0; plane < p.planes; ++plane) {
            PackRow(tester, p.columns, r, plane, bytes);
            if (p.planes > 1 && p.colourKind == 1 && padBits > 0 && !bytes.empty())
                bytes.back() |= static_cast<unsigned char>((1u << padBits) - 1);
            const char last = plane == p.planes - 1 ? 'W' : 'V';
            if (p.compression == 0) {
                const std::size_t n = UsedLength(bytes);
                out.Add(Esc("*b") + Digits(static_cast<long long>(n), 3) + last);
                out.Add(bytes.data(), n);
            } else {
                const int n =
                    yycmpr_(bytes.data(), static_cast<int>(bytes.size()), p.compression, packed);
                out.Add(Esc("*b") + std::to_string(n) + last);
                out.Add(packed.data(), packed.size());
            }
        }
    }
}

// The colour selections of the passes of a colour line: yellow from the blue plane, magenta
// from the green plane, cyan from the red plane, then black.
struct ColourPass {
    int plane, colour;
};
constexpr ColourPass kColourPasses[4] = {{2, 4}, {1, 1}, {0, 2}, {-1, 0}};

void WalkEscP2(PageWriter &out, PixelTester tester) {
    const PrinterPageCodes &p = gPageCodes;
    const int passes = p.planes > 1 ? 4 : 1;
    const int unit = 3600 / p.resolution;
    // A row names its width in 16 bits: no row is wider than that can say.
    const int columns = std::min(p.columns, 65535);
    std::vector<unsigned char> bytes, packed;
    for (int r = 0; r < p.rows && out.ok(); ++r) {
        for (int k = 0; k < passes; ++k) {
            const int plane = passes == 1 ? 0 : kColourPasses[k].plane;
            if (passes > 1) out.Add(Esc("r") + static_cast<char>(kColourPasses[k].colour));
            PackRow(tester, columns, r, plane, bytes);
            const int n = static_cast<int>(UsedLength(bytes));
            const int c = yycmprp2_(bytes.data(), n, packed);
            const int dots = std::min(columns, n * 8);
            out.Add(Esc("\\") + Word(p.leftUnits) + Esc(".") + Bytes({c, unit, unit, 1}) +
                    Word(dots));
            out.Add(packed.data(), packed.size());
            out.Add("\r", 1);
        }
        out.Add(Esc("(v") + Bytes({2, 0, 1, 0}));
    }
}

void WalkDotMatrix(PageWriter &out, PixelTester tester) {
    PrinterPageCodes &p = gPageCodes;
    const int colourPasses = p.planes > 1 ? 4 : 1;
    const int bytesPerColumn = p.pins / 8;
    const int bandRows = p.pins * p.passes;
    // The count of a line is 16 bits: a line never holds more columns than it can name.
    const int maxBytes = p.printerClass == 4 ? 65534 : 65535 * bytesPerColumn;
    const int columns = std::max(0, std::min(p.columns, (maxBytes - p.leftBytes) / bytesPerColumn));
    std::vector<unsigned char> line;
    for (int band = 0; band * bandRows < p.rows && out.ok(); ++band) {
        for (int pass = 0; pass < p.passes; ++pass) {
            if (p.passes == 2)
                out.Add(Esc("3") + static_cast<char>(pass == 0 ? 1 : p.lineFeedUnits - 1));
            for (int k = 0; k < colourPasses; ++k) {
                const int plane = colourPasses == 1 ? 0 : kColourPasses[k].plane;
                if (colourPasses > 1)
                    out.Add(Esc("r") + static_cast<char>(kColourPasses[k].colour));
                line.assign(static_cast<std::size_t>(p.leftBytes) +
                                static_cast<std::size_t>(columns) *
                                    static_cast<std::size_t>(bytesPerColumn),
                            0);
                for (int c = 0; c < columns; ++c) {
                    unsigned char *column =
                        line.data() + p.leftBytes + static_cast<std::size_t>(c) * bytesPerColumn;
                    for (int pin = 0; pin < p.pins; ++pin) {
                        const int row = band * bandRows + pin * p.passes + pass;
                        if (row < p.rows && tester(c, row, plane))
                            column[pin / 8] |= static_cast<unsigned char>(0x80 >> (pin % 8));
                    }
                }
                std::size_t n = line.size();
                if (n <= 40000) {
                    // Cut after the last printing column: whole columns only, so that the
                    // count in columns names exactly the bytes that follow.
                    n = UsedLength(line);
                    n = (n + bytesPerColumn - 1) / bytesPerColumn * bytesPerColumn;
                }
                yybitimg_(static_cast<int>(n));
                out.Add(p.bitImage);
                out.Add(line.data(), n);
                out.Add("\r", 1);
            }
            out.Add("\n", 1);
        }
    }
}

}  // namespace

void yydump_(PixelTester tester) {
    if (tester == nullptr) return;
    PageWriter out;
    out.Add(gPageCodes.header);
    const int cls = gPageCodes.printerClass;
    if (cls >= kClassPclFirst) {
        WalkPcl(out, tester);
    } else if (cls == kClassEscP2) {
        WalkEscP2(out, tester);
    } else {
        WalkDotMatrix(out, tester);
    }
    if (out.ok()) out.Add(gPageCodes.trailer);
    out.Flush();
}
