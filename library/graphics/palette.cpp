// The library's palette and colour tables, and the routines that set the current colour.
#include "graphics/palette.h"

#include <cmath>

#include "base/errors.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "quillamorph/graphics.h"

PaletteTables gPalette = {};

namespace {

// The palette as sixteen runs of 16 entries: the channels a run sets (bit 0 red, 1 green,
// 2 blue), the channel value of its first entry and the step per entry.
struct PaletteRun {
    int channels, first, step;
};
constexpr PaletteRun kRuns[16] = {{7, 0xFF, -4}, {1, 0xC3, 4},  {1, 0x83, 4},  {3, 0xC3, 4},
                                  {3, 0x83, 4},  {2, 0xC3, 4},  {2, 0x83, 4},  {6, 0xC3, 4},
                                  {6, 0x83, 4},  {4, 0xC3, 4},  {4, 0x83, 4},  {5, 0xC3, 4},
                                  {5, 0x83, 4},  {7, 0x3C, -4}, {7, 0x7C, -4}, {7, 0xBF, -4}};

constexpr int k8ColourEntries[8] = {0, 159, 95, 127, 31, 191, 63, 223};
constexpr int k16ColourEntries[16] = {0,   175, 111, 143, 47, 207, 79, 239,
                                      240, 159, 95,  127, 31, 191, 63, 223};
// Position in the 8-colour table of each hue sector.
constexpr int kSectorMap[8] = {0, 4, 6, 2, 3, 1, 5, 7};

int Red(int rgb) { return rgb & 0xFF; }
int Green(int rgb) { return (rgb >> 8) & 0xFF; }
int Blue(int rgb) { return (rgb >> 16) & 0xFF; }

// The library's colour count N.
int Colours() { return gGraphics.displayColours; }

// Hue sector 0-7 of palette entry INDEX.
int HueSector(int index) { return (index + 16) / 32 - ((index + 16) / 256) * 8; }

void Hsv(int rgb, float *hue, float *saturation, float *value) {
    const float r = static_cast<float>(Red(rgb)) / 255.0f;
    const float g = static_cast<float>(Green(rgb)) / 255.0f;
    const float b = static_cast<float>(Blue(rgb)) / 255.0f;
    const float mx = std::fmax(r, std::fmax(g, b)), mn = std::fmin(r, std::fmin(g, b));
    *value = mx;
    *saturation = mx > 0 ? (mx - mn) / mx : 0.0f;
    *hue = 0.0f;
    if (*saturation == 0) return;
    const float span = mx - mn;
    const float cr = (mx - r) / span, cg = (mx - g) / span, cb = (mx - b) / span;
    auto equal = [](float a, float c) { return std::fabs(a - c) < 0.039f; };
    float h;
    if (equal(r, mx)) {
        h = equal(g, mn) ? 5 + cb : 1 - cg;
    } else if (equal(g, mx)) {
        h = equal(b, mn) ? 1 + cr : 3 - cb;
    } else {
        h = equal(r, mn) ? 3 + cg : 5 - cr;
    }
    *hue = static_cast<float>(60.0 * h * (3.14159265358979323846 / 180.0));
}

// Hue, saturation and value of entry INDEX from its RGB.
void Derive(int index) {
    float h, s, v;
    Hsv(gPalette.palette[index], &h, &s, &v);
    gPalette.hueCos[index] = std::cos(h);
    gPalette.hueSin[index] = std::sin(h);
    gPalette.saturation[index] = s;
    gPalette.value[index] = v;
}

// Looks up entry INDEX of TABLE with SIZE entries into RGB; 0 outside.
void TableEntry(const int *table, int size, const int *index, int *rgb) {
    if (rgb == nullptr) return;
    *rgb = index != nullptr && *index >= 0 && *index < size ? table[*index] : 0;
}

}  // namespace

namespace quill {

int LibraryColour(int n, int i) {
    if (i < 0 || i >= n) return -1;
    if (n <= 16) return i < 16 ? gPalette.table16[i] : -1;
    return i < kMaxTableColours ? gPalette.table32[i] : -1;
}

void ColourRule(int rule, int *r, int *g, int *b) {
    if (r == nullptr || g == nullptr || b == nullptr) return;
    const bool dark = *r < 10 && *g < 10 && *b < 10;
    const bool light = *r > 245 && *g > 245 && *b > 245;
    if (rule == 1 || (rule == 2 && (dark || light))) {
        *r = 255 - *r;
        *g = 255 - *g;
        *b = 255 - *b;
    }
}

}  // namespace quill

void yypalg_(const int *index, int *rgb) {
    TableEntry(gPalette.palette, kPaletteEntries, index, rgb);
}
void yypalg8_(const int *index, int *rgb) { TableEntry(gPalette.table8, 8, index, rgb); }
void yypalg16_(const int *index, int *rgb) { TableEntry(gPalette.table16, 16, index, rgb); }
void yypalg32_(const int *index, int *rgb) {
    TableEntry(gPalette.table32, kMaxTableColours, index, rgb);
}

void wrgbsplit_(const int *rgb, int *r, int *g, int *b) {
    const int value = rgb != nullptr ? *rgb : 0;
    if (r != nullptr) *r = Red(value);
    if (g != nullptr) *g = Green(value);
    if (b != nullptr) *b = Blue(value);
}

void yypalrgb_(const int *colour, int *r, int *g, int *b) {
    if (colour == nullptr) return;
    int rgb = *colour;
    if (gGraphics.colourModel == kColourPalette && rgb >= 0 && rgb < kPaletteEntries) {
        rgb = gPalette.palette[rgb];
    }
    wrgbsplit_(&rgb, r, g, b);
}

void yypali_() {
    for (int run = 0; run < 16; ++run) {
        const PaletteRun &p = kRuns[run];
        for (int i = 0; i < 16; ++i) {
            const int c = p.first + p.step * i;
            gPalette.palette[run * 16 + i] = ((p.channels & 1) ? c : 0) |
                                             ((p.channels & 2) ? c << 8 : 0) |
                                             ((p.channels & 4) ? c << 16 : 0);
        }
    }
    for (int k = 0; k < 8; ++k) gPalette.table8[k] = gPalette.palette[k8ColourEntries[k]];
    for (int k = 0; k < 16; ++k) gPalette.table16[k] = gPalette.palette[k16ColourEntries[k]];
    const int n = Colours();
    if (n >= 32 && n <= kMaxTableColours) {
        const int step = kPaletteEntries / n;
        for (int k = 0; k < n; ++k) {
            const int p = k * step;
            gPalette.table32[k] = gPalette.palette[p >= 16 && p <= 239 ? p + step - 1 : p];
        }
    }
    for (int i = 0; i < kPaletteEntries; ++i) Derive(i);
}

int yycoln_(const int *sector, const int * /*row*/) {
    const int s = sector != nullptr ? *sector : -1;
    if (s < 0 || s > 15) return -1;
    return kSectorMap[s % 8] + (s >= 8 ? 8 : 0);
}

void yypals_(const int *index, const int *rgb) {
    if (index == nullptr || rgb == nullptr || *index < 0 || *index >= kPaletteEntries) return;
    const int i = *index;
    gPalette.palette[i] = *rgb;
    const int s = HueSector(i);
    const int b = yycoln_(&s, nullptr);
    gPalette.table8[b] = *rgb;
    gPalette.table16[((i / 16) % 2 == 1) ? b + 8 : b] = *rgb;
    const int n = Colours();
    if (n >= 32 && n <= kMaxTableColours) gPalette.table32[i * n / kPaletteEntries] = *rgb;
    Derive(i);
}

void yyrgbhsv_(const int *rgb, float *hue, float *saturation, float *value) {
    float h = 0, s = 0, v = 0;
    Hsv(rgb != nullptr ? *rgb : 0, &h, &s, &v);
    if (hue != nullptr) *hue = h;
    if (saturation != nullptr) *saturation = s;
    if (value != nullptr) *value = v;
}

void yyrgbto8_(const int *rgb, int *index) {
    if (rgb == nullptr || index == nullptr) return;
    for (int i = 0; i < kPaletteEntries; ++i) {
        if (gPalette.palette[i] == *rgb) {
            *index = i;
            return;
        }
    }
    float h, s, v;
    Hsv(*rgb, &h, &s, &v);
    const float x = s * v * std::cos(h), y = s * v * std::sin(h);
    int best = 0;
    float bestDistance = INFINITY;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const float sv = gPalette.saturation[i] * gPalette.value[i];
        const float dx = sv * gPalette.hueCos[i] - x, dy = sv * gPalette.hueSin[i] - y;
        const float dv = gPalette.value[i] - v;
        const float d = dx * dx + dy * dy + dv * dv;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    *index = best;
}

int yycnum_(const int *index) {
    const int i = index != nullptr ? *index : 0;
    const int n = Colours();
    if (n >= kPaletteEntries) return ((i % 256) + 256) % 256;
    if (i == 0) return 0;
    if (n <= 2) return 1;
    const int s = HueSector(i);
    if (n <= 8) return yycoln_(&s, nullptr);
    if (n == 16) return yycoln_(&s, nullptr) - ((i + 16) % 32) / 16 * 8 + 8;
    return i * n / kPaletteEntries;
}

void yycon_(const int *index, const int *rgb, const int *device, const int *sides) {
    GraphicsState &g = gGraphics;
    g.prevColour = g.colour;
    g.colour.index = index != nullptr ? *index : 0;
    g.colour.rgb = rgb != nullptr ? *rgb : 0;
    g.colour.device = device != nullptr ? *device : 0;
    const int s = sides != nullptr ? *sides : 0;
    if (s == 2) {
        quill::SendOp(kOpColour, kSideHardcopy);
    } else if (s == 1) {
        quill::SendOp(kOpColour, kSideDrawing);
    } else {
        quill::SendOp(kOpColour, kSideBoth);
    }
}

void igrcolourn_(const int *colour) {
    if (colour == nullptr) return;
    int index, rgb;
    if (gGraphics.colourModel == kColourPalette) {
        if (*colour < 0 || *colour >= kPaletteEntries) {
            quill::RaiseError(42);
            return;
        }
        index = *colour;
        rgb = gPalette.palette[index];
    } else {
        // Only the low 24 bits make a colour; higher bits would reach the window system as a
        // palette-index colour.
        rgb = *colour & 0xFFFFFF;
        yyrgbto8_(&rgb, &index);
    }
    const int device = yycnum_(&index);
    yycon_(&index, &rgb, &device, nullptr);
}

void igrcolourmodel_(const int *model) {
    gGraphics.colourModel = model != nullptr && *model == 24 ? kColourRgb : kColourPalette;
}
