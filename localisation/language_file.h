// Texts and messages from the language file, in the current language.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/toolkit.h"

// A message of the language file: its MessageKey, fixed caption, box kind, and
// the text used when the language file lacks the key.
struct LanguageMessage {
    const char* key;
    const char* caption;
    tk::MessageKind kind;
    const char* fallback = "";
};

namespace messages {
using enum tk::MessageKind;
inline constexpr LanguageMessage kSettingsFileMissing{"2", "HELP", Information};
inline constexpr LanguageMessage kBackupMade{"3", "HELP:", Information};
inline constexpr LanguageMessage kSettingsSaved{"4", "HELP", Information};
inline constexpr LanguageMessage kAnotherInstance{"9", "Info:", Information};
inline constexpr LanguageMessage kSettingsNotSaved{
    "25", "HELP", Warning,
    "The settings were not saved: data\\ini.txt could not be written. Your edits are kept "
    "while the program runs; try Save again."};
inline constexpr LanguageMessage kTableSaved{"4", "Info:", SystemModalInformation};
inline constexpr LanguageMessage kRatingHint{"11", "Info:", SystemModalInformation};
inline constexpr LanguageMessage kResearchHint{"14", "Info:", SystemModalInformation};
inline constexpr LanguageMessage kTrainingHint{"17", "Info:", SystemModalInformation};
inline constexpr LanguageMessage kCustomHint{"21", "Info:", SystemModalInformation};
inline constexpr LanguageMessage kPublished{"23", "HELP", SystemModalInformation};
inline constexpr LanguageMessage kTableNotSaved{
    "26", "Info:", Warning,
    "The table was not saved: its file could not be read or written in full. Your edits are "
    "still in the window; save again once the problem is solved."};
inline constexpr LanguageMessage kPublishIncomplete{
    "28", "HELP", Warning,
    "Publishing is incomplete: these files could not be copied into Brask Plus:"};
inline constexpr LanguageMessage kBackupIncomplete{
    "27", "HELP:", Warning,
    "Today's backup is incomplete: these files could not be copied into toolsbak:"};
}  // namespace messages

// The value of key in the current language's section, or defaultValue when the
// file, the section or the key is missing.
std::string ReadLanguageText(std::string_view key, std::string_view defaultValue = {});

// Shows the message's text under its caption, then detail on lines of its own
// when there is any; returns when the user has dismissed it.
void ShowLanguageMessage(const LanguageMessage& message, const std::string& detail = {});
