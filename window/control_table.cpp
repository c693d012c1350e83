#include "window/control_table.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace velkora {

namespace {

    constexpr Font entryFont { 18, true };
    constexpr Font captionFont { 12, true };
    constexpr Font smallBold { 9.75, true };
    constexpr Font smallRegular { 9.75, false };
    constexpr Font dialogFont { 0, false };

    using K = ControlKind;
    using A = Alignment;

} // namespace

// clang-format off
const std::array<ControlInfo, 23> controlTable { {
    { "txtWidth", K::TextBox, "", "", { 4800, 720, 1575, 555 }, 0,
        translatable(" Full entrance width in inches "), entryFont, A::Left, false, {}, {},
        translatable("Entrance width in inches"), "", "" },
    { "txtWeight", K::TextBox, "", "", { 4800, 1440, 1575, 555 }, 1,
        translatable(" The sum of the hoistway and the car door weights as well as all parts rigidly connected thereto in pounds "),
        entryFont, A::Left, false, {}, {}, translatable("Door weight in pounds"), "", "" },
    { "txtWidthMetric", K::TextBox, "", "", { 6900, 720, 1575, 555 }, 2,
        translatable(" Full entrance width in millimeters "), entryFont, A::Left, false, colours::yellow, {},
        translatable("Entrance width in millimetres"), "", "" },
    { "txtWeightMetric", K::TextBox, "", "", { 6900, 1440, 1575, 555 }, 3,
        translatable(" The sum of the hoistway and the car door weights as well as all parts rigidly connected thereto in kilograms "),
        entryFont, A::Left, false, colours::yellow, {}, translatable("Door weight in kilograms"), "", "" },
    { "cmdCalculate", K::CommandButton, "", translatable("C&ALCULATE"), { 4800, 2400, 1575, 495 }, 4,
        translatable(" Calculate door times "), smallBold, A::Centre, false, {}, {}, "", "", "" },
    { "cmdClear", K::CommandButton, "", translatable("C&LEAR"), { 6900, 2400, 1575, 495 }, 5,
        translatable(" Clear all fields "), smallBold, A::Centre, false, {}, {}, "", "", "" },
    { "Frame1", K::Frame, "", translatable("DOOR TYPE"), { 60, 420, 2055, 2655 }, 10, "", dialogFont, A::Left,
        false, {}, {}, "", "", "" },
    { "opt1", K::OptionButton, "Frame1", translatable("&Side Opening Single Speed"), { 240, 240, 1695, 495 }, 6,
        "", dialogFont, A::Left, false, {}, colours::black, "", "", "" },
    { "opt2", K::OptionButton, "Frame1", translatable("Side Opening &Two Speed"), { 240, 840, 1575, 495 }, 7,
        "", dialogFont, A::Left, false, {}, {}, "", "", "" },
    { "opt3", K::OptionButton, "Frame1", translatable("&Center Opening Single Speed"), { 240, 1440, 1755, 495 }, 8,
        "", dialogFont, A::Left, false, {}, {}, "", "", "" },
    { "opt4", K::OptionButton, "Frame1", translatable("C&enter Opening Two Speed"), { 240, 2040, 1755, 495 }, 9,
        "", dialogFont, A::Left, false, {}, {}, "", "", "" },
    { "optImperial", K::OptionButton, "", translatable("&Imperial"), { 4860, 180, 1515, 315 }, 21,
        translatable(" Click for Imperial Units "), smallRegular, A::Left, false, {}, {}, "", "", "" },
    { "optMetric", K::OptionButton, "", translatable("&Metric"), { 6930, 180, 1515, 315 }, 22,
        translatable(" Click for Metric Units "), smallRegular, A::Left, false, {}, {}, "", "", "" },
    { "lblDwidth", K::Label, "", translatable("Entrance Width:"), { 2220, 900, 2415, 315 }, 13, "", captionFont,
        A::Right, false, {}, {}, "", "", "" },
    { "lblDweight", K::Label, "", translatable("Door Weight:"), { 2220, 1620, 2415, 315 }, 14, "", captionFont,
        A::Right, false, {}, {}, "", "", "" },
    // TRANSLATORS: the units of the entry boxes: inches, pounds, millimetres, kilograms.
    { "Label1", K::Label, "", translatable("IN"), { 6420, 1020, 435, 315 }, 17, "", smallBold, A::Centre, false,
        {}, {}, "", "", "" },
    { "Label2", K::Label, "", translatable("LB"), { 6420, 1740, 435, 315 }, 18, "", smallBold, A::Centre, false,
        {}, {}, "", "", "" },
    { "Label3", K::Label, "", translatable("MM"), { 8520, 1020, 435, 315 }, 19, "", smallBold, A::Centre, false,
        {}, {}, "", "", "" },
    { "Label4", K::Label, "", translatable("KG"), { 8520, 1740, 435, 315 }, 20, "", smallBold, A::Centre, false,
        {}, {}, "", "", "" },
    { "lblMinimumtime", K::Label, "", translatable("Minimum Door Close Time in Seconds:"), { 2580, 3420, 4695, 315 }, 15,
        translatable(" Closing speed shall not be faster than this for the code distance "), captionFont,
        A::Right, false, {}, {}, "", "", "lblMinimum" },
    // A result's accessible name is the number it shows; what it is comes as its description.
    { "lblMinimum", K::Label, "", "", { 7485, 3240, 1000, 495 }, 11, "", entryFont, A::Left, true,
        {}, {}, "", translatable("Minimum door close time in seconds"), "" },
    { "lblMinimumnudge", K::Label, "", translatable("Minimum Nudging Close Time in Seconds:"), { 2160, 4200, 5115, 315 }, 16,
        translatable(" Nudging speed shall not be faster than this for the code distance "), captionFont,
        A::Right, false, {}, {}, "", "", "lblNudging" },
    { "lblNudging", K::Label, "", "", { 7485, 4020, 1005, 495 }, 12, "", entryFont, A::Left, true,
        {}, {}, "", translatable("Minimum nudging close time in seconds"), "" },
} };
// clang-format on

const std::array<ControlInfo, 23> &controlTableIn(const Language &language)
{
    // Built once for each language the first time it is asked for; the views point into the
    // catalogues, which live as long as the program.
    static std::vector<std::pair<const Language *, std::array<ControlInfo, 23>>> tables;
    if (&language == &english())
        return controlTable;
    for (const auto &[built, table] : tables) {
        if (built == &language)
            return table;
    }
    std::array<ControlInfo, 23> table = controlTable;
    for (ControlInfo &info : table) {
        for (std::string_view *text : { &info.caption, &info.tooltip, &info.accessibleName, &info.accessibleDescription })
            *text = translate(language, *text);
        if (info.kind == ControlKind::TextBox)
            info.cue = translate(language, entryCue);
    }
    return tables.emplace_back(&language, table).second;
}

const ControlInfo &controlInfo(std::string_view name, const Language &language)
{
    for (const ControlInfo &info : controlTableIn(language)) {
        if (info.name == name)
            return info;
    }
    // Only the form's own names are ever asked for: any other is a mistake in the program.
    std::abort();
}

int twipsToPixels(int twips, int dotsPerInch)
{
    return static_cast<int>(std::lround(twips * static_cast<double>(dotsPerInch) / 1440));
}

int pointsToPixels(double points, int dotsPerInch)
{
    return static_cast<int>(std::lround(points * dotsPerInch / 72));
}

Twips formGeometry(const ControlInfo &info)
{
    Twips geometry = info.geometry;
    if (!info.container.empty()) {
        const Twips frame = controlInfo(info.container).geometry;
        geometry.left += frame.left;
        geometry.top += frame.top;
    }
    return geometry;
}

char accessKey(std::string_view caption)
{
    const std::size_t amp = caption.find('&');
    if (amp == std::string_view::npos || amp + 1 >= caption.size())
        return 0;
    const char key = caption[amp + 1];
    return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

std::string shownCaption(std::string_view caption)
{
    std::string shown(caption);
    if (const std::size_t amp = shown.find('&'); amp != std::string::npos)
        shown.erase(amp, 1);
    return shown;
}

double fontPoints(const Font &font)
{
    return font.points > 0 ? font.points : dialogFontPoints;
}

} // namespace velkora
