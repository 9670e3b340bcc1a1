// TableEditorWindow: its number, its controls' roles, its layout table and the
// rule that fits the grid and the buttons to the window's size.
#pragma once

#include "toolkit/toolkit.h"

constexpr int kTableWindow = 2;

namespace TableRole {
enum : int {
    TableEditorWindow = tk::kWindowRole,
    TableGrid,
    CellEditor,
    TableSaveButton,
    HintButton,
    OpenButton,
};
}  // namespace TableRole

inline tk::Control TableControl(int role) {
    return {kTableWindow, role};
}

// The window as it is created; handle receives every event of it.
tk::WindowLayout TableWindowLayout(void (*handle)(const tk::Event& event));

// Sizes TableGrid to the window and puts the buttons under it.
void ArrangeTableWindow();
