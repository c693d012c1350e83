// The window and its 23 controls as data: what every window builds its widgets from.
//
// Positions and sizes are in twips (1/1440 inch; 15 twips make a pixel at 96 dots per inch),
// font sizes in points, colours 0xBBGGRR. A "&" in a caption marks the next letter as the
// control's access key (Alt with that letter) and is not shown.
#pragma once

#include "window/controls.h"
#include "window/language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velkora {

enum class ControlKind { TextBox, CommandButton, Frame, OptionButton, Label };
enum class Alignment { Left, Centre, Right };

struct Twips {
    int left, top, width, height;
};

struct Font {
    // 0: the window's default dialog font.
    double points;
    bool bold;
};

struct ControlInfo {
    std::string_view name;
    ControlKind kind;
    // "" for the form itself, else the name of the frame that holds the control.
    std::string_view container;
    std::string_view caption;
    Twips geometry;
    // Position in the order of the Tab key.
    int tabIndex;
    std::string_view tooltip;
    Font font;
    Alignment alignment;
    // A single-line sunken border (the result displays).
    bool border;
    // Colours as built; none for the platform's default.
    std::optional<Colour> backColor;
    std::optional<Colour> foreColor;
    // What a screen reader calls the control: empty for its caption. The description is empty
    // for its tooltip.
    std::string_view accessibleName;
    std::string_view accessibleDescription;
    // A caption label names the control it describes.
    std::string_view labelFor;
    // Shown in grey in an empty entry box: none in English.
    std::string_view cue {};
};

// The face every control asks for; windows substitute a metric-compatible one where it is not
// installed.
inline constexpr std::string_view fontFace = "MS Sans Serif";
// The window's default dialog font (Frame1 and the door types): its size in pixels at 96 dots
// per inch.
inline constexpr int dialogFontPixels = 11;
inline constexpr double dialogFontPoints = dialogFontPixels * 72.0 / 96;
inline constexpr std::string_view windowCaption = " Velkora                  www.velkora.example";
inline constexpr int clientWidthTwips = 9150;
inline constexpr int clientHeightTwips = 4755;

// The controls in the order they are created (and drawn, first lowest), with their English texts.
extern const std::array<ControlInfo, 23> controlTable;
// The same controls with their texts in a language.
[[nodiscard]] const std::array<ControlInfo, 23> &controlTableIn(const Language &language);

// The entry boxes' cue in a translated window: an example number written with the decimal point
// ".", the only one the boxes read, whatever the user's language writes.
// TRANSLATORS: shown in grey in every empty entry box; keep the decimal point ".".
inline constexpr std::string_view entryCue = translatable("0.0");

// The table row of a control of that name, which must be in the table, in a language.
[[nodiscard]] const ControlInfo &controlInfo(std::string_view name, const Language &language = english());

// Twips to whole pixels at a number of dots per inch, to the nearest pixel.
[[nodiscard]] int twipsToPixels(int twips, int dotsPerInch);
// Points to whole pixels at a number of dots per inch, to the nearest pixel.
[[nodiscard]] int pointsToPixels(double points, int dotsPerInch);
// The geometry of a control relative to the form, also for one inside a frame.
[[nodiscard]] Twips formGeometry(const ControlInfo &info);
// The access key of a caption in upper case ("C&ALCULATE" gives 'A'), or 0 when it has none.
[[nodiscard]] char accessKey(std::string_view caption);
// A caption as shown: without the "&" that marks its access key.
[[nodiscard]] std::string shownCaption(std::string_view caption);
// The size in points of a control's font: the table's, or the window's default dialog font.
[[nodiscard]] double fontPoints(const Font &font);

} // namespace velkora
