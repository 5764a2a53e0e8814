// The library's logical palette on screens that show colours through a palette.
#include <vector>

#include "core/display.h"
#include "core/startup.h"
#include "graphics/drawing_target.h"
#include "graphics/palette.h"

namespace {

// The entries of the library's logical palette as last set: the library's colours, then the
// text colours from entry gTextBase on.
std::vector<PALETTEENTRY> gLogPal;
size_t gTextBase = 0;
constexpr size_t kTextColours = sizeof wColor / sizeof wColor[0];

PALETTEENTRY Entry(int rgb) {
    return PALETTEENTRY{static_cast<BYTE>(rgb & 0xFF), static_cast<BYTE>((rgb >> 8) & 0xFF),
                        static_cast<BYTE>((rgb >> 16) & 0xFF), 0};
}

}  // namespace

void quill::MakeLibraryPalette(int colours) {
    HPALETTE &palette = quill::Target().palette;
    if (palette != nullptr) DeleteObject(palette);
    palette = nullptr;
    gLogPal.clear();
    HDC screen = GetDC(nullptr);
    const bool paletted =
        screen != nullptr && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    if (!paletted || colours <= 0) return;
    for (int i = 0; i < colours; ++i) {
        const int rgb = quill::LibraryColour(colours, i);
        if (rgb < 0) break;
        gLogPal.push_back(Entry(rgb));
    }
    gTextBase = gLogPal.size();
    for (COLORREF rgb : wColor) gLogPal.push_back(Entry(static_cast<int>(rgb)));
    std::vector<unsigned char> block(sizeof(LOGPALETTE) + gLogPal.size() * sizeof(PALETTEENTRY));
    auto *log = reinterpret_cast<LOGPALETTE *>(block.data());
    log->palVersion = 0x300;
    log->palNumEntries = static_cast<WORD>(gLogPal.size());
    for (size_t i = 0; i < gLogPal.size(); ++i) log->palPalEntry[i] = gLogPal[i];
    palette = CreatePalette(log);
}

void quill::SetTextPaletteColour(int index, COLORREF rgb) {
    HPALETTE palette = quill::Target().palette;
    if (palette == nullptr || index < 0 || static_cast<size_t>(index) >= kTextColours) return;
    const size_t entry = gTextBase + static_cast<size_t>(index);
    if (entry >= gLogPal.size()) return;
    UnrealizeObject(palette);
    gLogPal[entry] = Entry(static_cast<int>(rgb));
    SetPaletteEntries(palette, static_cast<UINT>(entry), 1, &gLogPal[entry]);
    if (wDC != nullptr) quill::RealizeLibraryPalette(nullptr, wDC);
}

void yywinpalette_(const int *entry, const int *rgb, const int *mode) {
    yywinpalette256(entry, rgb, mode);
}

void yywinpalette256(const int *entry, const int *rgb, const int *mode) {
    const quill::DrawingTarget &t = quill::Target();
    if (t.metafile != nullptr || t.palette == nullptr) return;
    if (*entry < 0 || static_cast<size_t>(*entry) >= gLogPal.size()) return;
    if (*mode < 2) UnrealizeObject(t.palette);
    gLogPal[static_cast<size_t>(*entry)] = Entry(*rgb);
    SetPaletteEntries(t.palette, static_cast<UINT>(*entry), 1,
                      &gLogPal[static_cast<size_t>(*entry)]);
    if ((*mode == 0 || *mode == 3) && t.dc != nullptr) {
        SelectPalette(t.dc, t.palette, FALSE);
        RealizePalette(t.dc);
    }
}
