// Writes the site's pages when the site is built: for each language, the page with the form in
// it as it stands after Form_Load (so that the first paint is the whole form, ready for typing,
// before any script has run), the web app manifest in that language, and the stylesheet with
// every control's place and the form's colours, also under forced colours and higher contrast.
// Runs under Node's WASI. Usage: velkora_shell TEMPLATES_DIR SITE_DIR
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/web/webmarkup.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

using namespace velkora;

namespace {

// The window's face behind every caption: Windows' standard button face.
constexpr Colour faceColour = 0xF0F0F0;

std::string read(const std::string &path)
{
    std::string text;
    if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

bool write(const std::string &path, const std::string &text)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool whole = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && whole;
}

// Every "{{name}}" of a template replaced by its value.
std::string fill(std::string text, std::initializer_list<std::pair<std::string, std::string>> values)
{
    for (const auto &[name, value] : values) {
        const std::string mark = "{{" + name + "}}";
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
            text.replace(at, mark.size(), value);
    }
    return text;
}

std::string jsonEscape(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '"' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Relative luminance of a colour stored 0xBBGGRR, and the contrast of two colours (WCAG 2).
double luminance(Colour colour)
{
    const auto channel = [](unsigned value) {
        const double c = value / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF)
        + 0.0722 * channel((colour >> 16) & 0xFF);
}

double contrast(Colour a, Colour b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A colour darkened, channel by channel in equal steps, just enough to reach 4.5:1 on the face.
Colour darkenedForContrast(Colour colour)
{
    for (int step = 0; step <= 255; ++step) {
        Colour darker = 0;
        for (int shift : { 0, 8, 16 }) {
            const int value = int((colour >> shift) & 0xFF);
            darker |= Colour(std::max(0, value - value * step / 255)) << shift;
        }
        if (contrast(darker, faceColour) >= 4.5)
            return darker;
    }
    return colours::black;
}

// What a colour of the form becomes under forced colours: the theme's own pair for the state it
// marks, never a fixed colour beside a theme colour.
std::string forcedColours(Colour colour, bool background)
{
    switch (meaningOf(colour)) {
    case ColourMeaning::Chosen:
        return background ? "" : "forced-color-adjust: none; color: HighlightText; background-color: Highlight;";
    case ColourMeaning::Locked:
        return background ? "forced-color-adjust: none; color: GrayText; background-color: Canvas; "
                            "border: 1px dashed GrayText;"
                          : "";
    case ColourMeaning::Editable:
        return background ? "background-color: Field; color: FieldText;" : "";
    case ColourMeaning::Plain:
        break;
    }
    return "";
}

std::string styleSheet()
{
    std::ostringstream css;
    css << "\n/* Written when the site is built: where each control of the control table stands, in CSS\n"
           "   pixels (15 twips each), its type size, and the form's colours. */\n";
    css << ":root { --face: " << cssColour(faceColour) << "; }\n";
    for (const ControlInfo &info : controlTable) {
        // A control in a frame stands relative to the frame.
        const auto px = [](int twips) { return twipsToPixels(twips, 96); };
        css << "." << info.name << " { --left: " << px(info.geometry.left) << "px; --top: " << px(info.geometry.top)
            << "px; --width: " << px(info.geometry.width) << "px; --height: " << px(info.geometry.height)
            << "px; --font-px: " << pointsToPixels(fontPoints(info.font), 96) << "px; font-weight: "
            << (info.font.bold ? "bold" : "normal") << "; }\n";
    }
    const Colour used[] = { colours::red, colours::black, colours::white, colours::yellow };
    std::ostringstream more;
    std::ostringstream forced;
    for (const Colour colour : used) {
        const std::string hex = cssColour(colour).substr(1);
        css << "#frmVelkora .fore-" << hex << " { color: " << cssColour(colour) << "; }\n";
        css << "#frmVelkora .back-" << hex << " { background-color: " << cssColour(colour) << "; }\n";
        if (meaningOf(colour) == ColourMeaning::Chosen && contrast(colour, faceColour) < 4.5)
            more << "    #frmVelkora .fore-" << hex << " { color: " << cssColour(darkenedForContrast(colour)) << "; }\n";
        for (const bool background : { false, true }) {
            if (const std::string rule = forcedColours(colour, background); !rule.empty())
                forced << "    #frmVelkora ." << (background ? "back-" : "fore-") << hex << " { " << rule << " }\n";
        }
    }
    css << "@media (prefers-contrast: more) {\n" << more.str() << "}\n";
    css << "@media (forced-colors: active) {\n" << forced.str() << "}\n";
    return css.str();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: velkora_shell TEMPLATES_DIR SITE_DIR\n", stderr);
        return 2;
    }
    const std::string templates = argv[1];
    const std::string site = argv[2];
    const std::string page = read(templates + "/index.html.in");
    const std::string manifest = read(templates + "/velkora.webmanifest.in");
    const std::string css = read(templates + "/velkora.css");
    if (page.empty() || manifest.empty() || css.empty()) {
        std::fputs("velkora_shell: a template is missing\n", stderr);
        return 1;
    }
    bool written = write(site + "/velkora.css", css + styleSheet());
    for (const Language &language : languages()) {
        frmVelkora form(language);
        form.Form_Load();
        // English is the site's own page; every other language has a page of its own.
        const std::string code(language.code);
        const std::string suffix = &language == &english() ? "" : "." + code;
        written = written
            && write(site + "/index" + suffix + ".html",
                fill(page,
                    { { "lang", code }, { "title", escapeHtml(pageTitle(language)) },
                        { "description", escapeHtml(pageDescription(language)) },
                        { "manifest", "velkora" + suffix + ".webmanifest" },
                        { "caption", escapeHtml(windowCaption) }, { "form", formMarkup(form) },
                        { "commands", commandBarMarkup(language) }, { "plate", plateViewMarkup(language) } }))
            && write(site + "/velkora" + suffix + ".webmanifest",
                fill(manifest,
                    { { "lang", code }, { "description", jsonEscape(pageDescription(language)) },
                        // Installed from a page in a language, the app opens in it.
                        { "start", suffix.empty() ? "" : "?lang=" + code } }));
    }
    if (!written) {
        std::fprintf(stderr, "velkora_shell: could not write the site in %s\n", site.c_str());
        return 1;
    }
    return 0;
}
