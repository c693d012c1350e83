// frmVelkora: the one window of the program, as plain data and rules. It holds the imperial
// and metric entry pairs, the door type and unit choices, the Calculate and Clear commands,
// the two result displays and the entry state blnImperial. A window of a toolkit (window/qt,
// window/win32) shows it and passes on what the user does; the rules live only here.
//
// How a keypress becomes a calculation:
// 1. Each key typed into an entry box reaches its TextBox as edit(): the text changes, and the
//    box's Change handler (txtWidth_Change, ...) empties both result displays. Any write of a
//    box's text does the same, also the program's own.
// 2. Alt+S is pressAccessKey('S'): opt1 gets the focus and its click; opt1_Click paints it red,
//    empties the results and moves the focus on to cmdCalculate.
// 3. Enter is pressEnter(): it clicks the focused command button, or else cmdCalculate.
//    cmdCalculate_Click converts the entry pair into the other pair (writes, so the results are
//    emptied again), reads the width and weight from the inch and pound boxes, and for the
//    selected door type writes both times (calc/door_time.h: shownTimes), paints the door type
//    red and moves the focus to cmdClear.
#pragma once

#include "calc/door_time.h"
#include "window/controls.h"
#include "window/language.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkora {
enum class MessageIcon { None, Exclamation };
}

class frmVelkora
{
    // Declared first: every control is built with them.
    velkora::FocusTracker focus;
    const velkora::Language &language;

public:
    // The form with its texts in a language, chosen once: English unless told otherwise.
    explicit frmVelkora(const velkora::Language &language = velkora::english());
    frmVelkora(const frmVelkora &) = delete;
    frmVelkora &operator=(const frmVelkora &) = delete;

    // Brings the built form into imperial entry, shows it and puts the caret in the inch box.
    void Form_Load();
    // Empties and focuses the first box of the current entry pair whose value is 0.
    void NumOnly();
    // Shows the window, through onShow.
    void Show();

    // The keys every window passes on as they are.
    // Enter: clicks defaultButton().
    void pressEnter();
    // The command Enter presses: the focused command button, or else Calculate. A window marks it.
    velkora::CommandButton &defaultButton();
    const velkora::CommandButton &defaultButton() const;
    // Alt with a letter: focuses and clicks the control with that access key; false if none has.
    bool pressAccessKey(char letter);
    // An arrow key on an option: focuses and clicks the next (step 1) or previous (step -1)
    // option of its group, round the end.
    void pressArrow(velkora::OptionButton &from, int step);

    // Every control, in the order of the control table.
    const std::vector<velkora::Control *> &controls() const { return all; }
    // The control of that name, or nullptr.
    velkora::Control *control(std::string_view name) const;
    // The controls the Tab key visits now, in order.
    std::vector<velkora::Control *> tabStops() const;
    velkora::Control *focused() const { return focus.focused(); }

    // The language of every text the form shows.
    const velkora::Language &textLanguage() const { return language; }

    // Shows a modal message box with one OK button. Tests may replace it to see what would
    // have been shown.
    std::function<void(const std::string &title, const std::string &text, velkora::MessageIcon icon)> MsgBox;
    // Called when the form is to be shown.
    std::function<void()> onShow;

    // True: the inch and pound boxes are the entry boxes; false: the millimetre and kilogram ones.
    bool blnImperial = false;

    velkora::TextBox txtWidth;
    velkora::TextBox txtWeight;
    velkora::TextBox txtWidthMetric;
    velkora::TextBox txtWeightMetric;
    velkora::CommandButton cmdCalculate;
    velkora::CommandButton cmdClear;
    velkora::Control Frame1;
    velkora::OptionButton opt1;
    velkora::OptionButton opt2;
    velkora::OptionButton opt3;
    velkora::OptionButton opt4;
    velkora::OptionButton optImperial;
    velkora::OptionButton optMetric;
    velkora::Label lblDwidth;
    velkora::Label lblDweight;
    velkora::Label Label1;
    velkora::Label Label2;
    velkora::Label Label3;
    velkora::Label Label4;
    velkora::Label lblMinimumtime;
    velkora::Label lblMinimum;
    velkora::Label lblMinimumnudge;
    velkora::Label lblNudging;

private:
    void optImperial_Click();
    void optMetric_Click();
    void cmdCalculate_Click();
    void cmdClear_Click();
    void opt1_Click();
    void opt2_Click();
    void opt3_Click();
    void opt4_Click();
    void txtWidth_Change();
    void txtWeight_Change();
    void txtWidthMetric_Change();
    void txtWeightMetric_Change();

    void emptyResults();
    // Shows a message box, its title and text in the form's language.
    void message(std::string_view title, std::string_view text, velkora::MessageIcon icon);
    // Imperial or metric entry: the flag, the unit captions and option, the pairs' colours,
    // locks and tab stops, emptied results, and the caret in the entry pair's width box.
    void enterEntryState(bool imperial);
    // Entry pair colours, locks and tab stops: white and editable, or yellow and locked.
    static void setEntryPair(velkora::TextBox &width, velkora::TextBox &weight, bool editable);
    // The steps of cmdCalculate_Click; false when a value went beyond the double range.
    bool calculate();
    // Writes a converted entry into a box; false, writing nothing, when there is none.
    static bool write(velkora::TextBox &box, std::optional<std::string> text);
    // Shows the times of one door type, or says why not; false on a failure.
    bool doorBlock(velkora::OptionButton &option, velkora::DoorType type, double width, double weight);
    void selectDoorType(velkora::OptionButton &option);
    // The door type options in order, each with the door type it stands for.
    std::array<std::pair<velkora::OptionButton *, velkora::DoorType>, 4> doorTypes();

    velkora::OptionGroup doorTypeGroup;
    velkora::OptionGroup unitGroup;
    std::vector<velkora::Control *> all;
};
