#include "settings_window/settings_window_layout.h"

#include "localisation/language_choice.h"

namespace {

using enum tk::ControlKind;
using namespace SettingsRole;

// Left and top of a group box's children are measured from the group box.
constexpr tk::ControlLayout kControls[] = {
    // role, name, kind, parent, left, top, width, height, shown, enabled, tab stop, text
    {SettingsGroup, "SettingsGroup", GroupBox, tk::kWindowRole, 7, 6, 433, 114, true, true, false,
     ""},
    {SettingList, "SettingList", DropDownList, SettingsGroup, 11, 30, 406, 20, true, true, true,
     ""},
    {ValueEdit, "ValueEdit", EditBox, SettingsGroup, 11, 70, 80, 32, true, false, true, "",
     tk::kCentredText},
    {SaveButton, "SaveButton", PushButton, SettingsGroup, 230, 70, 80, 32, true, false, true, ""},
    {AboutButton, "AboutButton", PushButton, SettingsGroup, 332, 70, 80, 32, true, true, true,
     "About"},
    {TablesGroup, "TablesGroup", GroupBox, tk::kWindowRole, 7, 133, 433, 147, true, true, false,
     ""},
    {RatingButton, "RatingButton", PushButton, TablesGroup, 11, 22, 120, 32, true, true, true, ""},
    {LanguageLabel, "LanguageLabel", Label, TablesGroup, 13, 110, 204, 35, true, true, false, "",
     tk::kCentredText},
    {ResearchButton, "ResearchButton", PushButton, tk::kWindowRole, 166, 154, 120, 32, true, true,
     true, ""},
    {TrainingButton, "TrainingButton", PushButton, tk::kWindowRole, 316, 154, 120, 32, true, true,
     true, ""},
    {CustomButton, "CustomButton", PushButton, tk::kWindowRole, 18, 200, 158, 32, true, true, true,
     ""},
    {PublishButton, "PublishButton", PushButton, tk::kWindowRole, 196, 200, 209, 32, true, true,
     true, ""},
    {change, "change", DropDownList, tk::kWindowRole, 230, 248, 176, 20, true, true, true, "",
     tk::kPlain, kLanguageItems},
    // Hidden, below the window's bottom edge: only an ordered list of keys.
    {INI, "INI", DropDownList, tk::kWindowRole, 65, 321, 191, 20, false, false, true, ""},
};

}  // namespace

tk::WindowLayout SettingsWindowLayout(void (*handle)(const tk::Event& event)) {
    return {kSettingsWindow,
            "SettingsEditorWindow",
            "Brask title",
            447,
            316,
            tk::kMinimiseBox,
            kControls,
            handle};
}
