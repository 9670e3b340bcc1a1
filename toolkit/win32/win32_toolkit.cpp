// The toolkit on the Windows window system, through the ANSI functions and the
// common controls: texts reach the system exactly as the program holds them.
// Events reach the program only when they come from the user.
#include <windows.h>
// After windows.h, which these need.
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "toolkit/event_order.h"
#include "toolkit/toolkit.h"
#include "toolkit/win32/win32.h"
#include "toolkit/win32/win32_windows.h"

namespace tk {
namespace {

constexpr char kWindowClass[] = "BraskToolsWindow";
// The closed field and its open list take at least this many pixels together.
constexpr int kDropDownTotalHeight = 160;
// The icon in the program's resources.
constexpr int kIconResource = 1;

// The program's number of the top-level window that holds hwnd, 0 for none.
int WindowNumberOf(HWND hwnd) {
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    for (const auto& [number, window] : Sys().windows) {
        if (window.hwnd == root) {
            return number;
        }
    }
    return 0;
}

void DestroyNow(int window);

void Raise(int window, const Event& event) {
    const Win32Window* state = FindWindowState(window);
    if (state != nullptr && state->raisesEvents) {
        RunHandler(state->layout.handle, event, DestroyNow);
    }
}

void RaiseFromControl(HWND hwnd, EventKind kind, int key = 0) {
    Raise(WindowNumberOf(hwnd), {kind, GetDlgCtrlID(hwnd) - kFirstControlId, key});
}

LRESULT OnNotify(Win32Window& window, const NMHDR& header) {
    const int role = static_cast<int>(header.idFrom) - kFirstControlId;
    auto it = window.controls.find(role);
    if (it == window.controls.end() || !it->second.grid || it->second.hwnd != header.hwndFrom) {
        return 0;
    }
    if (header.code == LVN_GETDISPINFOA) {
        FillCellText(*it->second.grid,
                     reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header))->item);
    } else if (header.code == NM_DBLCLK) {
        // Anywhere in the rows' area, on a row or not; the point is in the
        // list view's client area.
        const POINT point = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
        Raise(window.layout.window, {EventKind::DoubleClicked, role, 0, static_cast<int>(point.x),
                                     static_cast<int>(point.y)});
    }
    return 0;
}

void OnCommand(Win32Window& window, WPARAM wParam, LPARAM lParam) {
    const int role = LOWORD(wParam) - kFirstControlId;
    auto it = window.controls.find(role);
    if (it == window.controls.end() || it->second.hwnd != reinterpret_cast<HWND>(lParam)) {
        return;
    }
    const int number = window.layout.window;
    switch (it->second.layout.kind) {
        case ControlKind::PushButton:
            if (HIWORD(wParam) == BN_CLICKED) {
                Raise(number, {EventKind::Clicked, role});
            }
            break;
        case ControlKind::DropDownList:
            // Sent for the user's choice only; CB_SETCURSEL sends nothing.
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                Raise(number, {EventKind::ItemSelected, role});
            }
            break;
        case ControlKind::EditBox:
            if (HIWORD(wParam) == EN_SETFOCUS) {
                Raise(number, {EventKind::GotFocus, role});
            } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                Raise(number, {EventKind::LostFocus, role});
            }
            break;
        default:
            break;
    }
}

// The control the Tab key moves the focus to: the next one in the layout's
// order that takes the focus, is on screen and enabled; from nothing, the first.
HWND NextTabStop(const Win32Window& window, HWND from, bool backwards) {
    std::vector<HWND> stops;
    for (const ControlLayout& layout : window.layout.controls) {
        const HWND hwnd = window.controls.at(layout.role).hwnd;
        if (layout.tabStop && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            stops.push_back(hwnd);
        }
    }
    if (stops.empty()) {
        return nullptr;
    }
    // A drop-down list's own parts count as the list.
    while (from != nullptr && GetParent(from) != window.hwnd &&
           std::find(stops.begin(), stops.end(), from) == stops.end()) {
        from = GetParent(from);
    }
    const auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end()) {
        return backwards ? stops.back() : stops.front();
    }
    const std::size_t index = static_cast<std::size_t>(at - stops.begin());
    const std::size_t count = stops.size();
    return stops[(index + (backwards ? count - 1 : 1)) % count];
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int number = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    Win32Window* window = number != 0 ? FindWindowState(number) : nullptr;
    if (window == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(*window, wParam, lParam);
            return 0;
        case WM_NOTIFY:
            return OnNotify(*window, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_SIZE: {
            const SIZE client{LOWORD(lParam), HIWORD(lParam)};
            if (wParam != SIZE_MINIMIZED &&
                (client.cx != window->client.cx || client.cy != window->client.cy)) {
                window->client = client;
                Raise(number, {EventKind::SizeChanged, kWindowRole});
            }
            return 0;
        }
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the window and comes back
            // with it, to the first control that takes it the first time.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                window->focus = focus != nullptr && IsChild(hwnd, focus) ? focus : nullptr;
            } else if (!HIWORD(wParam)) {
                HWND focus = window->focus;
                if (focus == nullptr || !IsWindow(focus)) {
                    focus = NextTabStop(*window, nullptr, false);
                }
                if (focus != nullptr) {
                    SetFocus(focus);
                }
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow(number);
            return 0;
        case kShowAppendedRows:
            ShowAllAppendedRows(*window);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// A group box holds its controls, which so lie from its top-left corner; what
// they report goes on to the window. Being a parent, it paints the window's
// background under them.
LRESULT CALLBACK GroupBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return TRUE;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
        default:
            return DefSubclassProc(hwnd, message, wParam, lParam);
    }
}

// Pastes the clipboard's text without ";" and line breaks. They are bytes
// below 0x40, which no second byte of a two-byte character is, so they are
// found byte by byte.
void PasteFieldText(HWND edit) {
    if (!OpenClipboard(edit)) {
        return;
    }
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    const std::size_t length = text.size();
    std::erase_if(text, [](char c) { return c == ';' || c == '\r' || c == '\n'; });
    if (text.size() != length) {
        MessageBeep(MB_OK);
    }
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Edit boxes: Enter is a key for the program, never text; a field refuses ";".
// refData holds the layout's style flags.
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR style) {
    const bool field = style & kFieldText;
    switch (message) {
        case WM_CHAR:
            if (wParam == '\r' || wParam == '\n') {
                return 0;
            }
            if (field && wParam == ';') {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_PASTE:
            if (field) {
                PasteFieldText(hwnd);
                return 0;
            }
            break;
        case WM_KEYUP: {
            const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
            RaiseFromControl(hwnd, EventKind::KeyReleased, static_cast<int>(wParam));
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void EnsureWindowClass() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(kIconResource));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExA(&windowClass);
    // Controls take the font of message boxes, not the bold system font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    Sys().standardFont = CreateFontIndirectA(&metrics.lfMessageFont);
}

HFONT MakeFont(const Font& font) {
    return CreateFontA(-font.pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.face);
}

// A drop-down list opens as a list of several items below the field, the
// field and the list together taking kDropDownTotalHeight, rather than the
// thirty items the common controls show by default.
void SetListHeight(HWND list, int fieldHeight) {
    const LRESULT item = SendMessageA(list, CB_GETITEMHEIGHT, 0, 0);
    if (item > 0) {
        SendMessageA(
            list, CB_SETMINVISIBLE,
            static_cast<WPARAM>(std::max<LRESULT>(1, (kDropDownTotalHeight - fieldHeight) / item)),
            0);
    }
}

// A drop-down list's closed field takes the layout's height: the system sizes
// the field from the item height of the field, which so is set and measured
// until the field comes out right (what the system reports back as that item
// height is not always what was set).
void SetFieldHeight(HWND list, int height) {
    LRESULT item = SendMessageA(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3 && item > 0; ++attempt) {
        SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
        RECT field;
        GetWindowRect(list, &field);
        const int difference = height - (field.bottom - field.top);
        if (difference == 0) {
            return;
        }
        item += difference;
    }
}

HWND MakeControl(const Win32Window& window, const ControlLayout& layout, HWND parent, Grid* grid) {
    DWORD style = WS_CHILD | (layout.shown ? WS_VISIBLE : 0) | (layout.tabStop ? WS_TABSTOP : 0) |
                  (layout.enabled ? 0 : WS_DISABLED);
    DWORD extended = 0;
    const char* windowClass = "";
    int height = layout.height;
    switch (layout.kind) {
        case ControlKind::GroupBox:
            windowClass = "BUTTON";
            style |= BS_GROUPBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
            extended |= WS_EX_CONTROLPARENT;
            break;
        case ControlKind::DropDownList:
            windowClass = "COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_CLIPSIBLINGS;
            height = std::max(layout.height, kDropDownTotalHeight);
            break;
        case ControlKind::EditBox:
            windowClass = "EDIT";
            style |=
                ES_AUTOHSCROLL | WS_CLIPSIBLINGS | ((layout.style & kCentredText) ? ES_CENTER : 0);
            if (layout.style & kThinBorder) {
                style |= WS_BORDER;
            } else {
                extended |= WS_EX_CLIENTEDGE;
            }
            break;
        case ControlKind::PushButton:
            windowClass = "BUTTON";
            style |= BS_PUSHBUTTON | WS_CLIPSIBLINGS;
            break;
        case ControlKind::Label:
            windowClass = "STATIC";
            style |= SS_NOPREFIX | WS_CLIPSIBLINGS |
                     ((layout.style & kCentredText) ? SS_CENTER : SS_LEFT);
            break;
        case ControlKind::ReportView:
            windowClass = WC_LISTVIEWA;
            style |=
                LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_NOSORTHEADER | WS_CLIPSIBLINGS;
            extended |= WS_EX_CLIENTEDGE;
            break;
    }
    const HWND hwnd = CreateWindowExA(
        extended, windowClass, layout.kind == ControlKind::ReportView ? "" : layout.text, style,
        layout.left, layout.top, layout.width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + layout.role)), Instance(),
        nullptr);
    switch (layout.kind) {
        case ControlKind::GroupBox:
            SetWindowSubclass(hwnd, GroupBoxProc, 0, 0);
            break;
        case ControlKind::EditBox:
            SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit on the text
            SetWindowSubclass(hwnd, EditProc, 0, layout.style);
            break;
        case ControlKind::ReportView:
            SetUpGrid(window.hwnd, hwnd, *grid);
            break;
        default:
            break;
    }
    return hwnd;
}

// A control that lies over an earlier one of the same parent (the cell editor
// over the grid, a button over a group box it does not belong to) stays above it.
void StackOverlappingControls(Win32Window& window) {
    std::vector<const Win32Control*> earlier;
    for (const ControlLayout& layout : window.layout.controls) {
        const Win32Control& control = window.controls.at(layout.role);
        const RECT mine{layout.left, layout.top, layout.left + layout.width,
                        layout.top + layout.height};
        for (const Win32Control* other : earlier) {
            const ControlLayout& below = other->layout;
            const RECT theirs{below.left, below.top, below.left + below.width,
                              below.top + below.height};
            RECT common;
            if (below.parent == layout.parent && IntersectRect(&common, &mine, &theirs)) {
                SetWindowPos(control.hwnd, HWND_TOP, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
                break;
            }
        }
        earlier.push_back(&control);
    }
}

void DestroyNow(int window) {
    if (FindWindowState(window) == nullptr) {
        return;
    }
    Raise(window, {EventKind::WillBeDestroyed, kWindowRole});
    auto it = Sys().windows.find(window);
    if (it != Sys().windows.end()) {
        // Forgotten first: a window that is going raises no more events, not
        // even the focus loss its going causes.
        Win32Window going = std::move(it->second);
        Sys().windows.erase(it);
        // The windows a dialog disabled come back before it goes, so that the
        // system hands the activation back to them.
        for (int disabled : going.disabledWindows) {
            if (const Win32Window* other = FindWindowState(disabled)) {
                EnableWindow(other->hwnd, TRUE);
            }
        }
        // A suspension does not outlive its grid.
        if (Sys().lockedGrid != nullptr && IsChild(going.hwnd, Sys().lockedGrid)) {
            LockWindowUpdate(nullptr);
            Sys().lockedGrid = nullptr;
        }
        ::DestroyWindow(going.hwnd);
        for (const HFONT font : going.fonts) {
            DeleteObject(font);
        }
    }
    if (Sys().windows.empty()) {
        // Wakes the message loop, which then finds no window left. A quit
        // message would also end loops that later tests or boxes run.
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
}

// The keys of a dialog: Tab moves the focus in the layout's order (the order
// of tab stops, which the stacking of controls need not follow), Enter clicks
// the push button that has the focus.
bool DialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.hwnd == nullptr) {
        return false;
    }
    Win32Window* window = FindWindowState(WindowNumberOf(message.hwnd));
    if (window == nullptr) {
        return false;
    }
    if (message.wParam == VK_TAB) {
        const bool backwards = GetKeyState(VK_SHIFT) < 0;
        if (const HWND next = NextTabStop(*window, GetFocus(), backwards)) {
            SetFocus(next);
            char name[16] = "";
            GetClassNameA(next, name, sizeof name);
            if (lstrcmpiA(name, "Edit") == 0) {
                SendMessageA(next, EM_SETSEL, 0, -1);
            }
        }
        return true;
    }
    if (message.wParam == VK_RETURN) {
        char name[16] = "";
        GetClassNameA(message.hwnd, name, sizeof name);
        const LONG_PTR style = GetWindowLongPtrA(message.hwnd, GWL_STYLE);
        if (lstrcmpiA(name, "Button") == 0 && (style & BS_TYPEMASK) == BS_PUSHBUTTON) {
            SendMessageA(message.hwnd, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

void Dispatch(MSG& message) {
    if (DialogKey(message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

int Clamp(int value, int low, int high) {
    return std::max(low, std::min(high, value));
}

}  // namespace

namespace win32 {

HWND Handle(Control control) {
    return HandleOf(control);
}

}  // namespace win32

void OpenWindow(const WindowLayout& layout, WindowMode mode) {
    EnsureWindowClass();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (layout.frame & kMinimiseBox) {
        style |= WS_MINIMIZEBOX;
    }
    if (layout.frame & kMaximiseBox) {
        style |= WS_MAXIMIZEBOX;
    }
    const DWORD extended =
        WS_EX_CONTROLPARENT | ((layout.frame & kAlwaysOnTop) ? WS_EX_TOPMOST : 0);
    // A dialog belongs to the window that was active: it stays above it and
    // has no task-bar button of its own.
    const HWND owner = mode == WindowMode::Dialog ? GetActiveWindow() : nullptr;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - layout.width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - layout.height) / 2;

    Win32Window& window = Sys().windows[layout.window];
    window = Win32Window{};
    window.layout = layout;
    window.hwnd = CreateWindowExA(extended, kWindowClass, layout.title, style, left, top,
                                  layout.width, layout.height, owner, nullptr, Instance(), nullptr);
    SetWindowLongPtrA(window.hwnd, GWLP_USERDATA, layout.window);
    for (const ControlLayout& control : layout.controls) {
        Win32Control made{control, nullptr, control.text, {}, nullptr};
        if (control.kind == ControlKind::ReportView) {
            made.grid = std::make_unique<Grid>();
        }
        const HWND parent =
            control.parent == kWindowRole ? window.hwnd : window.controls.at(control.parent).hwnd;
        made.hwnd = MakeControl(window, control, parent, made.grid.get());
        HFONT font = Sys().standardFont;
        if (control.font.face[0] != '\0' || control.font.pixelHeight > 0) {
            font = MakeFont(control.font);
            window.fonts.push_back(font);
        }
        SendMessageA(made.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == ControlKind::DropDownList) {
            SetFieldHeight(made.hwnd, control.height);
            SetListHeight(made.hwnd, control.height);
            for (const char* item : control.items) {
                SendMessageA(made.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
                made.items.emplace_back(item);
            }
        }
        window.controls.emplace(control.role, std::move(made));
    }
    StackOverlappingControls(window);
    RECT client;
    GetClientRect(window.hwnd, &client);
    window.client = {client.right, client.bottom};

    const int number = layout.window;
    window.raisesEvents = true;
    Raise(number, {EventKind::Created, kWindowRole});
    Raise(number, {EventKind::SizeChanged, kWindowRole});
    Win32Window* opened = FindWindowState(number);
    if (opened == nullptr) {
        return;
    }
    ShowAllAppendedRows(*opened);
    if (mode == WindowMode::Dialog) {
        for (auto& [other, state] : Sys().windows) {
            if (other != number && IsWindowEnabled(state.hwnd)) {
                EnableWindow(state.hwnd, FALSE);
                opened->disabledWindows.push_back(other);
            }
        }
    }
    ShowWindow(opened->hwnd, SW_SHOWNORMAL);
    UpdateWindow(opened->hwnd);
    if (mode == WindowMode::Normal) {
        return;
    }
    // The dialog's own loop: it ends when the window is gone.
    OuterEvents outer = EnterNestedLoop();
    MSG message;
    while (FindWindowState(number) != nullptr) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            }
            break;
        }
        Dispatch(message);
    }
    LeaveNestedLoop(std::move(outer));
}

void DestroyWindow(int window) {
    DestroyAfterEvents(window, DestroyNow);
}

void RunMessageLoop() {
    MSG message;
    while (!Sys().windows.empty() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
}

Rect Place(Control control) {
    const HWND hwnd = HandleOf(control);
    if (hwnd == nullptr) {
        return {};
    }
    RECT place;
    GetWindowRect(hwnd, &place);
    if (control.role != kWindowRole) {
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
    }
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

void SetPlace(Control control, Rect place) {
    const HWND hwnd = HandleOf(control);
    if (hwnd == nullptr) {
        return;
    }
    const int width = Clamp(place.width, 0, 32627);
    const int height = Clamp(place.height, 0, 32627);
    const Win32Control* found = control.role == kWindowRole ? nullptr : FindControl(control);
    const bool list = found != nullptr && found->layout.kind == ControlKind::DropDownList;
    MoveWindow(hwnd, Clamp(place.left, -32627, 32627), Clamp(place.top, -32627, 32627), width,
               list ? std::max(height, kDropDownTotalHeight) : height, TRUE);
    if (list) {
        SetFieldHeight(hwnd, height);
    }
    if (found != nullptr && found->grid) {
        // The column header is a window of the list view's own, which the
        // list view's repaint leaves out.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

bool IsShown(Control control) {
    const HWND hwnd = HandleOf(control);
    return hwnd != nullptr && IsWindowVisible(hwnd);
}

void SetShown(Control control, bool shown) {
    if (const HWND hwnd = HandleOf(control)) {
        ShowWindow(hwnd, shown ? SW_SHOWNA : SW_HIDE);
    }
}

bool IsEnabled(Control control) {
    const HWND hwnd = HandleOf(control);
    return hwnd != nullptr && IsWindowEnabled(hwnd);
}

void SetEnabled(Control control, bool enabled) {
    if (const HWND hwnd = HandleOf(control)) {
        EnableWindow(hwnd, enabled);
    }
}

std::string Text(Control control) {
    const HWND hwnd = HandleOf(control);
    if (hwnd == nullptr) {
        return {};
    }
    // An edit box the user has not changed hands back the program's bytes:
    // the system's round trip through its own characters could alter them.
    const Win32Control* found = control.role == kWindowRole ? nullptr : FindControl(control);
    if (found != nullptr && found->layout.kind == ControlKind::EditBox &&
        !SendMessageA(hwnd, EM_GETMODIFY, 0, 0)) {
        return found->bytes;
    }
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetText(Control control, const std::string& text) {
    const HWND hwnd = HandleOf(control);
    if (hwnd == nullptr) {
        return;
    }
    SetWindowTextA(hwnd, text.c_str());
    Win32Control* found = control.role == kWindowRole ? nullptr : FindControl(control);
    if (found != nullptr && found->layout.kind == ControlKind::EditBox) {
        found->bytes = text;
        SendMessageA(hwnd, EM_SETMODIFY, FALSE, 0);
    }
}

void GiveFocus(Control control) {
    if (const HWND hwnd = HandleOf(control)) {
        SetFocus(hwnd);
    }
}

void SelectAllText(Control control) {
    const Win32Control* found = FindControl(control);
    if (found != nullptr && found->layout.kind == ControlKind::EditBox) {
        SendMessageA(found->hwnd, EM_SETSEL, 0, -1);
    }
}

void AddItem(Control list, const std::string& text) {
    Win32Control* found = FindControl(list);
    if (found != nullptr && found->layout.kind == ControlKind::DropDownList) {
        SendMessageA(found->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        found->items.push_back(text);
    }
}

void DeleteItem(Control list, int index) {
    Win32Control* found = FindControl(list);
    if (found == nullptr || found->layout.kind != ControlKind::DropDownList || index < 0 ||
        index >= static_cast<int>(found->items.size())) {
        return;
    }
    const int selected = Selection(list);
    SendMessageA(found->hwnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    found->items.erase(found->items.begin() + index);
    if (selected == index) {
        SendMessageA(found->hwnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

int ItemCount(Control list) {
    const Win32Control* found = FindControl(list);
    return found ? static_cast<int>(found->items.size()) : 0;
}

std::string ItemText(Control list, int index) {
    const Win32Control* found = FindControl(list);
    if (found == nullptr || index < 0 || index >= static_cast<int>(found->items.size())) {
        return {};
    }
    return found->items[static_cast<std::size_t>(index)];
}

int Selection(Control list) {
    const Win32Control* found = FindControl(list);
    if (found == nullptr || found->layout.kind != ControlKind::DropDownList) {
        return -1;
    }
    return static_cast<int>(SendMessageA(found->hwnd, CB_GETCURSEL, 0, 0));
}

void SetSelection(Control list, int index) {
    const Win32Control* found = FindControl(list);
    if (found != nullptr && found->layout.kind == ControlKind::DropDownList) {
        const int selection = Clamp(index, -1, static_cast<int>(found->items.size()) - 1);
        SendMessageA(found->hwnd, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
    }
}

}  // namespace tk
