#include "settings_window/settings_editor.h"

#include "app/app_state.h"
#include "app/start_up.h"
#include "localisation/language_choice.h"
#include "localisation/language_file.h"
#include "settings/profile_access.h"
#include "settings/setting_catalogue.h"
#include "settings/settings_conversion.h"
#include "settings_window/settings_window_layout.h"

namespace {

using namespace SettingsRole;

tk::Control Role(int role) {
    return SettingsControl(role);
}

// The key of the setting ValueEdit belongs to: the selected item of INI.
std::string SelectedKey() {
    return tk::ItemText(Role(INI), tk::Selection(Role(INI)));
}

void HandleSettingsEvent(const tk::Event& event) {
    using enum tk::EventKind;
    switch (event.role) {
        case SettingsEditorWindow:
            if (event.kind == Created) {
                RunStartUp();
            } else if (event.kind == WillBeDestroyed && State().holdsInstance) {
                DeleteWorkingProfile();
            }
            break;
        case SettingList:
            if (event.kind == ItemSelected) {
                ShowSelectedSetting();
            }
            break;
        case ValueEdit:
            if (event.kind == GotFocus) {
                EnableSave();
            } else if (event.kind == LostFocus) {
                StoreValue();
            }
            break;
        case SaveButton:
            if (event.kind == Clicked) {
                Save();
            }
            break;
        case change:
            if (event.kind == ItemSelected) {
                ChangeLanguage();
            }
            break;
        default:
            // The table buttons, PublishButton and AboutButton do nothing yet.
            break;
    }
}

}  // namespace

void OpenSettingsEditorWindow() {
    tk::OpenWindow(SettingsWindowLayout(HandleSettingsEvent));
}

void ShowSelectedSetting() {
    tk::SetSelection(Role(INI), tk::Selection(Role(SettingList)));
    tk::SetText(Role(ValueEdit), ReadProfileValue(WorkingProfilePath(), "ini", SelectedKey()));
    tk::SetEnabled(Role(ValueEdit), true);
}

void EnableSave() {
    tk::SetEnabled(Role(SaveButton), true);
}

void StoreValue() {
    StoreSettingValue(SelectedKey(), tk::Text(Role(ValueEdit)));
}

void Save() {
    StoreValue();
    if (WriteBackSettings()) {
        ShowLanguageMessage(messages::kSettingsSaved);
    } else {
        ShowLanguageMessage(messages::kSettingsNotSaved);
    }
}

void ChangeLanguage() {
    if (const Language* language = LanguageAtItem(tk::Selection(Role(change)))) {
        State().languageSection = language->section;
    }
    ApplyMainCaptions();
    tk::SetEnabled(Role(SaveButton), false);
    tk::SetEnabled(Role(change), false);
    const int count = tk::ItemCount(Role(SettingList));
    for (int i = 0; i < count; ++i) {
        tk::DeleteItem(Role(SettingList), 0);
    }
    tk::SetEnabled(Role(SettingList), false);
    FillSettingNames();
    tk::SetEnabled(Role(SettingList), true);
    tk::SetEnabled(Role(change), true);
}
