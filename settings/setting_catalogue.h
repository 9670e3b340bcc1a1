// The 104 game settings the editor offers, always in this order, and the two
// lists of the main window built from them position for position.
#pragma once

#include <span>

extern const std::span<const char* const> kSettingCatalogue;

// Display names into SettingList, then settings-file keys into INI.
void FillSettingLists();

// Display names alone, in the current language, into SettingList.
void FillSettingNames();
