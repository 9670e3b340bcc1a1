#include "platform/posix/code_page.h"

#include <iconv.h>

#include <cerrno>

namespace {

bool IsPlainAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string Convert(std::string_view text, const char* from, const char* to) {
    // ASCII reads the same in both code pages.
    if (IsPlainAscii(text)) {
        return std::string(text);
    }
    std::string result;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(text);
    }
    result.resize(text.size() * 4 + 16);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = result.data();
    std::size_t outLeft = result.size();
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            const std::size_t used = static_cast<std::size_t>(out - result.data());
            result.resize(result.size() * 2);
            out = result.data() + used;
            outLeft = result.size() - used;
            continue;
        }
        // An invalid or cut-off sequence: show one "?" for its first byte and go on.
        if (outLeft == 0) {
            const std::size_t used = static_cast<std::size_t>(out - result.data());
            result.resize(result.size() * 2);
            out = result.data() + used;
            outLeft = result.size() - used;
        }
        *out++ = '?';
        --outLeft;
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    iconv_close(converter);
    return result;
}

}  // namespace

std::string AnsiToUtf8(std::string_view text) {
    return Convert(text, "GB18030", "UTF-8");
}

std::string Utf8ToAnsi(std::string_view text) {
    return Convert(text, "UTF-8", "GB18030");
}

std::string SystemPath(const std::string& path) {
    std::string converted = AnsiToUtf8(path);
    for (char& c : converted) {
        if (c == '\\') {
            c = '/';
        }
    }
    return converted;
}

std::string ProgramPath(std::string systemPath) {
    for (char& c : systemPath) {
        if (c == '/') {
            c = '\\';
        }
    }
    return Utf8ToAnsi(systemPath);
}
