// What a user must meet on the site's page before its module has run, from the form itself after
// Form_Load in each language (not from the markup writer): for each control its caption as shown,
// tooltip, accessible name and description, access key, colours and place in CSS pixels from the
// form's corner. The site test compares the served pages with it.
// Runs under Node's WASI. Usage: velkora_form_facts > form_facts.json
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/language.h"

#include <cstdio>
#include <string>

using namespace velkora;

namespace {

std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            json += '\\';
        json += c;
    }
    return json + '"';
}

std::string colour(std::optional<Colour> value)
{
    if (!value)
        return "null";
    char css[24];
    std::snprintf(css, sizeof css, "\"rgb(%u, %u, %u)\"", *value & 0xFF, (*value >> 8) & 0xFF,
        (*value >> 16) & 0xFF);
    return css;
}

// The caption a control shows now: a label's is the form's, the others' are the table's.
std::string captionOf(const Control &control)
{
    if (const auto *label = dynamic_cast<const Label *>(&control))
        return label->caption();
    return shownCaption(control.info.caption);
}

std::string factsOf(const frmVelkora &form, const Control &control)
{
    const ControlInfo &info = control.info;
    std::optional<Colour> fore = info.foreColor;
    std::optional<Colour> back = info.backColor;
    if (const auto *box = dynamic_cast<const TextBox *>(&control))
        back = box->backColor();
    if (const auto *option = dynamic_cast<const OptionButton *>(&control))
        fore = option->foreColor();
    // A result is named by its caption label and what it shows; an entry box by the table; the
    // rest by their caption.
    std::string name
        = info.accessibleName.empty() ? captionOf(control) : std::string(info.accessibleName);
    for (const Control *other : form.controls()) {
        if (other->info.labelFor == info.name)
            name = captionOf(*other) + (captionOf(control).empty() ? "" : " " + captionOf(control));
    }
    const char key = accessKey(info.caption);
    const Twips place = formGeometry(info);
    std::string json = "{\"caption\": " + quoted(captionOf(control)) + ", \"tooltip\": "
        + quoted(info.tooltip) + ", \"name\": " + quoted(name) + ", \"description\": "
        + quoted(info.accessibleDescription.empty() ? info.tooltip : info.accessibleDescription)
        + ", \"accessKey\": " + quoted(key ? std::string(1, char(key - 'A' + 'a')) : "")
        + ", \"fore\": " + colour(fore) + ", \"back\": " + colour(back) + ", \"place\": [";
    json += std::to_string(twipsToPixels(place.left, 96)) + ", "
        + std::to_string(twipsToPixels(place.top, 96)) + ", "
        + std::to_string(twipsToPixels(place.width, 96)) + ", "
        + std::to_string(twipsToPixels(place.height, 96));
    return json + "]}";
}

} // namespace

int main()
{
    std::string json = "{";
    for (const Language &language : languages()) {
        frmVelkora form(language);
        form.Form_Load();
        json += std::string(json.size() > 1 ? ",\n" : "\n") + quoted(language.code) + ": {";
        for (const Control *control : form.controls())
            json += std::string(control == form.controls().front() ? "\n  " : ",\n  ")
                + quoted(control->info.name) + ": " + factsOf(form, *control);
        json += "}";
    }
    std::puts((json + "\n}").c_str());
    return 0;
}
