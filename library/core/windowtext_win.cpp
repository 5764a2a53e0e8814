// Text output into the current window with the library's text font and colours.
#include "core/windowtext.h"

#include <cstring>

#include "core/childwindows.h"
#include "core/drawing_hooks.h"
#include "core/window_units.h"
#include "quillamorph/childwindows.h"

TextFont gTextFont = {-99, 0, 0, 0, 0, 0, 0};
HFONT hTextFont = nullptr;

namespace {

constexpr int kColourEntries = 18;

// The five values of the font last created (-1: none yet).
struct FontKey {
    int face, bold, italic, width, height;
};
FontKey gLastFont = {-1, -1, -1, -1, -1};
bool gOwnFont = false;  // hTextFont was created here (not a stock font)

struct FaceSpec {
    int face;
    const char *name;
    DWORD family;
};
const FaceSpec kFaces[] = {
    {2, "Times New Roman", FF_ROMAN | VARIABLE_PITCH},
    {3, "Arial", FF_SWISS | VARIABLE_PITCH},
    {4, "Courier New", FF_MODERN | VARIABLE_PITCH},
    {5, "Symbol", VARIABLE_PITCH},
    {6, "Wingdings", VARIABLE_PITCH},
};

HFONT MakeFont(int face, int bold, int italic, int width, int height, bool *own) {
    for (const FaceSpec &entry : kFaces) {
        if (entry.face != face) continue;
        *own = true;
        return CreateFontA(height, width, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE,
                           FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, entry.family, entry.name);
    }
    *own = false;
    int stock = face == 1 ? SYSTEM_FIXED_FONT : face == -99 ? DEFAULT_GUI_FONT : SYSTEM_FONT;
    return static_cast<HFONT>(GetStockObject(stock));
}

COLORREF DeviceColour(HDC dc, COLORREF rgb) {
    if (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) return GetNearestColor(dc, rgb);
    return rgb;
}

int TextLength(const char *text, const int *n) {
    if (!text || !n || *n <= 1) return 0;
    const void *nul = std::memchr(text, '\0', static_cast<size_t>(*n - 1));
    return nul ? static_cast<int>(static_cast<const char *>(nul) - text) : *n - 1;
}

HFONT CurrentFont() {
    return hTextFont ? hTextFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

void quill::CreateDefaultTextFont() {
    ForgetLastTextFont();
    TextFont &f = gTextFont;
    f.face = -99;
    f.bold = f.italic = 0;
    int w = 0, h = 0;
    yycreatefont_(&f.face, &f.bold, &f.italic, &w, &h);
    f.pixelWidth = w;
    f.pixelHeight = h;
    windowunitsfrompixels_(&w, &h, &f.unitWidth, &f.unitHeight);
    gLastFont = {f.face, f.bold, f.italic, f.pixelWidth, f.pixelHeight};
}

void quill::ForgetLastTextFont() { gLastFont = {-1, -1, -1, -1, -1}; }

COLORREF quill::TextColour(int n) {
    if (n < 0 || n >= kColourEntries) return RGB(0, 0, 0);
    return wColor[n];
}

void yysetfontcolour_(const int *ifore, const int *iback) {
    if (ifore) wForeCol = *ifore;
    if (iback) wBackCol = *iback;
}

void yyfntcol_(const int *ifore, const int *iback) {
    int fore = wForeCol, back = wBackCol;
    if (ifore && *ifore >= 0 && *ifore <= 16) fore = *ifore;
    if (iback && *iback >= 0 && *iback <= 16) back = *iback == 16 ? 17 : *iback;
    yysetfontcolour_(&fore, &back);
}

void yysetfontcolourrgb_(const int *index, const int *ired, const int *igreen, const int *iblue) {
    if (!index || *index < 0 || *index >= kColourEntries) return;
    wColor[*index] = RGB(*ired & 0xFF, *igreen & 0xFF, *iblue & 0xFF);
    quill::DrawingTextColourSet(*index, wColor[*index]);
}

void yyfntund_(const int *iunder) { yysetfontunderline_(iunder); }

void yysetfontunderline_(const int *iunder) { wUnderline = (iunder && *iunder != 0) ? 1 : 0; }

void yyfntsiz_() {
    int w = gTextFont.unitWidth, h = gTextFont.unitHeight;
    windowunitstopixels_(&w, &h, &gTextFont.pixelWidth, &gTextFont.pixelHeight);
}

void yyfntcre_() {
    FontKey key = {gTextFont.face, gTextFont.bold, gTextFont.italic, gTextFont.pixelWidth,
                   gTextFont.pixelHeight};
    if (hTextFont && std::memcmp(&key, &gLastFont, sizeof key) == 0) return;
    int w = key.width, h = key.height;
    yycreatefont_(&key.face, &key.bold, &key.italic, &w, &h);
    gLastFont = key;
}

void yycreatefont_(const int *iface, const int *ibold, const int *iitalic, int *iwidth,
                   int *iheight) {
    if (hTextFont && gOwnFont) DeleteObject(hTextFont);
    hTextFont = MakeFont(*iface, *ibold, *iitalic, *iwidth, *iheight, &gOwnFont);
    HWND client = hClient[wIndex];
    HDC dc = wDC ? wDC : GetDC(client);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, CurrentFont());
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) {
        *iheight = metrics.tmHeight;
        *iwidth = metrics.tmAveCharWidth;
    }
    SelectObject(dc, old);
    if (dc != wDC) ReleaseDC(client, dc);
}

void yystringout_(int *ix, int *iy, const char *text, const int *n) {
    HDC dc = wDC;
    if (!dc) return;
    int length = TextLength(text, n);
    HGDIOBJ oldFont = SelectObject(dc, CurrentFont());
    UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    int oldMode = SetBkMode(dc, OPAQUE);
    COLORREF fore = DeviceColour(dc, quill::TextColour(wForeCol));
    COLORREF oldFore = SetTextColor(dc, fore);
    COLORREF oldBack = SetBkColor(dc, DeviceColour(dc, quill::TextColour(wBackCol)));

    SIZE extent = {0, 0};
    if (length > 0) {
        GetTextExtentPoint32A(dc, text, length, &extent);
        TextOutA(dc, *ix, *iy, text, length);
    }
    if (wUnderline) {
        // A solid one-pixel line two pixels below the baseline, also for empty text.
        HPEN pen = CreatePen(PS_SOLID, 1, fore);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        POINT previous;
        MoveToEx(dc, *ix, *iy + 2, &previous);
        LineTo(dc, *ix + extent.cx, *iy + 2);
        MoveToEx(dc, previous.x, previous.y, nullptr);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    *ix += extent.cx;

    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldFore);
    SetBkMode(dc, oldMode);
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
}

void yystringlen_(int *iwidth, const char *text, const int *n) {
    *iwidth = 0;
    HDC dc = wDC;
    int length = TextLength(text, n);
    if (!dc || length == 0) return;
    HGDIOBJ old = SelectObject(dc, CurrentFont());
    SIZE extent;
    if (GetTextExtentPoint32A(dc, text, length, &extent)) *iwidth = extent.cx;
    SelectObject(dc, old);
}
