#include "window/web/webmarkup.h"

#include "window/control_table.h"
#include "window/data_plate.h"
#include "window/frmvelkora.h"
#include "window/identity.h"
#include "window/language.h"

#include <tuple>


namespace velkora {

namespace {

    // HTML written into one string, its attributes in the order they are given.
    class Html
    {
    public:
        Html &open(std::string_view tag)
        {
            out += '<';
            out += tag;
            return *this;
        }
        Html &attribute(std::string_view name, std::string_view value, std::string_view more = {})
        {
            out += ' ';
            out += name;
            out += "=\"";
            text(value);
            text(more);
            out += '"';
            return *this;
        }
        // A boolean attribute, present or not.
        Html &flag(std::string_view name, bool present)
        {
            if (present) {
                out += ' ';
                out += name;
            }
            return *this;
        }
        Html &end()
        {
            out += '>';
            return *this;
        }
        Html &raw(std::string_view html)
        {
            out += html;
            return *this;
        }
        Html &text(std::string_view text)
        {
            for (const char c : text) {
                switch (c) {
                case '&':
                    out += "&amp;";
                    break;
                case '<':
                    out += "&lt;";
                    break;
                case '>':
                    out += "&gt;";
                    break;
                case '"':
                    out += "&quot;";
                    break;
                default:
                    out += c;
                }
            }
            return *this;
        }
        // A caption with the letter of its access key underlined, as the desktop shows it.
        Html &caption(std::string_view caption)
        {
            const std::size_t amp = caption.find('&');
            if (amp == std::string_view::npos || amp + 1 >= caption.size())
                return text(caption);
            return text(caption.substr(0, amp)).raw("<u>").text(caption.substr(amp + 1, 1)).raw("</u>").text(
                caption.substr(amp + 2));
        }
        // The classes of a control: its kind, its name, its alignment and what else is given.
        Html &classes(std::string_view kind, const ControlInfo &info, std::string_view more = {},
            std::string_view colour = {})
        {
            static constexpr std::string_view alignments[] = { " align-left", " align-center", " align-right" };
            out += " class=\"";
            out += kind;
            out += ' ';
            out += info.name;
            out += alignments[static_cast<int>(info.alignment)];
            out += more;
            out += colour.empty() ? colour : colour.substr(1);
            out += '"';
            return *this;
        }
        Html &accessKey(std::string_view caption)
        {
            const char key = velkora::accessKey(caption);
            const char lower[2] = { static_cast<char>(key >= 'A' && key <= 'Z' ? key - 'A' + 'a' : key), '\0' };
            return attribute("accesskey", lower);
        }
        Html &tabIndex(const Control &control) { return attribute("tabindex", control.tabStop() ? "0" : "-1"); }

        std::string out;
    };

    void markup(Html &html, const frmVelkora &form, const Control &control)
    {
        const ControlInfo &info = control.info;
        switch (info.kind) {
        case ControlKind::TextBox: {
            const auto &box = static_cast<const TextBox &>(control);
            html.open("input").attribute("type", "text").attribute("id", info.name);
            html.classes("textbox", info, " back-", cssColour(box.backColor()));
            html.attribute("title", info.tooltip)
                .attribute("aria-label", info.accessibleName)
                // A keyboard with letters, digits, "." and "E", whatever the phone's language.
                .raw(" inputmode=\"text\" enterkeyhint=\"go\" autocomplete=\"off\" spellcheck=\"false\""
                     " autocapitalize=\"off\" autocorrect=\"off\"")
                .tabIndex(control);
            if (!box.text().empty())
                html.attribute("value", box.text());
            if (!box.cue().empty())
                html.attribute("placeholder", box.cue());
            html.flag("readonly", box.locked()).flag("autofocus", box.hasFocus()).end();
            return;
        }
        case ControlKind::CommandButton:
            html.open("button").attribute("type", "button").attribute("id", info.name);
            html.classes("button", info, &form.defaultButton() == &control ? " default" : "")
                .attribute("title", info.tooltip)
                .accessKey(info.caption)
                .tabIndex(control)
                .flag("autofocus", control.hasFocus())
                .end()
                .caption(info.caption)
                .raw("</button>");
            return;
        case ControlKind::Frame:
            // A frame is a group of options named by its caption, which stands on its top edge.
            html.open("div").attribute("id", info.name);
            html.classes("frame", info)
                .attribute("role", "radiogroup")
                .attribute("aria-labelledby", info.name, "-caption")
                .end()
                .open("span")
                .attribute("id", info.name, "-caption")
                .attribute("class", "legend")
                .end()
                .caption(info.caption)
                .raw("</span>");
            for (const Control *inside : form.controls()) {
                if (inside->info.container == info.name)
                    markup(html, form, *inside);
            }
            html.raw("</div>");
            return;
        case ControlKind::OptionButton: {
            const auto &option = static_cast<const OptionButton &>(control);
            html.open("label").classes("option", info, " fore-", cssColour(option.foreColor()));
            if (!info.tooltip.empty())
                html.attribute("title", info.tooltip);
            html.end()
                .open("input")
                .attribute("type", "radio")
                .attribute("id", info.name)
                // Options of one container are one group, for the browser as for the form.
                .attribute("name", info.container.empty() ? "frmVelkora" : info.container)
                .accessKey(info.caption)
                .tabIndex(control)
                .flag("checked", option.value())
                .flag("autofocus", option.hasFocus());
            // The caption's tooltip is the round button's description for a screen reader.
            if (!info.tooltip.empty())
                html.attribute("aria-description", info.tooltip);
            html.end()
                .raw("<span>")
                .caption(info.caption)
                .raw("</span></label>");
            return;
        }
        case ControlKind::Label:
            break;
        }
        const auto &label = static_cast<const Label &>(control);
        if (!info.border) {
            html.open("div").attribute("id", info.name).classes("label", info);
            if (!info.tooltip.empty())
                html.attribute("title", info.tooltip);
            html.end().text(label.caption()).raw("</div>");
            return;
        }
        // A result: what is painted, and the whole number for a screen reader, named by the
        // caption that stands before it.
        html.open("output").attribute("id", info.name).classes("label", info);
        for (const Control *caption : form.controls()) {
            if (caption->info.labelFor == info.name) {
                html.raw(" aria-labelledby=\"").text(caption->info.name).raw(" ").text(info.name).raw("\"");
            }
        }
        if (!info.accessibleDescription.empty())
            html.attribute("aria-description", info.accessibleDescription);
        html.end()
            .raw("<span class=\"shown\" aria-hidden=\"true\">")
            .text(label.caption())
            .raw("</span><span class=\"whole\">")
            .text(label.caption())
            .raw("</span></output>");
    }

} // namespace

std::string escapeHtml(std::string_view text)
{
    return std::move(Html().text(text).out);
}

std::string cssColour(unsigned colour)
{
    // Stored 0xBBGGRR: red, green and blue from the low byte up.
    constexpr char digits[] = "0123456789abcdef";
    std::string css = "#";
    for (const int shift : { 0, 8, 16 }) {
        css += digits[(colour >> (shift + 4)) & 0xF];
        css += digits[(colour >> shift) & 0xF];
    }
    return css;
}

std::string formMarkup(const frmVelkora &form)
{
    Html html;
    for (const Control *control : form.controls()) {
        if (control->info.container.empty())
            markup(html, form, *control);
    }
    return std::move(html.out);
}

std::string commandBarMarkup(const Language &language)
{
    Html html;
    html.open("nav").attribute("class", "commands").attribute("aria-label", translate(language, plateWindowTitle)).end();
    for (const auto &[id, command] : { std::pair { "cmdPlateAdd", addToPlateCommand },
             std::pair { "cmdPlateOpen", openPlateCommand }, std::pair { "cmdAbout", aboutCommand } })
        html.open("button").attribute("type", "button").attribute("id", id).end().text(translate(language, command)).raw(
            "</button>");
    return std::move(html.raw("</nav>").out);
}

std::string plateViewMarkup(const Language &language)
{
    Html html;
    html.open("section")
        .attribute("id", "plate")
        .attribute("class", "plate")
        .attribute("aria-labelledby", "plate-title")
        .flag("hidden", true)
        .end()
        .open("h2")
        .attribute("id", "plate-title")
        .attribute("tabindex", "-1")
        .end()
        .text(translate(language, plateWindowTitle))
        .raw("</h2><div id=\"plate-sheet\"></div><div class=\"plate-outputs\">");
    for (const auto &[id, command] : { std::pair { "platePrint", printCommand }, std::pair { "plateCopy", copyCommand },
             std::pair { "plateSave", saveCommand }, std::pair { "plateShare", shareCommand },
             std::pair { "plateClose", closeCommand } })
        html.open("button")
            .attribute("type", "button")
            .attribute("id", id)
            // Sharing is offered where the browser can share.
            .flag("hidden", std::string_view(id) == "plateShare")
            .end()
            .text(translate(language, command))
            .raw("</button>");
    return std::move(html.raw("</div></section>").out);
}

std::string plateSheetMarkup(const DataPlate &plate, const Language &language, std::string_view date)
{
    Html html;
    if (plate.rows().empty()) {
        html.raw("<p class=\"sheet-empty\">").text(translate(language, emptyPlateMessage)).raw("</p>");
        return std::move(html.out);
    }
    const PlateSheet sheet = plateSheet(plate, language, date);
    html.raw("<h3 class=\"sheet-title\">").text(sheet.title).raw("</h3><p class=\"sheet-car\">").text(sheet.car);
    html.raw("</p><div class=\"sheet-scroll\"><table class=\"sheet-rows\"><thead><tr>");
    for (const std::string &heading : sheet.header)
        html.raw("<th scope=\"col\">").text(heading).raw("</th>");
    html.raw("<th class=\"row-commands\"></th></tr></thead><tbody>");
    for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
        const std::string number = std::to_string(row);
        const bool marked = plate.differsFromFirst(row);
        html.raw(marked ? "<tr class=\"marked\">" : "<tr>");
        // The floors: the user's own text in a box, the mark beside it.
        html.raw("<td data-label=\"").text(sheet.header[0]).raw("\">");
        html.open("input")
            .attribute("type", "text")
            .attribute("class", "floors")
            .attribute("data-row", number)
            .attribute("value", plate.rows()[row].floors)
            .attribute("maxlength", std::to_string(floorsLengthMax))
            .attribute("aria-label", sheet.header[0] + " " + std::to_string(row + 1))
            .attribute("autocomplete", "off")
            .end();
        if (marked)
            html.open("span").attribute("class", "mark").attribute("title", sheet.note).end().raw("*</span>");
        html.raw("</td>");
        for (std::size_t column = 1; column < sheet.header.size(); ++column)
            html.raw("<td data-label=\"").text(sheet.header[column]).raw("\">").text(sheet.rows[row][column]).raw("</td>");
        html.raw("<td class=\"row-commands\">");
        // Small buttons with a sign each, named in full for a tooltip and a screen reader.
        for (const auto &[command, text, sign] : { std::tuple { "up", moveUpCommand, "\u2191" },
                 std::tuple { "down", moveDownCommand, "\u2193" }, std::tuple { "remove", removeRowCommand, "\u2715" } }) {
            const std::string name = std::string(translate(language, text)) + " " + std::to_string(row + 1);
            html.open("button")
                .attribute("type", "button")
                .attribute("data-row", number)
                .attribute("data-command", command)
                .attribute("title", name)
                .attribute("aria-label", name)
                .end()
                .raw(sign)
                .raw("</button>");
        }
        html.raw("</td></tr>");
    }
    html.raw("</tbody></table></div>");
    for (const std::string *line : { &sheet.note, &sheet.basis, &sheet.made }) {
        if (!line->empty())
            html.raw("<p class=\"sheet-line\">").text(*line).raw("</p>");
    }
    return std::move(html.out);
}

std::string pageTitle(const Language &language)
{
    return std::string(identity::name) + " \xE2\x80\x93 "
        + std::string(translate(language, translatable("Elevator Door Time Calculator")));
}

std::string pageDescription(const Language &language)
{
    return std::string(translate(language, identity::description));
}

} // namespace velkora
