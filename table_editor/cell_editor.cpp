#include "table_editor/cell_editor.h"

#include "app/app_state.h"
#include "table_editor/table_window_layout.h"

namespace {

using namespace TableRole;

tk::Control Role(int role) {
    return TableControl(role);
}

}  // namespace

void BeginCellEdit(int x, int y) {
    HitInfo& hit = State().hitInfo;
    const tk::Control grid = Role(TableGrid);
    const tk::GridHit found = tk::HitTest(grid, x, y);
    hit = {x, y, found.flags, found.row, found.column};
    if (hit.item == -1) {
        return;
    }
    const tk::Point row = tk::RowPosition(grid, hit.item);
    const tk::Rect gridPlace = tk::Place(grid);
    int left = gridPlace.left + row.x;
    for (int c = 0; c < hit.subItem; ++c) {
        left += tk::ColumnWidth(grid, c);
    }
    const tk::Rect editor = tk::Place(Role(CellEditor));
    tk::SetPlace(Role(CellEditor), {left, gridPlace.top + row.y + 1,
                                    tk::ColumnWidth(grid, hit.subItem), editor.height});
    tk::SetText(Role(CellEditor), tk::CellText(grid, hit.item, hit.subItem));
    tk::SetShown(Role(CellEditor), true);
    tk::SuspendDrawing(grid);
    tk::GiveFocus(Role(CellEditor));
    tk::SelectAllText(Role(CellEditor));
}

void CommitCellEdit() {
    const HitInfo& hit = State().hitInfo;
    tk::SetCellText(Role(TableGrid), hit.item, hit.subItem, tk::Text(Role(CellEditor)));
    tk::SetShown(Role(CellEditor), false);
    tk::ResumeDrawing(Role(TableGrid));
}
