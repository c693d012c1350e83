// The form's rules, driven as a window drives them: edits, clicks, access keys and Enter.
// Expected texts are the worked examples and hand arithmetic.
#include "window/application.h"
#include "window/control_table.h"
#include "window/frmvelkora.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace velkora;

namespace {

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon;
};

using Texts = std::vector<std::string>;

class Form : public testing::Test
{
protected:
    void SetUp() override
    {
        form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon icon) {
            messages.push_back({ title, text, icon });
        };
        form.onShow = [this] { focusWhenShown = form.focused(); ++shown; };
    }

    void load() { form.Form_Load(); }

    // Types into a box as a user does: focus first, then the whole new text.
    void type(TextBox &box, const std::string &text)
    {
        box.SetFocus();
        box.edit(text);
    }

    // Types width and weight into the entry pair, picks a door type by its access key (none
    // for 0) and presses Enter.
    void calculate(const std::string &width, const std::string &weight, char doorKey)
    {
        type(form.blnImperial ? form.txtWidth : form.txtWidthMetric, width);
        type(form.blnImperial ? form.txtWeight : form.txtWeightMetric, weight);
        if (doorKey)
            form.pressAccessKey(doorKey);
        form.pressEnter();
    }

    Texts results() const { return { form.lblMinimum.caption(), form.lblNudging.caption() }; }
    Texts boxes() const
    {
        return { form.txtWidth.text(), form.txtWeight.text(), form.txtWidthMetric.text(),
            form.txtWeightMetric.text() };
    }
    std::string focusName() const
    {
        return form.focused() ? std::string(form.focused()->info.name) : "(none)";
    }

    void expectEntryState(bool imperial)
    {
        EXPECT_EQ(form.blnImperial, imperial);
        EXPECT_EQ(form.optImperial.value(), imperial);
        EXPECT_EQ(form.optMetric.value(), !imperial);
        EXPECT_EQ(form.optImperial.foreColor(), imperial ? colours::red : colours::black);
        EXPECT_EQ(form.optMetric.foreColor(), imperial ? colours::black : colours::red);
        for (const TextBox *box : { &form.txtWidth, &form.txtWeight, &form.txtWidthMetric, &form.txtWeightMetric }) {
            const bool entry = (box == &form.txtWidth || box == &form.txtWeight) == imperial;
            EXPECT_EQ(box->backColor(), entry ? colours::white : colours::yellow) << box->info.name;
            EXPECT_EQ(box->locked(), !entry) << box->info.name;
            EXPECT_EQ(box->tabStop(), entry) << box->info.name;
        }
    }

    // All four boxes and both results empty, no door type selected, every door type black.
    void expectEmptyForm()
    {
        EXPECT_EQ(boxes(), Texts(4));
        EXPECT_EQ(results(), Texts(2));
        for (const OptionButton *door : { &form.opt1, &form.opt2, &form.opt3, &form.opt4 }) {
            EXPECT_FALSE(door->value()) << door->info.name;
            EXPECT_EQ(door->foreColor(), colours::black) << door->info.name;
        }
    }

    frmVelkora form;
    std::vector<Message> messages;
    const Control *focusWhenShown = nullptr;
    int shown = 0;
};

TEST_F(Form, AsBuiltBeforeLoading)
{
    EXPECT_FALSE(form.blnImperial);
    EXPECT_EQ(form.controls().size(), controlTable.size());
    EXPECT_EQ(form.focused(), nullptr);
    expectEmptyForm();
    EXPECT_FALSE(form.optImperial.value());
    EXPECT_FALSE(form.optMetric.value());
    EXPECT_EQ(form.txtWidthMetric.backColor(), colours::yellow);
    EXPECT_EQ(form.txtWeightMetric.backColor(), colours::yellow);
    EXPECT_EQ(form.txtWidth.backColor(), colours::white);
    EXPECT_EQ(form.lblMinimumnudge.caption(), "Minimum Nudging Close Time in Seconds:");
    EXPECT_EQ(form.Label3.caption(), "MM");
    EXPECT_EQ(shown, 0);
}

TEST_F(Form, LoadingEntersImperialEntryAndShowsBeforeFocusing)
{
    load();
    expectEntryState(true);
    expectEmptyForm();
    EXPECT_EQ(focusName(), "txtWidth");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(focusWhenShown, nullptr);
    EXPECT_TRUE(messages.empty());
}

// --- Calculate -------------------------------------------------------------------------------

struct RoadCase {
    const char *name;
    char doorKey;
    const char *option;
    const char *close;
    const char *nudging;
};

class RoadOfOneCalculation : public Form, public testing::WithParamInterface<RoadCase> { };

TEST_P(RoadOfOneCalculation, ConvertsShowsMarksAndMovesOn)
{
    const RoadCase &c = GetParam();
    load();
    calculate("42", "400", c.doorKey);

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(boxes(), (Texts { "42", "400", "1066.8", "181.437" }));
    EXPECT_EQ(results(), (Texts { c.close, c.nudging }));
    for (const OptionButton *door : { &form.opt1, &form.opt2, &form.opt3, &form.opt4 })
        EXPECT_EQ(door->foreColor(), door->info.name == c.option ? colours::red : colours::black);
    EXPECT_EQ(focusName(), "cmdClear");

    // Again with Alt+A: the same texts are written and the same times shown.
    form.pressAccessKey('a');
    EXPECT_EQ(results(), (Texts { c.close, c.nudging }));
    EXPECT_EQ(boxes(), (Texts { "42", "400", "1066.8", "181.437" }));
    EXPECT_EQ(focusName(), "cmdClear");
}

INSTANTIATE_TEST_SUITE_P(DoorTypes, RoadOfOneCalculation,
    testing::Values(RoadCase { "SideSingle", 'S', "opt1", "2.98", "4.97" },
        RoadCase { "SideTwo", 'T', "opt2", "2.36", "3.93" },
        RoadCase { "CenterSingle", 'C', "opt3", "1.49", "2.48" },
        RoadCase { "CenterTwo", 'E', "opt4", "1.18", "1.97" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Form, MetricRoadReadsTheConvertedInchesAndPounds)
{
    load();
    form.pressAccessKey('M');
    calculate("1067", "181", 'S');
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(boxes(), (Texts { "42.008", "399.037", "1067", "181" }));
    EXPECT_EQ(results(), (Texts { "2.98", "4.97" }));
    EXPECT_EQ(form.opt1.foreColor(), colours::red);
    EXPECT_EQ(focusName(), "cmdClear");
}

TEST_F(Form, NudgingTimeComesFromTheShownCloseTime)
{
    load();
    // 26 / 12 x sqrt(101) / 21.23 = 1.02566 shows 1.03; 1.03 x 1.667 = 1.71701 shows 1.72.
    calculate("30", "101", 'S');
    EXPECT_EQ(results(), (Texts { "1.03", "1.72" }));
    // 5.03 x 1.667 = 8.38501: 8.39 (a factor of 1.6667 would give 8.38).
    calculate("42", "1135", 0);
    EXPECT_EQ(results(), (Texts { "5.03", "8.39" }));
}

TEST_F(Form, NegativeAndZeroTimesAreShown)
{
    load();
    calculate("3", "100", 'S');
    EXPECT_EQ(results(), (Texts { "-0.04", "-0.07" }));
    calculate("4", "400", 'E');
    EXPECT_EQ(results(), (Texts { "0", "0" }));
    // Just under 4 inches the close time rounds to a negative zero: it shows as 0.
    calculate("3.999", "1", 'T');
    EXPECT_EQ(results(), (Texts { "0", "0" }));
    EXPECT_TRUE(messages.empty());
}

struct MessageCase {
    const char *name;
    bool metric;
    const char *width;
    const char *weight;
    char doorKey;
    const char *title;
    MessageIcon icon;
    // The four boxes after the command: inches, pounds, millimetres, kilograms.
    Texts boxes;
    const char *focus;
};

class MessageBoxes : public Form, public testing::WithParamInterface<MessageCase> { };

TEST_P(MessageBoxes, ReportTheProblemAndKeepWhatWasWritten)
{
    const MessageCase &c = GetParam();
    load();
    if (c.metric)
        form.pressAccessKey('M');
    calculate(c.width, c.weight, c.doorKey);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, c.title);
    EXPECT_EQ(messages[0].icon, c.icon);
    EXPECT_EQ(boxes(), c.boxes);
    EXPECT_EQ(results(), Texts(2));
    EXPECT_EQ(focusName(), c.focus);
}

constexpr auto warning = MessageIcon::Exclamation;
constexpr auto noIcon = MessageIcon::None;

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxes,
    testing::Values(
        MessageCase { "NoDoorType_EmptyBoxes", false, "", "", 0, "Door Type", warning, { "", "", "0", "0" }, "txtWeight" },
        MessageCase { "WidthAbc", false, "abc", "400", 'S', "Numbers Only", warning, { "", "400", "0", "181.437" }, "txtWidth" },
        MessageCase { "WeightEmpty", false, "42", "", 'S', "Numbers Only", warning, { "42", "", "1066.8", "0" }, "txtWeight" },
        // A negative entry fails the check but is not emptied; the focus stays on the command.
        MessageCase { "WidthMinus5", false, "-5", "400", 'S', "Numbers Only", warning, { "-5", "400", "-127", "181.437" }, "cmdCalculate" },
        MessageCase { "BothZero", false, "0", "0", 'E', "Numbers Only", warning, { "", "0", "0", "0" }, "txtWidth" },
        MessageCase { "Metric_WeightEmpty", true, "1067", "", 'C', "Numbers Only", warning, { "42.008", "0", "1067", "" }, "txtWeightMetric" },
        // 0.01 mm is 0 inches to 3 places, but the millimetre value itself is not 0.
        MessageCase { "Metric_Width0_01mm", true, "0.01", "181", 'T', "Numbers Only", warning, { "0", "399.037", "0.01", "181" }, "cmdCalculate" },
        MessageCase { "WeightBeyondRange", false, "42", "1E400", 'S', "What'd you do?", noIcon, { "42", "1E400", "1066.8", "" }, "cmdCalculate" },
        MessageCase { "WidthOverflowsInMillimetres", false, "1E307", "400", 'S', "What'd you do?", noIcon, { "1E307", "400", "", "" }, "cmdCalculate" },
        MessageCase { "Metric_PoundsOverflow", true, "1E308", "1.7E308", 'S', "What'd you do?", noIcon, { "3.93700787401575E+306", "", "1E308", "1.7E308" }, "cmdCalculate" },
        // The close time fits, its nudging time does not: neither is shown.
        MessageCase { "NudgingOverflows", false, "7E306", "19000000", 'S', "What'd you do?", noIcon, { "7E306", "19000000", "1.778E+308", "8618255.03" }, "cmdCalculate" },
        MessageCase { "CloseTimeOverflows", false, "1E306", "1E300", 'S', "What'd you do?", noIcon, { "1E306", "1E300", "2.54E+307", "4.5359237E+299" }, "cmdCalculate" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Form, MessageTexts)
{
    load();
    calculate("", "", 0);
    calculate("abc", "1", 'S');
    calculate("1E400", "1", 0);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, "Please select a door type.");
    EXPECT_EQ(messages[1].text, "Please enter a number in both fields.");
    EXPECT_EQ(messages[2].text, "An error has occurred...please continue working.");
}

TEST_F(Form, EnterPressesTheFocusedCommandElseCalculate)
{
    load();
    calculate("42", "400", 'S');
    ASSERT_EQ(focusName(), "cmdClear");
    // The second Enter lands on the focused Clear.
    form.pressEnter();
    expectEmptyForm();
    EXPECT_EQ(focusName(), "cmdClear");

    type(form.txtWidth, "42");
    type(form.txtWeight, "400");
    form.pressAccessKey('T');
    form.opt2.SetFocus();
    form.pressEnter();
    EXPECT_EQ(results(), (Texts { "2.36", "3.93" }));
}

// --- entry states ----------------------------------------------------------------------------

TEST_F(Form, SwitchingStatesKeepsTheEntriesAndEmptiesTheResults)
{
    load();
    calculate("42", "400", 'S');
    form.pressAccessKey('M');
    expectEntryState(false);
    EXPECT_EQ(boxes(), (Texts { "42", "400", "1066.8", "181.437" }));
    EXPECT_EQ(results(), Texts(2));
    EXPECT_EQ(focusName(), "txtWidthMetric");
    EXPECT_TRUE(form.opt1.value());

    form.pressEnter();
    EXPECT_EQ(results(), (Texts { "2.98", "4.97" }));
    EXPECT_EQ(boxes(), (Texts { "42", "400", "1066.8", "181.437" }));

    // Back in imperial entry the boxes keep what the metric calculation wrote, to 3 places.
    type(form.txtWidthMetric, "1000");
    form.pressEnter();
    form.optImperial.click();
    expectEntryState(true);
    EXPECT_EQ(boxes(), (Texts { "39.37", "400", "1000", "181.437" }));
    EXPECT_EQ(results(), Texts(2));
    EXPECT_EQ(focusName(), "txtWidth");
    EXPECT_TRUE(form.opt1.value());
}

TEST_F(Form, ChoosingTheActiveUnitAgainReappliesIt)
{
    load();
    calculate("42", "400", 'S');
    form.optImperial.click();
    expectEntryState(true);
    EXPECT_EQ(results(), Texts(2));
    EXPECT_EQ(focusName(), "txtWidth");
}

TEST_F(Form, TypingIntoALockedBoxChangesNothing)
{
    load();
    calculate("42", "400", 'S');
    type(form.txtWeightMetric, "9");
    EXPECT_EQ(form.txtWeightMetric.text(), "181.437");
    EXPECT_EQ(results(), (Texts { "2.98", "4.97" }));
}

struct TabCase {
    const char *name;
    char unitKey;
    char doorKey;
    std::vector<std::string> stops;
};

class TabOrder : public Form, public testing::WithParamInterface<TabCase> { };

TEST_P(TabOrder, VisitsTheEntryPairCommandsAndOneStopPerGroup)
{
    const TabCase &c = GetParam();
    load();
    if (c.doorKey)
        form.pressAccessKey(c.doorKey);
    form.pressAccessKey(c.unitKey);
    std::vector<std::string> names;
    for (const Control *stop : form.tabStops())
        names.emplace_back(stop->info.name);
    EXPECT_EQ(names, c.stops);
}

INSTANTIATE_TEST_SUITE_P(States, TabOrder,
    testing::Values(
        TabCase { "Imperial", 'I', 0, { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt1", "optImperial" } },
        TabCase { "Metric", 'M', 0, { "txtWidthMetric", "txtWeightMetric", "cmdCalculate", "cmdClear", "opt1", "optMetric" } },
        TabCase { "Imperial_CenterTwo", 'I', 'E', { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt4", "optImperial" } }),
    [](const auto &info) { return std::string(info.param.name); });

// --- access keys, door types, editing, Clear -------------------------------------------------

struct AccessKeyCase {
    char key;
    const char *chosen;
    const char *focus;
};

class AccessKeys : public Form, public testing::WithParamInterface<AccessKeyCase> { };

TEST_P(AccessKeys, ChooseOrPressAndMoveTheFocus)
{
    const AccessKeyCase &c = GetParam();
    load();
    type(form.txtWidth, "42");
    EXPECT_TRUE(form.pressAccessKey(c.key));
    if (*c.chosen) {
        const auto *option = static_cast<const OptionButton *>(form.control(c.chosen));
        EXPECT_TRUE(option->value());
        EXPECT_EQ(option->foreColor(), colours::red);
    }
    EXPECT_EQ(focusName(), c.focus);
    EXPECT_EQ(form.txtWidth.text(), c.key == 'L' ? "" : "42");
    EXPECT_EQ(messages.size(), c.key == 'A' ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Keys, AccessKeys,
    testing::Values(AccessKeyCase { 'S', "opt1", "cmdCalculate" }, AccessKeyCase { 'T', "opt2", "cmdCalculate" },
        AccessKeyCase { 'C', "opt3", "cmdCalculate" }, AccessKeyCase { 'E', "opt4", "cmdCalculate" },
        AccessKeyCase { 'M', "optMetric", "txtWidthMetric" }, AccessKeyCase { 'I', "optImperial", "txtWidth" },
        AccessKeyCase { 'A', "", "cmdCalculate" }, AccessKeyCase { 'L', "", "cmdClear" }));

TEST_F(Form, LettersWithoutAControlAreNotAccessKeys)
{
    load();
    for (char letter : { 'B', 'Z', 'O', '1' })
        EXPECT_FALSE(form.pressAccessKey(letter)) << letter;
    EXPECT_EQ(focusName(), "txtWidth");
}

TEST_F(Form, AnotherDoorTypeMovesTheMarkAndEmptiesTheResults)
{
    load();
    calculate("42", "400", 'S');
    form.opt2.click();
    EXPECT_TRUE(form.opt2.value());
    EXPECT_FALSE(form.opt1.value());
    EXPECT_EQ(form.opt2.foreColor(), colours::red);
    EXPECT_EQ(form.opt1.foreColor(), colours::black);
    EXPECT_EQ(results(), Texts(2));
    EXPECT_EQ(focusName(), "cmdCalculate");
    EXPECT_TRUE(form.optImperial.value());
}

TEST_F(Form, ArrowKeysChooseAroundTheGroup)
{
    load();
    form.pressAccessKey('E');
    form.pressArrow(form.opt4, 1);
    EXPECT_TRUE(form.opt1.value());
    EXPECT_EQ(focusName(), "cmdCalculate");
    form.pressArrow(form.opt1, -1);
    EXPECT_TRUE(form.opt4.value());
    form.pressArrow(form.optImperial, 1);
    expectEntryState(false);
    EXPECT_TRUE(form.opt4.value());
}

class AnyEdit : public Form, public testing::WithParamInterface<const char *> { };

TEST_P(AnyEdit, EmptiesBothResultsAndNothingElse)
{
    const std::string name = GetParam();
    load();
    auto &box = *static_cast<TextBox *>(form.control(name));
    if (box.locked())
        form.pressAccessKey('M');
    calculate(form.blnImperial ? "42" : "1067", form.blnImperial ? "400" : "181", 'C');
    ASSERT_EQ(form.lblMinimum.caption(), "1.49");
    const bool imperial = form.blnImperial;
    type(box, box.text() + "5");
    EXPECT_EQ(results(), Texts(2));
    EXPECT_TRUE(form.opt3.value());
    EXPECT_EQ(form.blnImperial, imperial);
}

INSTANTIATE_TEST_SUITE_P(Boxes, AnyEdit, testing::Values("txtWidth", "txtWeight", "txtWidthMetric", "txtWeightMetric"));

TEST_F(Form, ClearAfterAMetricCalculationKeepsMetricEntry)
{
    load();
    form.pressAccessKey('M');
    calculate("1067", "181", 'E');
    ASSERT_EQ(form.lblMinimum.caption(), "1.18");
    form.pressAccessKey('L');
    expectEmptyForm();
    expectEntryState(false);
    EXPECT_EQ(focusName(), "cmdClear");
    EXPECT_TRUE(form.opt1.tabStop());

    form.pressAccessKey('A');
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Door Type");
}

TEST_F(Form, ClearOnAnEmptyFormChangesNothing)
{
    load();
    form.cmdClear.SetFocus();
    form.cmdClear.click();
    expectEntryState(true);
    expectEmptyForm();
    EXPECT_TRUE(messages.empty());
}

// --- the event model -------------------------------------------------------------------------

TEST(EventModel, WritingADifferentTextRaisesChange)
{
    FocusTracker focus;
    TextBox box(controlInfo("txtWidth"), focus);
    int changes = 0;
    box.Change = [&] { ++changes; };
    box.setText("42");
    box.setText("42");
    box.edit("420");
    box.setLocked(true);
    box.edit("9");
    box.setText("");
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(changes, 3);
}

TEST(EventModel, SelectingFromCodeClicksDeselectingDoesNot)
{
    FocusTracker focus;
    OptionButton a(controlInfo("opt1"), focus);
    OptionButton b(controlInfo("opt2"), focus);
    OptionGroup group { &a, &b };
    std::vector<std::string> clicks;
    a.Click = [&] { clicks.emplace_back("a"); };
    b.Click = [&] { clicks.emplace_back("b"); };

    a.setValue(true);
    a.setValue(true);
    b.setValue(true);
    EXPECT_FALSE(a.value());
    b.setValue(false);
    EXPECT_EQ(group.selected(), nullptr);
    // The user's click raises Click also on the option that is already selected.
    a.click();
    a.click();
    EXPECT_EQ(clicks, (std::vector<std::string> { "a", "b", "a", "a" }));
    EXPECT_TRUE(a.tabStop());
    EXPECT_FALSE(b.tabStop());
}

TEST(EventModel, EveryPropertyChangeIsReportedOnce)
{
    FocusTracker focus;
    OptionButton a(controlInfo("optImperial"), focus);
    OptionButton b(controlInfo("optMetric"), focus);
    OptionGroup group { &a, &b };
    std::vector<Property> seenA, seenB;
    a.onChanged = [&](Property p) { seenA.push_back(p); };
    b.onChanged = [&](Property p) { seenB.push_back(p); };
    a.setValue(true);
    b.click();
    a.SetFocus();
    EXPECT_EQ(seenA, (std::vector<Property> { Property::Value, Property::TabStop, Property::Value,
                         Property::TabStop, Property::Focus }));
    EXPECT_EQ(seenB, (std::vector<Property> { Property::TabStop, Property::Value, Property::TabStop }));
}

// --- the control table -----------------------------------------------------------------------

TEST(ControlTable, TwipsAndPointsToPixels)
{
    EXPECT_EQ(twipsToPixels(9150, 96), 610);
    EXPECT_EQ(twipsToPixels(4755, 96), 317);
    EXPECT_EQ(twipsToPixels(1755, 96), 117);
    EXPECT_EQ(twipsToPixels(1005, 192), 134);
    EXPECT_EQ(twipsToPixels(7, 96), 0);
    EXPECT_EQ(twipsToPixels(8, 96), 1);
    EXPECT_EQ(pointsToPixels(9.75, 96), 13);
    EXPECT_EQ(pointsToPixels(18, 144), 36);
    EXPECT_EQ(pointsToPixels(8, 96), 11);
}

TEST(ControlTable, FramedControlsSitInsideTheirFrame)
{
    const Twips opt3 = formGeometry(controlInfo("opt3"));
    EXPECT_EQ(opt3.left, 300);
    EXPECT_EQ(opt3.top, 1860);
    const Twips frame = formGeometry(controlInfo("Frame1"));
    for (const ControlInfo &info : controlTable) {
        if (info.container != "Frame1")
            continue;
        const Twips g = formGeometry(info);
        EXPECT_GE(g.left, frame.left) << info.name;
        EXPECT_LE(g.left + g.width, frame.left + frame.width) << info.name;
        EXPECT_LE(g.top + g.height, frame.top + frame.height) << info.name;
    }
}

TEST(ControlTable, AccessKeysAreUniqueAndAsDocumented)
{
    std::string keys;
    for (const ControlInfo &info : controlTable) {
        if (const char key = accessKey(info.caption))
            keys += key;
    }
    EXPECT_EQ(keys, "ALSTCEIM");
    EXPECT_EQ(shownCaption("C&enter Opening Two Speed"), "Center Opening Two Speed");
    EXPECT_EQ(accessKey("DOOR TYPE"), 0);
    EXPECT_EQ(accessKey("trailing&"), 0);
}

TEST(WindowPlacement, CentredButNeverOffTheTopLeft)
{
    const Origin centred = centredOrigin(610, 317, 0, 0, 1024, 768);
    EXPECT_EQ(centred.x, 207);
    EXPECT_EQ(centred.y, 225);
    const Origin large = centredOrigin(1830, 951, 0, 0, 1280, 1024);
    EXPECT_EQ(large.x, 0);
    EXPECT_EQ(large.y, 36);
    const Origin offset = centredOrigin(2000, 2000, 100, 50, 1280, 1024);
    EXPECT_EQ(offset.x, 100);
    EXPECT_EQ(offset.y, 50);
}

} // namespace

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
