// Helpers shared by the hardcopy file drivers.
#include "hardcopy/driver_support.h"

#include "base/fixedtext.h"
#include "hardcopy/hardcopy_options.h"
#include "hardcopy/image_read.h"

#include <algorithm>
#include <cmath>

int quill::HardcopyOption(int n) { return HardcopyOptionSlot(n); }

void quill::SetHardcopyPageDefaults(int width, int height, int xoffset, int yoffset,
                                    int landscape) {
    if (gOperands.Id(1) != kOpInitKeepOptions) {
        yydefh_();
        HardcopyOptionSlot(kOptPageWidth) = width;
        HardcopyOptionSlot(kOptPageHeight) = height;
        HardcopyOptionSlot(kOptOffsetX) = xoffset;
        HardcopyOptionSlot(kOptOffsetY) = yoffset;
        HardcopyOptionSlot(kOptLandscape) = landscape;
    }
}

void quill::SetHardcopyDeviceWords(int device, int colours, const char *capabilities,
                                   int printCommand, const char *defaultName) {
    (void)device;
    gHardcopy.deviceColours = colours;
    gHardcopy.printCommand = printCommand;
    gHardcopy.pageWidth = static_cast<float>(HardcopyOption(kOptPageWidth));
    gHardcopy.pageHeight = static_cast<float>(HardcopyOption(kOptPageHeight));
    PutFixedText(gHardcopy.defaultName, kHardcopyNameLength, defaultName);
    quill::DescribeDevice(capabilities, 2, colours > 256 ? 1 : 0, 1);
}

void quill::WriteHardcopyLine(const std::string &text) {
    if (HardcopyOption(kOptLinePrefix) == 1) WritePlotBytes(kPlotSlot, " ", 1);
    if (!PlotErrorFlag()) WritePlotLine(kPlotSlot, text);
}

std::string quill::CompactBlanks(const std::string &text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        if (c == ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

void quill::ApplyColourRule(int mode, int &r, int &g, int &b) {
    bool dark = r < 10 && g < 10 && b<10, light = r> 245 && g > 245 && b > 245;
    if (mode == 1 || (mode == 2 && (dark || light))) r = 255 - r, g = 255 - g, b = 255 - b;
}

void yywin1_(int *r, int *g, int *b) {
    quill::ApplyColourRule(quill::HardcopyOption(kOptColourRule), *r, *g, *b);
}

void yywmf1_(int *r, int *g, int *b) { yywin1_(r, g, b); }

void quill::SplitRgb(int rgb, int &r, int &g, int &b) {
    r = rgb & 0xFF;
    g = (rgb >> 8) & 0xFF;
    b = (rgb >> 16) & 0xFF;
}

void quill::HardcopyColour(int &r, int &g, int &b) {
    SplitRgb(gGraphics.colour.rgb, r, g, b);
    ApplyColourRule(HardcopyOption(kOptColourRule), r, g, b);
}

std::string quill::HardcopyText() {
    int n = std::min(std::max(gOperands.Ixd(1), 0), kOperandTextLength);
    return std::string(gOperands.ctext, static_cast<std::size_t>(n));
}

std::string quill::HardcopyTitle() { return TrimmedText(gHardcopy.title, kHardcopyTitleLength); }

bool quill::ReadHardcopyImage(quill::ImagePixels &image) {
    const std::string path = quill::ImageFileName(gOperands.ctext, kOperandTextLength);
    int oserror = 0;
    const int status = path.empty() ? static_cast<int>(quill::kImageOpen)
                                    : quill::LoadImageFile(path, image, &oserror);
    gOperands.Id(1) = status;
    gOperands.Id(2) = status == quill::kImageOk ? 0 : oserror;
    return status == quill::kImageOk && image.width > 0 && image.height > 0;
}

double quill::HardcopyPageWidth() {
    return HardcopyOption(kOptPageWidth) > 0 ? HardcopyOption(kOptPageWidth) : 756;
}
double quill::HardcopyPageHeight() {
    return HardcopyOption(kOptPageHeight) > 0 ? HardcopyOption(kOptPageHeight) : 540;
}

double quill::HardcopyDrawableWidth() {
    return gGraphics.deviceWidth >= 1 ? gGraphics.deviceWidth : 1.0;
}
double quill::HardcopyDrawableHeight() {
    return gGraphics.deviceHeight >= 1 ? gGraphics.deviceHeight : 1.0;
}

bool quill::OpenHardcopyFile() {
    yyprop_(&kPlotSlot);
    if (!PlotErrorFlag()) return true;
    gHardcopy.open = 0;
    return false;
}

int quill::HardcopyPolygonCount() {
    int n = gOperands.Id(2);
    return n < 0 ? 0 : n > kPolygonPoints ? kPolygonPoints : n;
}

int quill::HardcopyArcSteps(double radius) {
    return ArcStepsPerHalfTurn(
        radius, gGraphics.width > gGraphics.height ? gGraphics.width : gGraphics.height);
}

namespace quill {

bool AnswerProbe(int op, int device) {
    if (op != kOpInit || gOperands.Id(2) != kOpInitProbe) return false;
    gOperands.Id(2) = device;
    return true;
}

void RunFileDriver(const FileDriver &driver, int op) {
    if (AnswerProbe(op, driver.device)) return;
    if (op == kOpInit) {
        driver.initialise();
        return;
    }
    if (op == kOpBegin) {
        if (gOperands.Id(1) <= 0)
            driver.rescale();
        else
            driver.open();
        return;
    }
    if (op <= kOpInit || op > kOpLast) return;
    if (PlotErrorFlag()) {
        // A file whose write failed gets nothing more, not even its ending (which would make
        // what was written look complete), but it is closed all the same: an open handle
        // would keep it from being deleted or written again.
        if (op == kOpEnd) yyprcl_(&kPlotSlot);
        return;
    }
    if (op == kOpEnd)
        driver.close();
    else if (IsPatternFigure(op))
        driver.filled(op);
    else
        driver.other(op);
}

SegmentEnds OpSegment(int op) {
    const int end = op == kOpLine ? 2 : 1;
    return {gOperands.Rd(1), gOperands.Rd(5), gOperands.Rd(end), gOperands.Rd(end + 4)};
}

void SectorPoints(bool centre, std::vector<double> &x, std::vector<double> &y) {
    x.clear();
    y.clear();
    double cx = gOperands.Rd(1), cy = gOperands.Rd(5);
    double rx = std::fabs(gOperands.Rd(2)), ry = std::fabs(gOperands.Rd(6));
    double a1 = gOperands.Rd(3), a2 = gOperands.Rd(7);
    if (!std::isfinite(a1) || !std::isfinite(a2) || std::fabs(a2 - a1) > 4 * kPi)
        a1 = 0, a2 = 2 * kPi;
    int n = HardcopyArcSteps(rx > ry ? rx : ry);
    int steps = static_cast<int>(std::ceil(std::fabs(a2 - a1) / (kPi / n)));
    if (steps < 1) steps = 1;
    if (centre) x.push_back(cx), y.push_back(cy);
    for (int k = 0; k <= steps; ++k) {
        double a = a1 + (a2 - a1) * k / steps;
        x.push_back(cx + rx * std::cos(a));
        y.push_back(cy + ry * std::sin(a));
    }
}

void FigurePoints(int op, std::vector<double> &x, std::vector<double> &y) {
    x.clear();
    y.clear();
    const float *rx = gOperands.rd, *ry = gOperands.rd + 4;
    switch (op) {
    case kOpQuadPattern: x.assign(rx, rx + 4), y.assign(ry, ry + 4); break;
    case kOpRectanglePattern:
        x = {rx[0], rx[1], rx[1], rx[0]}, y = {ry[0], ry[0], ry[1], ry[1]};
        break;
    case kOpTrianglePattern: x.assign(rx, rx + 3), y.assign(ry, ry + 3); break;
    case kOpSectorPattern: SectorPoints(true, x, y); break;
    case kOpPolygonPattern: {
        int n = HardcopyPolygonCount();
        x.assign(gOperands.xpoly, gOperands.xpoly + n),
            y.assign(gOperands.ypoly, gOperands.ypoly + n);
        break;
    }
    default: break;
    }
}

}  // namespace quill
