// Door time calculation: the two lower limits for a power-operated elevator door, and the
// text/number rules the window uses to read entries and write results.
//
// Everything here is stateless, uses doubles throughout and never depends on the process
// locale: "." is the decimal point in both directions.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velkora {

enum class DoorType { SideSingleSpeed, SideTwoSpeed, CenterSingleSpeed, CenterTwoSpeed };

// Thrown when a value or an intermediate result falls outside the double range.
class OutOfRange : public std::range_error
{
public:
    using std::range_error::range_error;
};

// Thrown when a caption that should hold a number written by displayText() does not.
class NotANumberCaption : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

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
// (side opening) gives zero or negative times. Throws OutOfRange on overflow and
// std::domain_error for a negative weight.
[[nodiscard]] double closeTime(DoorType type, double widthInches, double weightPounds);

// Minimum nudging close time in seconds from the close time as it is shown, rounded
// half-to-even to 2 places. Throws OutOfRange on overflow.
[[nodiscard]] double nudgingTime(double shownCloseTime);

// Both times for a door type, width in inches and weight in pounds (> 0), as display text:
// the close time, then the nudging time from the close time as shown. Throws as closeTime()
// and nudgingTime() do; on a failure neither text is produced.
[[nodiscard]] ShownTimes shownTimes(DoorType type, double widthInches, double weightPounds);

// Value of an entry box: the longest leading number (blanks, sign, digits, ".", digits,
// exponent); 0 when there is none. Throws OutOfRange for a number beyond the double range.
[[nodiscard]] double entryValue(std::string_view entryText);

// Reads back a caption written by displayText(). Throws NotANumberCaption for any other text.
[[nodiscard]] double captionValue(std::string_view caption);

// x rounded to `places` decimal places (0 to 15), exact halves to the even neighbour.
// Values too large to carry such fractional digits come back unchanged.
[[nodiscard]] double roundHalfEven(double x, int places);

// The general text form of a number: up to 15 significant digits, no trailing zeros, no
// thousands separators, "0" for zero of either sign, exponent form ("1E-05", "1E+15") outside
// 1E-04 to 1E+15. Throws OutOfRange for infinities and NaN.
[[nodiscard]] std::string displayText(double x);

// Unit conversions of entry texts, rounded half-to-even to 3 places, as display text.
// Each throws OutOfRange when the value or the result is beyond the double range.
[[nodiscard]] std::string inchesToMillimetres(std::string_view inchText);
[[nodiscard]] std::string poundsToKilograms(std::string_view poundText);
[[nodiscard]] std::string millimetresToInches(std::string_view millimetreText);
[[nodiscard]] std::string kilogramsToPounds(std::string_view kilogramText);

} // namespace velkora
