// Printer page arithmetic, colour-table sizes and the saved floating-point control state.
#include "graphics/printer_info.h"

#include <cstdint>
#include <cstring>

namespace quill {

PrinterPage PrinterPageInPoints(int widthpx, int heightpx, int dpix, int dpiy) {
    PrinterPage p{};
    if (dpix <= 0 || dpiy <= 0) return p;
    int w = static_cast<int>(static_cast<long long>(widthpx) * 72 / dpix);
    int h = static_cast<int>(static_cast<long long>(heightpx) * 72 / dpiy);
    p.pageLong = w > h ? w : h;
    p.pageShort = w > h ? h : w;
    p.printLong = p.pageLong - 144;
    p.printShort = p.pageShort - 144;
    p.offsetLong = p.offsetShort = 72;
    return p;
}

namespace {
ScreenDumpChoice gDumpChoice = nullptr;
}  // namespace

void SetScreenDumpChoice(ScreenDumpChoice choice) { gDumpChoice = choice; }

ScreenDumpPage ChosenScreenDump() {
    ScreenDumpPage page{};
    if (gDumpChoice != nullptr) gDumpChoice(&page);
    return page;
}

}  // namespace quill

namespace {
std::uint32_t Little32(const unsigned char *p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
unsigned Little16(const unsigned char *p) { return p[0] | p[1] << 8; }
}  // namespace

int yywprpalsize(const void *header) {
    const unsigned char *h = static_cast<const unsigned char *>(header);
    std::uint32_t size = Little32(h);
    bool old = size == 12;
    unsigned bits = old ? Little16(h + 10) : Little16(h + 14);
    std::uint32_t used = old ? 0 : Little32(h + 32);
    std::uint32_t entries = used;
    if (entries == 0) entries = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
    return static_cast<int>(entries * (old ? 3 : 4));
}

namespace {
unsigned short gSavedCw;
unsigned gSavedMxcsr;
}  // namespace

#if defined(__x86_64__) || defined(__i386__)
unsigned short yygetcw_() {
    unsigned short cw;
    __asm__ __volatile__("fnstcw %0" : "=m"(cw));
    return cw;
}
void yysetcw_(unsigned short cw) { __asm__ __volatile__("fldcw %0" : : "m"(cw)); }
static unsigned GetMxcsr() {
    unsigned v;
    __asm__ __volatile__("stmxcsr %0" : "=m"(v));
    return v;
}
static void SetMxcsr(unsigned v) { __asm__ __volatile__("ldmxcsr %0" : : "m"(v)); }
#else
// No x87 unit: nothing to keep.
unsigned short yygetcw_() { return 0; }
void yysetcw_(unsigned short) {}
static unsigned GetMxcsr() { return 0; }
static void SetMxcsr(unsigned) {}
#endif

void yysavefp_() {
    gSavedCw = yygetcw_();
    gSavedMxcsr = GetMxcsr();
}

void yyrestfp_() {
    yysetcw_(gSavedCw);
    // The status flags are not part of the control state: keep the current ones.
    SetMxcsr((gSavedMxcsr & ~0x3Fu) | (GetMxcsr() & 0x3Fu));
}
