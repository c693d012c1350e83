// How a text is shown in a control too narrow for it at the control table's size, so that what
// is painted is never a cut-off number that reads as another one. The control keeps the whole
// text (screen readers, tooltips, copying and the nudging time see it); this is only the
// picture of it. Every window uses these rules with its own way of measuring text.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velkora {

// The width in pixels a text takes at a size in points, in the control's face and weight.
using MeasureText = std::function<int(std::string_view text, double points)>;

struct FittedText {
    // What is painted, at what size.
    std::string text;
    double points;
    // Only the start of the text is shown: the window adds a sign that more follows.
    bool cut;
};

// Smaller than this a caption is no longer read at a glance.
inline constexpr double smallestLegiblePoints = 8;

// A result display: the whole text at the largest size from `points` down to the smallest
// legible one that fits `width` pixels; else the number in exponent form with as many
// significant digits as fit ("7.85E+13"); else "###", as a spreadsheet shows a number wider
// than its cell.
[[nodiscard]] FittedText fitResult(std::string_view text, double points, int width, const MeasureText &measure);

// An entry box the program wrote: the whole text at the largest size that fits; else its start
// at the smallest legible size, marked cut.
[[nodiscard]] FittedText fitEntry(std::string_view text, double points, int width, const MeasureText &measure);

// The height in pixels of one line of text at a size in points, in the control's face.
using MeasureLine = std::function<int(double points)>;

struct FittedCaption {
    double points;
    // How many lines it takes, broken at blanks.
    int lines;
    // False when not even the smallest legible size fits: a caption too long for its control.
    bool fits;
};

// A caption in the room its control gives it (`width` × `height` pixels): on one line at the
// largest size from `points` down to the smallest legible one that fits; else broken at blanks
// onto as many lines as the height holds, at the largest size that fits; else at the smallest
// legible size, broken so, and marked as not fitting. A caption is never shortened.
[[nodiscard]] FittedCaption fitCaption(std::string_view text, double points, int width, int height,
    const MeasureText &measure, const MeasureLine &lineHeight);

// The lines of a caption broken at blanks to fit `width` at a size, each as long as it can be;
// a word wider than the width stands alone on its line.
[[nodiscard]] std::vector<std::string> breakCaption(std::string_view text, double points, int width,
    const MeasureText &measure);

} // namespace velkora
