#include "window/web/webwindow.h"

#include "window/control_table.h"
#include "window/fit.h"
#include "window/frmvelkora.h"
#include "window/language.h"
#include "window/web/webmarkup.h"

#include <algorithm>
#include <string_view>

// What the page's module offers: it builds and changes the elements. Texts come as a pointer
// into the module's memory and a length in bytes (UTF-8).
#define VELKORA_IMPORT(name) extern "C" __attribute__((import_module("velkora"), import_name(#name)))

// The page takes over the form's elements: a JSON object with the form's language ("lang"), the
// page's title and description, the controls' names in the order of the control table
// ("names", separated by blanks) and their elements as they should stand ("form").
VELKORA_IMPORT(adopt) void jsAdopt(const char *page, int length);
VELKORA_IMPORT(showText) void jsShowText(int index, const char *text, int length, int pixels, int cut);
VELKORA_IMPORT(showCaption) void jsShowCaption(int index, const char *whole, int wholeLength, const char *shown,
    int shownLength, int pixels);
VELKORA_IMPORT(showValue) void jsShowValue(int index, int value);
VELKORA_IMPORT(showForeColor) void jsShowForeColor(int index, int colour);
VELKORA_IMPORT(showBackColor) void jsShowBackColor(int index, int colour);
VELKORA_IMPORT(showLocked) void jsShowLocked(int index, int locked, const char *cue, int cueLength);
VELKORA_IMPORT(showTabStop) void jsShowTabStop(int index, int tabStop);
VELKORA_IMPORT(showFocus) void jsShowFocus(int index);
VELKORA_IMPORT(showDefault) void jsShowDefault(int index);
VELKORA_IMPORT(messageBox) void jsMessageBox(const char *title, int titleLength, const char *text, int textLength,
    int exclamation);
// A caption set smaller than the table's size, or on more than one line.
VELKORA_IMPORT(showCaptionSize) void jsShowCaptionSize(int index, int pixels, int lines);
// The width in CSS pixels a text takes in the control's face and weight at a size in pixels.
VELKORA_IMPORT(measure) double jsMeasure(int index, const char *text, int length, int pixels);
// The room in CSS pixels the control has for its text: its width, or with `vertical` its height.
VELKORA_IMPORT(room) int jsRoom(int index, int vertical);

namespace velkora {

namespace {

    // The layout is in CSS pixels, which are 1/96 inch; the browser scales them to the screen.
    constexpr int layoutDpi = 96;

    int size(std::string_view text)
    {
        return static_cast<int>(text.size());
    }

    int pixelsOf(double points)
    {
        return points > 0 ? pointsToPixels(points, layoutDpi) : dialogFontPixels;
    }

    // Texts measured by the page in the face and weight of the control at that position.
    MeasureText measuring(int index)
    {
        return [index](std::string_view text, double points) {
            return static_cast<int>(jsMeasure(index, text.data(), size(text), pixelsOf(points)) + 0.999);
        };
    }

    // A JSON object of texts, for the page.
    class JsonObject
    {
    public:
        JsonObject &field(std::string_view key, std::string_view text)
        {
            name(key);
            json += '"';
            for (const char c : text) {
                if (c == '"' || c == '\\') {
                    json += '\\';
                    json += c;
                } else if (static_cast<unsigned char>(c) < 0x20) {
                    constexpr char hex[] = "0123456789abcdef";
                    json += "\\u00";
                    json += hex[c >> 4];
                    json += hex[c & 15];
                } else {
                    json += c;
                }
            }
            json += '"';
            return *this;
        }
        std::string done() { return json + '}'; }

    private:
        void name(std::string_view key)
        {
            json += json.empty() ? "{\"" : ",\"";
            json += key;
            json += "\":";
        }
        std::string json;
    };

} // namespace

WebWindow::WebWindow(frmVelkora &form)
    : form(form)
{
    const auto &controls = form.controls();
    for (int index = 0; index < static_cast<int>(controls.size()); ++index) {
        Control &control = *controls[static_cast<std::size_t>(index)];
        control.onChanged = [this, index, &control](Property property) {
            if (adopted)
                showProperty(index, control, property);
        };
    }
    // The page shows the form from its first paint.
    form.onShow = [] {};
    form.MsgBox = [](const std::string &title, const std::string &text, MessageIcon icon) {
        jsMessageBox(title.data(), size(title), text.data(), size(text), icon == MessageIcon::Exclamation);
    };
}

void WebWindow::adopt()
{
    const Language &language = form.textLanguage();
    std::string names;
    for (const Control *control : form.controls())
        names += (names.empty() ? "" : " ") + std::string(control->info.name);
    const std::string page = JsonObject()
                                 .field("lang", language.code)
                                 .field("title", pageTitle(language))
                                 .field("description", pageDescription(language))
                                 .field("names", names)
                                 .field("form", formMarkup(form))
                                 .field("commands", commandBarMarkup(language))
                                 .field("plate", plateViewMarkup(language))
                                 .done();
    jsAdopt(page.data(), size(page));
    adopted = true;
    // Where the focus is: the page's autofocus has put it there already, unless the user moved it.
    if (const Control *focused = form.focused())
        showProperty(positionOf(focused), *focused, Property::Focus);
}

void WebWindow::plateAdd()
{
    addToDataPlate(form, plate);
}

void WebWindow::plateSetFloors(int row, std::string text)
{
    plate.setFloors(static_cast<std::size_t>(row), text);
}

void WebWindow::plateRemove(int row)
{
    plate.remove(static_cast<std::size_t>(row));
}

void WebWindow::plateMove(int row, int step)
{
    plate.move(static_cast<std::size_t>(row), step);
}

std::string WebWindow::plateWrite(int kind, std::string_view date) const
{
    const Language &language = form.textLanguage();
    switch (kind) {
    case 1:
        return plateText(plate, language);
    case 2:
        return plateCsv(plate, language);
    default:
        return plateSheetMarkup(plate, language, date);
    }
}

void WebWindow::plateMessage(int which, std::string_view detail)
{
    const Language &language = form.textLanguage();
    const std::string_view texts[] = { emptyPlateMessage, copyFailedMessage, shareFailedMessage };
    std::string text(translate(language, texts[which >= 0 && which < 3 ? which : 0]));
    if (const std::size_t at = text.find("{1}"); at != std::string::npos)
        text.replace(at, 3, detail);
    form.MsgBox(std::string(translate(language, plateWindowTitle)), text, MessageIcon::Exclamation);
}

void WebWindow::about()
{
    const Language &language = form.textLanguage();
    form.MsgBox(aboutTitle(language), aboutText(language), MessageIcon::None);
}

void WebWindow::showProperty(int index, const Control &control, Property property)
{
    const ControlInfo &info = control.info;
    const MeasureText measure = measuring(index);
    switch (property) {
    case Property::Text:
        if (info.kind == ControlKind::TextBox) {
            const std::string &text = static_cast<const TextBox &>(control).text();
            // An empty text needs no measuring, which would make the page lay itself out.
            const FittedText fit = text.empty() ? FittedText { text, info.font.points, false }
                                                : fitEntry(text, info.font.points, jsRoom(index, 0), measure);
            jsShowText(index, text.data(), size(text), pixelsOf(fit.points), fit.cut);
        }
        break;
    case Property::Caption:
        if (info.kind == ControlKind::Label) {
            const std::string &caption = static_cast<const Label &>(control).caption();
            const FittedText fit = info.border && !caption.empty()
                ? fitResult(caption, info.font.points, jsRoom(index, 0), measure)
                : FittedText { caption, info.font.points, false };
            jsShowCaption(index, caption.data(), size(caption), fit.text.data(), size(fit.text), pixelsOf(fit.points));
        }
        break;
    case Property::Value:
        if (info.kind == ControlKind::OptionButton)
            jsShowValue(index, static_cast<const OptionButton &>(control).value());
        break;
    case Property::ForeColor:
        if (info.kind == ControlKind::OptionButton)
            jsShowForeColor(index, static_cast<int>(static_cast<const OptionButton &>(control).foreColor()));
        break;
    case Property::BackColor:
        if (info.kind == ControlKind::TextBox)
            jsShowBackColor(index, static_cast<int>(static_cast<const TextBox &>(control).backColor()));
        break;
    case Property::Locked:
        if (info.kind == ControlKind::TextBox) {
            const auto &box = static_cast<const TextBox &>(control);
            jsShowLocked(index, box.locked(), box.cue().data(), size(box.cue()));
        }
        break;
    case Property::TabStop:
        if (info.kind != ControlKind::Label && info.kind != ControlKind::Frame)
            jsShowTabStop(index, control.tabStop());
        break;
    case Property::Focus:
        if (control.hasFocus()) {
            jsShowFocus(index);
            jsShowDefault(positionOf(&form.defaultButton()));
        }
        break;
    }
}

int WebWindow::positionOf(const Control *control) const
{
    const auto &controls = form.controls();
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
}

Control *WebWindow::at(int index) const
{
    const auto &controls = form.controls();
    return index >= 0 && index < static_cast<int>(controls.size()) ? controls[static_cast<std::size_t>(index)] : nullptr;
}

void WebWindow::edit(int index, std::string text)
{
    if (Control *control = at(index); control && control->info.kind == ControlKind::TextBox)
        static_cast<TextBox *>(control)->edit(std::move(text));
}

void WebWindow::click(int index)
{
    Control *control = at(index);
    if (!control)
        return;
    if (control->info.kind == ControlKind::OptionButton)
        static_cast<OptionButton *>(control)->click();
    else if (control->info.kind == ControlKind::CommandButton)
        static_cast<CommandButton *>(control)->click();
}

void WebWindow::focus(int index)
{
    if (Control *control = at(index); control && control->info.kind != ControlKind::Label
        && control->info.kind != ControlKind::Frame)
        control->SetFocus();
}

void WebWindow::pressArrow(int index, int step)
{
    if (Control *control = at(index); control && control->info.kind == ControlKind::OptionButton)
        form.pressArrow(*static_cast<OptionButton *>(control), step < 0 ? -1 : 1);
}

void WebWindow::pressEnter()
{
    form.pressEnter();
}

void WebWindow::refit()
{
    const auto &controls = form.controls();
    for (int index = 0; index < static_cast<int>(controls.size()); ++index) {
        const Control &control = *controls[static_cast<std::size_t>(index)];
        // What is empty has nothing to fit.
        if (const auto *box = dynamic_cast<const TextBox *>(&control); box && !box->text().empty())
            showProperty(index, control, Property::Text);
        if (const auto *label = dynamic_cast<const Label *>(&control); label && control.info.border
            && !label->caption().empty())
            showProperty(index, control, Property::Caption);
        fitCaption(index, control);
    }
}

void WebWindow::fitCaption(int index, const Control &control)
{
    const ControlInfo &info = control.info;
    if (info.caption.empty() || info.border)
        return;
    const double points = fontPoints(info.font);
    // The page sets captions with lines 1.15 of their size apart.
    const MeasureLine lineHeight = [](double at) { return (pixelsOf(at) * 115 + 99) / 100; };
    const FittedCaption fit = velkora::fitCaption(shownCaption(info.caption), points, jsRoom(index, 0),
        jsRoom(index, 1), measuring(index), lineHeight);
    jsShowCaptionSize(index, fit.points == points ? 0 : pixelsOf(fit.points), fit.lines);
}

} // namespace velkora
