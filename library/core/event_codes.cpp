// Library key codes and mouse modifiers.
#include "core/event_codes.h"

namespace {

// Virtual-key codes of the keys that have a library code of their own.
enum VirtualKey {
    kVkTab = 0x09,
    kVkClear = 0x0C,
    kVkPrior = 0x21,
    kVkNext = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkSelect = 0x29,
    kVkSnapshot = 0x2C,
    kVkInsert = 0x2D,
    kVkDelete = 0x2E,
    kVkNumpad0 = 0x60,
    kVkNumpad4 = 0x64,
    kVkNumpad5 = 0x65,
    kVkNumpad6 = 0x66,
    kVkNumpad9 = 0x69,
    kVkMultiply = 0x6A,
    kVkAdd = 0x6B,
    kVkSeparator = 0x6C,
    kVkSubtract = 0x6D,
    kVkDecimal = 0x6E,
    kVkDivide = 0x6F,
    kVkF1 = 0x70,
    kVkF20 = 0x83,
};

}  // namespace

int yyinterpretkey(int virtualKey, int shiftOffset) {
    const int arrowOffset = shiftOffset / 5;
    switch (virtualKey) {
    case kVkTab: return shiftOffset == 20 ? 274 : 9;
    case kVkClear:
    case kVkNumpad5: return 285;
    case kVkPrior: return 262;
    case kVkNext: return 263;
    case kVkEnd:
    case kVkSelect: return 271;
    case kVkHome: return 270;
    case kVkUp: return 258 + arrowOffset;
    case kVkDown: return 259 + arrowOffset;
    case kVkRight: return 260 + arrowOffset;
    case kVkLeft: return 261 + arrowOffset;
    case kVkSnapshot: return 300;
    case kVkInsert: return 272;
    case kVkDelete: return 273;
    case kVkMultiply: return 294;
    case kVkAdd:
    case kVkSeparator: return 292;
    case kVkSubtract: return 290;
    case kVkDecimal: return 291;
    case kVkDivide: return 293;
    default: break;
    }
    if (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad4) return 280 + virtualKey - kVkNumpad0;
    if (virtualKey >= kVkNumpad6 && virtualKey <= kVkNumpad9) return 286 + virtualKey - kVkNumpad6;
    if (virtualKey >= kVkF1 && virtualKey <= kVkF20) return 301 + virtualKey - kVkF1 + shiftOffset;
    return virtualKey;
}

int quill::LibraryKeyCode(int keyDownValue) {
    int offset = 0;
    if (keyDownValue & kCtrlFlag)
        offset = 40;
    else if (keyDownValue & kShiftFlag)
        offset = 20;
    return yyinterpretkey(keyDownValue & ~(kShiftFlag | kCtrlFlag), offset);
}

int yymousemodifiers(unsigned keyState) {
    int sum = 0;
    if (keyState & 0x0008) sum += 1;   // Ctrl
    if (keyState & 0x0004) sum += 2;   // Shift
    if (keyState & 0x0001) sum += 4;   // left button
    if (keyState & 0x0010) sum += 8;   // middle button
    if (keyState & 0x0002) sum += 16;  // right button
    return sum;
}
