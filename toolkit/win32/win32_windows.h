// The state the Win32 backend's files share: the program's open windows, found
// by their numbers, with their controls found by role.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/grid_rows.h"
#include "toolkit/toolkit.h"

namespace tk {

// Control identifiers are roles moved clear of IDOK and IDCANCEL, which the
// dialog keys Enter and Escape send to a window.
constexpr int kFirstControlId = 1000;
// Posted to a window when rows were appended to one of its grids.
constexpr UINT kShowAppendedRows = WM_APP + 1;

// The rows and columns of a report view, which the list view asks for as it
// draws (a virtual list): a table of any size costs the list view nothing.
struct Grid {
    GridRows rows;
    std::vector<std::string> titles;
    std::vector<std::string> tips;
    int shownRows = 0;  // rows the list view knows of
    HWND tooltip = nullptr;
    int tipColumn = -1;  // the column whose tip the tooltip holds
};

struct Win32Control {
    ControlLayout layout;
    HWND hwnd;
    std::string bytes;               // edit box: the text the program gave it
    std::vector<std::string> items;  // drop-down list: the items as the program gave them
    std::unique_ptr<Grid> grid;
};

struct Win32Window {
    WindowLayout layout;
    HWND hwnd = nullptr;
    std::map<int, Win32Control> controls;
    std::vector<HFONT> fonts;
    bool raisesEvents = false;  // false while the window is being built
    SIZE client{};              // the client size last reported
    HWND focus = nullptr;       // the control that had the focus when the window went inactive
    std::vector<int> disabledWindows;  // dialog mode: the windows it disabled
    bool rowsQueued = false;
};

struct System {
    std::map<int, Win32Window> windows;
    HFONT standardFont = nullptr;
    HWND lockedGrid = nullptr;  // the grid whose drawing is suspended
};

inline System& Sys() {
    static System system;
    return system;
}

inline HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

inline Win32Window* FindWindowState(int window) {
    auto it = Sys().windows.find(window);
    return it == Sys().windows.end() ? nullptr : &it->second;
}

inline Win32Control* FindControl(Control control) {
    Win32Window* window = FindWindowState(control.window);
    if (window == nullptr) {
        return nullptr;
    }
    auto it = window->controls.find(control.role);
    return it == window->controls.end() ? nullptr : &it->second;
}

inline HWND HandleOf(Control control) {
    if (control.role == kWindowRole) {
        const Win32Window* window = FindWindowState(control.window);
        return window ? window->hwnd : nullptr;
    }
    const Win32Control* found = FindControl(control);
    return found ? found->hwnd : nullptr;
}

// The report view's part (win32_grid.cpp).

// Makes a new list view a grid: full-row selection, grid lines, and a tip for
// each column title.
void SetUpGrid(HWND window, HWND listView, Grid& grid);
// Lets the list views of a window know of every row appended so far.
void ShowAllAppendedRows(Win32Window& window);
// Answers the list view's question for the text of a cell it draws.
void FillCellText(const Grid& grid, LVITEMA& item);

}  // namespace tk
