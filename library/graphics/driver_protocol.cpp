// The driver operands, the device description and the drawing-side switch.
#include "graphics/driver_protocol.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/graphics_state.h"

DriverOperands gOperands = {};
DeviceDescription gDevice = {};

namespace {

DriverRoutine gScreenDriver = nullptr;
DriverRoutine gRecordingDriver = nullptr;
quill::HardcopySide gHardcopySide = {nullptr, nullptr};

}  // namespace

void yygdrv_(const int *op) {
    if (op == nullptr) return;
    DriverRoutine driver = gGraphics.recording != 0 ? gRecordingDriver : gScreenDriver;
    if (driver != nullptr) driver(op);
}

namespace quill {

void SetScreenDriver(DriverRoutine driver) { gScreenDriver = driver; }

void SetRecordingDriver(DriverRoutine driver) { gRecordingDriver = driver; }

void SetHardcopySide(const HardcopySide &side) { gHardcopySide = side; }

const HardcopySide &InstalledHardcopySide() { return gHardcopySide; }

void SendOp(int op, DriverSides sides) {
    if (sides != kSideHardcopy) yygdrv_(&op);
    if (sides != kSideDrawing && gHardcopySide.driver != nullptr) gHardcopySide.driver(&op);
}

int ArcStepsPerHalfTurn(double radius, double size) {
    if (!(size > 0)) return kMaxArcSteps;
    const double n = 25 + 75 * std::fabs(radius) / size;
    if (!(n >= 25)) return 25;  // a radius that is not a number
    return n > kMaxArcSteps ? kMaxArcSteps : static_cast<int>(n);
}

void SetPoint(int k, float x, float y) {
    if (k < 1 || k > 4) return;
    gOperands.Ixd(k) = static_cast<int>(x);
    gOperands.Iyd(k) = static_cast<int>(y);
    gOperands.Rd(k) = x;
    gOperands.Rd(k + 4) = y;
}

void SetPolygon(const float *x, const float *y, int count) {
    const int n = std::clamp(count, 0, kPolygonPoints);
    if (n > 0 && x != nullptr && y != nullptr) {
        std::copy(x, x + n, gOperands.xpoly);
        std::copy(y, y + n, gOperands.ypoly);
    }
    gOperands.Id(2) = (x != nullptr && y != nullptr) ? n : 0;
}

void SetText(const char *text, std::size_t length) {
    const std::size_t n = text != nullptr ? std::min<std::size_t>(length, kOperandTextLength) : 0;
    std::memset(gOperands.ctext, ' ', sizeof gOperands.ctext);
    if (n > 0) std::memcpy(gOperands.ctext, text, n);
    gOperands.Ixd(1) = static_cast<int>(n);
    gOperands.Id(1) = static_cast<int>(n);
}

void DescribeDevice(const char *flags, int word2, int trueColour, int gradientMethod) {
    std::memset(gDevice.capabilities, '0', sizeof gDevice.capabilities);
    if (flags != nullptr) {
        const std::size_t n = std::min<std::size_t>(std::strlen(flags), kCapabilityFlags);
        std::memcpy(gDevice.capabilities, flags, n);
    }
    gDevice.word1 = 360;
    gDevice.word2 = word2;
    gDevice.trueColour = trueColour;
    gDevice.gradientMethod = gradientMethod;
    gDevice.word3 = 8;
    gDevice.word4 = 1.7e38f;
}

}  // namespace quill
