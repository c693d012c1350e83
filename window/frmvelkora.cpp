#include "window/frmvelkora.h"

#include "window/control_table.h"

#include <algorithm>
#include <utility>

using namespace velkora;

frmVelkora::frmVelkora(const Language &language)
    : language(language)
    , txtWidth(controlInfo("txtWidth", language), focus)
    , txtWeight(controlInfo("txtWeight", language), focus)
    , txtWidthMetric(controlInfo("txtWidthMetric", language), focus)
    , txtWeightMetric(controlInfo("txtWeightMetric", language), focus)
    , cmdCalculate(controlInfo("cmdCalculate", language), focus)
    , cmdClear(controlInfo("cmdClear", language), focus)
    , Frame1(controlInfo("Frame1", language), focus)
    , opt1(controlInfo("opt1", language), focus)
    , opt2(controlInfo("opt2", language), focus)
    , opt3(controlInfo("opt3", language), focus)
    , opt4(controlInfo("opt4", language), focus)
    , optImperial(controlInfo("optImperial", language), focus)
    , optMetric(controlInfo("optMetric", language), focus)
    , lblDwidth(controlInfo("lblDwidth", language), focus)
    , lblDweight(controlInfo("lblDweight", language), focus)
    , Label1(controlInfo("Label1", language), focus)
    , Label2(controlInfo("Label2", language), focus)
    , Label3(controlInfo("Label3", language), focus)
    , Label4(controlInfo("Label4", language), focus)
    , lblMinimumtime(controlInfo("lblMinimumtime", language), focus)
    , lblMinimum(controlInfo("lblMinimum", language), focus)
    , lblMinimumnudge(controlInfo("lblMinimumnudge", language), focus)
    , lblNudging(controlInfo("lblNudging", language), focus)
    , doorTypeGroup { &opt1, &opt2, &opt3, &opt4 }
    , unitGroup { &optImperial, &optMetric }
    , all { &txtWidth, &txtWeight, &txtWidthMetric, &txtWeightMetric, &cmdCalculate, &cmdClear,
        &Frame1, &opt1, &opt2, &opt3, &opt4, &optImperial, &optMetric, &lblDwidth, &lblDweight,
        &Label1, &Label2, &Label3, &Label4, &lblMinimumtime, &lblMinimum, &lblMinimumnudge,
        &lblNudging }
{
    for (Label *label : { &lblDwidth, &lblDweight, &Label1, &Label2, &Label3, &Label4, &lblMinimumtime,
             &lblMinimum, &lblMinimumnudge, &lblNudging })
        label->setCaption(std::string(label->info.caption));

    optImperial.Click = [this] { optImperial_Click(); };
    optMetric.Click = [this] { optMetric_Click(); };
    opt1.Click = [this] { opt1_Click(); };
    opt2.Click = [this] { opt2_Click(); };
    opt3.Click = [this] { opt3_Click(); };
    opt4.Click = [this] { opt4_Click(); };
    txtWidth.Change = [this] { txtWidth_Change(); };
    txtWeight.Change = [this] { txtWeight_Change(); };
    txtWidthMetric.Change = [this] { txtWidthMetric_Change(); };
    txtWeightMetric.Change = [this] { txtWeightMetric_Change(); };
    cmdCalculate.Click = [this] { cmdCalculate_Click(); };
    cmdClear.Click = [this] { cmdClear_Click(); };
}

// --- the window as a whole -------------------------------------------------------------------

void frmVelkora::Show()
{
    if (onShow)
        onShow();
}

Control *frmVelkora::control(std::string_view name) const
{
    const auto found = std::find_if(all.begin(), all.end(), [name](const Control *c) {
        return c->info.name == name;
    });
    return found == all.end() ? nullptr : *found;
}

std::vector<Control *> frmVelkora::tabStops() const
{
    std::vector<Control *> stops;
    std::copy_if(all.begin(), all.end(), std::back_inserter(stops), [](const Control *c) {
        return c->tabStop();
    });
    std::sort(stops.begin(), stops.end(), [](const Control *a, const Control *b) {
        return a->info.tabIndex < b->info.tabIndex;
    });
    return stops;
}

CommandButton &frmVelkora::defaultButton()
{
    return const_cast<CommandButton &>(std::as_const(*this).defaultButton());
}

const CommandButton &frmVelkora::defaultButton() const
{
    return cmdClear.hasFocus() ? cmdClear : cmdCalculate;
}

void frmVelkora::pressEnter()
{
    defaultButton().click();
}

bool frmVelkora::pressAccessKey(char letter)
{
    const char key = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (OptionButton *option : { &opt1, &opt2, &opt3, &opt4, &optImperial, &optMetric }) {
        if (accessKey(option->info.caption) == key) {
            option->SetFocus();
            option->click();
            return true;
        }
    }
    for (CommandButton *button : { &cmdCalculate, &cmdClear }) {
        if (accessKey(button->info.caption) == key) {
            button->SetFocus();
            button->click();
            return true;
        }
    }
    return false;
}

void frmVelkora::pressArrow(OptionButton &from, int step)
{
    const std::vector<OptionButton *> &options = from.group().options();
    const auto count = static_cast<std::ptrdiff_t>(options.size());
    const std::ptrdiff_t at = std::find(options.begin(), options.end(), &from) - options.begin();
    OptionButton *const next = options[static_cast<std::size_t>(((at + step) % count + count) % count)];
    next->SetFocus();
    next->click();
}

// --- entry states ----------------------------------------------------------------------------

void frmVelkora::Form_Load()
{
    blnImperial = true;
    optImperial.setForeColor(colours::red);
    optMetric.setForeColor(colours::black);
    setEntryPair(txtWidth, txtWeight, true);
    setEntryPair(txtWidthMetric, txtWeightMetric, false);
    emptyResults();
    Show();
    optImperial.setValue(true);
}

void frmVelkora::optImperial_Click()
{
    enterEntryState(true);
}

void frmVelkora::optMetric_Click()
{
    enterEntryState(false);
}

void frmVelkora::enterEntryState(bool imperial)
{
    blnImperial = imperial;
    optImperial.setForeColor(imperial ? colours::red : colours::black);
    optMetric.setForeColor(imperial ? colours::black : colours::red);
    (imperial ? optImperial : optMetric).setValue(true);
    setEntryPair(txtWidth, txtWeight, imperial);
    setEntryPair(txtWidthMetric, txtWeightMetric, !imperial);
    emptyResults();
    (imperial ? txtWidth : txtWidthMetric).SetFocus();
}

void frmVelkora::setEntryPair(TextBox &width, TextBox &weight, bool editable)
{
    const Colour background = editable ? colours::white : colours::yellow;
    width.setBackColor(background);
    weight.setBackColor(background);
    width.setLocked(!editable);
    weight.setLocked(!editable);
    width.setTabStop(editable);
    weight.setTabStop(editable);
}

void frmVelkora::message(std::string_view title, std::string_view text, MessageIcon icon)
{
    MsgBox(std::string(translate(language, title)), std::string(translate(language, text)), icon);
}

void frmVelkora::emptyResults()
{
    lblMinimum.setCaption({});
    lblNudging.setCaption({});
}

// --- Calculate -------------------------------------------------------------------------------

std::array<std::pair<OptionButton *, DoorType>, 4> frmVelkora::doorTypes()
{
    return { { { &opt1, DoorType::SideSingleSpeed }, { &opt2, DoorType::SideTwoSpeed },
        { &opt3, DoorType::CenterSingleSpeed }, { &opt4, DoorType::CenterTwoSpeed } } };
}

void frmVelkora::cmdCalculate_Click()
{
    // Any failure (a value beyond the double range) ends the command here; what was already
    // written stays.
    if (!calculate())
        message(translatable("What'd you do?"), translatable("An error has occurred...please continue working."),
            MessageIcon::None);
}

bool frmVelkora::calculate()
{
    const bool converted = blnImperial
        ? write(txtWidthMetric, inchesToMillimetres(txtWidth.text()))
            && write(txtWeightMetric, poundsToKilograms(txtWeight.text()))
        : write(txtWidth, millimetresToInches(txtWidthMetric.text()))
            && write(txtWeight, kilogramsToPounds(txtWeightMetric.text()));
    if (!converted)
        return false;
    const std::optional<double> width = entryValue(txtWidth.text());
    const std::optional<double> weight = entryValue(txtWeight.text());
    if (!width || !weight)
        return false;

    if (!doorTypeGroup.selected())
        message(translatable("Door Type"), translatable("Please select a door type."), MessageIcon::Exclamation);
    for (const auto &[option, type] : doorTypes()) {
        if (option->value() && !doorBlock(*option, type, *width, *weight))
            return false;
    }
    return true;
}

bool frmVelkora::write(TextBox &box, std::optional<std::string> text)
{
    if (!text)
        return false;
    box.setText(std::move(*text));
    return true;
}

bool frmVelkora::doorBlock(OptionButton &option, DoorType type, double width, double weight)
{
    if (width <= 0 || weight <= 0) {
        message(translatable("Numbers Only"), translatable("Please enter a number in both fields."),
            MessageIcon::Exclamation);
        NumOnly();
        return true;
    }
    // Both times are worked out before either is shown, so that a failure of the second never
    // leaves the first on screen alone.
    std::optional<ShownTimes> times = shownTimes(type, width, weight);
    if (!times)
        return false;
    lblMinimum.setCaption(std::move(times->close));
    lblNudging.setCaption(std::move(times->nudging));
    option.setForeColor(colours::red);
    cmdClear.SetFocus();
    return true;
}

void frmVelkora::NumOnly()
{
    TextBox &width = blnImperial ? txtWidth : txtWidthMetric;
    TextBox &weight = blnImperial ? txtWeight : txtWeightMetric;
    for (TextBox *box : { &width, &weight }) {
        // Both values of the pair were read by the command already, so neither can fail here.
        if (entryValue(box->text()) == 0.0) {
            box->setText({});
            box->SetFocus();
            return;
        }
    }
}

// --- door types, editing and Clear -----------------------------------------------------------

void frmVelkora::selectDoorType(OptionButton &option)
{
    if (!option.value())
        return;
    for (const auto &[type, unused] : doorTypes())
        type->setForeColor(type == &option ? colours::red : colours::black);
    emptyResults();
    cmdCalculate.SetFocus();
}

void frmVelkora::opt1_Click()
{
    selectDoorType(opt1);
}

void frmVelkora::opt2_Click()
{
    selectDoorType(opt2);
}

void frmVelkora::opt3_Click()
{
    selectDoorType(opt3);
}

void frmVelkora::opt4_Click()
{
    selectDoorType(opt4);
}

void frmVelkora::txtWidth_Change()
{
    emptyResults();
}

void frmVelkora::txtWeight_Change()
{
    emptyResults();
}

void frmVelkora::txtWidthMetric_Change()
{
    emptyResults();
}

void frmVelkora::txtWeightMetric_Change()
{
    emptyResults();
}

void frmVelkora::cmdClear_Click()
{
    for (TextBox *box : { &txtWidth, &txtWeight, &txtWidthMetric, &txtWeightMetric })
        box->setText({});
    emptyResults();
    for (const auto &[type, unused] : doorTypes())
        type->setValue(false);
    for (const auto &[type, unused] : doorTypes())
        type->setForeColor(colours::black);
}
