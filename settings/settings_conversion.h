// The settings file data\ini.txt ("key;value" lines) and the working profile
// data\nolt.ini (an "[ini]" section of "key=value" lines) that stands in for it
// while the program runs.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

// The rest of an open file, up to its first character that is a zero byte or 0x1A.
std::string ReadWholeText(platform::FileNumber file);

// Replaces the file at path by bytes, atomically. False when nothing was written.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Makes the working profile from the settings file; ends the program with a
// message when the settings file is missing.
void BuildWorkingProfile();

// Writes one setting's value into the working profile and remembers it for Save.
void StoreSettingValue(const std::string& key, const std::string& value);

// Turns the working profile back into the settings file. False when the
// settings file was not written; it then keeps its old content.
bool WriteBackSettings();

void DeleteWorkingProfile();
