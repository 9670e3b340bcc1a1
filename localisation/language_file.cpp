#include "localisation/language_file.h"

#include "app/app_state.h"
#include "settings/profile_access.h"

std::string ReadLanguageText(std::string_view key, std::string_view defaultValue) {
    return ReadProfileValue(LanguageFilePath(), State().languageSection, key, defaultValue);
}

void ShowLanguageMessage(const LanguageMessage& message, const std::string& detail) {
    std::string text = ReadLanguageText(message.key, message.fallback);
    if (!detail.empty()) {
        text.append("\r\n\r\n").append(detail);
    }
    tk::ShowMessage(message.kind, message.caption, text);
}
