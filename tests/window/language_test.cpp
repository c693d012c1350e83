// The form in each of its languages: which one the user's preferences choose, every text
// translated, access keys that work, and exactly the same numbers in every language.
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/identity.h"
#include "window/language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace velkora;

namespace {

struct Choice {
    std::vector<std::string> preferred;
    const char *chosen;
};

class ChoosingALanguage : public testing::TestWithParam<Choice> { };

TEST_P(ChoosingALanguage, TakesTheFirstPreferenceItSpeaks)
{
    EXPECT_EQ(chooseLanguage(GetParam().preferred).code, GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(Preferences, ChoosingALanguage,
    testing::Values(Choice { { "fr-CA" }, "fr" }, Choice { { "fr_FR.UTF-8" }, "fr" },
        Choice { { "es-419" }, "es" }, Choice { { "es_MX@euro" }, "es" }, Choice { { "ES" }, "es" },
        Choice { { "de-DE", "es-MX", "fr" }, "es" }, Choice { { "en-US", "fr-CA" }, "en" },
        Choice { { "de", "it" }, "en" }, Choice { { "C" }, "en" }, Choice { { "POSIX" }, "en" },
        Choice { { "" }, "en" }, Choice { {}, "en" }, Choice { { "french" }, "en" },
        Choice { { "f" }, "en" }));

TEST(Languages, EnglishIsTheProgramsOwnTable)
{
    EXPECT_EQ(languages().front().code, "en");
    EXPECT_EQ(&controlTableIn(english()), &controlTable);
    EXPECT_EQ(&controlTableIn(languages()[1]), &controlTableIn(languages()[1]));
    for (const ControlInfo &info : controlTable)
        EXPECT_EQ(info.cue, "") << info.name;
}

struct Message {
    std::string title;
    std::string text;
};

class InEachLanguage : public testing::TestWithParam<Language>
{
protected:
    InEachLanguage()
        : lang(chooseLanguage(std::vector { std::string(GetParam().code) }))
        , form(lang)
    {
        form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon) {
            messages.push_back({ title, text });
        };
        form.Form_Load();
    }

    void calculate(const std::string &width, const std::string &weight, const ControlInfo *door)
    {
        TextBox &widthBox = form.blnImperial ? form.txtWidth : form.txtWidthMetric;
        TextBox &weightBox = form.blnImperial ? form.txtWeight : form.txtWeightMetric;
        widthBox.SetFocus();
        widthBox.edit(width);
        weightBox.SetFocus();
        weightBox.edit(weight);
        if (door)
            form.pressAccessKey(accessKey(door->caption));
        form.pressEnter();
    }

    bool isEnglish() const { return lang.code == "en"; }

    const Language &lang;
    frmVelkora form;
    std::vector<Message> messages;
};

TEST_P(InEachLanguage, EveryTextIsTranslatedAndKeepsItsForm)
{
    for (std::size_t row = 0; row < controlTable.size(); ++row) {
        const ControlInfo &english = controlTable[row];
        const ControlInfo &translated = controlTableIn(lang)[row];
        const std::pair<std::string_view, std::string_view> texts[] = { { english.caption, translated.caption },
            { english.tooltip, translated.tooltip }, { english.accessibleName, translated.accessibleName },
            { english.accessibleDescription, translated.accessibleDescription } };
        for (const auto &[original, text] : texts) {
            EXPECT_EQ(text.empty(), original.empty()) << english.name << ": " << original;
            EXPECT_TRUE(original.empty() || translates(lang, original)) << english.name << ": " << original;
        }
        // Tooltips begin and end with one blank, as the program's own do.
        if (!translated.tooltip.empty()) {
            EXPECT_TRUE(translated.tooltip.starts_with(' ') && !translated.tooltip.starts_with("  ")) << english.name;
            EXPECT_TRUE(translated.tooltip.ends_with(' ') && !translated.tooltip.ends_with("  ")) << english.name;
        }
        // The boxes of a translated window say before any typing that the decimal point is ".".
        const bool cued = !isEnglish() && english.kind == ControlKind::TextBox;
        EXPECT_EQ(translated.cue.empty(), !cued) << english.name;
        EXPECT_TRUE(translated.cue.empty() || translated.cue.find('.') != std::string_view::npos) << english.name;
        if (!isEnglish() && !english.tooltip.empty() && english.kind == ControlKind::TextBox) {
            EXPECT_NE(translated.tooltip, english.tooltip) << english.name;
        }
    }
    // What a desktop or a web page says of the program, in the same words.
    EXPECT_TRUE(translates(lang, identity::description));
    EXPECT_FALSE(translate(lang, identity::description).empty());
}

TEST_P(InEachLanguage, TheCueShowsInTheBoxesThatTakeTyping)
{
    const std::string_view cue = isEnglish() ? "" : translate(lang, entryCue);
    const auto cues = [this] {
        return std::vector<std::string_view> { form.txtWidth.cue(), form.txtWeight.cue(), form.txtWidthMetric.cue(),
            form.txtWeightMetric.cue() };
    };
    EXPECT_EQ(cues(), (std::vector<std::string_view> { cue, cue, "", "" }));
    form.pressAccessKey(accessKey(form.optMetric.info.caption));
    EXPECT_EQ(cues(), (std::vector<std::string_view> { "", "", cue, cue }));
}

TEST_P(InEachLanguage, AccessKeysAreUniqueLettersAndDoWhatTheEnglishOnesDo)
{
    std::set<char> keys;
    for (std::size_t row = 0; row < controlTable.size(); ++row) {
        const ControlInfo &english = controlTable[row];
        const ControlInfo &translated = controlTableIn(lang)[row];
        const char key = accessKey(translated.caption);
        EXPECT_EQ(key != 0, accessKey(english.caption) != 0) << translated.caption;
        if (!key)
            continue;
        EXPECT_TRUE(key >= 'A' && key <= 'Z') << translated.caption;
        EXPECT_EQ(translated.caption.find('&'), translated.caption.rfind('&')) << translated.caption;
        EXPECT_TRUE(keys.insert(key).second) << "twice: " << key;

        // Alt with the key chooses the option of this row, or presses its button.
        EXPECT_TRUE(form.pressAccessKey(key)) << key;
        if (const auto *option = dynamic_cast<const OptionButton *>(form.control(english.name)))
            EXPECT_TRUE(option->value()) << key;
        else
            EXPECT_EQ(form.focused(), form.control(english.name)) << key;
    }
}

TEST_P(InEachLanguage, MessageBoxesSpeakTheLanguage)
{
    calculate("", "", nullptr);
    calculate("abc", "400", &controlInfo("opt1", lang));
    calculate("1E400", "1", nullptr);
    ASSERT_EQ(messages.size(), 3u);
    const std::pair<const char *, const char *> english[] = { { "Door Type", "Please select a door type." },
        { "Numbers Only", "Please enter a number in both fields." },
        { "What'd you do?", "An error has occurred...please continue working." } };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(messages[i].title, translate(lang, english[i].first));
        EXPECT_EQ(messages[i].text, translate(lang, english[i].second));
        EXPECT_TRUE(translates(lang, english[i].first) && translates(lang, english[i].second));
        EXPECT_NE(messages[i].title.empty(), true);
        if (!isEnglish()) {
            EXPECT_NE(messages[i].text, english[i].second);
        }
    }
}

struct Calculation {
    bool metric;
    const char *width;
    const char *weight;
    const char *door;
    std::vector<std::string> boxes;
    std::vector<std::string> results;
};

TEST_P(InEachLanguage, CalculationsGiveTheSameNumbers)
{
    const Calculation table[] = {
        { false, "42", "400", "opt1", { "42", "400", "1066.8", "181.437" }, { "2.98", "4.97" } },
        { false, "42", "400", "opt2", { "42", "400", "1066.8", "181.437" }, { "2.36", "3.93" } },
        { false, "42", "400", "opt3", { "42", "400", "1066.8", "181.437" }, { "1.49", "2.48" } },
        { false, "42", "400", "opt4", { "42", "400", "1066.8", "181.437" }, { "1.18", "1.97" } },
        { false, "30", "101", "opt1", { "30", "101", "762", "45.813" }, { "1.03", "1.72" } },
        { false, "3", "100", "opt1", { "3", "100", "76.2", "45.359" }, { "-0.04", "-0.07" } },
        // A decimal comma ends the number in every language: 42,5 is 42.
        { false, "42,5", "400", "opt1", { "42,5", "400", "1066.8", "181.437" }, { "2.98", "4.97" } },
        { true, "1067", "181", "opt1", { "42.008", "399.037", "1067", "181" }, { "2.98", "4.97" } },
        { true, "914.4", "45.3592", "opt3", { "36", "100", "914.4", "45.3592" }, { "0.63", "1.05" } },
    };
    for (const Calculation &c : table) {
        if (c.metric != !form.blnImperial)
            form.pressAccessKey(accessKey(controlInfo(c.metric ? "optMetric" : "optImperial", lang).caption));
        calculate(c.width, c.weight, &controlInfo(c.door, lang));
        EXPECT_EQ((std::vector<std::string> { form.txtWidth.text(), form.txtWeight.text(), form.txtWidthMetric.text(),
                      form.txtWeightMetric.text() }),
            c.boxes)
            << c.width;
        EXPECT_EQ((std::vector<std::string> { form.lblMinimum.caption(), form.lblNudging.caption() }), c.results)
            << c.width;
    }
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Languages, InEachLanguage, testing::ValuesIn(languages().begin(), languages().end()),
    [](const auto &info) { return std::string(info.param.code); });

} // namespace
