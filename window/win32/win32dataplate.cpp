#include "window/win32/win32dataplate.h"

#include "window/data_plate.h"
#include "window/frmvelkora.h"
#include "window/win32/systemlibraries.h"
#include "window/win32/widetext.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace velkora {

namespace {

    constexpr wchar_t windowClass[] = L"VelkoraDataPlate";
    // Sent to itself when an edit of a row's floors has ended, to show the rows anew.
    constexpr UINT refreshMessage = WM_APP + 1;

    // Lines ending in CR LF, as the clipboard's text has them on Windows.
    std::wstring withCrLf(const std::string &text)
    {
        std::wstring lines;
        for (const wchar_t c : wide(text)) {
            if (c == L'\n')
                lines += L'\r';
            lines += c;
        }
        return lines;
    }

    std::string today()
    {
        SYSTEMTIME now;
        GetLocalTime(&now);
        char date[16];
        wsprintfA(date, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
        return date;
    }

    std::string lastError()
    {
        wchar_t *text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, GetLastError(), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
        std::wstring said = text ? text : L"";
        LocalFree(text);
        while (
            !said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' '))
            said.pop_back();
        return narrow(said);
    }

    // The common dialogs live in a library loaded from the system folder when first used.
    HDC printerFromDialog(HWND owner, bool &noPrinter)
    {
        const auto printDialog
            = systemLibraries::function<decltype(&PrintDlgW)>(L"comdlg32.dll", "PrintDlgW");
        const auto dialogError = systemLibraries::function<decltype(&CommDlgExtendedError)>(
            L"comdlg32.dll", "CommDlgExtendedError");
        PRINTDLGW choice {};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = owner;
        choice.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
        const bool chosen = printDialog && printDialog(&choice);
        noPrinter = !printDialog || (!chosen && dialogError && dialogError() == PDERR_NODEFAULTPRN);
        if (choice.hDevMode)
            GlobalFree(choice.hDevMode);
        if (choice.hDevNames)
            GlobalFree(choice.hDevNames);
        return chosen ? choice.hDC : nullptr;
    }

    std::wstring fileFromDialog(HWND owner, const std::wstring &title, const std::wstring &name)
    {
        const auto saveDialog = systemLibraries::function<decltype(&GetSaveFileNameW)>(
            L"comdlg32.dll", "GetSaveFileNameW");
        std::wstring path(MAX_PATH, L'\0');
        std::copy(name.begin(),
            name.begin() + std::min<std::ptrdiff_t>(std::ptrdiff_t(name.size()), MAX_PATH - 1),
            path.begin());
        OPENFILENAMEW choice {};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = owner;
        choice.lpstrFilter = L"CSV (*.csv)\0*.csv\0";
        choice.lpstrFile = path.data();
        choice.nMaxFile = MAX_PATH;
        choice.lpstrTitle = title.c_str();
        choice.lpstrDefExt = L"csv";
        choice.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
        if (!saveDialog || !saveDialog(&choice))
            return {};
        path.resize(wcslen(path.c_str()));
        return path;
    }

    HFONT sheetFont(HDC dc, int points, bool bold)
    {
        return CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0,
            bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    }

} // namespace

Win32DataPlate::Win32DataPlate(frmVelkora &form, DataPlate &plate, HINSTANCE instance, HWND owner)
    : form(form)
    , plate(plate)
{
    const Language &language = form.textLanguage();
    const auto tr
        = [&language](std::string_view english) { return wide(translate(language, english)); };
    WNDCLASSEXW type {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = windowClass;
    RegisterClassExW(&type);

    HDC screen = GetDC(nullptr);
    const UINT dpi = UINT(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    const auto px = [dpi](int pixels) { return MulDiv(pixels, int(dpi), 96); };
    RECT frame { 0, 0, px(800), px(300) };
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    window = CreateWindowExW(0, windowClass, tr(plateWindowTitle).c_str(),
        WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, this);

    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirectW(&metrics.lfMessageFont);

    list = CreateWindowExW(0, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL
            | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
        px(8), px(8), px(784), px(220), window, nullptr, instance, nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    SetWindowTextW(list, tr(plateWindowTitle).c_str());
    const PlateSheet sheet = plateSheet(plate, language, "");
    for (int column = 0; column < int(sheet.header.size()); ++column) {
        std::wstring heading = wide(sheet.header[std::size_t(column)]);
        LVCOLUMNW format {};
        format.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        format.pszText = heading.data();
        format.cx = px(column == 0 ? 110 : column == 1 ? 170 : 80);
        format.iSubItem = column;
        SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&format));
    }

    struct Button
    {
        int id;
        std::string_view text;
        int x, y;
    };
    const Button buttons[] = { { removeId, removeRowCommand, 8, 236 },
        { upId, moveUpCommand, 112, 236 }, { downId, moveDownCommand, 216, 236 },
        { printId, printCommand, 8, 268 }, { copyId, copyCommand, 112, 268 },
        { saveId, saveCommand, 216, 268 }, { closeId, closeCommand, 692, 268 } };
    for (const Button &button : buttons)
        CreateWindowExW(0, L"BUTTON", tr(button.text).c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, px(button.x), px(button.y), px(100),
            px(26), window, reinterpret_cast<HMENU>(INT_PTR(button.id)), instance, nullptr);
    EnumChildWindows(
        window,
        [](HWND child, LPARAM font) {
            SendMessageW(child, WM_SETFONT, WPARAM(font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));

    chooseSaveFile = [this, tr] {
        return fileFromDialog(window, tr(saveCommand), tr(plateWindowTitle) + L".csv");
    };
    choosePrinter = [this](bool &noPrinter) { return printerFromDialog(window, noPrinter); };
    refresh();
}

Win32DataPlate::~Win32DataPlate()
{
    if (IsWindow(window)) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    DeleteObject(font);
}

void Win32DataPlate::show()
{
    refresh();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(list);
}

void Win32DataPlate::refresh()
{
    const int current = selected();
    const PlateSheet sheet = plateSheet(plate, form.textLanguage(), "");
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t row = 0; row < plate.rows().size(); ++row) {
        for (std::size_t column = 0; column < sheet.header.size(); ++column) {
            // The floors are the user's own text; a marked row's mark stands with its door type.
            std::wstring text
                = wide(column == 0 ? plate.rows()[row].floors : sheet.rows[row][column]);
            if (column == 1 && plate.differsFromFirst(row))
                text += L" *";
            LVITEMW item {};
            item.mask = LVIF_TEXT;
            item.iItem = int(row);
            item.iSubItem = int(column);
            item.pszText = text.data();
            SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                column == 0 ? 0 : WPARAM(row), reinterpret_cast<LPARAM>(&item));
        }
    }
    // Every column as wide as its heading or its widest cell; the floors room for a range or two.
    HDC dc = GetDC(list);
    HGDIOBJ before = SelectObject(dc, font);
    const auto width = [dc](const std::wstring &text) {
        SIZE size {};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        return int(size.cx);
    };
    for (std::size_t column = 0; column < sheet.header.size(); ++column) {
        int widest = width(wide(sheet.header[column]) + (column == 0 ? L" B2–12, 14–20" : L""));
        for (std::size_t row = 0; row < sheet.rows.size(); ++row)
            widest = std::max(
                widest, width(wide(sheet.rows[row][column]) + (column == 1 ? L" *" : L"")));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(column),
            LPARAM(widest + MulDiv(16, GetDeviceCaps(dc, LOGPIXELSX), 96)));
    }
    SelectObject(dc, before);
    ReleaseDC(list, dc);
    if (!plate.rows().empty())
        select(std::clamp(current, 0, int(plate.rows().size()) - 1));
    showRowCommands();
}

void Win32DataPlate::showRowCommands()
{
    const int row = selected();
    EnableWindow(button(removeId), row >= 0);
    EnableWindow(button(upId), row > 0);
    EnableWindow(button(downId), row >= 0 && row + 1 < int(plate.rows().size()));
}

int Win32DataPlate::selected() const
{
    return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void Win32DataPlate::select(int row)
{
    LVITEMW item {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

bool Win32DataPlate::preTranslate(MSG &message)
{
    if (message.hwnd != window && GetAncestor(message.hwnd, GA_ROOT) != window)
        return false;
    // While a row's floors are edited, Enter and Escape end the edit.
    if (SendMessageW(list, LVM_GETEDITCONTROL, 0, 0))
        return false;
    return IsDialogMessageW(window, &message);
}

void Win32DataPlate::message(std::string_view text, const std::string &detail)
{
    const Language &language = form.textLanguage();
    std::string shown(translate(language, text));
    if (const std::size_t at = shown.find("{1}"); at != std::string::npos)
        shown.replace(at, 3, detail);
    form.MsgBox(
        std::string(translate(language, plateWindowTitle)), shown, MessageIcon::Exclamation);
}

void Win32DataPlate::onCommand(int id)
{
    const int row = selected();
    switch (id) {
    case removeId:
        plate.remove(std::size_t(row));
        break;
    case upId:
    case downId:
        plate.move(std::size_t(row), id == upId ? -1 : 1);
        refresh();
        select(
            std::clamp(row + (id == upId ? -1 : 1), 0, std::max(0, int(plate.rows().size()) - 1)));
        return;
    case printId:
        return printPlate();
    case copyId:
        return copy();
    case saveId:
        return save();
    case closeId:
    case IDCANCEL:
        ShowWindow(window, SW_HIDE);
        return;
    default:
        return;
    }
    refresh();
}

void Win32DataPlate::copy()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    const std::wstring text = withCrLf(plateText(plate, form.textLanguage()));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool copied = false;
    if (memory && OpenClipboard(window)) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1,
            static_cast<wchar_t *>(GlobalLock(memory)));
        GlobalUnlock(memory);
        copied = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    if (!copied) {
        const std::string reason = lastError();
        if (memory)
            GlobalFree(memory);
        message(copyFailedMessage, reason);
    }
}

void Win32DataPlate::save()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    const std::wstring path = chooseSaveFile();
    if (path.empty())
        return;
    const std::string csv = plateCsv(plate, form.textLanguage());
    HANDLE file = CreateFileW(
        path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool saved = file != INVALID_HANDLE_VALUE
        && WriteFile(file, csv.data(), DWORD(csv.size()), &written, nullptr)
        && written == csv.size();
    const std::string reason = saved ? std::string() : lastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!saved)
        message(saveFailedMessage, reason);
}

void Win32DataPlate::printPlate()
{
    if (plate.rows().empty())
        return message(emptyPlateMessage);
    bool noPrinter = false;
    HDC printer = choosePrinter(noPrinter);
    if (!printer)
        return message(noPrinter ? noPrinterMessage : printCancelledMessage);
    std::wstring title = wide(translate(form.textLanguage(), plateWindowTitle));
    DOCINFOW document {};
    document.cbSize = sizeof document;
    document.lpszDocName = title.c_str();
    // A margin of a quarter inch within what the printer can print.
    const int marginX = GetDeviceCaps(printer, LOGPIXELSX) / 4;
    const int marginY = GetDeviceCaps(printer, LOGPIXELSY) / 4;
    const RECT page { marginX, marginY, GetDeviceCaps(printer, HORZRES) - marginX,
        GetDeviceCaps(printer, VERTRES) - marginY };
    bool printed = StartDocW(printer, &document) > 0 && StartPage(printer) > 0;
    if (printed) {
        paintSheet(printer, page);
        printed = EndPage(printer) > 0 && EndDoc(printer) > 0;
    } else {
        AbortDoc(printer);
    }
    DeleteDC(printer);
    if (!printed)
        message(printFailedMessage);
}

void Win32DataPlate::paintSheet(HDC dc, const RECT &page) const
{
    const PlateSheet sheet = plateSheet(plate, form.textLanguage(), today());
    HFONT title = sheetFont(dc, 12, true);
    HFONT heading = sheetFont(dc, 9, true);
    HFONT plain = sheetFont(dc, 9, false);
    HGDIOBJ before = SelectObject(dc, plain);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const auto extent = [dc](HFONT font, const std::wstring &text) {
        SelectObject(dc, font);
        SIZE size {};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        return size;
    };
    int y = page.top;
    const auto line = [&](HFONT font, const std::string &text, int x) {
        const std::wstring shown = wide(text);
        const SIZE size = extent(font, shown);
        TextOutW(dc, x, y, shown.c_str(), int(shown.size()));
        y += size.cy * 6 / 5;
    };
    line(title, sheet.title, page.left);
    line(plain, sheet.car, page.left);
    y += extent(plain, L"X").cy / 2;

    // A table where every column fits the page's width, else a block of lines for each row.
    const int gap = GetDeviceCaps(dc, LOGPIXELSX) / 10;
    std::vector<int> widths;
    for (std::size_t column = 0; column < sheet.header.size(); ++column) {
        int width = extent(heading, wide(sheet.header[column])).cx;
        for (const std::vector<std::string> &row : sheet.rows)
            width = std::max(width, int(extent(plain, wide(row[column])).cx));
        widths.push_back(width + gap);
    }
    int tableWidth = 0;
    for (const int width : widths)
        tableWidth += width;
    if (tableWidth <= page.right - page.left) {
        const auto cells = [&](HFONT font, const std::vector<std::string> &texts) {
            int x = page.left;
            int height = 0;
            for (std::size_t column = 0; column < texts.size(); ++column) {
                const std::wstring shown = wide(texts[column]);
                height = std::max(height, int(extent(font, shown).cy));
                TextOutW(dc, x, y, shown.c_str(), int(shown.size()));
                x += widths[column];
            }
            y += height * 6 / 5;
            MoveToEx(dc, page.left, y - height / 10, nullptr);
            LineTo(dc, page.left + tableWidth, y - height / 10);
        };
        cells(heading, sheet.header);
        for (const std::vector<std::string> &row : sheet.rows)
            cells(plain, row);
        y += extent(plain, L"X").cy / 2;
        for (const std::string *text : { &sheet.note, &sheet.basis, &sheet.made }) {
            if (!text->empty())
                line(plain, *text, page.left);
        }
    } else {
        const std::vector<std::string> lines = narrowSheet(sheet);
        for (std::size_t at = 2; at < lines.size(); ++at)
            line(plain, lines[at], page.left);
    }
    SelectObject(dc, before);
    DeleteObject(title);
    DeleteObject(heading);
    DeleteObject(plain);
}

LRESULT CALLBACK Win32DataPlate::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self = static_cast<Win32DataPlate *>(
            reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->window = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<Win32DataPlate *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32DataPlate::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header->hwndFrom != list)
            break;
        if (header->code == LVN_BEGINLABELEDITW) {
            SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETEDITCONTROL, 0, 0)),
                EM_LIMITTEXT, floorsLengthMax, 0);
            return FALSE;
        }
        if (header->code == LVN_ENDLABELEDITW) {
            const auto *edit = reinterpret_cast<const NMLVDISPINFOW *>(lParam);
            if (edit->item.pszText)
                plate.setFloors(std::size_t(edit->item.iItem), narrow(edit->item.pszText));
            // The text as kept (one line, its most, no control character), once the edit is over.
            PostMessageW(window, refreshMessage, 0, 0);
            return FALSE;
        }
        // F2 edits the selected row's floors.
        if (header->code == LVN_KEYDOWN
            && reinterpret_cast<const NMLVKEYDOWN *>(lParam)->wVKey == VK_F2 && selected() >= 0) {
            SetFocus(list);
            SendMessageW(list, LVM_EDITLABELW, WPARAM(selected()), 0);
            return 0;
        }
        if (header->code == LVN_ITEMCHANGED)
            showRowCommands();
        break;
    }
    case refreshMessage:
        refresh();
        return 0;
    case WM_CLOSE:
        ShowWindow(window, SW_HIDE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace velkora
