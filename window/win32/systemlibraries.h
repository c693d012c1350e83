// Libraries that Windows does not always load from its own folder (the common controls, the
// theme library): loaded from the system folder alone and looked up at run time, so that a
// library of the same name beside the program, in a Downloads folder say, is never run.
#pragma once

#include <windows.h>

namespace velkora::systemLibraries {

// The program's first act: from here on every library that is loaded, by the program or by
// the system on its behalf, is taken from the system folder only.
void restrictSearch();

// A function of a library in the system folder; null when the library or the function is not
// there, and the caller goes on without what it adds.
FARPROC find(const wchar_t *library, const char *name);

template <typename Function>
Function function(const wchar_t *library, const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void *>(find(library, name)));
}

} // namespace velkora::systemLibraries
