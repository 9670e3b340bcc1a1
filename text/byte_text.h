// Byte texts in the ANSI code page: the one rule for walking them character by
// character, and the sub-text replacement built on it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Whether the byte at position at, a byte below 0x80, is a character of its
// own, text being read character by character from its start. A byte below
// 0x80 always ends a character, so it is exactly when the bytes of 0x80 and
// above right before it, back to such a byte or to the start, are even in number.
inline bool StartsCharacter(std::string_view text, std::size_t at) {
    std::size_t high = 0;
    while (high < at && static_cast<unsigned char>(text[at - high - 1]) >= 0x80) {
        ++high;
    }
    return high % 2 == 0;
}

// The bytes of a word of eight that equal the byte repeated in pattern: the
// high bit of each such byte is set, no other bit.
inline std::uint64_t EqualBytes(std::uint64_t word, std::uint64_t pattern) {
    constexpr std::uint64_t kLows = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ pattern;
    return ~(((x & kLows) + kLows) | x | kLows);
}

// Calls found(position) for each character equal to c (a byte below 0x80) at
// or after from, in order; text is read character by character from its start.
// Eight bytes are looked at in one step.
template <typename Found>
void ForEachCharacter(std::string_view text, char c, std::size_t from, Found found) {
    static_assert(std::endian::native == std::endian::little);
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const std::uint64_t pattern = 0x0101010101010101ULL * static_cast<unsigned char>(c);
    std::size_t at = from;
    // Whether the byte before the current word is 0x80 or above, as its high bit.
    std::uint64_t highBefore = at > 0 ? static_cast<unsigned char>(text[at - 1]) & 0x80 : 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        const std::uint64_t high = word & kHighs;
        // A match right after a byte below 0x80 starts a character for certain;
        // only one after a byte of 0x80 or above needs the count of those bytes.
        const std::uint64_t afterHigh = (high << 8) | highBefore;
        for (std::uint64_t equal = EqualBytes(word, pattern); equal != 0; equal &= equal - 1) {
            const std::uint64_t bit = equal & -equal;
            const std::size_t position = at + static_cast<std::size_t>(std::countr_zero(bit) / 8);
            if (((afterHigh & bit) == 0 || StartsCharacter(text, position)) && !found(position)) {
                return;
            }
        }
        highBefore = high >> 56;
    }
    for (; at < text.size(); ++at) {
        if (text[at] == c && StartsCharacter(text, at) && !found(at)) {
            return;
        }
    }
}

// Position of the first character equal to c (a byte below 0x80) at or after
// from, text being read character by character from its start; npos if none.
inline std::size_t FindCharacter(std::string_view text, char c, std::size_t from = 0) {
    std::size_t first = std::string_view::npos;
    ForEachCharacter(text, c, from, [&first](std::size_t at) {
        first = at;
        return false;  // no further
    });
    return first;
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
