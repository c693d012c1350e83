#include "window/fit.h"

#include "calc/door_time.h"

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

} // namespace

FittedText fitResult(std::string_view text, double points, int width, const MeasureText &measure)
{
    if (const auto size = fittingSize(text, points, width, measure))
        return { std::string(text), *size, false };
    const std::optional<double> value = captionValue(text);
    if (!value)
        return { "###", points, false };
    std::string previous;
    for (int digits = 14; digits >= 1; --digits) {
        std::string shorter = exponentText(*value, digits);
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
