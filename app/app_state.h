// AppState: the one program-wide state record, and the names of the program's
// fixed files.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

struct AppState {
    std::string programFolder;  // the program file's folder, without a final "\"
    std::string languageSection;

    // Working state of the two settings conversions.
    platform::FileNumber conversionFile = 0;
    std::string loadText;
    std::string saveText;

    platform::FileNumber tableFile = 0;

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
