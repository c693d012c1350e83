#include "window/data_plate.h"

#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/identity.h"
#include "window/language.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace velkora {

namespace {

    // TRANSLATORS: the data plate's column headings, in the printed sheet, the copied text and CSV.
    constexpr std::string_view floorsHeading = translatable("Floors");
    constexpr std::string_view headings[] = {
        floorsHeading,
        translatable("Door type"),
        translatable("Width (in)"),
        translatable("Width (mm)"),
        translatable("Weight (lb)"),
        translatable("Weight (kg)"),
        translatable("Close time (s)"),
        translatable("Nudging time (s)"),
    };

    // "{1}", "{2}", ... of a translated text replaced by the values, in order.
    std::string fill(std::string_view text, std::initializer_list<std::string_view> values)
    {
        std::string filled(text);
        int number = 1;
        for (const std::string_view value : values) {
            const std::string mark = "{" + std::to_string(number++) + "}";
            if (const std::size_t at = filled.find(mark); at != std::string::npos)
                filled.replace(at, mark.size(), value);
        }
        return filled;
    }

    std::vector<std::string> cellsOf(const PlateRow &row)
    {
        return { row.floors, row.doorTypeCaption, row.widthInches, row.widthMillimetres,
            row.weightPounds, row.weightKilograms, row.closeTime, row.nudgingTime };
    }

    std::vector<std::string> headerIn(const Language &language)
    {
        std::vector<std::string> header;
        for (const std::string_view heading : headings)
            header.emplace_back(translate(language, heading));
        return header;
    }

    bool sameNumber(const std::string &a, const std::string &b)
    {
        double x = 0;
        double y = 0;
        const auto [endA, errorA] = std::from_chars(a.data(), a.data() + a.size(), x);
        const auto [endB, errorB] = std::from_chars(b.data(), b.data() + b.size(), y);
        if (errorA != std::errc {} || errorB != std::errc {} || endA != a.data() + a.size()
            || endB != b.data() + b.size())
            return a == b;
        return x == y;
    }

    // A number as the form writes one: digits, a point, an exponent, a sign before either.
    bool isNumber(std::string_view cell)
    {
        double value = 0;
        const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
        return !cell.empty() && error == std::errc {} && end == cell.data() + cell.size();
    }

    std::string csvCell(const std::string &cell)
    {
        std::string text = cell;
        if (!text.empty()
            && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos
            && !isNumber(text))
            text.insert(0, 1, '\'');
        if (text.find_first_of(",\"\r\n") == std::string::npos)
            return text;
        std::string quoted = "\"";
        for (const char c : text) {
            if (c == '"')
                quoted += '"';
            quoted += c;
        }
        return quoted + '"';
    }

    // The length of the UTF-8 sequence that starts at text[at], or 0 where none valid starts.
    std::size_t sequenceLength(std::string_view text, std::size_t at)
    {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        const unsigned char lead = byte(at);
        const std::size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6               ? 2
            : (lead >> 4) == 0xE               ? 3
            : (lead >> 3) == 0x1E              ? 4
                                               : 0;
        if (length == 0 || at + length > text.size())
            return 0;
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(at + i) & 0xC0) != 0x80)
                return 0;
        }
        return length;
    }

} // namespace

PlateAdd DataPlate::add(const frmVelkora &form)
{
    if (form.lblMinimum.caption().empty() || form.lblNudging.caption().empty())
        return PlateAdd::NoResult;
    if (all.size() >= plateRowsMax)
        return PlateAdd::Full;
    const OptionButton *const options[] = { &form.opt1, &form.opt2, &form.opt3, &form.opt4 };
    PlateRow row;
    for (int type = 1; type <= 4; ++type) {
        if (options[type - 1]->value()) {
            row.doorType = type;
            row.doorTypeCaption = shownCaption(options[type - 1]->info.caption);
        }
    }
    row.widthInches = form.txtWidth.text();
    row.widthMillimetres = form.txtWidthMetric.text();
    row.weightPounds = form.txtWeight.text();
    row.weightKilograms = form.txtWeightMetric.text();
    row.closeTime = form.lblMinimum.caption();
    row.nudgingTime = form.lblNudging.caption();
    all.push_back(std::move(row));
    return PlateAdd::Added;
}

void DataPlate::setFloors(std::size_t row, std::string_view text)
{
    if (row < all.size())
        all[row].floors = cleanFloors(text);
}

void DataPlate::remove(std::size_t row)
{
    if (row < all.size())
        all.erase(all.begin() + static_cast<std::ptrdiff_t>(row));
}

void DataPlate::move(std::size_t row, int step)
{
    const std::size_t to = row + static_cast<std::size_t>(step);
    if (row < all.size() && to < all.size())
        std::swap(all[row], all[to]);
}

bool DataPlate::differsFromFirst(std::size_t row) const
{
    if (row == 0 || row >= all.size())
        return false;
    const PlateRow &first = all.front();
    return all[row].doorType != first.doorType
        || !sameNumber(all[row].widthInches, first.widthInches);
}

void addToDataPlate(frmVelkora &form, DataPlate &plate)
{
    const Language &language = form.textLanguage();
    const std::string title(translate(language, plateWindowTitle));
    switch (plate.add(form)) {
    case PlateAdd::Added:
        return;
    case PlateAdd::NoResult:
        form.MsgBox(title,
            std::string(translate(language,
                translatable("Calculate first: the data plate takes the times the form shows."))),
            MessageIcon::Exclamation);
        return;
    case PlateAdd::Full:
        form.MsgBox(title,
            fill(translate(language,
                     translatable(
                         "The data plate holds {1} rows, its most. Remove a row to add another.")),
                { std::to_string(plateRowsMax) }),
            MessageIcon::Exclamation);
        return;
    }
}

std::string cleanFloors(std::string_view text)
{
    std::string clean;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size() && characters < floorsLengthMax;) {
        const std::size_t length = sequenceLength(text, at);
        if (length == 0) {
            ++at;
            continue;
        }
        const std::string_view character = text.substr(at, length);
        at += length;
        const auto first = static_cast<unsigned char>(character[0]);
        const bool control = first < 0x20 || first == 0x7F
            || (length == 2 && first == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0)
            || character == "\u2028" || character == "\u2029";
        if (control)
            continue;
        clean += character;
        ++characters;
    }
    return clean;
}

PlateSheet plateSheet(const DataPlate &plate, const Language &language, std::string_view date)
{
    PlateSheet sheet;
    sheet.title = translate(language, translatable("Door Data Plate: Minimum Closing Times"));
    if (!plate.rows().empty()) {
        const PlateRow &first = plate.rows().front();
        sheet.car = fill(
            translate(language, translatable("Door type: {1}. Entrance width: {2} in ({3} mm).")),
            { first.doorTypeCaption, first.widthInches, first.widthMillimetres });
    }
    sheet.header = headerIn(language);
    bool marked = false;
    for (std::size_t row = 0; row < plate.rows().size(); ++row) {
        std::vector<std::string> cells = cellsOf(plate.rows()[row]);
        if (plate.differsFromFirst(row)) {
            cells.front() += " *";
            marked = true;
        }
        sheet.rows.push_back(std::move(cells));
    }
    if (marked)
        sheet.note = translate(language,
            translatable("* Door type or entrance width differs from the first row: one car has "
                         "one entrance."));
    sheet.basis = translate(language,
        translatable("Basis: an average kinetic energy of 7 ft-lbf over the code zone distance; "
                     "the nudging time is "
                     "1.667 × the close time."));
    sheet.made = fill(
        translate(language, translatable("{1}, Velkora {2}")), { date, identity::shownVersion });
    return sheet;
}

std::vector<std::string> narrowSheet(const PlateSheet &sheet)
{
    std::vector<std::string> lines { sheet.title, sheet.car };
    for (const std::vector<std::string> &row : sheet.rows) {
        lines.emplace_back();
        lines.push_back(sheet.header[0] + ": " + row[0]);
        // A marked row's door type may be another than the car's.
        if (row[0].ends_with(" *"))
            lines.push_back(sheet.header[1] + ": " + row[1]);
        lines.push_back(sheet.header[2] + ": " + row[2] + " (" + row[3] + " mm)");
        lines.push_back(sheet.header[4] + ": " + row[4] + " (" + row[5] + " kg)");
        lines.push_back(sheet.header[6] + ": " + row[6]);
        lines.push_back(sheet.header[7] + ": " + row[7]);
    }
    lines.emplace_back();
    if (!sheet.note.empty())
        lines.push_back(sheet.note);
    lines.push_back(sheet.basis);
    lines.push_back(sheet.made);
    return lines;
}

std::string plateText(const DataPlate &plate, const Language &language)
{
    std::string text;
    const auto line = [&text](const std::vector<std::string> &cells) {
        for (std::size_t at = 0; at < cells.size(); ++at)
            text += (at ? "\t" : "") + cells[at];
        text += '\n';
    };
    line(headerIn(language));
    for (const PlateRow &row : plate.rows())
        line(cellsOf(row));
    return text;
}

std::string plateCsv(const DataPlate &plate, const Language &language)
{
    std::string csv;
    const auto line = [&csv](const std::vector<std::string> &cells) {
        for (std::size_t at = 0; at < cells.size(); ++at)
            csv += (at ? "," : "") + csvCell(cells[at]);
        csv += "\r\n";
    };
    line(headerIn(language));
    for (const PlateRow &row : plate.rows())
        line(cellsOf(row));
    return csv;
}

std::string aboutTitle(const Language &language)
{
    return std::string(translate(language, translatable("About Velkora")));
}

std::string aboutText(const Language &language)
{
    return fill(
        translate(language,
            translatable(
                "Velkora {1}\n\nMinimum door close and nudging close times of power-operated "
                "elevator doors. The times hold an average kinetic energy of 7 ft-lbf over the "
                "code zone distance, stricter than the code's 10 J (7.37 ft-lbf): they are about "
                "2.6 percent longer than tables made on the code's own limit. The nudging time is "
                "1.667 "
                "× the close time.\n\n© 2026 Velkora. All rights reserved. Velkora may be "
                "installed and used free of charge; it may be passed on only unmodified and "
                "whole.")),
        { identity::shownVersion });
}

} // namespace velkora
