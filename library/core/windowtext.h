// Plain text in the current window's client area: the text font (face, weight, slant and
// character size, held in window units and in pixels), the text colours and underlining.
// Win32 only.
#ifndef QUILL_CORE_WINDOWTEXT_H
#define QUILL_CORE_WINDOWTEXT_H

#include <windows.h>

struct TextFont {
    int face;  // 1 fixed system, 2 Times New Roman, 3 Arial, 4 Courier New, 5 Symbol,
               // 6 Wingdings, -99 default GUI font, other: system font
    int bold;
    int italic;
    int unitWidth;  // character size in window units, as the caller set it
    int unitHeight;
    int pixelWidth;  // the same in pixels for the current window
    int pixelHeight;
};
extern TextFont gTextFont;
extern HFONT hTextFont;  // the current text font (a stock font for faces 1, -99 and others)

namespace quill {

// Creates the default text font when the root window opens and records its size in window
// units.
void CreateDefaultTextFont();

// Forgets the font last created, so that the next yyfntcre_ creates one.
void ForgetLastTextFont();

// The colour of text colour index N (0..17) from the library's colour table; an index
// outside the table gives black.
COLORREF TextColour(int n);

}  // namespace quill

void yyfntcol_(const int *ifore, const int *iback);
void yysetfontcolour_(const int *ifore, const int *iback);
void yysetfontcolourrgb_(const int *index, const int *ired, const int *igreen, const int *iblue);
void yyfntund_(const int *iunder);
void yysetfontunderline_(const int *iunder);
void yyfntsiz_();
void yyfntcre_();
void yycreatefont_(const int *iface, const int *ibold, const int *iitalic, int *iwidth,
                   int *iheight);
// Draws N - 1 characters of TEXT (N counts its NUL) with IY as the baseline; IX, IY return
// the position just after the text.
void yystringout_(int *ix, int *iy, const char *text, const int *n);
void yystringlen_(int *iwidth, const char *text, const int *n);

#endif
