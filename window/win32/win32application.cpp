// Running the form on Windows: common controls, the window and its message loop.
#include "window/application.h"
#include "window/frmvelkora.h"
#include "window/win32/systemlibraries.h"
#include "window/win32/win32window.h"

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace velkora {

std::vector<std::string> preferredLanguages()
{
    // The user's display languages ("fr-CA", "es-MX", ...), as the Settings app orders them.
    ULONG count = 0;
    ULONG length = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &length) || length == 0)
        return {};
    std::wstring names(length, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &length))
        return {};
    std::vector<std::string> languages;
    for (const wchar_t *name = names.c_str(); *name; name += std::wcslen(name) + 1) {
        // The names are ASCII tags.
        std::string tag;
        for (const wchar_t *c = name; *c; ++c)
            tag += *c < 0x80 ? char(*c) : '?';
        languages.push_back(std::move(tag));
    }
    return languages;
}

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
