// The Win32 window driven through its real message loop as a user drives it: keys and clicks
// go in with SendInput, and what the user would see is read back from the native controls,
// the painted pixels, the tooltips and the real message boxes. The form's rules themselves are
// tested at the form.
#include "window/control_table.h"
#include "window/frmvelkora.h"
#include "window/win32/win32window.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace velkora;

namespace {

struct SeenBox {
    std::wstring title;
    std::wstring text;
    bool icon = false;
};

std::vector<SeenBox> seenBoxes;

std::wstring textOf(HWND hwnd)
{
    wchar_t buffer[512] {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

// The first top-level window of this thread of a window class (by default only a visible one).
HWND threadWindow(const wchar_t *type, bool visibleOnly = true)
{
    struct Search {
        const wchar_t *type;
        bool visibleOnly;
        HWND found;
    } search { type, visibleOnly, nullptr };
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM data) {
            auto &search = *reinterpret_cast<Search *>(data);
            wchar_t type[64] {};
            GetClassNameW(hwnd, type, 64);
            if (std::wstring(type) != search.type || (search.visibleOnly && !IsWindowVisible(hwnd)))
                return TRUE;
            search.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Reads an open message box as the user sees it, then answers it with Enter.
void CALLBACK answerMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = threadWindow(L"#32770");
    if (!box)
        return;
    KillTimer(nullptr, timer);
    // The text is the static 0xFFFF; the icon, where there is one, a visible static that holds
    // it (20 on Windows, 1088 under Wine).
    bool icon = false;
    for (int id : { 20, 1088 }) {
        HWND image = GetDlgItem(box, id);
        icon = icon || (image && IsWindowVisible(image) && SendMessageW(image, STM_GETICON, 0, 0));
    }
    seenBoxes.push_back({ textOf(box), textOf(GetDlgItem(box, 0xFFFF)), icon });
    SendMessageW(box, WM_COMMAND, IDOK, 0);
}

class Win32WindowTest : public testing::Test
{
protected:
    explicit Win32WindowTest(const Language &language = english())
        : form(language)
    {
    }

    void SetUp() override
    {
        seenBoxes.clear();
        window = std::make_unique<Win32Window>(form, GetModuleHandleW(nullptr));
        form.Form_Load();
        pump();
    }

    void TearDown() override
    {
        window.reset();
        pump();
    }

    // Delivers what is queued, as the message loop does, until nothing is left or the time is up
    // (tooltip timers would keep a queue busy for ever).
    void pump(DWORD milliseconds = 150)
    {
        const DWORD end = GetTickCount() + milliseconds;
        MSG message;
        while (GetTickCount() < end) {
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                Sleep(5);
                continue;
            }
            if (message.message == WM_QUIT || (window && window->preTranslate(message)))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    void send(std::vector<INPUT> inputs)
    {
        SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
        pump();
    }

    static INPUT keyInput(WORD key, bool up)
    {
        INPUT input {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return input;
    }

    void press(WORD key, WORD modifier = 0)
    {
        std::vector<INPUT> inputs;
        if (modifier)
            inputs.push_back(keyInput(modifier, false));
        inputs.push_back(keyInput(key, false));
        inputs.push_back(keyInput(key, true));
        if (modifier)
            inputs.push_back(keyInput(modifier, true));
        send(inputs);
    }

    void alt(char letter) { press(WORD(letter), VK_MENU); }

    void type(const std::wstring &text)
    {
        std::vector<INPUT> inputs;
        for (wchar_t c : text) {
            for (bool up : { false, true }) {
                INPUT input {};
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = WORD(c);
                input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
                inputs.push_back(input);
            }
        }
        send(inputs);
    }

    void click(const char *name, int x = 8, int y = 8)
    {
        POINT point { x, y };
        ClientToScreen(control(name), &point);
        const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
        const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
        std::vector<INPUT> inputs;
        for (DWORD flag : { DWORD(MOUSEEVENTF_MOVE), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP) }) {
            INPUT input {};
            input.type = INPUT_MOUSE;
            input.mi.dx = LONG(point.x * 65535 / width);
            input.mi.dy = LONG(point.y * 65535 / height);
            input.mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(input);
        }
        send(inputs);
    }

    // Types width and weight into the entry pair, picks a door type by its access key (none
    // for 0) and presses Enter; every message box is read and answered.
    void calculate(const std::wstring &width, const std::wstring &weight, char doorKey)
    {
        type(width);
        press(VK_TAB);
        type(weight);
        if (doorKey)
            alt(doorKey);
        SetTimer(nullptr, 0, 30, answerMessageBox);
        press(VK_RETURN);
    }

    HWND control(const char *name) const { return window->control(name); }
    std::wstring text(const char *name) const { return textOf(control(name)); }
    bool checked(const char *name) const { return SendMessageW(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string focusName() const
    {
        for (const ControlInfo &info : controlTable) {
            if (window->control(info.name) == GetFocus())
                return std::string(info.name);
        }
        return "(none)";
    }
    std::vector<std::wstring> results() const { return { text("lblMinimum"), text("lblNudging") }; }

    COLORREF pixel(const char *name, int x, int y)
    {
        RedrawWindow(window->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(control(name));
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(control(name), dc);
        return colour;
    }

    bool hasRed(const char *name)
    {
        RedrawWindow(window->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT area;
        GetClientRect(control(name), &area);
        HDC dc = GetDC(control(name));
        bool found = false;
        for (int y = 0; y < area.bottom && !found; ++y)
            for (int x = 0; x < area.right && !found; ++x)
                found = GetPixel(dc, x, y) == RGB(255, 0, 0);
        ReleaseDC(control(name), dc);
        return found;
    }

    frmVelkora form;
    std::unique_ptr<Win32Window> window;
};

TEST_F(Win32WindowTest, StartsInImperialEntryWithTheTablesLayout)
{
    EXPECT_EQ(focusName(), "txtWidth");
    EXPECT_TRUE(checked("optImperial"));
    EXPECT_FALSE(checked("opt1"));
    EXPECT_EQ(textOf(window->handle()), L" Velkora                  www.velkora.example");
    EXPECT_TRUE(GetWindowLongW(control("txtWidthMetric"), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongW(control("txtWidth"), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(text("cmdCalculate"), L"C&ALCULATE");
    EXPECT_EQ(text("lblMinimumnudge"), L"Minimum Nudging Close Time in Seconds:");

    const int dpi = window->dpi();
    RECT client;
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, twipsToPixels(9150, dpi));
    EXPECT_EQ(client.bottom, twipsToPixels(4755, dpi));
    RECT option;
    GetWindowRect(control("opt3"), &option);
    MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT *>(&option), 2);
    EXPECT_EQ(option.left, twipsToPixels(300, dpi));
    EXPECT_EQ(option.top, twipsToPixels(1860, dpi));
    EXPECT_EQ(option.right - option.left, twipsToPixels(1755, dpi));
}

struct RoadCase {
    const char *name;
    char doorKey;
    const char *option;
    const wchar_t *close;
    const wchar_t *nudging;
};

class Road : public Win32WindowTest, public testing::WithParamInterface<RoadCase> { };

TEST_P(Road, KeysReachTheFormAndTheWindowShowsTheResults)
{
    const RoadCase &c = GetParam();
    calculate(L"42", L"400", c.doorKey);
    EXPECT_TRUE(seenBoxes.empty());
    EXPECT_EQ(text("txtWidthMetric"), L"1066.8");
    EXPECT_EQ(text("txtWeightMetric"), L"181.437");
    EXPECT_EQ(results(), (std::vector<std::wstring> { c.close, c.nudging }));
    for (const char *door : { "opt1", "opt2", "opt3", "opt4" })
        EXPECT_EQ(checked(door), std::string(door) == c.option) << door;
    EXPECT_EQ(focusName(), "cmdClear");
    // The default frame moves with the focus: Enter now presses Clear.
    EXPECT_EQ(GetWindowLongW(control("cmdClear"), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(control("cmdCalculate"), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
}

INSTANTIATE_TEST_SUITE_P(DoorTypes, Road,
    testing::Values(RoadCase { "SideSingle", 'S', "opt1", L"2.98", L"4.97" },
        RoadCase { "SideTwo", 'T', "opt2", L"2.36", L"3.93" },
        RoadCase { "CenterSingle", 'C', "opt3", L"1.49", L"2.48" },
        RoadCase { "CenterTwo", 'E', "opt4", L"1.18", L"1.97" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, MetricRoadAndClearByKeys)
{
    alt('M');
    EXPECT_EQ(focusName(), "txtWidthMetric");
    EXPECT_TRUE(GetWindowLongW(control("txtWidth"), GWL_STYLE) & ES_READONLY);
    calculate(L"1067", L"181", 'S');
    EXPECT_EQ(text("txtWidth"), L"42.008");
    EXPECT_EQ(text("txtWeight"), L"399.037");
    EXPECT_EQ(results(), (std::vector<std::wstring> { L"2.98", L"4.97" }));

    // Enter on the focused Clear clears and keeps metric entry.
    press(VK_RETURN);
    for (const char *box : { "txtWidth", "txtWeight", "txtWidthMetric", "txtWeightMetric" })
        EXPECT_EQ(text(box), L"") << box;
    EXPECT_FALSE(checked("opt1"));
    EXPECT_TRUE(checked("optMetric"));
    EXPECT_EQ(focusName(), "cmdClear");
}

TEST_F(Win32WindowTest, TypingEmptiesTheResultsAndLockedBoxesRefuseIt)
{
    calculate(L"42", L"400", 'S');
    ASSERT_EQ(text("lblMinimum"), L"2.98");
    click("txtWeightMetric");
    EXPECT_EQ(focusName(), "txtWeightMetric");
    type(L"9");
    EXPECT_EQ(text("txtWeightMetric"), L"181.437");
    EXPECT_EQ(text("lblMinimum"), L"2.98");

    click("txtWeight", 60, 10);
    press(VK_END);
    type(L"5");
    EXPECT_EQ(text("txtWeight"), L"4005");
    EXPECT_EQ(results(), (std::vector<std::wstring> { L"", L"" }));
}

struct MessageCase {
    const char *name;
    const wchar_t *width;
    char doorKey;
    const wchar_t *title;
    const wchar_t *text;
    bool icon;
    const char *focus;
};

class MessageBoxes : public Win32WindowTest, public testing::WithParamInterface<MessageCase> { };

TEST_P(MessageBoxes, AreRealModalBoxesWithTheirIcons)
{
    const MessageCase &c = GetParam();
    calculate(c.width, L"400", c.doorKey);
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].title, c.title);
    EXPECT_EQ(seenBoxes[0].text, c.text);
    EXPECT_EQ(seenBoxes[0].icon, c.icon);
    pump();
    EXPECT_EQ(focusName(), c.focus);
}

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxes,
    testing::Values(
        MessageCase { "NoDoorType", L"42", 0, L"Door Type", L"Please select a door type.", true, "txtWeight" },
        MessageCase { "NumbersOnly", L"abc", 'S', L"Numbers Only", L"Please enter a number in both fields.", true, "txtWidth" },
        MessageCase { "BeyondRange", L"1E400", 'S', L"What'd you do?", L"An error has occurred...please continue working.", false, "cmdCalculate" }),
    [](const auto &info) { return std::string(info.param.name); });

struct TabCase {
    const char *name;
    char unitKey;
    char doorKey;
    std::vector<std::string> stops;
};

class TabOrder : public Win32WindowTest, public testing::WithParamInterface<TabCase> { };

TEST_P(TabOrder, VisitsTheEntryPairCommandsAndOneStopPerGroup)
{
    const TabCase &c = GetParam();
    if (c.doorKey)
        alt(c.doorKey);
    alt(c.unitKey);
    std::vector<std::string> visited { focusName() };
    for (std::size_t i = 1; i < c.stops.size(); ++i) {
        press(VK_TAB);
        visited.push_back(focusName());
    }
    EXPECT_EQ(visited, c.stops);
    std::vector<std::string> backwards { focusName() };
    for (std::size_t i = 1; i < c.stops.size(); ++i) {
        press(VK_TAB, VK_SHIFT);
        backwards.insert(backwards.begin(), focusName());
    }
    EXPECT_EQ(backwards, c.stops);
    // Tabbing through the door types chooses none.
    EXPECT_EQ(checked("opt1"), c.doorKey == 'S');
}

INSTANTIATE_TEST_SUITE_P(States, TabOrder,
    testing::Values(
        TabCase { "Imperial", 'I', 0, { "txtWidth", "txtWeight", "cmdCalculate", "cmdClear", "opt1", "optImperial", "txtWidth" } },
        TabCase { "Metric_CenterTwo", 'M', 'E', { "txtWidthMetric", "txtWeightMetric", "cmdCalculate", "cmdClear", "opt4", "optMetric", "txtWidthMetric" } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, ArrowKeysAndClicksChooseOptions)
{
    alt('E');
    SetFocus(control("opt4"));
    pump();
    press(VK_DOWN);
    EXPECT_TRUE(checked("opt1"));
    EXPECT_FALSE(checked("opt4"));
    EXPECT_EQ(focusName(), "cmdCalculate");

    click("opt3", 40, 26);
    EXPECT_TRUE(checked("opt3"));
    EXPECT_FALSE(checked("opt1"));
    EXPECT_EQ(focusName(), "cmdCalculate");
    click("optMetric");
    EXPECT_TRUE(checked("optMetric"));
    EXPECT_FALSE(checked("optImperial"));
    EXPECT_TRUE(checked("opt3"));
    EXPECT_EQ(focusName(), "txtWidthMetric");
}

TEST_F(Win32WindowTest, ColoursArePainted)
{
    alt('S');
    EXPECT_EQ(pixel("txtWidthMetric", 60, 15), RGB(255, 255, 0));
    EXPECT_EQ(pixel("txtWeightMetric", 60, 15), RGB(255, 255, 0));
    EXPECT_EQ(pixel("txtWidth", 60, 15), RGB(255, 255, 255));
    EXPECT_TRUE(hasRed("opt1"));
    EXPECT_TRUE(hasRed("optImperial"));
    EXPECT_FALSE(hasRed("opt2"));
    EXPECT_FALSE(hasRed("optMetric"));
    alt('M');
    EXPECT_EQ(pixel("txtWidth", 60, 15), RGB(255, 255, 0));
    EXPECT_EQ(pixel("txtWidthMetric", 60, 15), RGB(255, 255, 255));
    EXPECT_TRUE(hasRed("optMetric"));
}

TEST_F(Win32WindowTest, FollowsTheDpiOfItsScreen)
{
    // Moved to a screen at 200 %: the system suggests a window twice the size.
    RECT frame;
    GetWindowRect(window->handle(), &frame);
    RECT suggested { frame.left, frame.top, frame.left + 2 * (frame.right - frame.left),
        frame.top + 2 * (frame.bottom - frame.top) };
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    pump();
    EXPECT_EQ(window->dpi(), 192);
    RECT client;
    GetClientRect(window->handle(), &client);
    EXPECT_EQ(client.right, 1220);
    EXPECT_EQ(client.bottom, 634);
    RECT box;
    GetWindowRect(control("txtWeightMetric"), &box);
    MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT *>(&box), 2);
    EXPECT_EQ(box.left, 920);
    EXPECT_EQ(box.top, 192);
    EXPECT_EQ(box.right - box.left, 210);
    LOGFONTW font {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control("lblMinimum"), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -48);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Microsoft Sans Serif");

    // Everything still works at the new size (moved where the test screen shows all of it).
    SetWindowPos(window->handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    calculate(L"42", L"400", 'C');
    EXPECT_EQ(results(), (std::vector<std::wstring> { L"1.49", L"2.48" }));
    EXPECT_EQ(pixel("txtWidthMetric", 20, 30), RGB(255, 255, 0));
    EXPECT_TRUE(hasRed("opt3"));
}

struct HugeCase {
    const char *name;
    bool metric;
    const wchar_t *width;
    const wchar_t *weight;
    bool shortened;
};

class HugeNumbers : public Win32WindowTest, public testing::WithParamInterface<HugeCase> {
protected:
    int textWidth(HWND hwnd, const std::wstring &text)
    {
        HDC dc = GetDC(hwnd);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
        SIZE size {};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        ReleaseDC(hwnd, dc);
        return int(size.cx);
    }
};

TEST_P(HugeNumbers, ArePaintedWholeOrInAFormThatCannotBeMistaken)
{
    const HugeCase &c = GetParam();
    SetWindowPos(window->handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.metric)
        alt('M');
    calculate(c.width, c.weight, 'S');
    ASSERT_TRUE(seenBoxes.empty());

    bool anyShortened = false;
    for (const char *name : { "lblMinimum", "lblNudging" }) {
        HWND result = control(name);
        const std::wstring shown = text(name);
        const std::string full = static_cast<Label *>(form.control(name))->caption();
        RECT room;
        GetClientRect(result, &room);
        EXPECT_LE(textWidth(result, shown), room.right - 4) << name;
        if (shown != std::wstring(full.begin(), full.end())) {
            anyShortened = true;
            EXPECT_TRUE(shown == L"###" || shown.find(L'E') != std::wstring::npos) << name;
        }
    }
    EXPECT_EQ(anyShortened, c.shortened);

    for (const char *name : c.metric ? std::vector<const char *> { "txtWidth", "txtWeight" }
                                     : std::vector<const char *> { "txtWidthMetric", "txtWeightMetric" }) {
        HWND box = control(name);
        RECT room;
        SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
        if (textWidth(box, text(name)) <= room.right - room.left)
            continue;
        // Its start is shown, and an ellipsis at the right end says that more follows.
        DWORD start = 1;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        EXPECT_EQ(start, 0u) << name;
        RedrawWindow(window->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(box);
        int dark = 0;
        for (int x = room.right - 12; x < room.right; ++x)
            for (int y = room.top; y < room.bottom; ++y)
                dark += GetRValue(GetPixel(dc, x, y)) < 100;
        ReleaseDC(box, dc);
        EXPECT_GT(dark, 0) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, HugeNumbers,
    testing::Values(HugeCase { "EverydayDoor", false, L"42", L"400", false },
        HugeCase { "Width1E15in", false, L"1E15", L"400", true },
        HugeCase { "Width1E308mm", true, L"1E308", L"400", true },
        HugeCase { "HugeWeight", false, L"1E150", L"9E299", true }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Win32WindowTest, MemoryStaysFlatOverManyCyclesAndMessageBoxes)
{
    // Calculate and Clear, and in 3 of 10 cycles a real message box answered at once.
    auto cycles = [this](int count) {
        for (int i = 0; i < count; ++i) {
            form.txtWidth.SetFocus();
            form.txtWidth.edit("42");
            form.txtWeight.edit("400");
            if (i % 10 >= 3)
                form.pressAccessKey('S');
            SetTimer(nullptr, 0, 1, answerMessageBox);
            form.pressAccessKey('A');
            form.pressAccessKey('L');
            pump(0);
        }
    };
    // Committed memory (Wine does not count private bytes).
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS counters {};
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return counters.PagefileUsage;
    };
    cycles(50);
    seenBoxes.clear();
    const SIZE_T before = privateBytes();
    cycles(1000);
    const SIZE_T after = privateBytes();
    EXPECT_EQ(seenBoxes.size(), 300u);
    std::printf("committed %zu KB -> %zu KB over 1000 cycles and 300 message boxes\n", before / 1024, after / 1024);
    EXPECT_LT(after, before + 512 * 1024);
}

std::wstring wide(std::string_view text)
{
    std::wstring result(text.size() + 1, L'\0');
    result.resize(std::size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), int(result.size()))));
    return result;
}

class InEachLanguage : public Win32WindowTest, public testing::WithParamInterface<Language>
{
protected:
    InEachLanguage()
        : Win32WindowTest(chooseLanguage(std::vector { std::string(GetParam().code) }))
    {
    }
};

TEST_P(InEachLanguage, ShowsItsTextsWholeAndTakesItsAccessKeys)
{
    const Language &language = form.textLanguage();
    ASSERT_EQ(language.code, GetParam().code);
    // As each control paints its caption, at the font it was given: within its room, the door
    // types on at most as many lines as they are high; at 100 %, then on a screen at 200 %.
    for (const int dpi : { 96, 192 }) {
        if (dpi != window->dpi()) {
            RECT frame;
            GetWindowRect(window->handle(), &frame);
            RECT suggested { frame.left, frame.top, frame.left + 2 * (frame.right - frame.left),
                frame.top + 2 * (frame.bottom - frame.top) };
            SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            pump();
        }
        HDC dc = GetDC(window->handle());
        for (const Control *shown : form.controls()) {
            const ControlInfo &info = shown->info;
            if (info.caption.empty())
                continue;
            EXPECT_EQ(text(info.name.data()), wide(info.caption)) << info.name;
            RECT client;
            GetClientRect(control(info.name.data()), &client);
            const int indent = info.kind == ControlKind::OptionButton ? MulDiv(17, window->dpi(), 96) : 0;
            RECT painted { 0, 0, client.right - indent, 0 };
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control(info.name.data()), WM_GETFONT, 0, 0)));
            const std::wstring caption = wide(shownCaption(info.caption));
            DrawTextW(dc, caption.c_str(), -1, &painted, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            EXPECT_LE(painted.right, client.right - indent) << info.name << " at " << dpi;
            if (info.kind != ControlKind::Frame)
                EXPECT_LE(painted.bottom, client.bottom) << info.name << " at " << dpi;
        }
        ReleaseDC(window->handle(), dc);
    }

    // The cue of the entry pair, which says how a number is written.
    wchar_t cue[16] {};
    SendMessageW(control("txtWidth"), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 16);
    EXPECT_EQ(std::wstring(cue), language.code == "en" ? L"" : L"0.0");
    SendMessageW(control("txtWidthMetric"), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 16);
    EXPECT_EQ(std::wstring(cue), L"");

    // Its own access keys, and its own message box.
    const auto key = [&](const char *name) { return accessKey(controlInfo(name, language).caption); };
    calculate(L"abc", L"400", key("opt2"));
    EXPECT_TRUE(checked("opt2"));
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].title, wide(translate(language, "Numbers Only")));
    EXPECT_EQ(seenBoxes[0].text, wide(translate(language, "Please enter a number in both fields.")));
    alt(key("cmdClear"));
    EXPECT_FALSE(checked("opt2"));
    EXPECT_EQ(focusName(), "cmdClear");
}

INSTANTIATE_TEST_SUITE_P(Languages, InEachLanguage, testing::ValuesIn(languages().begin(), languages().end()),
    [](const auto &info) { return std::string(info.param.code); });

// Contrast (WCAG 2) of two colours as painted.
double contrast(COLORREF a, COLORREF b)
{
    const auto luminance = [](COLORREF colour) {
        const auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) + 0.0722 * channel(GetBValue(colour));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text and the background it is painted on, read from the control's pixels: the background
// is the most common colour, the text the one furthest from it.
struct Painted {
    COLORREF text;
    COLORREF back;
    bool operator==(const Painted &) const = default;
};

class ContrastTheme : public Win32WindowTest
{
protected:
    // A dark contrast theme's colours ("Night sky"), set as Windows sets them.
    void SetUp() override
    {
        const std::pair<int, COLORREF> dark[] = { { COLOR_WINDOW, RGB(0, 0, 0) }, { COLOR_WINDOWTEXT, RGB(255, 255, 255) },
            { COLOR_BTNFACE, RGB(0, 0, 0) }, { COLOR_BTNTEXT, RGB(255, 255, 255) }, { COLOR_GRAYTEXT, RGB(166, 166, 166) },
            { COLOR_HIGHLIGHT, RGB(214, 180, 253) }, { COLOR_HIGHLIGHTTEXT, RGB(43, 43, 43) },
            { COLOR_HOTLIGHT, RGB(128, 128, 255) } };
        for (const auto &[element, colour] : dark) {
            elements.push_back(element);
            saved.push_back(GetSysColor(element));
            colours.push_back(colour);
        }
        SetSysColors(int(elements.size()), elements.data(), colours.data());
        Win32WindowTest::SetUp();
    }

    void TearDown() override
    {
        Win32WindowTest::TearDown();
        SetSysColors(int(elements.size()), elements.data(), saved.data());
    }

    // The theme switched on or off, as Windows tells a running window.
    void switchTheme(bool on)
    {
        contrastOn = on;
        window->highContrast = [this] { return contrastOn; };
        SendMessageW(window->handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        pump();
    }

    // A control's text as painted; `top` pixels high only, from its top (a frame's caption).
    Painted painted(const char *name, int top = 0)
    {
        RedrawWindow(window->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT area;
        GetClientRect(control(name), &area);
        InflateRect(&area, -3, -3);
        if (top)
            area = { area.left + 8, 0, area.right - 8, top };
        // An option's caption, beside its round button.
        if (form.control(name)->info.kind == ControlKind::OptionButton)
            area.left += MulDiv(17, window->dpi(), 96);
        HDC dc = GetDC(control(name));
        std::map<COLORREF, int> counts;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                ++counts[GetPixel(dc, x, y)];
        ReleaseDC(control(name), dc);
        const COLORREF back = std::max_element(counts.begin(), counts.end(), [](auto &a, auto &b) {
            return a.second < b.second;
        })->first;
        Painted seen { back, back };
        for (const auto &[colour, count] : counts) {
            if (contrast(colour, seen.back) > contrast(seen.text, seen.back))
                seen.text = colour;
        }
        return seen;
    }

    std::vector<int> elements;
    std::vector<COLORREF> saved;
    std::vector<COLORREF> colours;
    bool contrastOn = false;
};

TEST_F(ContrastTheme, EveryTextReadableAndEveryStateVisibleWithTheThemeOnOrOff)
{
    // A calculation, so that both pairs hold numbers, side opening single speed chosen.
    calculate(L"42", L"400", 'S');
    ASSERT_EQ(text("lblMinimum"), L"2.98");
    for (const bool on : { false, true, false }) {
        switchTheme(on);
        const Painted typed = painted("txtWidth");
        const Painted locked = painted("txtWidthMetric");
        const Painted chosen = painted("opt1");
        const Painted other = painted("opt2");
        const Painted frame = painted("Frame1", MulDiv(12, window->dpi(), 96));
        SCOPED_TRACE(on ? "contrast theme" : "the form's own colours");
        EXPECT_GE(contrast(typed.text, typed.back), 4.5);
        EXPECT_GE(contrast(locked.text, locked.back), 4.5);
        EXPECT_GE(contrast(other.text, other.back), 4.5);
        if (on) {
            EXPECT_GE(contrast(frame.text, frame.back), 4.5);
        }
        // The specified red on the form's face is 3.5:1: known, and kept without the theme.
        EXPECT_GE(contrast(chosen.text, chosen.back), on ? 4.5 : 3.5);
        EXPECT_NE(typed, locked);
        EXPECT_NE(chosen, other);
        if (on) {
            // Only the theme's colours: window text on the window for the box that takes typing,
            // grey text on the button face for the locked one, the highlight pair for the chosen.
            EXPECT_EQ(typed, (Painted { RGB(255, 255, 255), RGB(0, 0, 0) }));
            EXPECT_EQ(locked, (Painted { RGB(166, 166, 166), RGB(0, 0, 0) }));
            EXPECT_EQ(chosen, (Painted { RGB(43, 43, 43), RGB(214, 180, 253) }));
            EXPECT_EQ(other, (Painted { RGB(255, 255, 255), RGB(0, 0, 0) }));
        } else {
            EXPECT_EQ(typed.back, RGB(255, 255, 255));
            EXPECT_EQ(locked.back, RGB(255, 255, 0));
            EXPECT_EQ(chosen.text, RGB(255, 0, 0));
        }
    }
    // Nothing typed is lost on the way.
    EXPECT_EQ(text("txtWidth"), L"42");
    EXPECT_EQ(text("txtWidthMetric"), L"1066.8");
    EXPECT_EQ(text("lblMinimum"), L"2.98");
}

TEST_F(Win32WindowTest, EveryControlWithATooltipHasIt)
{
    HWND tips = threadWindow(TOOLTIPS_CLASSW, false);
    ASSERT_TRUE(tips);
    int withTips = 0;
    for (const ControlInfo &info : controlTable) {
        wchar_t buffer[256] {};
        TTTOOLINFOW tool {};
        tool.cbSize = sizeof tool;
        tool.hwnd = window->handle();
        tool.uId = reinterpret_cast<UINT_PTR>(window->control(info.name));
        tool.lpszText = buffer;
        SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        std::string expected(info.tooltip);
        EXPECT_EQ(std::wstring(buffer), std::wstring(expected.begin(), expected.end())) << info.name;
        withTips += !info.tooltip.empty();
    }
    EXPECT_EQ(withTips, 10);
}

} // namespace

int main(int argc, char **argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls { sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES };
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
