#include "table_editor/table_saving.h"

#include "app/app_state.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "table_editor/table_file.h"
#include "table_editor/table_window_layout.h"

namespace {

using namespace TableRole;

tk::Control Role(int role) {
    return TableControl(role);
}

constexpr const char* kLineEnd = "\r\n";

// A row's line as the table file holds it: each field followed by ";".
template <typename Text>
void AppendFields(std::string& line, const std::vector<Text>& fields) {
    for (const Text& field : fields) {
        line.append(field).push_back(';');
    }
}

// Writes the header and the rows from the start of the file, and ends the file
// there. False when the file could not take all of it.
bool WriteTable(FileNumber file) {
    const AppState& state = State();
    const tk::Control grid = Role(TableGrid);
    MoveToStart(file);
    std::string line;
    if (!state.headerWithoutFields) {
        AppendFields(line, state.columnKeys);
    }
    line += kLineEnd;
    WriteText(file, line);
    const int rows = tk::RowCount(grid);
    std::vector<std::string_view> cells;
    for (int row = 0; row < rows; ++row) {
        tk::ReadRow(grid, row, cells);
        line.clear();
        AppendFields(line, cells);
        if (auto extra = state.extraFields.find(row); extra != state.extraFields.end()) {
            AppendFields(line, extra->second);
        }
        line += kLineEnd;
        WriteText(file, line);
    }
    return FinishWriting(file);
}

// Copies the chosen file into the publish folder: flat from a folder named
// "data", else into a folder of its folder's name. False when the copy failed.
bool CopyIntoPublishFolder(std::string& target) {
    const AppState& state = State();
    if (state.openedFolderName == "data") {
        target = InProgramFolder("\\Brask Plus\\" + state.openedFileName);
    } else {
        const std::string folder = InProgramFolder("\\Brask Plus\\" + state.openedFolderName);
        platform::MakeFolder(folder);
        target = folder + "\\" + state.openedFileName;
    }
    return state.chosenPath.empty() || platform::CopyFileOver(state.chosenPath, target);
}

}  // namespace

void SaveTable() {
    const AppState& state = State();
    // Nothing is open to write to: no confirmation of a save that wrote nothing.
    if (state.tableFile == 0) {
        return;
    }
    // A table read only in part would lose its unread rest.
    if (state.tableReadIncomplete || !WriteTable(state.tableFile)) {
        ShowLanguageMessage(messages::kTableNotSaved, state.tablePath);
        return;
    }
    if (tk::IsShown(Role(OpenButton))) {
        std::string target;
        if (!CopyIntoPublishFolder(target)) {
            ShowLanguageMessage(messages::kPublishIncomplete, target);
            return;
        }
    }
    ShowLanguageMessage(messages::kTableSaved);
}
