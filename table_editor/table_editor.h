// The table window's life: opening it for a table button, its captions,
// loading the table into the grid, the hint, and closing.
#pragma once

#include "app/app_state.h"

// Opens the table of mode for the current language (none for Custom) and the
// table window in dialog mode; returns once the window has closed.
void OpenTableEditor(TableMode mode);

// Fills TableGrid from the open table file, after letting the user choose a
// file when OpenButton is on screen.
void LoadTable();

void ShowHint();
