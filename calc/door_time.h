// Door time calculation: the two lower limits for a power-operated elevator door, and the
// text/number rules the window uses to read entries and write results.
//
// Everything here is stateless, uses doubles throughout and never depends on the process
// locale: "." is the decimal point in both directions.
//
// A value or an intermediate result outside the double range is a failure. It comes back as
// an empty std::optional, never as an exception or as an infinity, so that the caller decides
// what the user sees, the same way on every platform.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velkora {

enum class DoorType { SideSingleSpeed, SideTwoSpeed, CenterSingleSpeed, CenterTwoSpeed };

inline constexpr double millimetresPerInch = 25.4;
inline constexpr double kilogramsPerPound = 0.45359237;
inline constexpr double nudgingFactor = 1.667;

// The two times as the window shows them: the close time's display text, and the nudging time
// worked out from that text (not from the unrounded close time).
struct ShownTimes {
    std::string close;
    std::string nudging;
};

// Minimum door close time in seconds for a full entrance width in inches and a total moving
// door weight in pounds (> 0), rounded half-to-even to 2 places. A width of 4 inches or less
// (side opening) gives zero or negative times. Empty on overflow and for a negative weight.
[[nodiscard]] std::optional<double> closeTime(DoorType type, double widthInches, double weightPounds);

// Minimum nudging close time in seconds from the close time as it is shown, rounded
// half-to-even to 2 places. Empty on overflow.
[[nodiscard]] std::optional<double> nudgingTime(double shownCloseTime);

// Both times for a door type, width in inches and weight in pounds (> 0), as display text:
// the close time, then the nudging time from the close time as shown. Empty when closeTime()
// or nudgingTime() is: then neither text is produced.
[[nodiscard]] std::optional<ShownTimes> shownTimes(DoorType type, double widthInches, double weightPounds);

// Value of an entry box: the longest leading number (blanks, sign, digits, ".", digits,
// exponent); 0 when there is none. Empty for a number beyond the double range.
[[nodiscard]] std::optional<double> entryValue(std::string_view entryText);

// Reads back a caption written by displayText(). Empty for any other text.
[[nodiscard]] std::optional<double> captionValue(std::string_view caption);

// x rounded to `places` decimal places (0 to 15), exact halves to the even neighbour.
// Values too large to carry such fractional digits come back unchanged; any other number of
// places gives NaN, which no rule shows.
[[nodiscard]] double roundHalfEven(double x, int places);

// The general text form of a number: up to 15 significant digits, no trailing zeros, no
// thousands separators, "0" for zero of either sign, exponent form ("1E-05", "1E+15") outside
// 1E-04 to 1E+15. Empty for infinities and NaN.
[[nodiscard]] std::optional<std::string> displayText(double x);

// A finite number in exponent form with at most `significantDigits` (1 to 17) significant
// digits, rounded half-to-even, without trailing zeros: "7.85E+13", "-1E-05". Zero and
// non-finite numbers come as displayText() gives them.
[[nodiscard]] std::string exponentText(double x, int significantDigits);

// Unit conversions of entry texts, rounded half-to-even to 3 places, as display text.
// Each is empty when the value or the result is beyond the double range.
[[nodiscard]] std::optional<std::string> inchesToMillimetres(std::string_view inchText);
[[nodiscard]] std::optional<std::string> poundsToKilograms(std::string_view poundText);
[[nodiscard]] std::optional<std::string> millimetresToInches(std::string_view millimetreText);
[[nodiscard]] std::optional<std::string> kilogramsToPounds(std::string_view kilogramText);

} // namespace velkora
