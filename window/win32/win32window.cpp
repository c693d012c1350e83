#include "window/win32/win32window.h"

#include "window/application.h"
#include "window/control_table.h"
#include "window/fit.h"
#include "window/frmvelkora.h"
#include "window/win32/systemlibraries.h"
#include "window/win32/widetext.h"
#include "window/win32/win32dataplate.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>

namespace velkora {

namespace {

    constexpr wchar_t windowClass[] = L"VelkoraWindow";
    constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    constexpr int firstControlId = 100;
    // The face with the metrics of "MS Sans Serif" that scales to any size.
    constexpr wchar_t scalableFace[] = L"Microsoft Sans Serif";
    // The window's default font, used where the table names none.
    constexpr double dialogPoints = 8;

    std::wstring windowText(HWND hwnd)
    {
        std::wstring text(std::size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        text.resize(std::size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
        return text;
    }

    // Functions of newer Windows versions, looked up so that the program still starts on older ones.
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);

    template <typename F>
    F user32Function(const char *name)
    {
        return reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
    }

    // The common controls' subclassing and the theme switch, from the system folder.
    BOOL setWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data)
    {
        static const auto function = systemLibraries::function<decltype(&SetWindowSubclass)>(L"comctl32.dll", "SetWindowSubclass");
        return function ? function(hwnd, procedure, id, data) : FALSE;
    }

    LRESULT defSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        static const auto function = systemLibraries::function<decltype(&DefSubclassProc)>(L"comctl32.dll", "DefSubclassProc");
        return function ? function(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
    }

    void setWindowTheme(HWND hwnd, const wchar_t *application, const wchar_t *classes)
    {
        static const auto function = systemLibraries::function<decltype(&SetWindowTheme)>(L"uxtheme.dll", "SetWindowTheme");
        if (function)
            function(hwnd, application, classes);
    }

    int windowDpi(HWND hwnd)
    {
        static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
        if (getDpiForWindow)
            return int(getDpiForWindow(hwnd));
        HDC dc = GetDC(hwnd);
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(hwnd, dc);
        return dpi;
    }

    DWORD nativeStyle(const ControlInfo &info)
    {
        DWORD style = WS_CHILD | WS_VISIBLE;
        switch (info.kind) {
        case ControlKind::TextBox:
            return style | ES_AUTOHSCROLL | ES_LEFT;
        case ControlKind::CommandButton:
            return style | BS_PUSHBUTTON | BS_NOTIFY;
        case ControlKind::Frame:
            return style | BS_GROUPBOX;
        case ControlKind::OptionButton:
            // Not an automatic option: the form decides which one is selected.
            return style | BS_RADIOBUTTON | BS_MULTILINE | BS_NOTIFY;
        case ControlKind::Label:
            style |= SS_NOTIFY | SS_NOPREFIX;
            if (info.border)
                return style | SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE;
            return style | (info.alignment == Alignment::Right ? SS_RIGHT : info.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT);
        }
        return style;
    }

    const wchar_t *nativeClass(ControlKind kind)
    {
        switch (kind) {
        case ControlKind::TextBox:
            return L"EDIT";
        case ControlKind::Label:
            return L"STATIC";
        default:
            return L"BUTTON";
        }
    }

    // Names and descriptions for screen readers, where the system offers the service.
    void describe(IAccPropServices *services, HWND hwnd, const ControlInfo &info)
    {
        if (!info.accessibleName.empty())
            services->SetHwndPropStr(hwnd, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                wide(info.accessibleName).c_str());
        const std::string_view description = info.accessibleDescription.empty() ? info.tooltip : info.accessibleDescription;
        if (!description.empty())
            services->SetHwndPropStr(hwnd, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                wide(description).c_str());
    }

    // Posted to the window once it is on the screen: its one first painting, then what the
    // first sight of it does not need.
    constexpr UINT finishMessage = WM_APP + 1;

    // Set while an option takes the focus: what it reports then is no click of the user's.
    bool optionTakingFocus = false;

    // The window's face behind the options' captions: Windows' standard button face, so that
    // the form's red and black captions always stand on a colour of the form's choosing.
    constexpr Colour faceColour = 0xF0F0F0;

    bool systemHighContrast()
    {
        HIGHCONTRASTW setting { sizeof setting, 0, nullptr };
        return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0)
            && (setting.dwFlags & HCF_HIGHCONTRASTON);
    }

} // namespace

Win32Window::Win32Window(frmVelkora &form, HINSTANCE instance)
    : highContrast(systemHighContrast)
    , form(form)
    , instance(instance)
{
    WNDCLASSEXW type {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = windowProcedure;
    type.hInstance = instance;
    type.hIcon = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
        GetSystemMetrics(SM_CYICON), 0));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = windowClass;
    RegisterClassExW(&type);

    window = CreateWindowExW(0, windowClass, wide(windowCaption).c_str(), windowStyle, CW_USEDEFAULT,
        CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, this);
    dotsPerInch = windowDpi(window);
    createControls();
    sizeFrame(true);

    // The plate's commands at the end of the window's system menu.
    HMENU system = GetSystemMenu(window, FALSE);
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    addPlateCommands(system);

    form.onShow = [this] { showOnScreen(); };
    form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon icon) {
        HWND owner = plateView && GetForegroundWindow() == plateView->handle() ? plateView->handle() : window;
        MessageBoxW(owner, wide(text).c_str(), wide(title).c_str(),
            MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0));
    };
}

void Win32Window::addPlateCommands(HMENU menu)
{
    const Language &language = form.textLanguage();
    AppendMenuW(menu, MF_STRING, addToPlateId, wide(translate(language, addToPlateCommand)).c_str());
    AppendMenuW(menu, MF_STRING, openPlateId, (wide(translate(language, openPlateCommand)) + L"\tCtrl+D").c_str());
    AppendMenuW(menu, MF_STRING, aboutId, wide(translate(language, aboutCommand)).c_str());
}

void Win32Window::plateCommand(int id)
{
    switch (id) {
    case addToPlateId:
        addToDataPlate(form, plate);
        if (plateView)
            plateView->refresh();
        break;
    case openPlateId:
        if (!plateView)
            plateView = std::make_unique<Win32DataPlate>(form, plate, instance, window);
        plateView->show();
        break;
    case aboutId: {
        const Language &language = form.textLanguage();
        MessageBoxW(window, wide(aboutText(language)).c_str(), wide(aboutTitle(language)).c_str(),
            MB_OK | MB_ICONINFORMATION);
        break;
    }
    default:
        break;
    }
}

Win32Window::~Win32Window()
{
    for (Binding &binding : bindings)
        binding.control->onChanged = nullptr;
    form.onShow = nullptr;
    form.MsgBox = nullptr;
    if (IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    for (const auto &[colour, handle] : brushes)
        DeleteObject(handle);
    if (measuring)
        DeleteDC(measuring);
    for (const auto &[size, font] : fonts)
        DeleteObject(font);
    if (accessibility)
        accessibility->Release();
    if (comInitialised)
        CoUninitialize();
}

void Win32Window::createControls()
{
    // The Tab key follows the order of the native controls: the frame goes first, behind the
    // options it holds, and then every control in the order of the Tab key.
    std::vector<Control *> order = form.controls();
    std::stable_sort(order.begin(), order.end(), [](const Control *a, const Control *b) {
        const bool aFrame = a->info.kind == ControlKind::Frame;
        const bool bFrame = b->info.kind == ControlKind::Frame;
        return aFrame != bFrame ? aFrame : a->info.tabIndex < b->info.tabIndex;
    });
    const Control *previous = nullptr;
    for (Control *control : order) {
        const ControlInfo &info = control->info;
        DWORD style = nativeStyle(info);
        // Each group of options is a group of the system's dialog keys, and so is each run of
        // other controls between them.
        const bool isOption = info.kind == ControlKind::OptionButton;
        const bool wasOption = previous && previous->info.kind == ControlKind::OptionButton;
        if (!previous || isOption != wasOption || (isOption && previous->info.container != info.container))
            style |= WS_GROUP;
        const int id = firstControlId + int(bindings.size());
        const RECT place = pixelRect(info);
        HWND hwnd = CreateWindowExW(info.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0, nativeClass(info.kind),
            wide(info.caption).c_str(), style, place.left, place.top, place.right - place.left, place.bottom - place.top,
            window, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
        if (info.kind == ControlKind::TextBox)
            setWindowSubclass(hwnd, entryProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
        if (info.kind == ControlKind::OptionButton) {
            // Themed options ignore the text colour: these are drawn classic, in the form's colours.
            setWindowTheme(hwnd, L"", L"");
            setWindowSubclass(hwnd, optionProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
        }
        bindings.push_back({ control, hwnd, id });
        showFont(bindings.back(), false);
        previous = control;
    }
    for (Binding &binding : bindings)
        bind(binding);
}

void Win32Window::createTooltips()
{
    tooltips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    SendMessageW(tooltips, TTM_SETMAXTIPWIDTH, 0, 480);
    for (const Binding &binding : bindings) {
        if (!binding.control->info.tooltip.empty())
            addTooltip(binding.hwnd, wide(binding.control->info.tooltip));
    }
}

void Win32Window::bind(Binding &binding)
{
    Control &control = *binding.control;
    control.onChanged = [this, &binding](Property property) { showProperty(binding, property); };
    // The native control was made with the table's caption, empty, unchecked and editable:
    // only what the form holds beyond that is shown now.
    showProperty(binding, Property::TabStop);
    const auto *box = dynamic_cast<const TextBox *>(&control);
    const auto *label = dynamic_cast<const Label *>(&control);
    const auto *option = dynamic_cast<const OptionButton *>(&control);
    if (box && !box->text().empty())
        showProperty(binding, Property::Text);
    if (box && (box->locked() || !box->cue().empty()))
        showProperty(binding, Property::Locked);
    if (label && label->caption() != control.info.caption)
        showProperty(binding, Property::Caption);
    if (option && option->value())
        showProperty(binding, Property::Value);
}

void Win32Window::showProperty(Binding &binding, Property property)
{
    const Control &control = *binding.control;
    HWND hwnd = binding.hwnd;
    writing = true;
    switch (property) {
    case Property::Text:
        // A text the user typed is there already; one the program wrote is shown to fit.
        if (const auto *box = dynamic_cast<const TextBox *>(&control)) {
            if (windowText(hwnd) != wide(box->text()))
                showFitted(binding, box->text(), true);
        }
        break;
    case Property::Caption:
        if (const auto *label = dynamic_cast<const Label *>(&control)) {
            if (control.info.border)
                showFitted(binding, label->caption(), false);
            else
                SetWindowTextW(hwnd, wide(label->caption()).c_str());
        }
        break;
    case Property::Value:
        if (const auto *option = dynamic_cast<const OptionButton *>(&control))
            SendMessageW(hwnd, BM_SETCHECK, option->value() ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case Property::ForeColor:
    case Property::BackColor:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case Property::Locked:
        if (const auto *box = dynamic_cast<const TextBox *>(&control)) {
            // Each change of a style is a request to the system: only what differs is sent.
            if (((GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0) != box->locked())
                SendMessageW(hwnd, EM_SETREADONLY, box->locked(), 0);
            // The cue shows also while the box has the caret.
            SendMessageW(hwnd, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(wide(box->cue()).c_str()));
        }
        break;
    case Property::TabStop:
        if (control.info.kind != ControlKind::Label && control.info.kind != ControlKind::Frame) {
            const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
            const LONG_PTR wanted = control.tabStop() ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP);
            if (wanted != style)
                SetWindowLongPtrW(hwnd, GWL_STYLE, wanted);
        }
        break;
    case Property::Focus:
        if (control.hasFocus() && GetFocus() != hwnd && IsWindowVisible(window))
            SetFocus(hwnd);
        markDefaultButton();
        break;
    }
    writing = false;
}

HFONT Win32Window::fontAt(double points, bool bold)
{
    const int pixels = pointsToPixels(points > 0 ? points : dialogPoints, dotsPerInch);
    HFONT &font = fonts[{ pixels, bold }];
    if (!font) {
        LOGFONTW face {};
        face.lfHeight = -pixels;
        face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        face.lfCharSet = DEFAULT_CHARSET;
        face.lfQuality = CLEARTYPE_QUALITY;
        wcscpy(face.lfFaceName, scalableFace);
        font = CreateFontIndirectW(&face);
    }
    return font;
}

void Win32Window::showFont(const Binding &binding, bool redraw)
{
    const ControlInfo &info = binding.control->info;
    const double points = info.font.points > 0 ? info.font.points : dialogPoints;
    double fitted = points;
    if (!info.caption.empty() && !info.border) {
        // The room the control paints its caption in: beside an option's round button, inside a
        // button's edges, on a frame's top edge between two short pieces of it.
        RECT room;
        GetClientRect(binding.hwnd, &room);
        const auto scaled = [this](int pixels) { return MulDiv(pixels, dotsPerInch, 96); };
        switch (info.kind) {
        case ControlKind::OptionButton:
            room.left += scaled(17);
            break;
        case ControlKind::CommandButton:
            InflateRect(&room, -scaled(4), -scaled(3));
            break;
        case ControlKind::Frame:
            room.right -= scaled(16);
            break;
        default:
            break;
        }
        const bool bold = info.font.bold;
        const int height = info.kind == ControlKind::Frame ? lineHeight(points, bold) : int(room.bottom - room.top);
        fitted = fitCaption(shownCaption(info.caption), points, int(room.right - room.left), height,
            [this, bold](std::string_view text, double size) { return textWidth(text, size, bold); },
            [this, bold](double size) { return lineHeight(size, bold); }).points;
    }
    SendMessageW(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontAt(fitted, info.font.bold)), redraw);
}

void Win32Window::showFitted(Binding &binding, const std::string &text, bool written)
{
    const Font &table = binding.control->info.font;
    if (text.empty()) {
        // Nothing to fit: the table's size, and no tooltip of a longer text.
        if (GetWindowTextLengthW(binding.hwnd) == 0 && !binding.cut)
            return;
        SendMessageW(binding.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontAt(table.points, table.bold)), FALSE);
        SetWindowTextW(binding.hwnd, L"");
        binding.cut = false;
        if (!written && tooltips)
            removeTooltip(binding.hwnd);
        return;
    }
    HWND hwnd = binding.hwnd;
    RECT room;
    if (written) {
        SendMessageW(hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        room.right -= 1; // the caret
    } else {
        GetClientRect(hwnd, &room);
        room.right -= 4; // the display's own margins
    }
    const MeasureText measure = [this, &table](std::string_view piece, double points) {
        return textWidth(piece, points, table.bold);
    };
    const int width = int(room.right - room.left);
    const FittedText fit = written ? fitEntry(text, table.points, width, measure) : fitResult(text, table.points, width, measure);

    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontAt(fit.points, table.bold)), FALSE);
    SetWindowTextW(hwnd, wide(fit.text).c_str());
    binding.cut = fit.cut;
    if (fit.cut)
        SendMessageW(hwnd, EM_SETSEL, 0, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (written)
        return;
    // The whole number for a screen reader, and as the tooltip where the picture is shorter.
    const bool shortened = fit.text != text || fit.points != table.points;
    if (accessibility)
        accessibility->SetHwndPropStr(hwnd, DWORD(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, wide(text).c_str());
    if (tooltips) {
        removeTooltip(hwnd);
        if (shortened)
            addTooltip(hwnd, wide(text));
    }
}

HDC Win32Window::measuringDc(double points, bool bold)
{
    // One memory device context for every measure: a window's own would be asked of the
    // system for each one. Its font is changed only when another is measured.
    if (!measuring)
        measuring = CreateCompatibleDC(nullptr);
    HFONT font = fontAt(points, bold);
    if (font != measuringFont) {
        SelectObject(measuring, font);
        measuringFont = font;
    }
    return measuring;
}

int Win32Window::textWidth(std::string_view text, double points, bool bold)
{
    HDC dc = measuringDc(points, bold);
    const std::wstring wideText = wide(text);
    SIZE extent {};
    GetTextExtentPoint32W(dc, wideText.c_str(), int(wideText.size()), &extent);
    return int(extent.cx);
}

int Win32Window::lineHeight(double points, bool bold)
{
    TEXTMETRICW metrics {};
    GetTextMetricsW(measuringDc(points, bold), &metrics);
    return int(metrics.tmHeight);
}

void Win32Window::addTooltip(HWND hwnd, std::wstring text)
{
    TTTOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = text.data();
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::removeTooltip(HWND hwnd)
{
    TTTOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    SendMessageW(tooltips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::paintCutSign(const Binding &binding)
{
    if (!binding.cut || GetFocus() == binding.hwnd)
        return;
    RECT room;
    SendMessageW(binding.hwnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    HDC dc = GetDC(binding.hwnd);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(binding.hwnd, WM_GETFONT, 0, 0)));
    const wchar_t more[] = L"\u2026";
    SIZE size {};
    GetTextExtentPoint32W(dc, more, 1, &size);
    RECT mark { room.right - size.cx - 4, room.top, room.right, room.bottom };
    const Paint paint = paintOf(*binding.control);
    FillRect(dc, &mark, paint.brush);
    SetBkColor(dc, paint.back);
    SetTextColor(dc, paint.text);
    DrawTextW(dc, more, 1, &mark, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(binding.hwnd, dc);
}

void Win32Window::markDefaultButton()
{
    const CommandButton &chosen = form.defaultButton();
    for (const Binding &binding : bindings) {
        if (binding.control->info.kind == ControlKind::CommandButton)
            SendMessageW(binding.hwnd, BM_SETSTYLE,
                (binding.control == &chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, TRUE);
    }
}

RECT Win32Window::pixelRect(const ControlInfo &info) const
{
    const Twips twips = formGeometry(info);
    const int left = twipsToPixels(twips.left, dotsPerInch);
    const int top = twipsToPixels(twips.top, dotsPerInch);
    return { left, top, left + twipsToPixels(twips.width, dotsPerInch), top + twipsToPixels(twips.height, dotsPerInch) };
}

void Win32Window::layOut()
{
    if (measuring)
        SelectObject(measuring, GetStockObject(SYSTEM_FONT));
    measuringFont = nullptr;
    for (const auto &[size, font] : fonts)
        DeleteObject(font);
    fonts.clear();
    for (Binding &binding : bindings) {
        const ControlInfo &info = binding.control->info;
        const RECT place = pixelRect(info);
        SetWindowPos(binding.hwnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
        showFont(binding, IsWindowVisible(window));
        // What was fitted to the old size is fitted anew.
        if (const auto *label = dynamic_cast<const Label *>(binding.control); label && info.border && !label->caption().empty())
            showFitted(binding, label->caption(), false);
        else if (const auto *box = dynamic_cast<const TextBox *>(binding.control); box && binding.cut)
            showFitted(binding, box->text(), true);
    }
    sizeFrame();
}

void Win32Window::sizeFrame(bool centre)
{
    // The client area is the table's; the frame around it is whatever the system draws now.
    RECT outer;
    RECT inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    frameSize = { twipsToPixels(clientWidthTwips, dotsPerInch) + (outer.right - outer.left) - inner.right,
        twipsToPixels(clientHeightTwips, dotsPerInch) + (outer.bottom - outer.top) - inner.bottom };
    if (!centre) {
        SetWindowPos(window, nullptr, 0, 0, frameSize.cx, frameSize.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        return;
    }
    // Sized and placed in one move: each move of a window is a request to the system.
    MONITORINFO monitor { sizeof monitor, {}, {}, 0 };
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &area = monitor.rcWork;
    const Origin origin = centredOrigin(frameSize.cx, frameSize.cy, area.left, area.top, area.right - area.left,
        area.bottom - area.top);
    SetWindowPos(window, nullptr, origin.x, origin.y, frameSize.cx, frameSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::showOnScreen()
{
    // Painted once, when the form has finished starting (finishAfterShowing): in the state it
    // starts in, with the caret in its box.
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    PostMessageW(window, finishMessage, 0, 0);
}

void Win32Window::finishAfterShowing()
{
    if (tooltips)
        return;
    UpdateWindow(window);
    createTooltips();
    // Screen readers ask for names once the window is there; the service needs COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comInitialised = SUCCEEDED(com);
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
            reinterpret_cast<void **>(&accessibility)))) {
        for (const Binding &binding : bindings)
            describe(accessibility, binding.hwnd, binding.control->info);
    }
}

Win32Window::Paint Win32Window::paintOf(const Control &control)
{
    // Under a contrast theme only the theme's own pairs, each state in the pair the theme
    // gives it; else only the form's own colours. Never one of each.
    const auto theme = [](int text, int back) {
        return Paint { GetSysColor(text), GetSysColor(back), GetSysColorBrush(back) };
    };
    const auto own = [this](Colour text, Colour back) { return Paint { COLORREF(text), COLORREF(back), brush(back) }; };
    const bool contrast = highContrast && highContrast();
    if (const auto *box = dynamic_cast<const TextBox *>(&control)) {
        if (!contrast)
            return own(colours::black, box->backColor());
        return meaningOf(box->backColor()) == ColourMeaning::Locked ? theme(COLOR_GRAYTEXT, COLOR_BTNFACE)
                                                                   : theme(COLOR_WINDOWTEXT, COLOR_WINDOW);
    }
    const Colour fore = static_cast<const OptionButton &>(control).foreColor();
    if (!contrast)
        return own(fore, faceColour);
    return meaningOf(fore) == ColourMeaning::Chosen ? theme(COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT)
                                                    : theme(COLOR_BTNTEXT, COLOR_BTNFACE);
}

HBRUSH Win32Window::brush(Colour colour)
{
    HBRUSH &handle = brushes[colour];
    if (!handle)
        handle = CreateSolidBrush(COLORREF(colour)); // both are 0xBBGGRR
    return handle;
}

const Win32Window::Binding *Win32Window::bindingOf(HWND hwnd) const
{
    const auto found = std::find_if(bindings.begin(), bindings.end(), [hwnd](const Binding &b) { return b.hwnd == hwnd; });
    return found == bindings.end() ? nullptr : &*found;
}

const Win32Window::Binding *Win32Window::bindingOf(const Control &control) const
{
    const auto found = std::find_if(bindings.begin(), bindings.end(), [&control](const Binding &b) {
        return b.control == &control;
    });
    return found == bindings.end() ? nullptr : &*found;
}

HWND Win32Window::control(std::string_view name) const
{
    const Control *control = form.control(name);
    const Binding *binding = control ? bindingOf(*control) : nullptr;
    return binding ? binding->hwnd : nullptr;
}

void Win32Window::onCommand(int id, int code)
{
    const int index = id - firstControlId;
    if (index < 0 || index >= int(bindings.size()))
        return;
    const Binding &binding = bindings[std::size_t(index)];
    Control &control = *binding.control;
    switch (code) {
    case EN_CHANGE:
        if (!writing) {
            // What the user types is shown at the table's size and scrolls with the caret.
            bindings[std::size_t(index)].cut = false;
            SendMessageW(binding.hwnd, WM_SETFONT,
                reinterpret_cast<WPARAM>(fontAt(control.info.font.points, control.info.font.bold)), FALSE);
            static_cast<TextBox &>(control).edit(narrow(windowText(binding.hwnd)));
        }
        break;
    case EN_SETFOCUS:
    case BN_SETFOCUS:
        control.SetFocus();
        break;
    case BN_KILLFOCUS:
        markDefaultButton();
        break;
    case BN_CLICKED:
        if (auto *option = dynamic_cast<OptionButton *>(&control)) {
            if (!optionTakingFocus)
                option->click();
        } else if (auto *button = dynamic_cast<CommandButton *>(&control)) {
            button->click();
        }
        break;
    default:
        break;
    }
}

bool Win32Window::preTranslate(MSG &message)
{
    if (plateView && plateView->preTranslate(message))
        return true;
    if (message.hwnd != window && GetAncestor(message.hwnd, GA_ROOT) != window)
        return false;
    if (message.message == WM_KEYDOWN && message.wParam == 'D' && GetKeyState(VK_CONTROL) < 0
        && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0) {
        plateCommand(openPlateId);
        return true;
    }
    const bool modified = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && !modified) {
        form.pressEnter();
        return true;
    }
    if (message.message == WM_SYSKEYDOWN && message.wParam >= 'A' && message.wParam <= 'Z' && !modified)
        return form.pressAccessKey(char(message.wParam));
    if (message.message == WM_KEYDOWN && !modified) {
        const Binding *binding = bindingOf(message.hwnd);
        if (binding && binding->control->info.kind == ControlKind::OptionButton) {
            const WPARAM key = message.wParam;
            if (key == VK_UP || key == VK_LEFT || key == VK_DOWN || key == VK_RIGHT) {
                form.pressArrow(static_cast<OptionButton &>(*binding->control), key == VK_UP || key == VK_LEFT ? -1 : 1);
                return true;
            }
        }
    }
    // Tab and Shift+Tab.
    return IsDialogMessageW(window, &message);
}

int Win32Window::messageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

LRESULT CALLBACK Win32Window::windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<Win32Window *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<Win32Window *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::entryProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
    DWORD_PTR data)
{
    const LRESULT result = defSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT || message == WM_KILLFOCUS) {
        auto *self = reinterpret_cast<Win32Window *>(data);
        if (const Binding *binding = self->bindingOf(hwnd))
            self->paintCutSign(*binding);
    }
    return result;
}

LRESULT CALLBACK Win32Window::optionProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    // An option that takes the focus from the keyboard reports a click of its own; the form
    // decides what the keys do.
    if (message == WM_SETFOCUS) {
        optionTakingFocus = true;
        const LRESULT result = defSubclassProc(hwnd, message, wParam, lParam);
        optionTakingFocus = false;
        return result;
    }
    return defSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case DM_GETDEFID:
        if (const Binding *binding = bindingOf(form.defaultButton()))
            return MAKELRESULT(binding->id, DC_HASDEFID);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const Binding *binding = bindingOf(reinterpret_cast<HWND>(lParam));
        const ControlKind kind = binding ? binding->control->info.kind : ControlKind::Label;
        if (kind == ControlKind::TextBox || kind == ControlKind::OptionButton) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            const Paint paint = paintOf(*binding->control);
            SetTextColor(dc, paint.text);
            SetBkColor(dc, paint.back);
            return reinterpret_cast<LRESULT>(paint.brush);
        }
        break;
    }
    case WM_ACTIVATE:
        // Back in the window, the focus returns to the form's control.
        if (LOWORD(wParam) != WA_INACTIVE && form.focused()) {
            if (const Binding *binding = bindingOf(*form.focused())) {
                SetFocus(binding->hwnd);
                return 0;
            }
        }
        break;
    case finishMessage:
        finishAfterShowing();
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // A contrast theme switched on or off, or other system colours: painted anew.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case WM_GETMINMAXINFO: {
        // The window keeps its size also where it is larger than the screen.
        auto *limits = reinterpret_cast<MINMAXINFO *>(lParam);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, frameSize.cx);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, frameSize.cy);
        return 0;
    }
    case WM_SYSCOMMAND:
        // Alt alone would open the window menu and take the next keys; Alt+Space still does.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0)
            return 0;
        if ((wParam & 0xFFF0) == addToPlateId || (wParam & 0xFFF0) == openPlateId || (wParam & 0xFFF0) == aboutId) {
            plateCommand(int(wParam & 0xFFF0));
            return 0;
        }
        break;
    case WM_CONTEXTMENU: {
        // From the keyboard (no point given): beside the focused control.
        POINT at { short(LOWORD(lParam)), short(HIWORD(lParam)) };
        if (lParam == -1) {
            RECT focused {};
            GetWindowRect(GetFocus() ? GetFocus() : window, &focused);
            at = { focused.left + 8, focused.bottom };
        }
        HMENU menu = CreatePopupMenu();
        addPlateCommands(menu);
        const int chosen = int(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
        DestroyMenu(menu);
        if (chosen)
            plateCommand(chosen);
        return 0;
    }
    case WM_DPICHANGED: {
        dotsPerInch = HIWORD(wParam);
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
            suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        layOut();
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace velkora
