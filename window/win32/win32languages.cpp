// The user's display languages on Windows, apart from the window, so that a program that needs
// only the control table in the user's language does not link the window with it.
#include "window/application.h"

#include <windows.h>

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

} // namespace velkora
