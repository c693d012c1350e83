// Running the form in a real window. Each toolkit folder (window/qt, window/win32) has its own
// definition; the program links exactly one.
#pragma once

#include <string>
#include <vector>

class frmVelkora;

namespace velkora {

// The user's preferred languages for what programs show, most preferred first, as the system
// gives them (language tags such as "fr-CA", or locale names such as "fr_CA.UTF-8"). The form's
// language is chosen from them once, before the form is built.
[[nodiscard]] std::vector<std::string> preferredLanguages();

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
