#include <gtest/gtest.h>

#include "text/byte_text.h"

namespace {

using namespace std::string_literals;

struct ReplaceCase {
    std::string text, find, replacement;
    int start, count;
    bool exact;
    std::string expected;
};

TEST(ReplaceText, FollowsItsRules) {
    const ReplaceCase cases[] = {
        {"a;b;c", ";", "=", 0, kAllReplacements, true, "a=b=c"},
        {"a;b;c", ";", "=", 1, kAllReplacements, true, "a=b=c"},
        {"a;b;c", ";", "=", 3, kAllReplacements, true, "a;b=c"},
        {"a;b;c", ";", "=", 0, 1, true, "a=b;c"},
        {"\r\n\r\nx", "\r\n", "", 1, 1, true, "\r\nx"},
        {"aaaa", "aa", "b", 0, kAllReplacements, true, "bb"},
        {"aaa", "aa", "b", 0, kAllReplacements, true, "ba"},
        {"[INI]x[ini]", "[ini]", "", 0, kAllReplacements, true, "[INI]x"},
        {"[INI]x[ini]", "[ini]", "", 0, kAllReplacements, false, "x"},
        // A separator that is the second byte of a two-byte character is no match.
        {"\xB0;x;", ";", "=", 0, kAllReplacements, true, "\xB0;x="},
        {"\xB0\\a\\", "\\", "/", 0, kAllReplacements, true, "\xB0\\a/"},
        // A lead byte at the end, or before a zero byte, stands alone.
        {"ab\xB0", "\xB0", "X", 0, kAllReplacements, true, "abX"},
        {"\xB0\0;"s, ";", "=", 0, kAllReplacements, true, "\xB0\0="s},
        // Nothing to do.
        {"", ";", "=", 0, kAllReplacements, true, ""},
        {"a;b", "", "=", 0, kAllReplacements, true, "a;b"},
        {"a;b", ";", "=", 4, kAllReplacements, true, "a;b"},
        {"a;b", ";", "=", 0, 0, true, "a;b"},
    };
    for (const ReplaceCase& c : cases) {
        EXPECT_EQ(ReplaceText(c.text, c.find, c.replacement, c.start, c.count, c.exact), c.expected)
            << "text " << testing::PrintToString(c.text) << " find " << c.find << " start "
            << c.start;
    }
}

TEST(CharacterScanning, FindsTheLastSeparatorOnACharacterBoundary) {
    EXPECT_EQ(FindLastCharacter("\\home\\ann\\brask-tools", '\\'), 9u);
    EXPECT_EQ(FindLastCharacter("\\a\\\xB0\\", '\\'), 2u);
    EXPECT_EQ(FindLastCharacter("\xB0\\", '\\'), std::string::npos);
    EXPECT_EQ(FindCharacter("\xB0;a;", ';'), 3u);
    EXPECT_EQ(CharLength("\xB0", 0), 1u);
    EXPECT_EQ(CharLength("\xB0\x1A", 0), 2u);
}

}  // namespace
