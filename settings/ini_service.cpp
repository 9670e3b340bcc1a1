#include "settings/ini_service.h"

#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "text/byte_text.h"

namespace {

struct Line {
    std::size_t begin;  // first byte of the line
    std::size_t end;    // first byte of its line end
    std::size_t next;   // first byte after its line end
};

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = begin;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        std::size_t next = end;
        if (next < bytes.size() && bytes[next] == '\r') {
            ++next;
        }
        if (next < bytes.size() && bytes[next] == '\n' && (next == end || bytes[end] == '\r')) {
            ++next;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Lower-cases the single-byte letters only, so two-byte characters stay whole.
std::string Folded(std::string_view text) {
    std::string folded(text);
    for (std::size_t pos = 0; pos < folded.size(); pos += CharLength(folded, pos)) {
        if (folded[pos] >= 'A' && folded[pos] <= 'Z') {
            folded[pos] = static_cast<char>(folded[pos] - 'A' + 'a');
        }
    }
    return folded;
}

enum class LineKind { Other, Heading, Comment, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // the section name of a heading, the key of a key line
    std::size_t equals = 0;  // offset of "=" in a key line
};

ParsedLine Parse(std::string_view line) {
    ParsedLine parsed;
    const std::string_view content = Trim(line);
    if (content.empty()) {
        return parsed;
    }
    if (content.front() == ';') {
        parsed.kind = LineKind::Comment;
    } else if (content.front() == '[') {
        const std::string_view inner = content.substr(1);
        parsed.kind = LineKind::Heading;
        parsed.name = Trim(inner.substr(0, FindCharacter(inner, ']')));
    } else if (const std::size_t equals = FindCharacter(line, '='); equals != line.npos) {
        parsed.kind = LineKind::Key;
        parsed.name = Trim(line.substr(0, equals));
        parsed.equals = equals;
    }
    return parsed;
}

std::string_view ValueOf(std::string_view line, std::size_t equals) {
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    // A zero byte ends the text the caller receives.
    return value.substr(0, value.find('\0'));
}

// The values of a file: folded section name -> folded key -> value, the first
// section of a name and the first line of a key winning.
using Sections = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

Sections ParseSections(std::string_view bytes) {
    Sections sections;
    std::unordered_map<std::string, std::string>* current = nullptr;
    for (const Line& line : SplitLines(bytes)) {
        const std::string_view text = bytes.substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = Parse(text);
        if (parsed.kind == LineKind::Heading) {
            auto [it, isNew] = sections.try_emplace(Folded(parsed.name));
            current = isNew ? &it->second : nullptr;
        } else if (parsed.kind == LineKind::Key && current != nullptr) {
            current->try_emplace(Folded(parsed.name), ValueOf(text, parsed.equals));
        }
    }
    return sections;
}

struct CachedFile {
    std::string version;
    Sections sections;
};

std::unordered_map<std::string, CachedFile>& Cache() {
    static std::unordered_map<std::string, CachedFile> cache;
    return cache;
}

const Sections* SectionsOf(const std::string& path) {
    const std::string version = platform::FileVersion(path);
    auto& cache = Cache();
    if (version.empty()) {
        cache.erase(path);
        return nullptr;
    }
    auto it = cache.find(path);
    if (it != cache.end() && it->second.version == version) {
        return &it->second.sections;
    }
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) {
        cache.erase(path);
        return nullptr;
    }
    // The version was taken before reading: a change during the read shows as a
    // newer version at the next read.
    CachedFile& entry = cache[path];
    entry.version = version;
    entry.sections = ParseSections(bytes);
    return &entry.sections;
}

bool EndsWithLineEnd(std::string_view bytes) {
    return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

}  // namespace

std::string ReadIniValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue, const std::string& path,
                         std::size_t bufferSize) {
    std::string_view value = defaultValue;
    if (const Sections* sections = SectionsOf(path)) {
        const auto found = sections->find(Folded(section));
        if (found != sections->end()) {
            const auto entry = found->second.find(Folded(key));
            if (entry != found->second.end()) {
                value = entry->second;
            }
        }
    }
    const std::size_t limit = bufferSize > 0 ? bufferSize - 1 : 0;
    return std::string(value.substr(0, limit));
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::string& path) {
    std::string bytes;
    if (platform::PathExists(path) && !platform::ReadWholeFile(path, bytes)) {
        return false;
    }
    const std::string wantedSection = Folded(section);
    const std::string wantedKey = Folded(Trim(key));
    const std::vector<Line> lines = SplitLines(bytes);

    bool inSection = false;
    bool sectionFound = false;
    const Line* insertAfter = nullptr;  // the section's heading, then its last key line
    std::string updated;
    for (const Line& line : lines) {
        const std::string_view text =
            std::string_view(bytes).substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = Parse(text);
        if (parsed.kind == LineKind::Heading) {
            if (inSection) {
                break;
            }
            inSection = !sectionFound && Folded(parsed.name) == wantedSection;
            if (inSection) {
                sectionFound = true;
                insertAfter = &line;
            }
            continue;
        }
        if (!inSection || parsed.kind != LineKind::Key) {
            continue;
        }
        if (Folded(parsed.name) == wantedKey) {
            // Keep everything up to "=" and the line's own end; replace the value only.
            updated = bytes.substr(0, line.begin + parsed.equals + 1);
            updated.append(value);
            updated.append(bytes, line.end, std::string::npos);
            return platform::ReplaceWholeFile(path, updated);
        }
        insertAfter = &line;
    }

    std::string newLine(key);
    newLine.append("=").append(value).append("\r\n");
    if (sectionFound) {
        updated = bytes.substr(0, insertAfter->next);
        if (insertAfter->next == insertAfter->end) {
            updated.append("\r\n");  // the line it follows ended the file without a line end
        }
        updated.append(newLine);
        updated.append(bytes, insertAfter->next, std::string::npos);
    } else {
        updated = bytes;
        if (!updated.empty() && !EndsWithLineEnd(updated)) {
            updated.append("\r\n");
        }
        updated.append("[").append(section).append("]\r\n").append(newLine);
    }
    return platform::ReplaceWholeFile(path, updated);
}
