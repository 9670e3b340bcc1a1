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

// Position of the first byte equal to c at or after from, or npos. Eight
// bytes are looked at in one step: a byte of the word equal to c becomes zero
// after the exclusive or, and the lowest zero byte is the first match.
inline std::size_t FindByte(std::string_view text, char c, std::size_t from) {
    static_assert(std::endian::native == std::endian::little);
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    std::size_t at = from;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        word ^= pattern;
        const std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
        if (zeros != 0) {
            return at + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
        }
    }
    for (; at < text.size(); ++at) {
        if (text[at] == c) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Position of the first character equal to c (a byte below 0x80) at or after
// from, text being read character by character from its start; npos if none.
// A byte below 0x80 always ends a character, so a c byte is a character of
// its own exactly when the bytes of 0x80 and above right before it, back to
// such a byte or to the start, are even in number.
inline std::size_t FindCharacter(std::string_view text, char c, std::size_t from = 0) {
    for (std::size_t at; (at = FindByte(text, c, from)) != std::string_view::npos; from = at + 1) {
        std::size_t high = 0;
        while (high < at && static_cast<unsigned char>(text[at - high - 1]) >= 0x80) {
            ++high;
        }
        if (high % 2 == 0) {
            return at;
        }
        // Else it is the second byte of a two-byte character.
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
