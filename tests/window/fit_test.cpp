// What a result display or a written entry box paints when a text is too wide for it. Text
// is measured as 0.6 of its size in points per character, so that the expected sizes and
// forms can be worked out by hand.
#include "window/fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace velkora;

namespace {

int measure(std::string_view text, double points)
{
    return static_cast<int>(std::lround(text.size() * points * 0.6));
}

struct FitCase {
    const char *name;
    const char *text;
    int width;
    const char *shown;
    double points;
};

class ResultDisplay : public testing::TestWithParam<FitCase> { };

TEST_P(ResultDisplay, ShowsTheWholeNumberOrAFormThatCannotBeMistaken)
{
    const FitCase &c = GetParam();
    const FittedText fitted = fitResult(c.text, 18, c.width, measure);
    EXPECT_EQ(fitted.text, c.shown);
    EXPECT_EQ(fitted.points, c.points);
    EXPECT_FALSE(fitted.cut);
}

INSTANTIATE_TEST_SUITE_P(Rows, ResultDisplay,
    testing::Values(
        // 4 x 18 x 0.6 = 43 pixels: the table's size.
        FitCase { "Everyday", "2.98", 60, "2.98", 18 },
        // 6 characters: 64.8 at 18 points is too wide for 60, 57.6 at 16 fits.
        FitCase { "SmallerType", "1066.8", 60, "1066.8", 16 },
        // 16 characters fit no legible size; "7.850526E+13" (8 digits, 12 characters) is
        // 57.6 wide at 8 points, "7.85052599E+13" would be 67.2.
        FitCase { "LargeWholeNumber", "78505259852409.8", 60, "7.850526E+13", 8 },
        FitCase { "LargeNegative", "-78505259852409.8", 60, "-7.85053E+13", 8 },
        FitCase { "AlreadyExponent", "4.58914897884137E+305", 60, "4.58915E+305", 8 },
        // 1.25E+20 is exactly halfway at 2 digits and goes to the even 1.2.
        FitCase { "ShortenedHalfToEven", "125000000000000000000", 35, "1.2E+20", 8 },
        // Not even one digit and the exponent fit: the does-not-fit mark.
        FitCase { "NothingFits", "78505259852409.8", 20, "###", 18 },
        FitCase { "NotANumber", "abcdefghijklmnopqrstuvwxyz", 60, "###", 18 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WrittenEntryBox, ShrinksThenShowsTheStartMarkedCut)
{
    // 12 characters: 13 points (93.6 pixels) is the largest size that fits 100.
    const FittedText smaller = fitEntry("3135802440.6", 18, 100, measure);
    EXPECT_EQ(smaller.text, "3135802440.6");
    EXPECT_EQ(smaller.points, 13);
    EXPECT_FALSE(smaller.cut);

    const FittedText cut = fitEntry("3135802440.6", 18, 50, measure);
    EXPECT_EQ(cut.text, "3135802440.6");
    EXPECT_EQ(cut.points, smallestLegiblePoints);
    EXPECT_TRUE(cut.cut);

    const FittedText everyday = fitEntry("181.437", 18, 100, measure);
    EXPECT_EQ(everyday.points, 18);
    EXPECT_FALSE(everyday.cut);
}

// A line is 1.25 of the size in points high.
int lineHeight(double points)
{
    return static_cast<int>(std::lround(points * 1.25));
}

struct CaptionCase {
    const char *name;
    const char *text;
    double points;
    int width;
    int height;
    double fitted;
    int lines;
    bool fits;
};

class Caption : public testing::TestWithParam<CaptionCase> { };

TEST_P(Caption, TakesOneLineThenWrapsThenSaysItDoesNotFit)
{
    const CaptionCase &c = GetParam();
    const FittedCaption fitted = fitCaption(c.text, c.points, c.width, c.height, measure, lineHeight);
    EXPECT_EQ(fitted.points, c.fitted);
    EXPECT_EQ(fitted.lines, c.lines);
    EXPECT_EQ(fitted.fits, c.fits);
}

INSTANTIATE_TEST_SUITE_P(Rows, Caption,
    testing::Values(
        // 15 characters: 108 pixels at 12 points.
        CaptionCase { "FitsAtItsSize", "Entrance Width:", 12, 161, 21, 12, 1, true },
        // 21 characters: 176.4 at 14, 163.8 at 13, 151.2 at 12 points for 161 pixels.
        CaptionCase { "SmallerOnOneLine", "Largeur de l'entree :", 14, 161, 21, 12, 1, true },
        // 33 characters need 158.4 pixels at 8 points: too wide for 100 on one line. At 9.75
        // points "Ouverture laterale a" (20 characters, 117) is too wide, so at 8.75:
        // "Ouverture laterale" (94.5) / "a deux vitesses" (78.75), 2 x 11 = 22 high.
        CaptionCase { "WrapsWhereTallEnough", "Ouverture laterale a deux vitesses", 9.75, 100, 33, 8.75, 2, true },
        // The same in a control one line high: nothing fits, the smallest size is kept.
        CaptionCase { "TooLongForItsControl", "Ouverture laterale a deux vitesses", 9.75, 100, 12, 8.75, 2, false },
        // A word wider than the control cannot fit however it is broken.
        CaptionCase { "WordWiderThanTheControl", "Kilogrammes", 9, 40, 100, 8, 1, false }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Caption, BreaksAtBlanksOnly)
{
    // 10 points: 6 pixels a character, 60 pixels hold 10 characters.
    EXPECT_EQ(breakCaption("Apertura lateral de dos velocidades", 10, 60, measure),
        (std::vector<std::string> { "Apertura", "lateral de", "dos", "velocidades" }));
    // A non-breaking space (two bytes here) keeps its words together.
    EXPECT_EQ(breakCaption("Masse des portes\xC2\xA0:", 10, 60, measure),
        (std::vector<std::string> { "Masse des", "portes\xC2\xA0:" }));
    EXPECT_EQ(breakCaption("", 10, 60, measure), (std::vector<std::string> { "" }));
}

} // namespace
