// The stroke font store and its installers.
#include "graphics/stroke_font.h"

#include <algorithm>
#include <cstring>

#include "base/errors.h"
#include "base/fixedtext.h"

namespace quill {

StrokeFontSet gStrokeFonts[2];
float gCharWidthLower[kLowerWidthCount];
float gCharWidthUpper[kUpperWidthCount];

}  // namespace quill

using namespace quill;

void yychsfont_(const float *r1, const float *r2, const float *gw, const float *gh, const int *k1,
                const int *flags, const int *k2, const int *set, const char *name, const char *text,
                const int *lower, const int *upper, int name_len, int text_len) {
    const int bits = flags != nullptr ? *flags : 0;
    const int lowerCount = (bits & 2) != 0 ? kLowerIndexCount : kLowerIndexCount - 1;
    const bool second = set != nullptr && *set == 1;
    StrokeFontSet &f = gStrokeFonts[second ? 1 : 0];
    if (r1 != nullptr) f.size1 = *r1;
    if (r2 != nullptr) f.size2 = *r2;
    if (gw != nullptr) f.gridWidth = *gw;
    if (gh != nullptr) f.gridHeight = *gh;
    if (k1 != nullptr) f.font1 = *k1;
    if (k2 != nullptr) f.font2 = *k2;
    f.has128 = (bits & 2) != 0 ? 1 : 0;
    if (!second) {
        f.flag1 = bits & 1;
        quill::PutFixedText(
            f.name, kStrokeNameLength, name != nullptr ? name : "",
            name != nullptr && name_len > 0 ? static_cast<std::size_t>(name_len) : 0);
    }
    // The set holds 17000 characters: a longer text is cut there rather than written past it.
    const int n = text != nullptr ? std::min(std::max(text_len, 0), kStrokeTextSize) : 0;
    if (n > 0) std::memcpy(f.text, text, static_cast<std::size_t>(n));
    if (lower != nullptr) std::copy(lower, lower + lowerCount, f.lower);
    if (upper != nullptr) std::copy(upper, upper + kUpperIndexCount, f.upper);
}

void yychspace_(const int *icode) {
    const int code = icode != nullptr ? *icode : 0;
    if (code == 0) {
        std::copy(kDefaultLowerWidths, kDefaultLowerWidths + kLowerWidthCount, gCharWidthLower);
        std::copy(kDefaultUpperWidths, kDefaultUpperWidths + kUpperWidthCount, gCharWidthUpper);
    } else if (code >= 32 && code <= 126) {
        gCharWidthLower[code - 32] = kDefaultLowerWidths[code - 32];
    } else if (code == 128) {
        gCharWidthLower[95] = kDefaultLowerWidths[95];
    } else if (code >= 161 && code <= 255) {
        gCharWidthUpper[code - 161] = kDefaultUpperWidths[code - 161];
    } else {
        quill::RaiseError(66);
    }
}

void wgrvfontstandard_(const int *flag) {
    const float r1 = 7.68f, r2 = 11.88f, gw = 6.0f, gh = 11.0f;
    const int k1 = 8, flags = 3, k2 = 0;
    const int set = flag != nullptr ? *flag : 0;
    static const char kName[] = "standard.chr";
    yychsfont_(&r1, &r2, &gw, &gh, &k1, &flags, &k2, &set, kName, kStandardStrokeText,
               kStandardLowerIndex, kStandardUpperIndex, static_cast<int>(sizeof kName - 1),
               kStandardStrokeLength);
}
