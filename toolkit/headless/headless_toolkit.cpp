// An in-memory window system with the same order of events as the real ones,
// so that behaviour tests run without a display.
#include <algorithm>
#include <map>
#include <optional>

#include "toolkit/event_order.h"
#include "toolkit/headless/headless.h"

namespace tk {
namespace {

struct ControlState {
    ControlLayout layout;
    Rect place;
    bool shown;
    bool enabled;
    std::string text;
    std::vector<std::string> items;
    int selection = -1;
    bool allSelected = false;
};

struct WindowState {
    WindowLayout layout;
    Rect place;
    std::string title;
    bool shown = false;
    std::vector<ControlState> controls;
};

struct System {
    std::map<int, WindowState> windows;
    std::optional<Control> focus;
    std::vector<headless::ShownMessage> messages;
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
    return state != nullptr && state->enabled && IsShown(control);
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

}  // namespace

void OpenWindow(const WindowLayout& layout) {
    WindowState window;
    window.layout = layout;
    window.title = layout.title;
    window.place = {(headless::kScreenWidth - layout.width) / 2,
                    (headless::kScreenHeight - layout.height) / 2, layout.width, layout.height};
    for (const ControlLayout& control : layout.controls) {
        ControlState state{
            control,       {control.left, control.top, control.width, control.height},
            control.shown, control.enabled,
            control.text,  {control.items.begin(), control.items.end()}};
        window.controls.push_back(std::move(state));
    }
    Sys().windows[layout.window] = std::move(window);
    Raise(layout.window, {EventKind::Created, kWindowRole});
    Raise(layout.window, {EventKind::SizeChanged, kWindowRole});
    if (WindowState* opened = FindWindow(layout.window)) {
        opened->shown = true;
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
    state->text += text;
}

void ReleaseKey(int code) {
    if (Sys().focus && IsEditBox(*Sys().focus)) {
        Raise(Sys().focus->window, {EventKind::KeyReleased, Sys().focus->role, code});
    }
}

void Close(int window) {
    DestroyWindow(window);
}

void Reset() {
    Sys() = System{};
}

}  // namespace headless
}  // namespace tk
