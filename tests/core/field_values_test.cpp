// Truncation of field values, radio group extents and combo box options.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/field_values.h"

TEST(FieldTruncate, TruncatesTowardZero) {
    EXPECT_EQ(quill::TruncateFieldValue(12.9), 12);
    EXPECT_EQ(quill::TruncateFieldValue(-12.9), -12);
    EXPECT_EQ(quill::TruncateFieldValue(0.0), 0);
    EXPECT_EQ(quill::TruncateFieldValue(2147483647.0), 2147483647);
    EXPECT_EQ(quill::TruncateFieldValue(-2147483648.0), INT_MIN);
}

TEST(FieldTruncate, SaturatesOutsideTheIntegerRange) {
    EXPECT_EQ(quill::TruncateFieldValue(1e20), INT_MAX);
    EXPECT_EQ(quill::TruncateFieldValue(-1e20), INT_MIN);
    EXPECT_EQ(quill::TruncateFieldValue(2147483647.9), INT_MAX);
    EXPECT_EQ(quill::TruncateFieldValue(HUGE_VAL), INT_MAX);
    EXPECT_EQ(quill::TruncateFieldValue(-HUGE_VAL), INT_MIN);
    EXPECT_EQ(quill::TruncateFieldValue(std::nan("")), 0);
}

namespace {

// The first and the last sibling of a group.
using Extent = std::pair<int, int>;

Extent extent(const std::vector<RadioSibling> &siblings, int button) {
    Extent e{-5, -5};
    quill::FindRadioGroup(siblings, button, &e.first, &e.second);
    return e;
}

constexpr RadioSibling kStart{true, true};    // a radio button that starts a group
constexpr RadioSibling kMember{true, false};  // a radio button inside a group
constexpr RadioSibling kOther{false, false};  // a window of another class
constexpr RadioSibling kOtherGroup{false, true};

}  // namespace

TEST(RadioGroupExtent, AnyMemberFindsTheWholeGroup) {
    // edit, [radio radio radio], edit
    std::vector<RadioSibling> s{kOtherGroup, kStart, kMember, kMember, kOtherGroup};
    for (int button = 1; button <= 3; ++button) {
        EXPECT_EQ(extent(s, button), Extent(1, 3)) << "button " << button;
    }
}

TEST(RadioGroupExtent, AGroupStyleEndsTheGroupBeforeIt) {
    // two groups of radio buttons directly after each other
    std::vector<RadioSibling> s{kStart, kMember, kStart, kMember, kMember};
    EXPECT_EQ(extent(s, 1), Extent(0, 1));
    EXPECT_EQ(extent(s, 2), Extent(2, 4));
    EXPECT_EQ(extent(s, 4), Extent(2, 4));
}

TEST(RadioGroupExtent, WithoutAGroupStyleTheClassBoundsTheGroup) {
    // a static, then radio buttons none of which starts a group, then a static
    std::vector<RadioSibling> s{kOther, kMember, kMember, kMember, kOther};
    for (int button = 1; button <= 3; ++button) {
        EXPECT_EQ(extent(s, button), Extent(1, 3)) << "button " << button;
    }
    // the buttons are the very first windows of the dialog
    std::vector<RadioSibling> t{kMember, kMember, kOther};
    EXPECT_EQ(extent(t, 1), Extent(0, 1));
}

TEST(RadioGroupExtent, ALoneButtonIsItsOwnGroup) {
    std::vector<RadioSibling> s{kOther, kStart, kOtherGroup};
    EXPECT_EQ(extent(s, 1), Extent(1, 1));
}

TEST(ComboOption, SelectionTypedTextAndNothing) {
    EXPECT_EQ(quill::ComboOptionNumber(2, false, 2), 3);    // an option chosen
    EXPECT_EQ(quill::ComboOptionNumber(-1, false, 4), 5);   // typed text equal to option 5
    EXPECT_EQ(quill::ComboOptionNumber(-1, false, -1), 0);  // a text of the user's own
    EXPECT_EQ(quill::ComboOptionNumber(-1, true, -1), kUndefinedValue);  // empty, nothing selected
    EXPECT_EQ(quill::ComboOptionNumber(0, true, -1), 1);  // selected option with an empty text
}

#include "error_status.h"
#include "quillamorph/errors.h"

TEST(FieldPutFormat, OwnFormatWinsUnlessBlank) {
    const char own[] = "(F8.2)    ";
    EXPECT_EQ(quill::PutFormat(own, 10, "(G15.5E2)"), "(F8.2)");
    EXPECT_EQ(quill::PutFormat("          ", 10, "(F6.1)"), "(F6.1)");
    EXPECT_EQ(quill::PutFormat(nullptr, 0, "(G15.5E2)"), "(G15.5E2)");
    const char withNul[] = "(F8.2)\0(I3)";
    EXPECT_EQ(quill::PutFormat(withNul, 11, "(G15.5E2)"), "(F8.2)");
    const char nulFirst[] = "\0(F8.2)";
    EXPECT_EQ(quill::PutFormat(nulFirst, 7, "(F6.1)"), "(F6.1)");
}

TEST(FieldPutFormat, LongFormatIsCutToItsWorkArea) {
    std::string longFormat = "(" + std::string(60, 'F') + ")";
    std::string used = quill::PutFormat(longFormat.data(), static_cast<int>(longFormat.size()), "");
    EXPECT_EQ(used.size(), static_cast<size_t>(kFormatChars));
}

TEST(FieldNumberText, LeftJustifiedWithoutBlanks) {
    LastError();
    EXPECT_EQ(quill::IntegerFieldText(1234567), "1234567");
    EXPECT_EQ(quill::IntegerFieldText(-5), "-5");
    EXPECT_EQ(quill::RealFieldText(3.14159f, "(F8.2)"), "3.14");
    EXPECT_EQ(quill::RealFieldText(-0.5f, "(F8.2)"), "-0.50");
    EXPECT_EQ(quill::DoubleFieldText(1234.5, "(F10.3)"), "1234.500");
    std::string g = quill::DoubleFieldText(2.5, kDefaultFieldFormat);
    EXPECT_FALSE(g.empty());
    EXPECT_NE(g[0], ' ');
    EXPECT_EQ(g.back() == ' ', false);
    EXPECT_EQ(LastError(), 0);
}

TEST(FieldNumberText, TooNarrowFormatGivesAsterisksAndError18) {
    LastError();
    EXPECT_EQ(quill::DoubleFieldText(12345.5, "(F4.1)"), "**********");
    EXPECT_EQ(LastError(), 18);
}

TEST(FieldTextValue, ValidAndInvalidTexts) {
    double v = -1.0;
    EXPECT_TRUE(quill::ParseTextValue("12.5", &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(quill::ParseTextValue("1E20", &v));
    EXPECT_DOUBLE_EQ(v, 1e20);
    EXPECT_FALSE(quill::ParseTextValue("12abc", &v));
    EXPECT_EQ(v, 0.0);
    EXPECT_EQ(LastError(), 0) << "a quiet read leaves no error behind";
}
