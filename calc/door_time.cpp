#include "calc/door_time.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

namespace velkora {

namespace {

    struct DoorConstants {
        bool centerOpening;
        double divisor;
    };

    DoorConstants constantsFor(DoorType type)
    {
        switch (type) {
        case DoorType::SideSingleSpeed:
            return { false, 21.23 };
        case DoorType::SideTwoSpeed:
            return { false, 26.86 };
        case DoorType::CenterSingleSpeed:
            return { true, 21.23 };
        case DoorType::CenterTwoSpeed:
            return { true, 26.86 };
        }
        throw std::invalid_argument("unknown door type");
    }

    // Code distance in inches: side-opening doors travel the whole width less 4 inches,
    // center-opening panels half the width less 2 inches.
    double codeDistance(bool centerOpening, double widthInches)
    {
        return centerOpening ? widthInches / 2 - 2 : widthInches - 4;
    }

    double checkedResult(double value, const char *what)
    {
        if (!std::isfinite(value))
            throw OutOfRange(what);
        return value;
    }

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // Rough decimal magnitude of the number spelled by digits[.digits] and an exponent, used
    // only to tell overflow from underflow when the parser reports a value out of range.
    bool isTooSmall(std::string_view mantissa, long long exponent)
    {
        long long magnitude = 0;
        bool seenPoint = false;
        bool seenSignificant = false;
        for (char c : mantissa) {
            if (c == '.') {
                seenPoint = true;
            } else if (seenSignificant) {
                if (!seenPoint)
                    ++magnitude;
            } else if (c != '0') {
                seenSignificant = true;
            } else if (seenPoint) {
                --magnitude;
            }
        }
        if (!seenSignificant)
            return true;
        return magnitude + exponent < 0;
    }

    constexpr std::array<double, 16> powersOfTen { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };

    std::string convertEntry(std::string_view text, double factor, bool multiply)
    {
        const double value = entryValue(text);
        const double converted = multiply ? value * factor : value / factor;
        return displayText(roundHalfEven(checkedResult(converted, "converted value out of range"), 3));
    }

} // namespace

double closeTime(DoorType type, double widthInches, double weightPounds)
{
    if (!(weightPounds >= 0))
        throw std::domain_error("door weight must not be negative");
    const DoorConstants constants = constantsFor(type);
    const double feet = codeDistance(constants.centerOpening, widthInches) / 12;
    const double product = feet * std::sqrt(weightPounds);
    const double raw = checkedResult(product / constants.divisor, "close time out of range");
    return roundHalfEven(raw, 2);
}

double nudgingTime(double shownCloseTime)
{
    return roundHalfEven(checkedResult(shownCloseTime * nudgingFactor, "nudging time out of range"), 2);
}

ShownTimes shownTimes(DoorType type, double widthInches, double weightPounds)
{
    std::string close = displayText(closeTime(type, widthInches, weightPounds));
    std::string nudging = displayText(nudgingTime(captionValue(close)));
    return { std::move(close), std::move(nudging) };
}

double entryValue(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        for (; i < n && isDigit(text[i]); ++i)
            ++digits;
    }
    if (digits == 0)
        return 0.0;
    const std::size_t mantissaEnd = i;

    // The exponent counts only when at least one digit follows the letter and its sign.
    std::size_t end = mantissaEnd;
    long long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        const std::size_t exponentStart = j;
        for (; j < n && isDigit(text[j]); ++j) {
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (text[j] - '0');
        }
        if (j > exponentStart) {
            end = j;
            if (negativeExponent)
                exponent = -exponent;
        }
    }

    const std::string_view number = text.substr(mantissaStart, end - mantissaStart);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
        std::chars_format::general);
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && std::isinf(value))) {
        if (isTooSmall(text.substr(mantissaStart, mantissaEnd - mantissaStart), exponent))
            return 0.0;
        throw OutOfRange("entry value out of range");
    }
    if (ec != std::errc() || ptr != number.data() + number.size())
        return 0.0;
    return negative ? -value : value;
}

double captionValue(std::string_view caption)
{
    // The largest doubles are shown rounded to 15 digits, which reads back as just beyond the
    // range: those two captions stand for the largest double of their sign.
    static const std::string largest = displayText(DBL_MAX);
    if (caption == largest)
        return DBL_MAX;
    if (caption.size() == largest.size() + 1 && caption.front() == '-' && caption.substr(1) == largest)
        return -DBL_MAX;

    // Only digits, point, sign and exponent: the parser alone would also take "inf" and "nan".
    const bool numeric = !caption.empty()
        && caption.find_first_not_of("0123456789.-+E") == std::string_view::npos;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(caption.data(), caption.data() + caption.size(), value,
        std::chars_format::general);
    if (numeric && ec == std::errc::result_out_of_range)
        throw OutOfRange("caption value out of range");
    if (!numeric || ec != std::errc() || ptr != caption.data() + caption.size())
        throw NotANumberCaption("caption does not hold a number");
    return value;
}

double roundHalfEven(double x, int places)
{
    if (places < 0 || places >= static_cast<int>(powersOfTen.size()))
        throw std::invalid_argument("decimal places must be 0 to 15");
    const double scale = powersOfTen[places];
    const double scaled = x * scale;
    // At 2^52 and above every double is a whole number: nothing is left to round, and scaling
    // back could only lose digits.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 0x1p52)
        return x;
    double whole = std::floor(scaled);
    const double fraction = scaled - whole; // exact below 2^52
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return whole / scale;
}

std::string displayText(double x)
{
    if (!std::isfinite(x))
        throw OutOfRange("number out of range");
    if (x == 0.0)
        return "0";
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

std::string inchesToMillimetres(std::string_view inchText)
{
    return convertEntry(inchText, millimetresPerInch, true);
}

std::string poundsToKilograms(std::string_view poundText)
{
    return convertEntry(poundText, kilogramsPerPound, true);
}

std::string millimetresToInches(std::string_view millimetreText)
{
    return convertEntry(millimetreText, millimetresPerInch, false);
}

std::string kilogramsToPounds(std::string_view kilogramText)
{
    return convertEntry(kilogramText, kilogramsPerPound, false);
}

} // namespace velkora
