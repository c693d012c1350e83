/* A small hardened program of our own that uses what Velkora uses of the system: the library
   search restricted first, the common controls and the theme library loaded from the system folder, a window with a
   few controls and a message loop. Whatever planted library is loaded for it is loaded by
   Wine's own libraries, not by a program. */
#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    (void)previous, (void)line;
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE controls = LoadLibraryExW(L"comctl32.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    typedef BOOL(WINAPI * Init)(const INITCOMMONCONTROLSEX *);
    Init init = controls ? (Init)(void *)GetProcAddress(controls, "InitCommonControlsEx") : NULL;
    INITCOMMONCONTROLSEX classes = { sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    if (init)
        init(&classes);
    HWND window = CreateWindowExW(0, L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL,
        instance, NULL);
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24, window, NULL, instance, NULL);
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 100, 24, window, NULL, instance, NULL);
    HMODULE themes = LoadLibraryExW(L"uxtheme.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    typedef HRESULT(WINAPI * SetTheme)(HWND, LPCWSTR, LPCWSTR);
    SetTheme setTheme = themes ? (SetTheme)(void *)GetProcAddress(themes, "SetWindowTheme") : NULL;
    if (setTheme)
        setTheme(window, L"", L"");
    ShowWindow(window, show);
    SetTimer(NULL, 0, 2000, NULL);
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) && message.message != WM_TIMER)
        DispatchMessageW(&message);
    return 0;
}
