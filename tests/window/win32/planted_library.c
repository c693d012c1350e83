/* A library planted beside a program: loaded, it leaves a marker file named after itself in
   the folder named by VELKORA_PLANT_MARKERS, and refuses to stay loaded. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t folder[MAX_PATH], path[MAX_PATH], module[MAX_PATH];
        if (GetEnvironmentVariableW(L"VELKORA_PLANT_MARKERS", folder, MAX_PATH)
            && GetModuleFileNameW(instance, module, MAX_PATH)) {
            const wchar_t *name = module;
            for (const wchar_t *c = module; *c; ++c)
                if (*c == L'\\' || *c == L'/')
                    name = c + 1;
            wsprintfW(path, L"%s\\%s.loaded", folder, name);
            HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    }
    return TRUE;
}
