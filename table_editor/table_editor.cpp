#include "table_editor/table_editor.h"

#include <string_view>
#include <vector>

#include "localisation/language_file.h"
#include "table_editor/cell_editor.h"
#include "table_editor/column_keys.h"
#include "table_editor/table_choice.h"
#include "table_editor/table_file.h"
#include "table_editor/table_saving.h"
#include "table_editor/table_window_layout.h"

namespace {

using namespace TableRole;

constexpr int kColumnWidth = 70;

tk::Control Role(int role) {
    return TableControl(role);
}

// The file of each built-in table, by language section.
struct TableFiles {
    TableMode mode;
    const char* chineseTraditional;
    const char* chineseSimplified;
    const char* english;
};

constexpr TableFiles kTableFiles[] = {
    {TableMode::Rating, "\\data\\genres1_en.txt", "\\data\\genres1.txt", "\\data\\genres1_en.txt"},
    {TableMode::Research, "\\data\\research.txt", "\\data\\research.txt", "\\data\\research.txt"},
    {TableMode::Training, "\\data\\3\\trainings.txt", "\\data\\4\\trainings.txt",
     "\\data\\1\\trainings.txt"},
};

// The built-in table's file for the current language; empty for none.
std::string TableFilePath(TableMode mode) {
    const std::string& section = State().languageSection;
    for (const TableFiles& files : kTableFiles) {
        if (files.mode != mode) {
            continue;
        }
        const char* relative = section == "Chinese Traditional"  ? files.chineseTraditional
                               : section == "Chinese Simplified" ? files.chineseSimplified
                               : section == "English"            ? files.english
                                                                 : nullptr;
        return relative ? InProgramFolder(relative) : std::string();
    }
    return {};
}

// The window title's MessageKey once a built-in table is open.
const char* TitleKey(TableMode mode) {
    switch (mode) {
        case TableMode::Rating:
            return "8";
        case TableMode::Research:
            return "13";
        case TableMode::Training:
            return "15";
        case TableMode::Custom:
            break;
    }
    return "20";
}

void TableWindowCreated() {
    AppState& state = State();
    tk::SetText(Role(TableEditorWindow), ReadLanguageText("20"));
    if (state.tableFile != 0) {
        tk::SetText(Role(TableEditorWindow), ReadLanguageText(TitleKey(state.tableMode)));
    }
    tk::SetText(Role(TableSaveButton), ReadLanguageText("5", "save"));
    tk::SetText(Role(HintButton), ReadLanguageText("10", "help"));
    tk::SetText(Role(OpenButton), ReadLanguageText("22", "help"));
    const tk::Rect editor = tk::Place(Role(CellEditor));
    tk::SetPlace(Role(CellEditor), {editor.left, editor.top, editor.width, 20});
    if (state.tableFile != 0) {
        LoadTable();
        tk::SetShown(Role(OpenButton), false);
    }
}

void TableWindowDestroyed() {
    AppState& state = State();
    CloseFile(state.tableFile);
    state.tableFile = 0;
    state.tablePath.clear();
    state.tableMode = TableMode::Custom;
    state.fields.clear();
    state.columnKeys.clear();
    state.extraFields.clear();
    state.headerWithoutFields = false;
    state.tableReadIncomplete = false;
    state.chosenPath.clear();
}

void AddColumn(const std::string& key) {
    State().columnKeys.push_back(key);
    tk::AppendColumn(Role(TableGrid), KeyToTitle(key), kColumnWidth, key);
}

void HandleTableEvent(const tk::Event& event) {
    using enum tk::EventKind;
    switch (event.role) {
        case TableEditorWindow:
            if (event.kind == Created) {
                TableWindowCreated();
            } else if (event.kind == SizeChanged) {
                ArrangeTableWindow();
            } else if (event.kind == WillBeDestroyed) {
                TableWindowDestroyed();
            }
            break;
        case TableGrid:
            if (event.kind == DoubleClicked) {
                BeginCellEdit(event.x, event.y);
            }
            break;
        case CellEditor:
            if (event.kind == LostFocus || (event.kind == KeyReleased && event.key == 13)) {
                CommitCellEdit();
            }
            break;
        case TableSaveButton:
            if (event.kind == Clicked) {
                SaveTable();
            }
            break;
        case HintButton:
            if (event.kind == Clicked) {
                ShowHint();
            }
            break;
        case OpenButton:
            if (event.kind == Clicked) {
                LoadTable();
            }
            break;
        default:
            break;
    }
}

}  // namespace

void OpenTableEditor(TableMode mode) {
    AppState& state = State();
    state.tableMode = mode;
    state.tablePath = TableFilePath(mode);
    state.tableFile = OpenForUpdate(state.tablePath);
    tk::OpenWindow(TableWindowLayout(HandleTableEvent), tk::WindowMode::Dialog);
}

void LoadTable() {
    AppState& state = State();
    if (tk::IsShown(Role(OpenButton))) {
        ChooseTableFile();
    }
    const tk::Control grid = Role(TableGrid);
    MoveToStart(state.tableFile);
    tk::RemoveAllColumns(grid);
    tk::RemoveAllRows(grid);
    state.columnKeys.clear();
    state.extraFields.clear();

    // The fields are views into line, each line's used before the next is read.
    std::string line;
    std::vector<std::string_view> fields;
    ReadLine(state.tableFile, line);
    SplitFields(line, fields);
    state.headerWithoutFields = fields.empty();
    for (const std::string_view key : fields) {
        AddColumn(std::string(key));
    }
    std::size_t columns = fields.size();
    while (!AtEnd(state.tableFile)) {
        ReadLine(state.tableFile, line);
        SplitFields(line, fields);
        if (fields.empty()) {
            continue;
        }
        // Without header fields the rows make the columns, so that none is lost.
        while (state.headerWithoutFields && columns < fields.size()) {
            AddColumn("");
            ++columns;
        }
        if (fields.size() > columns) {
            state.extraFields.emplace(
                tk::RowCount(grid),
                std::vector<std::string>(fields.begin() + columns, fields.end()));
        }
        fields.resize(columns);
        tk::AppendRow(grid, fields);
    }
    state.fields = SplitFields(line);  // of the line read last
    state.tableReadIncomplete = ReadFailed(state.tableFile);
    tk::SetEnabled(Role(TableSaveButton), true);
}

void ShowHint() {
    switch (State().tableMode) {
        case TableMode::Rating:
            ShowLanguageMessage(messages::kRatingHint);
            break;
        case TableMode::Research:
            ShowLanguageMessage(messages::kResearchHint);
            break;
        case TableMode::Training:
            ShowLanguageMessage(messages::kTrainingHint);
            break;
        case TableMode::Custom:
            ShowLanguageMessage(messages::kCustomHint);
            break;
    }
}
