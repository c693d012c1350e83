// The form shown with the platform's own Win32 controls: one control per row of the control
// table, showing every property change of the form and passing every user action back to it.
#pragma once

#include "window/controls.h"
#include "window/data_plate.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

class frmVelkora;
struct IAccPropServices;

namespace velkora {

class Win32DataPlate;

class Win32Window
{
public:
    Win32Window(frmVelkora &form, HINSTANCE instance);
    ~Win32Window();
    Win32Window(const Win32Window &) = delete;
    Win32Window &operator=(const Win32Window &) = delete;

    HWND handle() const { return window; }
    // The native control that shows the control of that name, or nullptr.
    HWND control(std::string_view name) const;
    // Gives the window the keys it handles itself (Enter, Alt+letter, the arrow keys on an
    // option, Tab). True when the message was one of them and must not be dispatched.
    bool preTranslate(MSG &message);
    // Runs the message loop until the window is closed; returns the exit status.
    int messageLoop();
    // The dots per inch the window is laid out for.
    int dpi() const { return dotsPerInch; }

    // The commands of the form's context menu (a right click, Shift+F10 or the Menu key on a
    // control without a menu of its own) and of the window's system menu (Alt+Space); Ctrl+D
    // opens the plate.
    enum PlateCommand { addToPlateId = 0x0100, openPlateId = 0x0110, aboutId = 0x0120 };
    void plateCommand(int id);
    // The plate's window, once it has been opened.
    Win32DataPlate *plateWindow() const { return plateView.get(); }

    // Whether a contrast theme is on: the system's setting (tests replace it). Under one, the
    // entry boxes and options are painted only in the theme's colours; the window follows the
    // theme switched on or off while it runs.
    std::function<bool()> highContrast;

private:
    struct Binding {
        Control *control;
        HWND hwnd;
        int id;
        // A box the program wrote too wide for it: only its start shows, and a sign says so.
        bool cut = false;
    };

    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK entryProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
        UINT_PTR subclass, DWORD_PTR data);
    static LRESULT CALLBACK optionProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
        UINT_PTR subclass, DWORD_PTR data);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    void createTooltips();
    void bind(Binding &binding);
    void showProperty(Binding &binding, Property property);
    void showOnScreen();
    // The first painting, then tooltips and the names for screen readers, once the window is on
    // the screen and the form has started.
    void finishAfterShowing();
    // Positions, sizes and fonts for the current dots per inch.
    void layOut();
    // The window's size around the table's client area; with `centre`, also its place in the
    // middle of the screen's work area.
    void sizeFrame(bool centre = false);
    RECT pixelRect(const ControlInfo &info) const;
    // The table's font at the current dots per inch; for a caption too long for its control at
    // that size, a smaller one (window/fit.h).
    void showFont(const Binding &binding, bool redraw);
    void markDefaultButton();
    // The text of a result display or of a box the program wrote, at a size and in a form
    // that fits (window/fit.h).
    void showFitted(Binding &binding, const std::string &text, bool written);
    HFONT fontAt(double points, bool bold);
    // The width of a text and the height of a line in the window's face, in pixels.
    int textWidth(std::string_view text, double points, bool bold);
    int lineHeight(double points, bool bold);
    HDC measuringDc(double points, bool bold);
    void paintCutSign(const Binding &binding);
    void addTooltip(HWND hwnd, std::wstring text);
    void removeTooltip(HWND hwnd);
    // The colours an entry box or option is painted in, and the brush of its background.
    struct Paint {
        COLORREF text;
        COLORREF back;
        HBRUSH brush;
    };
    Paint paintOf(const Control &control);
    HBRUSH brush(Colour colour);
    void onCommand(int id, int code);
    void addPlateCommands(HMENU menu);
    const Binding *bindingOf(HWND hwnd) const;
    const Binding *bindingOf(const Control &control) const;

    frmVelkora &form;
    HINSTANCE instance;
    HWND window = nullptr;
    HWND tooltips = nullptr;
    int dotsPerInch = 96;
    // The outer size that gives the table's client area.
    SIZE frameSize { 0, 0 };
    std::vector<Binding> bindings;
    std::map<Colour, HBRUSH> brushes;
    std::map<std::pair<int, bool>, HFONT> fonts;
    HDC measuring = nullptr;
    HFONT measuringFont = nullptr;
    IAccPropServices *accessibility = nullptr;
    // Set while the program itself writes a box or moves the focus, so that what the control
    // reports back is not taken for the user's doing.
    bool writing = false;
    bool comInitialised = false;
    DataPlate plate;
    std::unique_ptr<Win32DataPlate> plateView;
};

} // namespace velkora
