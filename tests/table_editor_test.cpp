// The table window as a user drives it: open a table from a button, read it,
// double-click a cell, type, Enter, save, choose another file, close.
#include <filesystem>
#include <functional>

#include "backup/daily_backup.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "table_editor/column_keys.h"
#include "table_editor/table_file.h"
#include "table_editor/table_window_layout.h"
#include "tests/app_fixture.h"

namespace {

namespace fs = std::filesystem;
namespace headless = tk::headless;

using namespace TableRole;
using SettingsRole::change;
using SettingsRole::CustomButton;
using SettingsRole::RatingButton;
using SettingsRole::ResearchButton;
using SettingsRole::TrainingButton;

tk::Control T(int role) {
    return TableControl(role);
}

std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (int c = 0; c < tk::ColumnCount(T(TableGrid)); ++c) {
        titles.push_back(tk::ColumnTitle(T(TableGrid), c));
    }
    return titles;
}

std::vector<std::vector<std::string>> Cells() {
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < tk::RowCount(T(TableGrid)); ++r) {
        std::vector<std::string_view> row;
        tk::ReadRow(T(TableGrid), r, row);
        rows.emplace_back(row.begin(), row.end());
    }
    return rows;
}

// The middle of a cell in the grid's client area.
tk::Point CellPoint(int row, int column) {
    int x = 0;
    for (int c = 0; c < column; ++c) {
        x += tk::ColumnWidth(T(TableGrid), c);
    }
    return {x + 5, headless::kHeaderHeight + row * headless::kRowHeight + 5};
}

class TableEditor : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startMoney;5000\r\n");
        folder.Write("data/genres1.txt", "name;gameplay;start;\r\nAction;9;1976;\r\n");
        Start();
    }

    // Presses a table button of the main window and does what is given while
    // the table window is open; the window is closed after it.
    void InTable(int button, std::function<void()> actions) {
        headless::WhenDialogOpens(std::move(actions));
        headless::Click(Role(button));
        EXPECT_FALSE(headless::IsOpen(kTableWindow));
    }

    // Double-clicks a cell, types over its text and presses Enter.
    static void EditCell(int row, int column, const std::string& text) {
        const tk::Point point = CellPoint(row, column);
        headless::DoubleClick(T(TableGrid), point.x, point.y);
        headless::Type(text);
        headless::ReleaseKey(13);
    }

    std::size_t MessageCount() const { return Messages().size(); }
};

TEST_F(TableEditor, EachButtonOpensItsTableForTheLanguage) {
    struct Case {
        int languageItem;
        int button;
        const char* file;
        const char* titleKey;
    };
    const Case cases[] = {
        {0, RatingButton, "data/genres1.txt", "8"},
        {1, RatingButton, "data/genres1_en.txt", "8"},
        {2, RatingButton, "data/genres1_en.txt", "8"},
        {0, ResearchButton, "data/research.txt", "13"},
        {1, ResearchButton, "data/research.txt", "13"},
        {2, ResearchButton, "data/research.txt", "13"},
        {0, TrainingButton, "data/4/trainings.txt", "15"},
        {1, TrainingButton, "data/3/trainings.txt", "15"},
        {2, TrainingButton, "data/1/trainings.txt", "15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in language " + std::to_string(c.languageItem));
        folder.Write(c.file, std::string("name;\r\n") + c.file + ";\r\n");
        headless::Pick(Role(change), c.languageItem);
        InTable(c.button, [&] {
            EXPECT_EQ(tk::Text(T(TableEditorWindow)), ReadLanguageText(c.titleKey));
            EXPECT_EQ(Titles(), std::vector<std::string>{ReadLanguageText("name", "name")});
            EXPECT_EQ(tk::CellText(T(TableGrid), 0, 0), c.file);
            EXPECT_FALSE(tk::IsShown(T(OpenButton)));
            EXPECT_TRUE(tk::IsEnabled(T(TableSaveButton)));
            EXPECT_EQ(tk::Text(T(TableSaveButton)), ReadLanguageText("5"));
            EXPECT_EQ(tk::Text(T(HintButton)), ReadLanguageText("10"));
            // The main window takes no input meanwhile.
            headless::Pick(Role(change), (c.languageItem + 1) % 3);
            EXPECT_EQ(tk::Selection(Role(change)), c.languageItem);
            headless::Close(kSettingsWindow);
            EXPECT_TRUE(headless::IsOpen(kSettingsWindow));
        });
        EXPECT_EQ(State().tableFile, 0);
        EXPECT_EQ(State().tableMode, TableMode::Custom);
        EXPECT_TRUE(State().fields.empty());
    }
    // The main window takes input again.
    headless::Pick(Role(change), 2);
    EXPECT_EQ(tk::Selection(Role(change)), 2);
}

TEST_F(TableEditor, WithoutATableFileTheOpenButtonStays) {
    for (int button : {CustomButton, ResearchButton}) {  // research.txt is missing
        InTable(button, [] {
            EXPECT_EQ(tk::Text(T(TableEditorWindow)), ReadLanguageText("20"));
            EXPECT_TRUE(tk::IsShown(T(OpenButton)));
            EXPECT_EQ(tk::Text(T(OpenButton)), ReadLanguageText("22"));
            EXPECT_FALSE(tk::IsEnabled(T(TableSaveButton)));
            EXPECT_EQ(tk::ColumnCount(T(TableGrid)), 0);
        });
        EXPECT_EQ(State().tableFile, 0);
        EXPECT_EQ(State().tableMode, TableMode::Custom);
    }
}

TEST_F(TableEditor, HintsFollowTheMode) {
    const std::pair<int, const char*> cases[] = {
        {RatingButton, "11"}, {ResearchButton, "14"}, {TrainingButton, "17"}, {CustomButton, "21"}};
    for (const auto& [button, key] : cases) {
        InTable(button, [] { headless::Click(T(HintButton)); });
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back().caption, "Info:");
        EXPECT_EQ(Messages().back().kind, tk::MessageKind::SystemModalInformation);
        EXPECT_EQ(Messages().back().text, ReadLanguageText(key));
    }
}

TEST_F(TableEditor, LoadingTranslatesTitlesAndFitsRows) {
    folder.Write("data/genres1.txt", "name;foo;start\r\nA;1\r\n\r\nB;2;3;x;y\r\n;\r\n\r\n");
    InTable(RatingButton, [] {
        EXPECT_EQ(Titles(),
                  (std::vector<std::string>{KeyToTitle("name"), "foo", KeyToTitle("start")}));
        EXPECT_NE(KeyToTitle("name"), "name");
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(tk::ColumnWidth(T(TableGrid), c), 70);
        }
        EXPECT_EQ(Cells(), (std::vector<std::vector<std::string>>{
                               {"A", "1", ""}, {"B", "2", "3"}, {"", "", ""}}));
    });
    folder.Write("data/genres1.txt", "name;start;\r\n");
    InTable(RatingButton, [] {
        EXPECT_EQ(tk::ColumnCount(T(TableGrid)), 2);
        EXPECT_EQ(tk::RowCount(T(TableGrid)), 0);
    });
}

TEST_F(TableEditor, TheWindowArrangesItsGridAndButtons) {
    InTable(RatingButton, [] {
        EXPECT_EQ(tk::Place(T(TableEditorWindow)),
                  (tk::Rect{(headless::kScreenWidth - 756) / 2, (headless::kScreenHeight - 486) / 2,
                            756, 486}));
        const auto places = [] {
            return std::vector<tk::Rect>{tk::Place(T(TableGrid)), tk::Place(T(OpenButton)),
                                         tk::Place(T(TableSaveButton)), tk::Place(T(HintButton))};
        };
        const std::vector<tk::Rect> restored = {
            {8, 8, 741, 386}, {28, 406, 136, 32}, {228, 406, 80, 32}, {328, 406, 80, 32}};
        EXPECT_EQ(places(), restored);
        EXPECT_EQ(tk::Place(T(CellEditor)), (tk::Rect{8, 8, 97, 20}));

        headless::Maximise(kTableWindow);
        const int w = headless::kScreenWidth, h = headless::kScreenHeight;
        EXPECT_EQ(places(), (std::vector<tk::Rect>{{8, 8, w - 15, h - 100},
                                                   {28, h - 80, 136, 32},
                                                   {228, h - 80, 80, 32},
                                                   {328, h - 80, 80, 32}}));
        EXPECT_EQ(tk::ColumnWidth(T(TableGrid), 0), 70);
        headless::Restore(kTableWindow);
        EXPECT_EQ(places(), restored);
    });
}

TEST_F(TableEditor, TheCellEditorLiesOverTheDoubleClickedCell) {
    folder.Write("data/genres1.txt",
                 "name;gameplay;start;\r\nAction;9;1976;\r\nRacing;8;1980;\r\n");
    InTable(RatingButton, [] {
        const tk::Rect grid = tk::Place(T(TableGrid));
        const tk::Control editor = T(CellEditor);
        for (const auto& [row, column] : {std::pair{0, 0}, std::pair{1, 2}}) {
            SCOPED_TRACE(column);
            const tk::Point point = CellPoint(row, column);
            headless::DoubleClick(T(TableGrid), point.x, point.y);
            const tk::Point rowAt = tk::RowPosition(T(TableGrid), row);
            EXPECT_EQ(tk::Place(editor), (tk::Rect{grid.left + rowAt.x + 70 * column,
                                                   grid.top + rowAt.y + 1, 70, 20}));
            EXPECT_TRUE(tk::IsShown(editor));
            EXPECT_EQ(tk::Text(editor), tk::CellText(T(TableGrid), row, column));
            EXPECT_TRUE(headless::IsAllTextSelected(editor));
            EXPECT_TRUE(headless::IsDrawingSuspended(T(TableGrid)));
            EXPECT_EQ(State().hitInfo.item, row);
            EXPECT_EQ(State().hitInfo.subItem, column);
        }
        // Enter writes the text as it stands, blanks included; focus loss does too.
        headless::Type(" 1981 ");
        headless::ReleaseKey(13);
        EXPECT_EQ(tk::CellText(T(TableGrid), 1, 2), " 1981 ");
        EXPECT_FALSE(tk::IsShown(editor));
        EXPECT_FALSE(headless::IsDrawingSuspended(T(TableGrid)));

        const tk::Point first = CellPoint(0, 1);
        headless::DoubleClick(T(TableGrid), first.x, first.y);
        headless::Type("7;\r\n");  // ";" and line breaks cannot enter a cell
        EXPECT_EQ(tk::Text(editor), "7");
        const tk::Point second = CellPoint(1, 0);
        headless::DoubleClick(T(TableGrid), second.x, second.y);  // takes the focus first
        EXPECT_EQ(tk::CellText(T(TableGrid), 0, 1), "7");
        headless::Type("");
        headless::Focus(T(HintButton));
        EXPECT_EQ(tk::CellText(T(TableGrid), 1, 0), "");

        // Below the last row: nothing to edit.
        headless::DoubleClick(T(TableGrid), 5, headless::kHeaderHeight + 5 * headless::kRowHeight);
        EXPECT_EQ(State().hitInfo.item, -1);
        EXPECT_FALSE(tk::IsShown(editor));
    });
}

TEST_F(TableEditor, SavingWritesKeysAndRowsOverTheFileAndEndsItThere) {
    folder.Write("data/genres1.txt",
                 "name;start;end;\r\nA;1976;;\r\nB;;2000;\r\nC;1;2;\r\n"
                 "a long last row that the saved table no longer reaches;\r\n");
    InTable(RatingButton, [&] {
        EditCell(3, 0, "D");
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(folder.Read("data/genres1.txt"),
                  "name;start;end;\r\nA;1976;;\r\nB;;2000;\r\nC;1;2;\r\nD;;;\r\n");
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back().caption, "Info:");
        EXPECT_EQ(Messages().back().kind, tk::MessageKind::SystemModalInformation);
        EXPECT_EQ(Messages().back().text, ReadLanguageText("4"));

        // A second save in the same window writes again, with the cell still
        // being edited: the click takes the focus from the editor first.
        const tk::Point cell = CellPoint(0, 1);
        headless::DoubleClick(T(TableGrid), cell.x, cell.y);
        headless::Type("1977");
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(folder.Read("data/genres1.txt"),
                  "name;start;end;\r\nA;1977;;\r\nB;;2000;\r\nC;1;2;\r\nD;;;\r\n");
    });
    EXPECT_FALSE(folder.Exists("Brask Plus/genres1.txt")) << "a button's table is not published";
}

TEST_F(TableEditor, OpeningAndSavingLosesNothing) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"fields beyond the header", "a;b;\r\n1;2;3;4;\r\n5;\r\n", "a;b;\r\n1;2;3;4;\r\n5;;\r\n"},
        {"zero and 0x1A bytes", std::string("a;\r\nx\0y;\x1A;\r\nz;\r\n", 16),
         std::string("a;\r\nx\0y;\x1A;\r\nz;\r\n", 16)},
        {"a header without fields", "\r\nA;B\r\nC\r\n", "\r\nA;B;\r\nC;;\r\n"},
        {"LF line ends and no final ;", "a;b\nc;d\n", "a;b;\r\nc;d;\r\n"},
        {"GBK text", "name;\r\n\xB6\xAF\xD7\xF7;\r\n", "name;\r\n\xB6\xAF\xD7\xF7;\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.Write("data/genres1.txt", c.before);
        InTable(RatingButton, [] { headless::Click(T(TableSaveButton)); });
        EXPECT_EQ(folder.Read("data/genres1.txt"), c.after);
    }
}

// Titles are for display: every header key is written back as it was read,
// even where titles would translate back to another key.
TEST_F(TableEditor, HeaderKeysAreSavedAsTheyWereRead) {
    folder.Write("language.ini",
                 "[Chinese Simplified]\r\nname=topic\r\ntopic=Thema\r\ngenre1=Genre\r\n"
                 "genre2=Genre\r\n");
    const std::string table = "name;topic;genre1;genre2;Genre;Name;\r\nA;B;1;2;3;4;\r\n";
    folder.Write("data/genres1.txt", table);
    InTable(RatingButton, [] {
        EXPECT_EQ(Titles(),
                  (std::vector<std::string>{"Thema", "Thema", "Genre", "Genre", "Genre", "Name"}));
        headless::Click(T(TableSaveButton));
    });
    EXPECT_EQ(folder.Read("data/genres1.txt"), table);
}

TEST_F(TableEditor, ATableThatCannotBeWrittenOrReadWholeIsNotSaved) {
    const std::string table = "name;start;\r\nA;1976;\r\n";
    folder.Write("data/genres1.txt", table);
    InTable(RatingButton, [&] {
        platform::FailNextFileWrite();
        headless::Click(T(TableSaveButton));
        ASSERT_FALSE(Messages().empty());
        EXPECT_EQ(Messages().back().kind, tk::MessageKind::Warning);
        EXPECT_EQ(Messages().back().text, ReadLanguageText("26") + "\r\n\r\n" +
                                              folder.ProgramFolder() + "\\data\\genres1.txt");
    });
    EXPECT_EQ(folder.Read("data/genres1.txt"), table);

    platform::FailNextFileRead();  // reading stops at once
    InTable(RatingButton, [&] {
        EXPECT_EQ(tk::ColumnCount(T(TableGrid)), 0);
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(Messages().back().text.substr(0, ReadLanguageText("26").size()),
                  ReadLanguageText("26"));
    });
    EXPECT_EQ(folder.Read("data/genres1.txt"), table);
}

TEST_F(TableEditor, NoConfirmationWhenNoFileWasOpen) {
    InTable(CustomButton, [&] {
        const std::size_t shown = MessageCount();
        headless::AnswerOpenDialog(std::nullopt);
        headless::Click(T(OpenButton));
        EXPECT_TRUE(tk::IsEnabled(T(TableSaveButton)));
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(MessageCount(), shown);
    });
}

TEST_F(TableEditor, AChosenFileIsBackedUpLoadedAndPublishedOnSave) {
    const fs::path day = folder.At("toolsbak") / SystemPathOf(DayStamp());
    folder.Write("data/3/trainings.txt", "name;costs;\r\nCourse;100;\r\n");
    folder.Write("mods/Data/extra.txt", "k;\r\nv;\r\n");
    const std::string root = folder.ProgramFolder();
    InTable(CustomButton, [&] {
        headless::AnswerOpenDialog(root + "\\data\\3\\trainings.txt");
        headless::Click(T(OpenButton));
        ASSERT_EQ(headless::OpenDialogs().size(), 1u);
        EXPECT_EQ(headless::OpenDialogs()[0].filter, ReadLanguageText("24"));
        EXPECT_EQ(headless::OpenDialogs()[0].initialFolder, root);
        EXPECT_EQ(State().openedFileName, "trainings.txt");
        EXPECT_EQ(State().openedFolderName, "3");
        EXPECT_EQ(ReadBytes(day / "3" / "trainings.txt"), "name;costs;\r\nCourse;100;\r\n");
        EXPECT_EQ(Cells(), (std::vector<std::vector<std::string>>{{"Course", "100"}}));

        EditCell(0, 1, "90");
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(folder.Read("data/3/trainings.txt"), "name;costs;\r\nCourse;90;\r\n");
        EXPECT_EQ(folder.Read("Brask Plus/3/trainings.txt"), "name;costs;\r\nCourse;90;\r\n");
        EXPECT_EQ(Messages().back().text, ReadLanguageText("4"));

        // The same file again on the same day: the first backup stays. The
        // dialog starts with the path chosen before.
        const FileNumber previous = State().tableFile;
        headless::AnswerOpenDialog(root + "\\data\\genres1.txt");
        headless::Click(T(OpenButton));
        EXPECT_EQ(headless::OpenDialogs()[1].path, root + "\\data\\3\\trainings.txt");
        MoveToStart(previous);
        EXPECT_EQ(ReadLine(previous), "") << "the file chosen before is closed";
        EXPECT_EQ(State().openedFolderName, "data");
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(folder.Read("Brask Plus/genres1.txt"), folder.Read("data/genres1.txt"));

        headless::AnswerOpenDialog(root + "\\data\\3\\trainings.txt");
        headless::Click(T(OpenButton));
        EXPECT_EQ(ReadBytes(day / "3" / "trainings.txt"), "name;costs;\r\nCourse;100;\r\n");

        // "Data" is not "data": a folder of its own in both trees.
        headless::AnswerOpenDialog(root + "\\mods\\Data\\extra.txt");
        headless::Click(T(OpenButton));
        EXPECT_EQ(ReadBytes(day / "Data" / "extra.txt"), "k;\r\nv;\r\n");
        headless::Click(T(TableSaveButton));
        EXPECT_EQ(folder.Read("Brask Plus/Data/extra.txt"), "k;\r\nv;\r\n");

        // Cancel reloads the open file, dropping what was not saved.
        EditCell(0, 0, "changed");
        headless::AnswerOpenDialog(std::nullopt);
        headless::Click(T(OpenButton));
        EXPECT_EQ(tk::CellText(T(TableGrid), 0, 0), "v");
    });
    EXPECT_EQ(State().openedFileName, "extra.txt") << "kept after the window closes";
}

}  // namespace
