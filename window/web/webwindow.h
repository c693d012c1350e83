// The form shown as HTML controls in a browser page. The page already holds the form's elements
// as Form_Load leaves them (written when the site is built, webmarkup.h); the page's module
// (velkora.mjs) takes them over when told to, shows every property change it is told of from
// then on, and passes what the user does back through the functions below, which the
// WebAssembly module exports under the same names.
#pragma once

#include "window/controls.h"
#include "window/data_plate.h"

#include <string>

class frmVelkora;

namespace velkora {

class WebWindow
{
public:
    explicit WebWindow(frmVelkora &form);
    WebWindow(const WebWindow &) = delete;
    WebWindow &operator=(const WebWindow &) = delete;

    // Once Form_Load has run: the page takes over the elements it holds, after checking that
    // they are the form's as it stands now (in the page's language; in another one it shows the
    // form's). From then on every property change is shown.
    void adopt();

    // What the user did to the control at that position of the control table.
    void edit(int index, std::string text);
    void click(int index);
    void focus(int index);
    void pressArrow(int index, int step);
    void pressEnter();
    // The page has been painted, or its layout changed (a phone turned, the window resized):
    // captions, and what the program wrote, are fitted to their controls again.
    void refit();

    // The data plate's commands from the page's bar and the plate's view.
    void plateAdd();
    void plateSetFloors(int row, std::string text);
    void plateRemove(int row);
    void plateMove(int row, int step);
    int plateRowCount() const { return static_cast<int>(plate.rows().size()); }
    // The plate written out: 0 the sheet's markup (dated), 1 tab-separated text, 2 CSV.
    std::string plateWrite(int kind, std::string_view date) const;
    // A message the page has to give about the plate: 0 it has no rows, 1 the copy failed,
    // 2 the share failed (with the browser's reason).
    void plateMessage(int which, std::string_view detail);
    void about();

private:
    void showProperty(int index, const Control &control, Property property);
    void fitCaption(int index, const Control &control);
    Control *at(int index) const;
    // The position of a control in the control table, or -1.
    int positionOf(const Control *control) const;

    frmVelkora &form;
    DataPlate plate;
    bool adopted = false;
};

} // namespace velkora
