// Conversion between the program's ANSI code page on Linux (GB18030) and the
// UTF-8 of file names and of the Qt front end.
#pragma once

#include <string>
#include <string_view>

// Bytes that do not form a character of the source code page become "?".
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

// A program path (GB18030, "\" between folders) as the system takes it (UTF-8,
// "/"), and back. Converted first: a "\" may be the second byte of a character.
std::string SystemPath(const std::string& path);
std::string ProgramPath(std::string systemPath);
