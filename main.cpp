#include "window/application.h"
#include "window/frmvelkora.h"

int main(int argc, char *argv[])
{
    // For the program's whole life: in a browser the page goes on calling the form after main
    // has returned.
    static frmVelkora form(velkora::chooseLanguage(velkora::preferredLanguages()));
    return velkora::run(form, argc, argv);
}
