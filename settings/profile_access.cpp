#include "settings/profile_access.h"

#include "settings/ini_service.h"

namespace {

// Blanks and control characters in front of a name do not count.
std::string_view SkipLeadingBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) >= 0x01 &&
           static_cast<unsigned char>(text.front()) <= 0x20) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key,
                             std::string_view defaultValue) {
    path = SkipLeadingBlanks(path);
    section = SkipLeadingBlanks(section);
    key = SkipLeadingBlanks(key);
    if (path.empty() || section.empty() || key.empty()) {
        return {};
    }
    return ReadIniValue(section, key, defaultValue, std::string(path), kProfileBufferSize);
}

bool WriteProfileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value) {
    return WriteIniValue(section, key, value, path);
}
