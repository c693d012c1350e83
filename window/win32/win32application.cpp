// Running the form on Windows: common controls, COM for the accessibility service, the window
// and its message loop.
#include "window/application.h"
#include "window/frmvelkora.h"
#include "window/win32/win32window.h"

#include <commctrl.h>
#include <objbase.h>

namespace velkora {

int run(frmVelkora &form, int, char *[])
{
    const INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    {
        Win32Window window(form, GetModuleHandleW(nullptr));
        form.Form_Load();
        status = window.messageLoop();
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}

} // namespace velkora
