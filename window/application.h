// Running the form in a real window. Each toolkit folder (window/qt, window/win32) has its own
// definition; the program links exactly one.
#pragma once

class frmVelkora;

namespace velkora {

// Sets up the toolkit, shows the form in a native window through Form_Load and runs the event
// loop until the window is closed. Returns the program's exit status. When no window can be
// opened (no display), says why on standard error and returns 1.
int run(frmVelkora &form, int argc, char *argv[]);

// The top-left corner of a window of the given size placed on an area of the screen: centred,
// but never so far up or left that its title bar and first controls are off the area.
struct Origin {
    int x, y;
};
[[nodiscard]] Origin centredOrigin(int width, int height, int areaLeft, int areaTop, int areaWidth, int areaHeight);

} // namespace velkora
