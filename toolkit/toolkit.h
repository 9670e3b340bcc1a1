// The window operations the program uses. A window is built from a table of its
// controls and hands every user event to the one handler its layout names.
// Each program links exactly one backend: headless (tests), Qt or Win32.
#pragma once

#include <span>
#include <string>

namespace tk {

enum class ControlKind { GroupBox, DropDownList, EditBox, PushButton, Label };

// Style flags of a control.
enum ControlStyle : unsigned {
    kPlain = 0,
    kCentredText = 1,  // edit box: text centred; label: centred and wrapped at words
};

// Role 0 names the window itself in every window's role enum.
constexpr int kWindowRole = 0;

struct ControlLayout {
    int role;
    const char* name;  // the role's name, also the control's object name
    ControlKind kind;
    int parent;  // the role of a group box, or kWindowRole
    int left, top, width, height;
    bool shown, enabled, tabStop;
    const char* text;
    unsigned style = kPlain;
    std::span<const char* const> items = {};  // fixed items of a drop-down list
};

enum FrameOption : unsigned {
    kMinimiseBox = 1,
    kMaximiseBox = 2,
    kAlwaysOnTop = 4,
};

enum class EventKind {
    Created,
    SizeChanged,
    WillBeDestroyed,
    ItemSelected,
    GotFocus,
    LostFocus,
    KeyReleased,
    Clicked,
};

struct Event {
    EventKind kind;
    int role;     // kWindowRole for the window's own events
    int key = 0;  // the key code of KeyReleased; 13 is Enter
};

struct WindowLayout {
    int window;  // the program's number for this window, unique among open windows
    const char* name;
    const char* title;
    int width, height;  // outer size, frame and title bar included
    unsigned frame;     // FrameOption flags; the frame is always fixed
    std::span<const ControlLayout> controls;
    void (*handle)(const Event& event);
};

struct Control {
    int window;
    int role;
};

struct Rect {
    int left, top, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Builds the window without raising events, raises Created and SizeChanged,
// then shows it, centred on the screen.
void OpenWindow(const WindowLayout& layout);
// Asked from inside an event, the window goes after that event returns, after
// raising WillBeDestroyed.
void DestroyWindow(int window);
// Runs until no window of the program is left.
void RunMessageLoop();

// Left and top in the parent's client area, outer width and height. For the
// window itself: its place on the screen and its outer size.
Rect Place(Control control);
void SetPlace(Control control, Rect place);
bool IsShown(Control control);  // on screen, the control and every window it lies in
void SetShown(Control control, bool shown);
bool IsEnabled(Control control);
void SetEnabled(Control control, bool enabled);
std::string Text(Control control);  // a caption, an edit box's text or a window's title
void SetText(Control control, const std::string& text);
void GiveFocus(Control control);
void SelectAllText(Control control);

// Drop-down lists. Setting the selection raises no event; -1 selects nothing.
void AddItem(Control list, const std::string& text);
void DeleteItem(Control list, int index);
int ItemCount(Control list);
std::string ItemText(Control list, int index);  // the empty text outside the list
int Selection(Control list);
void SetSelection(Control list, int index);

enum class MessageKind { Information, SystemModalInformation, Warning };

// A message box with one OK button and no owner; returns once dismissed.
void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text);

}  // namespace tk
