// Enhanced metafile slots: recording, closing, saving, playing into a memory bitmap, the
// clipboard, loading files and refusing files that hold no picture.
#include <gtest/gtest.h>

#include "graphics/drawing_target.h"
#include "graphics/enhanced_slots.h"
#include "graphics/metafile_slots.h"
#include "quillamorph/graphics.h"
#include "scratch_folder.h"

#include <windows.h>

#include "graphics/graphics_state.h"

#include <fstream>
#include <string>

namespace {

struct EnhancedSlots : ::testing::Test {
    ScratchFolder folder{"emf"};
    HDC savedDC = nullptr;
    void SetUp() override { savedDC = quill::Target().dc; }
    void TearDown() override {
        for (int n = 1; n <= 20; ++n)
            if (gSlots[n - 1].kind != kSlotEmpty) wmetafiledestroy_(&n);
        for (int s = 0; s < 20; ++s) yymetafiledestroy_(&s);
        quill::Target().dc = savedDC;
    }
    std::string File(const char *name) { return (folder.path / name).string(); }
    static int Load(int slot, int nbytes, const std::string &name, int *ioserr) {
        int status = -1;
        yymetafileload_(&slot, &nbytes, &status, ioserr, name.c_str(),
                        static_cast<int>(name.size()));
        return status;
    }
};

// Records a red block into slot SLOT of 72 x 72 points.
void RecordRedBlock(int slot, int *xpix, int *ypix) {
    int w = 72, h = 72;
    yymetafilecreate_(&slot, &w, &h, xpix, ypix);
    int status = -1;
    yymetafileselect2_(&slot, xpix, ypix, &status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(quill::Target().dc, quill::EnhancedRecorder(slot));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r = {0, 0, *xpix, *ypix};
    FillRect(quill::Target().dc, &r, red);
    DeleteObject(red);
}

TEST_F(EnhancedSlots, RecordSavePlayAndClipboard) {
    int xpix = 0, ypix = 0;
    RecordRedBlock(3, &xpix, &ypix);
    HDC screen = GetDC(nullptr);
    int want = static_cast<int>(72.0 * GetDeviceCaps(screen, HORZRES) * 254 /
                                (GetDeviceCaps(screen, HORZSIZE) * 720.0));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(xpix, want);
    EXPECT_GT(ypix, 0);

    // Saving closes the recording: the slot can no longer be selected.
    std::string name = File("block.emf");
    int slot = 3, status = -1, ioserr = -1;
    yymetafilesave_(&slot, &status, &ioserr, name.c_str(), static_cast<int>(name.size()));
    ASSERT_EQ(status, 0);
    EXPECT_EQ(quill::Target().dc, nullptr);  // drawing no longer goes to the closed recording
    yymetafileselect2_(&slot, &xpix, &ypix, &status);
    EXPECT_EQ(status, 1);
    HENHMETAFILE file = GetEnhMetaFileA(name.c_str());
    ASSERT_NE(file, nullptr);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(file, sizeof header, &header);
    EXPECT_NEAR(header.rclFrame.right - header.rclFrame.left, 2540, 2);
    EXPECT_NEAR(header.rclFrame.bottom - header.rclFrame.top, 2540, 2);
    DeleteEnhMetaFile(file);

    // Played into a memory bitmap, the block fills the rectangle it is played into.
    HDC mem = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 100;
    bi.bmiHeader.biHeight = 100;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    PatBlt(mem, 0, 0, 100, 100, WHITENESS);
    quill::Target().dc = mem;
    int x1 = 20, y1 = 20, x2 = 60, y2 = 60;
    yymetafileplay_(&slot, &x1, &y1, &x2, &y2);
    EXPECT_EQ(GetPixel(mem, 40, 40), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 80, 80), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(mem, 10, 40), RGB(255, 255, 255));

    // With a clip set the picture lands only inside it, and the clip is gone afterwards.
    PatBlt(mem, 0, 0, 100, 100, WHITENESS);
    const int c1 = 30, c2 = 39;
    yywinclip_(&c1, &c1, &c2, &c2);
    yymetafileplay_(&slot, &x1, &y1, &x2, &y2);
    EXPECT_EQ(GetPixel(mem, 30, 30), RGB(255, 0, 0)) << "inside the clip";
    EXPECT_EQ(GetPixel(mem, 39, 39), RGB(255, 0, 0)) << "its last column and row";
    EXPECT_EQ(GetPixel(mem, 25, 35), RGB(255, 255, 255)) << "left of the clip";
    EXPECT_EQ(GetPixel(mem, 35, 45), RGB(255, 255, 255)) << "below the clip";
    EXPECT_EQ(GetPixel(mem, 50, 50), RGB(255, 255, 255)) << "beyond it";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(mem, region), 0);
    DeleteObject(region);
    const int none = -1;
    yywinclip_(&none, &none, &none, &none);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    yymetafileclipboard_(&slot);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HENHMETAFILE clip = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    EXPECT_NE(clip, nullptr);
    if (clip) {
        ENHMETAHEADER ch = {};
        GetEnhMetaFileHeader(clip, sizeof ch, &ch);
        EXPECT_NEAR(ch.rclFrame.right - ch.rclFrame.left, 2540, 2);
    }
    EmptyClipboard();
    CloseClipboard();

    // The saved file loads into another slot and plays the same way.
    std::ifstream in(name, std::ios::binary | std::ios::ate);
    int size = static_cast<int>(in.tellg());
    EXPECT_EQ(Load(7, size, name, &ioserr), 0);
    EXPECT_TRUE(quill::EnhancedInUse(7));
    EXPECT_NE(quill::EnhancedPicture(7), nullptr);
    EXPECT_EQ(Load(8, size + 10, name, &ioserr), 2);  // more bytes than the file holds
    EXPECT_FALSE(quill::EnhancedInUse(8));
}

TEST_F(EnhancedSlots, BadFilesAndEmptySlots) {
    std::string text = File("note.txt");
    std::ofstream(text) << "this is plain text, not a picture\n";
    int ioserr = 0;
    EXPECT_EQ(Load(2, 20, text, &ioserr), 2);
    EXPECT_FALSE(quill::EnhancedInUse(2));
    EXPECT_EQ(Load(2, 0, text, &ioserr), 2);
    EXPECT_EQ(Load(2, 20, File("missing.emf"), &ioserr), 1);
    EXPECT_NE(ioserr, 0);
    EXPECT_FALSE(quill::EnhancedInUse(2));

    // Destroying an empty slot leaves it empty; playing or saving it does nothing.
    int slot = 5, status = -1;
    yymetafiledestroy_(&slot);
    EXPECT_FALSE(quill::EnhancedInUse(5));
    std::string name = File("none.emf");
    yymetafilesave_(&slot, &status, &ioserr, name.c_str(), static_cast<int>(name.size()));
    EXPECT_EQ(status, 1);
    int bad = 20, w = 1, h = 1;
    yymetafileselect2_(&bad, &w, &h, &status);
    EXPECT_EQ(status, 1);

    // Playing a slot that still records closes it first; it then cannot be selected.
    int xpix, ypix;
    RecordRedBlock(4, &xpix, &ypix);
    HDC mem = CreateCompatibleDC(nullptr);
    quill::Target().dc = mem;
    slot = 4;
    int x1 = 0, y1 = 0, x2 = 10, y2 = 10;
    yymetafileplay_(&slot, &x1, &y1, &x2, &y2);
    yymetafileselect2_(&slot, &xpix, &ypix, &status);
    EXPECT_EQ(status, 1);
    DeleteDC(mem);
}

TEST_F(EnhancedSlots, SlotsOfKindThreeSelectEndAndDestroy) {
    int n = 6, w = 72, h = 36, status = -1;
    quill::CreateEnhancedMetafileSlot(&n, &w, &h, &status, nullptr, 0);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(gSlots[5].kind, kSlotEnhanced);
    EXPECT_GT(gSlots[5].drawWidth, gSlots[5].drawHeight);
    quill::CreateEnhancedMetafileSlot(&n, &w, &h, &status, nullptr, 0);
    EXPECT_EQ(status, 1);  // in use
    int zero = 0, bad = 21;
    quill::CreateEnhancedMetafileSlot(&bad, &w, &h, &status, nullptr, 0);
    EXPECT_EQ(status, 1);
    quill::CreateEnhancedMetafileSlot(&n, &zero, &h, &status, nullptr, 0);
    EXPECT_EQ(status, 1);

    int dw = 0, dh = 0;
    yymetafileselect_(&n, &status, &dw, &dh);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(dw, gSlots[5].drawWidth);
    EXPECT_EQ(quill::Target().dc, quill::EnhancedRecorder(5));
    EXPECT_EQ(gGraphics.recording, 0);
    quill::EndRecordedMetafile(&n);
    EXPECT_NE(quill::EnhancedPicture(5), nullptr);
    yymetafileselect_(&n, &status, &dw, &dh);
    EXPECT_EQ(status, 1);

    // Saved and loaded back as a slot from its file.
    std::string name = File("six.emf");
    int entry = 5, ioserr = 0;
    yymetafilesave_(&entry, &status, &ioserr, name.c_str(), static_cast<int>(name.size()));
    ASSERT_EQ(status, 0);
    int m = 9;
    quill::CreateEnhancedMetafileSlot(&m, &w, &h, &status, name.c_str(),
                                      static_cast<int>(name.size()));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(quill::EnhancedInUse(8));
    wmetafiledestroy_(&n);
    EXPECT_EQ(gSlots[5].kind, kSlotEmpty);
    EXPECT_FALSE(quill::EnhancedInUse(5));
}

}  // namespace
