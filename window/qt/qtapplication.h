// What the program sets up once for the whole application, before the form is built.
#pragma once

#include <thread>

class QApplication;

namespace velkora {

// Reads the system's font configuration on a second thread, so that this slow first step of
// showing any text overlaps with connecting to the display. Start it before the application
// object and wait for it before setting up the application.
class FontConfigurationLoader
{
public:
    FontConfigurationLoader();
    ~FontConfigurationLoader();
    void wait();

private:
    std::thread loader;
};

// Identity (name, version, icon), a style that paints the form's own colours, and
// metric-compatible faces for "MS Sans Serif" so that every caption fits its control.
void setUpApplication(QApplication &app);

} // namespace velkora
