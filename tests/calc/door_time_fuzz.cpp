// libFuzzer target: arbitrary bytes through the entry value rule, the four conversions, the
// display text and the two times. Any failure other than OutOfRange, any crash, and any text
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
    const double back = captionValue(text);
    if (displayText(back) != text)
        fail("display text does not read back", text);
    if (std::fabs(back - value) > std::fabs(value) * 1e-14)
        fail("display text is not the number to 15 digits", text);
}

template <typename F>
bool withinRange(F &&f)
{
    try {
        f();
        return true;
    } catch (const OutOfRange &) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    double value = 0;
    if (withinRange([&] { value = entryValue(text); })) {
        if (!std::isfinite(value))
            fail("entry value is not finite", text);
        checkShown(displayText(value), value);
    }

    using Conversion = std::string (*)(std::string_view);
    for (Conversion convert : { inchesToMillimetres, poundsToKilograms, millimetresToInches, kilogramsToPounds }) {
        std::string shown;
        if (withinRange([&] { shown = convert(text); }))
            checkShown(shown, captionValue(shown));
    }

    // Any eight bytes as a double: finite ones are shown, the others refused.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        std::string shown;
        const bool shownOk = withinRange([&] { shown = displayText(raw); });
        if (shownOk != std::isfinite(raw))
            fail("display of a non-finite number", text);
        if (shownOk)
            checkShown(shown, raw);
    }

    // The two times, from the two halves of the input as width and weight entries.
    const std::string_view widthText = text.substr(0, size / 2);
    const std::string_view weightText = text.substr(size / 2);
    double width = 0;
    double weight = 0;
    if (!withinRange([&] { width = entryValue(widthText); }) || !withinRange([&] { weight = entryValue(weightText); }))
        return 0;
    weight = std::fabs(weight);
    for (DoorType type : { DoorType::SideSingleSpeed, DoorType::SideTwoSpeed, DoorType::CenterSingleSpeed,
             DoorType::CenterTwoSpeed }) {
        double close = 0;
        if (!withinRange([&] { close = closeTime(type, width, weight); }))
            continue;
        ShownTimes shown;
        if (!withinRange([&] { shown = shownTimes(type, width, weight); })) {
            checkShown(displayText(close), close);
            continue;
        }
        checkShown(shown.close, close);
        checkShown(shown.nudging, captionValue(shown.nudging));
    }
    return 0;
}
