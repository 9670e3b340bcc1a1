#include "settings_window/settings_editor.h"

#include "about/about_box.h"
#include "app/app_state.h"
#include "app/start_up.h"
#include "backup/publish.h"
#include "localisation/language_choice.h"
#include "localisation/language_file.h"
#include "settings/profile_access.h"
#include "settings/setting_catalogue.h"
#include "settings/settings_conversion.h"
#include "settings_window/settings_window_layout.h"
#include "table_editor/table_editor.h"

namespace {

using namespace SettingsRole;

tk::Control Role(int role) {
    return SettingsControl(role);
}

// The key of the setting ValueEdit belongs to: the selected item of INI.
std::string SelectedKey() {
    return tk::ItemText(Role(INI), tk::Selection(Role(INI)));
}

TableMode TableModeOfButton(int role) {
    switch (role) {
        case RatingButton:
            return TableMode::Rating;
        case ResearchButton:
            return TableMode::Research;
        case TrainingButton:
            return TableMode::Training;
        default:
            return TableMode::Custom;
    }
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
        case RatingButton:
        case ResearchButton:
        case TrainingButton:
        case CustomButton:
            if (event.kind == Clicked) {
                OpenTableEditor(TableModeOfButton(event.role));
            }
            break;
        case PublishButton:
            if (event.kind == Clicked) {
                PublishEdits();
            }
            break;
        case AboutButton:
            if (event.kind == Clicked) {
                ShowAbout();
            }
            break;
        default:
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
