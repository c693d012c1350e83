// The calculation core, case by case. Expected values are the worked examples and hand arithmetic.
#include "calc/door_time.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <random>
#include <string>
#include <vector>

using namespace velkora;

namespace {

// --- the two times -------------------------------------------------------------------------

struct TimeCase {
    const char *name;
    DoorType type;
    double width;
    double weight;
    const char *close;
    const char *nudging;
};

class DoorTimes : public testing::TestWithParam<TimeCase> { };

TEST_P(DoorTimes, ShowsCloseAndNudgingTime)
{
    const TimeCase &c = GetParam();
    const std::optional<ShownTimes> shown = shownTimes(c.type, c.width, c.weight);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->close, c.close);
    EXPECT_EQ(shown->nudging, c.nudging);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, DoorTimes,
    testing::Values(
        TimeCase { "SideSingle_42in_400lb", DoorType::SideSingleSpeed, 42, 400, "2.98", "4.97" },
        TimeCase { "SideTwo_42in_400lb", DoorType::SideTwoSpeed, 42, 400, "2.36", "3.93" },
        TimeCase { "CenterSingle_42in_400lb", DoorType::CenterSingleSpeed, 42, 400, "1.49", "2.48" },
        TimeCase { "CenterTwo_42in_400lb", DoorType::CenterTwoSpeed, 42, 400, "1.18", "1.97" },
        // 1.03 x 1.667 = 1.71701: the nudging time comes from the rounded close time.
        TimeCase { "SideSingle_30in_101lb", DoorType::SideSingleSpeed, 30, 101, "1.03", "1.72" },
        // 38 / 12 x sqrt(1135) / 21.23 = 5.0252; 5.03 x 1.667 = 8.38501. A factor of 1.6667
        // (8.383501) or 5/3 (8.38333) would show 8.38.
        TimeCase { "SideSingle_42in_1135lb_NudgingFactor", DoorType::SideSingleSpeed, 42, 1135, "5.03", "8.39" },
        // 38 / 12 x sqrt(1122) / 21.23 = 4.99634; 5 x 1.667 = 8.335 goes to the even 8.34, where
        // 1.6667 gives 8.3335 and 8.33.
        TimeCase { "SideSingle_42in_1122lb_NudgingHalf", DoorType::SideSingleSpeed, 42, 1122, "5", "8.34" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(EdgeWidths, DoorTimes,
    testing::Values(
        TimeCase { "SideSingle_4in_NoCodeDistance", DoorType::SideSingleSpeed, 4, 400, "0", "0" },
        TimeCase { "SideTwo_4in_NoCodeDistance", DoorType::SideTwoSpeed, 4, 250, "0", "0" },
        TimeCase { "CenterSingle_4in_NoCodeDistance", DoorType::CenterSingleSpeed, 4, 400, "0", "0" },
        TimeCase { "CenterTwo_4in_NoCodeDistance", DoorType::CenterTwoSpeed, 4, 9, "0", "0" },
        // (3 - 4) / 12 x 10 / 21.23 = -0.03925; -0.04 x 1.667 = -0.06668.
        TimeCase { "SideSingle_3in_100lb_Negative", DoorType::SideSingleSpeed, 3, 100, "-0.04", "-0.07" },
        // (1.5 - 2) / 12 x 10 / 21.23 = -0.01963.
        TimeCase { "CenterSingle_3in_100lb_Negative", DoorType::CenterSingleSpeed, 3, 100, "-0.02", "-0.03" },
        // -0.001 / 12 / 21.23 rounds to a negative zero, which is shown as plain zero.
        TimeCase { "SideSingle_JustUnder4in_NegativeZero", DoorType::SideSingleSpeed, 3.999, 1, "0", "0" },
        // 15 x 1.667 = 25.005 scales to exactly 2500.5, which goes to the even 2500.
        TimeCase { "SideSingle_195in_400lb_HalfToEven", DoorType::SideSingleSpeed, 195.07, 400, "15", "25" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DoorTimes, TwoSpeedIsShorterBySpeedRatio)
{
    // W = 1204 in, M = 10000 lb: D / 12 x sqrt(M) = 10000 s.in, large enough that rounding to
    // hundredths hides nothing of the ratio 21.23 / 26.86.
    const double single = closeTime(DoorType::SideSingleSpeed, 1204, 10000).value();
    const double two = closeTime(DoorType::SideTwoSpeed, 1204, 10000).value();
    EXPECT_EQ(displayText(single), "471.03");
    EXPECT_EQ(displayText(two), "372.3");
    EXPECT_NEAR(two / single, 21.23 / 26.86, 1e-5);
}

TEST(DoorTimes, OverflowIsAFailureNotInfinity)
{
    EXPECT_EQ(closeTime(DoorType::SideSingleSpeed, 1e307, 1e300), std::nullopt);
    EXPECT_EQ(closeTime(DoorType::SideSingleSpeed, DBL_MAX, 400), std::nullopt);
    EXPECT_EQ(nudgingTime(DBL_MAX), std::nullopt);
    // 7E306 in with 19,000,000 lb overflows on the way: no text at all, not even the first.
    EXPECT_FALSE(shownTimes(DoorType::SideSingleSpeed, 7e306, 19000000));
    EXPECT_EQ(closeTime(DoorType::SideSingleSpeed, 42, -1), std::nullopt);
    // Large but finite results are rounded and shown, never turned into inf.
    EXPECT_EQ(displayText(closeTime(DoorType::SideSingleSpeed, 1e300, 1e4).value()), "3.92526299262051E+299");
}

// --- rounding ------------------------------------------------------------------------------

struct RoundCase {
    double x;
    int places;
    double expected;
};

class RoundHalfEven : public testing::TestWithParam<RoundCase> { };

TEST_P(RoundHalfEven, RoundsHalvesToEven)
{
    const RoundCase &c = GetParam();
    EXPECT_EQ(roundHalfEven(c.x, c.places), c.expected) << c.x << " to " << c.places;
}

INSTANTIATE_TEST_SUITE_P(ExactHalves, RoundHalfEven,
    testing::Values(RoundCase { 0.125, 2, 0.12 }, RoundCase { 0.375, 2, 0.38 },
        RoundCase { -0.125, 2, -0.12 }, RoundCase { 2.5, 0, 2 }, RoundCase { 3.5, 0, 4 },
        RoundCase { -2.5, 0, -2 }, RoundCase { 0.0625, 3, 0.062 }, RoundCase { 1.0625, 3, 1.062 },
        RoundCase { 1.1875, 3, 1.188 }));

INSTANTIATE_TEST_SUITE_P(NotHalves, RoundHalfEven,
    testing::Values(RoundCase { 2.98320, 2, 2.98 }, RoundCase { 1.02566, 2, 1.03 },
        RoundCase { 42 * 25.4, 3, 1066.8 }, RoundCase { 99.99992, 3, 100 },
        RoundCase { -0.03925, 2, -0.04 }, RoundCase { 0.0004999, 3, 0 }));

INSTANTIATE_TEST_SUITE_P(TooLargeToRound, RoundHalfEven,
    testing::Values(RoundCase { 1e300, 3, 1e300 }, RoundCase { DBL_MAX, 2, DBL_MAX },
        RoundCase { -DBL_MAX, 3, -DBL_MAX }, RoundCase { 4503599627370497.0, 2, 4503599627370497.0 },
        RoundCase { 1e17 + 16, 3, 1e17 + 16 }));

TEST(RoundHalfEvenLimits, PlacesOutsideTheTableGiveNoNumber)
{
    EXPECT_TRUE(std::isnan(roundHalfEven(1.5, -1)));
    EXPECT_TRUE(std::isnan(roundHalfEven(1.5, 16)));
    EXPECT_EQ(displayText(roundHalfEven(1.5, 16)), std::nullopt);
}

// --- entry values --------------------------------------------------------------------------

struct EntryCase {
    const char *text;
    double expected;
};

class EntryValue : public testing::TestWithParam<EntryCase> { };

TEST_P(EntryValue, ReadsTheLeadingNumber)
{
    const EntryCase &c = GetParam();
    EXPECT_EQ(entryValue(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Examples, EntryValue,
    testing::Values(EntryCase { "42", 42 }, EntryCase { "42.5in", 42.5 }, EntryCase { "abc", 0 },
        EntryCase { "", 0 }, EntryCase { "-5", -5 }, EntryCase { "12abc", 12 }, EntryCase { " 7", 7 },
        EntryCase { ".", 0 }, EntryCase { "\t 3.25", 3.25 }, EntryCase { "+8", 8 },
        EntryCase { ".5", 0.5 }, EntryCase { "-.5", -0.5 }, EntryCase { "5.", 5 },
        EntryCase { "007", 7 }, EntryCase { "1.2.3", 1.2 }, EntryCase { "42 in", 42 }));

INSTANTIATE_TEST_SUITE_P(Exponents, EntryValue,
    testing::Values(EntryCase { "1E3", 1000 }, EntryCase { "1e-2", 0.01 },
        EntryCase { "2.5E+1", 25 }, EntryCase { "1e", 1 }, EntryCase { "1e+", 1 },
        EntryCase { "3E-x", 3 }, EntryCase { "1e2.5", 100 }, EntryCase { "1E308", 1e308 },
        EntryCase { "0.0001E310", 1e306 }, EntryCase { "1E-400", 0 }, EntryCase { "-1E-400", 0 },
        EntryCase { "0e99999999999999999999", 0 }, EntryCase { "1e-99999999999999999999", 0 },
        EntryCase { "1000000000000000000000E-21", 1 }));

// Forms a C library would read but the entry rule does not.
INSTANTIATE_TEST_SUITE_P(NotNumbers, EntryValue,
    testing::Values(EntryCase { "0x10", 0 }, EntryCase { "inf", 0 }, EntryCase { "-infinity", 0 },
        EntryCase { "nan", 0 }, EntryCase { "1,5", 1 }, EntryCase { "--5", 0 },
        EntryCase { "+-5", 0 }, EntryCase { "- 5", 0 }, EntryCase { "\n5", 0 },
        EntryCase { "\xef\xbc\x95", 0 }, EntryCase { "1_000", 1 }));

TEST(EntryValueRange, NumbersBeyondDoubleRangeAreFailures)
{
    EXPECT_EQ(entryValue("1E400"), std::nullopt);
    EXPECT_EQ(entryValue("-1E400"), std::nullopt);
    EXPECT_EQ(entryValue(std::string(400, '9')), std::nullopt);
    EXPECT_EQ(entryValue("1e99999999999999999999"), std::nullopt);
    EXPECT_EQ(entryValue("1.8E308"), std::nullopt);
    EXPECT_EQ(entryValue("1.7976931348623157E308"), DBL_MAX);
    EXPECT_EQ(entryValue("0." + std::string(400, '0') + "1E400"), 0.1);
}

// --- display text --------------------------------------------------------------------------

struct DisplayCase {
    double x;
    const char *expected;
};

class DisplayText : public testing::TestWithParam<DisplayCase> { };

TEST_P(DisplayText, WritesTheGeneralForm)
{
    const DisplayCase &c = GetParam();
    EXPECT_EQ(displayText(c.x), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, DisplayText,
    testing::Values(DisplayCase { 1066.8, "1066.8" }, DisplayCase { 1.80, "1.8" },
        DisplayCase { 36.000, "36" }, DisplayCase { 0, "0" }, DisplayCase { -0.04, "-0.04" },
        DisplayCase { 0.5, "0.5" }, DisplayCase { 1234567, "1234567" },
        DisplayCase { 0.1 + 0.2, "0.3" }, DisplayCase { 2.0 / 3, "0.666666666666667" },
        DisplayCase { 123456789012345, "123456789012345" }, DisplayCase { 0.0001, "0.0001" }));

INSTANTIATE_TEST_SUITE_P(ExponentForm, DisplayText,
    testing::Values(DisplayCase { 1e15, "1E+15" }, DisplayCase { 0.00001, "1E-05" },
        DisplayCase { -2.5e-7, "-2.5E-07" }, DisplayCase { DBL_MAX, "1.79769313486232E+308" }));

INSTANTIATE_TEST_SUITE_P(NeverMinusZero, DisplayText,
    testing::Values(DisplayCase { -0.0, "0" }, DisplayCase { roundHalfEven(-0.00001, 2), "0" },
        DisplayCase { roundHalfEven(-0.004, 2), "0" }, DisplayCase { roundHalfEven(-0.0, 3), "0" }));

TEST(DisplayTextRange, InfinityAndNanAreFailures)
{
    EXPECT_EQ(displayText(HUGE_VAL), std::nullopt);
    EXPECT_EQ(displayText(-HUGE_VAL), std::nullopt);
    EXPECT_EQ(displayText(std::nan("")), std::nullopt);
}

// The display rule works on the exact value of the double: it must agree with the standard
// library's correctly rounded conversion for every kind of double, and round exact halves to
// the even neighbour.
std::string standardForm(double x, std::chars_format format, int precision)
{
    char buffer[64];
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, x, format, precision).ptr);
    if (const auto e = text.find('e'); e != std::string::npos) {
        text[e] = 'E';
        if (format == std::chars_format::scientific) {
            std::string mantissa = text.substr(0, e);
            if (mantissa.find('.') != std::string::npos) {
                mantissa.erase(mantissa.find_last_not_of('0') + 1);
                if (mantissa.back() == '.')
                    mantissa.pop_back();
            }
            text = mantissa + text.substr(e);
        }
    }
    return text;
}

TEST(DisplayTextDigits, AgreesWithCorrectRoundingOnRandomDoubles)
{
    std::mt19937_64 random(20261210);
    std::vector<double> samples { DBL_MAX, -DBL_MAX, DBL_MIN, 4.9e-324, 2.2250738585072009e-308,
        0.1, 0.3, 1e15 - 1, 999999999999999.5, 9.999999999999995e-5, 0.00009999999999999995, 123456789012345.5,
        5e-324, 1e308, 1e22, 1e23, 2.5, 0.125, 1.0000000000000002 };
    for (int i = 0; i < 20000; ++i) {
        const double x = std::bit_cast<double>(random());
        if (std::isfinite(x) && x != 0)
            samples.push_back(x);
        // Short decimals, where halves and runs of nines are common.
        samples.push_back(static_cast<double>(random() % 2000001) / std::pow(10.0, static_cast<double>(random() % 12)));
    }
    for (double x : samples) {
        if (x == 0)
            continue;
        ASSERT_EQ(displayText(x), standardForm(x, std::chars_format::general, 15)) << std::hexfloat << x;
        const int digits = 1 + static_cast<int>(std::bit_cast<std::uint64_t>(x) % 17);
        ASSERT_EQ(exponentText(x, digits), standardForm(x, std::chars_format::scientific, digits - 1))
            << std::hexfloat << x << " to " << digits;
    }
}

// Exact halves at the fifteenth digit go to the even neighbour.
INSTANTIATE_TEST_SUITE_P(ExactHalvesToEven, DisplayText,
    testing::Values(DisplayCase { 999999999999999.5, "1E+15" }, DisplayCase { 999999999999998.5, "999999999999998" },
        DisplayCase { 12345678901234.25, "12345678901234.2" }, DisplayCase { 12345678901234.75, "12345678901234.8" },
        DisplayCase { -0.000123456789012345, "-0.000123456789012345" }));

TEST(ExponentText, RoundsTheExactValue)
{
    EXPECT_EQ(exponentText(0.125, 2), "1.2E-01"); // exactly half: to the even 2
    EXPECT_EQ(exponentText(0.375, 2), "3.8E-01");
    EXPECT_EQ(exponentText(78500000000000.5, 3), "7.85E+13");
    EXPECT_EQ(exponentText(-99999, 2), "-1E+05");
    EXPECT_EQ(exponentText(1e-5, 17), "1.0000000000000001E-05");
    EXPECT_EQ(exponentText(0, 3), "0");
}

TEST(CaptionValue, ReadsBackWhatDisplayTextWrote)
{
    const auto shown = [](double x) { return displayText(x).value(); };
    for (double x : { 2.98, -0.04, 15.0, 1e-5, 1066.8, 181.437, 0.0 })
        EXPECT_EQ(captionValue(shown(x)), x) << shown(x);
    EXPECT_EQ(captionValue(shown(DBL_MAX)), DBL_MAX);
    EXPECT_EQ(captionValue(shown(-DBL_MAX)), -DBL_MAX);
    for (double x : { 2.0 / 3, -1e-300, 4.9e-324 })
        EXPECT_EQ(displayText(captionValue(shown(x)).value()), shown(x));
    EXPECT_EQ(captionValue("2.98"), 2.98);
    EXPECT_EQ(captionValue("-0.04"), -0.04);
    EXPECT_EQ(captionValue("1E-05"), 1e-5);
    EXPECT_EQ(captionValue("15"), 15);
}

TEST(CaptionValue, RejectsTextItNeverWrites)
{
    for (const char *text : { "", "abc", "2,98", "2.98s", " 2.98", "0x10", "inf", "nan", "e5", "1e5" })
        EXPECT_EQ(captionValue(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(captionValue("1E400"), std::nullopt);
}

// --- unit conversion -----------------------------------------------------------------------

using Conversion = std::optional<std::string> (*)(std::string_view);

struct ConversionCase {
    const char *name;
    Conversion convert;
    const char *entry;
    const char *expected;
};

class UnitConversion : public testing::TestWithParam<ConversionCase> { };

TEST_P(UnitConversion, ConvertsToThreePlaces)
{
    const ConversionCase &c = GetParam();
    EXPECT_EQ(c.convert(c.entry), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, UnitConversion,
    testing::Values(ConversionCase { "Inches_42", inchesToMillimetres, "42", "1066.8" },
        ConversionCase { "Pounds_400", poundsToKilograms, "400", "181.437" },
        ConversionCase { "Millimetres_1067", millimetresToInches, "1067", "42.008" },
        ConversionCase { "Kilograms_181", kilogramsToPounds, "181", "399.037" },
        ConversionCase { "Kilograms_45_3592", kilogramsToPounds, "45.3592", "100" },
        ConversionCase { "Inches_36", inchesToMillimetres, "36", "914.4" },
        ConversionCase { "Millimetres_914_4", millimetresToInches, "914.4", "36" }),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Edges, UnitConversion,
    testing::Values(ConversionCase { "EmptyInches", inchesToMillimetres, "", "0" },
        ConversionCase { "EmptyPounds", poundsToKilograms, "", "0" },
        ConversionCase { "TextKilograms", kilogramsToPounds, "abc", "0" },
        ConversionCase { "TinyMillimetres", millimetresToInches, "0.01", "0" },
        ConversionCase { "NegativeInches", inchesToMillimetres, "-5", "-127" },
        ConversionCase { "TinyNegativeMillimetres", millimetresToInches, "-0.01", "0" },
        ConversionCase { "UnitSuffixPounds", poundsToKilograms, "400lb", "181.437" },
        ConversionCase { "HugeMillimetres", millimetresToInches, "1E308", "3.93700787401575E+306" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UnitConversionRange, ResultsBeyondDoubleRangeAreFailures)
{
    EXPECT_EQ(inchesToMillimetres("1E307"), std::nullopt);
    EXPECT_EQ(kilogramsToPounds("1.7E308"), std::nullopt);
    EXPECT_EQ(poundsToKilograms("1E400"), std::nullopt);
    EXPECT_EQ(millimetresToInches(std::string(400, '9')), std::nullopt);
}

// --- locale --------------------------------------------------------------------------------

// Run under a decimal-comma locale, the C library itself writes "1,5": the rules above must not.
TEST(Locale, DecimalCommaLocaleIsActiveWhenAsked)
{
    if (!std::getenv("VELKORA_EXPECT_DECIMAL_COMMA"))
        GTEST_SKIP() << "running under the locale of the environment";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    EXPECT_STREQ(buffer, "1,5") << "the decimal-comma locale is not installed (locale-gen)";
}

} // namespace

int main(int argc, char **argv)
{
    // As a Qt program does at start-up: take the locale from the environment.
    std::setlocale(LC_ALL, "");
#if __cpp_exceptions
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error &) {
        std::fprintf(stderr, "locale from the environment is not available\n");
    }
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
