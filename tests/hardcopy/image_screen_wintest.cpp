// Screen areas as image files and image files drawn on a drawable, on a memory bitmap (hidden
// windows lose their drawing under Wine): the saved files hold the area's pixels, odd widths
// grow by one for PCX and PNG, the clipboard gets a bitmap and no file; drawing a file puts
// its pixels back, at its own size or stretched.
#include "graphics/drawing_target.h"
#include "hardcopy/image_screen.h"
#include "quillamorph/imagefiles.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct MemoryDrawable {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    HDC saved = nullptr;
    MemoryDrawable(int w, int h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        RECT all = {0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        saved = quill::Target().dc;
        quill::Target().dc = dc;
    }
    ~MemoryDrawable() {
        quill::Target().dc = saved;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(int x1, int y1, int x2, int y2, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r = {x1, y1, x2, y2};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
};

std::vector<int> Info(const std::string &path) {
    std::vector<int> info(6);
    int six = 6;
    igrfileinfo_(path.c_str(), info.data(), &six, static_cast<int>(path.size()));
    return info;
}

std::vector<int> Pixels(const std::string &path, int w, int h) {
    std::vector<int> data(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), -1);
    igrloadimagedata_(path.c_str(), data.data(), static_cast<int>(path.size()));
    return data;
}

void Draw(MemoryDrawable &d) {
    d.Fill(4, 3, 12, 9, RGB(255, 0, 0));
    d.Fill(10, 6, 20, 12, RGB(0, 0, 255));
    d.Fill(15, 2, 17, 4, RGB(0, 160, 0));
    SetPixel(d.dc, 5, 11, RGB(0, 0, 0));
}

TEST(ScreenImages, SavedAreasHoldTheirPixels) {
    ScratchFolder folder("image-screen");
    MemoryDrawable drawable(40, 30);
    Draw(drawable);
    int x1 = 3, y1 = 2, x2 = 21, y2 = 12, status = -1, oserror = -1;
    for (int kind : {1, 2, 15}) {
        std::string path = (folder.path / ("area" + std::to_string(kind))).string();
        yysaveimage_(&kind, &x1, &y1, &x2, &y2, &status, &oserror, path.c_str());
        ASSERT_EQ(0, status) << kind;
        std::vector<int> info = Info(path);
        int w = kind == 1 ? 19 : 20;
        EXPECT_EQ(kind, info[0]);
        EXPECT_EQ(w, info[1]) << "kind " << kind << ": an odd width grows by one for PCX and PNG";
        EXPECT_EQ(11, info[2]);
        std::vector<int> pixels = Pixels(path, w, 11);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < w; ++x) {
                COLORREF screen = GetPixel(drawable.dc, x1 + x, y1 + y);
                ASSERT_EQ(static_cast<int>(screen & 0xFFFFFF),
                          pixels[static_cast<std::size_t>(y * w + x)])
                    << "kind " << kind << " at " << x << "," << y;
            }
    }
    // Kind 0: the clipboard holds a bitmap of the area and no file is made.
    int zero = 0;
    std::string none = (folder.path / "none").string();
    yysaveimage_(&zero, &x1, &y1, &x2, &y2, &status, &oserror, none.c_str());
    EXPECT_EQ(0, status);
    EXPECT_FALSE(std::filesystem::exists(none));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HBITMAP clip = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(nullptr, clip);
    BITMAP bm;
    GetObject(clip, sizeof bm, &bm);
    EXPECT_EQ(19, bm.bmWidth);
    EXPECT_EQ(11, bm.bmHeight);
    CloseClipboard();
    // A file in a folder that does not exist cannot be made.
    int one = 1;
    std::string bad = (folder.path / "no" / "such.bmp").string();
    yysaveimage_(&one, &x1, &y1, &x2, &y2, &status, &oserror, bad.c_str());
    EXPECT_EQ(1, status);
}

TEST(ScreenImages, FilesDrawnBackAtTheirSizeAndStretched) {
    ScratchFolder folder("image-screen");
    std::string path = (folder.path / "area.png").string();
    std::vector<COLORREF> original;
    {
        MemoryDrawable source(40, 30);
        Draw(source);
        int kind = 15, x1 = 0, y1 = 0, x2 = 23, y2 = 15, status = -1, oserror = -1;
        yysaveimage_(&kind, &x1, &y1, &x2, &y2, &status, &oserror, path.c_str());
        ASSERT_EQ(0, status);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) original.push_back(GetPixel(source.dc, x, y));
    }
    {
        int type = 15, zero_target = 0;
        MemoryDrawable target(80, 60);
        int x1 = 5, y1 = 7, x2 = 0, y2 = 0, flat = 0, status = -1, oserror = -1;
        yyloadimage_(&type, &zero_target, &x1, &y1, &x2, &y2, &flat, &status, &oserror,
                     path.c_str());
        ASSERT_EQ(0, status);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x)
                ASSERT_EQ(original[static_cast<std::size_t>(y * 24 + x)],
                          GetPixel(target.dc, 5 + x, 7 + y))
                    << x << "," << y;
        // Stretched to twice the size onto 30..77, 20..51.
        int sx1 = 30, sy1 = 20, sx2 = 77, sy2 = 51, stretch = 1;
        yyloadimage_(&type, &zero_target, &sx1, &sy1, &sx2, &sy2, &stretch, &status, &oserror,
                     path.c_str());
        ASSERT_EQ(0, status);
        EXPECT_EQ(original[static_cast<std::size_t>(5 * 24 + 5)],
                  GetPixel(target.dc, 30 + 11, 20 + 11));
        EXPECT_EQ(original[static_cast<std::size_t>(8 * 24 + 12)],
                  GetPixel(target.dc, 30 + 25, 20 + 17));
        // A missing file, and a file of another kind than asked for.
        std::string missing = (folder.path / "missing.png").string();
        yyloadimage_(&type, &zero_target, &x1, &y1, &x2, &y2, &flat, &status, &oserror,
                     missing.c_str());
        EXPECT_EQ(1, status);
        EXPECT_NE(0, oserror);
        int bmp = 1;
        yyloadimage_(&bmp, &zero_target, &x1, &y1, &x2, &y2, &flat, &status, &oserror,
                     path.c_str());
        EXPECT_EQ(27, status);
    }
}

}  // namespace
