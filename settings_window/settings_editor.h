// What SettingsEditorWindow does: one operation per event.
#pragma once

#include "toolkit/toolkit.h"

void OpenSettingsEditorWindow();

void ShowSelectedSetting();
void EnableSave();
void StoreValue();
void Save();
void ChangeLanguage();
