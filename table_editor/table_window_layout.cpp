#include "table_editor/table_window_layout.h"

namespace {

using enum tk::ControlKind;
using namespace TableRole;

// "宋体" in the program's code page.
constexpr const char* kSongFace = "\xCB\xCE\xCC\xE5";

// clang-format off
constexpr tk::ControlLayout kControls[] = {
    // role, name, kind, parent, left, top, width, height, shown, enabled, tab stop, text,
    // style, items, font
    {TableGrid, "TableGrid", ReportView, tk::kWindowRole, 8, 8, 736, 400, true, true, true, "",
     tk::kPlain, {}, {kSongFace, 14}},
    {CellEditor, "CellEditor", EditBox, tk::kWindowRole, 8, 8, 97, 22, false, true, true, "",
     tk::kFieldText | tk::kThinBorder, {}, {kSongFace, 16}},
    {TableSaveButton, "TableSaveButton", PushButton, tk::kWindowRole, 16, 420, 80, 32, true, false,
     true, ""},
    {HintButton, "HintButton", PushButton, tk::kWindowRole, 159, 420, 80, 32, true, true, true, ""},
    {OpenButton, "OpenButton", PushButton, tk::kWindowRole, 328, 421, 136, 32, true, true, true,
     ""},
};
// clang-format on

tk::Control Role(int role) {
    return TableControl(role);
}

void MoveTo(int role, int left, int top) {
    const tk::Rect place = tk::Place(Role(role));
    tk::SetPlace(Role(role), {left, top, place.width, place.height});
}

}  // namespace

tk::WindowLayout TableWindowLayout(void (*handle)(const tk::Event& event)) {
    const unsigned frame = tk::kMaximiseBox | tk::kAlwaysOnTop;
    return {kTableWindow, "TableEditorWindow", "", 756, 486, frame, kControls, handle};
}

void ArrangeTableWindow() {
    const tk::Rect window = tk::Place(Role(TableEditorWindow));
    tk::Rect grid = tk::Place(Role(TableGrid));
    grid.width = window.width - 15;
    grid.height = window.height - 100;
    tk::SetPlace(Role(TableGrid), grid);
    // The buttons' top follows the grid's height, not its bottom edge.
    MoveTo(OpenButton, grid.left + 20, grid.height + 20);
    MoveTo(TableSaveButton, grid.left + 220, grid.height + 20);
    MoveTo(HintButton, grid.left + 320, grid.height + 20);
}
