// The form's controls as plain objects: their properties, and the events the form's handlers
// are written for. A window binds each one to a real widget: it shows every property change
// (onChanged) and turns what the user does into the calls below.
//
// The event model, in one place:
// - Writing a TextBox's text raises its Change when the text changes, whoever writes it.
// - Setting an OptionButton's value to true raises its Click (and deselects the rest of its
//   group); setting it to false raises nothing and may leave the group with none selected.
// - A user's click on an option selects it and raises Click every time, also when it was
//   selected already.
// Every event runs synchronously, inside the write that raised it.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace velkora {

struct ControlInfo;

// A 24-bit colour stored 0xBBGGRR.
using Colour = std::uint32_t;

namespace colours {
    inline constexpr Colour red = 0x0000FF;
    inline constexpr Colour yellow = 0x00FFFF;
    inline constexpr Colour white = 0xFFFFFF;
    inline constexpr Colour black = 0x000000;
} // namespace colours

// What a colour of the form marks, so that a window under a contrast theme, which shows only
// the theme's own colours, can show the same thing its own way: the caption of the chosen door
// type or units (red), an entry box that takes typing (white) or one that only shows converted
// values (yellow). Black, and any other colour, is plain text.
enum class ColourMeaning { Plain, Chosen, Editable, Locked };
[[nodiscard]] ColourMeaning meaningOf(Colour colour);

// What changed, for the window that shows the control.
enum class Property { Text, Caption, Value, ForeColor, BackColor, Locked, TabStop, Focus };

class Control;

// Which control of a form has the keyboard focus.
class FocusTracker
{
public:
    Control *focused() const { return current; }
    void moveTo(Control &control);

private:
    Control *current = nullptr;
};

class Control
{
public:
    Control(const ControlInfo &info, FocusTracker &focus);
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control() = default;

    // Moves the keyboard focus here. Also what a window reports when the user moves it.
    void SetFocus();
    bool hasFocus() const { return focus.focused() == this; }
    // Whether the Tab key stops at this control.
    virtual bool tabStop() const { return false; }

    // Its row of the control table: name, caption, geometry, font, tooltip and the rest.
    const ControlInfo &info;
    // Called after every change of a property.
    std::function<void(Property)> onChanged;

protected:
    void changed(Property property) const;

private:
    friend class FocusTracker;
    FocusTracker &focus;
};

class TextBox : public Control
{
public:
    TextBox(const ControlInfo &info, FocusTracker &focus);

    const std::string &text() const { return textValue; }
    void setText(std::string text);
    // What the user typed: the new whole text, ignored while the box is locked.
    void edit(std::string text);

    Colour backColor() const { return back; }
    void setBackColor(Colour colour);
    // Locked: the text can be selected and copied, not edited.
    bool locked() const { return lockedValue; }
    void setLocked(bool locked);
    // The grey cue an empty box shows: its own (where its language has one) while it takes
    // typing, none while it is locked.
    std::string_view cue() const;
    // Without a tab stop the Tab key passes the box by; a click still focuses it.
    void setTabStop(bool tabStop);
    bool tabStop() const override { return tabStopValue; }

    std::function<void()> Change;

private:
    std::string textValue;
    Colour back;
    bool lockedValue = false;
    bool tabStopValue = true;
};

class Label : public Control
{
public:
    using Control::Control;

    const std::string &caption() const { return captionValue; }
    void setCaption(std::string caption);

private:
    std::string captionValue;
};

class CommandButton : public Control
{
public:
    using Control::Control;

    void click() const;
    bool tabStop() const override { return true; }

    std::function<void()> Click;
};

class OptionGroup;

class OptionButton : public Control
{
public:
    OptionButton(const ControlInfo &info, FocusTracker &focus);

    bool value() const { return selected; }
    void setValue(bool value);
    // The user's click.
    void click();

    Colour foreColor() const { return fore; }
    void setForeColor(Colour colour);

    // A group of options is one stop of the Tab key: its selected option, or its first one
    // while none is selected.
    bool tabStop() const override;
    const OptionGroup &group() const { return *owner; }

    std::function<void()> Click;

private:
    friend class OptionGroup;
    void show(bool value);

    OptionGroup *owner = nullptr;
    bool selected = false;
    Colour fore;
};

// Options of one container: at most one of them is selected.
class OptionGroup
{
public:
    OptionGroup(std::initializer_list<OptionButton *> options);
    OptionGroup(const OptionGroup &) = delete;
    OptionGroup &operator=(const OptionGroup &) = delete;

    const std::vector<OptionButton *> &options() const { return members; }
    OptionButton *selected() const;

private:
    friend class OptionButton;
    // Shows value on option and false on every other member, and tells every member that its
    // tab stop may have moved.
    void select(OptionButton &option, bool value);

    std::vector<OptionButton *> members;
};

} // namespace velkora
