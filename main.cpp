#include "window/application.h"
#include "window/frmvelkora.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    velkora::setUpApplication(app);
    frmVelkora form;
    form.Form_Load();
    return app.exec();
}
