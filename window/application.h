// What the program sets up once for the whole application, before the form is built.
#pragma once

class QApplication;

namespace velkora {

// Identity (name, version, icon), a style that paints the form's own colours, and
// metric-compatible faces for "MS Sans Serif" so that every caption fits its control.
void setUpApplication(QApplication &app);

} // namespace velkora
