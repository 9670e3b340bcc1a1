#include "settings/settings_conversion.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/start_up.h"
#include "localisation/language_file.h"
#include "settings/profile_access.h"
#include "text/byte_text.h"

namespace {

constexpr std::string_view kHeading = "[ini]\r\n";

std::string ProfileTextOf(std::string_view settingsText) {
    std::string text(kHeading);
    text += ReplaceText(settingsText, ";", "=", 0, kAllReplacements, true);
    return text;
}

// Reads the settings file into loadText as working-profile text. False when
// the file cannot be opened; loadText then holds the heading alone.
bool LoadSettingsFile() {
    AppState& state = State();
    state.conversionFile = platform::OpenForUpdate(SettingsFilePath());
    const bool opened = state.conversionFile != 0;
    state.loadText = ProfileTextOf(ReadWholeText(state.conversionFile));
    return opened;
}

// Writes loadText as the working profile, then closes the settings file,
// which stays open meanwhile, and empties loadText.
bool WriteLoadedProfile() {
    AppState& state = State();
    const bool written = WriteWholeFile(WorkingProfilePath(), state.loadText);
    platform::CloseFile(state.conversionFile);
    state.conversionFile = 0;
    state.loadText.clear();
    return written;
}

// Makes the working profile whole again when it was removed from outside or
// never came from the settings file: built anew from the settings file, with
// every value stored during the run put back. False when that cannot be done;
// the working profile is then left as it is.
bool RestoreWorkingProfile() {
    AppState& state = State();
    if (state.workingProfileIntact && platform::PathExists(WorkingProfilePath())) {
        return true;
    }
    if (!LoadSettingsFile()) {
        state.loadText.clear();
        return false;
    }
    if (!WriteLoadedProfile()) {
        return false;
    }
    for (const auto& [key, value] : state.storedValues) {
        if (!WriteProfileValue(WorkingProfilePath(), "ini", key, value)) {
            return false;
        }
    }
    state.workingProfileIntact = true;
    return true;
}

}  // namespace

std::string ReadWholeText(platform::FileNumber file) {
    std::string text;
    char buffer[65536];
    long n;
    while ((n = platform::ReadBytes(file, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == '\0' || text[pos] == '\x1A') {
            text.resize(pos);
            break;
        }
    }
    return text;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    return platform::ReplaceWholeFile(path, bytes);
}

void BuildWorkingProfile() {
    if (!platform::PathExists(SettingsFilePath())) {
        ShowLanguageMessage(messages::kSettingsFileMissing);
        ExitProgram(0);
    }
    // A settings file that cannot be opened reads as empty: the profile then
    // holds the heading alone, and Save will not write the settings file from it.
    const bool loaded = LoadSettingsFile();
    State().workingProfileIntact = WriteLoadedProfile() && loaded;
}

void StoreSettingValue(const std::string& key, const std::string& value) {
    AppState& state = State();
    // A profile removed from outside is recreated by the write holding this
    // value alone; Save must then rebuild it.
    if (!platform::PathExists(WorkingProfilePath())) {
        state.workingProfileIntact = false;
    }
    WriteProfileValue(WorkingProfilePath(), "ini", key, value);
    auto stored = std::find_if(state.storedValues.begin(), state.storedValues.end(),
                               [&](const auto& entry) { return entry.first == key; });
    if (stored == state.storedValues.end()) {
        state.storedValues.emplace_back(key, value);
    } else {
        stored->second = value;
    }
}

bool WriteBackSettings() {
    AppState& state = State();
    if (!RestoreWorkingProfile()) {
        return false;
    }
    state.conversionFile = platform::OpenForUpdate(WorkingProfilePath());
    const bool opened = state.conversionFile != 0;
    state.saveText = ReadWholeText(state.conversionFile);
    platform::CloseFile(state.conversionFile);
    state.conversionFile = 0;
    if (!opened) {
        return false;
    }
    state.saveText = ReplaceText(state.saveText, "=", ";", 0, kAllReplacements, true);
    state.saveText = ReplaceText(state.saveText, "[ini]", "", 0, kAllReplacements, true);
    while (state.saveText.size() >= 2 && state.saveText.compare(0, 2, "\r\n") == 0) {
        state.saveText = ReplaceText(state.saveText, "\r\n", "", 1, 1, true);
    }
    const bool written = WriteWholeFile(SettingsFilePath(), state.saveText);
    state.saveText.clear();
    return written;
}

void DeleteWorkingProfile() {
    platform::RemoveFile(WorkingProfilePath());
}
