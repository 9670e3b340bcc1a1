// The report view of the Win32 backend: a list view in report view over the
// rows the program appended, which it asks for cell by cell as it draws.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "text/byte_text.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/win32_windows.h"

namespace tk {
namespace {

Grid* GridOf(Control control) {
    Win32Control* found = FindControl(control);
    return found ? found->grid.get() : nullptr;
}

// Lets the list view know of every row appended so far.
void ShowAppendedRows(const Win32Control& control) {
    Grid& grid = *control.grid;
    if (grid.shownRows != grid.rows.Count()) {
        grid.shownRows = grid.rows.Count();
        SendMessageA(control.hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(grid.shownRows),
                     LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        InvalidateRect(control.hwnd, nullptr, FALSE);
    }
}

// The column header shows the tip of the column under the pointer.
LRESULT CALLBACK HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR refData) {
    if (message == WM_MOUSEMOVE) {
        Grid& grid = *reinterpret_cast<Grid*>(refData);
        HDHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        SendMessageA(hwnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        const int column = (hit.flags & HHT_ONHEADER) ? hit.iItem : -1;
        if (column != grid.tipColumn && grid.tooltip != nullptr) {
            grid.tipColumn = column;
            std::string tip;
            if (column >= 0 && column < static_cast<int>(grid.tips.size())) {
                tip = grid.tips[static_cast<std::size_t>(column)];
            }
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.hwnd = GetParent(hwnd);
            tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
            tool.lpszText = tip.data();
            SendMessageA(grid.tooltip, TTM_POP, 0, 0);
            SendMessageA(grid.tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void SetUpGrid(HWND window, HWND listView, Grid& grid) {
    SendMessageA(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    grid.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, window,
                                   nullptr, Instance(), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = listView;
    tool.uId = reinterpret_cast<UINT_PTR>(header);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(grid.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(header, HeaderProc, 0, reinterpret_cast<DWORD_PTR>(&grid));
}

void ShowAllAppendedRows(Win32Window& window) {
    window.rowsQueued = false;
    for (auto& [role, control] : window.controls) {
        if (control.grid) {
            ShowAppendedRows(control);
        }
    }
}

// The list view asks for the text of a cell it is about to draw. The display
// ends at a zero byte and holds what fits in the list view's buffer, cut
// between characters; the cell's bytes stay as they are.
void FillCellText(const Grid& grid, LVITEMA& item) {
    if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const std::string_view cell = grid.rows.Cell(item.iItem, item.iSubItem);
    const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
    std::size_t length = 0;
    while (length < cell.size() && cell[length] != '\0') {
        const std::size_t next = length + CharLength(cell, length);
        if (next > room) {
            break;
        }
        length = next;
    }
    std::copy_n(cell.data(), length, item.pszText);
    item.pszText[length] = '\0';
}

void RemoveAllColumns(Control grid) {
    Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid) {
        return;
    }
    while (SendMessageA(found->hwnd, LVM_DELETECOLUMN, 0, 0)) {
    }
    found->grid->titles.clear();
    found->grid->tips.clear();
    found->grid->tipColumn = -1;
}

void RemoveAllRows(Control grid) {
    Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid) {
        return;
    }
    found->grid->rows.Clear();
    ShowAppendedRows(*found);
}

void AppendColumn(Control grid, const std::string& title, int width, const std::string& tip) {
    Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid) {
        return;
    }
    Grid& state = *found->grid;
    std::string shown = title;
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = shown.data();
    SendMessageA(found->hwnd, LVM_INSERTCOLUMNA, state.titles.size(),
                 reinterpret_cast<LPARAM>(&column));
    state.titles.push_back(title);
    state.tips.push_back(tip);
}

int ColumnCount(Control grid) {
    const Grid* state = GridOf(grid);
    return state ? static_cast<int>(state->titles.size()) : 0;
}

std::string ColumnTitle(Control grid, int column) {
    const Grid* state = GridOf(grid);
    if (state == nullptr || column < 0 || column >= static_cast<int>(state->titles.size())) {
        return {};
    }
    return state->titles[static_cast<std::size_t>(column)];
}

int ColumnWidth(Control grid, int column) {
    if (column < 0 || column >= ColumnCount(grid)) {
        return 0;
    }
    return static_cast<int>(
        SendMessageA(HandleOf(grid), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void AppendRow(Control grid, std::span<const std::string_view> cells) {
    Win32Window* window = FindWindowState(grid.window);
    Grid* state = GridOf(grid);
    if (state == nullptr) {
        return;
    }
    state->rows.Append(cells);
    // The list view learns of the new rows together, once the program is done.
    if (!window->rowsQueued) {
        window->rowsQueued = true;
        PostMessageA(window->hwnd, kShowAppendedRows, 0, 0);
    }
}

int RowCount(Control grid) {
    const Grid* state = GridOf(grid);
    return state ? state->rows.Count() : 0;
}

std::string CellText(Control grid, int row, int column) {
    const Grid* state = GridOf(grid);
    return state ? std::string(state->rows.Cell(row, column)) : std::string();
}

void SetCellText(Control grid, int row, int column, const std::string& text) {
    Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid || column >= ColumnCount(grid)) {
        return;
    }
    found->grid->rows.Set(row, column, text);
    if (row < found->grid->shownRows) {
        SendMessageA(found->hwnd, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
}

void ReadRow(Control grid, int row, std::vector<std::string_view>& cells) {
    const Grid* state = GridOf(grid);
    if (state == nullptr) {
        cells.clear();
        return;
    }
    state->rows.ReadRow(row, static_cast<int>(state->titles.size()), cells);
}

GridHit HitTest(Control grid, int x, int y) {
    const Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid) {
        return {kNowhere, -1, -1};
    }
    ShowAppendedRows(*found);
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    SendMessageA(found->hwnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    // On a row the system tells which part of it (icon, label, the rest); the
    // program needs only that it is on the row.
    if (hit.iItem < 0) {
        return {kNowhere, -1, hit.iSubItem};
    }
    return {(hit.flags & LVHT_ONITEM) ? kOnRow : static_cast<int>(hit.flags), hit.iItem,
            hit.iSubItem};
}

Point RowPosition(Control grid, int row) {
    const Win32Control* found = FindControl(grid);
    if (found == nullptr || !found->grid) {
        return {0, 0};
    }
    ShowAppendedRows(*found);
    POINT position{};
    SendMessageA(found->hwnd, LVM_GETITEMPOSITION, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&position));
    return {static_cast<int>(position.x), static_cast<int>(position.y)};
}

void SuspendDrawing(Control grid) {
    if (const HWND hwnd = HandleOf(grid); hwnd != nullptr && LockWindowUpdate(hwnd)) {
        Sys().lockedGrid = hwnd;
    }
}

void ResumeDrawing(Control grid) {
    if (HandleOf(grid) != nullptr) {
        LockWindowUpdate(nullptr);
        Sys().lockedGrid = nullptr;
    }
}

}  // namespace tk
