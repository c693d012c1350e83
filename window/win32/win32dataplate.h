// The data plate's window with Win32 controls: its rows in a list view whose floors are edited
// in place (F2 or a click on a selected row), the commands that remove and reorder them, and
// the three ways out: print (the common print dialog, then GDI), copy (tab-separated text on
// the clipboard) and save (CSV). What goes out is written by window/data_plate.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class frmVelkora;

namespace velkora {

class DataPlate;

class Win32DataPlate
{
public:
    Win32DataPlate(frmVelkora &form, DataPlate &plate, HINSTANCE instance, HWND owner);
    ~Win32DataPlate();
    Win32DataPlate(const Win32DataPlate &) = delete;
    Win32DataPlate &operator=(const Win32DataPlate &) = delete;

    HWND handle() const { return window; }
    HWND rows() const { return list; }
    // A command button of the window by its id (the ids below).
    HWND button(int id) const { return GetDlgItem(window, id); }
    void show();
    // Shows the plate's rows as they stand now.
    void refresh();
    // Tab between its controls. True when the message was the window's and must not be
    // dispatched.
    bool preTranslate(MSG &message);

    enum Command { removeId = 10, upId, downId, printId, copyId, saveId, closeId };

    // Where the plate is saved: the file the user chooses, empty when they cancel.
    std::function<std::wstring()> chooseSaveFile;
    // The printer's device context, as the user chooses it in the common print dialog: null
    // when they cancel; `noPrinter` set when there is none to choose.
    std::function<HDC(bool &noPrinter)> choosePrinter;
    // Paints the sheet on one page of a device (a printer, a metafile): a table where it fits
    // the page's width, else a block of lines for each row.
    void paintSheet(HDC dc, const RECT &page) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id);
    void copy();
    void save();
    void printPlate();
    void message(std::string_view text, const std::string &detail = {});
    int selected() const;
    // Remove, Move up and Move down offered where they can act on the selected row.
    void showRowCommands();
    void select(int row);

    frmVelkora &form;
    DataPlate &plate;
    HWND window = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
};

} // namespace velkora
