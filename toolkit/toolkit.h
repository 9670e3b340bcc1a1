// The window operations the program uses. A window is built from a table of its
// controls and hands every user event to the one handler its layout names.
// Each program links exactly one backend: headless (tests), Qt or Win32.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

enum class ControlKind { GroupBox, DropDownList, EditBox, PushButton, Label, ReportView };

// Style flags of a control.
enum ControlStyle : unsigned {
    kPlain = 0,
    kCentredText = 1,  // edit box: text centred; label: centred and wrapped at words
    kFieldText = 2,    // edit box: refuses ";" and line breaks, which a table field cannot hold
    kThinBorder = 4,   // edit box: a one-pixel border instead of the sunken edge
};

// A control's own font; an empty face keeps the system's font.
struct Font {
    const char* face = "";
    int pixelHeight = 0;
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
    Font font = {};
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
    DoubleClicked,
};

struct Event {
    EventKind kind;
    int role;     // kWindowRole for the window's own events
    int key = 0;  // the key code of KeyReleased; 13 is Enter
    int x = 0;    // DoubleClicked: the point in the control's client area
    int y = 0;
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

enum class WindowMode {
    Normal,
    // Every other window takes no input while this one is open, and OpenWindow
    // returns only once it has closed.
    Dialog,
};

// Builds the window without raising events, raises Created and SizeChanged,
// then shows it, centred on the screen.
void OpenWindow(const WindowLayout& layout, WindowMode mode = WindowMode::Normal);
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

// Report views: columns with titles over rows of cells, all texts as bytes.
// Columns and rows are counted from 0; a cell outside a row reads as empty.
void RemoveAllColumns(Control grid);
void RemoveAllRows(Control grid);
// tip is shown when the pointer rests on the column's title.
void AppendColumn(Control grid, const std::string& title, int width, const std::string& tip);
int ColumnCount(Control grid);
std::string ColumnTitle(Control grid, int column);
int ColumnWidth(Control grid, int column);
// Adds a row at the bottom, its cells from the left.
void AppendRow(Control grid, std::span<const std::string_view> cells);
int RowCount(Control grid);
std::string CellText(Control grid, int row, int column);
void SetCellText(Control grid, int row, int column, const std::string& text);
// The texts of one row's cells in all columns, into cells. They stay valid
// until the grid next changes.
void ReadRow(Control grid, int row, std::vector<std::string_view>& cells);

struct GridHit {
    int flags;   // where the point lies on the row: kOnRow or kNowhere
    int row;     // -1 when the point hits no row
    int column;  // -1 when it hits no column
};
constexpr int kNowhere = 1;
constexpr int kOnRow = 14;
// x and y in the grid's client area, which the column header is part of.
GridHit HitTest(Control grid, int x, int y);
struct Point {
    int x, y;
};
// The top-left corner of a row in the grid's client area.
Point RowPosition(Control grid, int row);
// While suspended the grid does not draw itself on screen. One resume ends
// any suspension.
void SuspendDrawing(Control grid);
void ResumeDrawing(Control grid);

// The open-file dialog of a window. filter: pairs of description and pattern
// list, all separated by "|"; empty shows every file. path: the name the
// dialog starts with. When the user confirms a file that exists, path becomes
// its full path, its folder becomes the process's current folder, and the
// result is true.
bool RunOpenDialog(int window, const std::string& filter, const std::string& initialFolder,
                   std::string& path);

enum class MessageKind { Information, SystemModalInformation, Warning };

// A message box with one OK button and no owner; returns once dismissed.
void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text);

}  // namespace tk
