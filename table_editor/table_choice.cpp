#include "table_editor/table_choice.h"

#include "app/app_state.h"
#include "backup/daily_backup.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "table_editor/table_file.h"
#include "table_editor/table_window_layout.h"
#include "text/byte_text.h"

namespace {

// The text after the last "\"; all of it when there is none.
std::string AfterLastSeparator(const std::string& path) {
    const std::size_t separator = FindLastCharacter(path, '\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Keeps the file as it was before any edit, once a day: a copy already in
// the day's folder is the day's first and stays.
void BackUpChosenFile(const std::string& path) {
    const AppState& state = State();
    const std::string dayFolder = InProgramFolder("\\toolsbak\\" + DayStamp());
    if (state.openedFolderName == "data") {
        const std::string target = dayFolder + "\\" + state.openedFileName;
        if (!platform::PathExists(target)) {
            platform::CopyFileOver(path, target);
        }
        return;
    }
    const std::string folder = dayFolder + "\\" + state.openedFolderName;
    const std::string target = folder + "\\" + state.openedFileName;
    if (!platform::PathExists(target)) {
        platform::MakeFolder(folder);
        platform::CopyFileOver(path, target);
    }
}

}  // namespace

void ChooseTableFile() {
    AppState& state = State();
    std::string path = state.chosenPath;
    if (!tk::RunOpenDialog(kTableWindow, ReadLanguageText("24"), state.programFolder, path)) {
        return;
    }
    state.chosenPath = path;
    // The file chosen before is of no further use.
    CloseFile(state.tableFile);
    state.tablePath = path;
    state.tableFile = OpenForUpdate(path);
    state.openedFileName = AfterLastSeparator(path);
    state.openedFolderName = AfterLastSeparator(platform::CurrentFolder());
    BackUpChosenFile(path);
}
