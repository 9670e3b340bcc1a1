// The Win32 backend itself: the windows and controls the system built from the
// layout tables, and the program driven through them with the system's own
// messages, as a user's mouse and keyboard send them.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "app/start_up.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "settings_window/settings_window_layout.h"
#include "table_editor/table_window_layout.h"
#include "tests/game_folder.h"
#include "toolkit/win32/win32.h"

namespace {

namespace fs = std::filesystem;

void Ignore(const tk::Event&) {}

HWND Handle(tk::Control control) {
    return tk::win32::Handle(control);
}

// Steps run one at a time from a timer, inside whatever message loop runs
// (the program's, a dialog's), as a user acts between messages. A step that
// returns false is tried again at the next tick.
class Script {
public:
    using Step = std::function<bool()>;

    explicit Script(std::vector<Step> steps) {
        steps_ = std::move(steps);
        next_ = 0;
        ticks_ = 0;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~Script() { KillTimer(nullptr, timer_); }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    static bool Done() { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (Done() || running_) {
            return;
        }
        if (++ticks_ > 500) {
            ADD_FAILURE() << "step " << next_ << " never came true";
            next_ = steps_.size();
            return;
        }
        // A step may run a loop of its own (a dialog) that ticks meanwhile.
        running_ = true;
        const std::size_t step = next_;
        if (steps_[step]()) {
            next_ = step + 1;
            ticks_ = 0;
        }
        running_ = false;
    }

    static inline std::vector<Step> steps_;
    static inline std::size_t next_ = 0;
    static inline int ticks_ = 0;
    static inline bool running_ = false;
    UINT_PTR timer_;
};

void ExpectPlacesOfLayout(const tk::WindowLayout& layout) {
    SCOPED_TRACE(layout.name);
    const tk::Rect window = tk::Place({layout.window, tk::kWindowRole});
    EXPECT_EQ(window, (tk::Rect{(GetSystemMetrics(SM_CXSCREEN) - layout.width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - layout.height) / 2, layout.width,
                                layout.height}));
    for (const tk::ControlLayout& control : layout.controls) {
        SCOPED_TRACE(control.name);
        const tk::Control role{layout.window, control.role};
        EXPECT_EQ(tk::Place(role),
                  (tk::Rect{control.left, control.top, control.width, control.height}));
        EXPECT_EQ(GetParent(Handle(role)), Handle({layout.window, control.parent}));
        EXPECT_EQ(tk::IsShown(role), control.shown);
        EXPECT_EQ(tk::IsEnabled(role), control.enabled);
    }
}

TEST(Win32Backend, WindowsAndControlsLieWhereTheirLayoutsSay) {
    struct Case {
        tk::WindowLayout layout;
        LONG_PTR styles;
        LONG_PTR absent;
        bool onTop;
    };
    const Case cases[] = {
        {SettingsWindowLayout(Ignore), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         WS_THICKFRAME | WS_MAXIMIZEBOX, false},
        {TableWindowLayout(Ignore), WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX,
         WS_THICKFRAME | WS_MINIMIZEBOX, true},
    };
    for (const Case& c : cases) {
        tk::OpenWindow(c.layout);
        const HWND window = Handle({c.layout.window, tk::kWindowRole});
        ASSERT_NE(window, nullptr);
        ExpectPlacesOfLayout(c.layout);
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        EXPECT_EQ(style & c.styles, c.styles);
        EXPECT_EQ(style & c.absent, 0);
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.onTop);
        tk::DestroyWindow(c.layout.window);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST(Win32Backend, TabMovesTheFocusInTheLayoutsOrderPastWhatCannotTakeIt) {
    using namespace SettingsRole;
    tk::OpenWindow(SettingsWindowLayout(Ignore));
    // ValueEdit and SaveButton start disabled, INI hidden.
    const int expected[] = {SettingList,    AboutButton,    RatingButton,
                            ResearchButton, TrainingButton, CustomButton,
                            PublishButton,  change,         SettingList};
    std::vector<HWND> handles;
    for (const int role : expected) {
        handles.push_back(Handle(SettingsControl(role)));
    }
    std::vector<HWND> focused;
    std::vector<Script::Step> steps;
    steps.push_back([&] {
        tk::GiveFocus(SettingsControl(SettingList));
        return true;
    });
    for (std::size_t i = 1; i < std::size(expected); ++i) {
        steps.push_back([&] {
            focused.push_back(GetFocus());
            PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
            return true;
        });
    }
    steps.push_back([&] {
        focused.push_back(GetFocus());
        PostMessageA(Handle(SettingsControl(tk::kWindowRole)), WM_CLOSE, 0, 0);
        return true;
    });
    Script script(std::move(steps));
    tk::RunMessageLoop();
    EXPECT_EQ(focused, handles);
}

TEST(Win32Backend, MessageBoxesHaveTheirFlagsAndNoOwner) {
    tk::win32::RecordMessageBoxes(true);
    tk::ShowMessage(tk::MessageKind::Information, "HELP", "a");
    tk::ShowMessage(tk::MessageKind::SystemModalInformation, "Info:", "b");
    tk::ShowMessage(tk::MessageKind::Warning, "HELP:", "c");
    const auto& boxes = tk::win32::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].flags, 64u | MB_TASKMODAL);
    EXPECT_EQ(boxes[1].flags, 4160u);
    EXPECT_EQ(boxes[2].flags, 48u | MB_TASKMODAL);
    EXPECT_EQ(boxes[2].caption, "HELP:");
    tk::win32::RecordMessageBoxes(false);

    // A real one, found on screen and answered.
    HWND shown = nullptr;
    HWND owner = reinterpret_cast<HWND>(1);
    Script script({[&] {
        shown = FindWindowA("#32770", "Info:");
        if (shown == nullptr) {
            return false;
        }
        owner = GetWindow(shown, GW_OWNER);
        PostMessageA(shown, WM_COMMAND, IDOK, 0);
        return true;
    }});
    tk::ShowMessage(tk::MessageKind::SystemModalInformation, "Info:", "\xD2\xD1\xB1\xA3\xB4\xE6");
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(owner, nullptr);
    EXPECT_TRUE(Script::Done());
}

TEST(Win32Backend, TheOpenDialogFilterTakesTheSystemsSeparators) {
    using namespace std::string_literals;
    const struct {
        std::string filter;
        std::string system;
    } cases[] = {
        {"Tables|*.txt", "Tables\0*.txt\0\0"s},
        {"Tables|*.txt|All|*.*||", "Tables\0*.txt\0All\0*.*\0\0"s},
        {"Tables|*.txt   ", "Tables\0*.txt\0\0"s},
        // The second byte of this two-byte character is "|": it stays.
        {"\x81||*.txt", "\x81|\0*.txt\0\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tk::win32::SystemFilter(c.filter), c.system) << c.filter;
    }
}

class ProgramOnWin32 : public testing::Test {
protected:
    void SetUp() override {
        UseNewInstanceMarker(folder.Root());
        tk::win32::RecordMessageBoxes(true);
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startMoney;5000\r\n");
        std::string genres = "name;gameplay;gameengine;start;\r\n";
        for (int row = 0; row < 40; ++row) {
            genres +=
                "Genre" + std::to_string(row) + ";" + std::to_string(row % 10) + ";5;1980;\r\n";
        }
        folder.Write("data/genres1.txt", genres);
    }
    void TearDown() override {
        tk::win32::RecordMessageBoxes(false);
        ResetState();
    }

    static HWND Main() { return Handle(SettingsControl(tk::kWindowRole)); }
    static HWND Table() { return Handle(TableControl(tk::kWindowRole)); }
    static HWND Grid() { return Handle(TableControl(TableRole::TableGrid)); }
    static HWND Editor() { return Handle(TableControl(TableRole::CellEditor)); }

    GameFolder folder;
};

TEST_F(ProgramOnWin32, ATableIsOpenedEditedInPlaceSavedAndClosed) {
    using namespace TableRole;
    RECT cell{};
    tk::GridHit hit{};
    Script script({
        [&] {
            EXPECT_TRUE(IsWindowVisible(Main()));
            PostMessageA(Handle(SettingsControl(SettingsRole::RatingButton)), BM_CLICK, 0, 0);
            return true;
        },
        // The table window opens in dialog mode, above the main window, which
        // takes no input meanwhile.
        [&] { return Table() != nullptr && IsWindowVisible(Table()); },
        [&] {
            EXPECT_FALSE(IsWindowEnabled(Main()));
            EXPECT_EQ(GetWindow(Table(), GW_OWNER), Main());
            EXPECT_EQ(tk::RowCount(TableControl(TableGrid)), 40);
            EXPECT_EQ(SendMessageA(Grid(), LVM_GETITEMCOUNT, 0, 0), 40);
            EXPECT_EQ(tk::ColumnCount(TableControl(TableGrid)), 4);
            const DWORD extended =
                static_cast<DWORD>(SendMessageA(Grid(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
            EXPECT_EQ(extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
                      static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
            EXPECT_EQ(GetWindowLongPtrA(Grid(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);

            // A double-click in the middle of row 3, column 2.
            cell.top = 2;
            cell.left = LVIR_BOUNDS;
            SendMessageA(Grid(), LVM_GETSUBITEMRECT, 3, reinterpret_cast<LPARAM>(&cell));
            const POINT point{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
            hit = tk::HitTest(TableControl(TableGrid), point.x, point.y);
            PostMessageA(Grid(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
            return true;
        },
        // The cell editor lies over the cell, holding its text, all selected.
        [&] { return IsWindowVisible(Editor()); },
        [&] {
            EXPECT_EQ(hit.flags, tk::kOnRow);
            EXPECT_EQ(hit.row, 3);
            EXPECT_EQ(hit.column, 2);
            EXPECT_EQ(State().hitInfo.item, 3);
            EXPECT_EQ(State().hitInfo.subItem, 2);
            const tk::Rect grid = tk::Place(TableControl(TableGrid));
            const tk::Point row = tk::RowPosition(TableControl(TableGrid), 3);
            POINT item{};
            SendMessageA(Grid(), LVM_GETITEMPOSITION, 3, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(row.x, item.x);
            EXPECT_EQ(row.y, item.y);
            // Placed from the row's position and the widths of the columns
            // before it, which puts it over the cell: the row's position is in
            // the grid's client area, the grid's place is its outer one.
            const tk::Rect editor = tk::Place(TableControl(CellEditor));
            EXPECT_EQ(editor.left, grid.left + row.x + tk::ColumnWidth(TableControl(TableGrid), 0) +
                                       tk::ColumnWidth(TableControl(TableGrid), 1));
            EXPECT_EQ(editor.top, grid.top + row.y + 1);
            MapWindowPoints(Grid(), Table(), reinterpret_cast<POINT*>(&cell), 2);
            EXPECT_LE(std::abs(editor.left - cell.left), 2);
            EXPECT_LE(std::abs(editor.top - cell.top), 3);
            EXPECT_EQ(editor.width, cell.right - cell.left);
            EXPECT_EQ(editor.height, 20);  // as the table window sets it
            EXPECT_EQ(GetFocus(), Editor());
            EXPECT_EQ(tk::Text(TableControl(CellEditor)), "5");
            const LRESULT selection = SendMessageA(Editor(), EM_GETSEL, 0, 0);
            EXPECT_EQ(LOWORD(selection), 0);
            EXPECT_EQ(HIWORD(selection), 1);
            // Typing over it; ";" is refused.
            for (const char c : std::string("4;2")) {
                PostMessageA(Editor(), WM_CHAR, static_cast<unsigned char>(c), 0);
            }
            PostMessageA(Editor(), WM_KEYDOWN, VK_RETURN, 0);
            PostMessageA(Editor(), WM_KEYUP, VK_RETURN, 0xC0000001);
            return true;
        },
        [&] { return !IsWindowVisible(Editor()); },
        [&] {
            EXPECT_EQ(tk::CellText(TableControl(TableGrid), 3, 2), "42");
            PostMessageA(Handle(TableControl(TableSaveButton)), BM_CLICK, 0, 0);
            return true;
        },
        [&] { return !tk::win32::RecordedMessageBoxes().empty(); },
        [&] {
            const auto& box = tk::win32::RecordedMessageBoxes().back();
            EXPECT_EQ(box.flags, 4160u);
            EXPECT_EQ(box.caption, "Info:");
            EXPECT_EQ(box.text, ReadLanguageText("4"));
            PostMessageA(Table(), WM_CLOSE, 0, 0);
            return true;
        },
        // The dialog's loop has returned: the main window takes input again.
        [&] { return Table() == nullptr; },
        [&] {
            EXPECT_TRUE(IsWindowEnabled(Main()));
            PostMessageA(Main(), WM_CLOSE, 0, 0);
            return true;
        },
    });
    EXPECT_EQ(RunProgram(folder.ProgramFile()), 0);
    EXPECT_TRUE(Script::Done());
    const std::string saved = folder.Read("data/genres1.txt");
    EXPECT_NE(saved.find("Genre3;3;42;1980;\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Genre4;4;5;1980;\r\n"), std::string::npos);
    EXPECT_FALSE(folder.Exists("data/nolt.ini"));
}

// The system's open dialog, answered by typing a file name into it.
TEST_F(ProgramOnWin32, AFileChosenInTheOpenDialogIsLoadedAndItsFolderIsCurrent) {
    using namespace TableRole;
    folder.Write("data/3/trainings.txt", "name;costs;\r\nCourse;100;\r\n");
    const std::string chosen = folder.ProgramFolder() + "\\data\\3\\trainings.txt";
    HWND dialog = nullptr;
    Script script({
        [&] {
            PostMessageA(Handle(SettingsControl(SettingsRole::CustomButton)), BM_CLICK, 0, 0);
            return true;
        },
        [&] { return Table() != nullptr && IsWindowVisible(Table()); },
        [&] {
            PostMessageA(Handle(TableControl(OpenButton)), BM_CLICK, 0, 0);
            return true;
        },
        [&] {
            dialog = FindWindowA("#32770", nullptr);
            return dialog != nullptr && IsWindowVisible(dialog);
        },
        [&] {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), Table());
            // The file name box of the dialog: a combo box or an edit box.
            for (const int box : {0x47C, 0x480}) {
                SetDlgItemTextA(dialog, box, chosen.c_str());
            }
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] { return tk::RowCount(TableControl(TableGrid)) == 1; },
        [&] {
            EXPECT_EQ(State().openedFileName, "trainings.txt");
            EXPECT_EQ(State().openedFolderName, "3");
            EXPECT_EQ(platform::CurrentFolder(), folder.ProgramFolder() + "\\data\\3");
            EXPECT_EQ(tk::CellText(TableControl(TableGrid), 0, 1), "100");
            // The window goes while the cell editor is open, its grid's drawing suspended.
            RECT cell{LVIR_BOUNDS, 1, 0, 0};
            SendMessageA(Grid(), LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
            PostMessageA(Grid(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                         MAKELPARAM(cell.left + 5, cell.top + 5));
            return true;
        },
        [&] { return IsWindowVisible(Editor()); },
        [&] {
            PostMessageA(Table(), WM_CLOSE, 0, 0);
            return true;
        },
        [&] { return Table() == nullptr; },
        [&] {
            // The suspension went with the grid: another window can take it.
            EXPECT_TRUE(LockWindowUpdate(Main()));
            LockWindowUpdate(nullptr);
            PostMessageA(Main(), WM_CLOSE, 0, 0);
            return true;
        },
    });
    EXPECT_EQ(RunProgram(folder.ProgramFile()), 0);
    EXPECT_TRUE(Script::Done());
}

}  // namespace
