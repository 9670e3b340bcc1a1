// AppState: the one program-wide state record, and the names of the program's
// fixed files.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

// Which table the table window edits.
enum class TableMode { Rating, Research, Training, Custom };

// The grid's hit test of the cell being edited.
struct HitInfo {
    std::int32_t x = 0, y = 0;  // the double-click in the grid's client area
    std::int32_t flags = 0;
    std::int32_t item = 0;     // the row; -1 for none
    std::int32_t subItem = 0;  // the column
};

struct AppState {
    std::string programFolder;  // the program file's folder, without a final "\"
    std::string languageSection;

    // Working state of the two settings conversions.
    platform::FileNumber conversionFile = 0;
    std::string loadText;
    std::string saveText;

    TableMode tableMode = TableMode::Custom;
    platform::FileNumber tableFile = 0;
    std::string tablePath;            // of tableFile, to name it in a message
    std::vector<std::string> fields;  // of the table line last read
    HitInfo hitInfo;
    // The file last chosen in the table window's open dialog.
    std::string openedFileName;
    std::string openedFolderName;

    // Of the table in the table window. The header keys as read, which saving
    // writes back: titles are for display only.
    std::vector<std::string> columnKeys;
    // Fields beyond the last column, by row, written back after the row's cells.
    std::map<int, std::vector<std::string>> extraFields;
    // The header line gave no fields, so the columns were made for the rows.
    bool headerWithoutFields = false;
    // A read error ended loading early: the file is not written back.
    bool tableReadIncomplete = false;
    // The path chosen in the table window's open dialog; the dialog starts with it.
    std::string chosenPath;

    // Whether this instance passed the single-instance guard and so owns the
    // working profile it deletes at the end.
    bool holdsInstance = false;
    // Whether the working profile on disk is still the one start-up built from
    // the settings file, with every stored value in it.
    bool workingProfileIntact = false;
    // Every settings value stored during the run, latest value per key, in the
    // order first stored: what Save puts back into a rebuilt working profile.
    std::vector<std::pair<std::string, std::string>> storedValues;
};

AppState& State();

// Gives every field its initial value.
void ResetState();

// Gives back the memory the state holds.
void ReleaseState();

// ProgramFolder followed by a relative path that starts with "\".
std::string InProgramFolder(std::string_view relative);

std::string SettingsFilePath();    // data\ini.txt
std::string WorkingProfilePath();  // data\nolt.ini
std::string LanguageFilePath();    // language.ini
