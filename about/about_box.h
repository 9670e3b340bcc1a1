// The About box, whose texts the program keeps enciphered.
#pragma once

#include <string>

// The plain text of stored, a list of two-digit hexadecimal byte values each
// followed by ",", under key (one character or more; the empty key gives the
// empty text); it ends at the first zero byte.
std::string UnscrambleText(const std::string& stored, const std::string& key);

// Shows the About text and the version in a warning box.
void ShowAbout();
