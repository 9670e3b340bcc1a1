// Byte texts in the ANSI code page: the one rule for walking them character by
// character, and the sub-text replacement built on it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Bytes taken by the character that starts at pos: a byte of 0x80 or above takes
// the byte after it along, unless it is the last byte or that byte is zero.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size() &&
                   text[pos + 1] != '\0'
               ? 2
               : 1;
}

// Position of the first character equal to c at or after from, or npos.
// A byte that is the second byte of a two-byte character never matches.
inline std::size_t FindCharacter(std::string_view text, char c, std::size_t from = 0) {
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == c) {
            return pos;
        }
    }
    return std::string_view::npos;
}

// Position of the last character equal to c, or npos.
inline std::size_t FindLastCharacter(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (text[pos] == c) {
            found = pos;
        }
    }
    return found;
}

constexpr int kAllReplacements = -1;

// Replaces find by replacement, left to right without overlaps, starting at the
// one-based byte position start (0 counts as 1), at most count times
// (kAllReplacements for no limit). exact = false ignores letter case.
std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement,
                        int start, int count, bool exact);
