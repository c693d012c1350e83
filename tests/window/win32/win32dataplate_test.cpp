// The data plate in the Win32 window under its real message loop: reached by keys (Shift+F10,
// Ctrl+D), by a right click and from the system menu; floors edited in the list view; the
// clipboard's rows, the saved file and the painted sheet (recorded in a metafile, as the
// program hands it to a printer) read back.
#include "window/data_plate.h"
#include "window/frmvelkora.h"
#include "window/win32/win32dataplate.h"
#include "window/win32/win32window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace velkora;

namespace {

const std::wstring header
    = L"Floors\tDoor type\tWidth (in)\tWidth (mm)\tWeight (lb)\tWeight (kg)\tClose time (s)\t"
      L"Nudging time (s)";

INPUT key(WORD code, bool up, bool unicode = false)
{
    INPUT input {};
    input.type = INPUT_KEYBOARD;
    (unicode ? input.ki.wScan : input.ki.wVk) = code;
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unicode ? KEYEVENTF_UNICODE : 0);
    return input;
}

std::wstring cell(HWND list, int row, int column)
{
    wchar_t text[256] {};
    LVITEMW item {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// Every text a painting wrote, as a metafile recorded it.
std::wstring paintedText(const std::function<void(HDC)> &paint, int widthMillimetres)
{
    const RECT frame { 0, 0, widthMillimetres * 100, 27900 };
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    paint(dc);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    // For the README's picture of the printed page: the page played onto a bitmap, when asked.
    if (const char *picture = std::getenv("VELKORA_SHEET_BMP"); picture && widthMillimetres > 100) {
        const int width = 850;
        const int height = 1100;
        BITMAPINFO format {};
        format.bmiHeader
            = { sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0 };
        void *bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ before = SelectObject(memory, bitmap);
        const RECT all { 0, 0, width, height };
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const RECT inside { 30, 30, width - 30, height - 30 };
        PlayEnhMetaFile(memory, metafile, &inside);
        GdiFlush();
        const DWORD bytes = DWORD(((width * 3 + 3) & ~3) * height);
        BITMAPFILEHEADER file { 0x4D42,
            DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + bytes), 0, 0,
            DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) };
        if (std::FILE *out = std::fopen(picture, "wb")) {
            std::fwrite(&file, sizeof file, 1, out);
            std::fwrite(&format.bmiHeader, sizeof format.bmiHeader, 1, out);
            std::fwrite(bits, 1, bytes, out);
            std::fclose(out);
        }
        SelectObject(memory, before);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    std::wstring text;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data) {
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto *out = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
                const auto *chars = reinterpret_cast<const wchar_t *>(
                    reinterpret_cast<const BYTE *>(record) + out->emrtext.offString);
                *reinterpret_cast<std::wstring *>(data)
                    += std::wstring(chars, out->emrtext.nChars) + L" ";
            }
            return 1;
        },
        &text, nullptr);
    DeleteEnhMetaFile(metafile);
    return text;
}

// Chooses the first command of a popup menu once it is open, by keys, as its loop reads them;
// closes whatever stays open for too long, so that nothing waits for ever.
int menuTicks = 0;
void CALLBACK chooseFirstCommand(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if ((!menu || !IsWindowVisible(menu)) && ++menuTicks < 40)
        return;
    KillTimer(nullptr, timer);
    if (menuTicks >= 40)
        return (void)EndMenu();
    INPUT inputs[]
        = { key(VK_DOWN, false), key(VK_DOWN, true), key(VK_RETURN, false), key(VK_RETURN, true) };
    SendInput(4, inputs, sizeof(INPUT));
}

void chooseFirstCommandSoon()
{
    menuTicks = 0;
    SetTimer(nullptr, 0, 50, chooseFirstCommand);
}

class Win32DataPlateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<Win32Window>(form, GetModuleHandleW(nullptr));
        form.MsgBox = [this](const std::string &title, const std::string &text, MessageIcon) {
            said.push_back(title + ": " + text);
        };
        form.Form_Load();
        pump();
    }

    void TearDown() override
    {
        window.reset();
        pump();
    }

    void pump(DWORD milliseconds = 150)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG message;
        while (GetTickCount() < end) {
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                Sleep(5);
                continue;
            }
            if (message.message == WM_QUIT || window->preTranslate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // Keys as the keyboard sends them: virtual keys, a modifier held around the first one, and
    // characters typed.
    void keys(std::vector<WORD> codes, WORD modifier = 0)
    {
        std::vector<INPUT> inputs;
        if (modifier)
            inputs.push_back(key(modifier, false));
        for (std::size_t at = 0; at < codes.size(); ++at) {
            inputs.push_back(key(codes[at], false));
            inputs.push_back(key(codes[at], true));
            if (modifier && at == 0)
                inputs.push_back(key(modifier, true));
        }
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        pump();
    }

    void type(const std::wstring &text)
    {
        std::vector<INPUT> inputs;
        for (const wchar_t c : text) {
            inputs.push_back(key(WORD(c), false, true));
            inputs.push_back(key(WORD(c), true, true));
        }
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        pump();
    }

    void calculate(const std::wstring &width, const std::wstring &weight)
    {
        SetFocus(window->control("txtWidth"));
        SendMessageW(window->control("txtWidth"), EM_SETSEL, 0, -1);
        type(width);
        SetFocus(window->control("txtWeight"));
        SendMessageW(window->control("txtWeight"), EM_SETSEL, 0, -1);
        type(weight);
        keys({ 'S' }, VK_MENU);
        keys({ VK_RETURN });
    }

    HWND list() const { return window->plateWindow()->rows(); }
    int rows() const { return int(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0)); }
    void click(int button)
    {
        SendMessageW(window->plateWindow()->button(button), BM_CLICK, 0, 0);
        pump();
    }

    frmVelkora form;
    std::unique_ptr<Win32Window> window;
    std::vector<std::string> said;
};

TEST_F(Win32DataPlateTest, ReachedByKeysByARightClickAndFromTheSystemMenu)
{
    calculate(L"42", L"400");
    // The focus is on CLEAR, which has no menu of its own: Shift+F10 opens the form's.
    chooseFirstCommandSoon();
    keys({ VK_F10 }, VK_SHIFT);
    pump(500);
    // A right click on the form beside its controls, the first command chosen by keys.
    POINT point { 20, 300 };
    ClientToScreen(window->handle(), &point);
    std::vector<INPUT> inputs;
    for (DWORD flag :
        { DWORD(MOUSEEVENTF_MOVE), DWORD(MOUSEEVENTF_RIGHTDOWN), DWORD(MOUSEEVENTF_RIGHTUP) }) {
        INPUT input {};
        input.type = INPUT_MOUSE;
        input.mi.dx = LONG(point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = LONG(point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(input);
    }
    chooseFirstCommandSoon();
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    pump(500);
    // The system menu holds the same commands; choosing one sends the window its command.
    HMENU system = GetSystemMenu(window->handle(), FALSE);
    std::vector<std::wstring> items;
    for (int at = 0; at < GetMenuItemCount(system); ++at) {
        wchar_t text[64] {};
        GetMenuStringW(system, UINT(at), text, 64, MF_BYPOSITION);
        items.push_back(text);
    }
    ASSERT_GE(items.size(), 3u);
    EXPECT_EQ(std::vector<std::wstring>(items.end() - 3, items.end()),
        (std::vector<std::wstring> {
            L"Add to data plate", L"Data plate…\tCtrl+D", L"About Velkora" }));
    SendMessageW(window->handle(), WM_SYSCOMMAND, Win32Window::addToPlateId, 0);
    SetFocus(window->control("cmdCalculate"));
    keys({ 'D' }, VK_CONTROL);
    ASSERT_TRUE(window->plateWindow());
    EXPECT_TRUE(IsWindowVisible(window->plateWindow()->handle()));
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(cell(list(), 2, 6), L"2.98");
    EXPECT_TRUE(said.empty());
}

TEST_F(Win32DataPlateTest, ThreeRowsEditedCopiedSavedAndPainted)
{
    for (const wchar_t *weight : { L"400", L"900" }) {
        calculate(L"42", weight);
        window->plateCommand(Win32Window::addToPlateId);
    }
    calculate(L"48", L"400");
    window->plateCommand(Win32Window::addToPlateId);
    window->plateCommand(Win32Window::openPlateId);
    ASSERT_TRUE(window->plateWindow());
    pump();
    // The second row's floors typed in place.
    SetFocus(list());
    SendMessageW(list(), LVM_EDITLABELW, 1, 0);
    type(L"1–12");
    keys({ VK_RETURN });
    EXPECT_EQ(cell(list(), 1, 0), L"1–12");
    EXPECT_EQ(cell(list(), 2, 1), L"Side Opening Single Speed *");

    const std::wstring rowsText
        = L"\tSide Opening Single Speed\t42\t1066.8\t400\t181.437\t2.98\t4.97\r\n"
          L"1–12\tSide Opening Single Speed\t42\t1066.8\t900\t408.233\t4.47\t7.45\r\n"
          L"\tSide Opening Single Speed\t48\t1219.2\t400\t181.437\t3.45\t5.75\r\n";
    click(Win32DataPlate::copyId);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto *copied = static_cast<const wchar_t *>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(copied ? copied : L""), header + L"\r\n" + rowsText);
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();

    wchar_t folder[MAX_PATH] {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"velkora-plate.csv";
    window->plateWindow()->chooseSaveFile = [path] { return path; };
    click(Win32DataPlate::saveId);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char bytes[1024] {};
    DWORD read = 0;
    ReadFile(file, bytes, sizeof bytes - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileW(path.c_str());
    EXPECT_EQ(std::string(bytes, read),
        "Floors,Door type,Width (in),Width (mm),Weight (lb),Weight (kg),Close time (s),Nudging "
        "time (s)\r\n"
        ",Side Opening Single Speed,42,1066.8,400,181.437,2.98,4.97\r\n"
        "1–12,Side Opening Single Speed,42,1066.8,900,408.233,4.47,7.45\r\n"
        ",Side Opening Single Speed,48,1219.2,400,181.437,3.45,5.75\r\n");

    // Letter paper and a 58 mm strip: every number on the page the printer is handed.
    for (const int width : { 216, 58 }) {
        const std::wstring painted = paintedText(
            [&](HDC dc) {
                const RECT page { 0, 0, GetDeviceCaps(dc, LOGPIXELSX) * width * 10 / 254,
                    GetDeviceCaps(dc, LOGPIXELSY) * 11 };
                window->plateWindow()->paintSheet(dc, page);
            },
            width);
        for (const wchar_t *number : { L"2.98", L"4.97", L"4.47", L"7.45", L"3.45", L"5.75",
                 L"408.233", L"1219.2", L"1–12", L"Door Data Plate: Minimum Closing Times" })
            EXPECT_NE(painted.find(number), std::wstring::npos) << width << " mm: " << number;
    }
    EXPECT_TRUE(said.empty());
}

struct Failure
{
    const char *name;
    int button;
    bool rows;
    bool noPrinter;
    std::string said;
};

class Win32DataPlateFailures : public Win32DataPlateTest,
                               public testing::WithParamInterface<Failure>
{
};

TEST_P(Win32DataPlateFailures, SaySoAndLoseNothing)
{
    const Failure &failure = GetParam();
    calculate(L"42", L"400");
    if (failure.rows)
        window->plateCommand(Win32Window::addToPlateId);
    window->plateCommand(Win32Window::openPlateId);
    ASSERT_TRUE(window->plateWindow());
    window->plateWindow()->chooseSaveFile
        = [] { return std::wstring(L"C:\\no such folder\\plate.csv"); };
    window->plateWindow()->choosePrinter = [&failure](bool &noPrinter) -> HDC {
        noPrinter = failure.noPrinter;
        return nullptr;
    };
    click(failure.button);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].substr(0, failure.said.size()), failure.said);
    EXPECT_EQ(rows(), failure.rows ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Outputs, Win32DataPlateFailures,
    testing::Values(Failure { "copy_empty", Win32DataPlate::copyId, false, false,
                        "Data Plate: The data plate has no rows yet: calculate, then choose Add to "
                        "data plate." },
        Failure { "save_into_a_missing_folder", Win32DataPlate::saveId, true, false,
            "Data Plate: The CSV file could not be saved: " },
        Failure { "print_cancelled", Win32DataPlate::printId, true, false,
            "Data Plate: Printing was cancelled: nothing was printed." },
        Failure { "no_printer", Win32DataPlate::printId, true, true,
            "Data Plate: No printer is set up: nothing was printed." }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32DataPlateTest, AHostileFloorsTextIsKeptAsOneShortLine)
{
    calculate(L"42", L"400");
    window->plateCommand(Win32Window::addToPlateId);
    window->plateCommand(Win32Window::openPlateId);
    ASSERT_TRUE(window->plateWindow());
    pump();
    SetFocus(list());
    SendMessageW(list(), LVM_EDITLABELW, 0, 0);
    HWND edit = reinterpret_cast<HWND>(SendMessageW(list(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    // As pasted, past the box's limit: a formula, control characters, 300 letters.
    SetWindowTextW(edit,
        (L"=HYPERLINK(\"http://x.example\",\"go\")\x1b\t\r\n" + std::wstring(300, L'x')).c_str());
    keys({ VK_RETURN });
    EXPECT_EQ(cell(list(), 0, 0), L"=HYPERLINK(\"http://x.example\",\"go\")xxxxx");
}

} // namespace
