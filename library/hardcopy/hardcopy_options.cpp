// The hardcopy options and igrhardcopyoptions_.
#include "hardcopy/hardcopy_options.h"

#include "base/fixedtext.h"
#include "base/strings.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "hardcopy/hardcopy_state.h"
#include "hardcopy/printer_settings.h"
#include "quillamorph/hardcopy.h"

#include <algorithm>
#include <cstring>
#include <string>

int &quill::HardcopyOptionSlot(int n) {
    static int scratch;
    if (n >= 1 && n <= kHardcopyOptions) return gHardcopy.options[n - 1];
    if (n >= 101 && n <= 100 + kHardcopyMoreOptions) return gHardcopy.moreOptions[n - 101];
    scratch = 0;
    return scratch;
}

void quill::ClearHardcopyOptions() {
    std::memset(gHardcopy.options, 0, sizeof gHardcopy.options);
    std::memset(gHardcopy.moreOptions, 0, sizeof gHardcopy.moreOptions);
}

void yydefh_(void) {
    static const int kDefaults[][2] = {{6, 0},        {7, 0},   {8, 1},    {9, 5},    {10, 0},
                                       {11, 0},       {17, 0},  {101, 80}, {102, 60}, {103, 1},
                                       {104, 999999}, {105, 1}, {106, 0},  {107, 0},  {108, 8}};
    for (const auto &d : kDefaults) quill::HardcopyOptionSlot(d[0]) = d[1];
}

void quill::RewriteFileExtension(char *name, int name_len, const char *ext) {
    int len = TrimmedTextLength(name, name_len);
    if (len == 0) return;
    int dot = -1;
    for (int k = len - 1; k >= 0; --k) {
        if (name[k] == '.') {
            dot = k;
            break;
        }
    }
    // A dot inside the folder part starts no extension.
    if (dot >= 0 && static_cast<std::size_t>(dot) <
                        quill::FolderPartLength(name, static_cast<std::size_t>(len)))
        dot = -1;
    int at = dot >= 0 ? dot : len;
    int extlen = static_cast<int>(std::strlen(ext));
    if (at + extlen > name_len) return;  // no room: the name stays as it is
    std::memcpy(name + at, ext, static_cast<std::size_t>(extlen));
    for (int k = at + extlen; k < name_len; ++k) name[k] = ' ';
}

namespace {

void SendHardcopy(int op) { quill::SendOp(op, kSideHardcopy); }

}  // namespace

void igrhardcopyoptions_(const int *code, const int *value) {
    if (code == nullptr || value == nullptr) return;
    // Graphics initialisation with option "P" keeps the options only once a program set some.
    gHardcopy.optionsSet = 1;
    const int c = *code, v = *value;
    switch (c) {
    case 1:
    case 2:
        if (v > 0) quill::HardcopyOptionSlot(c) = v;
        break;
    case 3:
    case 4:
    case 7:
    case 15:
    case 17:
    case 18:
    case 19:
    case 20:
    case 25:
    case 27:
    case 28:
    case 29:
    case 106:
    case 107: quill::HardcopyOptionSlot(c) = v; break;
    case 5: {
        if (v < 0 || v > 3) break;
        quill::HardcopyOptionSlot(5) = v % 2;
        int &w = quill::HardcopyOptionSlot(1), &h = quill::HardcopyOptionSlot(2);
        if ((v == 2 && w > h) || (v == 3 && w < h)) std::swap(w, h);
        break;
    }
    case 6:
        if (v >= 0 && v <= 2) quill::HardcopyOptionSlot(6) = v;
        break;
    case 8: quill::HardcopyOptionSlot(8) = std::max(v, 1); break;
    case 9:
        quill::HardcopyOptionSlot(9) = std::max(v, 1);
        SendHardcopy(kOpLineWidth);
        break;
    case 10:
        if (v < 0 || v > 2) break;
        quill::HardcopyOptionSlot(10) = v;
        quill::SetLineJoin(v);
        SendHardcopy(kOpLineJoin);
        break;
    case 11:
        if (v < 0 || v > 2) break;
        quill::HardcopyOptionSlot(11) = v;
        quill::SetLineCap(v);
        SendHardcopy(kOpLineCap);
        break;
    case 12: quill::HardcopyOptionSlot(12) = std::max(v, 100); break;
    case 13:
        if (v >= 1 && v <= gRasterProfile.resolutionCount) quill::HardcopyOptionSlot(13) = v;
        break;
    case 16:
        if (v >= 10 && v <= 255) quill::HardcopyOptionSlot(16) = v;
        break;
    case 21:
        if (v >= 1 && v <= 127) quill::HardcopyOptionSlot(21) = v;
        break;
    case 22:
        quill::HardcopyOptionSlot(22) = v;
        if (gHardcopy.driver == kDevicePostScript)
            quill::RewriteFileExtension(gHardcopy.defaultName, kHardcopyNameLength,
                                        v == 0 ? ".ps" : ".eps");
        break;
    case 23:
        if ((gHardcopy.driver == kDeviceImageFile && (v == 1 || v == 4 || v == 8 || v == 24)) ||
            (gHardcopy.driver == kDeviceDxf && (v == 3 || v == 4 || v == 8)))
            quill::HardcopyOptionSlot(23) = v;
        break;
    case 24:
        if (v >= 0 && v <= std::min(gRasterProfile.variant, 2)) quill::HardcopyOptionSlot(24) = v;
        break;
    case 26:
        quill::HardcopyOptionSlot(26) = v;
        if (gHardcopy.driver == kDeviceImageFile)
            quill::RewriteFileExtension(gHardcopy.defaultName, kHardcopyNameLength,
                                        v == 1 || v == 2 ? ".bmp"
                                        : v == 3         ? ".png"
                                                         : ".pcx");
        break;
    case 101:
    case 102:
    case 103:
    case 104:
    case 108:
        if (v > 0) quill::HardcopyOptionSlot(c) = v;
        break;
    case 105:
        if (v >= 1 && v <= 4) quill::HardcopyOptionSlot(105) = v;
        break;
    default: break;
    }
}
