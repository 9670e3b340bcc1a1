// The About box and the routine that unscrambles its texts.
#include <gtest/gtest.h>

#include "about/about_box.h"
#include "toolkit/headless/headless.h"

namespace {

TEST(About, UnscrambleText) {
    // Worked out from the routine's zero-based form (scripts/encipher-about.py),
    // not from the code under test.
    struct Case {
        const char* stored;
        const char* key;
        std::string plain;
    };
    const Case cases[] = {
        {"F9,1C,", "Bk", "ab"},
        {"78,8F,", "K", "Hi"},  // a one-character key fills the whole key table
        {"3E,76,7B,D6,D4,", "xyz", "Tools"},
        {"F9,1C,F6,FF,9E,", "Bk", "ab"},  // the plain bytes hold a zero after "ab"
        {"F91C", "Bk", "ab"},             // the commas only separate
        {"f9,1c,", "Bk", "ab"},           // lower-case digits read as upper-case ones
        {"F9,1", "Bk", "a\x7F"},          // a last single digit is a byte of its own: 0x01
        {"", "Bk", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnscrambleText(c.stored, c.key), c.plain) << c.stored << " " << c.key;
    }
    // The state is built anew in each call.
    EXPECT_EQ(UnscrambleText("F9,1C,", "Bk"), UnscrambleText("F9,1C,", "Bk"));
}

TEST(About, ShowsTheTextTheVersionAndTheCaptionInAWarningBox) {
    tk::headless::Reset();
    ShowAbout();
    ASSERT_EQ(tk::headless::Messages().size(), 1u);
    const tk::headless::ShownMessage& shown = tk::headless::Messages()[0];
    EXPECT_EQ(shown.kind, tk::MessageKind::Warning);
    EXPECT_EQ(shown.caption, "About");
    EXPECT_EQ(shown.text, "Brask Tools: game data editor\r\n\r\nRelease v.1.13");
    tk::headless::Reset();
}

}  // namespace
