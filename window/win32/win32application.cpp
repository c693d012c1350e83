// Running the form on Windows: common controls, the window and its message loop.
#include "window/application.h"
#include "window/frmvelkora.h"
#include "window/win32/systemlibraries.h"
#include "window/win32/win32window.h"

#include <commctrl.h>

namespace velkora {

int run(frmVelkora &form, int, char *[])
{
    systemLibraries::restrictSearch();
    const INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    if (const auto initCommonControlsEx
        = systemLibraries::function<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx"))
        initCommonControlsEx(&controls);
    Win32Window window(form, GetModuleHandleW(nullptr));
    form.Form_Load();
    return window.messageLoop();
}

} // namespace velkora
