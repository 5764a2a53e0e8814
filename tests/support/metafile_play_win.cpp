// Plays a metafile into a bitmap of the test's own.
#include "metafile_play.h"

#include <gtest/gtest.h>

#include "graphics/draw_families.h"
#include "graphics/drawing_target.h"

std::vector<COLORREF> PlayMetafile(int format, const std::string &file, int width, int height,
                                   int *status) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT all = {0, 0, width, height};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HDC saved = quill::Target().dc;
    quill::Target().dc = mem;
    const int x1 = 0, y1 = 0, x2 = width - 1, y2 = height - 1, target = 0;
    yywmfplaymetafile_(&format, &x1, &y1, &x2, &y2, &target, status, file.c_str(),
                       static_cast<int>(file.size()));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(0, GetClipRgn(mem, region)) << "no clip region is left behind";
    DeleteObject(region);
    quill::Target().dc = saved;
    GdiFlush();
    const std::size_t count = static_cast<std::size_t>(width) * height;
    std::vector<COLORREF> pixels(count);
    const unsigned char *p = static_cast<const unsigned char *>(bits);
    for (std::size_t k = 0; k < count; ++k) pixels[k] = RGB(p[4 * k + 2], p[4 * k + 1], p[4 * k]);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    return pixels;
}
