// SettingsEditorWindow: its number, its controls' roles and its layout table.
#pragma once

#include "toolkit/toolkit.h"

constexpr int kSettingsWindow = 1;

namespace SettingsRole {
enum : int {
    SettingsEditorWindow = tk::kWindowRole,
    SettingsGroup,
    SettingList,
    ValueEdit,
    SaveButton,
    AboutButton,
    TablesGroup,
    RatingButton,
    LanguageLabel,
    ResearchButton,
    TrainingButton,
    CustomButton,
    PublishButton,
    change,
    INI,
};
}  // namespace SettingsRole

inline tk::Control SettingsControl(int role) {
    return {kSettingsWindow, role};
}

// The window as it is created; handle receives every event of it.
tk::WindowLayout SettingsWindowLayout(void (*handle)(const tk::Event& event));
