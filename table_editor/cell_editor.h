// Editing one cell of TableGrid in CellEditor, laid over the cell.
#pragma once

// Lays CellEditor over the cell at x, y of TableGrid's client area, if any.
void BeginCellEdit(int x, int y);

// Writes CellEditor's text into the cell being edited and hides it.
void CommitCellEdit();
