// The only access to INI-format files: the language file and the working profile.
#pragma once

#include <string>
#include <string_view>

// Reads are cut to this many bytes, as a buffer of 10,240 bytes holds them.
constexpr std::size_t kProfileBufferSize = 10240;

std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key,
                             std::string_view defaultValue = {});

bool WriteProfileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value);
