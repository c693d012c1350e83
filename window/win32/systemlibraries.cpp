#include "window/win32/systemlibraries.h"

namespace velkora::systemLibraries {

void restrictSearch()
{
    // Looked up, so that a Windows without it still starts: there the libraries below are not
    // loaded at all (LOAD_LIBRARY_SEARCH_SYSTEM32 is refused), and the window is plainer.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI *)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefaultDllDirectories)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

FARPROC find(const wchar_t *library, const char *name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? GetProcAddress(module, name) : nullptr;
}

} // namespace velkora::systemLibraries
