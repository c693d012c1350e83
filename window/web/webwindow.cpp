#include "window/web/webwindow.h"

#include "window/control_table.h"
#include "window/fit.h"
#include "window/frmvelkora.h"

#include <algorithm>
#include <string_view>

// What the page's module offers: it builds and changes the elements. Texts come as a pointer
// into the module's memory and a length in bytes (UTF-8).
#define VELKORA_IMPORT(name) extern "C" __attribute__((import_module("velkora"), import_name(#name)))

VELKORA_IMPORT(build) void jsBuild(int index, const char *row, int length);
VELKORA_IMPORT(showText) void jsShowText(int index, const char *text, int length, int pixels, int cut);
VELKORA_IMPORT(showCaption) void jsShowCaption(int index, const char *whole, int wholeLength, const char *shown,
    int shownLength, int pixels);
VELKORA_IMPORT(showValue) void jsShowValue(int index, int value);
VELKORA_IMPORT(showForeColor) void jsShowForeColor(int index, int colour);
VELKORA_IMPORT(showBackColor) void jsShowBackColor(int index, int colour);
VELKORA_IMPORT(showLocked) void jsShowLocked(int index, int locked);
VELKORA_IMPORT(showTabStop) void jsShowTabStop(int index, int tabStop);
VELKORA_IMPORT(showFocus) void jsShowFocus(int index);
VELKORA_IMPORT(showDefault) void jsShowDefault(int index);
VELKORA_IMPORT(messageBox) void jsMessageBox(const char *title, int titleLength, const char *text, int textLength,
    int exclamation);
VELKORA_IMPORT(showForm) void jsShowForm(const char *caption, int length);
// The width in CSS pixels a text takes in the control's face and weight at a size in pixels.
VELKORA_IMPORT(measure) double jsMeasure(int index, const char *text, int length, int pixels);
// The room in CSS pixels the control has for its text.
VELKORA_IMPORT(room) int jsRoom(int index);

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

    // A row of the control table as a JSON object, for the page to build its element from.
    class Row
    {
    public:
        Row &field(std::string_view key, std::string_view text)
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
        Row &field(std::string_view key, int number)
        {
            name(key);
            json += std::to_string(number);
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

    const char *kindName(ControlKind kind)
    {
        switch (kind) {
        case ControlKind::TextBox:
            return "textbox";
        case ControlKind::CommandButton:
            return "button";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::OptionButton:
            return "option";
        case ControlKind::Label:
            break;
        }
        return "label";
    }

    const char *alignmentName(Alignment alignment)
    {
        switch (alignment) {
        case Alignment::Centre:
            return "center";
        case Alignment::Right:
            return "right";
        case Alignment::Left:
            break;
        }
        return "left";
    }

} // namespace

WebWindow::WebWindow(frmVelkora &form)
    : form(form)
{
    const auto &controls = form.controls();
    for (int index = 0; index < static_cast<int>(controls.size()); ++index)
        build(index, *controls[static_cast<std::size_t>(index)]);
    for (int index = 0; index < static_cast<int>(controls.size()); ++index) {
        Control &control = *controls[static_cast<std::size_t>(index)];
        control.onChanged = [this, index, &control](Property property) { showProperty(index, control, property); };
        for (Property property : { Property::Text, Property::Caption, Property::Value, Property::ForeColor,
                 Property::BackColor, Property::Locked, Property::TabStop })
            showProperty(index, control, property);
    }

    form.onShow = [] { jsShowForm(windowCaption.data(), size(windowCaption)); };
    form.MsgBox = [](const std::string &title, const std::string &text, MessageIcon icon) {
        jsMessageBox(title.data(), size(title), text.data(), size(text), icon == MessageIcon::Exclamation);
    };
}

void WebWindow::build(int index, const Control &control)
{
    const ControlInfo &info = control.info;
    const auto indexOf = [this](std::string_view name) { return positionOf(form.control(name)); };
    const std::string shown = shownCaption(info.caption);
    const std::size_t amp = info.caption.find('&');
    const char key[2] = { accessKey(info.caption), '\0' };
    Row row;
    row.field("name", info.name)
        .field("kind", kindName(info.kind))
        .field("container", info.container.empty() ? -1 : indexOf(info.container))
        .field("caption", shown)
        .field("accessKey", key)
        .field("accessKeyAt", amp == std::string_view::npos ? -1 : static_cast<int>(amp))
        .field("left", twipsToPixels(info.geometry.left, layoutDpi))
        .field("top", twipsToPixels(info.geometry.top, layoutDpi))
        .field("width", twipsToPixels(info.geometry.width, layoutDpi))
        .field("height", twipsToPixels(info.geometry.height, layoutDpi))
        .field("tabIndex", info.tabIndex)
        .field("tooltip", info.tooltip)
        .field("fontPixels", pixelsOf(info.font.points))
        .field("bold", info.font.bold)
        .field("align", alignmentName(info.alignment))
        .field("border", info.border)
        .field("accessibleName", info.accessibleName)
        .field("accessibleDescription", info.accessibleDescription)
        .field("labelFor", info.labelFor.empty() ? -1 : indexOf(info.labelFor));
    const std::string json = row.done();
    jsBuild(index, json.data(), size(json));
}

void WebWindow::showProperty(int index, const Control &control, Property property)
{
    const ControlInfo &info = control.info;
    const MeasureText measure = [index](std::string_view text, double points) {
        return static_cast<int>(jsMeasure(index, text.data(), size(text), pixelsOf(points)) + 0.999);
    };
    switch (property) {
    case Property::Text:
        if (info.kind == ControlKind::TextBox) {
            const std::string &text = static_cast<const TextBox &>(control).text();
            // An empty text needs no measuring, which would make the page lay itself out.
            const FittedText fit = text.empty() ? FittedText { text, info.font.points, false }
                                                : fitEntry(text, info.font.points, jsRoom(index), measure);
            jsShowText(index, text.data(), size(text), pixelsOf(fit.points), fit.cut);
        }
        break;
    case Property::Caption:
        if (info.kind == ControlKind::Label) {
            const std::string &caption = static_cast<const Label &>(control).caption();
            const FittedText fit = info.border && !caption.empty()
                ? fitResult(caption, info.font.points, jsRoom(index), measure)
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
        if (info.kind == ControlKind::TextBox)
            jsShowLocked(index, static_cast<const TextBox &>(control).locked());
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
        showProperty(index, *controls[static_cast<std::size_t>(index)], Property::Text);
        showProperty(index, *controls[static_cast<std::size_t>(index)], Property::Caption);
    }
}

} // namespace velkora
