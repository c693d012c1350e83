// Reads the running Velkora window from another process, as an assistive tool would: for each
// child control its class, text and check state, which one has the focus, and any message box
// the program shows. With "close" it then closes the window.
// Usage: win32_probe.exe [seconds to wait for the window] [close]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string utf8(const wchar_t *text)
{
    char buffer[1024] {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    return buffer;
}

HWND findVelkora()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM result) {
            wchar_t title[256] {};
            GetWindowTextW(hwnd, title, 256);
            if (std::wcsncmp(title, L" Velkora", 8) == 0) {
                *reinterpret_cast<HWND *>(result) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    HWND window = nullptr;
    for (int i = 0; i < seconds * 10 && !window; ++i) {
        window = findVelkora();
        if (!window)
            Sleep(100);
    }
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    GUITHREADINFO thread { sizeof thread, 0, nullptr, nullptr, nullptr, nullptr, nullptr, {} };
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t type[64] {};
        wchar_t text[512] {};
        GetClassNameW(child, type, 64);
        SendMessageW(child, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
        const bool button = _wcsicmp(type, L"Button") == 0;
        std::printf("control %d %s \"%s\"%s%s\n", GetDlgCtrlID(child), utf8(type).c_str(), utf8(text).c_str(),
            button && SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? " checked" : "",
            child == thread.hwndFocus ? " focus" : "");
    }
    // A message box of the program: a dialog owned by its window.
    EnumWindows(
        [](HWND hwnd, LPARAM owner) {
            wchar_t type[64] {};
            GetClassNameW(hwnd, type, 64);
            if (std::wcscmp(type, L"#32770") == 0 && GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner)) {
                wchar_t title[256] {};
                wchar_t text[512] {};
                GetWindowTextW(hwnd, title, 256);
                GetDlgItemTextW(hwnd, 0xFFFF, text, 512);
                std::printf("message \"%s\" \"%s\"\n", utf8(title).c_str(), utf8(text).c_str());
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(window));
    if (argc > 2 && std::strcmp(argv[2], "close") == 0)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
