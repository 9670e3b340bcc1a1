#include "app/start_up.h"

#include <cstdlib>

#include "app/app_state.h"
#include "backup/daily_backup.h"
#include "localisation/language_choice.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "settings/setting_catalogue.h"
#include "settings/settings_conversion.h"
#include "settings_window/settings_editor.h"
#include "settings_window/settings_window_layout.h"
#include "text/byte_text.h"

namespace {

constexpr const char* kInstanceMarker = "Brask NOLT";

void RegisterReleaseState() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit(ReleaseState);
    }
}

}  // namespace

void StartProgram(const std::string& programFilePath) {
    const std::size_t separator = FindLastCharacter(programFilePath, '\\');
    const std::string programFolder =
        separator == std::string::npos ? std::string() : programFilePath.substr(0, separator);
    platform::SetCurrentFolder(programFolder);
    ResetState();
    State().programFolder = programFolder;
    RegisterReleaseState();
    OpenSettingsEditorWindow();
}

int RunProgram(const std::string& programFilePath) {
    StartProgram(programFilePath);
    tk::RunMessageLoop();
    return 0;
}

void RunStartUp() {
    State().tableFile = 0;
    ChooseStartLanguage();
    ApplyMainCaptions();
    FillSettingLists();
    if (SingleInstanceGuard() == InstanceGuard::Refused) {
        ShowLanguageMessage(messages::kAnotherInstance);
        tk::DestroyWindow(kSettingsWindow);
        return;
    }
    State().holdsInstance = true;
    BuildWorkingProfile();
    MakeDailyBackup();
}

InstanceGuard SingleInstanceGuard() {
    return platform::ClaimInstanceMarker(kInstanceMarker) ? InstanceGuard::GoOn
                                                          : InstanceGuard::Refused;
}

void ExitProgram(int code) {
    ReleaseState();
    platform::EndProcess(code);
}
