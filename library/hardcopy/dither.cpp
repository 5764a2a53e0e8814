// Dither patterns of colour levels.
#include "hardcopy/dither.h"

#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/hardcopy_state.h"

#include <initializer_list>

namespace {

int gStored[256];
bool gStoredReady = false;

std::uint32_t Byte(std::uint32_t word, int j) { return (word >> (8 * j)) & 0xFFu; }

std::uint32_t RotateByte(std::uint32_t c, int by) {
    by %= 8;
    return ((c << by) | (c >> (8 - by))) & 0xFFu;
}

// Spreads the rows of a pattern: a row equal to an earlier one is rotated, so that equal rows
// do not stack their dots into vertical stripes.
std::uint32_t SpreadRows(std::uint32_t word, int k) {
    std::uint32_t b[4];
    for (int j = 0; j < 4; ++j) b[j] = Byte(word, j);
    for (int i = 0; i < 4; ++i) {
        std::uint32_t c = b[i];
        if (c == 0 || c == 0xFF) continue;
        for (int m = i + 1; m < 4; ++m) {
            if (b[m] != c) continue;
            b[m] = RotateByte(b[m], k + 2);
            for (int p = 0; p < m; ++p)
                if (b[p] == b[m]) b[p] = RotateByte(b[p], k + 1);
        }
    }
    return b[0] | (b[1] << 8) | (b[2] << 16) | (b[3] << 24);
}

}  // namespace

std::uint32_t quill::DitherPattern(double level, int k) {
    if (!(level > 0.0)) level = 0.0;
    if (level > 0.975) return 0xFFFFFFFFu;
    int n = static_cast<int>(32.0 * level + 0.5);
    if (n <= 0) return 0;  // nothing to set: no run and no gap can be formed
    if (n >= 32) return 0xFFFFFFFFu;
    int run = n / (32 - n);
    int gap = (32 - n) / n;
    if (run < 1) run = 1;
    if (gap < 1) gap = 1;
    std::uint32_t word = 0;
    int set = 0;
    int pos = ((k + 2) * (n / (k + 1))) % 32;
    int inrun = 0;
    for (int pass = 0; pass < 8 && set < n; ++pass) {
        for (int attempt = 0; attempt < 4 && set < n; ++attempt) {
            std::uint32_t bit = 1u << pos;
            if (word & bit) {
                pos = (pos + gap) % 32;
                inrun = 0;
                continue;
            }
            word |= bit;
            ++set;
            if (++inrun >= run) {
                pos = (pos + 1 + gap) % 32;
                inrun = 0;
            } else {
                pos = (pos + 1) % 32;
            }
        }
    }
    for (int i = 0; set < n && i < 16; ++i) {
        for (int bitno : {i, 31 - i}) {
            if (set < n && !(word & (1u << bitno))) {
                word |= 1u << bitno;
                ++set;
            }
        }
    }
    return SpreadRows(word, k);
}

void quill::DitherColour(int r, int g, int b, int ncolours, std::uint32_t patterns[3]) {
    if (ncolours <= 2) {
        double grey = (0.35 * r + 0.59 * g + 0.11 * b) / 255.0;
        patterns[0] = DitherPattern(grey, 1);
        patterns[1] = patterns[2] = 0;
        return;
    }
    int hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
    int lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
    patterns[0] = DitherPattern(r / 255.0, 1);
    if (hi - lo < 4) {
        patterns[1] = patterns[2] = patterns[0];
    } else {
        patterns[1] = DitherPattern(g / 255.0, 2);
        patterns[2] = DitherPattern(b / 255.0, 3);
    }
}

int *quill::StoredPatterns() {
    if (!gStoredReady) {
        for (int &p : gStored) p = -1;
        gStoredReady = true;
    }
    return gStored;
}

void yydith_(const int *kind, int *pattern1, int *pattern2, int *pattern3) {
    quill::DitherPatterns(gGraphics.colour, kind != nullptr ? *kind : 0, pattern1, pattern2,
                          pattern3);
}

void quill::DitherPatterns(const GraphicsColour &colour, int kind, int *pattern1, int *pattern2,
                           int *pattern3) {
    int rgb = colour.rgb;
    int r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    int rule = HardcopyOptionSlot(6);
    bool dark = r < 10 && g < 10 && b<10, light = r> 245 && g > 245 && b > 245;
    if (rule == 1 || (rule == 2 && (dark || light))) r = 255 - r, g = 255 - g, b = 255 - b;
    int ncolours = gHardcopy.deviceColours;
    if (kind == 2 && ncolours > 2) r = 255 - r, g = 255 - g, b = 255 - b;
    std::uint32_t p[3];
    DitherColour(r, g, b, ncolours, p);
    if (ncolours <= 2) {
        if (rule >= 1) p[0] = ~p[0];
        int index = colour.index;
        if (gGraphics.colourModel == kColourPalette && index >= 0 && index < 256 &&
            StoredPatterns()[index] != -1)
            p[0] = static_cast<std::uint32_t>(StoredPatterns()[index]);
    }
    *pattern1 = static_cast<int>(p[0]);
    *pattern2 = static_cast<int>(p[1]);
    *pattern3 = static_cast<int>(p[2]);
}
