#include "app/app_state.h"

AppState& State() {
    static AppState state;
    return state;
}

void ResetState() {
    State() = AppState{};
}

// The initial values hold no memory, so giving them back releases everything.
void ReleaseState() {
    ResetState();
}

std::string InProgramFolder(std::string_view relative) {
    std::string path = State().programFolder;
    path.append(relative);
    return path;
}

std::string SettingsFilePath() {
    return InProgramFolder("\\data\\ini.txt");
}

std::string WorkingProfilePath() {
    return InProgramFolder("\\data\\nolt.ini");
}

std::string LanguageFilePath() {
    return InProgramFolder("\\language.ini");
}
