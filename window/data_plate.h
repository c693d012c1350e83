// The data plate of one car: the minimum door close and nudging close times of each group of
// floors, taken from the form exactly as it shows them after CALCULATE, and what is written out
// of it for other readers: the printed sheet, tab-separated text for the clipboard, and CSV.
// It lives only in the program while it runs and in what the user saves.
#pragma once

#include "window/language.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class frmVelkora;

namespace velkora {

// At most this many rows; a floors text is one line of at most this many characters.
inline constexpr std::size_t plateRowsMax = 100;
inline constexpr std::size_t floorsLengthMax = 40;

struct PlateRow
{
    // Free text the user types: "1–12", "L", "B2–3".
    std::string floors;
    // 1 to 4: the door type option (opt1 to opt4), and its caption in the form's language.
    int doorType = 0;
    std::string doorTypeCaption;
    // The four boxes and the two results, as the form shows them.
    std::string widthInches, widthMillimetres, weightPounds, weightKilograms;
    std::string closeTime, nudgingTime;
};

enum class PlateAdd { Added, NoResult, Full };

class DataPlate
{
public:
    // Appends a row of the form's entries and results as they stand: none while the form shows
    // no result, and none past plateRowsMax rows.
    PlateAdd add(const frmVelkora &form);
    const std::vector<PlateRow> &rows() const { return all; }
    // The floors text cleaned as cleanFloors does.
    void setFloors(std::size_t row, std::string_view text);
    void remove(std::size_t row);
    // Moves a row one place up (step -1) or down (step 1); nothing past either end.
    void move(std::size_t row, int step);
    // Whether a row's door type or entrance width differs from the first row's: one car has one
    // entrance, so such a row is marked.
    bool differsFromFirst(std::size_t row) const;

private:
    std::vector<PlateRow> all;
};

// The commands that reach the plate, in the form's context menu (and on Windows the window's
// system menu), and on the site in a bar below the form; Ctrl+D opens the plate.
// TRANSLATORS: the data plate's commands and the buttons of its window.
inline constexpr std::string_view addToPlateCommand = translatable("Add to data plate");
inline constexpr std::string_view openPlateCommand = translatable("Data plate…");
inline constexpr std::string_view aboutCommand = translatable("About Velkora");
inline constexpr std::string_view plateWindowTitle = translatable("Data Plate");
inline constexpr std::string_view removeRowCommand = translatable("Remove");
inline constexpr std::string_view moveUpCommand = translatable("Move up");
inline constexpr std::string_view moveDownCommand = translatable("Move down");
inline constexpr std::string_view printCommand = translatable("Print…");
inline constexpr std::string_view copyCommand = translatable("Copy");
inline constexpr std::string_view saveCommand = translatable("Save CSV…");
inline constexpr std::string_view shareCommand = translatable("Share…");
inline constexpr std::string_view closeCommand = translatable("Close");
// TRANSLATORS: what the data plate's window says when an output could not be made; nothing on
// the plate is lost.
inline constexpr std::string_view emptyPlateMessage
    = translatable("The data plate has no rows yet: calculate, then choose Add to data plate.");
inline constexpr std::string_view noPrinterMessage
    = translatable("No printer is set up: nothing was printed.");
inline constexpr std::string_view printCancelledMessage
    = translatable("Printing was cancelled: nothing was printed.");
inline constexpr std::string_view printFailedMessage
    = translatable("Printing failed: nothing was printed.");
inline constexpr std::string_view saveFailedMessage
    = translatable("The CSV file could not be saved: {1}");
inline constexpr std::string_view copyFailedMessage
    = translatable("The rows could not be copied: {1}");
inline constexpr std::string_view shareFailedMessage
    = translatable("The rows could not be shared: {1}");

// "Add to data plate": adds the form's row, or says in a message box of the form why not.
void addToDataPlate(frmVelkora &form, DataPlate &plate);

// A floors text as one line of at most floorsLengthMax characters: control characters and line
// breaks dropped, invalid UTF-8 dropped, never cut inside a character.
[[nodiscard]] std::string cleanFloors(std::string_view text);

// The printed sheet, in the form's language: its texts and the table of rows, each marked row's
// floors followed by " *" and the note that explains the mark.
struct PlateSheet
{
    std::string title;
    // The car's door type and entrance width, from the first row.
    std::string car;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::string note;
    // What the numbers are based on, in one line.
    std::string basis;
    // The date (YYYY-MM-DD, given) and Velkora's version.
    std::string made;
};
[[nodiscard]] PlateSheet plateSheet(
    const DataPlate &plate, const Language &language, std::string_view date);
// The sheet as lines for a narrow strip (a label printer): the title, the car, then a block of
// lines for each row (its floors, a marked row's door type, width, weight and both times), the
// note, the basis and the date.
[[nodiscard]] std::vector<std::string> narrowSheet(const PlateSheet &sheet);

// The rows as tab-separated text with one header row, lines ending in "\n" (for the clipboard).
[[nodiscard]] std::string plateText(const DataPlate &plate, const Language &language);
// The rows as CSV (RFC 4180: CRLF, quotes doubled, one header row), UTF-8, "." as the decimal
// point. A cell that begins with =, +, -, @, a tab or a carriage return and is not a number is
// preceded by "'", so that no spreadsheet runs it as a formula.
[[nodiscard]] std::string plateCsv(const DataPlate &plate, const Language &language);

// The About box's title and text.
[[nodiscard]] std::string aboutTitle(const Language &language);
[[nodiscard]] std::string aboutText(const Language &language);

} // namespace velkora
