// libFuzzer target: arbitrary bytes through the entry value rule, the four conversions, the
// display text and the two times. Any crash, any infinity or NaN, and any text
// that breaks the display rules is a finding.
#include "calc/door_time.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

using namespace velkora;

namespace {

[[noreturn]] void fail(const char *what, std::string_view detail)
{
    std::fprintf(stderr, "invariant broken: %s: \"%.*s\"\n", what, int(detail.size()), detail.data());
    std::abort();
}

// Display text is never empty, "-0", "inf", "nan" or a comma, and reads back as the same
// 15-digit number.
void checkShown(const std::string &text, double value)
{
    if (text.empty() || text == "-0" || text.find_first_of(",in") != std::string::npos)
        fail("display text", text);
    const std::optional<double> back = captionValue(text);
    if (!back || displayText(*back) != text)
        fail("display text does not read back", text);
    if (std::fabs(*back - value) > std::fabs(value) * 1e-14)
        fail("display text is not the number to 15 digits", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    if (const std::optional<double> value = entryValue(text)) {
        if (!std::isfinite(*value))
            fail("entry value is not finite", text);
        checkShown(displayText(*value).value(), *value);
    }

    using Conversion = std::optional<std::string> (*)(std::string_view);
    for (Conversion convert : { inchesToMillimetres, poundsToKilograms, millimetresToInches, kilogramsToPounds }) {
        if (const std::optional<std::string> shown = convert(text))
            checkShown(*shown, captionValue(*shown).value_or(NAN));
    }

    // Any eight bytes as a double: finite ones are shown, the others refused.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        const std::optional<std::string> shown = displayText(raw);
        if (shown.has_value() != std::isfinite(raw))
            fail("display of a non-finite number", text);
        if (shown)
            checkShown(*shown, raw);
    }

    // The two times, from the two halves of the input as width and weight entries.
    const std::optional<double> width = entryValue(text.substr(0, size / 2));
    const std::optional<double> weight = entryValue(text.substr(size / 2));
    if (!width || !weight)
        return 0;
    for (DoorType type : { DoorType::SideSingleSpeed, DoorType::SideTwoSpeed, DoorType::CenterSingleSpeed,
             DoorType::CenterTwoSpeed }) {
        const std::optional<double> close = closeTime(type, *width, std::fabs(*weight));
        if (!close)
            continue;
        if (!std::isfinite(*close))
            fail("close time is not finite", text);
        const std::optional<ShownTimes> shown = shownTimes(type, *width, std::fabs(*weight));
        if (!shown) {
            checkShown(displayText(*close).value(), *close);
            continue;
        }
        checkShown(shown->close, *close);
        checkShown(shown->nudging, captionValue(shown->nudging).value_or(NAN));
    }
    return 0;
}
