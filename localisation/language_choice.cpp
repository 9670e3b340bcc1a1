#include "localisation/language_choice.h"

#include "app/app_state.h"
#include "localisation/language_file.h"
#include "settings_window/settings_window_layout.h"

namespace {

constexpr Language kLanguages[] = {
    {1, 0, "Chinese Simplified", 4},
    {0, 1, "Chinese Traditional", 3},
    {2, 2, "English", 1},
};

struct Caption {
    int role;
    const char* key;
    const char* defaultText;
};

// In the order they are set.
constexpr Caption kMainCaptions[] = {
    {SettingsRole::SettingsGroup, "1", ""},
    {SettingsRole::SaveButton, "5", ""},
    {SettingsRole::TablesGroup, "6", ""},
    {SettingsRole::RatingButton, "7", ""},
    {SettingsRole::ResearchButton, "12", ""},
    {SettingsRole::TrainingButton, "16", ""},
    {SettingsRole::CustomButton, "18", ""},
    {SettingsRole::PublishButton, "19", ""},
    {SettingsRole::LanguageLabel, "language", "language"},
};

}  // namespace

const Language* LanguageAtItem(int item) {
    for (const Language& language : kLanguages) {
        if (language.item == item) {
            return &language;
        }
    }
    return nullptr;
}

const Language* LanguageOfSystemCode(int code) {
    for (const Language& language : kLanguages) {
        if (language.systemCode == code) {
            return &language;
        }
    }
    return nullptr;
}

int SystemLanguageCode() {
    return 1;
}

void ChooseStartLanguage() {
    const Language* language = LanguageOfSystemCode(SystemLanguageCode());
    State().languageSection = language->section;
    tk::SetSelection(SettingsControl(SettingsRole::change), language->item);
}

void ApplyMainCaptions() {
    tk::SetText(SettingsControl(SettingsRole::SettingsEditorWindow),
                ReadLanguageText("title", "Brask Tools") + "          Version:1.13");
    for (const Caption& caption : kMainCaptions) {
        tk::SetText(SettingsControl(caption.role),
                    ReadLanguageText(caption.key, caption.defaultText));
    }
}
