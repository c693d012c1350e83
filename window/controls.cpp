#include "window/controls.h"

#include "window/control_table.h"

#include <algorithm>
#include <utility>

namespace velkora {

ColourMeaning meaningOf(Colour colour)
{
    switch (colour) {
    case colours::red:
        return ColourMeaning::Chosen;
    case colours::white:
        return ColourMeaning::Editable;
    case colours::yellow:
        return ColourMeaning::Locked;
    default:
        return ColourMeaning::Plain;
    }
}

void FocusTracker::moveTo(Control &control)
{
    if (current == &control)
        return;
    Control *const previous = std::exchange(current, &control);
    if (previous)
        previous->changed(Property::Focus);
    control.changed(Property::Focus);
}

Control::Control(const ControlInfo &info, FocusTracker &focus)
    : info(info)
    , focus(focus)
{
}

void Control::SetFocus()
{
    focus.moveTo(*this);
}

void Control::changed(Property property) const
{
    if (onChanged)
        onChanged(property);
}

TextBox::TextBox(const ControlInfo &info, FocusTracker &focus)
    : Control(info, focus)
    , back(info.backColor.value_or(colours::white))
{
}

void TextBox::setText(std::string text)
{
    if (text == textValue)
        return;
    textValue = std::move(text);
    changed(Property::Text);
    if (Change)
        Change();
}

void TextBox::edit(std::string text)
{
    if (lockedValue) {
        // The window may already show the refused edit: show the kept text again.
        changed(Property::Text);
        return;
    }
    setText(std::move(text));
}

void TextBox::setBackColor(Colour colour)
{
    back = colour;
    changed(Property::BackColor);
}

void TextBox::setLocked(bool locked)
{
    lockedValue = locked;
    changed(Property::Locked);
}

std::string_view TextBox::cue() const
{
    return lockedValue ? std::string_view() : info.cue;
}

void TextBox::setTabStop(bool tabStop)
{
    tabStopValue = tabStop;
    changed(Property::TabStop);
}

void Label::setCaption(std::string caption)
{
    if (caption == captionValue)
        return;
    captionValue = std::move(caption);
    changed(Property::Caption);
}

void CommandButton::click() const
{
    if (Click)
        Click();
}

OptionButton::OptionButton(const ControlInfo &info, FocusTracker &focus)
    : Control(info, focus)
    , fore(info.foreColor.value_or(colours::black))
{
}

void OptionButton::setValue(bool value)
{
    if (value == selected)
        return;
    owner->select(*this, value);
    if (value && Click)
        Click();
}

void OptionButton::click()
{
    owner->select(*this, true);
    if (Click)
        Click();
}

void OptionButton::setForeColor(Colour colour)
{
    fore = colour;
    changed(Property::ForeColor);
}

bool OptionButton::tabStop() const
{
    const OptionButton *const chosen = owner->selected();
    return chosen ? chosen == this : owner->options().front() == this;
}

void OptionButton::show(bool value)
{
    if (value == selected)
        return;
    selected = value;
    changed(Property::Value);
}

OptionGroup::OptionGroup(std::initializer_list<OptionButton *> options)
    : members(options)
{
    for (OptionButton *option : members)
        option->owner = this;
}

OptionButton *OptionGroup::selected() const
{
    const auto chosen = std::find_if(members.begin(), members.end(), [](const OptionButton *option) {
        return option->value();
    });
    return chosen == members.end() ? nullptr : *chosen;
}

void OptionGroup::select(OptionButton &option, bool value)
{
    // The one selected before goes first, so that no moment shows two selected.
    for (OptionButton *member : members) {
        if (member != &option && value)
            member->show(false);
    }
    option.show(value);
    for (OptionButton *member : members)
        member->changed(Property::TabStop);
}

} // namespace velkora
