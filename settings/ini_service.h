// Our INI-format file service, the same on every platform. Reads keep a parsed
// copy of each file while the file is unchanged on disk; writes change nothing
// but the line of their key (or the lines they add).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The value of key in the first section of that name, or defaultValue when the
// file, the section or the key is missing; cut to bufferSize - 1 bytes.
std::string ReadIniValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue, const std::string& path,
                         std::size_t bufferSize);

// Makes key's value in section equal to value, creating the line, the section
// or the file as needed. False when the file could not be read or written.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::string& path);
