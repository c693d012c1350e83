#include "window/application.h"
#include "window/frmvelkora.h"

int main(int argc, char *argv[])
{
    frmVelkora form;
    return velkora::run(form, argc, argv);
}
