// The form shown as HTML controls in a browser page. The page's module (velkora.mjs) makes one
// element for each row of the control table when asked to, shows every property change it is
// told of, and passes what the user does back through the functions below, which the
// WebAssembly module exports under the same names.
#pragma once

#include "window/controls.h"

#include <string>

class frmVelkora;

namespace velkora {

class WebWindow
{
public:
    explicit WebWindow(frmVelkora &form);
    WebWindow(const WebWindow &) = delete;
    WebWindow &operator=(const WebWindow &) = delete;

    // What the user did to the control at that position of the control table.
    void edit(int index, std::string text);
    void click(int index);
    void focus(int index);
    void pressArrow(int index, int step);
    void pressEnter();
    // The page's layout changed (a phone turned, the window resized): what the program wrote is
    // fitted to its control again.
    void refit();

private:
    void build(int index, const Control &control);
    void showProperty(int index, const Control &control, Property property);
    Control *at(int index) const;
    // The position of a control in the control table, or -1.
    int positionOf(const Control *control) const;

    frmVelkora &form;
};

} // namespace velkora
