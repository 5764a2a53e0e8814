// The rules of the numeric edit fields apart from any window: typed characters, spin arrows
// and track-bar tick frequency.
#include <gtest/gtest.h>

#include "core/numeric_values.h"

namespace {

int Passed(int kind, int c, char decimal = '.') {
    int passed = -1;
    int action = quill::NumericCharAction(kind, c, decimal, &passed);
    return action == kCharAccept ? passed : -action - 1;  // -1 rejected, -3 select all
}

TEST(NumericChars, IntegerFieldsTakeDigitsSignsAndEditingKeys) {
    for (int c : {int('0'), int('9'), int('+'), int('-'), 3, 8, 9, 13, 22, 24, 26, 27})
        EXPECT_EQ(Passed(kNumericInteger, c), c) << c;
    for (int c : {'a', '.', 'E', 'e', 'D', ' ', ','})
        EXPECT_EQ(Passed(kNumericInteger, c), -1) << c;
    EXPECT_EQ(Passed(kNumericInteger, 1), -3);  // Ctrl+A selects all
}

TEST(NumericChars, RealFieldsTakeTheDecimalCharacterAndExponent) {
    EXPECT_EQ(Passed(kNumericReal, '.'), '.');
    EXPECT_EQ(Passed(kNumericReal, 'e'), 'E');
    EXPECT_EQ(Passed(kNumericReal, 'E'), 'E');
    EXPECT_EQ(Passed(kNumericReal, 'd'), -1);
    EXPECT_EQ(Passed(kNumericReal, 'D'), -1);
    // With a decimal comma the point is refused.
    EXPECT_EQ(Passed(kNumericReal, ',', ','), ',');
    EXPECT_EQ(Passed(kNumericReal, '.', ','), -1);
}

TEST(NumericChars, DoubleFieldsAlsoTakeD) {
    EXPECT_EQ(Passed(kNumericDouble, 'd'), 'D');
    EXPECT_EQ(Passed(kNumericDouble, 'D'), 'D');
    EXPECT_EQ(Passed(kNumericDouble, 'e'), 'E');
    EXPECT_EQ(Passed(kNumericDouble, 'x'), -1);
}

TEST(SpinValue, IntegerStepsGoToTheNextLowerMultiple) {
    // 7 + 5 = 12, brought down to 10.
    EXPECT_EQ(quill::SteppedSpinValue(7, 5, 1, 5, 1000, -1000, 1), 10);
    EXPECT_EQ(quill::SteppedSpinValue(7, -5, 1, 5, 1000, -1000, 1), 0);
    EXPECT_EQ(quill::SteppedSpinValue(7, 1, 1, 5, 1000, -1000, 1), 8);
    EXPECT_EQ(quill::SteppedSpinValue(-3, -1, 5, 5, 1000, -1000, 1), -10);
    EXPECT_EQ(quill::SteppedSpinValue(2.7, 1, 1, 5, 1000, -1000, 1), 3);
}

TEST(SpinValue, ClampedValuesStayAtTheLimit) {
    EXPECT_EQ(quill::SteppedSpinValue(9, 5, 1, 5, 0, 12, 1), 12);  // not reduced to 10
    EXPECT_EQ(quill::SteppedSpinValue(12, 1, 1, 5, 0, 12, 1), 12);
    EXPECT_DOUBLE_EQ(quill::SteppedSpinValue(0.5, -1, 1, 5, 0, 12, 0), 0.0);
    EXPECT_DOUBLE_EQ(quill::SteppedSpinValue(0.5, 1, 0.25, 5, 0, 12, 0), 0.75);
}

TEST(SpinValue, ZeroStepNeverDividesByZero) {
    EXPECT_EQ(quill::SteppedSpinValue(7, 1, 0, 0, 1000, -1000, 1), 7);
    EXPECT_EQ(quill::SteppedSpinValue(7, 5, 0, 0, 1000, -1000, 1), 7);
    EXPECT_DOUBLE_EQ(quill::SteppedSpinValue(7.5, -1, 0, 0, 1000, -1000, 0), 7.5);
}

TEST(TrackbarFrequency, NeedsTwoTicks) {
    EXPECT_EQ(quill::TrackBarTickFrequency(0, 100, 11), 10);
    EXPECT_EQ(quill::TrackBarTickFrequency(0, 100, 1), 1);
    EXPECT_EQ(quill::TrackBarTickFrequency(0, 100, 0), 1);
    EXPECT_EQ(quill::TrackBarTickFrequency(5, 5, 3), 1);
}

}  // namespace
