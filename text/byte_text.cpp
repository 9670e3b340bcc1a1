#include "text/byte_text.h"

#include <cctype>

namespace {

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, bool exact) {
    for (std::size_t i = 0; i < find.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[pos + i]);
        const auto b = static_cast<unsigned char>(find[i]);
        if (a == b) {
            continue;
        }
        if (exact || std::tolower(a) != std::tolower(b)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        int start, int count, bool exact) {
    const std::size_t begin = start > 0 ? static_cast<std::size_t>(start - 1) : 0;
    if (text.empty() || find.empty() || begin >= text.size() || count == 0) {
        return std::string(text);
    }
    std::string result(text.substr(0, begin));
    result.reserve(text.size());
    std::size_t pos = begin;
    int replaced = 0;
    while (text.size() - pos >= find.size()) {
        if (MatchesAt(text, pos, find, exact)) {
            result.append(replacement);
            pos += find.size();
            if (++replaced == count) {
                break;
            }
        } else {
            const std::size_t length = CharLength(text, pos);
            result.append(text.substr(pos, length));
            pos += length;
        }
    }
    result.append(text.substr(pos));
    return result;
}
