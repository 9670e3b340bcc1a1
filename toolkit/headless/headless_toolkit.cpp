// An in-memory window system with the same order of events as the real ones,
// so that behaviour tests run without a display.
#include <algorithm>
#include <deque>
#include <map>
#include <optional>

#include "platform/platform.h"
#include "text/byte_text.h"
#include "toolkit/event_order.h"
#include "toolkit/grid_rows.h"
#include "toolkit/headless/headless.h"

namespace tk {
namespace {

struct ControlState {
    ControlLayout layout{};
    Rect place{};
    bool shown = false;
    bool enabled = false;
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    bool allSelected = false;
    struct Column {
        std::string title;
        int width;
        std::string tip;
    };
    std::vector<Column> columns;
    GridRows rows;
    bool drawingSuspended = false;
};

struct WindowState {
    WindowLayout layout;
    Rect place;
    std::string title;
    bool shown = false;
    bool enabled = true;
    std::vector<ControlState> controls;
};

struct System {
    std::map<int, WindowState> windows;
    std::optional<Control> focus;
    std::vector<headless::ShownMessage> messages;
    std::vector<headless::ShownOpenDialog> openDialogs;
    std::deque<std::optional<std::string>> openDialogAnswers;
    std::deque<std::function<void()>> dialogScripts;
};

System& Sys() {
    static System system;
    return system;
}

WindowState* FindWindow(int window) {
    auto it = Sys().windows.find(window);
    return it == Sys().windows.end() ? nullptr : &it->second;
}

ControlState* FindControl(Control control) {
    WindowState* window = FindWindow(control.window);
    if (window == nullptr) {
        return nullptr;
    }
    for (ControlState& state : window->controls) {
        if (state.layout.role == control.role) {
            return &state;
        }
    }
    return nullptr;
}

void DestroyNow(int window);

void Raise(int window, const Event& event) {
    if (const WindowState* state = FindWindow(window)) {
        RunHandler(state->layout.handle, event, DestroyNow);
    }
}

void DestroyNow(int window) {
    if (FindWindow(window) == nullptr) {
        return;
    }
    Raise(window, {EventKind::WillBeDestroyed, kWindowRole});
    if (Sys().focus && Sys().focus->window == window) {
        Sys().focus.reset();
    }
    Sys().windows.erase(window);
}

bool IsEditBox(Control control) {
    const ControlState* state = FindControl(control);
    return state != nullptr && state->layout.kind == ControlKind::EditBox;
}

void MoveFocus(Control control) {
    System& sys = Sys();
    if (sys.focus && sys.focus->window == control.window && sys.focus->role == control.role) {
        return;
    }
    const std::optional<Control> previous = sys.focus;
    sys.focus = control;
    if (previous && IsEditBox(*previous)) {
        Raise(previous->window, {EventKind::LostFocus, previous->role});
    }
    if (IsEditBox(control)) {
        Raise(control.window, {EventKind::GotFocus, control.role});
    }
}

bool Usable(Control control) {
    const ControlState* state = FindControl(control);
    return state != nullptr && state->enabled && FindWindow(control.window)->enabled &&
           IsShown(control);
}

ControlState* FindGrid(Control grid) {
    ControlState* state = FindControl(grid);
    return state != nullptr && state->layout.kind == ControlKind::ReportView ? state : nullptr;
}

Rect CentredPlace(const WindowLayout& layout) {
    return {(headless::kScreenWidth - layout.width) / 2,
            (headless::kScreenHeight - layout.height) / 2, layout.width, layout.height};
}

void RunDialog(int window) {
    std::vector<int> disabled;
    for (auto& [number, state] : Sys().windows) {
        if (number != window && state.enabled) {
            state.enabled = false;
            disabled.push_back(number);
        }
    }
    OuterEvents outer = EnterNestedLoop();
    if (!Sys().dialogScripts.empty()) {
        const std::function<void()> script = std::move(Sys().dialogScripts.front());
        Sys().dialogScripts.pop_front();
        script();
    }
    DestroyNow(window);
    LeaveNestedLoop(std::move(outer));
    for (int number : disabled) {
        if (WindowState* state = FindWindow(number)) {
            state->enabled = true;
        }
    }
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

}  // namespace

void OpenWindow(const WindowLayout& layout, WindowMode mode) {
    WindowState window;
    window.layout = layout;
    window.title = layout.title;
    window.place = CentredPlace(layout);
    for (const ControlLayout& control : layout.controls) {
        ControlState state;
        state.layout = control;
        state.place = {control.left, control.top, control.width, control.height};
        state.shown = control.shown;
        state.enabled = control.enabled;
        state.text = control.text;
        state.items.assign(control.items.begin(), control.items.end());
        window.controls.push_back(std::move(state));
    }
    Sys().windows[layout.window] = std::move(window);
    Raise(layout.window, {EventKind::Created, kWindowRole});
    Raise(layout.window, {EventKind::SizeChanged, kWindowRole});
    if (WindowState* opened = FindWindow(layout.window)) {
        opened->shown = true;
        if (mode == WindowMode::Dialog) {
            RunDialog(layout.window);
        }
    }
}

void DestroyWindow(int window) {
    DestroyAfterEvents(window, DestroyNow);
}

void RunMessageLoop() {}

Rect Place(Control control) {
    if (control.role == kWindowRole) {
        const WindowState* window = FindWindow(control.window);
        return window ? window->place : Rect{};
    }
    const ControlState* state = FindControl(control);
    return state ? state->place : Rect{};
}

void SetPlace(Control control, Rect place) {
    place = {Clamp(place.left, -32627, 32627), Clamp(place.top, -32627, 32627),
             Clamp(place.width, 0, 32627), Clamp(place.height, 0, 32627)};
    if (control.role == kWindowRole) {
        if (WindowState* window = FindWindow(control.window)) {
            window->place = place;
        }
    } else if (ControlState* state = FindControl(control)) {
        state->place = place;
    }
}

bool IsShown(Control control) {
    const WindowState* window = FindWindow(control.window);
    if (window == nullptr || !window->shown) {
        return false;
    }
    for (int role = control.role; role != kWindowRole;) {
        const ControlState* state = FindControl({control.window, role});
        if (state == nullptr || !state->shown) {
            return false;
        }
        role = state->layout.parent;
    }
    return true;
}

void SetShown(Control control, bool shown) {
    if (ControlState* state = FindControl(control)) {
        state->shown = shown;
    }
}

bool IsEnabled(Control control) {
    if (control.role == kWindowRole) {
        return FindWindow(control.window) != nullptr;
    }
    const ControlState* state = FindControl(control);
    return state != nullptr && state->enabled;
}

void SetEnabled(Control control, bool enabled) {
    if (ControlState* state = FindControl(control)) {
        state->enabled = enabled;
    }
}

std::string Text(Control control) {
    if (control.role == kWindowRole) {
        const WindowState* window = FindWindow(control.window);
        return window ? window->title : std::string();
    }
    const ControlState* state = FindControl(control);
    return state ? state->text : std::string();
}

void SetText(Control control, const std::string& text) {
    if (control.role == kWindowRole) {
        if (WindowState* window = FindWindow(control.window)) {
            window->title = text;
        }
    } else if (ControlState* state = FindControl(control)) {
        state->text = text;
        state->allSelected = false;
    }
}

void GiveFocus(Control control) {
    if (FindControl(control) != nullptr) {
        MoveFocus(control);
    }
}

void SelectAllText(Control control) {
    if (ControlState* state = FindControl(control)) {
        state->allSelected = true;
    }
}

void AddItem(Control list, const std::string& text) {
    if (ControlState* state = FindControl(list)) {
        state->items.push_back(text);
    }
}

void DeleteItem(Control list, int index) {
    ControlState* state = FindControl(list);
    if (state == nullptr || index < 0 || index >= static_cast<int>(state->items.size())) {
        return;
    }
    state->items.erase(state->items.begin() + index);
    if (state->selection == index) {
        state->selection = -1;
    } else if (state->selection > index) {
        --state->selection;
    }
}

int ItemCount(Control list) {
    const ControlState* state = FindControl(list);
    return state ? static_cast<int>(state->items.size()) : 0;
}

std::string ItemText(Control list, int index) {
    const ControlState* state = FindControl(list);
    if (state == nullptr || index < 0 || index >= static_cast<int>(state->items.size())) {
        return {};
    }
    return state->items[static_cast<std::size_t>(index)];
}

int Selection(Control list) {
    const ControlState* state = FindControl(list);
    return state ? state->selection : -1;
}

void SetSelection(Control list, int index) {
    if (ControlState* state = FindControl(list)) {
        state->selection = Clamp(index, -1, static_cast<int>(state->items.size()) - 1);
    }
}

void RemoveAllColumns(Control grid) {
    if (ControlState* state = FindGrid(grid)) {
        state->columns.clear();
    }
}

void RemoveAllRows(Control grid) {
    if (ControlState* state = FindGrid(grid)) {
        state->rows.Clear();
    }
}

void AppendColumn(Control grid, const std::string& title, int width, const std::string& tip) {
    if (ControlState* state = FindGrid(grid)) {
        state->columns.push_back({title, width, tip});
    }
}

int ColumnCount(Control grid) {
    const ControlState* state = FindGrid(grid);
    return state ? static_cast<int>(state->columns.size()) : 0;
}

std::string ColumnTitle(Control grid, int column) {
    const ControlState* state = FindGrid(grid);
    if (state == nullptr || column < 0 || column >= static_cast<int>(state->columns.size())) {
        return {};
    }
    return state->columns[static_cast<std::size_t>(column)].title;
}

int ColumnWidth(Control grid, int column) {
    const ControlState* state = FindGrid(grid);
    if (state == nullptr || column < 0 || column >= static_cast<int>(state->columns.size())) {
        return 0;
    }
    return state->columns[static_cast<std::size_t>(column)].width;
}

void AppendRow(Control grid, std::span<const std::string_view> cells) {
    if (ControlState* state = FindGrid(grid)) {
        state->rows.Append(cells);
    }
}

int RowCount(Control grid) {
    const ControlState* state = FindGrid(grid);
    return state ? state->rows.Count() : 0;
}

std::string CellText(Control grid, int row, int column) {
    const ControlState* state = FindGrid(grid);
    return state ? std::string(state->rows.Cell(row, column)) : std::string();
}

void SetCellText(Control grid, int row, int column, const std::string& text) {
    ControlState* state = FindGrid(grid);
    if (state != nullptr && column < static_cast<int>(state->columns.size())) {
        state->rows.Set(row, column, text);
    }
}

void ReadRow(Control grid, int row, std::vector<std::string_view>& cells) {
    const ControlState* state = FindGrid(grid);
    if (state == nullptr) {
        cells.clear();
        return;
    }
    state->rows.ReadRow(row, static_cast<int>(state->columns.size()), cells);
}

GridHit HitTest(Control grid, int x, int y) {
    const ControlState* state = FindGrid(grid);
    if (state == nullptr || y < headless::kHeaderHeight || x < 0) {
        return {kNowhere, -1, -1};
    }
    const int row = (y - headless::kHeaderHeight) / headless::kRowHeight;
    int column = -1;
    for (int c = 0, left = 0; c < static_cast<int>(state->columns.size()); ++c) {
        left += state->columns[static_cast<std::size_t>(c)].width;
        if (x < left) {
            column = c;
            break;
        }
    }
    if (row >= state->rows.Count() || column < 0) {
        return {kNowhere, -1, column};
    }
    return {kOnRow, row, column};
}

Point RowPosition(Control grid, int row) {
    if (FindGrid(grid) == nullptr) {
        return {0, 0};
    }
    return {0, headless::kHeaderHeight + row * headless::kRowHeight};
}

void SuspendDrawing(Control grid) {
    if (ControlState* state = FindGrid(grid)) {
        state->drawingSuspended = true;
    }
}

void ResumeDrawing(Control grid) {
    if (ControlState* state = FindGrid(grid)) {
        state->drawingSuspended = false;
    }
}

bool RunOpenDialog(int window, const std::string& filter, const std::string& initialFolder,
                   std::string& path) {
    Sys().openDialogs.push_back({window, filter, initialFolder, path});
    std::optional<std::string> answer;
    if (!Sys().openDialogAnswers.empty()) {
        answer = std::move(Sys().openDialogAnswers.front());
        Sys().openDialogAnswers.pop_front();
    }
    // The dialog takes only a file that exists; the user then cancels.
    if (!answer || !platform::PathExists(*answer)) {
        return false;
    }
    path = *answer;
    const std::size_t separator = FindLastCharacter(path, '\\');
    platform::SetCurrentFolder(separator == 0 ? "\\" : path.substr(0, separator));
    return true;
}

void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) {
    Sys().messages.push_back({kind, caption, text});
}

namespace headless {

const std::vector<ShownMessage>& Messages() {
    return Sys().messages;
}

bool IsOpen(int window) {
    return FindWindow(window) != nullptr;
}

bool IsDrawingSuspended(Control grid) {
    const ControlState* state = FindGrid(grid);
    return state != nullptr && state->drawingSuspended;
}

bool IsAllTextSelected(Control edit) {
    const ControlState* state = FindControl(edit);
    return state != nullptr && state->allSelected;
}

std::optional<Control> FocusedControl() {
    return Sys().focus;
}

const std::vector<ShownOpenDialog>& OpenDialogs() {
    return Sys().openDialogs;
}

void AnswerOpenDialog(std::optional<std::string> path) {
    Sys().openDialogAnswers.push_back(std::move(path));
}

void WhenDialogOpens(std::function<void()> script) {
    Sys().dialogScripts.push_back(std::move(script));
}

void Click(Control button) {
    if (!Usable(button)) {
        return;
    }
    MoveFocus(button);
    Raise(button.window, {EventKind::Clicked, button.role});
}

void Pick(Control list, int index) {
    if (!Usable(list) || index < 0 || index >= ItemCount(list)) {
        return;
    }
    MoveFocus(list);
    FindControl(list)->selection = index;
    Raise(list.window, {EventKind::ItemSelected, list.role});
}

void Focus(Control control) {
    if (Usable(control)) {
        MoveFocus(control);
    }
}

void Type(const std::string& text) {
    if (!Sys().focus || !IsEditBox(*Sys().focus)) {
        return;
    }
    ControlState* state = FindControl(*Sys().focus);
    if (state->allSelected) {
        state->text.clear();
        state->allSelected = false;
    }
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        const char c = text[i];
        if ((state->layout.style & kFieldText) && (c == ';' || c == '\r' || c == '\n')) {
            continue;  // refused, as the real edit box refuses it
        }
        state->text.append(text, i, CharLength(text, i));
    }
}

void ReleaseKey(int code) {
    if (Sys().focus && IsEditBox(*Sys().focus)) {
        Raise(Sys().focus->window, {EventKind::KeyReleased, Sys().focus->role, code});
    }
}

void Close(int window) {
    const WindowState* state = FindWindow(window);
    if (state != nullptr && state->enabled) {
        DestroyWindow(window);
    }
}

void DoubleClick(Control grid, int x, int y) {
    if (!Usable(grid) || FindGrid(grid) == nullptr) {
        return;
    }
    MoveFocus(grid);
    Raise(grid.window, {EventKind::DoubleClicked, grid.role, 0, x, y});
}

void Maximise(int window) {
    if (WindowState* state = FindWindow(window)) {
        state->place = {0, 0, kScreenWidth, kScreenHeight};
        Raise(window, {EventKind::SizeChanged, kWindowRole});
    }
}

void Restore(int window) {
    if (WindowState* state = FindWindow(window)) {
        state->place = CentredPlace(state->layout);
        Raise(window, {EventKind::SizeChanged, kWindowRole});
    }
}

void Reset() {
    Sys() = System{};
}

}  // namespace headless
}  // namespace tk
