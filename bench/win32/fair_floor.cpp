// The fair floor for the Windows start-up benchmark: the form's 23 controls as the plain EDIT,
// BUTTON and STATIC controls of the system, built from the control table in the user's
// language, at their places, with their fonts, colours and texts, and nothing behind them: no
// form, no rules, no handlers, no fitting. What the window alone costs to show.
#include "window/application.h"
#include "window/control_table.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace {

using namespace velkora;

std::wstring wide(std::string_view text)
{
    std::wstring result(text.size(), L'\0');
    result.resize(std::size_t(MultiByteToWideChar(
        CP_UTF8, 0, text.data(), int(text.size()), result.data(), int(result.size()))));
    return result;
}

// The table's colour of each native control, by its handle.
std::map<HWND, std::pair<std::optional<Colour>, std::optional<Colour>>> colourOf;
std::map<Colour, HBRUSH> brushes;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const auto found = colourOf.find(reinterpret_cast<HWND>(lParam));
        if (found == colourOf.end() || (!found->second.first && !found->second.second))
            break;
        HDC dc = reinterpret_cast<HDC>(wParam);
        const auto [back, fore] = found->second;
        const Colour face = back.value_or(message == WM_CTLCOLOREDIT ? colours::white : 0xF0F0F0);
        SetTextColor(dc, COLORREF(fore.value_or(colours::black)));
        SetBkColor(dc, COLORREF(face));
        HBRUSH &brush = brushes[face];
        if (!brush)
            brush = CreateSolidBrush(COLORREF(face));
        return reinterpret_cast<LRESULT>(brush);
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int main()
{
    const auto &table = controlTableIn(chooseLanguage(preferredLanguages()));
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW type {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hIcon = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
        GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"VelkoraFairFloor";
    RegisterClassExW(&type);

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame { 0, 0, twipsToPixels(clientWidthTwips, dpi),
        twipsToPixels(clientHeightTwips, dpi) };
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, type.lpszClassName, wide(windowCaption).c_str(), style,
        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
        nullptr, instance, nullptr);

    std::map<std::pair<int, bool>, HFONT> fonts;
    HWND caret = nullptr;
    for (const ControlInfo &info : table) {
        DWORD controlStyle = WS_CHILD | WS_VISIBLE;
        const wchar_t *className = L"BUTTON";
        switch (info.kind) {
        case ControlKind::TextBox:
            controlStyle |= WS_TABSTOP | ES_AUTOHSCROLL;
            className = L"EDIT";
            break;
        case ControlKind::CommandButton:
            controlStyle |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ControlKind::Frame:
            controlStyle |= BS_GROUPBOX;
            break;
        case ControlKind::OptionButton:
            controlStyle |= BS_RADIOBUTTON | BS_MULTILINE;
            break;
        case ControlKind::Label:
            controlStyle |= SS_NOPREFIX
                | (info.border                               ? SS_SUNKEN
                        : info.alignment == Alignment::Right ? SS_RIGHT
                                                             : SS_LEFT);
            className = L"STATIC";
            break;
        }
        const Twips place = formGeometry(info);
        HWND hwnd = CreateWindowExW(info.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0,
            className, wide(info.caption).c_str(), controlStyle, twipsToPixels(place.left, dpi),
            twipsToPixels(place.top, dpi), twipsToPixels(place.width, dpi),
            twipsToPixels(place.height, dpi), window, nullptr, instance, nullptr);
        const int pixels = pointsToPixels(fontPoints(info.font), dpi);
        HFONT &font = fonts[{ pixels, info.font.bold }];
        if (!font)
            font = CreateFontW(-pixels, 0, 0, 0, info.font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                FALSE, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Microsoft Sans Serif");
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (!info.cue.empty())
            SendMessageW(
                hwnd, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(wide(info.cue).c_str()));
        colourOf[hwnd] = { info.backColor, info.foreColor };
        if (info.kind == ControlKind::TextBox && info.tabIndex == 0)
            caret = hwnd;
    }
    ShowWindow(window, SW_SHOW);
    // The same picture as the program's: the caret in the first box.
    SetFocus(caret);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
