// The page's form as the build writes it, held to the control table in every language: each
// control's tooltip, accessible name and description and access key are on its element. The
// expected texts come from the table, so that a text the writer drops is seen.
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/language.h"
#include "window/web/webmarkup.h"

#include <gtest/gtest.h>

#include <string>

using namespace velkora;

namespace {

// The opening tag that carries a control's texts: an option's label, else its own element.
std::string tagOf(const std::string &html, const ControlInfo &info)
{
    const std::size_t id = html.find("id=\"" + std::string(info.name) + "\"");
    if (id == std::string::npos)
        return {};
    const std::size_t start = info.kind == ControlKind::OptionButton ? html.rfind("<label", id) : html.rfind('<', id);
    return html.substr(start, html.find('>', start) - start + 1);
}

// Whether a tag has an attribute with exactly that text as its value, or none when the text is empty.
void expectAttribute(const std::string &tag, const char *name, std::string_view text, std::string_view control)
{
    const std::string written = std::string(" ") + name + "=\"";
    if (text.empty())
        EXPECT_EQ(tag.find(written), std::string::npos) << control << " has " << name << " in " << tag;
    else
        EXPECT_NE(tag.find(written + escapeHtml(text) + "\""), std::string::npos) << control << ": " << name
                                                                                << " missing or not \"" << text
                                                                                << "\" in " << tag;
}

} // namespace

TEST(WebMarkup, EveryControlCarriesTheTablesTexts)
{
    for (const Language &language : languages()) {
        frmVelkora form(language);
        form.Form_Load();
        const std::string html = formMarkup(form);
        for (const ControlInfo &info : controlTableIn(language)) {
            const std::string tag = tagOf(html, info);
            ASSERT_FALSE(tag.empty()) << info.name;
            expectAttribute(tag, "title", info.tooltip, info.name);
            if (info.kind == ControlKind::TextBox)
                expectAttribute(tag, "aria-label", info.accessibleName, info.name);
            if (info.border)
                expectAttribute(tag, "aria-description", info.accessibleDescription, info.name);
            if (const char key = accessKey(info.caption); key && info.kind != ControlKind::OptionButton)
                expectAttribute(tag, "accesskey", std::string(1, char(key - 'A' + 'a')), info.name);
        }
    }
}
