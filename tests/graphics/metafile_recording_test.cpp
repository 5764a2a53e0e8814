// The recording driver: recorded pictures set up, drawn into through the driver operations,
// ended and read back, checked element by element with the metafile walker.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "cgm_walker.h"
#include "graphics/driver_protocol.h"
#include "graphics/graphics_state.h"
#include "graphics/metafile_slots.h"
#include "graphics/palette.h"
#include "quillamorph/graphics.h"
#include "graphics/recording_driver.h"
#include "graphics/gradient_fill.h"
#include "graphics/image_entries.h"
#include "hardcopy/image_codec.h"
#include "hardcopy/image_read.h"
#include "scratch_folder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace quill;

namespace {
const double kPi = 3.14159265358979323846;
}

namespace {

struct Recording : ::testing::Test {
    int slot = 1;
    void SetUp() override {
        quill::ResetErrorState();
        gGraphics = quill::DefaultGraphicsState();
    }
    void TearDown() override {
        for (int n = 1; n <= 20; ++n)
            if (gSlots[n - 1].kind != kSlotEmpty) wmetafiledestroy_(&n);
        gGraphics = quill::DefaultGraphicsState();
        quill::ResetErrorState();
    }
    // Sets up slot N and makes it the recording target.
    int Record(int n, int width, int height, int capacity) {
        int status = -1;
        quill::StartRecordedMetafile(&n, &width, &height, &capacity, &status);
        if (status == 0) Target(n);
        return status;
    }
    void Target(int n) {
        int status = -1, w = 0, h = 0;
        yymetafileselect_(&n, &status, &w, &h);
        ASSERT_EQ(status, 0);
        gGraphics.kind = kDrawMetafile;
        gGraphics.id = n;
        FitDrawable(gGraphics, w, h);
    }
    static void Op(int op) { yygcgm_(&op); }
    // Colour RGB in the RGB colour model.
    static void Colour(int rgb) {
        gGraphics.colourModel = kColourRgb;
        gGraphics.colour.rgb = rgb;
        Op(kOpColour);
    }
    static void Line(int x1, int y1, int x2, int y2) {
        gOperands.Ixd(1) = x1;
        gOperands.Iyd(1) = y1;
        gOperands.Ixd(2) = x2;
        gOperands.Iyd(2) = y2;
        Op(kOpLine);
    }
    std::vector<unsigned char> Data(int n) {
        int size = 0;
        quill::CopyRecordedMetafile(&n, nullptr, &size);
        std::vector<unsigned char> b(static_cast<std::size_t>(size));
        quill::CopyRecordedMetafile(&n, b.data(), &size);
        return b;
    }
    static std::vector<unsigned char> Tail(const std::vector<unsigned char> &b, std::size_t n) {
        return std::vector<unsigned char>(b.end() - static_cast<long>(n), b.end());
    }
};

TEST_F(Recording, DrawingSizesAndSetUpRefusals) {
    const int sizes[5][4] = {{72, 72, 600, 600},
                             {1500, 3000, 12500, 25000},
                             {3000, 6000, 16383, 32767},
                             {6000, 6000, 32767, 32767},
                             {10000, 5000, 32767, 16383}};
    for (const auto &s : sizes) {
        int w, h;
        RecordingDrawingSize(s[0], s[1], &w, &h);
        EXPECT_EQ(w, s[2]) << s[0];
        EXPECT_EQ(h, s[3]) << s[1];
    }
    EXPECT_EQ(Record(0, 72, 72, 1000), 1);
    EXPECT_EQ(Record(21, 72, 72, 1000), 1);
    EXPECT_EQ(Record(2, 0, 72, 1000), 1);
    EXPECT_EQ(Record(2, 72, -1, 1000), 1);
    EXPECT_EQ(Record(2, 72, 72, 397), 1);
    EXPECT_EQ(RecordedPictureOf(2), nullptr);
    EXPECT_EQ(Record(2, 72, 72, 398), 0);
    EXPECT_EQ(Record(2, 72, 72, 1000), 1);  // in use
    auto b = Data(2);
    ASSERT_EQ(b.size(), 394u);
    EXPECT_EQ(b[0], 0x00);
    EXPECT_EQ(b[1], 0x2D);
    EXPECT_EQ(gSlots[1].kind, kSlotRecorded);
    EXPECT_EQ(gSlots[1].drawWidth, 600);
    EXPECT_EQ(gSlots[1].capacity, 398);
    EXPECT_EQ(gSlots[1].used, 394);
    // The header leaves room for exactly the end: the picture is complete once ended, and a
    // closed picture can no longer be selected.
    int two = 2, status = -1;
    quill::EndRecordedMetafile(&two);
    b = Data(2);
    EXPECT_EQ(b.size(), 398u);
    EXPECT_EQ(gSlots[1].used, 398);
    EXPECT_EQ(CheckCgmStructure(WalkCgm(b)), "");
    yymetafileselect_(&two, &status, nullptr, nullptr);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
    // Destroying frees the picture and empties the slot; slot 21 is refused with 1060.
    wmetafiledestroy_(&two);
    EXPECT_EQ(RecordedPictureOf(2), nullptr);
    EXPECT_EQ(gSlots[1].kind, kSlotEmpty);
    EXPECT_EQ(Data(2).size(), 0u);
    int bad = 21;
    wmetafiledestroy_(&bad);
    EXPECT_EQ(quill::LastErrorNumber(), 1060);
    // Destroying the slot being drawn into leaves drawing with nowhere to go, safely.
    ASSERT_EQ(Record(3, 72, 72, 1000), 0);
    int three = 3;
    wmetafiledestroy_(&three);
    Line(1, 1, 2, 2);
    EXPECT_EQ(RecordedPictureOf(3), nullptr);
}

TEST_F(Recording, LinesWriteColourOnlyWhenItChanges) {
    ASSERT_EQ(Record(slot, 72, 72, 10000), 0);
    Colour(0x0000FF);  // red
    Line(100, 100, 500, 100);
    auto b = Data(slot);
    std::vector<unsigned char> want = {0x50, 0x83, 0xFF, 0x00, 0x00, 0x00, 0x40, 0x28,
                                       0x00, 0x64, 0x00, 0x64, 0x01, 0xF4, 0x00, 0x64};
    EXPECT_EQ(Tail(b, 16), want);
    Line(0, 0, -1, 7);
    EXPECT_EQ(Data(slot).size(), b.size() + 10);
    Op(kOpBegin);
    Line(0, 0, 1, 1);
    Colour(0x00FF00);
    Line(0, 0, 1, 1);
    Op(kOpEnd);
    b = Data(slot);
    std::vector<unsigned char> end = {0x00, 0xA0, 0x00, 0x40};
    EXPECT_EQ(Tail(b, 4), end);
    CgmWalk w = WalkCgm(b);
    EXPECT_EQ(CheckCgmStructure(w), "");
    EXPECT_EQ(w.Count(5, 4), 3u);
    EXPECT_EQ(w.Count(4, 1), 4u);
    EXPECT_EQ(w.All(4, 1)[1]->SignedWord(4), -1);
    // A closed picture takes nothing more.
    Line(1, 2, 3, 4);
    Op(kOpEnd);
    EXPECT_EQ(Data(slot), b);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
}

TEST_F(Recording, AFullBufferDropsWholeElementsAndStillEndsReadably) {
    ASSERT_EQ(Record(slot, 72, 72, 394 + 4 + 6 + 10 + 10 + 5), 0);
    Colour(0x123456);
    for (int i = 0; i < 5; ++i) Line(i, i, 10, 10);
    EXPECT_EQ(quill::LastErrorNumber(), 1062);
    EXPECT_EQ(Data(slot).size(), 394u + 6 + 10 + 10);
    // The polyline of many vertices does not fit at all; nothing of it is kept.
    std::vector<float> xs(100, 1.0f), ys(100, 2.0f);
    SetPolygon(xs.data(), ys.data(), 100);
    Op(kOpPolyline);
    EXPECT_EQ(Data(slot).size(), 394u + 6 + 10 + 10);
    Op(kOpEnd);
    auto b = Data(slot);
    EXPECT_EQ(b.size(), 394u + 6 + 10 + 10 + 4);
    CgmWalk w = WalkCgm(b);
    EXPECT_EQ(CheckCgmStructure(w), "");
    EXPECT_EQ(w.Count(4, 1), 2u);
}

TEST_F(Recording, ShapesSectorsTextAndImages) {
    ASSERT_EQ(Record(slot, 72, 72, 100000), 0);
    Colour(0x010203);
    DriverOperands &o = gOperands;
    o.Ixd(1) = 300;
    o.Iyd(1) = 200;
    o.Ixd(2) = 50;
    o.Iyd(2) = 20;
    o.Rd(2) = 50;
    o.Rd(3) = 0.5f;
    gGraphics.relLineWidth = 3;
    Op(kOpEllipse);
    Op(kOpEllipseSolid);
    o.Ixd(3) = 10;
    o.Iyd(3) = 10;
    Op(kOpTriangleSolid);
    Op(kOpRectanglePattern);

    // A sector of a quarter turn, then the same swept backwards, then one of three turns.
    o.Rd(2) = 100;
    o.Rd(6) = 100;
    o.Rd(3) = 0;
    o.Rd(7) = static_cast<float>(kPi / 2);
    Op(kOpSectorSolid);
    o.Rd(3) = static_cast<float>(kPi / 2);
    o.Rd(7) = 0;
    Op(kOpSectorSolid);
    o.Rd(3) = 0;
    o.Rd(7) = static_cast<float>(6 * kPi);
    Op(kOpSectorSolid);

    // Restricted text of 19 characters is short, of 20 long; width style 1 writes TEXT.
    gGraphics.charHeight = 0.05f;
    gGraphics.refHeight = 600;
    gGraphics.effectiveFont = 2;
    gGraphics.fontAttributes = 1 | 8;
    Op(kOpFont);
    SetText("nineteen characters", 19);
    o.Rd(1) = 10;
    o.Rd(5) = 20;
    o.Rd(3) = 40;
    o.Rd(7) = 60;
    Op(kOpText);
    SetText("twenty characters...", 20);
    gGraphics.justification = 1;
    Op(kOpText);
    gGraphics.widthStyle = 1;
    Op(kOpText);

    int pixels[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x010203, 0x040506, 0x070809};
    ASSERT_TRUE(WriteCellArray(RecordedPictureOf(slot)->enc, 0, 0, 99, 49, 3, 2, pixels));
    std::vector<int> many(40 * 30, 0x336699);
    ASSERT_TRUE(WriteCellArray(RecordedPictureOf(slot)->enc, 0, 0, 99, 49, 40, 30, many.data()));
    Op(kOpEnd);

    CgmWalk w = WalkCgm(Data(slot));
    ASSERT_EQ(CheckCgmStructure(w), "");
    auto ellipses = w.All(4, 17);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0]->Word(4), 350);   // first diameter end (300 + 50, 200)
    EXPECT_EQ(ellipses[0]->Word(10), 225);  // second end (300, 200 + 50 * 0.5) on a square
    EXPECT_EQ(w.Count(5, 30), 2u);          // edge visibility on and off
    EXPECT_EQ(w.All(5, 28)[0]->Word(0), 12);
    EXPECT_EQ(w.Count(5, 23), 1u);  // fill colour once
    EXPECT_EQ(w.Count(4, 11), 1u);
    auto polygons = w.All(4, 7);
    ASSERT_EQ(polygons.size(), 4u);
    // Quarter turn of radius 100 on a drawing 600 wide: step pi / (100 * 75 / 600 + 25).
    std::size_t stepped = static_cast<std::size_t>(std::floor((kPi / 2) / (kPi / 37))) + 1;
    EXPECT_EQ(polygons[1]->params.size(), 8 + 4 * stepped);
    EXPECT_EQ(polygons[1]->Word(4), 400);  // the first arc point: (300 + 100, 200)
    EXPECT_EQ(polygons[2]->params.size(), polygons[1]->params.size());
    EXPECT_EQ(polygons[2]->Word(polygons[2]->params.size() - 4), 400);
    EXPECT_LE(polygons[3]->params.size(), 8 + 4 * (2 * 37 + 1) + 4u);  // at most one turn

    EXPECT_EQ(w.All(5, 10)[0]->Word(0), 4 * 2 - 3 + 1);
    EXPECT_EQ(w.All(5, 15)[0]->Word(0), 16);  // trunc(0.55 * 0.05 * 600)
    auto restricted = w.All(4, 5);
    ASSERT_EQ(restricted.size(), 2u);
    EXPECT_FALSE(restricted[0]->longForm);
    EXPECT_EQ(restricted[0]->params.size(), 30u);
    EXPECT_TRUE(restricted[1]->longForm);
    EXPECT_EQ(restricted[0]->Word(0), 50);  // the distance of (10, 20) and (40, 60)
    EXPECT_EQ(restricted[0]->Word(2), 20);  // trunc(1.25 * 16)
    EXPECT_EQ(restricted[1]->Word(4), 25);  // centred: midpoint x
    EXPECT_EQ(restricted[0]->Text(10), "nineteen characters");
    EXPECT_EQ(w.Count(3, 4), 4u);  // transparency off and on around the two opaque texts
    ASSERT_EQ(w.Count(4, 4), 1u);
    EXPECT_EQ(w.All(4, 4)[0]->Text(6), "twenty characters...");

    auto cells = w.All(4, 9);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0]->params.size(), 20u + 2 * 10);
    EXPECT_EQ(cells[0]->Word(12), 3);
    EXPECT_EQ(cells[0]->Word(18), 1);  // packed cells
    EXPECT_EQ(cells[0]->params[20], 0xFF);
    EXPECT_EQ(cells[0]->params[29], 0);  // row pad
    EXPECT_EQ(cells[0]->params[30], 3);  // second row starts with 0x010203: red 3
    EXPECT_EQ(cells[1]->params.size(), 20u + 30 * 120);
    EXPECT_EQ(cells[1]->partitions, 4);
}

// A metafile point holds 16 bits. Drawing that reaches beyond them is clipped to them with its
// slope and shape kept, never written with its coordinates cut to 16 bits (70000 would land
// at 4464, inside the picture); what lies wholly outside is left out.
TEST_F(Recording, DrawingBeyondSixteenBitsIsClippedNotWrapped) {
    ASSERT_EQ(Record(slot, 72, 72, 100000), 0);
    DriverOperands &o = gOperands;
    Colour(0x0000FF);
    Line(0, 0, 70000, 35000);
    Line(-100000, 300, 100000, 300);
    Line(40000, 0, 50000, 0);  // wholly outside
    o.Ixd(1) = 70000, o.Iyd(1) = 10;
    Op(kOpPoint);
    Line(1, 2, 3, 4);
    // A polyline that leaves the range and comes back: two pieces.
    const float px[] = {100, 100000, 100}, py[] = {100, 100, 200};
    SetPolygon(px, py, 3);
    Op(kOpPolyline);
    // A filled triangle reaching far out keeps its hypotenuse inside the range.
    const float tx[] = {100, 70000, 100}, ty[] = {100, 100, 40000};
    SetPolygon(tx, ty, 3);
    Op(kOpPolygonSolid);
    // A rectangle is limited to the range; one wholly outside is left out.
    o.Ixd(1) = 100, o.Iyd(1) = 100, o.Ixd(2) = 70000, o.Iyd(2) = 40000;
    Op(kOpRectangleSolid);
    o.Ixd(1) = 40000, o.Iyd(1) = 0, o.Ixd(2) = 50000, o.Iyd(2) = 10;
    Op(kOpRectangleSolid);
    // An ellipse 100000 wide and 100 high about (300, 300): its polygon, clipped.
    o.Ixd(1) = 300, o.Iyd(1) = 300, o.Ixd(2) = 100000;
    o.Rd(2) = 100000, o.Rd(3) = 0.001f;
    Op(kOpEllipseSolid);
    // Text whose position lies beyond the range is left out.
    gGraphics.widthStyle = 1;
    gGraphics.justification = 0;
    SetText("far", 3);
    o.Rd(1) = 70000, o.Rd(5) = 10, o.Rd(3) = 70100, o.Rd(7) = 10;
    Op(kOpText);
    o.Rd(1) = 10, o.Rd(3) = 100;
    Op(kOpText);
    // A gradient triangle from blue over red to green, its red corner far out.
    int gx[3] = {100, 70000, 100}, gy[3] = {100, 100, 500};
    int gc[3] = {0xFF0000, 0x0000FF, 0x00FF00};
    yygcgm9_(gx, gy, gc);
    // The same through op 40, with a corner beyond what a 32-bit integer holds: it stays far
    // out to the right.
    gGraphics.cx1 = 0, gGraphics.cy1 = 0, gGraphics.cx2 = 599, gGraphics.cy2 = 599;
    const float fx[] = {100, 1e12f, 100}, fy[] = {100, 100, 500};
    SetPolygon(fx, fy, 3);
    gGradient.count = 3;
    std::copy(gc, gc + 3, gGradient.colour);
    Op(kOpGradient);
    Op(kOpEnd);
    EXPECT_EQ(quill::LastErrorNumber(), 0);

    CgmWalk w = WalkCgm(Data(slot));
    ASSERT_EQ(CheckCgmStructure(w), "");
    using P = std::pair<int, int>;
    using Ps = std::vector<P>;
    auto lines = w.All(4, 1);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0]->Points(), Ps({{0, 0}, {32767, 16383}}));
    EXPECT_EQ(lines[1]->Points(), Ps({{-32768, 300}, {32767, 300}}));
    EXPECT_EQ(lines[2]->Points(), Ps({{1, 2}, {3, 4}}));
    EXPECT_EQ(lines[3]->Points(), Ps({{100, 100}, {32767, 100}}));
    EXPECT_EQ(lines[4]->Points(), Ps({{32767, 167}, {100, 200}}));  // 100 + 100 * 0.673

    auto polygons = w.Polygons(false);
    ASSERT_EQ(polygons.size(), 2u);
    // The hypotenuse from (70000, 100) to (100, 40000) leaves at x = 32767 and y = 32767.
    Ps triangle = polygons[0]->Points();
    ASSERT_EQ(triangle.size(), 5u);
    const auto first = std::find(triangle.begin(), triangle.end(), P(100, 100));
    ASSERT_NE(first, triangle.end());
    std::rotate(triangle.begin(), first, triangle.end());
    EXPECT_EQ(triangle[0], P(100, 100));
    EXPECT_EQ(triangle[1], P(32767, 100));
    EXPECT_EQ(triangle[2].first, 32767);
    EXPECT_NEAR(triangle[2].second, 100 + (70000.0 - 32767) / 69900 * 39900, 1);
    EXPECT_NEAR(triangle[3].first, 70000 - (32767.0 - 100) / 39900 * 69900, 1);
    EXPECT_EQ(triangle[3].second, 32767);
    EXPECT_EQ(triangle[4], P(100, 32767));

    auto rectangles = w.All(4, 11);
    ASSERT_EQ(rectangles.size(), 1u);
    EXPECT_EQ(rectangles[0]->Points(), Ps({{100, 100}, {32767, 32767}}));

    EXPECT_EQ(w.Count(4, 17), 0u) << "an ellipse whose ends do not fit is a polygon";
    const Ps ellipse = polygons[1]->Points();
    ASSERT_GT(ellipse.size(), 10u);
    int left = 0, right = 0;
    for (const P &v : ellipse) {
        EXPECT_GE(v.second, 199);
        EXPECT_LE(v.second, 401);
        left += v.first == -32768;
        right += v.first == 32767;
    }
    EXPECT_EQ(left, 2);
    EXPECT_EQ(right, 2);

    auto texts = w.All(4, 4);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->Points(0)[0], P(10, 10));

    // The gradient triangle is clipped to the picture's quarter, and split into triangles
    // whose corners carry the colours the whole triangle has there.
    auto gradients = w.Polygons(true);
    ASSERT_EQ(gradients.size(), 4u);
    EXPECT_EQ(gradients[0]->Points(), Ps({{100, 100}, {32767, 100}, {32767, 313}}));
    EXPECT_EQ(gradients[1]->Points(), Ps({{100, 100}, {32767, 313}, {100, 500}}));
    EXPECT_EQ(gradients[2]->Points(), Ps({{100, 100}, {32767, 100}, {32767, 499}}));
    auto interiors = w.All(5, 43);
    ASSERT_EQ(interiors.size(), 4u);
    EXPECT_EQ(interiors[0]->SignedWord(2), 32667);  // the offsets fit in 16 bits
    const double red = (32767.0 - 100) / 69900;     // how far along the blue-red edge
    EXPECT_NEAR(interiors[0]->params[13], 255 * red, 1);
    EXPECT_EQ(interiors[0]->params[14], 0);
    EXPECT_NEAR(interiors[0]->params[15], 255 * (1 - red), 1);
    EXPECT_EQ(interiors[0]->params[10 + 2], 255) << "the blue corner stays blue";
}

// However large the radius, an arc takes at most 100 steps a half turn, and angles
// too large to step through end after one turn's steps.
TEST_F(Recording, ArcsOfAnyRadiusOrAngleTakeBoundedSteps) {
    ASSERT_EQ(Record(slot, 72, 72, 100000), 0);
    DriverOperands &o = gOperands;
    o.Ixd(1) = 300, o.Iyd(1) = 300;
    o.Rd(2) = 30000, o.Rd(6) = 30000;
    o.Rd(3) = 0, o.Rd(7) = 6.28f;
    Op(kOpSectorSolid);
    auto bounded = [this](std::size_t count) {
        CgmWalk w = WalkCgm(Data(slot));
        auto polygons = w.All(4, 7);
        return polygons.size() == count &&
               polygons.back()->Points().size() <= 1 + 2 * kMaxArcSteps + 1 + 1;
    };
    ASSERT_TRUE(bounded(1));
    o.Rd(2) = 100, o.Rd(6) = 100;
    o.Rd(3) = 1e20f, o.Rd(7) = 1e20f;
    Op(kOpSectorSolid);
    ASSERT_TRUE(bounded(2));
    o.Rd(7) = -1e20f;
    Op(kOpSectorSolid);
    ASSERT_TRUE(bounded(3));
    Op(kOpEnd);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
    EXPECT_EQ(CheckCgmStructure(WalkCgm(Data(slot))), "");
}

// The second diameter of an ellipse is rd(2) * rd(3) across, set upright on the picture by
// the slot's aspect, the drawable's shape and the graphics area's shape.
TEST_F(Recording, EllipsesTakeTheShapeOfSlotDrawableAndArea) {
    ASSERT_EQ(Record(slot, 144, 72, 10000), 0);  // 1200 x 600, slot aspect 2
    DriverOperands &o = gOperands;
    auto ellipse = [&o] {
        o.Ixd(1) = 300, o.Iyd(1) = 200, o.Ixd(2) = 100, o.Iyd(2) = 77;
        o.Rd(2) = 100, o.Rd(3) = 0.5f;
        Op(kOpEllipseSolid);
    };
    ellipse();
    const float x1 = 0, y1 = 0, x2 = 0.5f, y2 = 1;
    igrarea_(&x1, &y1, &x2, &y2);
    ASSERT_FLOAT_EQ(gGraphics.areaWidth, 0.5f);
    ellipse();
    Op(kOpEnd);
    CgmWalk w = WalkCgm(Data(slot));
    ASSERT_EQ(CheckCgmStructure(w), "");
    auto ellipses = w.All(4, 17);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0]->Word(4), 400);
    EXPECT_EQ(ellipses[0]->Word(10), 249);  // 200 + trunc(100 * 0.5 * 2 * 599.99 / 1199.99)
    EXPECT_EQ(ellipses[1]->Word(10), 299);  // the half-wide area doubles it: 99.999
}

// In the palette model the recorded colour is the palette entry as it stands when the colour
// is sent, so a changed entry records its new value once the colours are refreshed.
TEST_F(Recording, ThePaletteModelRecordsTheEntryAsItStands) {
    yypali_();
    SetRecordingDriver(yygcgm_);
    ASSERT_EQ(Record(slot, 72, 72, 10000), 0);
    const int palette = 1, red = 31, other = 0x123456;
    igrcolourmodel_(&palette);
    igrcolourn_(&red);
    Line(0, 0, 10, 10);
    yypals_(&red, &other);
    Op(kOpRefreshColours);
    Line(0, 0, 10, 10);
    Op(kOpEnd);
    SetRecordingDriver(nullptr);
    yypali_();
    CgmWalk w = WalkCgm(Data(slot));
    ASSERT_EQ(CheckCgmStructure(w), "");
    auto colours = w.All(5, 4);
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_EQ(colours[0]->params, std::vector<unsigned char>({0xFF, 0, 0}));
    EXPECT_EQ(colours[1]->params, std::vector<unsigned char>({0x56, 0x34, 0x12}));
}

TEST_F(Recording, ByteWritersAndGradientTriangles) {
    ASSERT_EQ(Record(slot, 72, 72, 2000), 0);
    std::size_t base = Data(slot).size();
    int four = 4, five = 5;
    yygcgm7_("abcdXX", &four, 6);
    EXPECT_EQ(Data(slot).size(), base + 6);
    yygcgm7_("abcdeX", &five, 6);
    EXPECT_EQ(Data(slot).size(), base + 12);
    yygcgm8_("abcd", &four, 4);
    EXPECT_EQ(Data(slot).size(), base + 17);
    int big = 3000;
    std::vector<unsigned char> junk(3000, 1);
    yygcgm1_(junk.data(), &big);
    EXPECT_EQ(quill::LastErrorNumber(), 1062);
    EXPECT_EQ(Data(slot).size(), base + 17);

    // A slot with room for the header, one colour element, one gradient triangle (46 bytes)
    // and the end takes them all.
    ASSERT_EQ(Record(2, 72, 72, 398 + 6 + 46), 0);
    int cls = 5, id = 4, r = 1, g = 2, b = 3;
    yygcgm4_(&cls, &id, &r, &g, &b);
    int x[3] = {10, 110, 10}, y[3] = {10, 10, 90}, c[3] = {0x0000FF, 0x00FF00, 0xFF0000};
    quill::ResetErrorState();
    yygcgm9_(x, y, c);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
    EXPECT_EQ(gSlots[1].used, 394 + 6 + 46);
    Op(kOpEnd);
    CgmWalk w = WalkCgm(Data(2));
    ASSERT_EQ(CheckCgmStructure(w), "");
    EXPECT_EQ(w.Polygons(false).size(), 0u) << "no solid pieces";
    EXPECT_EQ(w.Count(5, 23), 0u);
    EXPECT_EQ(w.All(5, 4)[0]->params, std::vector<unsigned char>({1, 2, 3}));
    auto interp = w.All(5, 43);
    ASSERT_EQ(interp.size(), 1u);
    EXPECT_EQ(interp[0]->params.size(), 19u);
    EXPECT_EQ(interp[0]->Word(2), 100);
    EXPECT_EQ(interp[0]->Word(8), 80);
    EXPECT_EQ(interp[0]->params[10], 0xFF);
    EXPECT_EQ(w.All(5, 22)[0]->Word(0), 6);
    EXPECT_EQ(w.All(5, 31)[0]->Word(0), 10);
    EXPECT_EQ(w.Polygons(true).size(), 1u);
}

TEST_F(Recording, GradientFillsAndImageFilesThroughTheOperations) {
    ASSERT_EQ(Record(slot, 72, 72, 100000), 0);
    DriverOperands &o = gOperands;
    gGraphics.cx1 = 0, gGraphics.cy1 = 0, gGraphics.cx2 = 599, gGraphics.cy2 = 599;

    // A square of four coloured corners: two triangles, each one group of four elements, the
    // vertex list kept as sent for the next side of the operation.
    const float xs[] = {10, 110, 110, 10}, ys[] = {10, 10, 90.5f, 90};
    SetPolygon(xs, ys, 4);
    gGradient.count = 4;
    const int colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080};
    std::copy(colours, colours + 4, gGradient.colour);
    Op(kOpGradient);
    EXPECT_EQ(gGradient.count, 4);
    EXPECT_EQ(gGradient.colour[3], 0x808080);

    // Image files: 3 by 2 pixels read through the image reader into a cell array over the clip
    // rectangle; a missing file or a picture larger than asked records nothing.
    SetImageDataReader(ReadImageForDrivers);
    ScratchFolder folder("recording-image");
    ImagePixels image;
    image.Allocate(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            unsigned char *px = image.Row(y) + 3 * x;
            px[0] = static_cast<unsigned char>(10 * x), px[1] = static_cast<unsigned char>(y);
            px[2] = 200;  // blue, green, red
        }
    std::vector<unsigned char> bmp;
    ASSERT_EQ(EncodeBmp(image, false, bmp), 0);
    const std::string path = (folder.path / "three.bmp").string();
    int oserror = 0;
    ASSERT_EQ(WriteImageFile(path, bmp, &oserror), 0);
    SetText(path.c_str(), path.size());
    o.Ixd(2) = 3, o.Iyd(2) = 2;
    Op(kOpImage);
    EXPECT_EQ(o.Id(1), 0);
    EXPECT_EQ(quill::LastErrorNumber(), 0);
    o.Ixd(2) = 2;  // smaller than the picture
    Op(kOpImage);
    EXPECT_EQ(o.Id(1), 2);
    const std::string missing = (folder.path / "none.bmp").string();
    SetText(missing.c_str(), missing.size());
    o.Ixd(2) = 3;
    Op(kOpImage);
    EXPECT_EQ(o.Id(1), 1);
    EXPECT_NE(o.Id(2), 0);
    EXPECT_EQ(quill::LastErrorNumber(), 1);  // kept, not reported
    SetImageDataReader(nullptr);
    Op(kOpEnd);

    CgmWalk w = WalkCgm(Data(slot));
    ASSERT_EQ(CheckCgmStructure(w), "");
    auto interp = w.All(5, 43);
    ASSERT_EQ(interp.size(), 2u);
    EXPECT_EQ(w.Count(5, 31), 2u);  // fill reference points
    auto polygons = w.Polygons(true);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0]->params.size(), 12u);
    // Every corner of the square lies in one of the triangles, with its colour.
    int corners = 0;
    for (std::size_t t = 0; t < 2; ++t)
        for (int k = 0; k < 3; ++k) {
            const int x = polygons[t]->Word(4 * k), y = polygons[t]->Word(4 * k + 2);
            if (x == 110 && y == 90) ++corners;  // 90.5 made whole
            if (x == 10 && y == 10) ++corners;
        }
    EXPECT_GE(corners, 2);
    auto cells = w.All(4, 9);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0]->Word(0), 0);  // P = (cx1, cy2)
    EXPECT_EQ(cells[0]->Word(2), 599);
    EXPECT_EQ(cells[0]->Word(12), 3);  // nx, ny
    EXPECT_EQ(cells[0]->Word(14), 2);
    EXPECT_EQ(cells[0]->params[20], 200);  // the top-left pixel: red 200, green 0, blue 0
    EXPECT_EQ(cells[0]->params[21], 0);
    EXPECT_EQ(cells[0]->params[23], 200);  // the next pixel's red
    EXPECT_EQ(cells[0]->params[31], 1);    // the second row's green (after the row pad)
}

}  // namespace
