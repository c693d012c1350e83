#include "window/application.h"
#include "window/frmvelkora.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    velkora::FontConfigurationLoader fonts;
    QApplication app(argc, argv);
    fonts.wait();
    velkora::setUpApplication(app);
    frmVelkora form;
    form.Form_Load();
    return app.exec();
}
