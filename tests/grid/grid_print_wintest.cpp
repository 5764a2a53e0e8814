// Grid printing under Wine through the spooler's PDF printers: the print settings sets, the
// page set-up dialog, and printed grids read back (see grid_print_fixture.h).
#include "grid_print_fixture.h"

namespace {

TEST_F(GridPrint, OptionSetsStartFromTheDefaultPrinterAndKeepApart) {
    Options one = GetOptions(1);
    EXPECT_EQ(one.h, 1);
    EXPECT_EQ(one.v, 1);
    EXPECT_EQ(one.repeat, 1);
    EXPECT_EQ(one.colour, 1) << "the default printer prints in colour";
    EXPECT_EQ(one.back, 1);
    EXPECT_EQ(one.scale, 100);

    SetOptions({0, 1, 2, 1, 0, -5}, 2);
    Options two = GetOptions(2);
    EXPECT_EQ(two.h, 0);
    EXPECT_EQ(two.v, 1);
    EXPECT_EQ(two.repeat, 0) << "a switch is on only for 1";
    EXPECT_EQ(two.colour, 1);
    EXPECT_EQ(two.back, 0);
    EXPECT_EQ(two.scale, -5) << "the scale is kept as given";
    EXPECT_EQ(GetOptions(7).h, 0) << "any number but 1 is set 2";
    EXPECT_EQ(GetOptions(1).h, 1) << "set 1 untouched";

    int on = 1, set = 2;
    yygridprintsetopt_(&on, nullptr, nullptr, nullptr, nullptr, nullptr, &set);
    two = GetOptions(2);
    EXPECT_EQ(two.h, 1);
    EXPECT_EQ(two.v, 1) << "an absent argument leaves its switch";
    EXPECT_EQ(two.scale, -5);
    int h = -1;
    yygridprintgetopt_(&h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(h, 1) << "no set number: set 1";
}

TEST_F(GridPrint, ATableOfHeadersLabelsCellsAndCheckBoxes) {
    GridRecord *grid = quill::GridRecordOf(GetDlgItem(quill::CurrentDialogWindow(), kGrid));
    for (int r = 0; r < 10; ++r) PutText(kGrid, 0, r, "name" + std::to_string(r));
    int id = kGrid, column = 1, row = 2;
    double value = 4711;
    yygridputcellstring_(&id, &column, &row, &value, "4711", "", 4, 0);
    int check = 1;
    column = 3;
    yygridputcellcheck_(&id, &column, &row, &check);
    int option = 2;
    column = 4;
    yygridputcelloption_(&id, &column, &row, &option);
    ASSERT_EQ(id, kGrid);
    EXPECT_EQ(grid->nRows, 60);

    SetOptions({1, 1, 1, 0, 0, 100});
    EXPECT_EQ(Print(kGrid, 0, 9, 0, 4, "   "), 1);
    Printed p = Job("Untitled Grid", since);
    ASSERT_EQ(p.pages, 1);
    ASSERT_EQ(p.text.size(), 1u);
    const std::string &page = p.text[0];
    for (const char *header : {"Name", "Count", "Ratio", "Done"})
        EXPECT_NE(page.find(header), std::string::npos) << header;
    EXPECT_EQ(Labels(page), 10) << page;
    EXPECT_NE(page.find("R01"), std::string::npos);
    EXPECT_EQ(page.find("R11"), std::string::npos) << "only the rows asked for";
    EXPECT_NE(page.find("name9"), std::string::npos);
    EXPECT_NE(page.find("4711"), std::string::npos);
    EXPECT_NE(page.find("Pear"), std::string::npos);
    EXPECT_NE(p.fonts.find("Wingdings"), std::string::npos) << p.fonts;
    // Headers above their columns, each row on its own line below them.
    EXPECT_LT(page.find("Name"), page.find("R01"));
    auto line = page.rfind('\n', page.find("4711"));
    EXPECT_NE(page.substr(line, page.find('\n', line + 1) - line).find("R03"), std::string::npos)
        << "row 3 holds 4711";
}

TEST_F(GridPrint, RowsSpreadOverPagesWithTheHeaderOnceOrOnEveryPage) {
    std::string title = UniqueJobTitle("grid rows");
    SetOptions({1, 1, 0, 0, 0, 400});
    ASSERT_EQ(Print(kGrid, 0, 59, 0, 0, title), 1);
    Printed once = Job(title, since);
    ASSERT_GE(once.pages, 3);
    ASSERT_EQ(static_cast<int>(once.text.size()), once.pages);
    EXPECT_NE(once.text[0].find("Name"), std::string::npos);
    EXPECT_EQ(once.text[1].find("Name"), std::string::npos) << "the header only on the first page";
    int first = Labels(once.text[0]), second = Labels(once.text[1]);
    EXPECT_GT(first, 0);
    EXPECT_EQ(second, first + 1) << "later pages hold one row more";
    int total = 0;
    for (const std::string &page : once.text) total += Labels(page);
    EXPECT_EQ(total, 60) << "every row once";

    title = UniqueJobTitle("grid rows repeated");
    SetOptions({1, 1, 1, 0, 0, 400});
    ASSERT_EQ(Print(kGrid, 0, 59, 0, 0, title), 1);
    Printed every = Job(title, since);
    ASSERT_GE(every.pages, 3);
    for (int i = 0; i < every.pages; ++i)
        EXPECT_NE(every.text[static_cast<std::size_t>(i)].find("Name"), std::string::npos) << i;
    EXPECT_EQ(Labels(every.text[0]), Labels(every.text[1]));
    EXPECT_EQ(Labels(every.text[0]), first);
}

TEST_F(GridPrint, ColumnsSpreadOverPagesWithTheLabelsAsAsked) {
    for (int c = 0; c < 2; ++c) PutText(kGrid, 0, c, "cell" + std::to_string(c));
    std::string title = UniqueJobTitle("grid columns");
    SetOptions({1, 1, 1, 0, 0, 400});
    ASSERT_EQ(Print(kGrid, 0, 1, 0, 4, title), 1);
    Printed repeated = Job(title, since);
    ASSERT_GE(repeated.pages, 2) << "five columns at 400% need more than one page";
    for (const std::string &page : repeated.text) EXPECT_EQ(Labels(page), 2) << page;

    title = UniqueJobTitle("grid columns once");
    SetOptions({1, 1, 0, 0, 0, 400});
    ASSERT_EQ(Print(kGrid, 0, 1, 0, 4, title), 1);
    Printed once = Job(title, since);
    ASSERT_GE(once.pages, 2);
    EXPECT_EQ(Labels(once.text[0]), 2);
    for (std::size_t i = 1; i < once.text.size(); ++i)
        EXPECT_EQ(Labels(once.text[i]), 0) << once.text[i];
    std::string later;
    for (std::size_t i = 1; i < once.text.size(); ++i) later += once.text[i];
    EXPECT_NE(later.find("Done"), std::string::npos)
        << "the header stays on the column pages of the first rows";
    EXPECT_LE(once.pages, repeated.pages) << "without labels the later pages take as much or more";
}

TEST_F(GridPrint, BadScalesRangesAndEmptyBlocksPrintSoundly) {
    PutText(kGrid, 0, 0, "first");
    std::string normal = UniqueJobTitle("grid scale 100"), zero = UniqueJobTitle("grid scale 0");
    SetOptions({1, 1, 1, 0, 0, 100});
    ASSERT_EQ(Print(kGrid, 0, 9, 0, 0, normal), 1);
    SetOptions({1, 1, 1, 0, 0, 0});
    ASSERT_EQ(Print(kGrid, 0, 9, 0, 0, zero), 1);
    Printed a = Job(normal, since), b = Job(zero, since);
    EXPECT_EQ(a.pages, b.pages);
    ASSERT_FALSE(b.text.empty());
    EXPECT_EQ(Labels(b.text[0]), 10) << "a scale of 0 prints at 100";

    // A font higher than the page: one row a page, and the printing ends.
    std::string huge = UniqueJobTitle("grid huge");
    SetOptions({1, 1, 1, 0, 0, 30000});
    ASSERT_EQ(Print(kGrid, 0, 2, 0, 0, huge), 1);
    EXPECT_EQ(Job(huge, since).pages, 3);

    // Rows and columns beyond the grid are left out.
    std::string wide = UniqueJobTitle("grid beyond");
    SetOptions({1, 1, 1, 0, 0, 100});
    ASSERT_EQ(Print(kGrid, -5, 1000, -3, 0, wide), 1);
    Printed all = Job(wide, since);
    int total = 0;
    for (const std::string &page : all.text) total += Labels(page);
    EXPECT_EQ(total, 60);

    // Nothing to print: no job.
    std::string empty = UniqueJobTitle("grid empty");
    EXPECT_EQ(Print(kGrid, 5, 4, 0, 4, empty), 0);
    EXPECT_EQ(Print(kGrid, 60, 70, 0, 4, empty), 0);
    EXPECT_EQ(Print(kGrid, 0, 4, 5, 9, empty), 0);
    EXPECT_EQ(Print(4242, 0, 4, 0, 4, empty), 0) << "no such grid";
    EXPECT_TRUE(WaitForPdfJobs(empty, 1, 2500, since).empty());
}

// Lines of an empty 3-row block of the plain grid, found in the pixels of its page.
struct Ruling {
    int horizontal = 0, vertical = 0;
    Box box;
};
Ruling Rule(const Options &options, fs::file_time_type since) {
    std::string title = UniqueJobTitle("grid lines");
    SetOptions(options);
    EXPECT_EQ(Print(kPlain, 0, 2, 0, 1, title), 1);
    Printed p = Job(title, since);
    Ruling ruling;
    if (p.pages != 1) return ruling;
    Picture picture = Render(p, 1, 100);
    ruling.box = DarkBox(picture);
    if (ruling.box.left < 0) return ruling;
    ruling.horizontal = DarkRuns(picture, ruling.box.left + 4, 0, 0, 1);
    ruling.vertical = DarkRuns(picture, 0, ruling.box.bottom - 4, 1, 0);
    return ruling;
}

TEST_F(GridPrint, LinesFollowTheSwitches) {
    Ruling both = Rule({1, 1, 1, 0, 0, 100}, since);
    EXPECT_EQ(both.horizontal, 4) << "a line at every row boundary";
    EXPECT_EQ(both.vertical, 3) << "the outer lines and one between the columns";
    Ruling none = Rule({0, 0, 1, 0, 0, 100}, since);
    EXPECT_EQ(none.horizontal, 1) << "only the closing line under the table";
    EXPECT_EQ(none.vertical, 2) << "only the outer lines";
    Ruling rows = Rule({1, 0, 1, 0, 0, 100}, since);
    EXPECT_EQ(rows.horizontal, 4);
    EXPECT_EQ(rows.vertical, 2);
}

TEST_F(GridPrint, MarginsPositionsAndOrientation) {
    int left = 3, top = 4, set = 1, two = 144, three = 216;
    yygridprintsetpossize_(&left, &two, &set);
    yygridprintsetpossize_(&top, &three, &set);
    Ruling ruling = Rule({1, 1, 1, 0, 0, 100}, since);
    EXPECT_NEAR(ruling.box.left, 200, 3) << "two inches at 100 dpi";
    EXPECT_NEAR(ruling.box.top, 300, 3);

    std::string title = UniqueJobTitle("grid landscape");
    int orientation = 5, landscape = 2;
    yygridprintsetpossize_(&orientation, &landscape, &set);
    ASSERT_EQ(Print(kPlain, 0, 2, 0, 1, title), 1);
    Printed p = Job(title, since);
    EXPECT_GT(p.width, p.height) << "landscape paper";
    Picture picture = Render(p, 1, 100);
    Box box = DarkBox(picture);
    EXPECT_NEAR(box.left, 200, 3) << "the margins stay";
}

// Pixels close to the colour R, G, B.
int Pixels(const Picture &picture, int r, int g, int b) {
    int n = 0;
    for (std::size_t k = 0; k + 2 < picture.rgb.size(); k += 3)
        if (std::abs(picture.rgb[k] - r) < 40 && std::abs(picture.rgb[k + 1] - g) < 40 &&
            std::abs(picture.rgb[k + 2] - b) < 40)
            ++n;
    return n;
}

TEST_F(GridPrint, ColoursOfCellsAndColumnsWhenAsked) {
    int id = kPlain, c0 = 0, c1 = 1, r0 = 0, r1 = 1, keep = -1, red = 255, zero = 0, full = 255;
    // Column 1 on yellow, its first cell in red letters, the second column's second cell on blue.
    yygridcolourcolumn_(&id, &c0, &keep, &keep, &keep, &full, &full, &zero);
    yygridcolourcell_(&id, &c0, &r0, &red, &zero, &zero, &keep, &keep, &keep);
    yygridcolourcell_(&id, &c1, &r1, &keep, &keep, &keep, &zero, &zero, &full);
    ASSERT_EQ(id, kPlain);
    PutText(kPlain, 0, 0, "WWWWWWWW");
    PutText(kPlain, 0, 1, "MMMMMMMM");

    auto print = [&](int colours) {
        std::string title = UniqueJobTitle("grid colours");
        SetOptions({1, 1, 1, colours, colours, 200});
        EXPECT_EQ(Print(kPlain, 0, 2, 0, 1, title), 1);
        Printed p = Job(title, since);
        return p.pages == 1 ? Render(p, 1, 100) : Picture();
    };
    Picture coloured = print(1);
    EXPECT_GT(Pixels(coloured, 255, 0, 0), 20) << "red letters";
    EXPECT_GT(Pixels(coloured, 255, 255, 0), 500) << "the yellow column";
    EXPECT_GT(Pixels(coloured, 0, 0, 255), 200) << "the blue cell";
    Picture plain = print(0);
    EXPECT_GT(plain.DarkCount(), 100) << "black letters";
    EXPECT_EQ(Pixels(plain, 255, 0, 0), 0);
    EXPECT_EQ(Pixels(plain, 255, 255, 0), 0);
    EXPECT_EQ(Pixels(plain, 0, 0, 255), 0);
}

// The page set-up dialog's margin fields (left, top, right, bottom).
constexpr int kLeftMargin = 0x483;

TEST_F(GridPrint, PageSetUpTakesMarginsInTheUnitsAsked) {
    int inches = 0, set = 1;
    std::string shown;
    int left = modal::Run({[&](HWND box) {
                              SetDlgItemTextA(box, kLeftMargin, "1.5");
                              PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          }},
                          [&] { yygridprintsetup_(&inches, &set); });
    EXPECT_EQ(left, 0) << "the page set-up dialog was shown";
    Ruling ruling = Rule({1, 1, 1, 0, 0, 100}, since);
    EXPECT_NEAR(ruling.box.left, 150, 3) << "1.5 inches at 100 dpi";

    int metric = 2;
    left = modal::Run({[&](HWND box) {
                          char text[64] = "";
                          GetDlgItemTextA(box, kLeftMargin, text, sizeof text);
                          shown = text;
                          PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                      }},
                      [&] { yygridprintsetup_(&metric, &set); });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(shown.substr(0, 4), "38.1")
        << "1500 thousandths of an inch are 3810 hundredths of a millimetre: " << shown;
    ruling = Rule({1, 1, 1, 0, 0, 100}, since);
    EXPECT_NEAR(ruling.box.left, 150, 3) << "a cancelled dialog keeps the margins";

    int locale = -1;  // the tests run in a locale of U.S. measures
    left = modal::Run({[&](HWND box) {
                          char text[64] = "";
                          GetDlgItemTextA(box, kLeftMargin, text, sizeof text);
                          shown = text;
                          PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                      }},
                      [&] { yygridprintsetup_(&locale, &set); });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(shown.substr(0, 3), "1.4")
        << "3810 hundredths of a millimetre back in inches are 1499 thousandths: " << shown;
}

}  // namespace
