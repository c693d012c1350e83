#include "window/fit.h"

#include "calc/door_time.h"

#include <algorithm>
#include <cmath>
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

std::vector<std::string> breakCaption(std::string_view text, double points, int width, const MeasureText &measure)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        std::string longer = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && measure(longer, points) > width) {
            lines.push_back(std::move(line));
            line = std::string(word);
        } else {
            line = std::move(longer);
        }
        start = end + 1;
    }
    lines.push_back(std::move(line));
    return lines;
}

FittedCaption fitCaption(std::string_view text, double points, int width, int height, const MeasureText &measure,
    const MeasureLine &lineHeight)
{
    if (const auto size = fittingSize(text, points, width, measure))
        return { *size, 1, true };
    for (double size = points; size >= smallestLegiblePoints; size -= 1) {
        const std::vector<std::string> lines = breakCaption(text, size, width, measure);
        const bool wide = std::any_of(lines.begin(), lines.end(), [&](const std::string &line) {
            return measure(line, size) > width;
        });
        if (!wide && static_cast<int>(lines.size()) * lineHeight(size) <= height)
            return { size, static_cast<int>(lines.size()), true };
    }
    const double smallest = std::max(smallestLegiblePoints, points - std::floor(points - smallestLegiblePoints));
    return { smallest, static_cast<int>(breakCaption(text, smallest, width, measure).size()), false };
}

FittedText fitEntry(std::string_view text, double points, int width, const MeasureText &measure)
{
    if (const auto size = fittingSize(text, points, width, measure))
        return { std::string(text), *size, false };
    return { std::string(text), smallestLegiblePoints, true };
}

} // namespace velkora
