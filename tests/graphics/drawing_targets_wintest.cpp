// Drawing targets under Wine: a library bitmap chosen with igrselect_ and drawn into through
// the screen driver (shapes, clip, gradient fill, image files), images of bitmaps and metafile
// slots on dialog fields, and a drawn dialog field through a message box.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/errors.h"
#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/drawing_hooks.h"
#include "core/fields.h"
#include "core/startup.h"
#include "graphics/bitmaps.h"
#include "graphics/driver_protocol.h"
#include "graphics/drawing_target.h"
#include "graphics/enhanced_slots.h"
#include "graphics/gradient_fill.h"
#include "graphics/graphics_startup.h"
#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "graphics/palette.h"
#include "graphics/screen_gradient.h"
#include "hardcopy/image_codec.h"
#include "library_root.h"
#include "modal_answer.h"
#include "quillamorph.h"
#include "scratch_folder.h"
#include "error_status.h"
#include "dialog_root.h"

namespace {

constexpr int kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr int kDialog = 400, kFrame = 1040, kImage = 1041, kPush = 1029;

int Create(int width, int height) {
    int handle = 0, colour = kWhite;
    yybitmapcreate_(&handle, &width, &height, &colour);
    return handle;
}

void Target(int kind, int id) { igrselect_(&kind, &id); }

// Pixel (x, y) of bitmap HANDLE, y downwards.
int Pixel(int handle, int x, int y) {
    int value = -2, status = -1;
    const int index = handle - 1;
    yybitmapputdata_(&index, &value, &x, &y, &x, &y, &status);
    return status == 0 ? value : -3;
}

void Send(int op) { quill::SendOp(op, kSideDrawing); }
void Colour(int c) { igrcolourn_(&c); }
void Points(std::initializer_list<std::pair<int, int>> points) {
    int k = 1;
    for (const auto &p : points)
        quill::SetPoint(k++, static_cast<float>(p.first), static_cast<float>(p.second));
}
void Area(float x1, float y1, float x2, float y2) { igrarea_(&x1, &y1, &x2, &y2); }

bool Within3(int a, int b) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)) > 3) return false;
    return true;
}

struct DrawingTargets : SharedLibraryRoot {
    void SetUp() override { LastError(); }
    void TearDown() override {
        Target(kDrawWindow, 0);
        Area(0, 0, 1, 1);
        quill::DestroyAllBitmaps();
        LastError();
    }
};

TEST_F(DrawingTargets, ABitmapChosenAsTargetTakesTheScreenDriversDrawing) {
    const int bitmap = Create(100, 80);
    ASSERT_EQ(bitmap, 1);
    Target(kDrawBitmap, bitmap);
    EXPECT_EQ(LastError(), 0);
    EXPECT_EQ(gGraphics.kind, kDrawBitmap);
    EXPECT_EQ(gGraphics.width, 100);
    EXPECT_EQ(gGraphics.height, 80);
    EXPECT_EQ(quill::Target().dc, gBitmapDC);

    Colour(31);
    Points({{20, 20}, {40, 30}});
    Send(kOpRectangleSolid);
    EXPECT_EQ(Pixel(bitmap, 20, 49), kRed);
    EXPECT_EQ(Pixel(bitmap, 40, 59), kRed);
    EXPECT_EQ(Pixel(bitmap, 41, 59), kWhite);
    EXPECT_EQ(Pixel(bitmap, 40, 60), kWhite);
    EXPECT_EQ(Pixel(bitmap, 19, 49), kWhite);
    Points({{10, 10}, {50, 10}});
    Send(kOpLine);
    EXPECT_EQ(Pixel(bitmap, 10, 69), kRed);
    EXPECT_EQ(Pixel(bitmap, 50, 69), kRed);  // the end point is drawn
    EXPECT_EQ(Pixel(bitmap, 51, 69), kWhite);
    Points({{30, 25}});
    Send(kOpReadPixel);
    EXPECT_EQ(gOperands.Ixd(1), 255);
    Points({{130, 25}});
    Send(kOpReadPixel);
    EXPECT_EQ(gOperands.Ixd(1), -1);
    Send(kOpClear);
    EXPECT_EQ(Pixel(bitmap, 20, 49), kWhite);

    // The left half as area: its last column is drawn, the next one is not.
    Area(0, 0, 0.5f, 1);
    const float xs[] = {0, 99, 99, 0}, ys[] = {0, 0, 79, 79};
    quill::SetPolygon(xs, ys, 4);
    Send(kOpPolygonSolid);
    EXPECT_EQ(Pixel(bitmap, 49, 40), kRed);
    EXPECT_EQ(Pixel(bitmap, 20, 79), kRed);
    EXPECT_EQ(Pixel(bitmap, 50, 40), kWhite);
    Area(0, 0, 1, 1);

    // Destroying the target bitmap makes the current window the target first.
    int status = -1, index = bitmap - 1;
    yybitmapdestroy_(&index, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(gGraphics.kind, kDrawWindow);
    EXPECT_EQ(quill::Target().dc, wDC);
    EXPECT_EQ(gBitmapDC, nullptr);

    // A free handle, or one outside 1-20, fails with the window as target.
    Target(kDrawBitmap, bitmap);
    EXPECT_EQ(LastError(), 1019);
    EXPECT_EQ(gGraphics.kind, kDrawWindow);
    Target(kDrawBitmap, 21);
    EXPECT_EQ(LastError(), 1019);
    EXPECT_EQ(quill::Target().dc, wDC);
}

// The screen's gradient routine refuses a triangle that names a vertex it was not given, and
// draws nothing, rather than hand the system's routine an index past the vertex array.
TEST_F(DrawingTargets, ScreenGradientRefusesATriangleOfAMissingVertex) {
    const int bitmap = Create(16, 16);
    Target(kDrawBitmap, bitmap);
    ASSERT_EQ(LastError(), 0);
    const int xs[] = {0, 15, 0}, ys[] = {0, 0, 15}, cs[] = {kRed, kRed, kRed};
    const int nv = 3, nt = 1;
    int status = -1;
    const int beyond[] = {1, 2, 9};
    yywingradfill_(xs, ys, cs, beyond, &nv, &nt, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
    const int none[] = {0, 1, 2};
    yywingradfill_(xs, ys, cs, none, &nv, &nt, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
    if (pGradientFill == nullptr) return;  // nothing to draw with on this system
    const int all[] = {1, 2, 3};
    yywingradfill_(xs, ys, cs, all, &nv, &nt, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kRed);
}

TEST_F(DrawingTargets, GradientFillsAndImageFilesOnABitmapTarget) {
    const int bitmap = Create(64, 64);
    Target(kDrawBitmap, bitmap);
    ASSERT_EQ(LastError(), 0);
    // Red, green and blue at the bitmap's (0, 0), (60, 0) and (0, 60): device y upwards.
    auto fill = [&] {
        const float xs[] = {0, 60, 0}, ys[] = {63, 63, 3};
        quill::SetPolygon(xs, ys, 3);
        quill::gGradient.count = 3;
        const int cs[] = {kRed, kGreen, kBlue};
        std::copy(cs, cs + 3, quill::gGradient.colour);
        Send(kOpGradient);
    };
    fill();
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);
    EXPECT_TRUE(Within3(Pixel(bitmap, 20, 20), 0x555555)) << std::hex << Pixel(bitmap, 20, 20);
    EXPECT_EQ(Pixel(bitmap, 40, 40), kWhite);
    EXPECT_EQ(quill::gGradient.count, 3);
    // The library's own filler where the system's routine is missing: the same colours.
    Send(kOpClear);
    const GradientFillProc system = pGradientFill;
    pGradientFill = nullptr;
    fill();
    pGradientFill = system;
    EXPECT_EQ(Pixel(bitmap, 20, 20), 0x555555);
    // Inside the area only.
    Send(kOpClear);
    Area(0, 0, 0.25f, 1);
    fill();
    EXPECT_NE(Pixel(bitmap, 15, 0), kWhite);
    EXPECT_EQ(Pixel(bitmap, 16, 0), kWhite);
    Area(0, 0, 1, 1);
    Send(kOpClear);

    // An image file of 3 by 2 pixels, at its own size with its lower-left corner at point 1,
    // then stretched over the clip rectangle.
    ScratchFolder folder("target-image");
    quill::ImagePixels image;
    image.Allocate(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.Row(y)[3 * x + (x == 0 ? 0 : 2)] = 255;  // blue, red, red
    std::vector<unsigned char> bmp;
    ASSERT_EQ(quill::EncodeBmp(image, false, bmp), 0);
    const std::string path = (folder.path / "three.bmp").string();
    int oserror = 0;
    ASSERT_EQ(quill::WriteImageFile(path, bmp, &oserror), 0);
    DriverOperands &o = gOperands;
    quill::SetText(path.c_str(), path.size());
    Points({{10, 10}, {3, 2}});
    o.Id(1) = 1, o.Id(2) = 0;
    Send(kOpImage);
    EXPECT_EQ(o.Id(1), 0);
    EXPECT_EQ(Pixel(bitmap, 10, 52), kBlue);  // rows 52 and 53: device y 11 and 10
    EXPECT_EQ(Pixel(bitmap, 12, 53), kRed);
    EXPECT_EQ(Pixel(bitmap, 13, 53), kWhite);
    EXPECT_EQ(Pixel(bitmap, 12, 54), kWhite);
    o.Id(1) = 1, o.Id(2) = 1;
    Send(kOpImage);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kBlue);
    EXPECT_EQ(Pixel(bitmap, 63, 63), kRed);
    const std::string missing = (folder.path / "none.bmp").string();
    quill::SetText(missing.c_str(), missing.size());
    o.Id(1) = 1, o.Id(2) = 0;
    Send(kOpImage);
    EXPECT_EQ(o.Id(1), 1);
    EXPECT_NE(o.Id(2), 0);
    EXPECT_EQ(LastError(), 1);
}

// The library selects another window for a moment of its own work (the root, to place a dialog
// or to report an error in its status bar) and the program's window again afterwards. That
// leaves the graphics state alone: an open plot gets not a byte from it.
TEST_F(DrawingTargets, AMomentsSelectionOfAnotherWindowAddsNothingToAnOpenPlot) {
    int x = 30, y = 30, w = 240, h = 180, win = 0, none = 0, flags = 7, menu = 0, parent = 0;
    yyopenchild_(&x, &y, &w, &h, &win, &flags, &menu, nullptr, &none, &parent, "plot");
    ASSERT_GT(win, 0);
    Target(kDrawWindow, win);
    const int select = 1, postscript = 2;
    igrhardcopyselect_(&select, &postscript);
    ScratchFolder folder("moment-selection");
    auto plot = [&](const std::string &file, bool interrupted) {
        const std::string name = (folder.path / file).string();
        igrhardcopy_(name.c_str(), nullptr, static_cast<int>(name.size()), 0);
        Points({{10, 10}, {200, 150}});
        quill::SendOp(kOpLine, kSideHardcopy);
        if (interrupted) {
            int id = kDialog, modeless = 2;
            wdialogload_(&id);
            wdialogshow_(nullptr, nullptr, nullptr, &modeless);
            int option = 0;
            wdialogunload_(&option);
            const int statusBar = 3, quiet = 0;
            const float zero = 0, one = 1;
            idebuglevel_(&statusBar);
            igrunits_(&one, &zero, &zero, &one);  // error 16, reported in the root's status bar
            idebuglevel_(&quiet);
            EXPECT_EQ(LastError(), 16);
            igrunits_(&zero, &zero, &one, &one);
        }
        Points({{200, 10}, {10, 150}});
        quill::SendOp(kOpLine, kSideHardcopy);
        igrhardcopy_("S", nullptr, 1, 0);
        std::ifstream in(folder.path / file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const std::string plain = plot("plain.ps", false);
    ASSERT_NE(plain.find("initclip"), std::string::npos);
    EXPECT_EQ(plot("interrupted.ps", true), plain);
    EXPECT_EQ(wIndex, win);
    EXPECT_EQ(gGraphics.id, win);
    const int printer = 10;
    igrhardcopyselect_(&select, &printer);
    yyclosechild_(&win, &none);
}

struct FieldTargets : DrawingTargets {
    void SetUp() override { LoadCurrentDialog(kDialog); }
    void TearDown() override {
        Target(kDrawWindow, 0);
        UnloadCurrentDialog();
        for (int n = 1; n <= 20; ++n)
            if (gSlots[n - 1].kind != 0) wmetafiledestroy_(&n);
        DrawingTargets::TearDown();
    }
    static HWND Field(int id) { return GetDlgItem(quill::CurrentDialogWindow(), id); }
};

TEST_F(FieldTargets, FieldsShowCopiesOfBitmapsAndMetafileSlots) {
    // A bitmap that is the drawing target copies with what was drawn into it.
    const int bitmap = Create(30, 20);
    Target(kDrawBitmap, bitmap);
    Colour(31);
    Points({{0, 0}, {29, 19}});
    Send(kOpRectangleSolid);
    int id = kImage;
    yyfieldimage_(&id, bitmap, 3);
    ASSERT_EQ(id, kImage);
    HBITMAP shown =
        reinterpret_cast<HBITMAP>(SendMessageA(Field(kImage), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, gBitmaps[bitmap - 1].handle);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, shown);
    EXPECT_EQ(GetPixel(memory, 5, 5), static_cast<COLORREF>(kRed));
    SelectObject(memory, old);
    DeleteDC(memory);
    EXPECT_EQ(GetWindowLongA(Field(kImage), GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
    id = kPush;
    yyfieldimage_(&id, bitmap, 3);
    EXPECT_EQ(id, kPush);
    id = kImage;
    yyfieldimage_(&id, 7, 3);
    EXPECT_EQ(id, -2);  // no such bitmap

    // A metafile slot still recording is closed first; the field shows a copy of it.
    int slot = 2, width = 72, height = 72, status = -1;
    quill::CreateEnhancedMetafileSlot(&slot, &width, &height, &status, nullptr, 0);
    ASSERT_EQ(status, 0);
    Target(kDrawMetafile, slot);
    ASSERT_EQ(LastError(), 0);
    Points({{0, 0}, {50, 50}});
    Send(kOpRectangleSolid);
    id = kImage;
    yyfieldimage_(&id, slot, 4);
    ASSERT_EQ(id, kImage);
    EXPECT_EQ(gGraphics.kind, kDrawWindow);  // drawing left the closed recording
    EXPECT_NE(SendMessageA(Field(kImage), STM_GETIMAGE, IMAGE_ENHMETAFILE, 0), 0);
    EXPECT_EQ(GetWindowLongA(Field(kImage), GWL_STYLE) & SS_TYPEMASK, SS_ENHMETAFILE);
    EXPECT_NE(quill::EnhancedPicture(slot - 1), nullptr);  // the slot keeps its picture
    id = kPush;
    yyfieldimage_(&id, slot, 4);
    EXPECT_EQ(id, -1);  // a button shows no metafile
    id = kImage;
    yyfieldimage_(&id, 9, 4);
    EXPECT_EQ(id, -2);  // an empty slot
}

// The window layer reaches the drawing target only through the hooks graphics installs:
// without them a field cannot become the target (and nothing breaks); with them it can.
TEST_F(FieldTargets, AFieldBecomesTheTargetThroughTheInstalledHooksOnly) {
    quill::SetDrawingHooks(quill::DrawingHooks{});
    int id = kFrame, width = 0, height = 0;
    yyfieldselect_(&id, &width, &height);
    const int refused = id;
    quill::ReleaseFieldTarget();
    quill::InstallDrawingHooks();
    EXPECT_EQ(refused, -1);
    EXPECT_EQ(quill::TargetField(), nullptr);
    id = kFrame;
    yyfieldselect_(&id, &width, &height);
    EXPECT_EQ(id, kFrame);
    EXPECT_EQ(quill::TargetField(), Field(kFrame));
    EXPECT_EQ(quill::DrawingTargetField(), Field(kFrame));
    quill::ReleaseFieldTarget();
    EXPECT_EQ(quill::TargetField(), nullptr);
    EXPECT_EQ(quill::TargetDC(), wDC);
}

TEST_F(FieldTargets, ADrawnFieldKeepsItsDrawingThroughAMessageBox) {
    int focus = 0, type = 2;
    wdialogshow_(nullptr, nullptr, &focus, &type);
    ASSERT_TRUE(IsWindowVisible(quill::CurrentDialogWindow()));
    Target(kDrawField, kFrame);
    ASSERT_EQ(LastError(), 0);
    Colour(31);
    Points({{0, 0}, {gGraphics.lastX, gGraphics.lastY}});
    Send(kOpRectangleSolid);
    RECT r;
    GetClientRect(Field(kFrame), &r);
    auto centre = [&] {
        HDC dc = GetDC(Field(kFrame));
        const COLORREF c = GetPixel(dc, r.right / 2, r.bottom / 2);
        ReleaseDC(Field(kFrame), dc);
        return c;
    };
    ASSERT_EQ(centre(), static_cast<COLORREF>(kRed));

    COLORREF during = 0;
    const int left = modal::Run({[&](HWND box) {
                                    // The dialog shows its snapshot while the box is up.
                                    during = centre();
                                    modal::Press(IDOK)(box);
                                }},
                                [] {
                                    const int ok = 0, none = 0, answer = 1;
                                    wmessagebox_(&ok, &none, &answer, "Drawn?", "Box", 6, 3);
                                });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(during, static_cast<COLORREF>(kRed));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(centre(), static_cast<COLORREF>(kRed));
}

}  // namespace
