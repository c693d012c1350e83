// Long random user sessions on the form: typing anything into the entry boxes, the access keys,
// Enter, Tab and clicks, with every message box answered. After each action the form must
// agree with itself, with the calculation core and with what it reported to its window.
#include "window/control_table.h"
#include "window/frmvelkora.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace velkora;

namespace {

// What a user might type: mostly doors, then the odd and the hostile.
const std::vector<std::string> everyday { "42", "400", "1067", "181", "36", "250", "48", "30", "101",
    "914.4", "3", "100", "4", "3.999", "60", "1200", "0.5", "12abc", " 7", "42.5in" };
const std::vector<std::string> hostile { "", "0", ".", ",", "-", "-5", "E", "1E400", "1E-400", "1E307",
    "1E306", "1E300", "1.7E308", std::string(400, '9'), "abc", "\t", "0x10", "inf", "nan", "-0",
    "0.01", "1,5", "\xc3\xa9", "\xd9\xa1", "99999999999999999999", "7E306", "\xe2\x80\x8b" "42" };

const char accessKeys[] = { 'A', 'L', 'S', 'T', 'C', 'E', 'I', 'M' };

// What a window would show: every property as last reported through onChanged.
struct Shown {
    std::string text;
    Colour colour = 0;
    bool value = false;
    bool locked = false;
    bool tabStop = false;
};

class Session
{
public:
    explicit Session(std::uint32_t seed)
        : random(seed)
    {
        form.MsgBox = [this](const std::string &, const std::string &, MessageIcon) { ++messages; };
        for (Control *control : form.controls()) {
            shown[control] = {};
            control->onChanged = [this, control](Property) { mirror(*control); };
            mirror(*control);
        }
        form.Form_Load();
    }

    void act();
    // Empty when all holds, else what does not.
    std::string check();

    int messages = 0;
    int withResults = 0;

private:
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); }
    const std::string &anyTyping()
    {
        return pick(8) ? everyday[pick(everyday.size())] : hostile[pick(hostile.size())];
    }
    void mirror(const Control &control);

    frmVelkora form;
    std::mt19937 random;
    std::map<const Control *, Shown> shown;
};

void Session::mirror(const Control &control)
{
    Shown &s = shown[&control];
    s.tabStop = control.tabStop();
    if (const auto *box = dynamic_cast<const TextBox *>(&control)) {
        s.text = box->text();
        s.colour = box->backColor();
        s.locked = box->locked();
    } else if (const auto *option = dynamic_cast<const OptionButton *>(&control)) {
        s.value = option->value();
        s.colour = option->foreColor();
    } else if (const auto *label = dynamic_cast<const Label *>(&control)) {
        s.text = label->caption();
    }
}

void Session::act()
{
    TextBox *const entry[] = { form.blnImperial ? &form.txtWidth : &form.txtWidthMetric,
        form.blnImperial ? &form.txtWeight : &form.txtWeightMetric };
    // Weighted so that complete entries are calculated often and results stay on screen for a
    // while: most actions after a calculation only move the focus or recalculate.
    static const std::vector<double> weights { 8, 2, 26, 2, 5, 2, 30, 12, 2, 2, 1, 5 };
    switch (std::discrete_distribution<int>(weights.begin(), weights.end())(random)) {
    case 0: { // a whole entry typed anew
        TextBox *box = entry[pick(2)];
        box->SetFocus();
        box->edit(anyTyping());
        break;
    }
    case 1: { // one more character, or one less
        TextBox *box = entry[pick(2)];
        std::string text = box->text();
        if (pick(2) && !text.empty())
            text.pop_back();
        else
            text += "0123456789.E-"[pick(13)];
        box->edit(text);
        break;
    }
    case 2:
        form.pressAccessKey('A');
        break;
    case 3:
        form.pressEnter();
        break;
    case 4:
        form.pressAccessKey(accessKeys[2 + pick(4)]);
        break;
    case 5:
        form.pressAccessKey(accessKeys[pick(std::size(accessKeys))]);
        break;
    case 6: { // the Tab key
        const std::vector<Control *> stops = form.tabStops();
        stops[pick(stops.size())]->SetFocus();
        break;
    }
    case 7: { // typing into a locked box
        TextBox *box = form.blnImperial ? &form.txtWeightMetric : &form.txtWeight;
        box->SetFocus();
        box->edit(anyTyping());
        break;
    }
    case 8: {
        OptionButton *options[] = { &form.opt1, &form.opt2, &form.opt3, &form.opt4 };
        OptionButton *option = options[pick(4)];
        form.pressArrow(*option, pick(2) ? 1 : -1);
        break;
    }
    case 9:
        (pick(2) ? form.optImperial : form.optMetric).click();
        break;
    case 10:
        form.cmdClear.SetFocus();
        form.cmdClear.click();
        break;
    default: // a whole calculation: both entries, a door type if none is chosen, Alt+A
        for (TextBox *box : entry) {
            box->SetFocus();
            box->edit(everyday[pick(everyday.size())]);
        }
        if (!form.opt1.value() && !form.opt2.value() && !form.opt3.value() && !form.opt4.value())
            form.pressAccessKey(accessKeys[2 + pick(4)]);
        form.pressAccessKey('A');
        break;
    }
}

std::string Session::check()
{
    // What the window shows is what the form holds.
    for (const Control *control : form.controls()) {
        Shown now;
        std::swap(now, shown[control]);
        mirror(*control);
        const Shown &s = shown[control];
        if (now.text != s.text || now.colour != s.colour || now.value != s.value || now.locked != s.locked
            || now.tabStop != s.tabStop)
            return std::string(control->info.name) + " changed without telling its window";
    }

    // Exactly one entry state, shown consistently.
    const bool imperial = form.blnImperial;
    if (form.optImperial.value() != imperial || form.optMetric.value() == imperial)
        return "unit options disagree with the entry state";
    if (form.optImperial.foreColor() != (imperial ? colours::red : colours::black)
        || form.optMetric.foreColor() != (imperial ? colours::black : colours::red))
        return "unit colours disagree with the entry state";
    if (meaningOf((imperial ? form.optImperial : form.optMetric).foreColor()) != ColourMeaning::Chosen
        || meaningOf((imperial ? form.optMetric : form.optImperial).foreColor()) != ColourMeaning::Plain)
        return "the chosen units are not marked chosen";
    for (const TextBox *box : { &form.txtWidth, &form.txtWeight, &form.txtWidthMetric, &form.txtWeightMetric }) {
        const bool isEntry = (box == &form.txtWidth || box == &form.txtWeight) == imperial;
        if (box->locked() == isEntry || box->tabStop() != isEntry
            || box->backColor() != (isEntry ? colours::white : colours::yellow))
            return std::string(box->info.name) + " is not in the entry state";
        // What a contrast theme shows instead of the colour.
        if (meaningOf(box->backColor()) != (box->locked() ? ColourMeaning::Locked : ColourMeaning::Editable))
            return std::string(box->info.name) + "'s colour does not mark whether it takes typing";
    }

    // At most one door type; a red one is the selected one.
    const OptionButton *selected = nullptr;
    for (const OptionButton *door : { &form.opt1, &form.opt2, &form.opt3, &form.opt4 }) {
        if (door->value()) {
            if (selected)
                return "two door types selected";
            selected = door;
        }
        if (meaningOf(door->foreColor()) == ColourMeaning::Chosen && !door->value())
            return std::string(door->info.name) + " is marked chosen but not selected";
    }
    if (!form.focused())
        return "nothing has the focus";

    // Both results empty, or both the times of the imperial boxes and the door type.
    const std::string &close = form.lblMinimum.caption();
    const std::string &nudging = form.lblNudging.caption();
    if (close.empty() != nudging.empty())
        return "one result without the other: " + close + " / " + nudging;
    if (close.empty())
        return {};
    ++withResults;
    if (!selected)
        return "results without a door type";
    const DoorType types[] = { DoorType::SideSingleSpeed, DoorType::SideTwoSpeed, DoorType::CenterSingleSpeed,
        DoorType::CenterTwoSpeed };
    const OptionButton *doors[] = { &form.opt1, &form.opt2, &form.opt3, &form.opt4 };
    const DoorType type = types[std::find(std::begin(doors), std::end(doors), selected) - std::begin(doors)];
    const std::optional<double> width = entryValue(form.txtWidth.text());
    const std::optional<double> weight = entryValue(form.txtWeight.text());
    const std::optional<ShownTimes> expected = width && weight ? shownTimes(type, *width, *weight) : std::nullopt;
    if (!expected)
        return "results " + close + " / " + nudging + " where the core has none";
    if (close != expected->close || nudging != expected->nudging)
        return "results " + close + " / " + nudging + " are not " + expected->close + " / " + expected->nudging;
    if (selected->foreColor() != colours::red)
        return "the door type of the results is not red";
    // The converted pair is what the last calculation wrote from the entry pair.
    const bool converted = imperial
        ? form.txtWidthMetric.text() == inchesToMillimetres(form.txtWidth.text())
            && form.txtWeightMetric.text() == poundsToKilograms(form.txtWeight.text())
        : form.txtWidth.text() == millimetresToInches(form.txtWidthMetric.text())
            && form.txtWeight.text() == kilogramsToPounds(form.txtWeightMetric.text());
    if (!converted)
        return "results shown beside pairs that do not agree";
    return {};
}

class RandomSession : public testing::TestWithParam<std::uint32_t> { };

TEST_P(RandomSession, FormStaysConsistent)
{
    const char *env = std::getenv("VELKORA_SESSION_ACTIONS");
    const int actions = env && std::atoi(env) > 0 ? std::atoi(env) : 20000;
    Session session(GetParam());
    for (int step = 0; step < actions; ++step) {
        session.act();
        const std::string broken = session.check();
        ASSERT_TRUE(broken.empty()) << "after action " << step << ": " << broken;
    }
    std::printf("seed %u: %d actions, %d message boxes answered, results on screen after %d actions\n",
        GetParam(), actions, session.messages, session.withResults);
    // The session reaches complete entries often enough to test the results at all.
    EXPECT_GE(session.withResults, actions / 4);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSession, testing::Values(1u, 20261209u, 4242u));

} // namespace
