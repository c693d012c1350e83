#include "calc/door_time.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

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
            break;
        }
        return { true, 26.86 };
    }

    // Code distance in inches: side-opening doors travel the whole width less 4 inches,
    // center-opening panels half the width less 2 inches.
    double codeDistance(bool centerOpening, double widthInches)
    {
        return centerOpening ? widthInches / 2 - 2 : widthInches - 4;
    }

    std::optional<double> finite(double value)
    {
        if (!std::isfinite(value))
            return std::nullopt;
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

    // |x| (finite, not zero) as decimal digits d1 d2 d3 ... standing for d1.d2d3... x 10^exponent,
    // correctly rounded to `significant` digits, exact halves to the even neighbour, without
    // trailing zeros. It works on the exact value of the double, as a big integer in base 10^9:
    // |x| = m x 2^e is m x 2^e for e >= 0 and m x 5^-e x 10^e for e < 0.
    struct RoundedDecimal {
        std::string digits;
        int exponent;
    };

    RoundedDecimal roundedDecimal(double x, int significant)
    {
        constexpr std::uint32_t base = 1'000'000'000;
        const auto bits = std::bit_cast<std::uint64_t>(x);
        const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
        const std::uint64_t fraction = bits & ((std::uint64_t { 1 } << 52) - 1);
        const std::uint64_t mantissa = biased == 0 ? fraction : fraction | std::uint64_t { 1 } << 52;
        const int binaryExponent = (biased == 0 ? 1 : biased) - 1075;

        std::vector<std::uint32_t> limbs { static_cast<std::uint32_t>(mantissa % base),
            static_cast<std::uint32_t>(mantissa / base % base), static_cast<std::uint32_t>(mantissa / base / base) };
        const auto multiply = [&limbs](std::uint32_t factor) {
            std::uint64_t carry = 0;
            for (std::uint32_t &limb : limbs) {
                const std::uint64_t product = std::uint64_t { limb } * factor + carry;
                limb = static_cast<std::uint32_t>(product % base);
                carry = product / base;
            }
            for (; carry; carry /= base)
                limbs.push_back(static_cast<std::uint32_t>(carry % base));
        };
        int twos = binaryExponent > 0 ? binaryExponent : 0;
        int fives = binaryExponent < 0 ? -binaryExponent : 0;
        for (; twos >= 29; twos -= 29)
            multiply(std::uint32_t { 1 } << 29);
        multiply(std::uint32_t { 1 } << twos);
        for (; fives >= 13; fives -= 13)
            multiply(1'220'703'125); // 5^13
        std::uint32_t lastFives = 1;
        for (; fives > 0; --fives)
            lastFives *= 5;
        multiply(lastFives);
        while (limbs.size() > 1 && limbs.back() == 0)
            limbs.pop_back();

        std::string digits = std::to_string(limbs.back());
        for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
            const std::string part = std::to_string(*limb);
            digits += std::string(9 - part.size(), '0') + part;
        }
        int exponent = static_cast<int>(digits.size()) - 1 + (binaryExponent < 0 ? binaryExponent : 0);

        const auto kept = static_cast<std::size_t>(significant);
        if (digits.size() > kept) {
            const char next = digits[kept];
            const bool beyondHalf = digits.find_first_not_of('0', kept + 1) != std::string::npos;
            const bool odd = (digits[kept - 1] - '0') % 2 != 0;
            digits.resize(kept);
            if (next > '5' || (next == '5' && (beyondHalf || odd))) {
                std::size_t i = kept;
                while (i > 0 && digits[i - 1] == '9')
                    digits[--i] = '0';
                if (i == 0) {
                    digits.insert(digits.begin(), '1');
                    digits.pop_back();
                    ++exponent;
                } else {
                    ++digits[i - 1];
                }
            }
        }
        digits.erase(digits.find_last_not_of('0') + 1);
        return { std::move(digits), exponent };
    }

    // "7.85E+13", "1E-05": the exponent with a sign and at least two digits.
    std::string exponentForm(const RoundedDecimal &decimal)
    {
        std::string text = decimal.digits.substr(0, 1);
        if (decimal.digits.size() > 1)
            text += '.' + decimal.digits.substr(1);
        const int magnitude = decimal.exponent < 0 ? -decimal.exponent : decimal.exponent;
        return text + (decimal.exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    }

    std::optional<std::string> convertEntry(std::string_view text, double factor, bool multiply)
    {
        const std::optional<double> value = entryValue(text);
        if (!value)
            return std::nullopt;
        return displayText(roundHalfEven(multiply ? *value * factor : *value / factor, 3));
    }

} // namespace

std::optional<double> closeTime(DoorType type, double widthInches, double weightPounds)
{
    if (!(weightPounds >= 0))
        return std::nullopt;
    const DoorConstants constants = constantsFor(type);
    const double feet = codeDistance(constants.centerOpening, widthInches) / 12;
    const double product = feet * std::sqrt(weightPounds);
    return finite(roundHalfEven(product / constants.divisor, 2));
}

std::optional<double> nudgingTime(double shownCloseTime)
{
    return finite(roundHalfEven(shownCloseTime * nudgingFactor, 2));
}

std::optional<ShownTimes> shownTimes(DoorType type, double widthInches, double weightPounds)
{
    const std::optional<double> time = closeTime(type, widthInches, weightPounds);
    std::optional<std::string> close = time ? displayText(*time) : std::nullopt;
    if (!close)
        return std::nullopt;
    // The nudging time comes from the close time as shown, read back from its text.
    const std::optional<double> shown = captionValue(*close);
    const std::optional<double> nudging = shown ? nudgingTime(*shown) : std::nullopt;
    std::optional<std::string> nudgingText = nudging ? displayText(*nudging) : std::nullopt;
    if (!nudgingText)
        return std::nullopt;
    return ShownTimes { std::move(*close), std::move(*nudgingText) };
}

std::optional<double> entryValue(std::string_view text)
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
        return std::nullopt;
    }
    if (ec != std::errc() || ptr != number.data() + number.size())
        return 0.0;
    return negative ? -value : value;
}

std::optional<double> captionValue(std::string_view caption)
{
    // The largest doubles are shown rounded to 15 digits, which reads back as just beyond the
    // range: those two captions stand for the largest double of their sign.
    static const std::string largest = displayText(DBL_MAX).value_or("");
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
    if (!numeric || ec != std::errc() || ptr != caption.data() + caption.size())
        return std::nullopt;
    return value;
}

double roundHalfEven(double x, int places)
{
    if (places < 0 || places >= static_cast<int>(powersOfTen.size()))
        return std::numeric_limits<double>::quiet_NaN();
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

std::optional<std::string> displayText(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    if (x == 0.0)
        return "0";
    constexpr int significant = 15;
    const RoundedDecimal decimal = roundedDecimal(x, significant);
    const std::string &digits = decimal.digits;
    const int exponent = decimal.exponent;
    std::string text = x < 0 ? "-" : "";
    if (exponent < -4 || exponent >= significant)
        return text + exponentForm(decimal);
    if (exponent < 0)
        return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole)
        return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + '.' + digits.substr(whole);
}

std::string exponentText(double x, int significantDigits)
{
    if (x == 0.0 || !std::isfinite(x))
        return displayText(x).value_or("");
    return (x < 0 ? "-" : "") + exponentForm(roundedDecimal(x, std::clamp(significantDigits, 1, 17)));
}

std::optional<std::string> inchesToMillimetres(std::string_view inchText)
{
    return convertEntry(inchText, millimetresPerInch, true);
}

std::optional<std::string> poundsToKilograms(std::string_view poundText)
{
    return convertEntry(poundText, kilogramsPerPound, true);
}

std::optional<std::string> millimetresToInches(std::string_view millimetreText)
{
    return convertEntry(millimetreText, millimetresPerInch, false);
}

std::optional<std::string> kilogramsToPounds(std::string_view kilogramText)
{
    return convertEntry(kilogramText, kilogramsPerPound, false);
}

} // namespace velkora
