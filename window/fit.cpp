#include "window/fit.h"

#include "calc/door_time.h"

#include <charconv>
#include <exception>
#include <optional>

namespace velkora {

namespace {

    // The largest size from `points` down to the smallest legible one at which text fits.
    std::optional<double> fittingSize(std::string_view text, double points, int width, const MeasureText &measure)
    {
        for (double size = points; size >= smallestLegiblePoints; size -= 1) {
            if (measure(text, size) <= width)
                return size;
        }
        return std::nullopt;
    }

    // value with `digits` significant digits in the display's exponent form: "7.85E+13".
    std::string exponentForm(double value, int digits)
    {
        char buffer[40];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1).ptr;
        std::string text(buffer, end);
        const std::size_t e = text.find('e');
        std::string mantissa = text.substr(0, e);
        if (mantissa.find('.') != std::string::npos) {
            mantissa.erase(mantissa.find_last_not_of('0') + 1);
            if (mantissa.back() == '.')
                mantissa.pop_back();
        }
        return mantissa + 'E' + text.substr(e + 1);
    }

} // namespace

FittedText fitResult(std::string_view text, double points, int width, const MeasureText &measure)
{
    if (const auto size = fittingSize(text, points, width, measure))
        return { std::string(text), *size, false };
    double value = 0;
    try {
        value = captionValue(text);
    } catch (const std::exception &) {
        return { "###", points, false };
    }
    std::string previous;
    for (int digits = 14; digits >= 1; --digits) {
        std::string shorter = exponentForm(value, digits);
        if (shorter == previous)
            continue;
        if (const auto size = fittingSize(shorter, points, width, measure))
            return { std::move(shorter), *size, false };
        previous = std::move(shorter);
    }
    return { "###", points, false };
}

FittedText fitEntry(std::string_view text, double points, int width, const MeasureText &measure)
{
    if (const auto size = fittingSize(text, points, width, measure))
        return { std::string(text), *size, false };
    return { std::string(text), smallestLegiblePoints, true };
}

} // namespace velkora
