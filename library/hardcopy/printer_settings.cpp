// Printer, plotter and HP-GL/2 settings.
#include "hardcopy/printer_settings.h"

#include "hardcopy/hardcopy_state.h"

#include <cstring>

RasterProfile gRasterProfile = {7, 1, 0, 2, {300, 150, 100, 75}, 4, 1, 23};

namespace {

const char *const kDescriptors[37] = {"M1M0 ", "F1M0 ", "F1M0 ", "F1M0 ", "F1M0 ",
                                      "M1M0 ", "M1M0 ", "S1M0 ", "L1M0 ", "L1M0 ",  // 2-11
                                      "M1M0 ", "P3R1 ", "D1M2 ", "M1M0 ", "M1M0 ",
                                      "Q1M0 ", "Q1M0 ", "X1M0 ", "X1M0 ", "D3R2 ",  // 12-21
                                      "D1M2 ", "F3C0 ", "F3C0 ", "Q3C0 ", "Q3C0 ",
                                      nullptr, "L1M22", "41M22", "33R1 ", "D3C2 ",  // 22-31
                                      "D3C22", "51M2 ", "53C2 ", "L3C22", "21M1 ",
                                      "23C1 ", "43C22"};  // 32-38

struct ClassRow {
    int resolutions[4];
    int count;
    int passHeight;
    int codeSet;  // 0: unchanged
    int becomes;  // 0: stays
};

const ClassRow kClasses[12] = {
    {{240, 120, 60, 0}, 3, 8, 23, 0},    {{240, 120, 90, 80}, 4, 8, 23, 0},
    {{160, 80, 0, 0}, 2, 8, 22, 0},      {{360, 180, 120, 60}, 4, 24, 29, 0},
    {{360, 180, 120, 90}, 4, 24, 24, 0}, {{720, 360, 180, 0}, 3, 1, 0, 0},
    {{300, 150, 100, 75}, 4, 1, 0, 0},   {{300, 150, 100, 75}, 4, 1, 0, 0},
    {{180, 90, 0, 0}, 2, 1, 0, 0},       {{300, 150, 100, 75}, 4, 1, 0, 0},
    {{600, 300, 200, 150}, 4, 1, 0, 7},  {{300, 150, 75, 0}, 3, 1, 0, 8}};

}  // namespace

const char *quill::PrinterDescriptor(int type) {
    if (type < 2 || type > 38) return nullptr;
    return kDescriptors[type - 2];
}

void iprinter_(const int *type) {
    int t = type ? *type : 0;
    if (quill::PrinterDescriptor(t) != nullptr) {
        gHardcopy.printerType = t;
        gHardcopy.printerTypeSet = 1;
    } else {
        gHardcopy.printerType = 28;
    }
    const char *d = quill::PrinterDescriptor(gHardcopy.printerType);
    const char *at = std::strchr("MFSXQ2LDP345", d[0]);
    int cls = static_cast<int>(at - "MFSXQ2LDP345") + 1;
    RasterProfile p = gRasterProfile;
    p.planes = d[1] - '0';
    p.colourMode = d[2] == 'R' ? 1 : d[2] == 'C' ? 2 : 0;
    p.variant = d[3] - '0';
    if (cls <= 5) {
        p.passHeight = 8;
        p.codeSet = 23;
    } else {
        p.passHeight = 1;
    }
    const ClassRow &row = kClasses[cls - 1];
    for (int k = 0; k < 4; ++k) p.resolutions[k] = row.resolutions[k];
    p.resolutionCount = row.count;
    p.passHeight = row.passHeight;
    if (row.codeSet != 0) p.codeSet = row.codeSet;
    p.printerClass = row.becomes != 0 ? row.becomes : cls;
    gRasterProfile = p;
    if (d[4] == '2' && gHardcopy.hpgl2ModeSet == 0) {
        const int derive = 0;
        iprinter2_(&derive);
    }
}

void iprinter2_(const int *mode) {
    int m = mode ? *mode : 0;
    if (m >= 1 && m <= 5) {
        gHardcopy.hpgl2Mode = m;
        gHardcopy.hpgl2ModeSet = 1;
        return;
    }
    int t = gHardcopy.printerType;
    gHardcopy.hpgl2Mode = t == 32 || t == 35 ? 2 : t == 29 ? 3 : t == 38 ? 5 : 1;
}

void iplotter_(const int *type) {
    int t = type ? *type : 0;
    if (t >= 1 && t <= 10) {
        gHardcopy.plotterType = t;
        gHardcopy.plotterTypeSet = 1;
    } else if (t >= 11 && t <= 15) {
        gHardcopy.hpgl2Mode = t - 10;
        gHardcopy.hpgl2ModeSet = 1;
        gHardcopy.plotterType = 1;
    } else {
        gHardcopy.plotterType = 1;
    }
}
