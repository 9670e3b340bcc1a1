#include "about/about_box.h"

#include <array>
#include <cstdint>
#include <utility>

#include "text/byte_text.h"
#include "toolkit/toolkit.h"

namespace {

// "Brask Tools: game data editor", "Release v." and "About" under the key
// below; scripts/encipher-about.py makes such texts.
constexpr const char* kAboutText =
    "DA,0C,97,EF,91,82,E6,1B,69,0C,3F,92,4A,9D,A5,4B,AD,9E,D8,9F,CE,21,3E,6F,96,3F,A6,99,CA,";
constexpr const char* kVersionText = "CA,1B,9A,F9,9B,D1,D7,54,70,4E,";
constexpr const char* kCaptionText = "D9,1C,99,E9,8E,";
constexpr const char* kKey = "Bk";
constexpr const char* kVersion = "1.13";

int HexDigit(char c) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    if (c >= 'a' && c <= 'f') {
        c = static_cast<char>(c - 'a' + 'A');
    }
    const std::size_t position = kDigits.find(c);
    return position == std::string_view::npos ? 0 : static_cast<int>(position);
}

}  // namespace

std::string UnscrambleText(const std::string& stored, const std::string& key) {
    const std::string digits = ReplaceText(stored, ",", "", 1, kAllReplacements, true);
    std::string bytes;
    for (std::size_t p = 0; p < digits.size(); p += 2) {
        int value = 0;
        for (std::size_t q = p; q < digits.size() && q < p + 2; ++q) {
            value = value * 16 + HexDigit(digits[q]);
        }
        bytes.push_back(static_cast<char>(value));
    }
    if (key.empty()) {
        return {};
    }

    // Positions are counted from 1, as the state and key tables are, and each
    // new position is worked out from the one-based value before it.
    std::array<int, 257> s{};
    std::array<int, 257> k{};
    for (int c = 1; c <= 256; ++c) {
        s[c] = c - 1;
    }
    std::size_t q = 1;
    for (int c = 1; c <= 256; ++c) {
        if (q > key.size()) {
            q = 1;
        }
        k[c] = static_cast<unsigned char>(key[q - 1]);
        ++q;
    }
    int j = 0;
    for (int c = 1; c <= 256; ++c) {
        j = ((j + s[c] + k[c]) % 256) + 1;
        std::swap(s[c], s[j]);
    }
    int i = 0;
    j = 0;
    std::string result;
    for (const char d : bytes) {
        i = ((i + 1) % 256) + 1;
        j = ((j + s[i]) % 256) + 1;
        std::swap(s[i], s[j]);
        const int t = ((s[i] + s[j]) % 256) + 1;
        const char plain = static_cast<char>(static_cast<unsigned char>(d) ^ s[t]);
        if (plain == '\0') {
            break;
        }
        result.push_back(plain);
    }
    return result;
}

void ShowAbout() {
    const std::string a = UnscrambleText(kAboutText, kKey);
    const std::string b = UnscrambleText(kVersionText, kKey);
    const std::string message = a + "\r\n\r\n" + b + kVersion;
    tk::ShowMessage(tk::MessageKind::Warning, UnscrambleText(kCaptionText, kKey), message);
}
