#include "settings/ini_service.h"

#include <algorithm>
#include <memory>
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

// The line that starts at begin; lines end at CR LF, LF or CR.
Line LineAt(std::string_view bytes, std::size_t begin) {
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
    return {begin, end, next};
}

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < bytes.size(); begin = lines.back().next) {
        lines.push_back(LineAt(bytes, begin));
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

// Section names and keys match without regard to the case of single-byte
// letters; a two-byte character is compared whole.
char FoldedByte(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = CharLength(a, pos);
        if (length == 2 ? a.substr(pos, 2) != b.substr(pos, 2)
                        : FoldedByte(a[pos]) != FoldedByte(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        std::size_t hash = 14695981039346656037ull;
        for (std::size_t pos = 0; pos < name.size();) {
            const std::size_t length = CharLength(name, pos);
            for (std::size_t i = 0; i < length; ++i) {
                const char byte = length == 1 ? FoldedByte(name[pos]) : name[pos + i];
                hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
            }
            pos += length;
        }
        return hash;
    }
};

struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameName(a, b); }
};

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

// The values of a file, as views into its bytes. Only the first section of a
// name counts; its keys are parsed when the section is first read from, so a
// start-up that reads one language parses that language alone.
using Keys = std::unordered_map<std::string_view, std::string_view, NameHash, NameEqual>;

struct Section {
    std::size_t begin = 0;  // the lines after the heading, up to the next heading
    std::size_t end = std::string_view::npos;
    bool parsed = false;
    Keys keys;  // the first line of a key wins
};

using Sections = std::unordered_map<std::string_view, Section, NameHash, NameEqual>;

Sections FindSections(std::string_view bytes) {
    Sections sections;
    Section* current = nullptr;
    for (std::size_t begin = 0; begin < bytes.size();) {
        const Line line = LineAt(bytes, begin);
        const ParsedLine parsed = Parse(bytes.substr(begin, line.end - begin));
        if (parsed.kind == LineKind::Heading) {
            if (current != nullptr) {
                current->end = begin;
            }
            auto [it, isNew] = sections.try_emplace(parsed.name);
            current = isNew ? &it->second : nullptr;
            if (current != nullptr) {
                current->begin = line.next;
            }
        }
        begin = line.next;
    }
    return sections;
}

const Keys& KeysOf(Section& section, std::string_view bytes) {
    if (!section.parsed) {
        section.parsed = true;
        const std::string_view body = bytes.substr(section.begin, section.end - section.begin);
        section.keys.reserve(256);
        for (std::size_t begin = 0; begin < body.size();) {
            const Line line = LineAt(body, begin);
            const std::string_view text = body.substr(begin, line.end - begin);
            const ParsedLine parsed = Parse(text);
            if (parsed.kind == LineKind::Key) {
                section.keys.try_emplace(parsed.name, ValueOf(text, parsed.equals));
            }
            begin = line.next;
        }
    }
    return section.keys;
}

struct CachedFile {
    std::string path;
    platform::FileVersion version;
    std::string bytes;  // what the names and values of sections point into
    Sections sections;
};

// Parsed files, few enough (the language file and the working profile) to search in turn.
std::vector<std::unique_ptr<CachedFile>>& Cache() {
    static std::vector<std::unique_ptr<CachedFile>> cache;
    return cache;
}

CachedFile* ParsedFile(const std::string& path) {
    // The version is taken before reading: a change during the read shows as
    // a newer version at the next read.
    const platform::FileVersion version = platform::VersionOf(path);
    auto& cache = Cache();
    auto it = std::find_if(cache.begin(), cache.end(),
                           [&](const auto& entry) { return entry->path == path; });
    if (it != cache.end() && (*it)->version == version) {
        return it->get();
    }
    if (it != cache.end()) {
        cache.erase(it);
    }
    auto entry = std::make_unique<CachedFile>();
    if (!version.exists || !platform::ReadWholeFile(path, entry->bytes)) {
        return nullptr;
    }
    entry->path = path;
    entry->version = version;
    entry->sections = FindSections(entry->bytes);
    cache.push_back(std::move(entry));
    return cache.back().get();
}

bool EndsWithLineEnd(std::string_view bytes) {
    return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

}  // namespace

std::string ReadIniValue(std::string_view section, std::string_view key,
                         std::string_view defaultValue, const std::string& path,
                         std::size_t bufferSize) {
    std::string_view value = defaultValue;
    if (CachedFile* file = ParsedFile(path)) {
        const auto found = file->sections.find(section);
        if (found != file->sections.end()) {
            const Keys& keys = KeysOf(found->second, file->bytes);
            const auto entry = keys.find(key);
            if (entry != keys.end()) {
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
    const std::string_view wantedKey = Trim(key);
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
            inSection = !sectionFound && SameName(parsed.name, section);
            if (inSection) {
                sectionFound = true;
                insertAfter = &line;
            }
            continue;
        }
        if (!inSection || parsed.kind != LineKind::Key) {
            continue;
        }
        if (SameName(parsed.name, wantedKey)) {
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
